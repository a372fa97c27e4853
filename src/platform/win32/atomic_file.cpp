// Windows implementation of the file primitives of the stores: reads that never open a
// device or pipe for data, replacement by a flushed temporary file renamed over the old one
// with write-through, and a byte-range lock as the lock between processes.
#include "platform/atomic_file.h"

#include <windows.h>

#include <atomic>
#include <string_view>

#include "platform/services.h"
#include "platform/win32/wide_text.h"

namespace astrelle {

namespace {

using win32::Widen;

constexpr DWORD kReadChunk = 1u << 20;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int kTempNameAttempts = 100;
// A virus scanner or indexer may hold the old file open for a moment; a rename over it
// fails meanwhile with a sharing error, so it is tried again for a short while.
constexpr int kRenameAttempts = 10;
constexpr DWORD kRenamePauseMs = 20;
constexpr DWORD kLockPauseMs = 5;
// FILETIME counts 100 ns steps.
constexpr int64_t kNsPerFileTimeStep = 100;
// Attributes of the old file that the new one takes over (read-only refuses the write).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (Valid()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE Get() const { return h_; }
    // Closes now; false when the system reported an error.
    bool Close() {
        const bool ok = !Valid() || CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

bool IsMissingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_NETPATH;
}

FileReadStatus StatusOfOpenError(DWORD error) {
    return IsMissingError(error) ? FileReadStatus::Missing : FileReadStatus::Unreadable;
}

void FillIdentity(const BY_HANDLE_FILE_INFORMATION& info, FileReadResult& out) {
    out.device = info.dwVolumeSerialNumber;
    out.inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    out.size = static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    const uint64_t written = (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                             info.ftLastWriteTime.dwLowDateTime;
    out.mtimeNs = static_cast<int64_t>(written) * kNsPerFileTimeStep;
    out.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Looks at an open handle: Ok for a file on a disk, NotRegular for a folder, device or pipe.
FileReadStatus Identify(HANDLE file, FileReadResult& out) {
    if (GetFileType(file) != FILE_TYPE_DISK) return FileReadStatus::NotRegular;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return FileReadStatus::Unreadable;
    FillIdentity(info, out);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileReadStatus::NotRegular;
    return FileReadStatus::Ok;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD step =
            bytes.size() - done > kReadChunk ? kReadChunk : static_cast<DWORD>(bytes.size() - done);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, step, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Writing through a symbolic link or junction replaces the file it names, not the link.
std::wstring ResolveLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    Handle target(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target.Valid()) return path;
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(target.Get(), resolved.data(), static_cast<DWORD>(resolved.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return path;
        if (n < resolved.size()) {
            resolved.resize(n);
            return resolved;
        }
        resolved.resize(n + 1);
    }
}

bool IsTransientRenameError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Creates a new file in the folder of path under a name no other writer uses.
HANDLE CreateTempBeside(const std::wstring& path, std::wstring& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = path + L".tmp." + std::to_wstring(CurrentProcessId()) + L"." + std::to_wstring(counter++);
        const HANDLE file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

bool IsMarkedReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// One rename: on NTFS it is atomic, and write-through returns only once it is on the disk.
// ReplaceFileW would keep the old file's security settings, but where it fails half-way it
// can leave neither file under the name, which a settings write must never do.
bool RenameOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        // A read-only old file is no passing obstacle.
        if (attempt >= kRenameAttempts || !IsTransientRenameError(GetLastError()) || IsMarkedReadOnly(to)) {
            return false;
        }
        Sleep(kRenamePauseMs);
    }
}

bool IsSeparator(char ch) {
    return ch == '/' || ch == '\\';
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':';
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes) {
    FileReadResult result;
    // FILE_SHARE_DELETE: another process may replace the file while we read it; we keep the
    // version we opened.
    Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        // A folder cannot be opened this way; say what it is rather than "unreadable".
        const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            result.status = FileReadStatus::NotRegular;
        } else {
            result.status = StatusOfOpenError(error);
        }
        return result;
    }
    result.status = Identify(file.Get(), result);
    if (result.status != FileReadStatus::Ok) return result;
    if (static_cast<uint64_t>(result.size) > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::string bytes;
    bytes.resize(static_cast<size_t>(result.size));
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since its size was taken: keep reading, never beyond
            // the limit.
            if (bytes.size() > maxBytes) {
                result.status = FileReadStatus::TooLarge;
                return result;
            }
            bytes.resize(bytes.size() + 65536);
        }
        const size_t room = bytes.size() - done;
        const DWORD step = room > kReadChunk ? kReadChunk : static_cast<DWORD>(room);
        DWORD n = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, step, &n, nullptr)) {
            result.status = FileReadStatus::Unreadable;
            return result;
        }
        if (n == 0) break;
        done += n;
    }
    bytes.resize(done);
    result.size = static_cast<int64_t>(done);
    result.bytes = std::move(bytes);
    return result;
}

