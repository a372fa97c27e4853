// Type-table units, per-type spin and hue, and frame pacing over the headless host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/frame_loop.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

// Composite slots are not converted; counts and chances are kept as they are.
TEST(TypeTableUnits, ScaleConvertsEveryEngineFieldAndUnscaleGivesItBack) {
    GalaxyTypeTable table{};
    for (int t = 0; t < kGalaxyTypeCount; ++t) table[static_cast<size_t>(t)] = testing::DefaultTypeRow();
    table[40].Radius = 123.0f;
    const GalaxyTypeTable before = table;
    ScaleTypeTable(table);
    const GalaxyTypeRecord& r = table[5];
    EXPECT_FLOAT_EQ(r.Radius, 2.5f);
    EXPECT_FLOAT_EQ(r.Rotation, 0.0003f);
    EXPECT_FLOAT_EQ(r.NovaFreq, 0.015f);
    EXPECT_FLOAT_EQ(r.CometSWind, 0.003f);
    EXPECT_NEAR(r.AngleTilt, -150.0 * M_PI / 180.0, 1e-6);
    EXPECT_NEAR(r.AngleTInc, 0.05 * M_PI / 180.0, 1e-8);
    EXPECT_EQ(r.NewFreq, 200);
    EXPECT_FLOAT_EQ(r.CometCPersist, 0.998f);
    EXPECT_FLOAT_EQ(table[40].Radius, 123.0f);
    UnscaleTypeTable(table);
    for (size_t t : {size_t{0}, size_t{31}, size_t{40}}) {
        const GalaxyTypeRecord& a = table[t];
        const GalaxyTypeRecord& b = before[t];
        EXPECT_NEAR(a.Radius, b.Radius, 1e-4);
        EXPECT_NEAR(a.Rotation, b.Rotation, 1e-3);
        EXPECT_NEAR(a.AngleTilt, b.AngleTilt, 1e-4);
        EXPECT_NEAR(a.CometSWind, b.CometSWind, 1e-3);
    }
}

TEST(StepTypeSpin, AnglesWrapOnceAndSineAndCosineFollow) {
    GalaxyTypeTable table{};
    table[0].AngleTInc = 0.5f;
    table[0].HWheelInc = 10.0f;
    table[1].AngleTInc = kTwoPi;  // a full turn per frame
    table[1].HWheelInc = 360.0f;
    RuntimeArrays a;
    a.Allocate(1, 1, 1, 0);
    a.TypeSpinAngle[0] = 6.0f;
    a.TypeHueAngle[0] = 355.0f;
    a.TypeSpinAngle[1] = 1.0f;
    a.TypeHueAngle[1] = 20.0f;
    StepTypeSpin(table, a);
    EXPECT_NEAR(a.TypeSpinAngle[0], 6.5f - kTwoPi, 1e-6);
    EXPECT_NEAR(a.TypeSpinSin[0], std::sin(6.5 - 2 * M_PI), 1e-5);
    EXPECT_NEAR(a.TypeSpinCos[0], std::cos(6.5 - 2 * M_PI), 1e-5);
    EXPECT_FLOAT_EQ(a.TypeHueAngle[0], 5.0f);
    EXPECT_NEAR(a.TypeSpinAngle[1], 1.0f, 1e-5);
    EXPECT_FLOAT_EQ(a.TypeHueAngle[1], 20.0f);
    EXPECT_FLOAT_EQ(a.TypeSpinCos[5], 1.0f);  // a type that does not turn
}

