// Hue wheel, tinted wheel, ramps and star hues.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/colour.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t c) {
    return {RedOf(c), GreenOf(c), BlueOf(c)};
}
#define EXPECT_RGB(colour, R, G, B)      \
    do {                                 \
        const Rgb rgb_ = Split(colour);  \
        EXPECT_EQ(rgb_.r, R) << "red";   \
        EXPECT_EQ(rgb_.g, G) << "green"; \
        EXPECT_EQ(rgb_.b, B) << "blue";  \
    } while (0)

TEST(HueColor, KnownHuesIncludingTheConstantsRoundingAtThirty) {
    EXPECT_RGB(HueColor(0), 255, 55, 55);
    EXPECT_RGB(HueColor(30), 255, 154, 55);  // 0.0166666, not 1/60: 154, not 155
    EXPECT_RGB(HueColor(59), 255, 251, 55);
    EXPECT_RGB(HueColor(60), 255, 255, 55);
    EXPECT_RGB(HueColor(120), 55, 255, 55);
    EXPECT_RGB(HueColor(180), 55, 255, 255);
    EXPECT_RGB(HueColor(240), 55, 55, 255);
    EXPECT_RGB(HueColor(300), 255, 55, 255);
    EXPECT_RGB(HueColor(359), 255, 55, 58);
    EXPECT_EQ(HueColor(360), 0u);
    EXPECT_EQ(HueColor(999), 0u);
    EXPECT_EQ(HueColor(-1), 0u);
}

TEST(BuildHueTable, FullStrengthWheelRunsFrom0To255) {
    EngineFixture f;
    BuildHueTable(f.ctx);
    EXPECT_RGB(f.ctx.HueAt(0, 0), 255, 0, 0);
    EXPECT_RGB(f.ctx.HueAt(30, 0), 255, 127, 0);
    EXPECT_RGB(f.ctx.HueAt(60, 0), 255, 255, 0);
    EXPECT_RGB(f.ctx.HueAt(90, 0), 127, 255, 0);
    EXPECT_RGB(f.ctx.HueAt(120, 0), 0, 255, 0);
    EXPECT_RGB(f.ctx.HueAt(200, 0), 0, 169, 255);  // 255 x (1 - 1/3 in single precision)
    EXPECT_RGB(f.ctx.HueAt(300, 0), 255, 0, 255);
    EXPECT_RGB(f.ctx.HueAt(359, 0), 255, 0, 4);
}

TEST(BuildHueTable, BaseAndStrengthsTintEachTypeOnItsOwn) {
    EngineFixture f;
    f.types[3].HueBase = 100;
    f.types[4].HueRed = 0;
    f.types[4].HueBase = 20;  // base 51, k = 2.04
    BuildHueTable(f.ctx);
    for (int p = 0; p < 360; ++p) EXPECT_EQ(f.ctx.HueAt(p, 3), 0xFFFFFFu) << p;
    EXPECT_RGB(f.ctx.HueAt(0, 4), 51, 51, 51);
    EXPECT_RGB(f.ctx.HueAt(60, 4), 51, 255, 51);
    EXPECT_RGB(f.ctx.HueAt(0, 5), 255, 0, 0);  // neighbours untouched
}

TEST(BuildHueTable, BlendBelowSixtyIsASawtoothAndZeroIsHeldToOne) {
    EngineFixture f;
    f.types[0].HueBlend = 10;
    f.types[1].HueBlend = 0;
    BuildHueTable(f.ctx);
    EXPECT_RGB(f.ctx.HueAt(5, 0), 255, 127, 0);
    EXPECT_RGB(f.ctx.HueAt(10, 0), 255, 0, 0);  // restarts every 10 positions
    EXPECT_RGB(f.ctx.HueAt(65, 0), 127, 255, 0);
    for (int p : {0, 17, 59}) EXPECT_RGB(f.ctx.HueAt(p, 1), 255, 0, 0);
    EXPECT_RGB(f.ctx.HueAt(60, 1), 255, 255, 0);
}

TEST(ScaleColor, ChannelsRoundHalvesToEven) {
    EXPECT_RGB(ScaleColor(PackColour(5, 7, 255), 0.5f), 2, 4, 128);
    EXPECT_RGB(ScaleColor(PackColour(200, 100, 10), 1.0f), 200, 100, 10);
    EXPECT_EQ(ScaleColor(0xFFFFFFu, 0.0f), 0u);
}

