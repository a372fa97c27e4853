// The per-frame star state machine: trails erased from the tail, dying and rebirth,
// sparkles, novas, stars behind the viewer, invisible stars, and when comets run.
#include <gtest/gtest.h>

#include <set>

#include "engine/frame_loop.h"
#include "engine/galaxy_frame.h"
#include "engine/star_events.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::EraseEverythingShown;
using testing::LitPixels;

// One fast-turning galaxy type with no spontaneous rebirths and no comets.
class GalaxyFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GalaxyTypeRecord& row = f.types[0];
        row.Rotation = 30000;  // a large step per frame, so positions differ by many pixels
        row.RadiusExp = 0.0f;  // every star on the rim
        row.NewFreq = 0;
        row.CometFreq = 0;
        row.AngleTInc = 0;
        row.AngleTilt = 60;
        f.ctx.Settings.Universe_NewFreq = 0;
        ScaleTypeTable(f.types);
        BuildAllHueRamps(f.ctx, -1, -1, 180, 225);
    }
    void Populate(int32_t stars, int32_t trail) {
        testing::PopulateOneGalaxy(f.ctx, a, 0, stars, trail, 10.0f);
    }
    void Frames(int n) {
        for (int k = 0; k < n; ++k) UpdateGalaxyFrame(f.ctx, a, 0, 32000, 0.0f, true, PreviewKind::Galaxy);
    }
    std::set<std::pair<int, int>> TrailOf(size_t star) {
        std::set<std::pair<int, int>> out;
        for (int k = 0; k < a.TrailLength; ++k) {
            const size_t j = star * static_cast<size_t>(a.TrailLength) + static_cast<size_t>(k);
            out.insert({a.TrailX[j], a.TrailY[j]});
        }
        return out;
    }
    EngineFixture f;
    RuntimeArrays a;
};

TEST_F(GalaxyFrameTest, TrailShowsTheLastPositionsAndIsErasedFromTheTail) {
    for (int32_t trail : {1, 4}) {
        Populate(1, trail);
        for (int k = 0; k < 9; ++k) {
            Frames(1);
            EXPECT_EQ(LitPixels(f.surface), std::min(k + 1, trail)) << trail;
        }
        EXPECT_EQ(a.StarAge[0], 9);
        for (auto [x, y] : TrailOf(0)) EXPECT_EQ(f.surface.GetPixel(x, y), a.StarColor[0]);
        if (trail == 1) EraseEverythingShown(f.ctx, a);
    }
    // Dying: no new dot for T + 1 frames, one trail entry vanishes per frame, oldest first.
    a.StarRebirthWait[0] = 5;
    const size_t oldest = static_cast<size_t>(a.TrailCursor);
    const auto tail = std::make_pair(a.TrailX[oldest], a.TrailY[oldest]);
    Frames(1);
    EXPECT_EQ(f.surface.GetPixel(tail.first, tail.second), 0u);
    EXPECT_EQ(LitPixels(f.surface), 3);
    Frames(3);
    EXPECT_EQ(LitPixels(f.surface), 0);
    Frames(1);  // reborn: the sparkle of a new star, in white
    EXPECT_EQ(a.StarRebirthWait[0], 0);
    EXPECT_EQ(a.StarNewLeft[0], f.types[0].NewFrames);
    EXPECT_EQ(f.surface.GetPixel(a.BurstX[0], a.BurstY[0]), kWhite);
    EXPECT_EQ(a.StarAge[0], 0);
}

TEST_F(GalaxyFrameTest, SparkleLeavesNoTrailAndTheFirstDotComesWhenItEnds) {
    f.types[0].NewFrames = 3;
    f.types[0].NovaFreq = 0;
    Populate(1, 2);
    Frames(1);
    a.StarRebirthWait[0] = 3;
    Frames(3);  // reborn with a three-frame sparkle
    ASSERT_EQ(a.StarNewLeft[0], 3);
    Frames(2);
    EXPECT_EQ(a.StarNewLeft[0], 1);
    for (auto [x, y] : TrailOf(0)) EXPECT_NE(f.surface.GetPixel(x, y), a.StarColor[0]);
    Frames(1);  // the counter reaches 0: the sparkle is erased and the star's dot is drawn
    EXPECT_EQ(a.StarNewLeft[0], 0);
    EXPECT_EQ(LitPixels(f.surface), 1);
    const size_t j = static_cast<size_t>((a.TrailCursor + a.TrailLength - 1) % a.TrailLength);
    EXPECT_EQ(f.surface.GetPixel(a.TrailX[j], a.TrailY[j]), a.StarColor[0]);
}