TEST(FrameWait, SleepsUntilTheFrameIsDueAcrossTheWrapAndEndsAtAStop) {
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 25;
    f.host.SetTick(1000);
    f.ctx.FrameStartTick = 990;  // 10 ms of drawing already spent
    EXPECT_FALSE(FrameWait(f.ctx));
    EXPECT_EQ(f.host.TickCount(), 1015u);
    EXPECT_EQ(f.host.EventPasses(), 1u);  // one wait, no spinning

    f.ctx.FrameStartTick = 900;  // already late: no wait, but events are still processed
    EXPECT_FALSE(FrameWait(f.ctx));
    f.ctx.Settings.Adv_TimeDelay = 0;  // no delay: one pass over the events all the same
    EXPECT_FALSE(FrameWait(f.ctx));
    EXPECT_EQ(f.host.TickCount(), 1015u);
    EXPECT_EQ(f.host.EventPasses(), 3u);

    f.ctx.Settings.Adv_TimeDelay = 40;
    f.host.SetTick(0xFFFFFFF0u);
    f.ctx.FrameStartTick = 0xFFFFFFF0u;
    EXPECT_FALSE(FrameWait(f.ctx));
    EXPECT_EQ(f.host.TickCount(), 0x18u);  // 40 ms later, across the wrap

    // A stop requested during the wait ends it at once.
    f.ctx.Settings.Adv_TimeDelay = 500;
    f.ctx.FrameStartTick = f.host.TickCount();
    f.host.SetOnEvents([](HeadlessHost& h) { h.Process().StopRequested = kTrue16; });
    const uint32_t passes = f.host.EventPasses();
    EXPECT_TRUE(FrameWait(f.ctx));
    EXPECT_EQ(f.host.EventPasses(), passes + 1);
}

// A host whose event passes end after at most 5 ms, as arriving input would end them.
class BusyEventsHost : public HeadlessHost {
  public:
    void ProcessEvents(uint32_t maxWaitMs) override {
        ++passes;
        Advance(std::min<uint32_t>(maxWaitMs, 5));
    }
    int passes = 0;
};

TEST(FrameWait, EarlyEventsDoNotCutTheFrameShort) {
    BusyEventsHost host;
    PixelSurface surface(8, 8);
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx(host, surface, types, composites);
    ctx.Settings.Adv_TimeDelay = 30;
    host.SetTick(100);
    ctx.FrameStartTick = 100;
    EXPECT_FALSE(FrameWait(ctx));
    EXPECT_EQ(host.TickCount(), 130u);
    EXPECT_EQ(host.passes, 6);
}

TEST(EndOfFrame, PreviewBoxGoneStopsTheRunAndTheMessageIsRefreshedEvery3s) {
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 1000;
    for (int k = 0; k < 2; ++k) {
        f.ctx.FrameStartTick = f.host.TickCount();
        EXPECT_FALSE(EndOfFrame(f.ctx));
    }
    EXPECT_EQ(f.host.MessageRefreshes(), 0u);
    f.ctx.FrameStartTick = f.host.TickCount();
    EXPECT_FALSE(EndOfFrame(f.ctx));  // now 3000 ms since the last refresh
    EXPECT_EQ(f.host.MessageRefreshes(), 1u);
    EXPECT_EQ(f.ctx.LastMessageTick, 3000u);

    f.host.SetPreviewParentExists(false);
    EXPECT_FALSE(EndOfFrame(f.ctx));  // only the preview box run cares about its parent
    f.host.Process().RunMode = RunModeValue::Preview;
    EXPECT_TRUE(EndOfFrame(f.ctx));
    EXPECT_EQ(f.host.Process().StopRequested, kTrue16);
}

TEST(ClearSurface, ClearsAndRedrawsTheMessageOnlyWhereThereIsASurface) {
    EngineFixture f(16, 16);
    f.surface.SetPixel(3, 3, kWhite);
    f.ctx.HasDrawingSurface = false;
    ClearSurface(f.ctx);
    EXPECT_EQ(testing::LitPixels(f.surface), 1);
    f.ctx.HasDrawingSurface = true;
    ClearSurface(f.ctx);
    EXPECT_EQ(testing::LitPixels(f.surface), 0);
    EXPECT_EQ(f.host.MessageRefreshes(), 1u);
}

}  // namespace
}  // namespace astrelle
