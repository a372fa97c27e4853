// Frame pacing in the Win32 message loop.
#include "shell/win32/win32_engine_host.h"

#include "engine/colour.h"
#include "platform/services.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace astrelle::win32 {

namespace {

// A relative due time for SetWaitableTimer: negative, in 100 ns steps.
constexpr LONGLONG kTimerStepsPerMs = 10000;
// Waits beyond this are cut (a delay setting of hours must not freeze the window).
constexpr uint32_t kLongestWaitMs = 1000000;

}  // namespace

Win32EngineHost::Win32EngineHost(ProcessValues& process, SaverWindow& window)
    : process_(process), window_(window) {
    // The timeout of a wait and an ordinary timer move in steps of the system timer (about
    // 16 ms), which would stretch a 25 ms frame to 31 ms. A high-resolution timer (Windows
    // 10 1803 and later) keeps the frame delay; without one the timeout serves.
    timer_ =
        CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

Win32EngineHost::~Win32EngineHost() {
    if (timer_ != nullptr) CloseHandle(timer_);
}

uint32_t Win32EngineHost::TickCount() {
    return TickCountMs();
}

uint64_t Win32EngineHost::ClockSeed() {
    return astrelle::ClockSeed();
}

bool Win32EngineHost::DispatchPending() {
    bool any = false;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (message.message == WM_QUIT) {
            // Someone asked the whole program to end.
            process_.ExitRequested = kTrue16;
            process_.StopRequested = kTrue16;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return any;
}

void Win32EngineHost::Sleep(uint32_t maxWaitMs) {
    if (maxWaitMs > kLongestWaitMs) maxWaitMs = kLongestWaitMs;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(maxWaitMs) * kTimerStepsPerMs;
    if (timer_ != nullptr && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
        MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        CancelWaitableTimer(timer_);
    } else {
        MsgWaitForMultipleObjectsEx(0, nullptr, maxWaitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32EngineHost::ProcessEvents(uint32_t maxWaitMs) {
    window_.Present();
    const bool handled = DispatchPending();
    if (!handled && maxWaitMs > 0 && process_.StopRequested == kFalse16) {
        Sleep(maxWaitMs);
        DispatchPending();
    }
    // An exit request stands until the program ends: a run clears StopRequested when it
    // starts, and a request that came while the window was set up must still end it.
    if (process_.ExitRequested != kFalse16) process_.StopRequested = kTrue16;
}

void Win32EngineHost::RefreshMessage() {
    if (settings_ == nullptr) return;
    window_.SetMessage(settings_->MessageText, settings_->MessageFontName, settings_->MessageFontSize,
                       HueColor(settings_->MessageHue));
}

}  // namespace astrelle::win32
