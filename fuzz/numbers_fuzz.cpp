// Number reading and writing on arbitrary text: the strict parsers agree with the C
// library on every text they call numeric and give the fallback for every other text, the
// stored text of a float reads back to the same float, and a normalised input field is
// a number inside its range that normalises to itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "fuzz_support.h"
#include "settings/value_utils.h"

namespace astrelle::fuzz {
namespace {

// What counts as one number, written as a pattern rather than as a scanner.
bool LooksNumeric(std::string_view text) {
    static const std::regex kNumber(R"(^ *[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)? *$)");
    return std::regex_match(text.begin(), text.end(), kNumber);
}

bool SameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The C library's reading of a text the pattern accepts (trimmed, so nothing follows it).
double LibraryDouble(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}
float LibraryFloat(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}

template <class Int>
Int Expected(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return 0;  // does not fit: 0, not the fallback
    }
    return static_cast<Int>(r);
}

void CheckParsers(const std::string& text, int16_t fallback16, int32_t fallback32, float fallbackF) {
    const bool numeric = IsNumericText(text);
    // Long texts would make the pattern engine recurse too deeply; the parsers' own scan
    // is checked against the C library below for them as well.
    if (text.size() <= 200) FUZZ_CHECK(numeric == LooksNumeric(text));

    int16_t i16 = 0x5a5a;
    int32_t i32 = 0x5a5a5a5a;
    float f = 1234.5f;
    const bool ok16 = TryParseInt16(text, i16);
    const bool ok32 = TryParseInt32(text, i32);
    const bool okF = TryParseFloat(text, f);
    if (!numeric) {
        FUZZ_CHECK(ParseInt16Or(text, fallback16) == fallback16);
        FUZZ_CHECK(ParseInt32Or(text, fallback32) == fallback32);
        FUZZ_CHECK(SameFloat(ParseFloatOr(text, fallbackF), fallbackF));
        FUZZ_CHECK(!ok16 && !ok32 && !okF);
        FUZZ_CHECK(i16 == 0x5a5a && i32 == 0x5a5a5a5a && f == 1234.5f);  // left untouched
        return;
    }
    const std::string trimmed(TrimBlanks(text));
    const double d = LibraryDouble(trimmed);
    FUZZ_CHECK(ParseInt16Or(text, fallback16) == Expected<int16_t>(d));
    FUZZ_CHECK(ParseInt32Or(text, fallback32) == Expected<int32_t>(d));
    const float lf = LibraryFloat(trimmed);
    const float expectedF = std::isinf(lf) ? 0.0f : lf;
    FUZZ_CHECK(SameFloat(ParseFloatOr(text, fallbackF), expectedF));
    // The keep-the-old-value forms agree: they succeed exactly when the number fits.
    const double r = std::nearbyint(d);
    FUZZ_CHECK(ok16 == (r >= -32768.0 && r <= 32767.0));
    FUZZ_CHECK(ok32 == (r >= -2147483648.0 && r <= 2147483647.0));
    FUZZ_CHECK(okF == !std::isinf(lf));
    if (ok16) FUZZ_CHECK(i16 == Expected<int16_t>(d));
    if (okF) FUZZ_CHECK(SameFloat(f, lf));
    // Without inner blanks the lenient reader sees the same number.
    FUZZ_CHECK(LeadingNumber(trimmed) == d);
}

void CheckLeadingNumber(const std::string& text) {
    const double v = LeadingNumber(text);
    FUZZ_CHECK(!std::isnan(v));
    // Callers that refuse signs put a 0 in front: never negative then.
    FUZZ_CHECK(LeadingNumber("0" + text) >= 0.0);
}

void CheckTextForms(float value) {
    const std::string stored = FloatToText(value);
    FUZZ_CHECK(IsNumericText(stored));
    FUZZ_CHECK(stored.find_first_of("eE") == std::string::npos);
    if (std::isfinite(value)) {
        // Stored files give back exactly the float that was written (zero without a sign).
        float back = 0;
        FUZZ_CHECK(TryParseFloat(stored, back));
        FUZZ_CHECK(back == value);
    }
    const std::string shown = FloatToSevenDigitText(value);
    FUZZ_CHECK(IsNumericText(shown));
    FUZZ_CHECK(shown.find_first_of("eE") == std::string::npos);
    if (std::isfinite(value) && value != 0.0f) {
        const double back = LibraryDouble(shown);
        FUZZ_CHECK(std::fabs(back - value) <= 5.0000001e-7 * std::fabs(static_cast<double>(value)));
    }
}

// A bound like the ranges of the settings: at most six significant digits, never negative.
double Bound(FuzzedDataProvider& data, bool integral) {
    const double mantissa = data.ConsumeIntegralInRange<int>(0, 999999);
    if (integral) return mantissa;
    return mantissa / std::pow(10.0, data.ConsumeIntegralInRange(0, 5));
}

void CheckNormalise(const std::string& text, int kind, double low, double high) {
    const std::string result = NormaliseNumberText(text, kind, low, high);
    if (kind < 0 || kind > 2) {
        FUZZ_CHECK(result == text);
        return;
    }
    FUZZ_CHECK(IsNumericText(result));
    FUZZ_CHECK(result.find_first_of("eE-+ ") == std::string::npos);
    if (kind == 1) {
        const float v = LibraryFloat(result);
        FUZZ_CHECK(v >= static_cast<float>(low) && v <= static_cast<float>(high));
    } else {
        // The bounds are held to the integer type like the value.
        const double typeMax = kind == 0 ? 32767.0 : 2147483647.0;
        const double lo = std::min(std::nearbyint(low), typeMax);
        const double hi = std::min(std::nearbyint(high), typeMax);
        const double v = LibraryDouble(result);
        FUZZ_CHECK(v == std::nearbyint(v));
        FUZZ_CHECK(v >= lo && v <= hi);
        // A plain number inside the range is kept as its nearest integer.
        if (IsNumericText(text) && text.find_first_of(" +-") == std::string::npos) {
            const double typed = std::nearbyint(LibraryDouble(text));
            if (typed >= lo && typed <= hi) FUZZ_CHECK(v == typed);
        }
    }
    // Leaving the field a second time changes nothing.
    FUZZ_CHECK(NormaliseNumberText(result, kind, low, high) == result);
}

void CheckFieldAt(const std::string& row, int n) {
    const std::string field = FieldAt(row, n);
    FUZZ_CHECK(field.find(',') == std::string::npos);
    FUZZ_CHECK(field.empty() || (field.front() != ' ' && field.back() != ' '));
    FUZZ_CHECK(row.find(field) != std::string::npos);
    size_t commas = 0;
    for (char c : row) commas += c == ',';
    if (n < 0 || static_cast<size_t>(n) > commas) FUZZ_CHECK(field.empty());
}

}  // namespace
}  // namespace astrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle::fuzz;
    FuzzedDataProvider data(bytes, size);
    const auto fallback16 = data.ConsumeIntegral<int16_t>();
    const auto fallback32 = data.ConsumeIntegral<int32_t>();
    const float fallbackF = data.ConsumeFloatingPoint<float>();
    const int kind = data.ConsumeIntegralInRange(-1, 3);
    const bool integralBounds = kind != 1;
    double low = Bound(data, integralBounds);
    double high = Bound(data, integralBounds);
    if (low > high) std::swap(low, high);
    const int field = data.ConsumeIntegralInRange(-1, 40);
    // Any bit pattern: NaN, infinities and subnormals included.
    const float anyFloat = std::bit_cast<float>(data.ConsumeIntegral<uint32_t>());
    const std::string text = data.ConsumeRemainingBytesAsString();

    CheckParsers(text, fallback16, fallback32, fallbackF);
    CheckLeadingNumber(text);
    CheckTextForms(anyFloat);
    CheckNormalise(text, kind, low, high);
    CheckFieldAt(text, field);
    return 0;
}
