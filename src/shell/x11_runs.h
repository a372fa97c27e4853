// The two runs that draw into a window of another program: the preview box ("/P <id>")
// and the xscreensaver window (-window-id, XSCREENSAVER_WINDOW, -root). Both live in the
// saver's own X11 connection; Qt only provides the event loop and text rendering.
#pragma once

#include "engine/process_values.h"
#include "platform/x11/x11_display.h"

namespace astrelle {

// Runs the preview in a child of parent until the child or parent is destroyed. A parent
// that does not exist ends the run at once. Returns the exit status (0).
int RunPreviewBox(x11::Connection& connection, x11::WindowId parent, ProcessValues& process);

// Draws into window at full star counts, following its size, until it is destroyed or a
// termination signal arrives. A window that does not exist is reported on stderr and
// gives a non-zero status.
int RunHackWindow(x11::Connection& connection, x11::WindowId window, ProcessValues& process);

}  // namespace astrelle
