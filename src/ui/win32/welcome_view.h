// The welcome window ("About Astrelle") and the product's web page on Windows.
#pragma once

#include <windows.h>

#include "engine/process_values.h"
#include "settings/settings_model.h"

namespace astrelle {
class SettingsStore;
}

namespace astrelle::win32 {

// Shows the welcome window modally over owner; returns when it is dismissed.
void ShowWelcome(HWND owner, ProcessValues& process, GalaxyTypeTable& galaxyTypes, CompositeTable& composites,
                 SettingsStore* store);

// Opens the product page in the default browser; when that fails, says so in a warning
// over owner.
void OpenProductPage(HWND owner);

}  // namespace astrelle::win32
