// Sparkles, novas, the rebirth quota and selection, star types of composites and comets.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "engine/frame_loop.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitPixels;
using Pixels = std::set<std::pair<int, int>>;

Pixels LitSet(const PixelSurface& s) {
    Pixels out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (s.GetPixel(x, y) != 0) out.insert({x, y});
        }
    }
    return out;
}

// With focal length 1, depth 1 and extension 1 a ring k lies k pixels from the centre.
TEST(NewStarBurst, EachBandDrawsItsRings) {
    const int expectedCount[] = {1, 3, 5, 7, 9, 13, 17, 21, 25, 33, 33};
    for (int16_t left = 0; left <= 10; ++left) {
        EngineFixture f(200, 200);
        DrawNewStarBurst(f.ctx, 100, 100, 1.0f, left, 10, 1.0f, kWhite);
        EXPECT_EQ(LitPixels(f.surface), expectedCount[left]) << "left " << left;
    }
    EngineFixture f(200, 200);
    DrawNewStarBurst(f.ctx, 100, 100, 1.0f, 1, 10, 1.0f, kWhite);  // q = 0.1: horizontal ring 1
    EXPECT_EQ(LitSet(f.surface), (Pixels{{100, 100}, {99, 100}, {101, 100}}));
    EngineFixture g(200, 200);
    DrawNewStarBurst(g.ctx, 100, 100, 1.0f, 7, 10, 1.0f, kWhite);  // q = 0.7: axis 14, not 16
    EXPECT_NE(g.surface.GetPixel(114, 100), 0u);
    EXPECT_EQ(g.surface.GetPixel(116, 100), 0u);
    EXPECT_NE(g.surface.GetPixel(96, 96), 0u);  // diagonal 4
}

TEST(NewStarBurst, FullSparkleHasTheWideRingsAndDiagonals) {
    EngineFixture f(200, 200);
    DrawNewStarBurst(f.ctx, 100, 100, 1.0f, 5, 5, 1.0f, kWhite);
    const Pixels lit = LitSet(f.surface);
    EXPECT_EQ(lit.size(), 33u);
    for (auto p : {std::pair{84, 100},
                   {116, 100},
                   {100, 84},
                   {100, 116},
                   {96, 96},
                   {104, 104},
                   {93, 107},
                   {107, 93},
                   {89, 89},
                   {68, 100},
                   {132, 100},
                   {100, 68}}) {
        EXPECT_TRUE(lit.count(p)) << p.first << "," << p.second;
    }
}

TEST(NewStarBurst, TinyExtensionIsOnePixelWhateverTheBand) {
    for (float z : {32.0f, 100.0f}) {
        EngineFixture f(64, 64);
        DrawNewStarBurst(f.ctx, 30, 30, z, 10, 10, 1.0f, kWhite);  // e = 1/32 or less
        EXPECT_EQ(LitSet(f.surface), (Pixels{{30, 30}}));
    }
    EngineFixture f(64, 64);
    DrawNewStarBurst(f.ctx, 30, 30, 31.0f, 10, 10, 1.0f, kWhite);
    EXPECT_GT(LitPixels(f.surface), 1);
}

TEST(NovaBurst, NeverMoreThan97PixelsAndErasableInBlack) {
    EngineFixture f(1000, 1000);
    RandomSource r(3);
    int64_t most = 0;
    for (int k = 0; k < 400; ++k) {
        const float z = 0.01f + r.Next() * 3.0f;
        const float ext = 0.02f + r.Next();
        const int16_t total = static_cast<int16_t>(1 + r.Next() * 120);
        const int16_t left = static_cast<int16_t>(r.Next() * total);
        const float x = (r.Next() - 0.5f) * z;
        const float y = (r.Next() - 0.5f) * z;
        DrawNovaBurst(f.ctx, x, y, z, left, kWhite, total, ext);
        const int64_t lit = LitPixels(f.surface);
        EXPECT_LE(lit, 97);
        most = std::max(most, lit);
        DrawNovaBurst(f.ctx, x, y, z, left, 0, total, ext);
        ASSERT_EQ(LitPixels(f.surface), 0);
    }
    // Well apart and fully in front of the viewer, every one of the 97 pixels shows.
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, kWhite, 5, 1.0f);
    EXPECT_EQ(LitPixels(f.surface), 97);
    EXPECT_GT(most, 60);
}

TEST(NovaBurst, LayersBehindTheViewerAreSkippedAndTinyNovasAreOnePixel) {
    EngineFixture f(1000, 1000);
    // z - 0.1 ext <= 0: both nearer layers are dropped, 1 + 32 + 20 + 12 pixels remain.
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.05f, 10, kWhite, 10, 0.5f);
    EXPECT_EQ(LitPixels(f.surface), 65);
    EngineFixture g(1000, 1000);
    DrawNovaBurst(g.ctx, 0.0f, 0.0f, 100.0f, 10, kWhite, 10, 0.001f);
    EXPECT_EQ(LitSet(g.surface), (Pixels{{500, 500}}));
}

