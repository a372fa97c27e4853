// The credits flight as logic: set-up clamps, renewal at depth 1, and the pairing of every
// erase with the draw before it (which the exclusive-or picture relies on).
#include "ui/credit_stars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

namespace astrelle {
namespace {

TEST(CreditsSetupClamp, HoldsEveryValueToItsRange) {
    const CreditsSetup high = ClampCreditsSetup({5, 1.0f, 20.0f, {"a"}});
    EXPECT_EQ(high.stars, 10);
    EXPECT_FLOAT_EQ(high.speed, 0.25f);
    EXPECT_FLOAT_EQ(high.scrollStep, 10.0f);
    EXPECT_EQ(high.lines, QStringList{"a"});

    const CreditsSetup low = ClampCreditsSetup({500, 0.0001f, 0.1f, {}});
    EXPECT_EQ(low.stars, 200);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 0.5f);

    const CreditsSetup welcome = ClampCreditsSetup({125, 0.005f, 2.0f, {}});
    EXPECT_EQ(welcome.stars, 125);
    EXPECT_FLOAT_EQ(welcome.speed, 0.005f);
    EXPECT_FLOAT_EQ(welcome.scrollStep, 2.0f);

    const CreditsSetup nan = ClampCreditsSetup({20, std::nanf(""), std::nanf(""), {}});
    EXPECT_FLOAT_EQ(nan.speed, 0.0025f);
    EXPECT_FLOAT_EQ(nan.scrollStep, 0.5f);
}

TEST(CreditStarField, DotsWidenAsStarsComeCloser) {
    EXPECT_EQ(CreditStarField::DotWidth(1.0f), 1);
    EXPECT_EQ(CreditStarField::DotWidth(0.6f), 1);
    EXPECT_EQ(CreditStarField::DotWidth(0.5f), 2);
    EXPECT_EQ(CreditStarField::DotWidth(0.3f), 3);
    EXPECT_EQ(CreditStarField::DotWidth(0.02f), 50);
}

TEST(CreditStarField, StartPlacesCountPlusOneStarsAtDepthOne) {
    RandomSource random(7);
    CreditStarField field;
    int plots = 0;
    field.Start(125, random, [&](float sx, float sy, int width) {
        ++plots;
        EXPECT_EQ(width, 1);
        EXPECT_TRUE(sx >= -1.0f && sx < 1.0f && sy >= -1.0f && sy < 1.0f);
    });
    ASSERT_EQ(field.Size(), 126u);
    EXPECT_EQ(plots, 126);
    for (size_t i = 0; i < field.Size(); ++i) {
        EXPECT_EQ(field.Z(i), 1.0f);
        EXPECT_EQ(field.SX(i), field.X(i));
        EXPECT_EQ(field.SY(i), field.Y(i));
    }
}

TEST(CreditStarField, StarsThatLeaveOrComeTooCloseAreRenewedInTheSameFrame) {
    RandomSource random(3);
    CreditStarField field;
    field.Start(9, random, [](float, float, int) {});
    field.Place(0, 0.01f, 0.01f, 0.03f);  // z becomes 0.01 < 0.02
    field.Place(1, 0.5f, 0.0f, 0.6f);     // z 0.5: sx exactly 1, still inside
    field.Place(2, 0.5f, 0.0f, 0.59f);    // z 0.49: sx beyond 1
    field.Place(3, 0.0f, -0.3f, 0.4f);    // z 0.3: sy exactly -1, still inside
    field.Frame(0.1f, random, [](float, float, int) {});
    EXPECT_EQ(field.Z(0), 1.0f);
    EXPECT_NEAR(field.Z(1), 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(field.SX(1), 0.5f / field.Z(1));
    EXPECT_EQ(field.Z(2), 1.0f);
    EXPECT_EQ(field.SX(2), field.X(2));
    EXPECT_NEAR(field.Z(3), 0.3f, 1e-6);
}

TEST(CreditStarField, EveryEraseHitsTheDotDrawnBefore) {
    // Toggle dots as exclusive-or does; after any number of frames exactly the current
    // stars are lit, each once, with the width of its depth.
    using Dot = std::tuple<float, float, int>;
    std::map<Dot, int> lit;
    auto toggle = [&](float sx, float sy, int width) {
        int& n = lit[Dot{sx, sy, width}];
        n ^= 1;
        if (n == 0) lit.erase(Dot{sx, sy, width});
    };
    RandomSource random(11);
    CreditStarField field;
    field.Start(40, random, toggle);
    for (int frame = 0; frame < 400; ++frame) field.Frame(0.013f, random, toggle);

    std::map<Dot, int> expected;
    for (size_t i = 0; i < field.Size(); ++i) {
        expected[Dot{field.SX(i), field.SY(i), CreditStarField::DotWidth(field.Z(i))}] ^= 1;
    }
    std::erase_if(expected, [](const auto& e) { return e.second == 0; });
    EXPECT_EQ(lit, expected);
}

}  // namespace
}  // namespace astrelle
