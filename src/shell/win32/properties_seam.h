// Opening the properties dialog ("Galaxy Properties") on Windows: from "/c" and modally from
// a key or click in the windowed program, over the process's settings store and tables.
#pragma once

#include <windows.h>

#include "engine/process_values.h"

namespace astrelle::win32 {

// Shows the dialog modally, owned by owner when that is a window (Windows passes the Screen
// Saver Settings dialog after "/c:"), centred on it, else on the screen; returns when it is
// closed. Its "Exit" entry sets process.ExitRequested.
void ShowPropertiesDialog(HWND owner, ProcessValues& process);

}  // namespace astrelle::win32
