// Engine calls of the host sequences.
// TEMPORARY: the engine is not in this branch yet. Until it is merged this keeps the host
// window alive and responsive (events, pacing, the message refresh every 3000 ms) on a
// black surface; it draws no stars and is not the saver.
#include "shell/animation_glue.h"

namespace astrelle {

void RunHostSequence(HostKind kind, QtEngineHost& host, PixelSurface& surface, const AnimationHooks& hooks) {
    (void)surface;
    ProcessValues& process = host.Process();
    if (hooks.setMessage && kind != HostKind::PreviewBox) hooks.setMessage(MessageStyle{});
    uint32_t lastMessage = host.TickCount();
    while (process.StopRequested == kFalse16) {
        const uint32_t frameStart = host.TickCount();
        while (process.StopRequested == kFalse16 && host.TickCount() - frameStart < 25u) {
            host.ProcessEvents(25u - (host.TickCount() - frameStart));
        }
        if (kind == HostKind::PreviewBox && !host.PreviewParentExists()) process.StopRequested = kTrue16;
        if (static_cast<int32_t>(host.TickCount() - lastMessage) >= 3000) {
            lastMessage = host.TickCount();
            host.RefreshMessage();
        }
    }
}

}  // namespace astrelle
