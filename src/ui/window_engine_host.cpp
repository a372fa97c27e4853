// Frame pacing in the Qt event loop.
#include "ui/window_engine_host.h"

#include <QCoreApplication>

#include <chrono>
#include <utility>

namespace astrelle {

WindowEngineHost::WindowEngineHost(ProcessValues& process, std::function<void()> present, QObject* parent)
    : QObject(parent), process_(process), present_(std::move(present)) {
    wake_.setSingleShot(true);
    // A coarse timer could stretch a 25 ms frame by up to 5%.
    wake_.setTimerType(Qt::PreciseTimer);
}

uint32_t WindowEngineHost::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint64_t WindowEngineHost::ClockSeed() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(steady) ^ (static_cast<uint64_t>(wall) << 1);
}

void WindowEngineHost::BeforeEvents() {
    if (present_) present_();
}

void WindowEngineHost::ProcessEvents(uint32_t maxWaitMs) {
    BeforeEvents();
    WaitForEvents(maxWaitMs);
    AfterEvents();
    KeepExitRequest();
}

void WindowEngineHost::WaitForEvents(uint32_t maxWaitMs) {
    if (maxWaitMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        // The timer is an event itself, so the blocking pass returns when the frame is due
        // at the latest, and earlier for input, a paint request or a signal.
        wake_.start(static_cast<int>(maxWaitMs > 1000000u ? 1000000u : maxWaitMs));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        wake_.stop();
    }
}

void WindowEngineHost::KeepExitRequest() {
    // A run clears StopRequested when it starts, so a termination signal handled just
    // before (while the window was still being set up) would otherwise be lost and the
    // program would animate on.
    if (process_.ExitRequested != kFalse16) process_.StopRequested = kTrue16;
}

}  // namespace astrelle
