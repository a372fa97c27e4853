// Small value functions shared by the whole program: fields of comma-separated rows,
// text-to-number parsing with fallbacks, min/max/clamp, the normalisation of numeric input
// fields and the key filters of those fields. They keep no state and never fail: bad
// text becomes a default, 0 or empty text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace astrelle {

// Field n (0-based) of a comma-separated row, without leading and trailing blanks
// (spaces only; tabs stay). An index at or beyond the number of fields gives "".
std::string FieldAt(std::string_view row, int n);

// The number at the start of the text (blanks, tabs and line feeds inside the prefix are
// skipped; a sign only as the first non-blank character); 0 when there is none. A number
// too large for a double ("1e999") gives +/-infinity, one too small gives 0; callers that
// convert to an integer use the saturating helpers of rounding.h.
double LeadingNumber(std::string_view text);

// True when the whole text, trimmed of blanks, is one number: optional sign, digits with
// at most one point (at least one digit), optional exponent.
bool IsNumericText(std::string_view text);

// The number of the text in the target type, or the default when the text is not numeric.
// Integers round halves to even; a number that does not fit the type gives 0.
int16_t ParseInt16Or(std::string_view text, int16_t fallback);
int32_t ParseInt32Or(std::string_view text, int32_t fallback);
float ParseFloatOr(std::string_view text, float fallback);

// The same conversions for callers that must keep the old value when the text does not
// convert: true and out set when the text is numeric and fits, otherwise false and out
// untouched.
bool TryParseInt16(std::string_view text, int16_t& out);
bool TryParseInt32(std::string_view text, int32_t& out);
bool TryParseFloat(std::string_view text, float& out);

int16_t MaxInt16(int16_t a, int16_t b);
int32_t MaxInt32(int32_t a, int32_t b);
float MaxFloat(float a, float b);
int16_t MinInt16(int16_t a, int16_t b);
int32_t MinInt32(int32_t a, int32_t b);

// value held to low..high; the lower bound is tested first. ClampFloat holds NaN to low, so
// that every value ends inside the range.
int16_t ClampInt16(int16_t value, int16_t low, int16_t high);
int32_t ClampInt32(int32_t value, int32_t low, int32_t high);
float ClampFloat(float value, float low, float high);

enum class NumberKind : int { Int16 = 0, Float = 1, Int32 = 2 };

// Normalises the text of a numeric input field when it loses the focus. kind is the raw
// kind code (0 = 16-bit, 1 = float, 2 = 32-bit); any other code leaves the text as it is.
std::string NormaliseNumberText(std::string_view text, int kind, double low, double high);

// Result of a key filter: the key code to pass on (0 = swallowed) and whether the caller
// must sound the beep. The filters never beep themselves.
struct KeyFilterResult {
    int key = 0;
    bool beep = false;
};

inline constexpr int kBackspaceKey = 8;

KeyFilterResult DigitKeyFilter(int key);
KeyFilterResult DecimalKeyFilter(std::string_view text, std::string_view selected, int key);

// Text forms used by the stores: integers in plain decimal, floats as the shortest decimal
// text that reads back to the same single-precision value, never with an exponent
// ("0.0002", "0.9975", "2500"). Zero is written "0" whatever its sign; NaN is written "0" and
// an infinity as the largest float of its sign, so a store never writes a non-number.
std::string IntToText(int64_t value);
std::string FloatToText(float value);

// A float rounded to at most seven significant digits, fixed notation, point separator, no
// trailing zeros (0.25 -> "0.25", 12 -> "12"): the text of a float input field.
std::string FloatToSevenDigitText(float value);

// Upper bound of a container's index range, or -1 when it holds nothing.
template <class Container>
long long SafeUpperBound(const Container& c) {
    return static_cast<long long>(c.size()) - 1;
}

// Trims blanks (spaces) at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace astrelle
