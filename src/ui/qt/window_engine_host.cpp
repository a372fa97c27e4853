// Frame pacing in the Qt event loop.
#include "ui/qt/window_engine_host.h"

#include <QCoreApplication>

#include <utility>

#include "platform/services.h"

namespace astrelle {

WindowEngineHost::WindowEngineHost(ProcessValues& process, std::function<void()> present, QObject* parent)
    : QObject(parent), process_(process), present_(std::move(present)) {
    wake_.setSingleShot(true);
    // A coarse timer could stretch a 25 ms frame by up to 5%.
    wake_.setTimerType(Qt::PreciseTimer);
}

uint32_t WindowEngineHost::TickCount() {
    return TickCountMs();
}

uint64_t WindowEngineHost::ClockSeed() {
    return astrelle::ClockSeed();
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
