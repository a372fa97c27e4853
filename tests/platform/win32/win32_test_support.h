// Helpers of the Windows platform tests: a scratch folder and a scratch registry key that
// remove themselves, and raw file and registry access that bypasses the code under test.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

#include "platform/services.h"
#include "platform/win32/wide_text.h"

namespace astrelle::testing {

inline std::string UniqueName(const std::string& stem) {
    static std::atomic<int> counter{0};
    return stem + "-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(counter++);
}

class ScratchFolder {
  public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = win32::Narrow(temp) + UniqueName("astrelle-test");
        CreateDirectoryW(win32::Widen(path_).c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(win32::Widen(path_)); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
    std::string path_;
};

inline bool WriteRawFile(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

inline std::optional<std::string> ReadRawFile(const std::string& path) {
    const HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(file);
    return bytes;
}

inline int CountFilesMatching(const std::string& pattern) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(win32::Widen(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        const std::wstring name = found.cFileName;
        n += name != L"." && name != L"..";
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return n;
}

}  // namespace astrelle::testing
