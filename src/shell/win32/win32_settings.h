// The Windows saver's stored settings: one registry store for the process (per user, with
// the machine-wide fallback), the galaxy type and composite tables that the animation and
// later the dialogs share, and the template import asked for on the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "shell/logic/startup.h"

namespace astrelle::win32 {

SettingsStore& ProcessSettingsStore();
GalaxyTypeTable& ProcessGalaxyTypes();
CompositeTable& ProcessComposites();

// The stored text as it stands (nothing when missing or too long to be read).
std::optional<std::string> ReadStoredText(std::string_view section, std::string_view key);
// False when the value could not be stored (the store fails silently for the user).
bool WriteStoredText(std::string_view section, std::string_view key, std::string_view text);

// Imports the ".glx" template named on the command line when the decision asks for it; a
// file that cannot be read leaves the settings as they are.
void ImportTemplateFromCommandLine(const StartupDecision& decision);

}  // namespace astrelle::win32
