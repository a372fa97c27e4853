// A dialog field as a row of a page's table, keyed by the key of the setting it shows. The
// setting's own definition gives its label, used-when-missing value and stored range; the
// row adds what only the dialog has: the kind of control, the check on leaving (with the
// dialog's own range where it differs), the arrow-key step and the spinner beside it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "settings/value_utils.h"

namespace astrelle {

struct SettingDef;

enum class FieldKind : uint8_t { Int16, Int32, Float, Text, Check, List };

// When a number field's text is corrected: when the field is left, or only when its value
// is committed with a button (the weights of the type lists).
enum class CheckMoment : uint8_t { OnLeaving, OnCommit };

// The arrow keys and the spinner step by `step` and stop at the ends of the setting's
// stored range; the arrows may have stops of their own.
struct ArrowKeys {
    int step = 0;  // 0: the field ignores the arrow keys
    int downStop = 0;
    int upStop = 0;
};

struct SpinRange {
    int low = 0;
    int high = 0;
    int step = 0;  // 0: no spinner beside the field
};

struct FieldRow {
    std::string_view key;
    FieldKind kind = FieldKind::Text;
    bool ownRange = false;  // the dialog checks low..high instead of the stored range
    double low = 0;
    double high = 0;
    CheckMoment check = CheckMoment::OnLeaving;
    int arrowStep = 0;
    std::optional<ArrowKeys> ownArrowStops;
    int spinStep = 0;
    int maxLength = 0;  // text fields: characters taken, 0 for the setting's own limit

    constexpr FieldRow Range(double lowest, double highest) const {
        FieldRow row = *this;
        row.ownRange = true;
        row.low = lowest;
        row.high = highest;
        return row;
    }
    constexpr FieldRow Arrows(int step) const {
        FieldRow row = *this;
        row.arrowStep = step;
        return row;
    }
    constexpr FieldRow Arrows(int step, int downStop, int upStop) const {
        FieldRow row = Arrows(step);
        row.ownArrowStops = ArrowKeys{step, downStop, upStop};
        return row;
    }
    constexpr FieldRow Spinner(int step) const {
        FieldRow row = *this;
        row.spinStep = step;
        return row;
    }
    constexpr FieldRow CheckedOnCommit() const {
        FieldRow row = *this;
        row.check = CheckMoment::OnCommit;
        return row;
    }
    constexpr FieldRow MaxLength(int characters) const {
        FieldRow row = *this;
        row.maxLength = characters;
        return row;
    }
    constexpr bool IsNumber() const {
        return kind == FieldKind::Int16 || kind == FieldKind::Int32 || kind == FieldKind::Float;
    }
};

constexpr FieldRow RowOfKind(std::string_view key, FieldKind kind) {
    FieldRow row;
    row.key = key;
    row.kind = kind;
    return row;
}
constexpr FieldRow NumberRow(std::string_view key, FieldKind kind) {
    return RowOfKind(key, kind);
}
constexpr FieldRow TextRow(std::string_view key) {
    return RowOfKind(key, FieldKind::Text);
}
constexpr FieldRow CheckRow(std::string_view key) {
    return RowOfKind(key, FieldKind::Check);
}
constexpr FieldRow ListRow(std::string_view key) {
    return RowOfKind(key, FieldKind::List);
}

// The definition of the setting a field shows. The two reserved gravity values of a galaxy
// type are not stored and have no key; their fields are named after their record fields,
// "CorePointMass" and "LocalGravityForce".
const SettingDef* DefinitionOf(std::string_view key);
// The name of a setting's field: its key, or the record field's name of a reserved value.
std::string_view FieldNameOf(const SettingDef& def);

// The label of a field as the setting defines it ("Stars (10 - 30000):"); "" when none.
std::string_view LabelOf(std::string_view key);

// What leaving a number field does: NormaliseNumberText with this kind and range.
struct NumberCheck {
    NumberKind kind = NumberKind::Int16;
    double low = 0;
    double high = 0;
};
std::optional<NumberCheck> CheckOf(const FieldRow& row);

enum class KeyFilter : uint8_t { None, Digits, Decimal };
// Fraction fields take one decimal point, the other number fields digits only.
KeyFilter FilterOf(const FieldRow& row);

// The arrow keys and the spinner of a field, their stops resolved (step 0: none).
ArrowKeys ArrowsOf(const FieldRow& row);
SpinRange SpinnerOf(const FieldRow& row);

// The characters a text field takes: the row's limit, else the setting's, 0 for no limit.
int MaxLengthOf(const FieldRow& row);

// The entries of a list field, in the order of the values it stands for.
std::span<const std::string_view> ListEntriesOf(std::string_view key);

// The row of key among the rows given; nullptr when it is not there.
const FieldRow* FindRow(std::span<const FieldRow> rows, std::string_view key);

}  // namespace astrelle
