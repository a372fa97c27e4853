// File primitives of the stores: reading a file of any origin safely, replacing a file
// atomically and durably, and an exclusive lock between processes. Part of the platform
// services (services.h); posix/ and win32/ implement them. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace astrelle {

// Files above this size are not profile files; reading stops there and writes refuse to
// replace them, so a stray huge file can neither exhaust memory nor be cut short.
inline constexpr size_t kMaxProfileFileBytes = 64u << 20;

enum class FileReadStatus {
    Ok,          // bytes hold the whole file
    Missing,     // no such file (or a folder on the way is missing)
    NotRegular,  // a folder, device, pipe or socket: never opened for reading data
    Unreadable,  // exists but cannot be read (permissions, I/O error)
    TooLarge,    // larger than the limit; bytes hold nothing
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;
    // Identity of what was read (device or volume, inode or file index, size, modification
    // time), so a later look can tell whether the file was replaced or changed.
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t mtimeNs = 0;
    // Marked read-only: no write permission bit at all (POSIX), the read-only attribute
    // (Windows). Checked explicitly because a privileged user could otherwise overwrite it.
    bool readOnly = false;
};

// Reads a regular file of at most maxBytes. Never blocks on pipes or devices.
FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes = kMaxProfileFileBytes);

// Identity of a file as ReadWholeFile records it, without reading; status Ok when the
// path names a regular file.
FileReadResult StatFile(const std::string& path);

// Replaces the file at path with bytes: writes a new file in the same folder, flushes it
// to the disk, renames it over the old one and flushes the folder (on Windows a rename
// with write-through). A crash at any moment leaves either the old or the new file. A
// symbolic link is followed, so the file it names is replaced. The new file gets the
// permission bits of the old one; a new file gets 0666 less the umask. On failure
// (read-only folder, full disk, ...) nothing is left behind and the old file is untouched.
// The identity of the written file is stored in *written when given.
[[nodiscard]] bool ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                                         FileReadResult* written = nullptr);

// Removes the temporary files that ReplaceFileAtomically leaves when its process is killed
// in the middle of a write. Only safe while every writer of the path holds one lock.
void RemoveLeftoverTempFiles(const std::string& path);

// Creates a folder and its missing parents (0777 less the umask). True when it exists.
[[nodiscard]] bool EnsureDirectory(const std::string& path);

// Folder part of a path ("." when it has none; Windows also splits at "\\" and keeps a
// drive's root, "C:\\").
std::string DirectoryOf(const std::string& path);

// An exclusive lock on a lock file, held from construction until destruction. The kernel
// releases it when the process dies, so a killed writer never blocks the next one.
class FileLock {
  public:
    // Waits up to timeoutMs for the lock; Locked() tells whether it was taken.
    FileLock(const std::string& lockPath, int timeoutMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Locked() const { return handle_ != kNoHandle; }

  private:
    // A file descriptor on POSIX, a file HANDLE on Windows (whose invalid value is -1 too).
    static constexpr intptr_t kNoHandle = -1;
    intptr_t handle_ = kNoHandle;
};

}  // namespace astrelle
