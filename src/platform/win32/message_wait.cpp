// The frame wait on a high-resolution waitable timer, with the plain timeout as fallback.
#include "platform/win32/message_wait.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace astrelle::win32 {

namespace {

// A relative due time for SetWaitableTimer: negative, in 100 ns steps.
constexpr LONGLONG kTimerStepsPerMs = 10000;
constexpr uint32_t kLongestWaitMs = 1000000;

}  // namespace

MessageWait::MessageWait() {
    // Windows 10 1803 and later; without it the timeout of the wait serves.
    timer_ =
        CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

MessageWait::~MessageWait() {
    if (timer_ != nullptr) CloseHandle(timer_);
}

void MessageWait::Wait(uint32_t maxWaitMs) {
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

}  // namespace astrelle::win32
