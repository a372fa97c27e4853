// The welcome and credits screens' logic: the galaxy show on the factory tables (the user's
// tables come back, the credits cut one preview short), the credits set-up, the renewal of
// stars and the scrolling text, and the bands of the gradient behind both.
#include <gtest/gtest.h>

#include <cmath>

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
    void Present() override {}
    HeadlessHost host;
    PixelSurface surface{200, 160};
};

TEST(WelcomeShow, RunsTheCompositesOnTheFactoryTablesAndGivesTheUserTablesBack) {
    ShowTarget target;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    types[5] = {.Weight = 7, .Name = "mine"};
    composites[3].Name = "my composite";
    CompositeTable factory{};
    LoadFactoryComposites(factory);
    WelcomeShow show(target, types, composites, nullptr);
    int previews = 0;
    uint64_t previewStart = 0;
    uint64_t shortest = 300;
    target.host.SetOnEvents([&](HeadlessHost& host) {
        if (host.EventPasses() == 1) return;  // the window's first pass, before the show
        EXPECT_EQ(composites[3].Name, factory[3].Name);
        if (show.PreviewsRun() != previews) {  // a preview has ended
            shortest = std::min(shortest, host.EventPasses() - previewStart);
            previews = show.PreviewsRun();
            previewStart = host.EventPasses();
        }
        if (previews == 1 && host.EventPasses() == previewStart + 10) show.InterruptForCredits();
        if (previews == 3) show.Stop();
    });
    show.Run();
    EXPECT_EQ(show.PreviewsRun(), 4);  // the stop ends the fourth at its first frame
    EXPECT_LT(shortest, 100u);         // the credits cut one preview short
    EXPECT_GE(show.TypeCounter(), 3);
    EXPECT_EQ(show.Engine().Settings.Adv_TimeDelay, 32);
    EXPECT_EQ(types[5].Name, "mine");
    EXPECT_EQ(composites[3].Name, "my composite");
    EXPECT_EQ(target.host.Process().StopRequested, kFalse16);
    EXPECT_EQ(target.host.Process().PreviewStopRequested, kFalse16);
    show.Stop();  // not running: leaves no stop behind
    EXPECT_EQ(target.host.Process().StopRequested, kFalse16);
}

