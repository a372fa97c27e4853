// POSIX implementation of the file primitives of the stores.

#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace astrelle {

namespace {

bool NoWriteBit(mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void FillIdentity(const struct stat& st, FileReadResult& out) {
    out.device = static_cast<uint64_t>(st.st_dev);
    out.inode = static_cast<uint64_t>(st.st_ino);
    out.size = static_cast<int64_t>(st.st_size);
    out.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    out.readOnly = NoWriteBit(st.st_mode);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writing through a symbolic link replaces the file it names, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename is already visible; a failed flush of the folder only weakens durability
    // across a power cut, so it is not reported as a failed write.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes) {
    FileReadResult result;
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status =
            (errno == ENOENT || errno == ENOTDIR) ? FileReadStatus::Missing : FileReadStatus::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    FillIdentity(st, result);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = FileReadStatus::NotRegular;
        return result;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    result.status = FileReadStatus::Ok;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since fstat (or report size 0, as some special files
            // do): keep reading in steps, never beyond the limit.
            if (bytes.size() > maxBytes) {
                result.status = FileReadStatus::TooLarge;
                break;
            }
            bytes.resize(bytes.size() + 65536);
        }
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.status = FileReadStatus::Unreadable;
            break;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (result.status != FileReadStatus::Ok) return result;
    bytes.resize(done);
    result.size = static_cast<int64_t>(done);
    result.bytes = std::move(bytes);
    return result;
}

FileReadResult StatFile(const std::string& path) {
    FileReadResult result;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        result.status =
            (errno == ENOENT || errno == ENOTDIR) ? FileReadStatus::Missing : FileReadStatus::Unreadable;
        return result;
    }
    FillIdentity(st, result);
    result.status = S_ISREG(st.st_mode) ? FileReadStatus::Ok : FileReadStatus::NotRegular;
    return result;
}

bool ReplaceFileAtomically(const std::string& requestedPath, const std::string& bytes,
                           FileReadResult* written) {
    const std::string path = ResolveLink(requestedPath);
    struct stat old {};
    bool hasOld = ::stat(path.c_str(), &old) == 0;
    if (hasOld && !S_ISREG(old.st_mode)) return false;

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(fd, bytes);
    // Keep the permissions the user gave the file. Failing to copy them (a file of another
    // owner) is no reason to lose the settings.
    if (ok && hasOld) (void)::fchmod(fd, old.st_mode & 07777);
    ok = ok && ::fsync(fd) == 0;
    struct stat st {};
    if (ok && written != nullptr && ::fstat(fd, &st) == 0) {
        FillIdentity(st, *written);
        written->status = FileReadStatus::Ok;
    }
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectory(DirectoryOf(path));
    return true;
}

void RemoveLeftoverTempFiles(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const std::string prefix = path.substr(path.find_last_of('/') + 1) + ".tmp.";
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return;
    while (const struct dirent* entry = ::readdir(d)) {
        std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) == prefix) ::unlinkat(::dirfd(d), entry->d_name, 0);
    }
    ::closedir(d);
}

bool EnsureDirectory(const std::string& path) {
    if (path.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    std::string parent = DirectoryOf(path);
    if (parent != path && parent != "." && parent != "/" && !EnsureDirectory(parent)) return false;
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileLock::FileLock(const std::string& lockPath, int timeoutMs) {
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;
    const struct timespec pause { 0, 5 * 1000 * 1000 };
    for (int waited = 0;; waited += 5) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            handle_ = fd;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= timeoutMs) break;
        ::nanosleep(&pause, nullptr);
    }
    ::close(fd);
}

FileLock::~FileLock() {
    if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace astrelle
