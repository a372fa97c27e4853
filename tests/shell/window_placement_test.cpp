// The stored placement text of the windowed program.
#include "shell/logic/window_placement.h"

#include <gtest/gtest.h>

namespace astrelle {
namespace {

bool Same(const WindowPlacementTwips& a, const WindowPlacementTwips& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// Four five-digit numbers; negative edges are written as 0 and huge values keep the width.
// Short text gives 0 for the missing numbers, a field that is no number reads as 0, and
// blank text is no placement.
TEST(WindowPlacement, TwentyDigitsRoundTripAndShortTextReadsAsZeros) {
    EXPECT_EQ(FormatWindowSize({1500, 300, 12000, 9000}), "01500003001200009000");
    EXPECT_EQ(FormatWindowSize({-120, -1, 15, 0}), "00000000000001500000");
    EXPECT_EQ(FormatWindowSize({0, 0, 123456, 7}).size(), 20u);
    WindowPlacementTwips p;
    ASSERT_TRUE(ParseWindowSize("01500003001200009000", p));
    EXPECT_TRUE(Same(p, {1500, 300, 12000, 9000}));
    ASSERT_TRUE(ParseWindowSize("  0150000300120  ", p));
    EXPECT_TRUE(Same(p, {1500, 300, 120, 0}));
    ASSERT_TRUE(ParseWindowSize("abcde00300", p));
    EXPECT_TRUE(Same(p, {0, 300, 0, 0}));
    EXPECT_FALSE(ParseWindowSize("   ", p));
    EXPECT_FALSE(ParseWindowSize("", p));
}

}  // namespace
}  // namespace astrelle
