// The behaviour every number field of the dialogs shares: the key filter (a swallowed key
// beeps), the arrow-key steps, the correction on leaving the field, and the correction of
// the focused field before an action reads the fields. Access keys, the default button and
// menus act while the focus stays in the field just typed into, so an action must not see
// the text as typed when leaving the field would correct it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "ui/logic/control.h"
#include "ui/logic/field_rows.h"

namespace astrelle {

class DialogView;

struct FieldRule {
    std::optional<NumberCheck> check;  // applied when the field is left; none: kept as typed
    KeyFilter filter = KeyFilter::None;
    ArrowKeys arrows{};
};

// The rule of a field row: its key filter and arrows, and its check when the row is
// checked on leaving.
FieldRule RuleOf(const FieldRow& row);

// The text after leaving a field with this check.
std::string CorrectedText(std::string_view text, const NumberCheck& check);

// The text after Up (+1) or Down (-1): the leading number (never negative, halves to
// even) moved by the step and held to the stop; nullopt when the value is too large to be
// written as a whole number, which the correction on leaving then takes care of.
std::optional<std::string> SteppedText(std::string_view text, const ArrowKeys& arrows, int direction);

// Corrects a field's text with the check now; true when the text changed.
bool CorrectField(DialogView& view, const Control& control, const NumberCheck& check);

class FieldRules {
  public:
    // The rule of a control, or nullopt for controls that are not number fields.
    using Lookup = std::function<std::optional<FieldRule>(const Control&)>;

    FieldRules(DialogView& view, Lookup lookup);

    void Entered(const Control& control);
    void Left(const Control& control);
    [[nodiscard]] bool KeyTyped(const Control& control, char32_t key, std::string_view text,
                                std::string_view selection);
    [[nodiscard]] bool Arrow(const Control& control, int direction);

    // Corrects the field that has the focus, as leaving it would; the focus stays.
    void CommitFocused();

  private:
    DialogView& view_;
    Lookup lookup_;
    std::optional<Control> focused_;
};

}  // namespace astrelle
