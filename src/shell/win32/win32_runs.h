// The three runs of the Windows saver, each until its window closes: the full-screen saver
// ("/s", a template import, anything else), the windowed program (the ".exe" marker) and
// the preview in another program's window ("/p <handle>"). Each returns the exit status.
#pragma once

#include <windows.h>

#include "engine/process_values.h"

namespace astrelle::win32 {

int RunFullScreenSaver(ProcessValues& process);
int RunWindowedProgram(ProcessValues& process);
// A parent that is no window ends the run at once, with status 0.
int RunPreview(HWND parent, ProcessValues& process);

}  // namespace astrelle::win32
