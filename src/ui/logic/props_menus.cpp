// The properties dialog's menus: templates, reset, advanced settings, help, the web page,
// About and Exit.
#include <string>

#include "engine/process_values.h"
#include "platform/profile_file.h"
#include "settings/template_files.h"
#include "ui/logic/props_dialog.h"
#include "ui/logic/props_text.h"
#include "ui/logic/universe_values.h"

namespace astrelle {

namespace pt = props_text;

void PropsDialog::OnMenu(MenuEntry entry) {
    fields_.CommitFocused();
    switch (entry) {
        case MenuEntry::OpenTemplate:
            OpenTemplateFromMenu();
            break;
        case MenuEntry::SaveTemplate:
            SaveTemplateFromMenu(false);
            break;
        case MenuEntry::SaveTemplateAs:
            SaveTemplateFromMenu(true);
            break;
        case MenuEntry::Exit:
            env_.process.ExitRequested = kTrue16;
            OnCancel();
            break;
        case MenuEntry::Reset:
            if (view_.AskYesNo(pt::kResetQuestion)) ResetToFactorySettings();
            break;
        case MenuEntry::Advanced:
            EditAdvancedSettings();
            break;
        case MenuEntry::HelpContents:
            ShowHelp(pt::kHelpContents);
            break;
        case MenuEntry::HelpSearch:
            ShowHelp(pt::kHelpSearch);
            break;
        case MenuEntry::WebPage:
            view_.ShowWebPage();
            break;
        case MenuEntry::About:
            view_.ShowAbout();
            break;
    }
}

void PropsDialog::OnHelpKey(std::string_view topic) {
    ShowHelp(topic);
}

void PropsDialog::OpenTemplateFromMenu() {
    const std::string path =
        view_.ChooseTemplateFile(TemplateMode::Open, pt::kOpenTemplateTitle, pt::kTemplateTypes);
    if (path.empty()) return;
    env_.templatePath = path;
    TemplateFile file(env_.templatePath);
    TemplateFields fields;
    WriteTemplateFields(view_, fields);
    OpenTemplate(file, env_.store, fields, env_.galaxyTypes, env_.composites);
    ReadTemplateFields(view_, fields);
    RefreshAll();
    galaxyTypes_.FillFromTable();
    galaxyTypes_.SelectFirst();
    composites_.FillTypeNames(galaxyTypes_.Lines());
    composites_.FillFromTable();
}

void PropsDialog::SaveTemplateFromMenu(bool askForPath) {
    std::string path = askForPath ? std::string() : env_.templatePath;
    if (path.empty()) {
        path = view_.ChooseTemplateFile(TemplateMode::Save, pt::kSaveTemplateTitle, pt::kTemplateTypes);
        if (path.empty()) return;
        env_.templatePath = path;
    }
    SaveTemplateTo(path);
}

void PropsDialog::SaveTemplateTo(const std::string& path) {
    TemplateFields fields;
    WriteTemplateFields(view_, fields);
    TemplateFile file(path);
    // A template the user believes saved but that is not on disk would be lost work, so a
    // failed write is said, not passed over.
    if (!SaveTemplate(file, env_.store, fields, env_.galaxyTypes, env_.composites)) {
        view_.ShowMessage(std::string(pt::kTemplateNotWritten) + "\n\n" + path);
    }
}

void PropsDialog::EditAdvancedSettings() {
    std::string message = view_.Text(Field("LockMessage"));
    if (view_.EditAdvancedSettings(message)) view_.SetText(Field("LockMessage"), message);
}

void PropsDialog::ShowHelp(std::string_view topic) {
    switch (view_.OpenHelp(topic)) {
        case HelpResult::Opened:
            break;
        case HelpResult::Missing:
            view_.ShowMessage(pt::kHelpMissing);
            break;
        case HelpResult::Failed:
            view_.ShowMessage(pt::kHelpFailed);
            break;
    }
}

}  // namespace astrelle