FileReadResult StatFile(const std::string& path) {
    FileReadResult result;
    // Backup semantics open folders too, so that they are told apart from missing files.
    Handle file(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        result.status = StatusOfOpenError(GetLastError());
        return result;
    }
    result.status = Identify(file.Get(), result);
    return result;
}

bool ReplaceFileAtomically(const std::string& requestedPath, const std::string& bytes,
                           FileReadResult* written) {
    const std::wstring path = ResolveLink(Widen(requestedPath));
    if (path.empty()) return false;
    const DWORD oldAttributes = GetFileAttributesW(path.c_str());
    const bool hasOld = oldAttributes != INVALID_FILE_ATTRIBUTES;
    if (hasOld && (oldAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) return false;

    std::wstring temp;
    Handle file(CreateTempBeside(path, temp));
    if (!file.Valid()) return false;

    bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) != 0;
    if (ok && written != nullptr) written->status = Identify(file.Get(), *written);
    ok = file.Close() && ok;
    // Keep the marks the user gave the old file (hidden, not indexed, ...).
    if (ok && hasOld && (oldAttributes & kKeptAttributes)) {
        SetFileAttributesW(temp.c_str(), oldAttributes & kKeptAttributes);
    }
    if (!ok || !RenameOver(temp, path)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

void RemoveLeftoverTempFiles(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const std::wstring pattern = Widen(path) + L".tmp.*";
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    const std::wstring folder = Widen(dir) + L"\\";
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool EnsureDirectory(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string parent = DirectoryOf(path);
    if (parent != path && parent != "." && !EnsureDirectory(parent)) return false;
    if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
    const DWORD now = GetFileAttributesW(wide.c_str());
    return GetLastError() == ERROR_ALREADY_EXISTS && now != INVALID_FILE_ATTRIBUTES &&
           (now & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = std::string::npos;
    for (size_t i = path.size(); i-- > 0;) {
        if (IsSeparator(path[i])) {
            slash = i;
            break;
        }
    }
    if (slash == std::string::npos) return HasDrive(path) ? path.substr(0, 2) : ".";
    // The root of a drive or of the current drive keeps its separator.
    if (slash == 0) return path.substr(0, 1);
    if (slash == 2 && HasDrive(path)) return path.substr(0, 3);
    return path.substr(0, slash);
}

FileLock::FileLock(const std::string& lockPath, int timeoutMs) {
    const HANDLE file = CreateFileW(Widen(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    for (int waited = 0;; waited += static_cast<int>(kLockPauseMs)) {
        OVERLAPPED at{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            handle_ = reinterpret_cast<intptr_t>(file);
            return;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || waited >= timeoutMs) break;
        Sleep(kLockPauseMs);
    }
    CloseHandle(file);
}

FileLock::~FileLock() {
    if (handle_ == kNoHandle) return;
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    // Closing alone releases the lock only "when resources allow"; unlock at once.
    OVERLAPPED at{};
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
}

}  // namespace astrelle
