// The stored placement text of the windowed program.
#include "shell/logic/window_placement.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

TEST(WindowPlacement, TwentyDigitsRoundTrip) {
    const WindowPlacementTwips p{1500, 300, 12000, 9000};
    const std::string text = FormatWindowSize(p);
    EXPECT_EQ(text, "01500003001200009000");
    WindowPlacementTwips back;
    ASSERT_TRUE(ParseWindowSize(text, back));
    EXPECT_EQ(back.left, 1500);
    EXPECT_EQ(back.top, 300);
    EXPECT_EQ(back.width, 12000);
    EXPECT_EQ(back.height, 9000);
}

TEST(WindowPlacement, NegativeEdgesAreWrittenAsZeroAndHugeValuesKeepTheWidth) {
    EXPECT_EQ(FormatWindowSize({-120, -1, 15, 0}), "00000000000001500000");
    EXPECT_EQ(FormatWindowSize({0, 0, 123456, 7}).size(), 20u);
}

TEST(WindowPlacement, ShortTextGivesZeroForTheMissingNumbers) {
    WindowPlacementTwips p{1, 2, 3, 4};
    ASSERT_TRUE(ParseWindowSize("  0150000300120  ", p));
    EXPECT_EQ(p.left, 1500);
    EXPECT_EQ(p.top, 300);
    EXPECT_EQ(p.width, 120);
    EXPECT_EQ(p.height, 0);
    EXPECT_FALSE(ParseWindowSize("   ", p));
    EXPECT_FALSE(ParseWindowSize("", p));
    ASSERT_TRUE(ParseWindowSize("abcde00300", p));  // a field that is no number reads as 0
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 300);
}

}  // namespace
}  // namespace astrelle
