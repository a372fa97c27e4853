// The one place where the shell calls into the engine: the host sequences of the three
// hosts (full-screen saver and xscreensaver window, windowed program, preview box). Each
// runs until StopRequested is set and returns; the windows decide what happens next.
#pragma once

#include <cstddef>

#include "engine/pixel_surface.h"
#include "shell/qt_engine_host.h"

namespace astrelle {

enum class HostWindow {
    Saver,      // frmSaver, the xscreensaver window and frmScreen: first-run check, lock message
    PreviewBox  // "/P": reduced star counts, no message, no clear between cycles
};

// Runs the host sequence on surface (already sized to the drawing area in device pixels)
// until StopRequested. The lock message reaches the host's sink through RefreshMessage.
void RunHostSequence(HostWindow kind, QtEngineHost& host, PixelSurface& surface);

}  // namespace astrelle
