// The rules of star placement and of star events, checked directly where a reference run
// could only say that something changed: random draws are replayed from a copy of the
// generator, and no height/width ratio is 1.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <set>

#include "engine/galaxy_frame.h"
#include "engine/projection.h"
#include "engine_test_support.h"
#include "settings/rounding.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

// An 800 x 600 surface (height / width 0.75), a universe 0.6 times as high as wide, and a
// second context whose generator replays the draws of the first.
struct Replay {
    Replay() { f.ctx.Settings.Universe_HWRatio = replay.ctx.Settings.Universe_HWRatio = 0.6f; }
    void Sync() { replay.ctx.Random = f.ctx.Random; }
    float U() { return replay.ctx.Random.Next(); }
    int Index() { return static_cast<int>(RoundHalfEven(static_cast<double>(U()) * 1000.0)); }
    float Cos(int k) const { return f.ctx.Trig.CosTable[static_cast<size_t>(k)]; }
    float Sin(int k) const { return f.ctx.Trig.SinTable[static_cast<size_t>(k)]; }
    EngineFixture f;
    EngineFixture replay;
};

// Profiles other than the sphere: the envelope at rho with x scaled by the aspect, the
// far half of the disc by a sign, all shrunk towards the minimum fraction m = 0.3; the
// sphere: a radius between m and 1 of the universe's; y by the universe's ratio.
TEST(PlaceInUniverse, ProfileRatiosMinimumFractionAndTheWholeTurn) {
    for (int16_t profile : {0, 5, 2}) {
        Replay r;
        r.f.ctx.Settings.Universe_Profile = profile;
        std::set<std::pair<bool, bool>> quadrants;
        for (int n = 0; n < 300; ++n) {
            r.Sync();
            Vec3 e;
            if (profile != 2) {
                const float rho = r.U() * 7.0f;
                const int k = r.Index();
                e.x = r.Cos(k) * rho * 0.75f;
                e.y = ProfileHeight(r.replay.ctx.Random, profile, rho, 7.0f);
                e.z = Sign(r.U() - 0.5f) * (r.Sin(k) * rho);
                const float s = (1.0f - 0.3f) * r.U() + 0.3f;
                e = {e.x * s, e.y * s, e.z * s};
            } else {
                const float rho = ((1.0f - 0.3f) * r.U() + 0.3f) * 7.0f;
                const int k1 = r.Index();
                const int k2 = r.Index();
                e = {rho * r.Cos(k2) * r.Sin(k1) * 0.75f, Sign(r.U() - 0.5f) * (rho * r.Sin(k2) * r.Sin(k1)),
                     rho * r.Cos(k1)};
            }
            const Vec3 got = PlaceInUniverse(r.f.ctx, 7.0f, 0.3f);
            ASSERT_EQ(got.x, e.x) << profile << " " << n;
            ASSERT_EQ(got.y, e.y * 0.6f) << profile << " " << n;
            ASSERT_EQ(got.z, e.z) << profile << " " << n;
            quadrants.insert({got.x > 0, got.z > 0});
        }
        EXPECT_EQ(quadrants.size(), 4u) << profile;
    }
}

// Four objects, the visit at object 2, half of the reborn stars kept for it. On the first
// step of a visit they come from the previous object, moving over as w falls; in the core
// they stay with the visited one; before the core and on the return leg anywhere.
TEST(RebirthAfterDying, DestinationFollowsTheVisit) {
    const FrameInfo frames[] = {{2, 1, 0.5f, 0.3f, true},
                                {0, 1, 0.5f, 0.3f, true},
                                {2, 2, 0.5f, 0.3f, true},
                                {2, 3, 0.5f, 0.3f, true},
                                {2, 3, 0.5f, 0.3f, false}};
    for (const FrameInfo& c : frames) {
        Replay r;
        ScaleTypeTable(r.f.types);
        r.f.ctx.Settings.Universe_NewPctStEx = 0.5f;
        r.f.ctx.Settings.Universe_GPCtrl = 2;
        RuntimeArrays a;
        a.Allocate(1, 1, 4, 0);
        a.GalType = {0, 1, 2, 3};
        std::set<int> seen;
        for (int n = 0; n < 200; ++n) {
            r.Sync();
            const auto anywhere = [&] { return static_cast<int>(r.U() * 4.0f); };
            int expected = c.g;
            if (!c.visiting) {
                expected = anywhere();
            } else if (c.s > 2) {
                expected = r.U() < 0.5f ? c.g : anywhere();
            } else if (r.U() >= 0.5f) {
                expected = anywhere();
            } else if (c.s == 1 && c.g > 0) {
                expected = r.U() >= c.w ? c.g : c.g - 1;
            }
            RebirthAfterDying(r.f.ctx, a, 0, c);
            ASSERT_EQ(a.StarGalaxy[0], expected) << c.s << " " << c.g << " " << c.visiting;
            seen.insert(expected);
        }
        EXPECT_EQ(seen.size(), 4u);
    }
}

