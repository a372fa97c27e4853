// Sparkles, novas, the rebirth quota and selection, star types of composites and comets.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/frame_loop.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitPixels;
using testing::LitSet;
using testing::Pixels;

// The pixels of one white sparkle on an empty 200 x 200 surface (focal length 1).
Pixels Sparkle(int x, int y, float z, int16_t left, int16_t total) {
    EngineFixture f(200, 200);
    DrawNewStarBurst(f.ctx, x, y, z, left, total, 1.0f, kWhite);
    return LitSet(f.surface);
}

// With depth 1 and extension 1 a ring k lies k pixels from the centre. q = 0.1 gives the
// horizontal ring 1; q = 0.7 an axis ring at 14, not 16, and the diagonal 4; the full
// sparkle has the wide rings and diagonals. At an extension of 1/32 or less it is one
// pixel whatever the band.
TEST(NewStarBurst, EachBandDrawsItsRings) {
    const size_t expectedCount[] = {1, 3, 5, 7, 9, 13, 17, 21, 25, 33, 33};
    for (int16_t left = 0; left <= 10; ++left) {
        EXPECT_EQ(Sparkle(100, 100, 1.0f, left, 10).size(), expectedCount[left]) << "left " << left;
    }
    EXPECT_EQ(Sparkle(100, 100, 1.0f, 1, 10), (Pixels{{100, 100}, {99, 100}, {101, 100}}));
    const Pixels q7 = Sparkle(100, 100, 1.0f, 7, 10);
    EXPECT_TRUE(q7.count({114, 100}) && q7.count({96, 96}) && !q7.count({116, 100}));
    const Pixels full = Sparkle(100, 100, 1.0f, 5, 5);
    EXPECT_EQ(full.size(), 33u);
    const Pixels wide = {{84, 100}, {116, 100}, {100, 84}, {100, 116}, {96, 96},   {104, 104},
                         {93, 107}, {107, 93},  {89, 89},  {68, 100},  {132, 100}, {100, 68}};
    for (auto p : wide) EXPECT_TRUE(full.count(p)) << p.first << "," << p.second;
    for (float z : {32.0f, 100.0f}) EXPECT_EQ(Sparkle(30, 30, z, 10, 10), (Pixels{{30, 30}})) << z;
    EXPECT_GT(Sparkle(30, 30, 31.0f, 10, 10).size(), 1u);
}

TEST(NovaBurst, NeverMoreThan97PixelsErasableInBlackAndLayersBehindTheViewerSkipped) {
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
    EXPECT_GT(most, 60);
    // Well apart and fully in front of the viewer, every one of the 97 pixels shows.
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, kWhite, 5, 1.0f);
    EXPECT_EQ(LitPixels(f.surface), 97);
    // z - 0.1 ext <= 0: both nearer layers are dropped, 1 + 32 + 20 + 12 pixels remain.
    EngineFixture g(1000, 1000);
    DrawNovaBurst(g.ctx, 0.0f, 0.0f, 0.05f, 10, kWhite, 10, 0.5f);
    EXPECT_EQ(LitPixels(g.surface), 65);
    EngineFixture h(1000, 1000);  // a tiny nova is one pixel
    DrawNovaBurst(h.ctx, 0.0f, 0.0f, 100.0f, 10, kWhite, 10, 0.001f);
    EXPECT_EQ(LitSet(h.surface), (Pixels{{500, 500}}));
}

TEST(NovaColour, RunsThroughTheTypeRampAndStopsAtItsLastEntry) {
    EngineFixture f;
    uint32_t* ramp = f.ctx.GalaxyRamp(3);
    EXPECT_EQ(NovaColour(f.ctx, 3, 25, 24), ramp[4]);
    EXPECT_EQ(NovaColour(f.ctx, 3, 8, 7), ramp[12]);  // 12.5 rounds to even
    EXPECT_EQ(NovaColour(f.ctx, 3, 999, 1), ramp[99]);
}

TEST(CometSlots, ParticleStorageBoundsTheSlotCount) {
    for (auto [stars, slots] : {std::pair{999, 2}, {10, 100}, {50, 50}, {1, 100}, {0, 100}}) {
        EXPECT_EQ(CometSlotCount(static_cast<int16_t>(stars)), slots) << stars;
    }
}

// Q = 120 gives 2 with chance 0.2, else 1; Q = 30 gives 1 with chance 0.3, else 0.
TEST(RebirthQuota, CountsFollowTheExamples) {
    using Shares = std::map<int, double>;
    const std::pair<int16_t, Shares> cases[] = {{120, {{1, 0.8}, {2, 0.2}}},
                                                {30, {{0, 0.7}, {1, 0.3}}},
                                                {75, {{1, 0.25}, {2, 0.75}}},
                                                {0, {{0, 1.0}}}};
    for (const auto& [quota, expected] : cases) {
        RandomSource r(12345);
        Shares shares;
        for (int k = 0; k < 200000; ++k) shares[RebirthCount(r, quota)] += 1.0 / 200000;
        ASSERT_EQ(shares.size(), expected.size()) << quota;
        for (auto [n, share] : expected) EXPECT_NEAR(shares.at(n), share, 0.005) << quota << ": " << n;
    }
}

