// The requests that are answered before the rest of the command line is read: --help and
// --version (as GNU programs answer them, wherever they stand), and the registration of
// the hack with xscreensaver. Plain C++ and pure; the shell prints and performs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace astrelle {

enum class EarlyRequest {
    None,                // go on: the desktop's options and the start-up decision
    Help,                // print UsageText() to standard output, exit 0
    Version,             // print VersionText() to standard output, exit 0
    XScreenSaverAdd,     // add the hack to ~/.xscreensaver
    XScreenSaverRemove,  // remove it from ~/.xscreensaver
    UsageError,          // print `error` and a hint to standard error, exit kUsageErrorStatus
};

// The exit status of a command line that cannot be obeyed, as GNU tools use it.
inline constexpr int kUsageErrorStatus = 2;

struct EarlyDecision {
    EarlyRequest request = EarlyRequest::None;
    std::string error;  // UsageError only: one line, without the program name
};

// args excludes the program name. Only whole words count, so a template path that merely
// contains "--help" is still a path. The first --help or --version wins over everything;
// the xscreensaver requests stand alone, since a saver command line beside them would
// otherwise be silently dropped.
EarlyDecision DecideEarlyRequest(const std::vector<std::string>& args);

// The text of --help: every command-line form, the settings file and the environment.
std::string UsageText();
// The text of --version: the program name and its version, one line.
std::string VersionText();
std::string_view ProgramVersion();

}  // namespace astrelle
