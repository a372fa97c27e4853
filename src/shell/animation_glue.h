// The one place where the shell calls into the engine: the host sequences of the three
// hosts (full-screen saver and xscreensaver window, windowed program, preview box). Each
// runs until StopRequested is set and returns; the windows decide what happens next.
#pragma once

#include <functional>

#include "engine/pixel_surface.h"
#include "shell/message_label.h"
#include "shell/qt_engine_host.h"

namespace astrelle {

enum class HostKind {
    FullScreen,  // frmSaver and the xscreensaver window: first-run check, lock message
    Windowed,    // frmScreen: first-run check, lock message
    PreviewBox   // "/P": reduced star counts, no message, no clear between cycles
};

struct AnimationHooks {
    // Receives the lock message settings that the set-up loaded.
    std::function<void(const MessageStyle&)> setMessage;
};

// Runs the host sequence for this kind on surface (already sized) until StopRequested.
void RunHostSequence(HostKind kind, QtEngineHost& host, PixelSurface& surface, const AnimationHooks& hooks);

}  // namespace astrelle
