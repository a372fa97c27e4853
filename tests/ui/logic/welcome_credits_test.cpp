// The welcome and credits screens' logic: the galaxy show on the factory tables (the
// user's tables come back, the credits interrupt one preview), the credits set-up and star
// flight, the scrolling of the credit text, and the bands of the gradient behind both.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "engine/engine_state.h"
#include "engine/headless_host.h"
#include "settings/factory_tables.h"
#include "ui/logic/credit_stars.h"
#include "ui/logic/dialog_view.h"
#include "ui/logic/gradient_bands.h"
#include "ui/logic/welcome_show.h"

namespace astrelle {
namespace {

class ShowTarget : public PreviewTarget {
  public:
    EngineHost& Host() override { return host; }
    PixelSurface& Surface() override { return surface; }
    void FitSurface() override {}
    void Present() override { ++presents; }
    HeadlessHost host;
    PixelSurface surface{200, 160};
    int presents = 0;
};

TEST(WelcomeShow, RunsTheCompositesOnTheFactoryTablesAndGivesTheUserTablesBack) {
    ShowTarget target;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    for (int i = 0; i < kGalaxyTypeCount; ++i) types[static_cast<size_t>(i)] = {.Weight = 7, .Name = "mine"};
    composites[3].Name = "my composite";
    WelcomeShow show(target, types, composites, nullptr);
    ProcessValues& process = target.host.Process();
    int shortest = 1 << 30;
    int previews = 0;
    uint64_t previewStart = 0;
    CompositeTable factory{};
    LoadFactoryComposites(factory);
    target.host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == 1) return;   // the window's first pass, before the show
        if (show.PreviewsRun() != previews) {  // a preview has ended
            shortest = std::min<int>(shortest, static_cast<int>(host.EventPasses() - previewStart));
            previews = show.PreviewsRun();
            previewStart = host.EventPasses();
        }
        EXPECT_EQ(types[0].Name, GalaxyTypeName(0));
        EXPECT_EQ(composites[3].Name, factory[3].Name);
        if (previews == 1 && host.EventPasses() == previewStart + 10) show.InterruptForCredits();
        if (previews == 3) show.Stop();
    });
    show.Run();
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(show.PreviewsRun(), 4);  // the stop ends the fourth at its first frame
    EXPECT_LT(shortest, 300);          // the credits cut one preview short
    EXPECT_EQ(show.Engine().Settings.Adv_TimeDelay, 32);
    EXPECT_EQ(show.Engine().Geometry.PixelSize, 1);
    EXPECT_EQ(types[5].Name, "mine");
    EXPECT_EQ(types[5].Weight, 7);
    EXPECT_EQ(composites[3].Name, "my composite");
    EXPECT_EQ(process.StopRequested, kFalse16);
    EXPECT_EQ(process.PreviewStopRequested, kFalse16);
    EXPECT_GE(show.TypeCounter(), 3);
    EXPECT_GT(target.presents, 3);

    show.Stop();  // not running: leaves no stop behind
    EXPECT_EQ(process.StopRequested, kFalse16);
    show.ResumeAfterCredits();
    EXPECT_EQ(process.StopRequested, kFalse16);
}

TEST(CreditsSetupClamp, HoldsEveryValueToItsRange) {
    const CreditsSetup low = ClampCreditsSetup({500, 0.0001f, 0.1f, {}});
    EXPECT_EQ(low.stars, 200);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 0.5f);
    const CreditsSetup high = ClampCreditsSetup({5, 1.0f, 20.0f, {"a"}});
    EXPECT_EQ(high.lines, std::vector<std::string>{"a"});
    EXPECT_EQ(high.stars, 10);
    EXPECT_FLOAT_EQ(high.speed, 0.25f);
    EXPECT_FLOAT_EQ(high.scrollStep, 10.0f);
    const CreditsSetup nan = ClampCreditsSetup({20, std::nanf(""), std::nanf(""), {}});
    EXPECT_FLOAT_EQ(nan.speed, 0.0025f);
    EXPECT_FLOAT_EQ(nan.scrollStep, 0.5f);
}

TEST(CreditsText, ScrollsUpAndReentersAtTheFramesBottom) {
    EXPECT_DOUBLE_EQ(NextCreditsTop(100, 50, 300, 2), 98);
    EXPECT_DOUBLE_EQ(NextCreditsTop(-50, 50, 300, 2), -52);  // still partly... at its edge
    EXPECT_DOUBLE_EQ(NextCreditsTop(-50.5, 50, 300, 2), 290);
}

