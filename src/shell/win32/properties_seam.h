// Opening the properties dialog ("Galaxy Properties") on Windows: from "/c" and modally from
// a key or click in the windowed program. This build has no Windows dialogs yet; the seam
// says so in a message box, so that "/c" and the windowed program work and never crash.
#pragma once

#include <windows.h>

#include "engine/process_values.h"

namespace astrelle::win32 {

inline constexpr wchar_t kDialogNotAvailable[] =
    L"The settings dialog is not available in this build of Astrelle.";

// Shows the dialog modally, owned by owner when that is a window (Windows passes the Screen
// Saver Settings dialog after "/c:"); returns when it is closed. Its "Exit" entry would set
// process.ExitRequested.
void ShowPropertiesDialog(HWND owner, ProcessValues& process);

}  // namespace astrelle::win32
