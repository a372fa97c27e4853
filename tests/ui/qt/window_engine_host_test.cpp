// The frame wait of the Qt hosts: it sleeps in the event loop until the frame is due
// instead of spinning, wakes early for an event, still makes one event pass at delay 0,
// and presents the finished frame before every pass.
#include "ui/qt/window_engine_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <ctime>

namespace astrelle {
namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TEST(WindowEngineHost, TheFrameWaitSleepsInsteadOfSpinning) {
    ProcessValues process;
    int presents = 0;
    WindowEngineHost host(process, [&presents] { ++presents; });
    const uint32_t start = host.TickCount();
    const double cpuStart = CpuSeconds();
    // Waits until each frame is due, as the frame loop does; about 200 ms in all.
    while (host.TickCount() - start < 200u) host.ProcessEvents(200u - (host.TickCount() - start));
    const double cpu = CpuSeconds() - cpuStart;
    EXPECT_GE(host.TickCount() - start, 200u);
    // A spinning wait would burn the whole 200 ms; sleeping costs next to nothing.
    EXPECT_LT(cpu, 0.05) << "the wait used " << cpu << " s of CPU";
    EXPECT_GE(presents, 1);
}

TEST(WindowEngineHost, AnEventEndsTheWaitEarlyAndZeroStillProcessesEvents) {
    ProcessValues process;
    int presents = 0;
    WindowEngineHost host(process, [&presents] { ++presents; });
    // A stop request arriving as an event (a key press, a signal) ends the wait at once.
    QTimer::singleShot(20, [&process] { process.StopRequested = kTrue16; });
    const uint32_t start = host.TickCount();
    while (process.StopRequested == kFalse16 && host.TickCount() - start < 2000u) host.ProcessEvents(1000);
    EXPECT_EQ(process.StopRequested, kTrue16);
    EXPECT_LT(host.TickCount() - start, 500u);

    // With no delay, one pass still handles what is pending, after presenting the frame.
    bool handled = false;
    int presentsBefore = -1;
    const int passesSoFar = presents;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            handled = true;
            presentsBefore = presents;
        },
        Qt::QueuedConnection);
    host.ProcessEvents(0);
    EXPECT_TRUE(handled);
    EXPECT_EQ(presentsBefore, passesSoFar + 1);
}

}  // namespace
}  // namespace astrelle