TEST_F(GalaxyFrameTest, NovaEndsWithTheSparkleOfTheRebornStarInTheSameFrame) {
    f.types[0].NovaFreq = 1.0f;  // every rebirth a nova
    f.types[0].NovaFrames = 4;
    f.types[0].NovaExtMult = 2.0f;  // wide enough to draw more than its centre
    Populate(1, 1);
    Frames(1);
    a.StarRebirthWait[0] = 1;
    Frames(1);
    ASSERT_EQ(a.StarNovaLeft[0], 4);
    EXPECT_EQ(a.BurstFrames[0], 4);
    EXPECT_EQ(a.StarNewLeft[0], 0);
    EXPECT_GT(LitPixels(f.surface), 1);
    Frames(3);
    ASSERT_EQ(a.StarNovaLeft[0], 1);
    Frames(1);
    EXPECT_EQ(a.StarNovaLeft[0], 0);
    EXPECT_EQ(a.StarNewLeft[0], f.types[0].NewFrames);
    EXPECT_EQ(f.surface.GetPixel(a.BurstX[0], a.BurstY[0]), kWhite);
    // Erasing the sparkle leaves nothing of the nova behind.
    EraseEverythingShown(f.ctx, a);
    EXPECT_EQ(LitPixels(f.surface), 0);
}

TEST_F(GalaxyFrameTest, GalaxyBehindTheViewerDrawsNothingAndKeepsItsTrail) {
    Populate(50, 2);
    a.GalViewZ[0] = -20.0f;
    Frames(10);
    EXPECT_EQ(LitPixels(f.surface), 0);
    for (int32_t v : a.TrailX) EXPECT_EQ(v, 0);
}

TEST_F(GalaxyFrameTest, ColorCompFourStarsAreDrawnButInvisible) {
    f.types[0].ColorComp = 4;
    Populate(500, 1);
    Frames(10);
    EXPECT_EQ(LitPixels(f.surface), 0);
    for (uint32_t c : a.StarColor) EXPECT_EQ(c, 0u);
    f.types[0].ColorComp = 3;
    Populate(500, 1);
    Frames(1);
    EXPECT_GT(LitPixels(f.surface), 100);
}

TEST_F(GalaxyFrameTest, NoRebirthFrequencyMeansNoStarEverDies) {
    Populate(300, 1);
    for (int k = 0; k < 200; ++k) {
        Frames(1);
        UpdateGalaxyFrame(f.ctx, a, 0, 3, 0.5f, false, PreviewKind::None);  // saver frames too
    }
    for (size_t i = 0; i < 300; ++i) {
        EXPECT_EQ(a.StarAge[i], 400);
        EXPECT_EQ(a.StarNewLeft[i] + a.StarNovaLeft[i] + a.StarRebirthWait[i], 0);
    }
}

TEST_F(GalaxyFrameTest, CometsRunOnlyWhileVisitingWithoutGravity) {
    f.types[0].CometFreq = 0.9999f;
    Populate(20, 1);
    a.EvtSlotStride = CometSlotCount(f.types[0].CometStars);
    auto live = [this] {
        int n = 0;
        for (int16_t v : a.CometLive) n += v;
        return n;
    };
    f.ctx.Settings.Universe_GravForce = 0.0000001f;
    Frames(10);
    EXPECT_EQ(live(), 0);
    f.ctx.Settings.Universe_GravForce = 0.0f;
    for (int k = 0; k < 10; ++k) UpdateGalaxyFrame(f.ctx, a, 0, 32000, 0.0f, false, PreviewKind::None);
    EXPECT_EQ(live(), 0);
    Frames(10);
    EXPECT_GT(live(), 0);
}

}  // namespace
}  // namespace astrelle
