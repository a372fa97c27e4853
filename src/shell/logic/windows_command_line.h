// The saver's own part of a Windows command line. Windows hands a program its whole command
// line, program path included ("C:\Windows\astrelle.scr" /p 1234); the start-up decision
// reads what follows the path. Plain C++, so the splitting is tested on every system.
#pragma once

#include <string>
#include <string_view>

namespace astrelle {

// What follows the program path (quoted or not) and the one blank that separates them; a
// second blank stays, as the start-up rules read a leading blank as "no option". When the
// rest is one quoted text (a template path with blanks, as "Open with" passes it), the
// quotes are removed, so the path reads as it would from a Linux shell.
std::string SaverCommandLine(std::string_view wholeCommandLine);

}  // namespace astrelle
