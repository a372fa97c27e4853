// Key filters, arrow steps and corrections of the number fields.
#include "ui/logic/field_rules.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "settings/rounding.h"
#include "ui/logic/dialog_view.h"

namespace astrelle {

namespace {

constexpr char32_t kLastAsciiKey = 127;
constexpr int kNeverADigit = 0xFFFF;  // a character beyond ASCII, as the filters see it
// Whole numbers up to this size are written exactly; anything larger is left to the
// correction on leaving the field.
constexpr double kLargestStepped = 1e15;

}  // namespace

FieldRule RuleOf(const FieldRow& row) {
    FieldRule rule;
    if (row.check == CheckMoment::OnLeaving) rule.check = CheckOf(row);
    rule.filter = FilterOf(row);
    rule.arrows = ArrowsOf(row);
    return rule;
}

std::string CorrectedText(std::string_view text, const NumberCheck& check) {
    return NormaliseNumberText(text, static_cast<int>(check.kind), check.low, check.high);
}

std::optional<std::string> SteppedText(std::string_view text, const ArrowKeys& arrows, int direction) {
    const double value = RoundHalfEven(LeadingNumber("0" + std::string(text)));
    double next = value + direction * arrows.step;
    next = direction > 0 ? std::min<double>(arrows.upStop, next) : std::max<double>(arrows.downStop, next);
    if (!(std::fabs(next) < kLargestStepped)) return std::nullopt;
    return IntToText(static_cast<int64_t>(next));
}

FieldRules::FieldRules(DialogView& view, Lookup lookup) : view_(view), lookup_(std::move(lookup)) {}

void FieldRules::Entered(const Control& control) {
    focused_ = control;
}

void FieldRules::Left(const Control& control) {
    if (focused_ == control) focused_.reset();
    if (const std::optional<FieldRule> rule = lookup_(control); rule && rule->check)
        CorrectField(view_, control, *rule->check);
}

bool FieldRules::KeyTyped(const Control& control, char32_t key, std::string_view text,
                          std::string_view selection) {
    const std::optional<FieldRule> rule = lookup_(control);
    if (!rule || rule->filter == KeyFilter::None) return true;
    const int code = key <= kLastAsciiKey ? static_cast<int>(key) : kNeverADigit;
    const KeyFilterResult result =
        rule->filter == KeyFilter::Digits ? DigitKeyFilter(code) : DecimalKeyFilter(text, selection, code);
    if (result.key != 0) return true;
    if (result.beep) view_.Beep();
    return false;
}

bool FieldRules::Arrow(const Control& control, int direction) {
    const std::optional<FieldRule> rule = lookup_(control);
    if (!rule || rule->arrows.step == 0) return false;
    if (const std::optional<std::string> next = SteppedText(view_.Text(control), rule->arrows, direction)) {
        view_.SetText(control, *next);
        view_.SelectAllText(control);
    }
    return true;
}

void FieldRules::CommitFocused() {
    if (!focused_) return;
    if (const std::optional<FieldRule> rule = lookup_(*focused_); rule && rule->check) {
        CorrectField(view_, *focused_, *rule->check);
    }
}

bool CorrectField(DialogView& view, const Control& control, const NumberCheck& check) {
    const std::string before = view.Text(control);
    const std::string after = CorrectedText(before, check);
    if (after == before) return false;
    view.SetText(control, after);
    return true;
}

}  // namespace astrelle
