// Loading, storing, theming and templating the general and universe fields.
#include "ui/logic/universe_values.h"

#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/template_files.h"
#include "ui/logic/props_view.h"
#include "ui/logic/universe_pages.h"

namespace astrelle {

namespace {

constexpr std::string_view kFirstRunKey = "AnimationType";
constexpr std::string_view kFirstRunWritten = "0";
// The dialog reads the gravitational magnitude as a whole number.
constexpr std::string_view kWholeNumberKey = "Universe_GravForce";
constexpr std::string_view kTicked = "1";
constexpr std::string_view kCleared = "0";

// A universe value as the store holds it, read the way the dialog reads it.
std::string StoredUniverseText(SettingsStore& store, const SettingDef& def) {
    const std::string missing(def.missingText);
    const ValueType readAs = def.key == kWholeNumberKey ? ValueType::Int32 : def.storeReadAs;
    switch (readAs) {
        case ValueType::Int32:
            return IntToText(GetSettingInt32(store, kSectionUniverse, def.key, ParseInt32Or(missing, 0)));
        case ValueType::Float: {
            const float value = GetSettingFloat(store, kSectionUniverse, def.key, ParseFloatOr(missing, 0));
            // An integer setting stored as text with a fraction shows its rounded value.
            return def.type == ValueType::Float ? FloatToText(value)
                                                : IntToText(RoundToInt32Saturated(value));
        }
        default: {
            const int16_t value = GetSettingInt16(store, kSectionUniverse, def.key, ParseInt16Or(missing, 0));
            if (def.type == ValueType::Flag) return std::string(value != 0 ? kTicked : kCleared);
            return IntToText(value);
        }
    }
}

}  // namespace

const FieldRow* UniverseRow(std::string_view key) {
    for (const std::span<const FieldRow> rows :
         {UniverseCreationPage::Rows(), StarCreationPage::Rows(), TourPage::Rows(), GravityPage::Rows()}) {
        if (const FieldRow* row = FindRow(rows, key)) return row;
    }
    return nullptr;
}

void ShowUniverseValue(PropsView& view, const FieldRow& row, std::string_view text) {
    const Control field = Field(row.key);
    switch (row.kind) {
        case FieldKind::Check:
            view.SetChecked(field, TrimBlanks(text) == kTicked);
            break;
        case FieldKind::List: {
            const int16_t index = RoundToInt16Saturated(LeadingNumber(text));
            const SettingDef* def = DefinitionOf(row.key);
            view.Select(field, def ? HoldInt16(*def, index) : index);
            break;
        }
        default:
            view.SetText(field, text);
            break;
    }
}

std::string UniverseValueText(const PropsView& view, const FieldRow& row) {
    const Control field = Field(row.key);
    switch (row.kind) {
        case FieldKind::Check:
            return std::string(view.Checked(field) ? kTicked : kCleared);
        case FieldKind::List:
            return IntToText(view.Selected(field));
        default:
            return view.Text(field);
    }
}

void LoadGeneralValues(PropsView& view, SettingsStore& store) {
    for (const FieldRow& row : DisplayBox::Rows()) {
        if (const SettingDef* def = DefinitionOf(row.key))
            view.SetText(Field(row.key), GetSettingText(store, *def));
    }
}

void LoadUniverseValues(PropsView& view, SettingsStore& store) {
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        if (const FieldRow* row = UniverseRow(def.key))
            ShowUniverseValue(view, *row, StoredUniverseText(store, def));
    }
}

void StoreGeneralAndUniverse(const PropsView& view, SettingsStore& store) {
    RegWriteText(store, kSectionGeneral, kFirstRunKey, kFirstRunWritten);
    for (const FieldRow& row : DisplayBox::Rows()) {
        RegWriteText(store, kSectionGeneral, row.key, TrimBlanks(view.Text(Field(row.key))));
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const FieldRow* row = UniverseRow(def.key);
        if (row == nullptr) continue;
        const std::string text = UniverseValueText(view, *row);
        RegWriteText(store, kSectionUniverse, def.key,
                     row->IsNumber() ? FloatToText(static_cast<float>(LeadingNumber(text))) : text);
    }
}

void ShowUniverseTheme(PropsView& view, int k) {
    const std::string themeRow = UniverseThemeRow(k);
    for (int column = 0; column < kUniverseThemeColumns; ++column) {
        const SettingDef* def = UniverseThemeSetting(column);
        if (def == nullptr) continue;
        if (const FieldRow* row = UniverseRow(def->key))
            ShowUniverseValue(view, *row, FieldAt(themeRow, column));
    }
}

void WriteTemplateFields(const PropsView& view, TemplateFields& fields) {
    fields.txtPixelSize = view.Text(Field("PixelSize"));
    fields.txtFocalLen = view.Text(Field("FocalLength"));
    fields.txtMessage = view.Text(Field("LockMessage"));
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const FieldRow* row = UniverseRow(def.key);
        if (row == nullptr) continue;
        if (std::string* text = UniverseFieldText(fields, def)) *text = view.Text(Field(row->key));
        if (bool* box = UniverseCheckBox(fields, def)) *box = view.Checked(Field(row->key));
        if (row->kind == FieldKind::List) fields.cboUniProfile = view.Selected(Field(row->key));
    }
}

void ReadTemplateFields(PropsView& view, const TemplateFields& fields) {
    view.SetText(Field("PixelSize"), fields.txtPixelSize);
    view.SetText(Field("FocalLength"), fields.txtFocalLen);
    view.SetText(Field("LockMessage"), fields.txtMessage);
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const FieldRow* row = UniverseRow(def.key);
        if (row == nullptr) continue;
        if (const std::string* text = UniverseFieldText(fields, def)) view.SetText(Field(row->key), *text);
        if (const bool* box = UniverseCheckBox(fields, def)) view.SetChecked(Field(row->key), *box);
        if (row->kind == FieldKind::List) {
            view.Select(Field(row->key), HoldInt16(def, RoundToInt16Saturated(fields.cboUniProfile)));
        }
    }
}

}  // namespace astrelle
