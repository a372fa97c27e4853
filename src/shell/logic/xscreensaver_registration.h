// astrelle --xscreensaver-add and --xscreensaver-remove: read the user's xscreensaver
// preferences file, edit its list of screen savers, and replace it atomically, with one
// message for the user that says what happened. Nothing is written when nothing changes
// or when the file may not be written.
#pragma once

#include <string>
#include <string_view>

namespace astrelle {

enum class RegistrationRequest { Add, Remove };

// Whether the xscreensaver daemon of this user runs: it decides what the user is told.
enum class DaemonState { Running, NotRunning };

struct RegistrationOutcome {
    bool succeeded = false;  // false: nothing was changed, message says why
    bool changed = false;    // the file was written
    std::string message;     // one or more lines, each ending in a newline
};

// path: the preferences file (~/.xscreensaver). command: what xscreensaver runs, e.g.
// "astrelle --root".
[[nodiscard]] RegistrationOutcome UpdateXScreenSaverPreferences(RegistrationRequest request,
                                                                const std::string& path,
                                                                std::string_view command, DaemonState daemon);

// The command xscreensaver should run: the bare program name when that name, looked up on
// the daemon's search path, is this very program; else this program's full path, quoted
// for the shell where needed (a build run, or an installation outside the search path).
std::string HackCommand(const std::string& selfPath, const std::string& foundOnSearchPath);

// The whole request for the user running it: their ~/.xscreensaver, the command found
// as HackCommand finds it, whether their daemon runs.
[[nodiscard]] RegistrationOutcome RegisterWithXScreenSaver(RegistrationRequest request);

// The daemon adds its hack folder to the search path it inherits.
inline constexpr std::string_view kXScreenSaverHackFolder = "/usr/libexec/xscreensaver";

}  // namespace astrelle
