// The import step of start-up: a template named on the command line is copied into the
// stored settings before the saver starts and reads them.
#pragma once

#include "settings/settings_store.h"
#include "shell/logic/startup.h"

namespace astrelle {

// Performs the import a start-up decision asks for (ImportTemplateThenRun); does nothing
// for any other decision. The caller opens the template named by decision.templatePath
// and the settings store, e.g.
//     TemplateFile file(decision.templatePath);
//     FileSettingsStore store(FileSettingsStore::DefaultDirectory());
//     PerformStartupImport(decision, file, store);
// and then runs the saver whatever the result. Returns true when an import was stored.
//
// A store that was never set up (no first-run marker) first gets the factory galaxy
// types: the import stores the marker but no galaxy types, so without this step the
// saver would skip its first-run fill and start on a store without any galaxy type.
bool PerformStartupImport(const StartupDecision& decision, SettingsStore& templateFile, SettingsStore& store);

}  // namespace astrelle
