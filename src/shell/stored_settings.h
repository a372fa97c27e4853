// The shell's access to the stored settings: the few values the windows themselves read
// and write (Adv_WinResize, the window placement), and the first-run check.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace astrelle {

std::optional<std::string> ReadStoredText(std::string_view section, std::string_view key);
// False when the value could not be stored (the store fails silently for the user).
bool WriteStoredText(std::string_view section, std::string_view key, std::string_view text);

// Imports a ".glx" template named on the command line into the stored settings; a file
// that cannot be read leaves them as they are.
void ImportTemplateFile(const std::string& path);

}  // namespace astrelle
