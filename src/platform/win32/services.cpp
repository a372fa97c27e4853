// Windows implementation of the platform services: clocks, the environment, the process and
// file probes. Termination requests arrive as window messages there (the shell's), so the
// POSIX descriptor has no counterpart.
#include "platform/services.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "platform/win32/wide_text.h"

namespace astrelle {

namespace {

constexpr uint64_t kMsPerSecond = 1000;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kMsToSeconds = 0.001;
constexpr size_t kFallbackNameLength = 255;  // NTFS, FAT32 with long names, exFAT
constexpr DWORD kFirstPathBuffer = MAX_PATH;
constexpr DWORD kLongestPath = 32768;  // UTF-16 units of the longest path Windows knows

uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t PerformanceCount() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return static_cast<uint64_t>(count.QuadPart);
}

uint64_t PerformanceFrequency() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? static_cast<uint64_t>(f.QuadPart) : uint64_t{1};
    }();
    return frequency;
}

}  // namespace

uint32_t TickCountMs() {
    // GetTickCount itself moves in steps of the system timer (10-16 ms), which would stretch
    // a 25 ms frame to 31; the performance counter gives whole milliseconds.
    const uint64_t count = PerformanceCount();
    const uint64_t frequency = PerformanceFrequency();
    const uint64_t ms = count / frequency * kMsPerSecond + count % frequency * kMsPerSecond / frequency;
    return static_cast<uint32_t>(ms);
}

double SecondsSinceMidnight() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return local.wHour * kSecondsPerHour + local.wMinute * kSecondsPerMinute + local.wSecond +
           local.wMilliseconds * kMsToSeconds;
}

uint64_t ClockSeed() {
    static std::atomic<uint64_t> calls{0};
    FILETIME wall{};
    GetSystemTimePreciseAsFileTime(&wall);
    const uint64_t wallTicks = (static_cast<uint64_t>(wall.dwHighDateTime) << 32) | wall.dwLowDateTime;
    const uint64_t process = GetCurrentProcessId();
    return Mix(PerformanceCount() ^ Mix(wallTicks) ^ Mix(process << 32 | calls.fetch_add(1)));
}

uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

std::optional<std::string> EnvironmentValue(std::string_view name) {
    const std::wstring wideName = win32::Widen(name);
    if (wideName.empty()) return std::nullopt;
    std::vector<wchar_t> buffer(kFirstPathBuffer);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD n =
            GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (n < buffer.size()) return win32::Narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(n);  // n counts the terminating zero when the buffer was too small
    }
}

bool SetEnvironmentValue(std::string_view name, std::string_view value) {
    const std::wstring wideName = win32::Widen(name);
    if (wideName.empty()) return false;
    return SetEnvironmentVariableW(wideName.c_str(), win32::Widen(value).c_str()) != 0;
}

std::string HomeFolder() {
    return EnvironmentValue("USERPROFILE").value_or(std::string());
}

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(kFirstPathBuffer);
    while (buffer.size() <= kLongestPath) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return win32::Narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);  // cut short: try again with more room
    }
    return {};
}

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesW(win32::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

size_t MaxFileNameLength(const std::string& folder) {
    wchar_t volume[MAX_PATH + 1] = {};
    DWORD longest = 0;
    if (GetVolumePathNameW(win32::Widen(folder).c_str(), volume, MAX_PATH) &&
        GetVolumeInformationW(volume, nullptr, 0, nullptr, &longest, nullptr, nullptr, 0) && longest > 0) {
        return longest;
    }
    return kFallbackNameLength;
}

CreateProbe ProbeCreateFile(const std::string& path) {
    // Deleted by the system when the handle closes, so not even a crash right here leaves the
    // probe behind.
    const HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateProbe::NameTaken
                                                                           : CreateProbe::Failed;
    }
    CloseHandle(file);
    return CreateProbe::Created;
}

void HoldTerminationRequests() {}

int RouteTerminationRequests() {
    return -1;
}

void DrainTerminationRequests() {}

void RestoreTerminationDefaults() {}

}  // namespace astrelle
