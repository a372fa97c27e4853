// Frame pacing of the dialogs' previews.
#include "ui/win32/preview_host.h"

#include "platform/services.h"
#include "ui/win32/dialog_window.h"

namespace astrelle::win32 {

void PreviewHost::FitSurface() {
    // The engine owns the picture now: nothing of an earlier drawing comes back.
    picture_.SetDrawing({});
    picture_.Fit();
}

uint32_t PreviewHost::TickCount() {
    return TickCountMs();
}

uint64_t PreviewHost::ClockSeed() {
    return astrelle::ClockSeed();
}

bool PreviewHost::PreviewParentExists() {
    return picture_.Handle() != nullptr && IsWindow(picture_.Handle()) != FALSE;
}

void PreviewHost::ProcessEvents(uint32_t maxWaitMs) {
    picture_.Present();
    MSG message{};
    const bool pending = PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    if (!pending && maxWaitMs > 0) wait_.Wait(maxWaitMs);
    // The program is asked to end (WM_QUIT, passed on to the outermost loop): the preview,
    // and a show of previews, stop at once, so the dialogs around them can close.
    if (!DispatchPendingMessages()) {
        process_.PreviewStopRequested = kTrue16;
        process_.StopRequested = kTrue16;
    }
}

}  // namespace astrelle::win32