TEST(NovaColour, RunsThroughTheTypeRampAndStopsAtItsLastEntry) {
    EngineFixture f;
    uint32_t* ramp = f.ctx.GalaxyRamp(3);
    EXPECT_EQ(NovaColour(f.ctx, 3, 25, 24), ramp[4]);
    EXPECT_EQ(NovaColour(f.ctx, 3, 8, 7), ramp[12]);  // 12.5 rounds to even
    EXPECT_EQ(NovaColour(f.ctx, 3, 999, 1), ramp[99]);
}

TEST(CometSlots, ParticleStorageBoundsTheSlotCount) {
    EXPECT_EQ(CometSlotCount(999), 2);
    EXPECT_EQ(CometSlotCount(10), 100);
    EXPECT_EQ(CometSlotCount(50), 50);
    EXPECT_EQ(CometSlotCount(1), 100);
    EXPECT_EQ(CometSlotCount(0), 100);
}

std::map<int, double> RebirthShares(int16_t quota, int trials) {
    RandomSource r(12345);
    std::map<int, int> counts;
    for (int k = 0; k < trials; ++k) counts[RebirthCount(r, quota)] += 1;
    std::map<int, double> shares;
    for (auto [n, c] : counts) shares[n] = static_cast<double>(c) / trials;
    return shares;
}

TEST(RebirthQuota, CountsFollowTheExamples) {
    auto q120 = RebirthShares(120, 200000);
    EXPECT_EQ(q120.size(), 2u);
    EXPECT_NEAR(q120[2], 0.2, 0.005);
    EXPECT_NEAR(q120[1], 0.8, 0.005);
    auto q30 = RebirthShares(30, 200000);
    EXPECT_NEAR(q30[1], 0.3, 0.005);
    EXPECT_NEAR(q30[0], 0.7, 0.005);
    auto q75 = RebirthShares(75, 200000);
    EXPECT_NEAR(q75[2], 0.75, 0.005);
    EXPECT_NEAR(q75[1], 0.25, 0.005);
    auto q0 = RebirthShares(0, 1000);
    EXPECT_EQ(q0[0], 1.0);
}

class QuotaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        a.Allocate(10, 1, 3, 0);
        a.GalType = {0, 1, 32};
        f.types[0].NewFreq = 100;
        f.types[1].NewFreq = 500;
        f.types[2].NewFreq = 900;
        f.composites[0].Count = 2;
        f.composites[0].Members[0] = 2;
        f.composites[0].Members[1] = 0;
        f.ctx.Settings.Universe_NewFreq = 300;
        f.ctx.Settings.Universe_GPCtrl = 1;
    }
    int16_t Quota(int16_t g, int16_t s, float w, bool visiting, PreviewKind kind = PreviewKind::None) {
        FrameInfo fr;
        fr.g = g;
        fr.s = s;
        fr.w = w;
        fr.visiting = visiting;
        fr.preview = kind;
        return NewStarQuota(f.ctx, a, fr);
    }
    EngineFixture f;
    RuntimeArrays a;
};

TEST_F(QuotaTest, RatesFadeBetweenUniverseAndVisitedGalaxy) {
    EXPECT_EQ(Quota(1, 32000, 1.0f, true, PreviewKind::Galaxy), 500);
    // First step of a visit: from the previous object's rate (w = 1) to the universe rate.
    EXPECT_EQ(Quota(1, 1, 1.0f, true), 100);
    EXPECT_EQ(Quota(1, 1, 0.0f, true), 300);
    EXPECT_EQ(Quota(2, 1, 0.25f, true), 350);  // 300 + 200 * 0.25
    // First core step fades in the visited object's rate, later core steps hold it; a
    // composite object uses its first member.
    EXPECT_EQ(Quota(2, 2, 1.0f, true), 300);
    EXPECT_EQ(Quota(2, 2, 0.5f, true), 600);
    EXPECT_EQ(Quota(2, 3, 1.0f, true), 900);
    EXPECT_EQ(Quota(2, 3, 1.0f, false), 300);  // return leg
    EXPECT_EQ(Quota(0, 1, 1.0f, true), 300);   // approach of the first object
}

TEST_F(QuotaTest, SelectionMarksOnlyIdleStarsOlderThanTheTrail) {
    a.Allocate(4, 3, 1, 0);
    a.StarAge = {4, 3, 10, 10};  // star 1 is too young
    a.StarNewLeft[2] = 1;        // star 2 is sparkling
    for (int k = 0; k < 200; ++k) SelectRebirths(f.ctx, a, 400);
    EXPECT_EQ(a.StarRebirthWait[0], 4);
    EXPECT_EQ(a.StarRebirthWait[1], 0);
    EXPECT_EQ(a.StarRebirthWait[2], 0);
    EXPECT_EQ(a.StarRebirthWait[3], 4);
}

