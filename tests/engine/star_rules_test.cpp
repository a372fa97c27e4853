// The rules of star placement and of star events, checked directly where a reference run
// could only say that something changed: random draws are replayed from a copy of the
// generator, and no height/width ratio is 1.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <set>
#include <tuple>

#include "engine/frame_loop.h"
#include "engine/galaxy_frame.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "engine_test_support.h"
#include "settings/rounding.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

// An 800 x 600 surface (height / width 0.75) and a universe 0.6 times as high as wide.
struct Placement {
    Placement() {
        f.ctx.Settings.Universe_HWRatio = 0.6f;
        replay.ctx.Settings.Universe_HWRatio = 0.6f;
    }
    // The next draws as the rules take them, from a copy of the generator.
    float U() { return replay.ctx.Random.Next(); }
    void Sync() { replay.ctx.Random = f.ctx.Random; }
    float CosAt(int k) const { return f.ctx.Trig.CosTable[static_cast<size_t>(k)]; }
    float SinAt(int k) const { return f.ctx.Trig.SinTable[static_cast<size_t>(k)]; }
    int Index() { return static_cast<int>(RoundHalfEven(static_cast<double>(U()) * 1000.0)); }
    EngineFixture f;
    EngineFixture replay;
};

// The profile's envelope for rho and a signed height with x scaled by the aspect, the
// other side of the disc by a sign, all of it shrunk towards the minimum fraction m; the
// spherical profile on a sphere between m and 1 of the radius; y by the universe ratio.
TEST(PlaceInUniverse, ProfileRatiosMinimumFractionAndTheWholeTurn) {
    for (int16_t profile : {0, 5, 2}) {
        Placement p;
        p.f.ctx.Settings.Universe_Profile = profile;
        std::set<std::pair<bool, bool>> quadrants;
        for (int n = 0; n < 300; ++n) {
            p.Sync();
            Vec3 e;
            if (profile != 2) {
                const float rho = p.U() * 7.0f;
                const int k = p.Index();
                e.x = p.CosAt(k) * rho * 0.75f;
                e.y = ProfileHeight(p.replay.ctx.Random, profile, rho, 7.0f);
                e.z = Sign(p.U() - 0.5f) * (p.SinAt(k) * rho);
                const float f = (1.0f - 0.3f) * p.U();
                e = {e.x * (f + 0.3f), e.y * (f + 0.3f), e.z * (f + 0.3f)};
            } else {
                const float rho = ((1.0f - 0.3f) * p.U() + 0.3f) * 7.0f;
                const int k1 = p.Index();
                const int k2 = p.Index();
                e.x = rho * p.CosAt(k2) * p.SinAt(k1) * 0.75f;
                e.y = Sign(p.U() - 0.5f) * (rho * p.SinAt(k2) * p.SinAt(k1));
                e.z = rho * p.CosAt(k1);
            }
            const Vec3 got = PlaceInUniverse(p.f.ctx, 7.0f, 0.3f);
            ASSERT_EQ(got.x, e.x) << profile << " " << n;
            ASSERT_EQ(got.y, e.y * 0.6f) << profile << " " << n;
            ASSERT_EQ(got.z, e.z) << profile << " " << n;
            quadrants.insert({got.x > 0, got.z > 0});
        }
        EXPECT_EQ(quadrants.size(), 4u) << profile;
    }
}

