// Hue wheel, tinted wheel, ramps and star hues.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/colour.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

struct HueRow {
    int hue, type, r, g, b;
};

TEST(HueColor, KnownHuesIncludingTheConstantsRoundingAtThirty) {
    // 30 gives 154, not 155: the constant is 0.0166666, not 1/60.
    const HueRow rows[] = {{0, 0, 255, 55, 55},   {30, 0, 255, 154, 55},  {59, 0, 255, 251, 55},
                           {60, 0, 255, 255, 55}, {120, 0, 55, 255, 55},  {180, 0, 55, 255, 255},
                           {240, 0, 55, 55, 255}, {300, 0, 255, 55, 255}, {359, 0, 255, 55, 58}};
    for (const HueRow& c : rows) EXPECT_EQ(HueColor(c.hue), PackColour(c.r, c.g, c.b)) << c.hue;
    for (int16_t out : {360, 999, -1}) EXPECT_EQ(HueColor(out), 0u) << out;
}

// Type 0: the full-strength wheel; 1: blend 0 held to 1 (the sawtooth never leaves red
// within a sixty); 2: blend 10, a sawtooth restarting every 10 positions; 3: base 100,
// all white; 4: base 20 and no red (base 51, k = 2.04); 5: untouched beside it.
TEST(BuildHueTable, WheelBaseStrengthsAndBlendOfEachType) {
    EngineFixture f;
    f.types[1].HueBlend = 0;
    f.types[2].HueBlend = 10;
    f.types[3].HueBase = 100;
    f.types[4].HueRed = 0;
    f.types[4].HueBase = 20;
    BuildHueTable(f.ctx);
    const HueRow rows[] = {
        {0, 0, 255, 0, 0},     {30, 0, 255, 127, 0},  {60, 0, 255, 255, 0}, {90, 0, 127, 255, 0},
        {120, 0, 0, 255, 0},   {200, 0, 0, 169, 255},  // 255 x (1 - 1/3 in single precision)
        {300, 0, 255, 0, 255}, {359, 0, 255, 0, 4},   {0, 1, 255, 0, 0},    {17, 1, 255, 0, 0},
        {59, 1, 255, 0, 0},    {60, 1, 255, 255, 0},  {5, 2, 255, 127, 0},  {10, 2, 255, 0, 0},
        {65, 2, 127, 255, 0},  {0, 4, 51, 51, 51},    {60, 4, 51, 255, 51}, {0, 5, 255, 0, 0}};
    for (const HueRow& c : rows) {
        EXPECT_EQ(f.ctx.HueAt(c.hue, c.type), PackColour(c.r, c.g, c.b)) << c.type << " at " << c.hue;
    }
    for (int p = 0; p < 360; ++p) EXPECT_EQ(f.ctx.HueAt(p, 3), 0xFFFFFFu) << p;
}

TEST(ScaleColor, ChannelsRoundHalvesToEven) {
    EXPECT_EQ(ScaleColor(PackColour(5, 7, 255), 0.5f), PackColour(2, 4, 128));
    EXPECT_EQ(ScaleColor(PackColour(200, 100, 10), 1.0f), PackColour(200, 100, 10));
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
        auto faded = [](int channel) { return static_cast<int>(std::nearbyint(channel * 0.09)); };
        EXPECT_EQ(ramp[99], PackColour(faded(RedOf(c1)), faded(GreenOf(c1)), faded(BlueOf(c1))));
    }
    // Entry 12 is halfway from white to (255, 154, 55): 204.5 rounds to the even 204; the
    // sweep from 30 to 0 runs backwards (entry 60: hue 15 at brightness 115/150).
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), 30, 0);
    EXPECT_EQ(ramp[12], PackColour(255, 204, 155));
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

// Hue indices: 0: 100 x 0.25 x 10 + 7; 1: sqrt(16000) = 126.49; 2: |1 - d| x 100 + offset
// (d = 2.5 for r 3, h 4; 400 wraps to 40); 3: 2.25 x 100. 4 gives black; an unknown
// computation, a hue that does not fit 32 bits (tiny radius), the root of a negative and a
// negative index (it would read before the table) leave the colour as it was.
TEST(StarHue, EachComputationPicksItsHueIndexOrLeavesTheColour) {
    EngineFixture f;
    f.types[0].Radius = 2.0f;
    f.types[0].ColorMult = 100.0f;
    BuildHueTable(f.ctx);
    const struct {
        int comp;
        float r, h, omega, offset;
        int64_t hue;  // -1: black, -2: unchanged
    } rows[] = {{0, 1, 0, 0.25f, 7, 257}, {1, 1, 0, 0.16f, 0, 126}, {2, 0, 0, 0, 20, 120},
                {2, 3, 4, 0, 0, 150},     {3, 3, 4, 0, 0, 225},     {2, 0, 0, 0, 300, 40},
                {4, 1, 1, 1, 0, -1},      {5, 1, 1, 1, 0, -2},      {0, 1e-9f, 0, 1e12f, 0, -2},
                {1, 1, 0, -1.0f, 0, -2},  {0, 1, 0, -0.25f, 0, -2}};
    for (const auto& c : rows) {
        f.types[0].ColorComp = static_cast<int16_t>(c.comp);
        uint32_t colour = 0x123456u;
        StarHue(f.ctx, 0, c.r, c.h, c.omega, c.offset, colour);
        const uint32_t expected =
            c.hue == -1 ? 0u : (c.hue == -2 ? 0x123456u : f.ctx.HueAt(static_cast<int>(c.hue), 0));
        EXPECT_EQ(colour, expected) << "computation " << c.comp << " expecting " << c.hue;
    }
}

}  // namespace
}  // namespace astrelle
