// The properties dialog's logic: composing the pages, opening, accepting and cancelling,
// the galaxy edit mode, themes, the factory reset, copy to all and the previews. The menu
// entries are in props_menus.cpp.
#include "ui/logic/props_dialog.h"

#include <algorithm>

#include "engine/process_values.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/settings_store.h"
#include "ui/logic/props_text.h"
#include "ui/logic/universe_values.h"

namespace astrelle {

namespace pt = props_text;

namespace {

constexpr std::string_view kFirstRunKey = "AnimationType";
constexpr int16_t kNoSettingsYet = -1;
constexpr int kUniversePage = 0;
constexpr int kGalaxyPage = 1;
constexpr int kFirstTheme = 1;

std::span<const FieldRow> AllRows(size_t table) {
    const std::span<const FieldRow> tables[] = {
        DisplayBox::Rows(),
        UniverseCreationPage::Rows(),
        StarCreationPage::Rows(),
        TourPage::Rows(),
        CompositePage::Rows(),
        GravityPage::Rows(),
        GalaxyCharacteristicsPage::Rows(),
        NovaStarPage::Rows(),
        CometPage::Rows(),
        GalaxyTypesBox::Rows(),
    };
    return table < std::size(tables) ? tables[table] : std::span<const FieldRow>();
}

struct ControlTopic {
    ControlId id;
    std::string_view topic;
};
constexpr ControlTopic kControlTopics[] = {
    {ControlId::GalaxyTypeList, "galaxy-types"}, {ControlId::GalaxyCommit, "galaxy-types"},
    {ControlId::GalaxyProps, "galaxy-types"},    {ControlId::GalaxyPreview, "preview"},
    {ControlId::CompositePreview, "preview"},    {ControlId::PreviewPicture, "preview"},
    {ControlId::CopyProperty, "copy-to-all"},    {ControlId::CopyValue, "copy-to-all"},
    {ControlId::CopyToAll, "copy-to-all"},       {ControlId::UniverseTheme, "universe-themes"},
    {ControlId::GalaxyTheme, "galaxy-themes"},   {ControlId::UniverseExtras, "universe"},
    {ControlId::GalaxyExtras, "galaxy"},         {ControlId::AcceptButton, "accept"},
    {ControlId::DismissButton, "accept"},
};
// The galaxy types box's fields belong to the box's topic.
constexpr std::string_view kGalaxyTypeFields[] = {"_UniGalName", "_UniGalPct"};

constexpr std::string_view kMainPageTopics[] = {"universe", "galaxy"};
constexpr std::string_view kUniversePageTopics[] = {"universe-creation", "new-ambient-stars", "tour",
                                                    "composites", "gravity"};
constexpr std::string_view kGalaxyPageTopics[] = {"galaxy-characteristics", "new-nova-stars", "comets"};

template <size_t N>
std::vector<std::string> Entries(const std::array<pt::Text, N>& texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

}  // namespace

std::string& ProcessTemplatePath() {
    static std::string path;
    return path;
}

PropsDialog::PropsDialog(const PropsEnvironment& env, PropsView& view)
    : env_(env),
      view_(view),
      fields_(view, [this](const Control& control) { return RuleOf(control); }),
      display_(view),
      creation_(view),
      starCreation_(view),
      tour_(view),
      composites_(view, env.composites, env.process),
      gravity_(view),
      characteristics_(view),
      novaStars_(view),
      comets_(view),
      galaxyTypes_(view, env.galaxyTypes, env.process),
      copy_(view, env.galaxyTypes),
      pages_{&display_,         &creation_,  &starCreation_, &tour_,        &composites_, &gravity_,
             &characteristics_, &novaStars_, &comets_,       &galaxyTypes_, &copy_},
      preview_(view, env) {}

PropsDialog::~PropsDialog() = default;

// ---- fields and pages ------------------------------------------------------------------------

const FieldRow* PropsDialog::FieldRowOf(std::string_view key) {
    for (size_t table = 0; !AllRows(table).empty(); ++table) {
        if (const FieldRow* row = FindRow(AllRows(table), key)) return row;
    }
    return nullptr;
}

std::string_view PropsDialog::HelpTopic(const Control& control) {
    if (control.id == ControlId::SettingField) {
        if (std::find(std::begin(kGalaxyTypeFields), std::end(kGalaxyTypeFields), control.key) !=
            std::end(kGalaxyTypeFields)) {
            return "galaxy-types";
        }
        const SettingDef* def = DefinitionOf(control.key);
        // The composite's name and the reserved values have no topic of their own.
        return def && def->IsStored() && control.key != "_CompGalName" ? control.key : std::string_view();
    }
    for (const ControlTopic& entry : kControlTopics) {
        if (entry.id == control.id) return entry.topic;
    }
    return {};
}

std::string_view PropsDialog::PageHelpTopic(const Control& pages, int index) {
    std::span<const std::string_view> topics;
    switch (pages.id) {
        case ControlId::MainPages:
            topics = kMainPageTopics;
            break;
        case ControlId::UniversePages:
            topics = kUniversePageTopics;
            break;
        case ControlId::GalaxyPages:
            topics = kGalaxyPageTopics;
            break;
        default:
            break;
    }
    return index >= 0 && index < static_cast<int>(topics.size()) ? topics[static_cast<size_t>(index)]
                                                                 : std::string_view();
}

std::optional<FieldRule> PropsDialog::RuleOf(const Control& control) const {
    if (control.id == ControlId::CopyValue) return copy_.ValueRule();
    if (control.id != ControlId::SettingField) return std::nullopt;
    const FieldRow* row = FieldRowOf(control.key);
    if (row == nullptr) return std::nullopt;
    return astrelle::RuleOf(*row);
}

PropsPage* PropsDialog::PageOf(std::string_view key) {
    for (PropsPage* page : pages_) {
        if (FindRow(page->Fields(), key)) return page;
    }
    return nullptr;
}

void PropsDialog::Changed(std::string_view key) {
    if (PropsPage* page = PageOf(key)) page->OnChanged(key);
}

void PropsDialog::RefreshAll() {
    for (PropsPage* page : pages_) page->Refresh();
}

// ---- events ----------------------------------------------------------------------------------

void PropsDialog::OnFocusEntered(const Control& control) {
    fields_.Entered(control);
}

void PropsDialog::OnFocusLeft(const Control& control) {
    fields_.Left(control);
}

bool PropsDialog::OnKeyTyped(const Control& control, char32_t key, std::string_view text,
                             std::string_view selection) {
    return fields_.KeyTyped(control, key, text, selection);
}

bool PropsDialog::OnArrowKey(const Control& control, int direction) {
    return fields_.Arrow(control, direction);
}

void PropsDialog::OnEdited(const Control& control) {
    if (control.id == ControlId::SettingField) Changed(control.key);
}

void PropsDialog::OnChecked(const Control& control) {
    fields_.CommitFocused();
    if (control.id == ControlId::SettingField) Changed(control.key);
}

void PropsDialog::OnListChosen(const Control& control, int index) {
    fields_.CommitFocused();
    switch (control.id) {
        case ControlId::SettingField:
            Changed(control.key);
            break;
        case ControlId::GalaxyTypeList:
            galaxyTypes_.OnLineChosen();
            break;
        case ControlId::CompositeList:
            composites_.OnLineChosen(index);
            break;
        case ControlId::UniverseTheme:
            ApplyUniverseTheme(index);
            break;
        case ControlId::GalaxyTheme:
            ApplyGalaxyTheme(index);
            break;
        case ControlId::UniverseExtras:
            ShowUniverseSubPage(index);
            break;
        case ControlId::GalaxyExtras:
            view_.ShowPage(Own(ControlId::GalaxyPages), index);
            break;
        default:
            break;  // the copy property, the major and minor types are read when used
    }
}

void PropsDialog::OnListDoubleClicked(const Control& control, int) {
    fields_.CommitFocused();
    if (control.id == ControlId::GalaxyTypeList) ShowGalaxyProperties();
}

void PropsDialog::OnButton(const Control& control) {
    fields_.CommitFocused();
    switch (control.id) {
        case ControlId::AcceptButton:
            Accept();
            break;
        case ControlId::DismissButton:
            OnCancel();
            break;
        case ControlId::GalaxyCommit:
            galaxyTypes_.Commit();
            break;
        case ControlId::GalaxyProps:
            ShowGalaxyProperties();
            break;
        case ControlId::GalaxyPreview:
            RunPreview(PreviewSubject::GalaxyType);
            break;
        case ControlId::CompositeCommit:
            composites_.Commit();
            break;
        case ControlId::CompositePreview:
            RunPreview(PreviewSubject::CompositeType);
            break;
        case ControlId::CopyToAll:
            CopyToAll();
            break;
        default:
            break;
    }
}

void PropsDialog::OnCancel() {
    // While a preview runs, Cancel (the Escape key) is its Stop button.
    if (preview_.Running()) {
        preview_.RequestStop();
        return;
    }
    view_.Close(DialogResult::Rejected);
}

bool PropsDialog::OnCloseRequested() {
    if (!preview_.Running()) return true;
    // The preview loop runs inside its button's handler: let it finish, then close.
    preview_.RequestStop();
    closeAfterPreview_ = true;
    return false;
}

// ---- opening, storing, accepting -------------------------------------------------------------

void PropsDialog::FillLists() {
    for (const std::string_view key :
         {"Galaxy_AxisPlane", "Galaxy_ColorComp", "Galaxy_Profile", "Universe_Profile"}) {
        const std::span<const std::string_view> entries = ListEntriesOf(key);
        view_.FillList(Field(key), std::vector<std::string>(entries.begin(), entries.end()));
        view_.Select(Field(key), 0);
    }
    view_.FillList(Own(ControlId::GalaxyExtras), Entries(pt::kGalaxyExtras));
    view_.FillList(Own(ControlId::UniverseExtras), Entries(pt::kUniverseExtras));
    std::vector<std::string> galaxyThemes{pt::kNone};
    for (int i = 0; i < kGalaxyTypeCount; ++i) galaxyThemes.push_back(GalaxyTypeName(i));
    view_.FillList(Own(ControlId::GalaxyTheme), galaxyThemes);
    std::vector<std::string> universeThemes{pt::kNone};
    for (int k = 1; k <= kUniverseThemeCount; ++k) universeThemes.push_back(UniverseThemeName(k));
    view_.FillList(Own(ControlId::UniverseTheme), universeThemes);
    view_.Select(Own(ControlId::UniverseTheme), 0);
    copy_.FillProperties();
    view_.Select(Own(ControlId::GalaxyTheme), 0);
}

void PropsDialog::Open() {
    view_.SetBusy(true);
    FillLists();

    LoadAllGalaxyTypes(env_.store, env_.galaxyTypes);
    galaxyTypes_.FillFromTable();
    galaxyTypes_.SelectFirst();
    composites_.FillTypeNames(galaxyTypes_.Lines());
    composites_.FillFromStore(env_.store);

    // A store without the first-run marker holds no settings yet: start from the factory
    // settings and store them at once, so the saver finds them too.
    if (GetSettingInt16(env_.store, kSectionGeneral, kFirstRunKey, kNoSettingsYet) == kNoSettingsYet) {
        ResetToFactorySettings();
        StoreAll();
    }

    LoadGeneralValues(view_, env_.store);
    LoadUniverseValues(view_, env_.store);
    LoadAllComposites(env_.store, env_.composites);
    composites_.FillFromStore(env_.store);

    view_.ShowPage(Own(ControlId::MainPages), kUniversePage);
    view_.Select(Own(ControlId::UniverseExtras), 0);
    view_.ShowPage(Own(ControlId::UniversePages), 0);
    view_.Select(Own(ControlId::GalaxyExtras), 0);
    view_.ShowPage(Own(ControlId::GalaxyPages), 0);
    view_.Select(Own(ControlId::GalaxyTheme), 0);
    RefreshAll();
    view_.SetBusy(false);
}

void PropsDialog::StoreAll() {
    StoreBatch batch(env_.store);
    StoreGeneralAndUniverse(view_, env_.store);
    SaveAllGalaxyTypes(env_.store, env_.galaxyTypes);
    SaveAllComposites(env_.store, env_.composites);
    // A failed write of the settings is not reported: the dialog closes as it would.
    static_cast<void>(batch.Commit());
}

void PropsDialog::Accept() {
    if (galaxyEditMode_) {
        ReturnToUniverse();
        return;
    }
    StoreAll();
    view_.Close(DialogResult::Accepted);
}

// ---- the galaxy edit mode --------------------------------------------------------------------

void PropsDialog::ShowGalaxyProperties() {
    const int row = galaxyTypes_.SelectedRow();
    if (row < 0) {
        view_.ShowMessage(pt::kSelectGalaxyProfile);
        view_.Focus(Own(ControlId::GalaxyTypeList));
        return;
    }
    editedRow_ = row;
    ShowGalaxyType(view_, env_.galaxyTypes[static_cast<size_t>(row)]);
    for (PropsPage* page : {static_cast<PropsPage*>(&characteristics_), static_cast<PropsPage*>(&novaStars_),
                            static_cast<PropsPage*>(&comets_)}) {
        page->Refresh();
    }
    view_.Select(Own(ControlId::GalaxyTheme), 0);  // the fields are the type's own, no theme's
    galaxyEditMode_ = true;
    const std::string name(TrimBlanks(env_.galaxyTypes[static_cast<size_t>(row)].Name));
    view_.SetText(Own(ControlId::GalaxyFrame), std::string(pt::kGalaxyPageEditingPrefix) + name);
    view_.ShowPage(Own(ControlId::MainPages), kGalaxyPage);
    view_.SetText(Own(ControlId::AcceptButton), pt::kReturnToUniverse);
}

void PropsDialog::ReturnToUniverse() {
    // The fields go back to the type that was opened, even if another line has been chosen
    // meanwhile: the list's choice must not redirect an edit to another type.
    if (editedRow_ >= 0 && editedRow_ < kGalaxyTypeCount) {
        ReadGalaxyType(view_, env_.galaxyTypes[static_cast<size_t>(editedRow_)]);
    }
    galaxyEditMode_ = false;
    editedRow_ = -1;
    view_.ShowPage(Own(ControlId::MainPages), kUniversePage);
    view_.SetText(Own(ControlId::AcceptButton), pt::kAccept);
    view_.SetText(Own(ControlId::GalaxyFrame), pt::kGalaxyPage);
    view_.Focus(Own(ControlId::GalaxyTypeList));
}

// ---- themes, sub-pages and the factory reset --------------------------------------------------

void PropsDialog::ApplyUniverseTheme(int k) {
    if (k < 1 || k > kUniverseThemeCount) return;
    ShowUniverseTheme(view_, k);
    for (PropsPage* page : {static_cast<PropsPage*>(&creation_), static_cast<PropsPage*>(&starCreation_),
                            static_cast<PropsPage*>(&tour_), static_cast<PropsPage*>(&gravity_)}) {
        page->Refresh();
    }
    // A universe theme brings the factory galaxy types with it, stored at once.
    LoadFactoryGalaxyTypes(env_.galaxyTypes);
    SaveAllGalaxyTypes(env_.store, env_.galaxyTypes);
    galaxyTypes_.FillFromTable();
    galaxyTypes_.SelectFirst();
    composites_.ClearChoice();
}

void PropsDialog::ApplyGalaxyTheme(int k) {
    if (k < 1 || k > kGalaxyTypeCount) return;
    ShowFactoryGalaxyRow(view_, k);
    for (PropsPage* page : {static_cast<PropsPage*>(&characteristics_), static_cast<PropsPage*>(&novaStars_),
                            static_cast<PropsPage*>(&comets_)}) {
        page->Refresh();
    }
}

void PropsDialog::ShowUniverseSubPage(int index) {
    view_.ShowPage(Own(ControlId::UniversePages), index);
    composites_.FillTypeNames(galaxyTypes_.Lines());
    composites_.FillFromTable();
}

void PropsDialog::ResetToFactorySettings() {
    for (const FieldRow& row : DisplayBox::Rows()) {
        if (const SettingDef* def = DefinitionOf(row.key)) view_.SetText(Field(row.key), def->missingText);
    }
    {
        StoreBatch batch(env_.store);
        for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
            RegWriteText(env_.store, kSectionAdvanced, def.key, def.missingText);
        }
        static_cast<void>(batch.Commit());
    }
    LoadFactoryComposites(env_.composites);
    galaxyTypes_.FillFromFactory();
    view_.Select(Own(ControlId::UniverseTheme), kFirstTheme);
    ApplyUniverseTheme(kFirstTheme);
    view_.Select(Own(ControlId::UniverseExtras), 0);
    ShowUniverseSubPage(0);
}

// ---- copy to all and the previews ------------------------------------------------------------

void PropsDialog::CopyToAll() {
    const std::optional<std::string_view> key = copy_.CopyToAll();
    if (!key) return;
    if (const FieldRow* row = FieldRowOf(*key); row && DefinitionOf(*key)) {
        ShowGalaxyValue(view_, *row, FieldText(env_.galaxyTypes[0], *DefinitionOf(*key)));
        Changed(*key);
    }
    preview_.RebuildColourTables();
}

void PropsDialog::RunPreview(PreviewSubject subject) {
    preview_.Toggle(subject);
    if (closeAfterPreview_ && !preview_.Running()) {
        closeAfterPreview_ = false;
        view_.Close(DialogResult::Rejected);
    }
}

}  // namespace astrelle