TEST(RandomPoints, SphereBallAndShellWithTheAspect) {
    Placement p;
    for (int n = 0; n < 300; ++n) {
        const Vec3 s = RandomOnSphere(p.f.ctx, 2.0f);
        EXPECT_NEAR(std::hypot(s.x / 0.75f, s.y, s.z), 2.0, 1e-5);
        const Vec3 b = RandomInBall(p.f.ctx.Random, 3.0f);
        EXPECT_LE(std::hypot(b.x, b.y, b.z), 3.0f);
        // m = 0 leaves the ball's point as it was, m = 1 puts it on the sphere.
        p.Sync();
        const Vec3 inBall = RandomInBall(p.replay.ctx.Random, 3.0f);
        const Vec3 blended = RandomInShellBlend(p.f.ctx, 3.0f, 0.0f);
        EXPECT_FLOAT_EQ(blended.x, inBall.x * 0.75f);
        EXPECT_FLOAT_EQ(blended.z, inBall.z);
        const Vec3 shell = RandomInShellBlend(p.f.ctx, 3.0f, 1.0f);
        EXPECT_NEAR(std::hypot(shell.x / 0.75f, shell.y, shell.z), 3.0, 1e-4);
    }
    // Degenerate radii end the rejection loop instead of spinning for ever.
    EXPECT_EQ(std::hypot(RandomInBall(p.f.ctx.Random, 0.0f).x, 0.0f), 0.0f);
    EXPECT_LE(std::fabs(RandomInBall(p.f.ctx.Random, -2.0f).x), 2.0f);
    RandomInBall(p.f.ctx.Random, NAN);
}

