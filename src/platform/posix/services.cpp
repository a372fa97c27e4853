// POSIX implementation of the platform services: clocks, the environment, the process, file
// probes and the self-pipe that turns SIGTERM and SIGINT into a readable descriptor.
#include "platform/services.h"

#include <fcntl.h>
#include <pthread.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>

namespace astrelle {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kNsPerMs = 1000000;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kNsPerSecond = 1e9;

int64_t ClockNs(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * kMsPerSecond * kNsPerMs + now.tv_nsec;
}

// splitmix64's finaliser: neighbouring inputs give unrelated outputs.
uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int gTerminationPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gTerminationPipe[1], &byte, 1);
    errno = saved;
}

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

void ReleaseTerminationRequests() {
    const sigset_t held = TerminationSignals();
    pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
}

}  // namespace

uint32_t TickCountMs() {
    // Only the low 32 bits are kept: the tick count wraps, and callers look at differences.
    return static_cast<uint32_t>(static_cast<uint64_t>(ClockNs(CLOCK_MONOTONIC) / kNsPerMs));
}

double SecondsSinceMidnight() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    if (::localtime_r(&now.tv_sec, &local) == nullptr) return 0.0;
    return local.tm_hour * kSecondsPerHour + local.tm_min * kSecondsPerMinute + local.tm_sec +
           static_cast<double>(now.tv_nsec) / kNsPerSecond;
}

uint64_t ClockSeed() {
    static std::atomic<uint64_t> calls{0};
    const uint64_t monotonic = static_cast<uint64_t>(ClockNs(CLOCK_MONOTONIC));
    const uint64_t wall = static_cast<uint64_t>(ClockNs(CLOCK_REALTIME));
    const uint64_t process = static_cast<uint64_t>(::getpid());
    return Mix(monotonic ^ Mix(wall) ^ Mix(process << 32 | calls.fetch_add(1)));
}

uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(::getpid());
}

std::optional<std::string> EnvironmentValue(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

bool SetEnvironmentValue(std::string_view name, std::string_view value) {
    return ::setenv(std::string(name).c_str(), std::string(value).c_str(), 1) == 0;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
    return {};
}

std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    return std::string(path, static_cast<size_t>(n));
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

size_t MaxFileNameLength(const std::string& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : static_cast<size_t>(NAME_MAX);
}

CreateProbe ProbeCreateFile(const std::string& path) {
    // Exclusive create: an existing file of that name makes it fail with EEXIST, so only a
    // file created here is ever removed.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EEXIST ? CreateProbe::NameTaken : CreateProbe::Failed;
    ::close(fd);
    ::unlink(path.c_str());
    return CreateProbe::Created;
}

void HoldTerminationRequests() {
    const sigset_t held = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

int RouteTerminationRequests() {
    if (gTerminationPipe[0] >= 0 || ::pipe2(gTerminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ReleaseTerminationRequests();
        return -1;
    }
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A signal held until now reaches the handler at once.
    ReleaseTerminationRequests();
    return gTerminationPipe[0];
}

void DrainTerminationRequests() {
    if (gTerminationPipe[0] < 0) return;
    char buffer[16];
    while (::read(gTerminationPipe[0], buffer, sizeof buffer) > 0) {
    }
}

void RestoreTerminationDefaults() {
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
}

}  // namespace astrelle
