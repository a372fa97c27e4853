// Tests of the value utilities: row fields, lenient and strict number reading, the text
// forms of numbers, clamps, numeric-field normalisation and the key filters. Random text
// through every reader is the numbers fuzz target's job (its inputs replay under ctest).
#include "settings/value_utils.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace astrelle {
namespace {

using namespace std::string_literals;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FieldAt, SplitsAlignedRowsTrimsOnlyBlanksAndGivesEmptyTextOutside) {
    const std::string row = " 2500,   100,      2,         8000,   300,  0.985,   0.1,   0.015, 0.6, ";
    const struct {
        std::string row;
        int n;
        std::string field;
    } cases[] = {
        // clang-format off
        {row, 0, "2500"}, {row, 5, "0.985"}, {row, 8, "0.6"}, {row, 9, ""}, {row, 10, ""},
        {" 300,  500,   400,     0,  2000, ", 1, "500"}, {"\t a \t, b", 0, "\t a \t"},
        {"Spine Disk Shell,            15,     2, ", 0, "Spine Disk Shell"},
        {"a,b", 1, "b"}, {"a,b", 2, ""}, {"a,b", -1, ""}, {"", 0, ""}, {"", 3, ""}, {",,", 1, ""},
        {"x\0y,z"s, 0, "x\0y"s}, {"a,b", std::numeric_limits<int>::max(), ""},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(FieldAt(c.row, c.n), c.field) << c.row << " " << c.n;
}

// Callers prefix "0" to refuse signs; a carriage return is not skipped; extreme magnitudes
// saturate without undefined behaviour; many leading zeros and a matching exponent still
// give the exact value.
TEST(LeadingNumber, SkipsBlanksInsideStopsAtOtherCharactersAndNeedsExponentDigits) {
    const struct {
        std::string text;
        double value;
    } cases[] = {
        // clang-format off
        {"0-5", 0},     {"012ab", 12}, {"0", 0},       {"0 5", 5},      {"0.5", 0.5},  {"", 0},
        {"abc", 0},     {"-5", -5},    {"  +5 ", 5},   {"\t\n7\t1", 71}, {"5-3", 5},    {"--5", 0},
        {"1.2.3", 1.2}, {"7\r8", 7},   {".5", 0.5},    {"5.", 5},       {".", 0},      {"1e3", 1000},
        {"2E-2", 0.02}, {"1e", 1},     {"1e+", 1},     {"1e-x", 1},     {"e5", 0},     {"1e2e3", 100},
        {" - 1 2.5e 2x", -1250},       {"12\0"s "34", 12},
        {"1e999", kInf}, {"-1e999", -kInf}, {"1e-999", 0}, {"0e99999999999999999999", 0},
        {"1e99999999999999999999999999999", kInf}, {"1e-99999999999999999999999999999", 0},
        {std::string(100000, '9'), kInf}, {"0." + std::string(5000, '0') + "25e5001", 2.5},
        {"25" + std::string(5000, '0') + "e-5001", 2.5},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text.substr(0, 40);
    EXPECT_FALSE(std::signbit(LeadingNumber("-x")));
    EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
}

// Halves round to even; numeric text that does not fit gives 0 ("32767.5" rounds to 32768,
// "1e39" fits a double but not a float), other text the fallback.
TEST(ParseOr, RoundsHalvesToEvenAndGivesZeroWhenTooLarge) {
    const struct {
        const char* text;
        int16_t value;
    } int16Cases[] = {
        // clang-format off
        {" 42 ", 42}, {"4x", 7}, {"", 7}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"99999", 0}, {"1e999", 0},
        {"32767.4", 32767}, {"1e4", 10000}, {"32767.5", 0}, {"-32768.5", -32768},
        // clang-format on
    };
    for (const auto& c : int16Cases) EXPECT_EQ(ParseInt16Or(c.text, 7), c.value) << c.text;
    const std::pair<const char*, int32_t> int32Cases[] = {
        // clang-format off
        {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", 0}, {"40000", 40000}, {"abc", 7},
        // clang-format on
    };
    for (auto [text, value] : int32Cases) EXPECT_EQ(ParseInt32Or(text, 7), value) << text;

    const struct {
        const char* text;
        float value;
    } floatCases[] = {{"0.9975", 0.9975f}, {"1e3", 1000.0f}, {"  +5 ", 5.0f}, {"x", 3.5f},
                      {"1e999", 0.0f},     {"1e39", 0.0f},   {"1e-60", 0.0f}};
    for (const auto& c : floatCases) EXPECT_EQ(ParseFloatOr(c.text, 3.5f), c.value) << c.text;
    EXPECT_TRUE(std::signbit(ParseFloatOr("-0", 3.5f)));
    // Just above the midpoint between 1 and the next float: reading through a double would
    // land exactly on the midpoint and round down to 1.
    EXPECT_EQ(ParseFloatOr("1.0000000596046447755", 0), std::nextafter(1.0f, 2.0f));
}

TEST(Clamp, LowerBoundIsTestedFirstAndNaNEndsInsideTheRange) {
    constexpr float kFInf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ClampInt16(5, 10, 1), 10);
    EXPECT_EQ(ClampInt16(10, 10, 1), 1);
    EXPECT_EQ(ClampInt16(-32768, 1, 9), 1);
    EXPECT_EQ(ClampInt16(32767, 1, 9), 9);
    EXPECT_EQ(ClampInt32(5, 10, 1), 10);
    EXPECT_EQ(ClampInt32(7, 1, 9), 7);
    const float floatCases[][4] = {{0.95f, 0.1f, 0.9999f, 0.95f}, {1.0f, 0.1f, 0.9999f, 0.9999f},
                                   {5.0f, 10.0f, 1.0f, 10.0f},    {std::nanf(""), 0.25f, 1.0f, 0.25f},
                                   {kFInf, 0.25f, 1.0f, 1.0f},    {-kFInf, 0.25f, 1.0f, 0.25f}};
    for (const auto& c : floatCases) EXPECT_EQ(ClampFloat(c[0], c[1], c[2]), c[3]) << c[0];
}

TEST(NormaliseNumberText, FollowsTheFieldRules) {
    // Signs do not count ("+5" reads as no number); values beyond the integer type are held
    // to the bound, bounds beyond the type to the type; an unknown kind leaves the text.
    const struct {
        const char* text;
        int kind;
        double low, high;
        const char* result;
    } cases[] = {
        // clang-format off
        {"", 0, 1, 9, "1"},         {"12", 0, 1, 9, "9"},           {"-3", 0, 1, 9, "1"}, {"+5", 0, 1, 9, "1"},
        {"2.5", 0, 0, 10, "2"},     {"3.5", 0, 0, 10, "4"},         {" 7abc", 0, 1, 9, "7"},
        {"0.25", 1, 0, 1, "0.25"},  {"12", 1, 0, 99.9, "12"},       {"12.50000", 1, 0, 99.9, "12.5"},
        {"abc", 1, 0.25, 1, "0.25"}, {"0.005", 1, 0.01, 9999, "0.01"}, {"1e999", 1, 0, 9999, "9999"},
        {"123456.789", 1, 0, 999999, "123456.8"},  {"640000", 2, 0, 999999, "640000"},
        {"3000000000", 2, 0, 999999, "999999"},    {"99999", 0, 0, 30000, "30000"},
        {"1e999", 0, 0, 30000, "30000"},           {"40000", 0, 0, 99999, "32767"},
        {" 12abc ", 3, 1, 9, " 12abc "}, {"x", -1, 1, 9, "x"},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseNumberText(c.text, c.kind, c.low, c.high), c.result)
            << c.text << " kind " << c.kind;
    }
}

