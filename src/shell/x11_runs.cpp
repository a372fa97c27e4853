// Preview box and xscreensaver window runs.
#include "shell/x11_runs.h"

#include <QGuiApplication>

#include <cstdio>

#include "shell/animation_glue.h"
#include "shell/x11_target.h"

namespace astrelle {
namespace {

void RunUntilStopped(X11Target& target, HostWindow kind, ProcessValues& process) {
    QtEngineHost host(process, target);
    target.SetStopFlag(&process.StopRequested);
    while (target.TargetAlive() && process.ExitRequested == kFalse16) {
        process.StopRequested = kFalse16;
        target.Surface().Resize(target.Width(), target.Height());
        RunHostSequence(kind, host, target.Surface());
        // A run ends for good unless the window changed size under it.
        if (!target.TakeResize() || process.ExitRequested != kFalse16) break;
    }
}

}  // namespace

int RunPreviewBox(x11::Connection& connection, x11::WindowId parent, ProcessValues& process) {
    X11Target target(connection, parent, X11Target::Kind::PreviewChild);
    // A handle of 0 or of no window: nothing to draw in, so the run ends before its first
    // frame would have found the parent missing.
    if (!target.TargetAlive()) return 0;
    RunUntilStopped(target, HostWindow::PreviewBox, process);
    connection.EnsureAlive();
    return 0;
}

int RunHackWindow(x11::Connection& connection, x11::WindowId window, ProcessValues& process) {
    if (!connection.WindowExists(window)) {
        std::fprintf(stderr, "astrelle: window 0x%lx does not exist\n", window);
        return 1;
    }
    X11Target target(connection, window, X11Target::Kind::DirectWindow);
    if (!target.TargetAlive()) {
        std::fprintf(stderr, "astrelle: cannot draw into window 0x%lx\n", window);
        return 1;
    }
    RunUntilStopped(target, HostWindow::Saver, process);
    connection.EnsureAlive();
    return 0;
}

}  // namespace astrelle
