// astrelle-soak: runs the saver's animation headless for a given number of frames and
// reports frames per second and resident memory when the run starts, after its first
// universe cycle and at its end. Built with the sanitizers by bench/soak; the exit status
// is 1 when memory grew after the first cycle, 2 on a usage error.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/headless_host.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

struct Options {
    std::string settings = "default";
    uint64_t seed = 1;
    int64_t frames = 1'000'000;
    int width = 1920;
    int height = 1080;
    long maxGrowthKib = 1024;
};

constexpr const char* kUsage =
    "usage: astrelle-soak [--settings default|largest] [--seed N] [--frames N] [--size WxH]\n"
    "                     [--max-growth-kib N]\n";

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (arg == "--settings" && (value == "default" || value == "largest")) {
            o.settings = value;
        } else if (arg == "--seed") {
            o.seed = std::strtoull(value.c_str(), nullptr, 10);
        } else if (arg == "--frames") {
            o.frames = std::atoll(value.c_str());
        } else if (arg == "--size" && std::sscanf(value.c_str(), "%dx%d", &o.width, &o.height) == 2) {
        } else if (arg == "--max-growth-kib") {
            o.maxGrowthKib = std::atol(value.c_str());
        } else {
            return false;
        }
    }
    return o.frames > 0 && o.width > 0 && o.height > 0;
}

// Resident memory of this process in KiB (the second field of /proc/self/statm). Read
// without touching the heap: under AddressSanitizer freed blocks wait in a quarantine of
// hundreds of megabytes before reuse, so a stream opened for every sample would itself
// look like steady growth.
long ResidentKib() {
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    char text[128];
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0) return -1;
    text[n] = '\0';
    char* end = nullptr;
    std::strtol(text, &end, 10);  // total size
    const long resident = std::strtol(end, nullptr, 10);
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Every count at the top of its range and gravity at full strength: the most work and
// the largest arrays a run can have. The tour takes one frame step per control point so
// that whole universe cycles (999 visits) fit a soak run.
void StoreLargestSettings(SettingsStore& store) {
    const std::pair<const char*, const char*> values[] = {
        {"Universe_Stars", "30000"},  {"Universe_Galaxy", "999"},       {"Universe_AmStar", "3000"},
        {"Universe_STrail", "999"},   {"Universe_GravForce", "999999"}, {"Universe_GravFrame", "1"},
        {"Universe_NewFreq", "9999"}, {"Universe_GSteps", "1"},
    };
    for (const auto& [key, value] : values)
        RegWriteText(store, kSectionUniverse, key, std::string_view(value));
}

}  // namespace
}  // namespace astrelle

int main(int argc, char** argv) {
    using namespace astrelle;
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    MemorySettingsStore store;
    StoreFactorySettings(store);
    if (o.settings == "largest") StoreLargestSettings(store);

    HeadlessHost host(o.seed);
    host.Process().RunMode = RunModeValue::ScreenSaver;
    PixelSurface surface(o.width, o.height);
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx(host, surface, types, composites);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point started = Clock::now();
    long rssStart = 0;
    long rssAfterFirstCycle = -1;
    long rssPeakLater = 0;
    int64_t frames = 0;
    int64_t cycles = 0;
    int64_t firstCycleFrames = -1;
    long rssEnd = -1;               // at the last frame
    std::string rssByCycle;         // at the first frame of every cycle
    rssByCycle.reserve(64 * 1024);  // no allocation while frames run
    RunSaverHostSequence(ctx, store, HostKind::Window,
                         [&](EngineContext& c, RuntimeArrays&, const UniverseFrame& f) {
                             frames = f.frameInRun + 1;
                             cycles = f.cycle + 1;
                             if (f.frameInRun == 0) rssStart = ResidentKib();
                             if (f.frameInCycle == 0) {
                                 if (!rssByCycle.empty()) rssByCycle += ',';
                                 rssByCycle += std::to_string(ResidentKib());
                             }
                             if (f.cycle == 1 && f.frameInCycle == 0) {
                                 firstCycleFrames = f.frameInRun;
                                 rssAfterFirstCycle = ResidentKib();
                             }
                             // Sampled, since reading /proc costs far more than a frame.
                             if (f.cycle >= 1 && (frames & 4095) == 0) {
                                 const long now = ResidentKib();
                                 if (now > rssPeakLater) rssPeakLater = now;
                             }
                             if (frames >= o.frames) {
                                 rssEnd = ResidentKib();
                                 c.Host.Process().StopRequested = kTrue16;
                             }
                         });
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (rssEnd > rssPeakLater) rssPeakLater = rssEnd;

    std::printf(
        "settings=%s seed=%llu size=%dx%d frames=%lld cycles=%lld first_cycle_frames=%lld seconds=%.1f "
        "fps=%.0f rss_start_kib=%ld rss_after_first_cycle_kib=%ld rss_end_kib=%ld "
        "rss_peak_after_first_cycle_kib=%ld rss_by_cycle_kib=%s\n",
        o.settings.c_str(), static_cast<unsigned long long>(o.seed), o.width, o.height,
        static_cast<long long>(frames), static_cast<long long>(cycles),
        static_cast<long long>(firstCycleFrames), seconds, static_cast<double>(frames) / seconds, rssStart,
        rssAfterFirstCycle, rssEnd, rssPeakLater, rssByCycle.c_str());
    if (frames < o.frames) {
        std::fprintf(stderr, "astrelle-soak: the run ended after %lld of %lld frames\n",
                     static_cast<long long>(frames), static_cast<long long>(o.frames));
        return 1;
    }
    if (rssAfterFirstCycle < 0) {
        std::fprintf(stderr,
                     "astrelle-soak: no universe cycle ended within %lld frames; memory growth unknown\n",
                     static_cast<long long>(frames));
        return 0;
    }
    const long growth = rssPeakLater - rssAfterFirstCycle;
    if (growth > o.maxGrowthKib) {
        std::fprintf(stderr, "astrelle-soak: resident memory grew by %ld KiB after the first cycle\n",
                     growth);
        return 1;
    }
    return 0;
}