TEST(CreditStarField, DotsWidenAsStarsComeCloser) {
    for (auto [z, width] : {std::pair{1.0f, 1}, {0.6f, 1}, {0.5f, 2}, {0.3f, 3}, {0.02f, 50}}) {
        EXPECT_EQ(CreditStarField::DotWidth(z), width) << z;
    }
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
        if ((lit[Dot{sx, sy, width}] ^= 1) == 0) lit.erase(Dot{sx, sy, width});
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

TEST(GradientBands, BandColoursRoundRedAndCutGreenAndBlue) {
    EXPECT_EQ(GradientBandColour(0x00800000u, 0x80u, 0, 24), 0x00800000u);
    // Red is rounded to the nearest, halves to even; blue and green are cut out of their bit
    // positions and keep only the whole part (122.67 gives 122, 66.67 gives 66).
    const struct {
        uint32_t c1, c2;
        int step, steps, shift;
        uint32_t expected;
    } cases[] = {
        {0x00800000u, 0x80u, 1, 24, 0, 5u},     // 5.33
        {0, 0x80u, 5, 24, 0, 27u},              // 26.67
        {0, 0x80u, 1, 256, 0, 0u},              // 0.5 -> 0
        {0, 0x80u, 3, 256, 0, 2u},              // 1.5 -> 2
        {0x00800000u, 0x80u, 1, 24, 16, 122u},  // 128 - 5.33 = 122.67
        {0, 0x00C800u, 1, 3, 8, 66u},           // 66.67
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step << "/" << c.steps << " shift " << c.shift);
        EXPECT_EQ((GradientBandColour(c.c1, c.c2, c.step, c.steps) >> c.shift) & 0xFFu, c.expected);
    }
}

TEST(GradientBands, EachStyleShrinksItsBandsTowardsItsEnd) {
    const ScaleArea area{10, 20, 100, 50};
    // The last of 4 bands of each style: its two corners (or the circle's radius).
    const struct {
        int style;
        ScalePoint from, to;
    } cases[] = {
        {0, {10, 57.5}, {110, 70}}, {1, {85, 20}, {110, 70}},  {2, {47.5, 38.75}, {72.5, 51.25}},
        {3, {85, 57.5}, {110, 70}}, {4, {35, 57.5}, {10, 70}}, {5, {35, 32.5}, {10, 20}},
        {6, {85, 32.5}, {110, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const std::vector<GradientBand> bands = GradientBands(area, 0, 0xFFFFFFu, 4, c.style);
        ASSERT_EQ(bands.size(), 4u);
        EXPECT_FALSE(bands[3].circle);
        EXPECT_DOUBLE_EQ(bands[3].from.x, c.from.x);
        EXPECT_DOUBLE_EQ(bands[3].from.y, c.from.y);
        EXPECT_DOUBLE_EQ(bands[3].to.x, c.to.x);
        EXPECT_DOUBLE_EQ(bands[3].to.y, c.to.y);
        EXPECT_EQ(bands[3].colour, GradientBandColour(0, 0xFFFFFFu, 3, 4));
    }
    // Circles around a centre in a corner reach the opposite corner.
    const std::vector<GradientBand> circles = GradientBands(area, 0, 0xFFu, 4, 7, ScalePoint{10, 20});
    ASSERT_EQ(circles.size(), 4u);
    EXPECT_TRUE(circles[0].circle);
    EXPECT_DOUBLE_EQ(circles[0].radius, std::hypot(100.0, 50.0));
    EXPECT_DOUBLE_EQ(circles[2].radius, std::hypot(100.0, 50.0) / 2);
    EXPECT_DOUBLE_EQ(circles[0].from.x, 10);
    EXPECT_DOUBLE_EQ(GradientBands(area, 0, 0xFFu, 2, 7)[0].from.y, 45);  // the middle by default
    // One step is colour 1; an unknown style or no steps give nothing.
    const std::vector<GradientBand> one = GradientBands(area, 0x302010u, 0xFFFFFFu, 1, 2);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].colour, 0x302010u);
    EXPECT_TRUE(GradientBands(area, 0, 1, 8, 8).empty());
    EXPECT_TRUE(GradientBands(area, 0, 1, 8, -1).empty());
    EXPECT_TRUE(GradientBands(area, 0, 1, 0, 0).empty());
}

}  // namespace
}  // namespace astrelle
