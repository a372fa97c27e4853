// Loading, showing and storing the "Advanced" values.
#include "ui/logic/advanced_dialog.h"

#include <algorithm>

#include "engine/colour.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace astrelle {

namespace {

constexpr std::string_view kDelayKey = "Adv_TimeDelay";
constexpr std::string_view kFontKey = "Adv_FontName";
constexpr std::string_view kSizeKey = "Adv_FontSize";
constexpr std::string_view kHueKey = "Adv_FontHueV";
constexpr std::string_view kResizeKey = "Adv_WinResize";
constexpr std::string_view kMessageKey = "LockMessage";
constexpr std::string_view kTicked = "1";
constexpr std::string_view kCleared = "0";

// The three numbers are held to their stored ranges on leaving, stepped by the arrows and
// their spinners alike.
constexpr FieldRow kRows[] = {
    NumberRow(kDelayKey, FieldKind::Int16).Arrows(10).Spinner(10),
    ListRow(kFontKey),
    NumberRow(kSizeKey, FieldKind::Int16).Arrows(1).Spinner(1),
    NumberRow(kHueKey, FieldKind::Int16).Arrows(5).Spinner(5),
    CheckRow(kResizeKey),
    TextRow(kMessageKey),
};

std::string MissingTextOf(std::string_view key) {
    const SettingDef* def = FindSetting(key);
    return def ? std::string(def->missingText) : std::string();
}

}  // namespace

AdvancedDialog::AdvancedDialog(AdvancedView& view, SettingsStore& store)
    : view_(view), store_(store), fields_(view, [](const Control& control) -> std::optional<FieldRule> {
          if (control.id != ControlId::SettingField) return std::nullopt;
          const FieldRow* row = FindRow(kRows, control.key);
          return row ? std::optional<FieldRule>(RuleOf(*row)) : std::nullopt;
      }) {}

std::span<const FieldRow> AdvancedDialog::Rows() {
    return kRows;
}

void AdvancedDialog::Load(std::string_view message) {
    fonts_ = view_.FontNames();
    view_.FillList(Field(kFontKey), fonts_);
    for (const std::string_view key : {kDelayKey, kSizeKey, kHueKey}) {
        view_.SetText(Field(key), RegReadText(store_, kSectionAdvanced, key, MissingTextOf(key)));
    }
    SelectFont(RegReadText(store_, kSectionAdvanced, kFontKey, MissingTextOf(kFontKey)));
    view_.SetText(Field(kMessageKey), message);
    // Only exactly "1" lets the window be resized.
    view_.SetChecked(Field(kResizeKey),
                     RegReadText(store_, kSectionAdvanced, kResizeKey, kCleared) == kTicked);
    ShowHue();
}

void AdvancedDialog::Save() {
    StoreBatch batch(store_);
    RegWriteText(store_, kSectionAdvanced, kDelayKey, view_.Text(Field(kDelayKey)));
    const int font = view_.Selected(Field(kFontKey));
    RegWriteText(
        store_, kSectionAdvanced, kFontKey,
        font >= 0 && font < static_cast<int>(fonts_.size()) ? fonts_[static_cast<size_t>(font)] : "");
    RegWriteText(store_, kSectionAdvanced, kSizeKey, view_.Text(Field(kSizeKey)));
    RegWriteText(store_, kSectionAdvanced, kHueKey, view_.Text(Field(kHueKey)));
    RegWriteText(store_, kSectionAdvanced, kResizeKey, view_.Checked(Field(kResizeKey)) ? kTicked : kCleared);
    // A failed write of the settings is not reported, as for every store of the dialogs.
    static_cast<void>(batch.Commit());
}

std::string AdvancedDialog::Message() const {
    return view_.Text(Field(kMessageKey));
}

void AdvancedDialog::RestoreDefaults() {
    for (const std::string_view key : {kDelayKey, kSizeKey, kHueKey})
        view_.SetText(Field(key), MissingTextOf(key));
    SelectFont(MissingTextOf(kFontKey));
    view_.SetText(Field(kMessageKey), "");
    view_.SetChecked(Field(kResizeKey), false);
    ShowHue();
}

void AdvancedDialog::SelectFont(std::string_view name) {
    // A font that is not installed gives the first font of the list.
    const auto it = std::find(fonts_.begin(), fonts_.end(), name);
    const int index = it != fonts_.end() ? static_cast<int>(it - fonts_.begin()) : (fonts_.empty() ? -1 : 0);
    view_.Select(Field(kFontKey), index);
    if (index >= 0) view_.SetFont(Field(kMessageKey), fonts_[static_cast<size_t>(index)]);
}

void AdvancedDialog::ShowHue() {
    // An empty field reads as hue 0; a number too large for a hue keeps the last colour.
    int16_t hue = 0;
    if (!TryRoundToInt16(LeadingNumber("0" + view_.Text(Field(kHueKey))), hue)) return;
    const uint32_t colour = HueColor(hue);
    view_.SetColour(Own(ControlId::FontHueSample), colour);
    view_.SetColour(Field(kMessageKey), colour);
}

void AdvancedDialog::OnFocusEntered(const Control& control) {
    fields_.Entered(control);
}

void AdvancedDialog::OnFocusLeft(const Control& control) {
    fields_.Left(control);
}

bool AdvancedDialog::OnKeyTyped(const Control& control, char32_t key, std::string_view text,
                                std::string_view selection) {
    return fields_.KeyTyped(control, key, text, selection);
}

bool AdvancedDialog::OnArrowKey(const Control& control, int direction) {
    return fields_.Arrow(control, direction);
}

void AdvancedDialog::OnEdited(const Control& control) {
    if (control == Field(kHueKey)) ShowHue();
}

void AdvancedDialog::OnListChosen(const Control& control, int index) {
    if (control == Field(kFontKey) && index >= 0 && index < static_cast<int>(fonts_.size())) {
        view_.SetFont(Field(kMessageKey), fonts_[static_cast<size_t>(index)]);
    }
}

void AdvancedDialog::OnButton(const Control& control) {
    switch (control.id) {
        case ControlId::DefaultsButton:
            RestoreDefaults();
            break;
        case ControlId::OkButton:
            // Deliberately without correcting the focused field: a value typed and saved
            // without leaving it is stored as typed.
            Save();
            view_.Close(DialogResult::Accepted);
            break;
        case ControlId::DismissButton:
            view_.Close(DialogResult::Rejected);
            break;
        default:
            break;
    }
}

}  // namespace astrelle
