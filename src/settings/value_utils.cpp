// Value utilities: comma-separated fields, locale-free number parsing and formatting,
// min/max/clamp, numeric-field normalisation and key filters. Every function takes
// arbitrary bytes; nothing here reads past the given text or depends on the C locale.
#include "settings/value_utils.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "settings/rounding.h"

namespace astrelle {
namespace {

constexpr char kBlank = ' ';
constexpr int kPointKey = '.';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters the leading-number reader skips anywhere inside a number.
bool IsSkippable(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// A decimal number reduced to its significant digits: value = 0.d1d2d3... x 10^exponent10.
// Keeping the digits apart from the exponent lets us decide overflow and underflow before
// handing a bounded text to from_chars, whatever the size of the input.
struct DecimalNumber {
    bool negative = false;
    std::string digits;  // no leading zeros; empty means the value is zero
    int64_t exponent10 = 0;
};

// Saturation limit for exponents: far beyond any float or double, yet no int64 overflow
// when the digit count of a huge text is added.
constexpr int64_t kExponentLimit = 1'000'000'000;

// Accumulates the digits of a mantissa. Leading zeros only move the exponent.
class MantissaBuilder {
  public:
    explicit MantissaBuilder(DecimalNumber& number) : number_(number) {}

    void Digit(char c, bool afterPoint) {
        sawDigit_ = true;
        if (c == '0' && number_.digits.empty()) {
            if (afterPoint) --shift_;
            return;
        }
        number_.digits.push_back(c);
        if (!afterPoint) ++integerDigits_;
    }

    bool SawDigit() const { return sawDigit_; }
    void Finish(int64_t exponent) { number_.exponent10 = integerDigits_ + shift_ + exponent; }

  private:
    DecimalNumber& number_;
    bool sawDigit_ = false;
    int64_t integerDigits_ = 0;
    int64_t shift_ = 0;
};

void AddExponentDigit(int64_t& exponent, char c) {
    if (exponent < kExponentLimit) exponent = exponent * 10 + (c - '0');
}

// Converts the reduced number with correct rounding into T (float or double). Returns false
// when the magnitude is beyond T's range; values too small for T become a signed zero.
template <class T>
bool DecimalToValue(const DecimalNumber& number, T& out) {
    const T zero = number.negative ? -T(0) : T(0);
    if (number.digits.empty()) {
        out = zero;
        return true;
    }
    // 0.d x 10^e with e > 310 exceeds every double; e < -330 lies below the smallest one.
    if (number.exponent10 > 310) return false;
    if (number.exponent10 < -330) {
        out = zero;
        return true;
    }
    std::string text;
    text.reserve(number.digits.size() + 16);
    if (number.negative) text.push_back('-');
    text += "0.";
    text += number.digits;
    text.push_back('e');
    text += std::to_string(number.exponent10);
    T value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars reports underflow the same way; the exponent tells which it was.
        if (number.exponent10 <= 0) {
            out = zero;
            return true;
        }
        return false;
    }
    if (result.ec != std::errc()) return false;
    out = value;
    return true;
}

enum class NumberForm {
    // The leading number of a text: blanks, tabs and line feeds are skipped anywhere inside
    // it, a sign counts only as the first non-blank character, the rest of the text is
    // ignored, and an exponent marker without digits ("5e+") is no exponent.
    Leading,
    // A whole text that is one number: optional sign, digits with at most one point (at
    // least one digit), optional exponent with at least one digit; nothing else, no blanks.
    Whole,
};

// Reads the number of the given form into number. Returns false when a Whole text is not
// one number; a Leading text always gives a number (0 when it has no digits).
bool ScanNumber(std::string_view text, NumberForm form, DecimalNumber& number) {
    const bool leading = form == NumberForm::Leading;
    const size_t size = text.size();
    auto skipBlanks = [&](size_t& p) {
        while (leading && p < size && IsSkippable(text[p])) ++p;
    };
    auto readSign = [&](size_t& p) {
        const bool negative = p < size && text[p] == '-';
        if (p < size && (text[p] == '+' || text[p] == '-')) ++p;
        return negative;
    };
    number = DecimalNumber{};
    size_t pos = 0;
    skipBlanks(pos);
    number.negative = readSign(pos);
    MantissaBuilder mantissa(number);
    bool afterPoint = false;
    for (; pos < size; ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            mantissa.Digit(c, afterPoint);
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (!(leading && IsSkippable(c))) {
            break;
        }
    }
    if (!mantissa.SawDigit()) {
        number = DecimalNumber{};  // a lone sign is no number: plain 0
        return leading;
    }
    int64_t exponent = 0;
    if (pos < size && (text[pos] == 'E' || text[pos] == 'e')) {
        size_t p = pos + 1;
        skipBlanks(p);
        const bool negativeExponent = readSign(p);
        int64_t value = 0;
        bool anyDigit = false;
        for (; p < size; ++p) {
            if (IsDigit(text[p])) {
                anyDigit = true;
                AddExponentDigit(value, text[p]);
            } else if (!(leading && IsSkippable(text[p]))) {
                break;
            }
        }
        if (anyDigit) {
            exponent = negativeExponent ? -value : value;
            pos = p;
        } else if (!leading) {
            return false;
        }
    }
    if (!leading && pos != size) return false;
    mantissa.Finish(exponent);
    return true;
}

double DecimalToDouble(const DecimalNumber& number) {
    double value = 0;
    if (!DecimalToValue(number, value)) {
        return number.negative ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    }
    return value;
}

// Non-finite floats have no plain decimal form that reads back; stores and fields get the
// nearest representable number instead (NaN has none and becomes 0).
bool ReplaceNonFinite(float& value) {
    if (std::isnan(value)) {
        value = 0.0f;
        return true;
    }
    if (std::isinf(value)) {
        value = value > 0 ? std::numeric_limits<float>::max() : std::numeric_limits<float>::lowest();
    }
    return false;
}

// Float conversion that never relies on overflow behaviour of the cast.
float DoubleToFloatSaturated(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::infinity();
    if (v < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

std::string FieldAt(std::string_view row, int n) {
    if (n < 0) return {};
    // Field n starts after the n-th comma; a missing comma means the index is past the end.
    size_t begin = 0;
    for (int k = 0; k < n; ++k) {
        const size_t comma = row.find(',', begin);
        if (comma == std::string_view::npos) return {};
        begin = comma + 1;
    }
    size_t end = row.find(',', begin);
    if (end == std::string_view::npos) end = row.size();  // the comma appended to every row
    return std::string(TrimBlanks(row.substr(begin, end - begin)));
}

double LeadingNumber(std::string_view text) {
    DecimalNumber number;
    ScanNumber(text, NumberForm::Leading, number);
    return DecimalToDouble(number);
}

bool IsNumericText(std::string_view text) {
    DecimalNumber number;
    return ScanNumber(TrimBlanks(text), NumberForm::Whole, number);
}

namespace {

enum class ParseStatus { NotNumeric, DoesNotFit, Ok };

template <class T>
ParseStatus ParseWhole(std::string_view text, T& out) {
    DecimalNumber number;
    if (!ScanNumber(TrimBlanks(text), NumberForm::Whole, number)) return ParseStatus::NotNumeric;
    bool fits = false;
    if constexpr (std::is_same_v<T, float>) {
        // Straight to single precision: going through double could round a second time.
        fits = DecimalToValue(number, out);
    } else if constexpr (std::is_same_v<T, int16_t>) {
        fits = TryRoundToInt16(DecimalToDouble(number), out);
    } else {
        fits = TryRoundToInt32(DecimalToDouble(number), out);
    }
    return fits ? ParseStatus::Ok : ParseStatus::DoesNotFit;
}

template <class T>
T ParseOr(std::string_view text, T fallback) {
    T value{};
    switch (ParseWhole(text, value)) {
        case ParseStatus::NotNumeric:
            return fallback;
        case ParseStatus::DoesNotFit:
            return T{0};
        case ParseStatus::Ok:
            break;
    }
    return value;
}

}  // namespace

bool TryParseInt16(std::string_view text, int16_t& out) {
    return ParseWhole(text, out) == ParseStatus::Ok;
}
bool TryParseInt32(std::string_view text, int32_t& out) {
    return ParseWhole(text, out) == ParseStatus::Ok;
}
bool TryParseFloat(std::string_view text, float& out) {
    return ParseWhole(text, out) == ParseStatus::Ok;
}

int16_t ParseInt16Or(std::string_view text, int16_t fallback) {
    return ParseOr(text, fallback);
}
int32_t ParseInt32Or(std::string_view text, int32_t fallback) {
    return ParseOr(text, fallback);
}
float ParseFloatOr(std::string_view text, float fallback) {
    return ParseOr(text, fallback);
}

int16_t MaxInt16(int16_t a, int16_t b) {
    return a > b ? a : b;
}
int32_t MaxInt32(int32_t a, int32_t b) {
    return a > b ? a : b;
}
float MaxFloat(float a, float b) {
    return a > b ? a : b;
}
int16_t MinInt16(int16_t a, int16_t b) {
    return a < b ? a : b;
}
int32_t MinInt32(int32_t a, int32_t b) {
    return a < b ? a : b;
}

int16_t ClampInt16(int16_t value, int16_t low, int16_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

int32_t ClampInt32(int32_t value, int32_t low, int32_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

float ClampFloat(float value, float low, float high) {
    // NaN compares false both ways and would slip through; it is held to the lower bound.
    if (value < low || std::isnan(value)) return low;
    if (value > high) return high;
    return value;
}

std::string IntToText(int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FloatToText(float value) {
    if (ReplaceNonFinite(value) || value == 0.0f) return "0";  // no "-0" in stored files
    // Fixed notation with the shortest digits that read back exactly: at most 39 integer
    // digits or 45 decimals for a float, well inside the buffer.
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string FloatToSevenDigitText(float value) {
    if (ReplaceNonFinite(value) || value == 0.0f) return "0";
    // Round to seven significant digits first, then lay the digits out without exponent.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
    const std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (IsDigit(c)) digits.push_back(c);
    }
    int exponent = 0;
    const std::string_view expText = sci.substr(e + 1);
    const char* expBegin = expText.data() + (expText.front() == '+' ? 1 : 0);
    std::from_chars(expBegin, expText.data() + expText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (value < 0) out.push_back('-');
    if (exponent >= 0) {
        const size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits;
            out.append(integerDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, integerDigits);
            out.push_back('.');
            out += digits.substr(integerDigits);
        }
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

std::string NormaliseNumberText(std::string_view text, int kind, double low, double high) {
    // The leading "0" keeps a sign from counting, so "-3" reads as 0 like any non-number.
    std::string prefixed = "0";
    prefixed.append(text);
    const double v = LeadingNumber(prefixed);
    switch (static_cast<NumberKind>(kind)) {
        case NumberKind::Int16:
            return IntToText(ClampInt16(RoundToInt16Saturated(v), RoundToInt16Saturated(low),
                                        RoundToInt16Saturated(high)));
        case NumberKind::Int32:
            return IntToText(ClampInt32(RoundToInt32Saturated(v), RoundToInt32Saturated(low),
                                        RoundToInt32Saturated(high)));
        case NumberKind::Float:
            return FloatToSevenDigitText(ClampFloat(DoubleToFloatSaturated(v), DoubleToFloatSaturated(low),
                                                    DoubleToFloatSaturated(high)));
    }
    return std::string(text);
}

KeyFilterResult DigitKeyFilter(int key) {
    if ((key >= '0' && key <= '9') || key == kBackspaceKey) return {key, false};
    return {0, true};
}

KeyFilterResult DecimalKeyFilter(std::string_view text, std::string_view selected, int key) {
    if ((key >= '0' && key <= '9') || key == kBackspaceKey) return {key, false};
    if (key == kPointKey) {
        // A point inside the selection is replaced by the typed one, so it does not count.
        const bool selectionHasPoint = selected.find('.') != std::string_view::npos;
        const bool textHasPoint = text.find('.') != std::string_view::npos;
        if (selectionHasPoint || !textHasPoint) return {key, false};
    }
    return {0, true};
}

}  // namespace astrelle
