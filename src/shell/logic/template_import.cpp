// The import step of start-up.

#include "shell/logic/template_import.h"

#include "settings/registry_store.h"
#include "settings/template_files.h"

namespace astrelle {

bool PerformStartupImport(const StartupDecision& decision, SettingsStore& templateFile,
                          SettingsStore& store) {
    if (decision.action != StartupAction::ImportTemplateThenRun) return false;
    StoreBatch batch(store);
    GalaxyTypeTable factory{};
    EnsureFirstRunGalaxyTypes(store, factory);
    ImportTemplate(templateFile, store);
    return batch.Commit();
}

}  // namespace astrelle
