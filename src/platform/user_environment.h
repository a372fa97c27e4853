// What registering the saver with a Linux desktop needs beyond services.h: whether this
// user may replace a file, where a program name resolves on the search path, and whether
// one of the user's processes runs under a given name. Implemented in posix/ only.
#pragma once

#include <string>
#include <string_view>

namespace astrelle {

enum class WriteAccess {
    Allowed,
    ReadOnly,        // the file may not be written
    FolderReadOnly,  // a new file: its folder takes no new files
    OtherOwner,      // it belongs to another user; replacing it would take it from them
};

// Whether ReplaceFileAtomically(path, ...) may be used on behalf of this user. A file
// without any write permission bit counts as read-only even for root.
[[nodiscard]] WriteAccess CheckWriteAccess(const std::string& path);

// The first executable file called name in the colon-separated folders of searchPath;
// empty when there is none.
std::string FindOnSearchPath(std::string_view name, std::string_view searchPath);

// True when both paths name the same existing file (after following links).
bool IsSameFile(const std::string& a, const std::string& b);

// True when the program runs with root rights.
bool IsSuperUser();

// True when a process of the calling user runs whose command name is exactly name.
bool UserProcessRuns(std::string_view name);

}  // namespace astrelle