TEST(Rebirth, NovaChanceDecidesBetweenSparkleAndNova) {
    EngineFixture f;
    f.types[0].NovaFreq = 0;
    f.types[1].NovaFreq = 9999;
    ScaleTypeTable(f.types);
    for (int16_t type : {0, 1}) {
        RuntimeArrays a;
        testing::PopulateOneGalaxy(f.ctx, a, type, 300, 1, 3.5f);
        FrameInfo frame;
        frame.visiting = true;
        frame.s = 32000;
        frame.preview = PreviewKind::Galaxy;
        int novas = 0;
        for (int32_t i = 0; i < a.StarCount; ++i) {
            RebirthAfterDying(f.ctx, a, i, frame);
            const size_t s = static_cast<size_t>(i);
            EXPECT_TRUE((a.StarNewLeft[s] > 0) != (a.StarNovaLeft[s] > 0));
            if (a.StarNovaLeft[s] > 0) {
                ++novas;
                EXPECT_EQ(a.BurstFrames[s], f.types[static_cast<size_t>(type)].NovaFrames);
                RebirthAfterNova(f.ctx, a, i);  // a nova is always followed by a new star
                EXPECT_EQ(a.StarNovaLeft[s], 0);
                EXPECT_EQ(a.StarNewLeft[s], f.types[static_cast<size_t>(type)].NewFrames);
            }
        }
        if (type == 0) {
            EXPECT_EQ(novas, 0);
        } else {
            EXPECT_GE(novas, a.StarCount - 2);  // a chance of 0.9999 per rebirth
        }
        EXPECT_GT(LitPixels(f.surface), 0);
    }
}

TEST(Comets, StartOnlyInTheCoreAndEraseCompletelyOnReset) {
    EngineFixture f;
    f.types[0].CometFreq = 9999;
    f.types[0].CometStars = 999;
    f.types[0].CometCPersist = 0.9999f;
    ScaleTypeTable(f.types);
    RuntimeArrays a;
    testing::PopulateOneGalaxy(f.ctx, a, 0, 10, 1, 3.5f);
    ResetEventBuffer(f.ctx, a, 1);
    EXPECT_EQ(a.EvtSlotStride, 2);
    FrameInfo frame;
    frame.visiting = true;
    frame.s = 2;  // first core step: no comet may start
    f.ctx.Settings.Universe_GPCtrl = 1;
    for (int k = 0; k < 20; ++k) UpdateComets(f.ctx, a, frame);
    EXPECT_EQ(a.CometLive[0] + a.CometLive[1], 0);
    frame.s = 3;
    for (int k = 0; k < 30; ++k) UpdateComets(f.ctx, a, frame);
    EXPECT_GT(a.CometLive[0] + a.CometLive[1], 0);
    EXPECT_GT(LitPixels(f.surface), 0);
    ResetEventBuffer(f.ctx, a, 0);
    EXPECT_EQ(LitPixels(f.surface), 0);
    EXPECT_EQ(a.CometLive[0] + a.CometLive[1], 0);
}

TEST(Comets, StoppedCometsDieOutAndParticlesAgeThroughTheRamp) {
    EngineFixture f;
    f.types[0].CometFreq = 9999;
    f.types[0].CometStars = 20;
    f.types[0].CometSPersist = 0.9999f;
    f.types[0].CometCPersist = 0.1f;  // stops emitting almost at once
    ScaleTypeTable(f.types);
    RuntimeArrays a;
    testing::PopulateOneGalaxy(f.ctx, a, 0, 10, 1, 3.5f);
    ResetEventBuffer(f.ctx, a, 1);
    FrameInfo frame;
    frame.visiting = true;
    frame.s = 32000;
    frame.preview = PreviewKind::Galaxy;
    for (int k = 0; k < 60; ++k) UpdateComets(f.ctx, a, frame);
    int16_t oldest = 0;
    for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p)
        oldest = std::max(oldest, a.ParticleAge[p]);
    EXPECT_GE(oldest, 100);  // two per drawn frame: the last ramp entry after 50 frames
    // With particles surviving rarely, every stopped comet empties its slot.
    f.types[0].CometSPersist = 0.1f;
    f.types[0].CometFreq = 0;
    for (int k = 0; k < 200; ++k) UpdateComets(f.ctx, a, frame);
    for (int c = 0; c < a.EvtSlotStride; ++c) EXPECT_EQ(a.CometLive[static_cast<size_t>(c)], 0);
    EXPECT_EQ(LitPixels(f.surface), 0);
}

}  // namespace
}  // namespace astrelle
