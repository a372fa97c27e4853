// The one list of what Astrelle needs from the operating system beyond plain C++: the clock,
// a random seed, the process and its environment, files and folders (with the whole-file
// reads, atomic replacement and lock of atomic_file.h) and termination requests. posix/ and
// win32/ implement every entry; nothing outside src/platform reads a clock or calls POSIX or
// Win32 for these. Paths and texts are UTF-8 on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"

namespace astrelle {

// ---- clock -----------------------------------------------------------------------------------

// Milliseconds of a monotonic clock, wrapping at 2^32 like the tick count the animation rules
// were written for; only differences between two readings mean anything.
uint32_t TickCountMs();

// The local time of day in seconds since midnight, with its fraction.
double SecondsSinceMidnight();

// A seed for a random source: different for every call, every run and every process, even
// for two processes started in the same clock tick.
uint64_t ClockSeed();

// ---- process and environment -----------------------------------------------------------------

uint32_t CurrentProcessId();

// The value of an environment variable, or nothing when it is not set.
std::optional<std::string> EnvironmentValue(std::string_view name);

// Sets an environment variable of this process for itself and what it starts. False when
// the name or value cannot be set.
[[nodiscard]] bool SetEnvironmentValue(std::string_view name, std::string_view value);

// The user's home folder: $HOME, else the account's entry (POSIX); %USERPROFILE% (Windows).
// Empty when there is none.
std::string HomeFolder();

// The absolute path of the running program's file; empty when it cannot be found out.
std::string ExecutablePath();

// ---- files and folders -----------------------------------------------------------------------

// The separator the system writes between a folder and a name in the paths it shows (both
// systems read "/" as well).
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// True when path names an existing file or folder.
bool PathExists(const std::string& path);

// The longest file name (in bytes of UTF-8 on POSIX, in UTF-16 units on Windows) that the
// file system under folder accepts.
size_t MaxFileNameLength(const std::string& folder);

enum class CreateProbe {
    Created,    // the file could be created; it has been removed again
    NameTaken,  // something of that name exists already (and was left alone)
    Failed,     // the folder does not let us create it (permissions, read-only medium, ...)
};

// Creates a new file at path exclusively and removes it again at once, to learn whether a
// save there would succeed. Never touches an existing file.
[[nodiscard]] CreateProbe ProbeCreateFile(const std::string& path);

// ---- termination requests --------------------------------------------------------------------
// On POSIX the desktop ends a program with SIGTERM or SIGINT (xscreensaver ends its hacks so).
// Windows ends a GUI program through its windows (WM_CLOSE, WM_ENDSESSION), which the shell
// handles itself; there these do nothing and there is no descriptor.

// Holds termination requests back from the first line of main until they are routed, so a
// request that arrives while the program starts up is not lost and ends it cleanly later.
// Threads started meanwhile keep them held, so the main thread gets them.
void HoldTerminationRequests();

// Routes held and later requests to a descriptor that becomes readable when one arrives, and
// releases the hold. -1 when the platform has none or it is routed already (the hold is
// released then too, so that a request is never lost: it ends the program by default).
int RouteTerminationRequests();

// Empties the descriptor after it became readable.
void DrainTerminationRequests();

// Gives termination requests their default action again (the program ends).
void RestoreTerminationDefaults();

}  // namespace astrelle