// The envelopes for R = 1: standard (0), top-like (1), ball (2), double cone (3), spike over
// a thin disc (4), bowl (5), ring with a hollow core (6); unknown profiles give 0.
TEST(ProfileEnvelope, EveryShapeScaledWithTheRadius) {
    const struct {
        int16_t profile;
        double r, e, tolerance;
    } cases[] = {{0, 0, 1.0, 1e-9},     {0, 0.25, 0.700, 1e-3}, {0, 0.5, 0.4, 1e-9},   {0, 0.75, 0.346, 1e-3},
                 {0, 1, 0, 1e-9},       {1, 0, 1.0, 1e-9},      {1, 0.1, 0.75, 1e-9},  {1, 0.5, 0.289, 1e-3},
                 {1, 0.75, 0.25, 1e-9}, {1, 1, 0, 1e-9},        {2, 0.6, 0.8, 1e-9},   {3, 0.25, 0.75, 1e-9},
                 {4, 0.5, 0.134, 1e-3}, {4, 0, 1, 1e-9},        {5, 0.5, 0.134, 1e-3}, {5, 1.0, 1.0, 1e-9},
                 {6, 0.5, 0.866, 1e-3}, {6, 1e-6, 0.0, 2e-3},   {7, 0.5, 0, 0},        {-1, 0.5, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(ProfileEnvelope(c.profile, c.r, 1.0), c.e, c.tolerance) << c.profile << " " << c.r;
        EXPECT_NEAR(ProfileEnvelope(c.profile, 5 * c.r, 5.0), 5 * c.e, 5 * c.tolerance) << c.profile;
    }
    // Just beyond the rim the roots are of 0, not of a negative number; a radius of 0 is flat.
    const float rim = std::nextafter(0.01f, 1.0f);
    for (int16_t p : {0, 1, 2, 5, 6})
        EXPECT_NEAR(ProfileEnvelope(p, rim, 0.01f), p >= 5 ? 0.01 : 0.0, 1e-8) << p;
    EXPECT_EQ(ProfileEnvelope(0, 0.0, 0.0), 0.0);
}

// r = R U^RadiusExp, then the sign of the envelope, then h = U^HeightExp x E x GHWRatio;
// the angle a whole turn times U, the angular speed 2 pi Rotation / r, counters cleared.
TEST(GenerateStar, DrawsRadiusSignHeightAngleInThisOrder) {
    Placement p;
    p.f.types[2].Profile = 1;
    p.f.types[2].GHWRatio = 0.3f;
    ScaleTypeTable(p.f.types);
    const GalaxyTypeRecord& row = p.f.types[2];
    RuntimeArrays a;
    a.Allocate(1, 1, 1, 0);
    for (int n = 0; n < 200; ++n) {
        a.StarAge[0] = a.StarNewLeft[0] = a.StarNovaLeft[0] = a.StarRebirthWait[0] = 7;
        p.Sync();
        const float r = static_cast<float>(row.Radius * std::pow(double{p.U()}, row.RadiusExp) + 1e-9);
        const float sign = Sign(p.U() - 0.5f);
        const float h =
            static_cast<float>(std::pow(double{p.U()}, row.HeightExp) *
                               static_cast<float>(sign * ProfileEnvelope(1, r, row.Radius)) * 0.3f);
        const float angle = p.U() * kTwoPi;
        GenerateStar(p.f.ctx, a, 0, 2, 0.0f);
        EXPECT_FLOAT_EQ(a.StarRadius[0], r);
        EXPECT_FLOAT_EQ(a.StarHeight[0], h);
        EXPECT_EQ(a.StarAngle[0], angle);
        EXPECT_FLOAT_EQ(a.StarAngVel[0] * (r + 1e-9f), kTwoPi * row.Rotation);
        EXPECT_EQ(a.StarAge[0] + a.StarNewLeft[0] + a.StarNovaLeft[0] + a.StarRebirthWait[0], 0);
    }
}

// Ratio 0 flattens any profile; exponent 0 puts every height on the envelope; no rotation,
// no turning.
TEST(GenerateStar, FlatDiscsHollowShellsAndStandingGalaxies) {
    EngineFixture f;
    ScaleTypeTable(f.types);
    GalaxyTypeRecord& row = f.types[2];
    row.GHWRatio = 0.0f;
    row.Profile = 2;
    RuntimeArrays a;
    a.Allocate(100, 1, 1, 0);
    auto generate = [&] {
        for (int32_t i = 0; i < 100; ++i) GenerateStar(f.ctx, a, i, 2, 0.0f);
    };
    generate();
    for (float h : a.StarHeight) EXPECT_EQ(h, 0.0f);
    row.GHWRatio = 1.0f;
    row.HeightExp = 0.0f;
    row.Rotation = 0.0f;
    generate();
    for (size_t s = 0; s < 100; ++s) {
        EXPECT_NEAR(std::fabs(a.StarHeight[s]), ProfileEnvelope(2, a.StarRadius[s], row.Radius), 1e-5);
        EXPECT_EQ(a.StarAngVel[s], 0.0f);
    }
}

// Four objects, the visit at object 2 with half of the reborn stars kept for it. On the
// first step of a visit they come from the previous object, moving over as w falls; in the
// core they stay with the visited one; before the core and on the return leg they go
// anywhere.
TEST(RebirthAfterDying, DestinationFollowsTheVisit) {
    const struct {
        int16_t s, g;
        float w;
        bool visiting;
    } frames[] = {
        {1, 2, 0.3f, true}, {1, 0, 0.3f, true}, {2, 2, 0.3f, true}, {3, 2, 0.3f, true}, {3, 2, 0.3f, false}};
    for (const auto& c : frames) {
        Placement p;
        ScaleTypeTable(p.f.types);
        p.f.ctx.Settings.Universe_NewPctStEx = 0.5f;
        p.f.ctx.Settings.Universe_GPCtrl = 2;
        RuntimeArrays a;
        a.Allocate(1, 1, 4, 0);
        a.GalType = {0, 1, 2, 3};
        a.GalViewZ = {5, 6, 7, 8};
        const FrameInfo frame{c.g, c.s, 0.5f, c.w, c.visiting, PreviewKind::None};
        std::set<int> seen;
        for (int n = 0; n < 200; ++n) {
            p.Sync();
            const auto anywhere = [&] { return static_cast<int>(p.U() * 4.0f); };
            int expected = c.g;
            if (!c.visiting) {
                expected = anywhere();
            } else if (c.s > 2) {
                expected = p.U() < 0.5f ? c.g : anywhere();
            } else if (p.U() >= 0.5f) {
                expected = anywhere();
            } else if (c.s == 1 && c.g > 0) {
                expected = p.U() >= c.w ? c.g : c.g - 1;
            }
            RebirthAfterDying(p.f.ctx, a, 0, frame);
            ASSERT_EQ(a.StarGalaxy[0], expected) << c.s << " " << c.g << " " << c.visiting;
            seen.insert(expected);
        }
        EXPECT_EQ(seen.size(), 4u);
    }
}

// A star of a composite object takes member Int(U x Count) as its type; a plain object
// gives its own type without a draw.
TEST(ChooseStarType, CompositeStarsTakeARandomMember) {
    Placement p;
    p.f.composites[5].Count = 3;
    p.f.composites[5].Members = {4, 9, 20, 31};
    RuntimeArrays a;
    a.Allocate(2, 1, 2, 0);
    a.GalType = {32 + 5, 6};
    a.StarGalaxy = {0, 1};
    std::set<int16_t> types;
    for (int n = 0; n < 100; ++n) {
        p.Sync();
        const int16_t expected = p.f.composites[5].Members[static_cast<size_t>(p.U() * 3.0f)];
        ASSERT_EQ(ChooseStarType(p.f.ctx, a, 0), expected);
        types.insert(expected);
        const RandomSource before = p.f.ctx.Random;
        EXPECT_EQ(ChooseStarType(p.f.ctx, a, 1), 6);
        EXPECT_EQ(p.f.ctx.Random.Next(), RandomSource(before).Next());
    }
    EXPECT_EQ(types, (std::set<int16_t>{4, 9, 20}));
}

// The blend of the first visit step is w = (cos(t pi) + 1) / 2: from the previous object's
// rate 400 to the universe rate 0 it gives a quota of 400 w, which is whole rebirths here.
TEST(VisitBlend, FadesTheRebirthQuotaAlongACosine) {
    for (auto [t, rebirths] :
         {std::pair{0.0f, 4}, {1.0f / 3.0f, 3}, {0.5f, 2}, {2.0f / 3.0f, 1}, {1.0f, 0}}) {
        EngineFixture f;
        f.types[0].NewFreq = 400;
        f.types[0].CometFreq = 0;
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
    EXPECT_EQ(NewStarQuota(f.ctx, a, FrameInfo{1, 32000, 0, 1, true, PreviewKind::Galaxy}), 500);
    const struct {
        int16_t g, s;
        float w;
        bool visiting;
        int16_t quota;
    } rows[] = {{1, 1, 1.0f, true, 100},  {1, 1, 0.0f, true, 300}, {2, 1, 0.25f, true, 350},
                {2, 2, 1.0f, true, 300},  {2, 2, 0.5f, true, 600}, {2, 3, 1.0f, true, 900},
                {2, 3, 1.0f, false, 300}, {0, 1, 1.0f, true, 300}};
    for (const auto& c : rows) {
        const FrameInfo fr{c.g, c.s, 0.0f, c.w, c.visiting, PreviewKind::None};
        EXPECT_EQ(NewStarQuota(f.ctx, a, fr), c.quota) << c.g << "." << c.s << " w " << c.w;
    }
}

// Q = 120 gives 2 with chance 0.2, else 1; Q = 30 gives 1 with chance 0.3, else 0. Only
// idle stars older than the trail are marked, for T + 1 frames.
TEST(Rebirths, CountsFollowTheExamplesAndOnlyIdleOldStarsAreChosen) {
    for (auto [quota, low, share] : {std::tuple{120, 1, 0.8}, {30, 0, 0.7}, {75, 1, 0.25}, {0, 0, 1.0}}) {
        RandomSource r(12345);
        int atLow = 0;
        for (int k = 0; k < 100000; ++k) {
            const int32_t n = RebirthCount(r, static_cast<int16_t>(quota));
            ASSERT_TRUE(n == low || n == low + 1) << quota;
            atLow += n == low;
        }
        EXPECT_NEAR(atLow / 100000.0, share, 0.006) << quota;
    }
    EngineFixture f;
    RuntimeArrays a;
    a.Allocate(5, 3, 1, 0);
    a.StarAge = {4, 3, 10, 10, 10};  // star 1 is too young
    a.StarNewLeft[2] = 1;            // star 2 is sparkling, star 4 a nova
    a.StarNovaLeft[4] = 1;
    for (int k = 0; k < 200; ++k) SelectRebirths(f.ctx, a, 400);
    EXPECT_EQ(a.StarRebirthWait, (std::vector<int16_t>{4, 0, 0, 4, 0}));
}

// One galaxy of type 0 with busy comets; three objects at distinct places.
struct Comets {
    explicit Comets(float sparklePersist, float wind = 300, float speed = 150) {
        f.types[0].CometFreq = 9999;
        f.types[0].CometStars = 40;
        f.types[0].CometCPersist = 0.9999f;
        f.types[0].CometSPersist = sparklePersist;
        f.types[0].CometSWind = wind;
        f.types[0].CometSpeed = speed;
        ScaleTypeTable(f.types);
        a.Allocate(10, 1, 3, 0);
        a.GalType = {0, 0, 0};
        a.GalViewX = {0.0f, 1.0f, -1.0f};
        a.GalViewZ = {5.0f, 6.0f, 7.0f};
        f.ctx.Settings.Universe_GPCtrl = 1;
        f.ctx.CurrentGalType = 0;
        ResetEventBuffer(f.ctx, a, 1);
    }
    void Frames(int n, int16_t s, int16_t g, PreviewKind preview = PreviewKind::None) {
        for (int k = 0; k < n; ++k) UpdateComets(f.ctx, a, FrameInfo{g, s, 0, 1, true, preview});
    }
    int Live() const { return std::accumulate(a.CometLive.begin(), a.CometLive.end(), 0); }
    EngineFixture f;
    RuntimeArrays a;
};

// Particles are drawn around object g - 1 on the first step of a visit, around object g
// later, and around object 0 in the galaxy preview.
TEST(Comets, DrawnAroundTheVisitedOrThePreviousObject) {
    const struct {
        int16_t s, g;
        PreviewKind preview;
        size_t centre;
    } cases[] = {{1, 2, PreviewKind::None, 1}, {4, 2, PreviewKind::None, 2}, {4, 2, PreviewKind::Galaxy, 0}};
    for (const auto& c : cases) {
        Comets comets(1.0f);
        comets.Frames(5, 3, 1);
        ASSERT_GT(comets.Live(), 0);
        comets.Frames(1, c.s, c.g, c.preview);
        const RuntimeArrays& a = comets.a;
        int checked = 0;
        for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
            if (a.EvtPixelDrawn[p] == 0) continue;
            PixelPoint px;
            ASSERT_TRUE(ProjectPoint(comets.f.ctx.Geometry, a.ParticleX[p] + a.GalViewX[c.centre],
                                     a.ParticleY[p] + a.GalViewY[c.centre],
                                     a.ParticleZ[p] + a.GalViewZ[c.centre], px));
            EXPECT_EQ(a.EvtPixelX[p], px.x) << p;
            EXPECT_EQ(a.EvtPixelY[p], px.y) << p;
            ++checked;
        }
        EXPECT_GT(checked, 50);
    }
}

// A strong solar wind over a slow spray: every particle leaves the head at about the
// wind's speed, straight away from the galaxy centre (and moves on once in its first frame).
TEST(Comets, TheSolarWindBlowsAwayFromTheCentre) {
    Comets comets(1.0f, 9999, 1);
    comets.Frames(1, 3, 0);
    const RuntimeArrays& a = comets.a;
    const float wind = comets.f.types[0].CometSWind;
    int checked = 0;
    for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
        if (a.EvtPixelDrawn[p] == 0) continue;
        const Vec3 v{a.ParticleVX[p], a.ParticleVY[p], a.ParticleVZ[p]};
        const Vec3 head{a.ParticleX[p] - 2 * v.x, a.ParticleY[p] - 2 * v.y, a.ParticleZ[p] - 2 * v.z};
        const float h = std::hypot(head.x, head.y, head.z);
        EXPECT_NEAR(v.x, head.x / h * wind, 2e-5);
        EXPECT_NEAR(v.y, head.y / h * wind, 2e-5);
        EXPECT_NEAR(v.z, head.z / h * wind, 2e-5);
        ++checked;
    }
    EXPECT_EQ(checked, 40);
}