// The blend of the first visit step is w = (cos(t pi) + 1) / 2: from the previous object's
// rate 400 to the universe rate 0 it gives a quota of 400 w, here whole rebirths.
TEST(VisitBlend, FadesTheRebirthQuotaAlongACosine) {
    for (auto [t, rebirths] :
         {std::pair{0.0f, 4}, {1.0f / 3.0f, 3}, {0.5f, 2}, {2.0f / 3.0f, 1}, {1.0f, 0}}) {
        EngineFixture f;
        f.types[0].NewFreq = 400;
        f.ctx.Settings.Universe_NewFreq = 0;
        ScaleTypeTable(f.types);
        RuntimeArrays a;
        a.Allocate(5000, 1, 2, 0);
        a.GalType = {0, 0};
        std::fill(a.StarAge.begin(), a.StarAge.end(), 5);
        UpdateGalaxyFrame(f.ctx, a, 1, 1, t, true, PreviewKind::None);
        EXPECT_EQ(std::count(a.StarRebirthWait.begin(), a.StarRebirthWait.end(), 2), rebirths) << t;
    }
}

// Comets start only beyond the first core step. While one emits, a particle that does not
// persist is re-emitted at the head with age 0 and not drawn; the others move, are drawn
// and age by 2. Outside the core every comet stops emitting and its particles die out.
TEST(Comets, StartInTheCoreReEmitYoungAndStopOutsideIt) {
    EngineFixture f;
    f.types[0].CometFreq = 9999;
    f.types[0].CometStars = 40;
    f.types[0].CometCPersist = 0.9999f;
    f.types[0].CometSPersist = 0.5f;
    ScaleTypeTable(f.types);
    f.ctx.Settings.Universe_GPCtrl = 1;
    RuntimeArrays a;
    a.Allocate(10, 1, 1, 0);
    a.GalViewZ[0] = 5.0f;
    ResetEventBuffer(f.ctx, a, 1);
    const auto frames = [&](int n, int16_t s) {
        for (int k = 0; k < n; ++k) UpdateComets(f.ctx, a, FrameInfo{0, s, 0, 1, true});
    };
    const auto live = [&] { return std::accumulate(a.CometLive.begin(), a.CometLive.end(), 0); };
    EXPECT_EQ(a.EvtSlotStride, 2500 / 40);
    frames(20, 2);
    EXPECT_EQ(live(), 0);
    frames(3, 3);
    ASSERT_GT(live(), 0);
    f.types[0].CometFreq = 0;  // no new comets: every new velocity is a re-emission
    for (int frame = 0; frame < 5; ++frame) {
        const std::vector<float> velocity = a.ParticleVX;
        const std::vector<int16_t> age = a.ParticleAge;
        const std::vector<int32_t> pixel = a.EvtPixelX;
        frames(1, 3);
        int reEmitted = 0;
        for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
            if (a.EvtPixelDrawn[p] == 0) continue;
            const bool again = a.ParticleVX[p] != velocity[p];
            reEmitted += again;
            EXPECT_EQ(a.ParticleAge[p], again ? 0 : age[p] + 2) << p;
            if (again) {
                EXPECT_EQ(a.EvtPixelX[p], pixel[p]) << p;  // not drawn in this frame
            }
        }
        EXPECT_GT(reEmitted, 5);
    }
    frames(1, 2);
    for (int16_t active : a.CometActive) EXPECT_EQ(active, 0);
    frames(40, 2);
    EXPECT_EQ(live(), 0);
    EXPECT_EQ(testing::LitSet(f.surface).size(), 0u);
}

}  // namespace
}  // namespace astrelle