// A visiting frame in the galaxy preview.
FrameInfo PreviewFrame() {
    FrameInfo frame;
    frame.visiting = true;
    frame.s = 32000;
    frame.preview = PreviewKind::Galaxy;
    return frame;
}

// Objects of types 0, 1 and composite 0 (members 2, then 0); rates 100, 500, 900 and a
// universe rate of 300. The first step of a visit fades from the previous object's rate
// (w = 1) to the universe rate, the first core step fades in the visited object's rate,
// later core steps hold it; a composite uses its first member.
TEST(NewStarQuota, RatesFadeBetweenUniverseAndVisitedGalaxy) {
    EngineFixture f;
    RuntimeArrays a;
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
    FrameInfo fr = PreviewFrame();
    fr.g = 1;
    EXPECT_EQ(NewStarQuota(f.ctx, a, fr), 500);
    const struct {
        int16_t g, s;
        float w;
        bool visiting;
        int16_t quota;
    } rows[] = {{1, 1, 1.0f, true, 100},  {1, 1, 0.0f, true, 300}, {2, 1, 0.25f, true, 350},
                {2, 2, 1.0f, true, 300},  {2, 2, 0.5f, true, 600}, {2, 3, 1.0f, true, 900},
                {2, 3, 1.0f, false, 300}, {0, 1, 1.0f, true, 300}};
    for (const auto& c : rows) {
        fr = FrameInfo{c.g, c.s, 0.0f, c.w, c.visiting, PreviewKind::None};
        EXPECT_EQ(NewStarQuota(f.ctx, a, fr), c.quota) << c.g << "." << c.s << " w " << c.w;
    }
}

TEST(SelectRebirths, MarksOnlyIdleStarsOlderThanTheTrail) {
    EngineFixture f;
    RuntimeArrays a;
    a.Allocate(4, 3, 1, 0);
    a.StarAge = {4, 3, 10, 10};  // star 1 is too young
    a.StarNewLeft[2] = 1;        // star 2 is sparkling
    for (int k = 0; k < 200; ++k) SelectRebirths(f.ctx, a, 400);
    EXPECT_EQ(a.StarRebirthWait, (std::vector<int16_t>{4, 0, 0, 4}));
}

// One galaxy of 10 stars of type 0 whose comets come often; the comet buffer set for it.
struct CometFixture {
    CometFixture(int16_t stars, float cometPersist, float particlePersist) {
        f.types[0].CometFreq = 9999;
        f.types[0].CometStars = stars;
        f.types[0].CometCPersist = cometPersist;
        f.types[0].CometSPersist = particlePersist;
        ScaleTypeTable(f.types);
        testing::PopulateOneGalaxy(f.ctx, a, 0, 10, 1, 3.5f);
        ResetEventBuffer(f.ctx, a, 1);
    }
    int Live() const {
        int n = 0;
        for (int c = 0; c < a.EvtSlotStride; ++c) n += a.CometLive[static_cast<size_t>(c)];
        return n;
    }
    EngineFixture f;
    RuntimeArrays a;
};

TEST(Comets, StartOnlyInTheCoreAndEraseCompletelyOnReset) {
    CometFixture c(999, 0.9999f, testing::DefaultTypeRow().CometSPersist);
    EXPECT_EQ(c.a.EvtSlotStride, 2);
    FrameInfo frame;
    frame.visiting = true;
    frame.s = 2;  // first core step: no comet may start
    c.f.ctx.Settings.Universe_GPCtrl = 1;
    for (int k = 0; k < 20; ++k) UpdateComets(c.f.ctx, c.a, frame);
    EXPECT_EQ(c.Live(), 0);
    frame.s = 3;
    for (int k = 0; k < 30; ++k) UpdateComets(c.f.ctx, c.a, frame);
    EXPECT_GT(c.Live(), 0);
    EXPECT_GT(LitPixels(c.f.surface), 0);
    ResetEventBuffer(c.f.ctx, c.a, 0);
    EXPECT_EQ(LitPixels(c.f.surface), 0);
    EXPECT_EQ(c.Live(), 0);
}

TEST(Comets, StoppedCometsDieOutAndParticlesAgeThroughTheRamp) {
    CometFixture c(20, 0.1f, 0.9999f);  // comets stop emitting almost at once
    for (int k = 0; k < 60; ++k) UpdateComets(c.f.ctx, c.a, PreviewFrame());
    // Two a drawn frame: the last ramp entry after 50 frames.
    EXPECT_GE(*std::max_element(c.a.ParticleAge.begin(), c.a.ParticleAge.end()), 100);
    // With particles surviving rarely, every stopped comet empties its slot.
    c.f.types[0].CometSPersist = 0.1f;
    c.f.types[0].CometFreq = 0;
    for (int k = 0; k < 200; ++k) UpdateComets(c.f.ctx, c.a, PreviewFrame());
    EXPECT_EQ(c.Live(), 0);
    EXPECT_EQ(LitPixels(c.f.surface), 0);
}

}  // namespace
}  // namespace astrelle
