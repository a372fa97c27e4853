// The properties dialog ("Galaxy Properties"), the saver's configuration, as plain logic: it
// composes the pages and boxes (each owns its fields and what follows them), loads every
// setting into them, applies the themes and the factory reset, switches between the
// universe page and the editing of one galaxy type, runs the previews, opens and saves
// templates and stores everything when the user accepts. Its view only shows controls
// and reports what the user did.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/logic/composite_page.h"
#include "ui/logic/copy_box.h"
#include "ui/logic/dialog_view.h"
#include "ui/logic/field_rules.h"
#include "ui/logic/galaxy_pages.h"
#include "ui/logic/galaxy_types_box.h"
#include "ui/logic/props_preview.h"
#include "ui/logic/universe_pages.h"

namespace astrelle {

class PropsDialog : public DialogEvents {
  public:
    PropsDialog(const PropsEnvironment& env, PropsView& view);
    ~PropsDialog() override;

    // Fills the lists and loads every value; once the view's controls exist.
    void Open();

    bool GalaxyEditMode() const { return galaxyEditMode_; }
    bool PreviewRunning() const { return preview_.Running(); }

    // The row of any field of the dialog, for the views to set up their controls.
    static const FieldRow* FieldRowOf(std::string_view key);
    // The help topic of a control, "" when the topic of the page around it applies, and
    // the topic of page index of a set of pages.
    static std::string_view HelpTopic(const Control& control);
    static std::string_view PageHelpTopic(const Control& pages, int index);

    // What the user did. Every action first corrects the focused field as leaving it would.
    void OnFocusEntered(const Control& control) override;
    void OnFocusLeft(const Control& control) override;
    bool OnKeyTyped(const Control& control, char32_t key, std::string_view text,
                    std::string_view selection) override;
    bool OnArrowKey(const Control& control, int direction) override;
    void OnEdited(const Control& control) override;
    void OnChecked(const Control& control) override;
    void OnListChosen(const Control& control, int index) override;
    void OnListDoubleClicked(const Control& control, int index) override;
    void OnButton(const Control& control) override;
    void OnMenu(MenuEntry entry);
    // F1: the help page at the topic of the focused control.
    void OnHelpKey(std::string_view topic);
    // Cancel and Escape: stop a running preview, else close without storing.
    void OnCancel();
    // The window's close box: false while a preview runs, which is stopped first; the
    // dialog closes as soon as it has.
    [[nodiscard]] bool OnCloseRequested();

  private:
    std::optional<FieldRule> RuleOf(const Control& control) const;
    PropsPage* PageOf(std::string_view key);
    void Changed(std::string_view key);
    void RefreshAll();

    void FillLists();
    void StoreAll();
    void Accept();
    void ShowGalaxyProperties();
    void ReturnToUniverse();
    void ApplyUniverseTheme(int k);
    void ApplyGalaxyTheme(int k);
    void ShowUniverseSubPage(int index);
    void ResetToFactorySettings();
    void CopyToAll();
    void RunPreview(PreviewSubject subject);

    // props_menus.cpp
    void OpenTemplateFromMenu();
    void SaveTemplateFromMenu(bool askForPath);
    void SaveTemplateTo(const std::string& path);
    void EditAdvancedSettings();
    void ShowHelp(std::string_view topic);

    PropsEnvironment env_;
    PropsView& view_;
    FieldRules fields_;
    DisplayBox display_;
    UniverseCreationPage creation_;
    StarCreationPage starCreation_;
    TourPage tour_;
    CompositePage composites_;
    GravityPage gravity_;
    GalaxyCharacteristicsPage characteristics_;
    NovaStarPage novaStars_;
    CometPage comets_;
    GalaxyTypesBox galaxyTypes_;
    CopyBox copy_;
    std::array<PropsPage*, 11> pages_;
    PropsPreview preview_;

    bool galaxyEditMode_ = false;
    int editedRow_ = -1;  // the galaxy type whose fields the galaxy page shows
    bool closeAfterPreview_ = false;
};

}  // namespace astrelle
