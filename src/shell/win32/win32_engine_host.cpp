// Frame pacing in the Win32 message loop.
#include "shell/win32/win32_engine_host.h"

#include "engine/colour.h"
#include "platform/services.h"

namespace astrelle::win32 {

Win32EngineHost::Win32EngineHost(ProcessValues& process, SaverWindow& window)
    : process_(process), window_(window) {}

Win32EngineHost::~Win32EngineHost() = default;

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

void Win32EngineHost::ProcessEvents(uint32_t maxWaitMs) {
    window_.Present();
    const bool handled = DispatchPending();
    if (!handled && maxWaitMs > 0 && process_.StopRequested == kFalse16) {
        wait_.Wait(maxWaitMs);
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
