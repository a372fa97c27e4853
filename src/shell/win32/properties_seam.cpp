// The properties seam of the Windows shell: the Win32 view of the dialog over the process's
// store and tables.
#include "shell/win32/properties_seam.h"

#include "shell/win32/win32_settings.h"
#include "ui/win32/props_view.h"

namespace astrelle::win32 {

void ShowPropertiesDialog(HWND owner, ProcessValues& process) {
    ShowPropertiesDialog(owner, process, ProcessSettingsStore(), ProcessGalaxyTypes(), ProcessComposites());
}

}  // namespace astrelle::win32
