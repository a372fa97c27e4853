// The Windows engine host: the wait for the next frame sleeps (no spinning) until the frame
// is due, comes back early for a message, and a quit request ends the run.
#include "shell/win32/win32_engine_host.h"

#include <gtest/gtest.h>

#include "platform/services.h"

namespace astrelle::win32 {
namespace {

// Milliseconds of processor time this thread has used.
uint64_t ThreadCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

TEST(Win32EngineHost, WaitsAsleepUntilTheFrameIsDueOrAMessageComes) {
    ProcessValues process;
    process.RunMode = RunModeValue::Preview;
    SaverWindow window(SaverWindowKind::PreviewChild, process);
    // A box of our own to draw in, as the Screen Saver Settings dialog would give.
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    if (box == nullptr || !window.Create(box))
        GTEST_SKIP() << "no window system (run under scripts/wine-tests)";
    window.FitSurface();
    Win32EngineHost host(process, window);
    host.ProcessEvents(0);

    const uint32_t before = TickCountMs();
    const uint64_t cpuBefore = ThreadCpuMs();
    host.ProcessEvents(200);
    const uint32_t slept = TickCountMs() - before;
    EXPECT_GE(slept, 190u);
    EXPECT_LT(slept, 2000u);
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 100u) << "the wait must sleep, not spin";

    PostMessageW(window.Handle(), WM_NULL, 0, 0);
    const uint32_t early = TickCountMs();
    host.ProcessEvents(5000);
    EXPECT_LT(TickCountMs() - early, 1000u);
    EXPECT_EQ(process.StopRequested, kFalse16);
    EXPECT_TRUE(host.PreviewParentExists());

    // The box goes: the child goes with it, and the run is asked to end.
    DestroyWindow(box);
    host.ProcessEvents(0);
    EXPECT_EQ(process.StopRequested, kTrue16);
    EXPECT_FALSE(host.PreviewParentExists());
}

TEST(Win32EngineHost, AQuitRequestEndsTheRunForGood) {
    ProcessValues process;
    SaverWindow window(SaverWindowKind::PreviewChild, process);
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    if (box == nullptr || !window.Create(box))
        GTEST_SKIP() << "no window system (run under scripts/wine-tests)";
    Win32EngineHost host(process, window);
    PostQuitMessage(0);
    host.ProcessEvents(0);
    EXPECT_EQ(process.ExitRequested, kTrue16);
    EXPECT_EQ(process.StopRequested, kTrue16);
    // A run that starts afterwards (StopRequested cleared) still ends at its first pass.
    process.StopRequested = kFalse16;
    host.ProcessEvents(0);
    EXPECT_EQ(process.StopRequested, kTrue16);
    DestroyWindow(box);
}

}  // namespace
}  // namespace astrelle::win32
