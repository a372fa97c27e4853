// The preview loop end to end on the headless host: frame limits and stops, pacing, what
// it leaves behind, and that a busy run allocates nothing in its frames and erases without
// a trace (reproducibility by seed is checked through astrelle-render's picture tests).
#include <gtest/gtest.h>

#include <array>

#include "engine/preview.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitPixels;

// Types 0 and 1 with every event turned up, composite 0 made of them.
void MakeBusy(EngineFixture& f) {
    for (int t : {0, 1}) {
        GalaxyTypeRecord& r = f.types[static_cast<size_t>(t)];
        r = testing::StandardGalaxyRow();
        r.NewFreq = 3000;   // 30 rebirths per frame
        r.NovaFreq = 3000;  // 30 % of them novas
        r.NovaFrames = 12;
        r.NovaExtMult = 3000;
        r.NewExtMult = 3000;
        r.NewFrames = 8;
        r.CometFreq = 3000;
        r.CometStars = 40;
        r.CometCPersist = 0.97f;
        r.CometSPersist = 0.9f;
        r.Rotation = 3000;
    }
    f.types[1].AxisPlane = 1;
    f.types[1].Profile = 2;
    f.types[1].Radius = 150;
    f.composites[0].Count = 2;
    f.composites[0].Members[0] = 0;
    f.composites[0].Members[1] = 1;
    BuildHueTable(f.ctx);
    BuildAllHueRamps(f.ctx, -1, -1, 180, 225);
}

// Runs a busy preview, sees every kind of event come (and comets go), counts allocations
// from the end of the first frame to the last, then erases everything still shown.
void RunBusyAndEraseAll(PreviewSubject subject, int16_t pixelSize) {
    EngineFixture f(800, 600, 99);
    MakeBusy(f);
    f.ctx.Geometry.PixelSize = pixelSize;
    f.ctx.Settings.Adv_TimeDelay = 0;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    const int16_t frames = 400;
    bool dying = false, sparkle = false, nova = false, cometCame = false, cometWent = false, flare = false;
    std::array<bool, kGalaxyTableRows> types{};
    std::array<int16_t, kCometSlots> lastLive{};
    int64_t litBeforeErase = -1;
    long allocations = -1;
    const PreviewParams p{.subject = subject,
                          .limited = true,
                          .frameLimit = frames,
                          .stars = 1500,
                          .trail = 3,
                          .ambientCount = 150,
                          .ambientPersistence = 0.95f,
                          .flareFrames = 10,
                          .extension = 50000};
    RunPreview(f.ctx, p, [&](EngineContext& ctx, RuntimeArrays& a, int32_t frame) {
        for (size_t i = 0; i < static_cast<size_t>(a.StarCount); ++i) {
            dying |= a.StarRebirthWait[i] > 0;
            sparkle |= a.StarNewLeft[i] > 0;
            nova |= a.StarNovaLeft[i] > 0;
            types[static_cast<size_t>(a.StarType[i])] = true;
        }
        for (size_t c = 0; c < lastLive.size(); ++c) {
            cometCame |= lastLive[c] == 0 && a.CometLive[c] > 0;
            cometWent |= lastLive[c] > 0 && a.CometLive[c] == 0;
            lastLive[c] = a.CometLive[c];
        }
        for (int16_t left : a.AmbFlareLeft) flare |= left > 0;
        if (frame == 1) testing::StartCountingAllocations();
        if (frame < frames) return;
        allocations = testing::StopCountingAllocations();
        litBeforeErase = LitPixels(ctx.Surface);
        testing::EraseEverythingShown(ctx, a);
    });
    EXPECT_EQ(allocations, 0);
    EXPECT_TRUE(dying && sparkle && nova && flare && cometCame && cometWent);
    const bool composite = subject == PreviewSubject::CompositeType;
    for (size_t t = 0; t < types.size(); ++t) EXPECT_EQ(types[t], t == 0 || (composite && t == 1)) << t;
    EXPECT_GT(litBeforeErase, 1000);
    EXPECT_EQ(LitPixels(f.surface), 0) << "stray pixels left after erasing everything still shown";
}

