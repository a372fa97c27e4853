// The properties seam of the Windows shell: a plain message box until the dialogs exist.
#include "shell/win32/properties_seam.h"

namespace astrelle::win32 {

void ShowPropertiesDialog(HWND owner, ProcessValues&) {
    MessageBoxW(owner != nullptr && IsWindow(owner) ? owner : nullptr, kDialogNotAvailable, L"Astrelle",
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace astrelle::win32