TEST(FloatToText, ShortestFixedTextThatReadsBackAndSevenDigitRounding) {
    const std::pair<float, const char*> shortest[] = {
        {0.0002f, "0.0002"}, {0.9975f, "0.9975"}, {2500.0f, "2500"},   {-359.85f, "-359.85"},
        {1e7f, "10000000"},  {-0.0f, "0"},        {std::nanf(""), "0"}};
    for (auto [value, text] : shortest) EXPECT_EQ(FloatToText(value), text) << text;
    for (float inf : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(ParseFloatOr(FloatToText(inf), 0),
                  inf > 0 ? std::numeric_limits<float>::max() : std::numeric_limits<float>::lowest());
    }
    std::mt19937 gen(777);
    for (int i = 0; i < 50000; ++i) {
        const float value = i == 0 ? std::numeric_limits<float>::denorm_min()
                                   : std::bit_cast<float>(static_cast<uint32_t>(gen()));
        if (!std::isfinite(value) || value == 0.0f) continue;
        const std::string text = FloatToText(value);
        ASSERT_TRUE(IsNumericText(text)) << text;
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        ASSERT_EQ(ParseFloatOr(text, 0), value) << text;
    }
    // 1.99999988 carries to "2"; 9999.9999f is 10000 in single precision.
    const std::pair<float, const char*> seven[] = {
        // clang-format off
        {0.1f, "0.1"},        {1.0f / 3.0f, "0.3333333"}, {123456789.0f, "123456800"},
        {1e-7f, "0.0000001"}, {-2.5f, "-2.5"},            {std::nextafter(2.0f, 0.0f), "2"},
        {std::nextafter(1.0f, 0.0f), "0.9999999"},        {9999.9999f, "10000"}, {0.0f, "0"},
        // clang-format on
    };
    for (auto [value, text] : seven) EXPECT_EQ(FloatToSevenDigitText(value), text) << text;
}

TEST(KeyFilters, DigitsAndBackspacePassAndAPointOnlyWhenNoPointSurvives) {
    for (int key = '0'; key <= '9'; ++key) EXPECT_EQ(DigitKeyFilter(key).key, key);
    EXPECT_EQ(DigitKeyFilter(kBackspaceKey).key, kBackspaceKey);
    EXPECT_FALSE(DigitKeyFilter('5').beep);
    for (int key : {int{'.'}, int{'-'}, int{'a'}, int{' '}, 0, 13, 127, 255}) {
        EXPECT_EQ(DigitKeyFilter(key).key, 0) << key;
        EXPECT_TRUE(DigitKeyFilter(key).beep) << key;
    }
    const struct {
        const char* text;
        const char* selected;
        int key;
        int passed;
    } cases[] = {{"1.5", "", '.', 0},  {"1.5", ".5", '.', '.'}, {"15", "", '.', '.'},
                 {"1.5", "1", '.', 0}, {"1.5", "", '7', '7'},   {"1.5", "", kBackspaceKey, kBackspaceKey},
                 {"", "", '-', 0},     {"", "", 'e', 0}};
    for (const auto& c : cases) {
        const KeyFilterResult r = DecimalKeyFilter(c.text, c.selected, c.key);
        EXPECT_EQ(r.key, c.passed) << c.text << " " << c.selected << " " << c.key;
        EXPECT_EQ(r.beep, c.passed == 0) << c.text << " " << c.selected << " " << c.key;
    }
}

}  // namespace
}  // namespace astrelle
