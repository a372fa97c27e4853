// POSIX and /proc implementation of the user's side of the system.
#include "platform/user_environment.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace astrelle {
namespace {

// The kernel keeps 15 characters of a command name; anything longer is not /proc's comm.
constexpr size_t kCommandNameLimit = 256;

}  // namespace

WriteAccess CheckWriteAccess(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (st.st_uid != ::geteuid()) return WriteAccess::OtherOwner;
        // No write bit at all is read-only for root as well, who passes every access check.
        const bool noWriteBit = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (noWriteBit || ::access(path.c_str(), W_OK) != 0) return WriteAccess::ReadOnly;
        return WriteAccess::Allowed;
    }
    // A new file: its folder must take it, and root must not plant a file of its own in
    // another user's folder.
    const std::string folder = DirectoryOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return WriteAccess::FolderReadOnly;
    if (::geteuid() == 0 && st.st_uid != 0) return WriteAccess::OtherOwner;
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return WriteAccess::FolderReadOnly;
    return WriteAccess::Allowed;
}

std::string FindOnSearchPath(std::string_view name, std::string_view searchPath) {
    if (name.empty() || name.find('/') != std::string_view::npos) return {};
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(':', start);
        if (end == std::string_view::npos) end = searchPath.size();
        // An empty folder in the list means the current folder, as the shell reads it.
        std::string folder(searchPath.substr(start, end - start));
        if (folder.empty()) folder = ".";
        const std::string candidate = folder + "/" + std::string(name);
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsSuperUser() {
    return ::geteuid() == 0;
}

bool UserProcessRuns(std::string_view name) {
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return false;
    const uid_t self = ::getuid();
    bool found = false;
    while (const dirent* entry = ::readdir(proc)) {
        const std::string_view pid = entry->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string_view::npos) continue;
        const std::string folder = "/proc/" + std::string(pid);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || st.st_uid != self) continue;
        // A process may end between the listing and the read; it then simply does not count.
        FileReadResult comm = ReadWholeFile(folder + "/comm", kCommandNameLimit);
        if (comm.status != FileReadStatus::Ok) continue;
        std::string_view command = comm.bytes;
        if (!command.empty() && command.back() == '\n') command.remove_suffix(1);
        if (command == name) {
            found = true;
            break;
        }
    }
    ::closedir(proc);
    return found;
}

}  // namespace astrelle