TEST(BuildHueRamp, StartsWhiteReachesStartHueAtEntry24AndFadesToNineHundredths) {
    for (auto [start, end] :
         {std::pair<int16_t, int16_t>{180, 225}, {120, 240}, {60, 0}, {420, 999}, {0, 359}}) {
        std::array<uint32_t, kRampSize> ramp{};
        BuildHueRamp(ramp.data(), start, end);
        EXPECT_EQ(ramp[0], 0xFFFFFFu);
        EXPECT_EQ(ramp[24], HueColor(static_cast<int16_t>(start % 360)));
        EXPECT_EQ(ramp[25], HueColor(static_cast<int16_t>(start % 360)));
        const uint32_t c1 = HueColor(static_cast<int16_t>(end % 360));
        const uint32_t last = ramp[99];
        EXPECT_EQ(RedOf(last), static_cast<int>(std::nearbyint(RedOf(c1) * 0.09)));
        EXPECT_EQ(GreenOf(last), static_cast<int>(std::nearbyint(GreenOf(c1) * 0.09)));
        EXPECT_EQ(BlueOf(last), static_cast<int>(std::nearbyint(BlueOf(c1) * 0.09)));
    }
}

TEST(BuildHueRamp, FirstStretchBlendsFromWhiteAndTheSweepCanRunBackwards) {
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), 30, 0);
    // Entry 12 is halfway from white to (255, 154, 55): 204.5 rounds to the even 204.
    EXPECT_RGB(ramp[12], 255, 204, 155);
    // Entry 60 sweeps backwards to hue 15 at brightness 115/150.
    EXPECT_EQ(ramp[60], ScaleColor(HueColor(15), 115.0f / 150.0f));
    EXPECT_EQ(ramp[94], ScaleColor(HueColor(0), 81.0f / 150.0f));
}

TEST(BuildAllHueRamps, MinusOneTakesTheStoredUniverseHues) {
    EngineFixture f;
    f.types[7].HWCStart = 300;
    f.types[7].HWCEnd = 120;
    BuildAllHueRamps(f.ctx, -1, 90, 240, 999);
    std::array<uint32_t, kRampSize> expected{};
    BuildHueRamp(expected.data(), 240, 90);
    EXPECT_EQ(f.ctx.UniverseHueRamp, expected);
    BuildHueRamp(expected.data(), 300, 120);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), f.ctx.GalaxyRamp(7)));
    BuildAllHueRamps(f.ctx, 10, -1, 240, 20);
    BuildHueRamp(expected.data(), 10, 20);
    EXPECT_EQ(f.ctx.UniverseHueRamp, expected);
}

class StarHueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.types[0].Radius = 2.0f;
        f.types[0].ColorMult = 100.0f;
        BuildHueTable(f.ctx);
    }
    uint32_t Hue(int comp, float r, float h, float omega, float offset, uint32_t before = 0x123456u) {
        f.types[0].ColorComp = static_cast<int16_t>(comp);
        uint32_t colour = before;
        StarHue(f.ctx, 0, r, h, omega, offset, colour);
        return colour;
    }
    EngineFixture f;
};

TEST_F(StarHueTest, EachComputationPicksItsHueIndex) {
    EXPECT_EQ(Hue(0, 1, 0, 0.25f, 7), f.ctx.HueAt(257, 0));  // 100 * 0.25 * 10 + 7
    EXPECT_EQ(Hue(1, 1, 0, 0.16f, 0), f.ctx.HueAt(126, 0));  // sqrt(16000) = 126.49
    EXPECT_EQ(Hue(2, 0, 0, 0, 20), f.ctx.HueAt(120, 0));     // |1 - 0| * 100 + 20
    EXPECT_EQ(Hue(2, 3, 4, 0, 0), f.ctx.HueAt(150, 0));      // d = 2.5: 1.5 * 100
    EXPECT_EQ(Hue(3, 3, 4, 0, 0), f.ctx.HueAt(225, 0));      // 2.25 * 100
    EXPECT_EQ(Hue(2, 0, 0, 0, 300), f.ctx.HueAt(40, 0));     // 400 wraps to 40
}

TEST_F(StarHueTest, BlackForFourUnchangedForUnknownAndForHuesOutOfRange) {
    EXPECT_EQ(Hue(4, 1, 1, 1, 0), 0u);
    EXPECT_EQ(Hue(5, 1, 1, 1, 0), 0x123456u);
    // A tiny radius gives an angular speed whose hue does not fit 32 bits.
    EXPECT_EQ(Hue(0, 1e-9f, 0, 1e12f, 0), 0x123456u);
    EXPECT_EQ(Hue(1, 1, 0, -1.0f, 0), 0x123456u);  // root of a negative
}

}  // namespace
}  // namespace astrelle
