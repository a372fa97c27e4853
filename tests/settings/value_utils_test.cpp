// Tests of the value utilities: row fields, lenient and strict number reading, the text
// forms of numbers, clamps, numeric-field normalisation and the key filters.
#include "settings/value_utils.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace astrelle {
namespace {

using namespace std::string_literals;

TEST(FieldAt, SplitsAlignedRowsAndTrimsOnlyBlanks) {
    const std::string row =
        std::string(" 2500,   100,      2,        ") + " 8000,   300,  0.985,   0.1,   0.015, 0.6, ";
    const std::vector<std::string> expected = {"2500",  "100", "2",     "8000", "300",
                                               "0.985", "0.1", "0.015", "0.6",  ""};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(FieldAt(row, static_cast<int>(i)), expected[i]) << i;
    EXPECT_EQ(FieldAt(row, 10), "");  // past the empty last field

    EXPECT_EQ(FieldAt(" 300,  500,   400,     0,  2000, ", 1), "500");
    EXPECT_EQ(FieldAt("Spine Disk Shell,            15,     2, ", 0), "Spine Disk Shell");
    EXPECT_EQ(FieldAt("\t a \t, b", 0), "\t a \t");
}

TEST(FieldAt, IndexesOutsideTheRowGiveEmptyText) {
    EXPECT_EQ(FieldAt("a,b", 0), "a");
    EXPECT_EQ(FieldAt("a,b", 1), "b");
    EXPECT_EQ(FieldAt("a,b", 2), "");
    EXPECT_EQ(FieldAt("a,b", -1), "");
    EXPECT_EQ(FieldAt("a,b", std::numeric_limits<int>::max()), "");
    EXPECT_EQ(FieldAt("", 0), "");
    EXPECT_EQ(FieldAt("", 3), "");
    EXPECT_EQ(FieldAt(",,", 1), "");
    EXPECT_EQ(FieldAt("x\0y,z"s, 0), "x\0y"s);
}

TEST(LeadingNumber, CallersPrefixZeroToRefuseSigns) {
    EXPECT_EQ(LeadingNumber("0-5"), 0.0);
    EXPECT_EQ(LeadingNumber("012ab"), 12.0);
    EXPECT_EQ(LeadingNumber("0"), 0.0);
    EXPECT_EQ(LeadingNumber("0 5"), 5.0);
    EXPECT_EQ(LeadingNumber("0.5"), 0.5);
}

TEST(LeadingNumber, SkipsBlanksInsideAndStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("-5"), -5.0);
    EXPECT_EQ(LeadingNumber("  +5 "), 5.0);
    EXPECT_EQ(LeadingNumber(" - 1 2.5e 2x"), -1250.0);
    EXPECT_EQ(LeadingNumber("\t\n7\t1"), 71.0);
    EXPECT_EQ(LeadingNumber("5-3"), 5.0);
    EXPECT_EQ(LeadingNumber("--5"), 0.0);
    EXPECT_FALSE(std::signbit(LeadingNumber("-x")));
    EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
    EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(LeadingNumber("7\r8"), 7.0);  // carriage return is not skipped
    EXPECT_EQ(LeadingNumber("12\0"
                            "34"s),
              12.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("5."), 5.0);
    EXPECT_EQ(LeadingNumber("."), 0.0);
}

TEST(LeadingNumber, ExponentNeedsDigitsToCount) {
    EXPECT_EQ(LeadingNumber("1e3"), 1000.0);
    EXPECT_EQ(LeadingNumber("2E-2"), 0.02);
    EXPECT_EQ(LeadingNumber("1e"), 1.0);
    EXPECT_EQ(LeadingNumber("1e+"), 1.0);
    EXPECT_EQ(LeadingNumber("1e-x"), 1.0);
    EXPECT_EQ(LeadingNumber("e5"), 0.0);
    EXPECT_EQ(LeadingNumber("1e2e3"), 100.0);
}

