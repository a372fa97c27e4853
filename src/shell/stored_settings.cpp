// Stored settings for the shell, on the settings file of the user.
#include "shell/stored_settings.h"

#include "platform/profile_file.h"
#include "settings/registry_store.h"
#include "shell/logic/template_import.h"

namespace astrelle {

GalaxyTypeTable& ProcessGalaxyTypes() {
    static GalaxyTypeTable table{};
    return table;
}

CompositeTable& ProcessComposites() {
    static CompositeTable table{};
    return table;
}

SettingsStore& ProcessSettingsStore() {
    static FileSettingsStore store(FileSettingsStore::DefaultDirectory());
    return store;
}

std::optional<std::string> ReadStoredText(std::string_view section, std::string_view key) {
    std::optional<std::string> text = ProcessSettingsStore().ReadText(section, key);
    if (text && Utf8Length(*text) > kMaxStoredTextChars) return std::nullopt;
    return text;
}

bool WriteStoredText(std::string_view section, std::string_view key, std::string_view text) {
    return RegWriteText(ProcessSettingsStore(), section, key, text);
}

void ImportTemplateFromCommandLine(const StartupDecision& decision) {
    if (decision.action != StartupAction::ImportTemplateThenRun) return;
    TemplateFile file(decision.templatePath);
    PerformStartupImport(decision, file, ProcessSettingsStore());
}

}  // namespace astrelle