// While a comet emits, a particle that does not persist is re-emitted at the head with
// age 0 and not drawn; the others move, are drawn and age by 2. Outside the core every
// comet stops emitting, and then its particles die out.
TEST(Comets, ReEmittedParticlesStartYoungAndCometsStopOutsideTheCore) {
    Comets comets(0.5f);
    RuntimeArrays& a = comets.a;
    comets.Frames(3, 3, 0);
    ASSERT_GT(comets.Live(), 0);
    comets.f.types[0].CometFreq = 0;  // no new comets: every new velocity is a re-emission
    for (int frame = 0; frame < 5; ++frame) {
        const std::vector<float> velocity = a.ParticleVX;
        const std::vector<int16_t> age = a.ParticleAge;
        const std::vector<int32_t> pixel = a.EvtPixelX;
        comets.Frames(1, 3, 0);
        int reEmitted = 0;
        for (size_t p = 0; p < static_cast<size_t>(kCometParticles); ++p) {
            if (a.EvtPixelDrawn[p] == 0) continue;
            if (a.ParticleVX[p] != velocity[p]) {
                ++reEmitted;
                EXPECT_EQ(a.ParticleAge[p], 0) << p;
                EXPECT_EQ(a.EvtPixelX[p], pixel[p]) << p;
            } else {
                EXPECT_EQ(a.ParticleAge[p], age[p] + 2) << p;
            }
        }
        EXPECT_GT(reEmitted, 5);
    }
    comets.Frames(1, 2, 0);  // the first core step is still outside
    for (int16_t active : a.CometActive) EXPECT_EQ(active, 0);
    comets.Frames(40, 2, 0);
    EXPECT_EQ(comets.Live(), 0);
    EXPECT_EQ(testing::LitPixels(comets.f.surface), 0);
}