// The set-up is held to its ranges, a star that leaves the square or comes too close is
// renewed at depth 1 in the same frame, and the text re-enters at the frame's bottom.
TEST(CreditsLogic, SetUpStarsAndTextFollowTheirRules) {
    const CreditsSetup low = ClampCreditsSetup({500, 0.0001f, 0.1f, {}});
    const CreditsSetup high = ClampCreditsSetup({5, 1.0f, 20.0f, {"a"}});
    const CreditsSetup nan = ClampCreditsSetup({20, std::nanf(""), std::nanf(""), {}});
    EXPECT_EQ((std::array{low.stars, high.stars}), (std::array<int16_t, 2>{200, 10}));
    EXPECT_EQ((std::array{low.speed, high.speed, nan.speed}), (std::array{0.0025f, 0.25f, 0.0025f}));
    EXPECT_EQ((std::array{low.scrollStep, high.scrollStep, nan.scrollStep}), (std::array{0.5f, 10.0f, 0.5f}));
    EXPECT_EQ((std::array{NextCreditsTop(100, 50, 300, 2), NextCreditsTop(-50, 50, 300, 2),
                          NextCreditsTop(-50.5, 50, 300, 2)}),
              (std::array{98.0, -52.0, 290.0}));  // the last line still shows at -50

    EXPECT_EQ((std::array{CreditStarField::DotWidth(0.6f), CreditStarField::DotWidth(0.5f),
                          CreditStarField::DotWidth(0.3f), CreditStarField::DotWidth(0.02f)}),
              (std::array{1, 2, 3, 50}));
    RandomSource random(3);
    CreditStarField field;
    field.Start(9, random, [](float, float, int) {});
    ASSERT_EQ(field.Size(), 10u);
    field.Place(0, 0.01f, 0.01f, 0.03f);  // z becomes 0.01 < 0.02
    field.Place(1, 0.5f, 0.0f, 0.6f);     // z 0.5: sx exactly 1, still inside
    field.Place(2, 0.5f, 0.0f, 0.59f);    // z 0.49: sx beyond 1
    field.Place(3, 0.0f, -0.3f, 0.4f);    // z 0.3: sy exactly -1, still inside
    int plots = 0;
    field.Frame(0.1f, random, [&](float, float, int) { ++plots; });
    EXPECT_EQ(plots, 20);  // each star erased where it was and drawn anew
    EXPECT_EQ((std::array{field.Z(0), field.Z(2)}), (std::array{1.0f, 1.0f}));
    EXPECT_EQ(field.SX(2), field.X(2));
    EXPECT_NEAR(field.Z(1), 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(field.SX(1), 0.5f / field.Z(1));
    EXPECT_NEAR(field.Z(3), 0.3f, 1e-6);
}

TEST(GradientBands, ColoursRoundRedAndCutGreenAndBlue) {
    // Red is rounded to the nearest, halves to even; blue and green are cut out of their bit
    // positions and keep only the whole part (122.67 gives 122, 66.67 gives 66).
    const struct {
        uint32_t c1, c2;
        int step, steps, shift;
        uint32_t expected;
    } cases[] = {
        {0x00800000u, 0x80u, 0, 24, 16, 128u},
        {0x00800000u, 0x80u, 1, 24, 0, 5u},
        {0, 0x80u, 5, 24, 0, 27u},
        {0, 0x80u, 1, 256, 0, 0u},
        {0, 0x80u, 3, 256, 0, 2u},
        {0x00800000u, 0x80u, 1, 24, 16, 122u},
        {0, 0x00C800u, 1, 3, 8, 66u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((GradientBandColour(c.c1, c.c2, c.step, c.steps) >> c.shift) & 0xFFu, c.expected)
            << c.step << "/" << c.steps << " shift " << c.shift;
    }
}

TEST(GradientBands, EachStyleShrinksItsBandsTowardsItsEnd) {
    const ScaleArea area{10, 20, 100, 50};
    // The last of 4 bands of each style: its two corners.
    const struct {
        int style;
        std::array<double, 4> corners;
    } cases[] = {{0, {10, 57.5, 110, 70}}, {1, {85, 20, 110, 70}},  {2, {47.5, 38.75, 72.5, 51.25}},
                 {3, {85, 57.5, 110, 70}}, {4, {35, 57.5, 10, 70}}, {5, {35, 32.5, 10, 20}},
                 {6, {85, 32.5, 110, 20}}};
    for (const auto& c : cases) {
        const std::vector<GradientBand> bands = GradientBands(area, 0, 0xFFFFFFu, 4, c.style);
        ASSERT_EQ(bands.size(), 4u);
        EXPECT_EQ((std::array{bands[3].from.x, bands[3].from.y, bands[3].to.x, bands[3].to.y}), c.corners)
            << c.style;
        EXPECT_EQ(bands[3].colour, GradientBandColour(0, 0xFFFFFFu, 3, 4));
    }
    // Circles around a centre in a corner reach the opposite corner; the middle by default.
    const std::vector<GradientBand> circles = GradientBands(area, 0, 0xFFu, 4, 7, ScalePoint{10, 20});
    ASSERT_EQ(circles.size(), 4u);
    EXPECT_TRUE(circles[0].circle);
    EXPECT_DOUBLE_EQ(circles[0].radius, std::hypot(100.0, 50.0));
    EXPECT_DOUBLE_EQ(circles[2].radius, std::hypot(100.0, 50.0) / 2);
    EXPECT_DOUBLE_EQ(GradientBands(area, 0, 0xFFu, 2, 7)[0].from.y, 45);
    // One step is colour 1; an unknown style or no steps give nothing.
    EXPECT_EQ(GradientBands(area, 0x302010u, 0xFFFFFFu, 1, 2).at(0).colour, 0x302010u);
    EXPECT_TRUE(GradientBands(area, 0, 1, 8, 8).empty() && GradientBands(area, 0, 1, 8, -1).empty() &&
                GradientBands(area, 0, 1, 0, 0).empty());
}

}  // namespace
}  // namespace astrelle
