// Look-ups behind the field rows: the setting definition of a field, its check, its key
// filter and the entries of the list fields.
#include "ui/logic/field_rows.h"

#include <algorithm>
#include <array>
#include <utility>

#include "settings/settings_model.h"

namespace astrelle {

namespace {

struct ReservedField {
    std::string_view name;
    float GalaxyTypeRecord::*field;
};
constexpr ReservedField kReservedFields[] = {
    {"CorePointMass", &GalaxyTypeRecord::CorePointMass},
    {"LocalGravityForce", &GalaxyTypeRecord::LocalGravityForce},
};

struct ListEntries {
    std::string_view key;
    std::span<const std::string_view> entries;
};
const ListEntries kListEntries[] = {
    {"Universe_Profile", kProfileNames},
    {"Galaxy_Profile", kProfileNames},
    {"Galaxy_AxisPlane", kAxisPlaneNames},
    {"Galaxy_ColorComp", kColorCompNames},
};

}  // namespace

const SettingDef* DefinitionOf(std::string_view key) {
    if (const SettingDef* def = FindSetting(key)) return def;
    for (const ReservedField& reserved : kReservedFields) {
        if (reserved.name != key) continue;
        for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
            if (def.galaxyFloat == reserved.field) return &def;
        }
    }
    return nullptr;
}

std::string_view FieldNameOf(const SettingDef& def) {
    if (def.IsStored()) return def.key;
    for (const ReservedField& reserved : kReservedFields) {
        if (def.galaxyFloat == reserved.field) return reserved.name;
    }
    return {};
}

std::string_view LabelOf(std::string_view key) {
    const SettingDef* def = DefinitionOf(key);
    return def ? def->label : std::string_view();
}

std::optional<NumberCheck> CheckOf(const FieldRow& row) {
    NumberCheck check;
    switch (row.kind) {
        case FieldKind::Int16:
            check.kind = NumberKind::Int16;
            break;
        case FieldKind::Int32:
            check.kind = NumberKind::Int32;
            break;
        case FieldKind::Float:
            check.kind = NumberKind::Float;
            break;
        default:
            return std::nullopt;
    }
    if (row.ownRange) {
        check.low = row.low;
        check.high = row.high;
        return check;
    }
    const SettingDef* def = DefinitionOf(row.key);
    if (def == nullptr || !def->hasRange) return std::nullopt;
    check.low = def->low;
    check.high = def->high;
    return check;
}

namespace {

// The stored range of a field's setting, for the stops of its arrows and spinner.
std::pair<int, int> StoredRange(const FieldRow& row) {
    const SettingDef* def = DefinitionOf(row.key);
    if (def == nullptr || !def->hasRange) return {0, 0};
    return {static_cast<int>(def->low), static_cast<int>(def->high)};
}

}  // namespace

ArrowKeys ArrowsOf(const FieldRow& row) {
    if (row.arrowStep == 0) return {};
    if (row.ownArrowStops) return *row.ownArrowStops;
    const auto [low, high] = StoredRange(row);
    return ArrowKeys{row.arrowStep, low, high};
}

SpinRange SpinnerOf(const FieldRow& row) {
    if (row.spinStep == 0) return {};
    const auto [low, high] = StoredRange(row);
    return SpinRange{low, high, row.spinStep};
}

int MaxLengthOf(const FieldRow& row) {
    if (row.maxLength > 0) return row.maxLength;
    const SettingDef* def = DefinitionOf(row.key);
    return def ? def->maxLength : 0;
}

KeyFilter FilterOf(const FieldRow& row) {
    if (row.kind == FieldKind::Float) return KeyFilter::Decimal;
    return row.IsNumber() ? KeyFilter::Digits : KeyFilter::None;
}

std::span<const std::string_view> ListEntriesOf(std::string_view key) {
    for (const ListEntries& list : kListEntries) {
        if (list.key == key) return list.entries;
    }
    return {};
}

const FieldRow* FindRow(std::span<const FieldRow> rows, std::string_view key) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [key](const FieldRow& row) { return row.key == key; });
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace astrelle