// Comets start only beyond the first core step, and a reset erases them all.
TEST(Comets, StartOnlyInTheCoreAndVanishOnReset) {
    Comets comets(0.9f);
    EXPECT_EQ(comets.a.EvtSlotStride, 2500 / 40);
    comets.Frames(20, 2, 0);
    EXPECT_EQ(comets.Live(), 0);
    comets.Frames(10, 3, 0);
    EXPECT_GT(comets.Live(), 0);
    EXPECT_GT(testing::LitPixels(comets.f.surface), 0);
    ResetEventBuffer(comets.f.ctx, comets.a, 0);
    EXPECT_EQ(testing::LitPixels(comets.f.surface), 0);
    EXPECT_EQ(comets.Live(), 0);
    for (auto [stars, slots] : {std::pair{999, 2}, {10, 100}, {50, 50}, {0, 100}}) {
        EXPECT_EQ(CometSlotCount(static_cast<int16_t>(stars)), slots) << stars;
    }
}

// A nova grows by (total - left + 1)^0.6375: its outer pixel (-16, 0) lies 16 e K left of
// the centre for e = 0.25 pixels.
TEST(NovaBurst, GrowsAsItAges) {
    for (auto [left, offset] : {std::pair{10, 4}, {9, 6}, {3, 15}, {1, 17}}) {
        EngineFixture f(200, 200);
        DrawNovaBurst(f.ctx, 0.0f, 0.0f, 1.0f, static_cast<int16_t>(left), kWhite, 10, 0.25f);
        EXPECT_EQ(f.surface.GetPixel(100 - offset, 100), kWhite) << left;
        EXPECT_EQ(f.surface.GetPixel(100, 100 + offset), kWhite) << left;
    }
}

}  // namespace
}  // namespace astrelle
