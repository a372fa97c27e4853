// The shell's access to the stored settings: one store on settings.ini for the process,
// the few values the windows themselves read and write (Adv_WinResize, the window
// placement), and the template import asked for on the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "shell/logic/startup.h"

namespace astrelle {

// The galaxy type and composite tables of the process: loaded from the store before every
// run, shared by the animation and the properties dialog.
GalaxyTypeTable& ProcessGalaxyTypes();
CompositeTable& ProcessComposites();

// The permanent settings of this user ($ASTRELLE_CONFIG_DIR, else ~/.config/astrelle).
SettingsStore& ProcessSettingsStore();

// The stored text as it stands (nothing when missing or too long to be read).
std::optional<std::string> ReadStoredText(std::string_view section, std::string_view key);
// False when the value could not be stored (the store fails silently for the user).
bool WriteStoredText(std::string_view section, std::string_view key, std::string_view text);

// Imports the ".glx" template named on the command line when the decision asks for it. A
// file that cannot be read reads as empty, so the import stores the used-when-missing
// values of the general, advanced and universe keys it copies (as a file missing those
// keys would). Galaxy types and composites are never imported (PerformStartupImport).
void ImportTemplateFromCommandLine(const StartupDecision& decision);

}  // namespace astrelle