TEST(PreviewErasing, BusyGalaxyAndCompositeWithLargeDotsLeaveNoStrayPixels) {
    RunBusyAndEraseAll(PreviewSubject::GalaxyType, 1);
    RunBusyAndEraseAll(PreviewSubject::CompositeType, 3);
}

TEST(Preview, LimitedRunDrawsExactlyItsFramesAndIsPacedByTheDelay) {
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 25;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    const PreviewParams p{.limited = true, .frameLimit = 10, .stars = 200};
    EXPECT_EQ(RunPreview(f.ctx, p), 10);
    EXPECT_EQ(f.host.TotalWaitMs(), 9u * 25u);  // the last frame ends at the limit, unwaited
    EXPECT_GT(LitPixels(f.surface), 50);
}

TEST(Preview, StopsOnEndOfFrameAndOnTheStopButton) {
    EngineFixture f;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    const PreviewParams p{.stars = 100};
    f.host.SetOnEvents([](HeadlessHost& h) {
        if (h.EventPasses() == 5) h.Process().StopRequested = kTrue16;
    });
    EXPECT_EQ(RunPreview(f.ctx, p), 5);

    EngineFixture g;
    SetupSurface(g.ctx, SurfaceSize::Normal);
    g.host.SetOnEvents([](HeadlessHost& h) {
        if (h.EventPasses() == 3) h.Process().PreviewStopRequested = kTrue16;
    });
    EXPECT_EQ(RunPreview(g.ctx, p), 3);
    EXPECT_EQ(g.host.Process().PreviewStopRequested, kFalse16);
    EXPECT_EQ(g.host.Process().StopRequested, kFalse16);
}

TEST(Preview, GivesTheTypeTableBackExactlyAndKeepsItsRunSettings) {
    EngineFixture f;
    f.types[4].AngleTInc = 0.05f;
    f.types[4].AngleTilt = 165.0f;
    f.types[4].CometSWind = 333.0f;
    f.types[4].Rotation = 777.0f;
    f.composites[2].Count = 1;
    f.composites[2].Members[0] = 4;
    const GalaxyTypeTable before = f.types;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    const PreviewParams p{.typeIndex = 2,
                          .subject = PreviewSubject::CompositeType,
                          .limited = true,
                          .frameLimit = 3,
                          .stars = 30000,
                          .trail = 999};
    int32_t trailSeen = 0;
    RunPreview(f.ctx, p, [&](EngineContext&, RuntimeArrays& a, int32_t) { trailSeen = a.TrailLength; });
    EXPECT_EQ(trailSeen, 1);  // 30000 stars leave room for one trail entry each
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        const GalaxyTypeRecord& a = f.types[static_cast<size_t>(t)];
        const GalaxyTypeRecord& b = before[static_cast<size_t>(t)];
        EXPECT_EQ(a.AngleTInc, b.AngleTInc);
        EXPECT_EQ(a.AngleTilt, b.AngleTilt);
        EXPECT_EQ(a.CometSWind, b.CometSWind);
        EXPECT_EQ(a.Rotation, b.Rotation);
        EXPECT_EQ(a.Radius, b.Radius);
    }
    EXPECT_EQ(f.types[34].CompositeFlag, kTrue16);
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 30000);
    EXPECT_EQ(f.ctx.Settings.Universe_STrail, 1);
    EXPECT_EQ(f.ctx.Settings.Universe_Galaxy, 1);
    EXPECT_EQ(f.ctx.Settings.Universe_NewPctStEx, 0.0f);
}

TEST(Preview, StarScaleAndBadIndices) {
    EngineFixture f;
    SetupSurface(f.ctx, SurfaceSize::Small);
    EXPECT_EQ(f.ctx.Settings.Adv_TimeDelay, 32);
    PreviewParams p{.limited = true, .frameLimit = 1, .stars = 2000, .starScale = 0.8f};
    RunPreview(f.ctx, p);
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 1600);
    EXPECT_FLOAT_EQ(f.ctx.Settings.Universe_AmMaxExt, 1.5f);
    p.typeIndex = 32;
    EXPECT_EQ(RunPreview(f.ctx, p), 0);
    p.subject = PreviewSubject::CompositeType;
    p.typeIndex = 16;
    EXPECT_EQ(RunPreview(f.ctx, p), 0);
}

}  // namespace
}  // namespace astrelle
