// UTF-8 <-> UTF-16 for the wide-character Win32 calls: the rest of Astrelle holds text and
// paths as UTF-8, Windows takes them as UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace astrelle::win32 {

// Invalid UTF-8 sequences become U+FFFD rather than failing, so a damaged text still names
// something recognisable; unpaired UTF-16 surrogates likewise on the way back.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace astrelle::win32