TEST(LeadingNumber, ExtremeMagnitudesSaturateWithoutUndefinedBehaviour) {
    EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
    EXPECT_EQ(LeadingNumber("1e99999999999999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("1e-99999999999999999999999999999"), 0.0);
    EXPECT_EQ(LeadingNumber("0e99999999999999999999"), 0.0);
    EXPECT_EQ(LeadingNumber(std::string(100000, '9')), std::numeric_limits<double>::infinity());
    // Many leading zeros and a matching exponent still give the exact value.
    EXPECT_EQ(LeadingNumber("0." + std::string(5000, '0') + "25e5001"), 2.5);
    EXPECT_EQ(LeadingNumber("25" + std::string(5000, '0') + "e-5001"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(IsNumericText, AcceptsOnlyOneWholeNumberBetweenBlanks) {
    for (const char* yes : {"0", "  +5 ", "-0", "1e999", "5.", ".5", "1E-3", "-.5e+2", "00012"}) {
        EXPECT_TRUE(IsNumericText(yes)) << yes;
    }
    for (const std::string& no : {""s, "   "s, "+"s, "-"s, "."s, "+."s, "1e"s, "1e+"s, "1.2.3"s, "\t5"s,
                                  "5\t"s, "5 5"s, "12ab"s, "1,5"s, "e5"s, "5\0"s, "\0"s, "1e5.5"s, "++5"s}) {
        EXPECT_FALSE(IsNumericText(no)) << no;
    }
}

TEST(ParseInt16Or, RoundsHalvesToEvenAndGivesZeroWhenTooLarge) {
    EXPECT_EQ(ParseInt16Or(" 42 ", 7), 42);
    EXPECT_EQ(ParseInt16Or("4x", 7), 7);
    EXPECT_EQ(ParseInt16Or("", 7), 7);
    EXPECT_EQ(ParseInt16Or("2.5", 7), 2);
    EXPECT_EQ(ParseInt16Or("3.5", 7), 4);
    EXPECT_EQ(ParseInt16Or("-2.5", 7), -2);
    EXPECT_EQ(ParseInt16Or("99999", 7), 0);
    EXPECT_EQ(ParseInt16Or("1e999", 7), 0);
    EXPECT_EQ(ParseInt16Or("32767.4", 7), 32767);
    EXPECT_EQ(ParseInt16Or("32767.5", 7), 0);  // rounds to 32768
    EXPECT_EQ(ParseInt16Or("-32768.5", 7), -32768);
    EXPECT_EQ(ParseInt16Or("1e4", 7), 10000);
}

TEST(ParseInt32Or, UsesTheWholeThirtyTwoBitRange) {
    EXPECT_EQ(ParseInt32Or("2147483647", 7), 2147483647);
    EXPECT_EQ(ParseInt32Or("-2147483648", 7), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseInt32Or("2147483648", 7), 0);
    EXPECT_EQ(ParseInt32Or("40000", 7), 40000);
    EXPECT_EQ(ParseInt32Or("abc", 7), 7);
}

TEST(ParseFloatOr, ConvertsStraightToSinglePrecision) {
    EXPECT_EQ(ParseFloatOr("0.9975", 0), 0.9975f);
    EXPECT_EQ(ParseFloatOr("1e3", 0), 1000.0f);
    EXPECT_EQ(ParseFloatOr("  +5 ", 0), 5.0f);
    EXPECT_EQ(ParseFloatOr("x", 3.5f), 3.5f);
    EXPECT_EQ(ParseFloatOr("1e999", 3.5f), 0.0f);
    EXPECT_EQ(ParseFloatOr("1e39", 3.5f), 0.0f);  // fits a double, not a float
    EXPECT_EQ(ParseFloatOr("1e-60", 3.5f), 0.0f);
    const float negativeZero = ParseFloatOr("-0", 3.5f);
    EXPECT_EQ(negativeZero, 0.0f);
    EXPECT_TRUE(std::signbit(negativeZero));
    // Just above the midpoint between 1 and the next float: reading through a double would
    // land exactly on the midpoint and round down to 1.
    EXPECT_EQ(ParseFloatOr("1.0000000596046447755", 0), std::nextafter(1.0f, 2.0f));
}

TEST(TryParse, LeavesTheTargetAloneWhenTheTextDoesNotConvert) {
    int16_t i16 = 5;
    EXPECT_FALSE(TryParseInt16("abc", i16));
    EXPECT_FALSE(TryParseInt16("40000", i16));
    EXPECT_EQ(i16, 5);
    EXPECT_TRUE(TryParseInt16(" 12 ", i16));
    EXPECT_EQ(i16, 12);
    float f = 1.5f;
    EXPECT_FALSE(TryParseFloat("", f));
    EXPECT_FALSE(TryParseFloat("1e40", f));
    EXPECT_EQ(f, 1.5f);
    int32_t i32 = 9;
    EXPECT_FALSE(TryParseInt32("1e10", i32));
    EXPECT_EQ(i32, 9);
}

// Random bytes, sometimes shaped like numbers, through every reader: nothing may crash or
// read outside the text (the sanitizer run checks that), and the readers must agree.
TEST(Parsers, ArbitraryBytesAreHandledConsistently) {
    std::mt19937 gen(12345);
    const std::string alphabet = "0123456789+-.eE \t\n\r\0x,"s;
    for (int round = 0; round < 20000; ++round) {
        const size_t length = gen() % 24;
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            text.push_back(round % 2 ? alphabet[gen() % alphabet.size()] : static_cast<char>(gen() % 256));
        }
        const double leading = LeadingNumber(text);
        EXPECT_FALSE(std::isnan(leading)) << text;
        const bool numeric = IsNumericText(text);
        const float f = ParseFloatOr(text, 42.0f);
        const int16_t i16 = ParseInt16Or(text, 42);
        const int32_t i32 = ParseInt32Or(text, 42);
        if (!numeric) {
            EXPECT_EQ(f, 42.0f) << text;
            EXPECT_EQ(i16, 42) << text;
            EXPECT_EQ(i32, 42) << text;
        } else {
            EXPECT_TRUE(std::isfinite(f)) << text;
            // A whole number read leniently gives the same value as read strictly.
            if (std::isfinite(leading) && std::abs(leading) < 1e30) {
                EXPECT_EQ(static_cast<float>(leading), f) << text;
            }
        }
        (void)FieldAt(text, static_cast<int>(gen() % 5));
        for (int kind = 0; kind < 4; ++kind) {
            const std::string normalised = NormaliseNumberText(text, kind, 1, 9);
            if (kind < 3) {
                EXPECT_TRUE(IsNumericText(normalised)) << text << " -> " << normalised;
            }
        }
    }
}

TEST(Clamp, LowerBoundIsTestedFirst) {
    EXPECT_EQ(ClampInt16(5, 10, 1), 10);
    EXPECT_EQ(ClampInt16(10, 10, 1), 1);
    EXPECT_EQ(ClampInt16(-32768, 1, 9), 1);
    EXPECT_EQ(ClampInt16(32767, 1, 9), 9);
    EXPECT_EQ(ClampInt32(5, 10, 1), 10);
    EXPECT_EQ(ClampInt32(7, 1, 9), 7);
    EXPECT_EQ(ClampFloat(0.95f, 0.1f, 0.9999f), 0.95f);
    EXPECT_EQ(ClampFloat(1.0f, 0.1f, 0.9999f), 0.9999f);
    EXPECT_EQ(ClampFloat(5.0f, 10.0f, 1.0f), 10.0f);
}

TEST(Clamp, FloatNaNAndInfinityEndInsideTheRange) {
    EXPECT_EQ(ClampFloat(std::numeric_limits<float>::quiet_NaN(), 0.25f, 1.0f), 0.25f);
    EXPECT_EQ(ClampFloat(std::numeric_limits<float>::infinity(), 0.25f, 1.0f), 1.0f);
    EXPECT_EQ(ClampFloat(-std::numeric_limits<float>::infinity(), 0.25f, 1.0f), 0.25f);
}

TEST(NormaliseNumberText, FollowsTheFieldRules) {
    EXPECT_EQ(NormaliseNumberText("", 0, 1, 9), "1");
    EXPECT_EQ(NormaliseNumberText("12", 0, 1, 9), "9");
    EXPECT_EQ(NormaliseNumberText("-3", 0, 1, 9), "1");
    EXPECT_EQ(NormaliseNumberText("0.005", 1, 0.01, 9999), "0.01");
    EXPECT_EQ(NormaliseNumberText("2.5", 0, 0, 10), "2");
    EXPECT_EQ(NormaliseNumberText("3.5", 0, 0, 10), "4");
    EXPECT_EQ(NormaliseNumberText(" 7abc", 0, 1, 9), "7");
    EXPECT_EQ(NormaliseNumberText("0.25", 1, 0, 1), "0.25");
    EXPECT_EQ(NormaliseNumberText("12", 1, 0, 99.9), "12");
    EXPECT_EQ(NormaliseNumberText("12.50000", 1, 0, 99.9), "12.5");
    EXPECT_EQ(NormaliseNumberText("abc", 1, 0.25, 1), "0.25");
    EXPECT_EQ(NormaliseNumberText("123456.789", 1, 0, 999999), "123456.8");
    EXPECT_EQ(NormaliseNumberText("640000", 2, 0, 999999), "640000");
}

TEST(NormaliseNumberText, ValuesBeyondTheIntegerTypeAreHeldToTheBound) {
    EXPECT_EQ(NormaliseNumberText("99999", 0, 0, 30000), "30000");
    EXPECT_EQ(NormaliseNumberText("1e999", 0, 0, 30000), "30000");
    EXPECT_EQ(NormaliseNumberText("3000000000", 2, 0, 999999), "999999");
    EXPECT_EQ(NormaliseNumberText("1e999", 1, 0, 9999), "9999");
    // Bounds beyond the type are held to the type first.
    EXPECT_EQ(NormaliseNumberText("40000", 0, 0, 99999), "32767");
}

TEST(NormaliseNumberText, UnknownKindLeavesTheText) {
    EXPECT_EQ(NormaliseNumberText(" 12abc ", 3, 1, 9), " 12abc ");
    EXPECT_EQ(NormaliseNumberText("x", -1, 1, 9), "x");
}

TEST(FloatToText, ShortestFixedTextThatReadsBack) {
    EXPECT_EQ(FloatToText(0.0002f), "0.0002");
    EXPECT_EQ(FloatToText(0.9975f), "0.9975");
    EXPECT_EQ(FloatToText(2500.0f), "2500");
    EXPECT_EQ(FloatToText(0.012f), "0.012");
    EXPECT_EQ(FloatToText(-359.85f), "-359.85");
    EXPECT_EQ(FloatToText(1e7f), "10000000");
    EXPECT_EQ(FloatToText(-0.0f), "0");
    EXPECT_EQ(FloatToText(std::numeric_limits<float>::quiet_NaN()), "0");
    EXPECT_EQ(ParseFloatOr(FloatToText(std::numeric_limits<float>::infinity()), 0),
              std::numeric_limits<float>::max());
    const std::string tiny = FloatToText(std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(tiny.find('e'), std::string::npos);
    EXPECT_EQ(ParseFloatOr(tiny, 0), std::numeric_limits<float>::denorm_min());
}

TEST(FloatToText, EveryFiniteFloatRoundTrips) {
    std::mt19937 gen(777);
    for (int i = 0; i < 50000; ++i) {
        const float value = std::bit_cast<float>(static_cast<uint32_t>(gen()));
        if (!std::isfinite(value) || value == 0.0f) continue;
        const std::string text = FloatToText(value);
        ASSERT_TRUE(IsNumericText(text)) << text;
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        ASSERT_EQ(ParseFloatOr(text, 0), value) << text;
    }
}

TEST(FloatToSevenDigitText, RoundsToSevenSignificantDigits) {
    EXPECT_EQ(FloatToSevenDigitText(0.1f), "0.1");
    EXPECT_EQ(FloatToSevenDigitText(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(FloatToSevenDigitText(123456789.0f), "123456800");
    EXPECT_EQ(FloatToSevenDigitText(1e-7f), "0.0000001");
    EXPECT_EQ(FloatToSevenDigitText(-2.5f), "-2.5");
    EXPECT_EQ(FloatToSevenDigitText(std::nextafter(2.0f, 0.0f)), "2");  // 1.99999988 carries
    EXPECT_EQ(FloatToSevenDigitText(std::nextafter(1.0f, 0.0f)), "0.9999999");
    EXPECT_EQ(FloatToSevenDigitText(9999.9999f), "10000");
    EXPECT_EQ(FloatToSevenDigitText(0.0f), "0");
}

TEST(KeyFilters, DigitFilterPassesDigitsAndBackspaceOnly) {
    for (int key = '0'; key <= '9'; ++key) EXPECT_EQ(DigitKeyFilter(key).key, key);
    EXPECT_EQ(DigitKeyFilter(kBackspaceKey).key, kBackspaceKey);
    EXPECT_FALSE(DigitKeyFilter('5').beep);
    for (int key : {int{'.'}, int{'-'}, int{'a'}, int{' '}, 0, 13, 127, 255}) {
        EXPECT_EQ(DigitKeyFilter(key).key, 0) << key;
        EXPECT_TRUE(DigitKeyFilter(key).beep) << key;
    }
}

TEST(KeyFilters, DecimalPointPassesOnlyWhenNoPointSurvives) {
    EXPECT_EQ(DecimalKeyFilter("1.5", "", '.').key, 0);
    EXPECT_TRUE(DecimalKeyFilter("1.5", "", '.').beep);
    EXPECT_EQ(DecimalKeyFilter("1.5", ".5", '.').key, '.');
    EXPECT_FALSE(DecimalKeyFilter("1.5", ".5", '.').beep);
    EXPECT_EQ(DecimalKeyFilter("15", "", '.').key, '.');
    EXPECT_EQ(DecimalKeyFilter("1.5", "1", '.').key, 0);
    EXPECT_EQ(DecimalKeyFilter("1.5", "", '7').key, '7');
    EXPECT_EQ(DecimalKeyFilter("1.5", "", kBackspaceKey).key, kBackspaceKey);
    EXPECT_EQ(DecimalKeyFilter("", "", '-').key, 0);
    EXPECT_TRUE(DecimalKeyFilter("", "", 'e').beep);
}

}  // namespace
}  // namespace astrelle
