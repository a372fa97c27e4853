// The runs of the Windows saver: a window, its engine host and the host sequence, repeated
// while the window asks for a restart (F5, a new size).
#include "shell/win32/win32_runs.h"

#include "engine/engine_setup.h"
#include "engine/engine_state.h"
#include "shell/logic/saver_platform.h"
#include "shell/win32/saver_window.h"
#include "shell/win32/win32_engine_host.h"
#include "shell/win32/win32_settings.h"

namespace astrelle::win32 {

namespace {

constexpr int kNoWindow = 1;  // the system refused to make the window

void RunHostSequence(HostKind kind, Win32EngineHost& host, PixelSurface& surface) {
    EngineContext ctx(host, surface, ProcessGalaxyTypes(), ProcessComposites());
    host.SetMessageSource(&ctx.Settings);
    RunSaverHostSequence(ctx, ProcessSettingsStore(), kind);
    host.SetMessageSource(nullptr);
}

void RunUntilClosed(SaverWindow& window, HostKind kind, ProcessValues& process) {
    Win32EngineHost host(process, window);
    // Let the window reach the screen, at its final size, before the first frame.
    host.ProcessEvents(0);
    for (;;) {
        window.TakeRestart();
        process.StopRequested = kFalse16;
        window.FitSurface();
        RunHostSequence(kind, host, window.Surface());
        // A run ends for good unless the window asked for a new start.
        if (!window.TakeRestart() || window.Closed() || process.ExitRequested != kFalse16) break;
    }
    window.Present();
}

}  // namespace

int RunFullScreenSaver(ProcessValues& process) {
    SetSaverRunning(true);
    SaverWindow window(SaverWindowKind::FullScreen, process);
    if (!window.Create()) return kNoWindow;
    RunUntilClosed(window, HostKind::Window, process);
    window.Destroy();
    SetSaverRunning(false);
    return 0;
}

int RunWindowedProgram(ProcessValues& process) {
    SaverWindow window(SaverWindowKind::Windowed, process);
    if (!window.Create()) return kNoWindow;
    RunUntilClosed(window, HostKind::Window, process);
    window.Destroy();
    return 0;
}

int RunPreview(HWND parent, ProcessValues& process) {
    SaverWindow window(SaverWindowKind::PreviewChild, process);
    // No window to draw in (a handle of 0, or one already gone): nothing to show.
    if (!window.Create(parent)) return 0;
    RunUntilClosed(window, HostKind::PreviewBox, process);
    window.Destroy();
    return 0;
}

}  // namespace astrelle::win32
