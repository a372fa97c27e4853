// Height envelopes, star placement and the random-point rules, including the order in
// which they draw random numbers (a copy of the generator replays the expected draws).
#include <gtest/gtest.h>

#include <cmath>

#include "engine/frame_loop.h"
#include "engine/star_generation.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;

TEST(ProfileEnvelope, StandardAndTopLikeShapesForRadiusOne) {
    const std::pair<double, double> standard[] = {{0, 1.0}, {0.25, 0.700}, {0.5, 0.4}, {0.75, 0.346}, {1, 0}};
    for (auto [r, e] : standard) EXPECT_NEAR(ProfileEnvelope(0, r, 1.0), e, 0.001) << r;
    const std::pair<double, double> topLike[] = {{0, 1.0}, {0.1, 0.75}, {0.5, 0.289}, {0.75, 0.25}, {1, 0}};
    for (auto [r, e] : topLike) EXPECT_NEAR(ProfileEnvelope(1, r, 1.0), e, 0.001) << r;
}

TEST(ProfileEnvelope, OtherProfilesAndScaling) {
    EXPECT_NEAR(ProfileEnvelope(2, 0.6, 1.0), 0.8, 1e-9);    // ball
    EXPECT_NEAR(ProfileEnvelope(3, 0.25, 1.0), 0.75, 1e-9);  // double cone
    EXPECT_NEAR(ProfileEnvelope(3, 1.0, 1.0), 0.0, 1e-9);
    EXPECT_NEAR(ProfileEnvelope(4, 0.5, 1.0), 0.134, 0.001);  // spike over a thin disc
    EXPECT_NEAR(ProfileEnvelope(4, 0.0, 1.0), 1.0, 1e-9);
    EXPECT_NEAR(ProfileEnvelope(5, 0.5, 1.0), 0.134, 0.001);  // bowl
    EXPECT_NEAR(ProfileEnvelope(5, 1.0, 1.0), 1.0, 1e-9);
    EXPECT_NEAR(ProfileEnvelope(6, 0.5, 1.0), 0.866, 0.001);  // ring with a hollow core
    EXPECT_NEAR(ProfileEnvelope(6, 1e-6, 1.0), 0.0, 0.002);
    EXPECT_EQ(ProfileEnvelope(7, 0.5, 1.0), 0.0);
    EXPECT_EQ(ProfileEnvelope(-1, 0.5, 1.0), 0.0);
    // Every shape scales with the radius.
    for (int16_t p = 0; p <= 6; ++p) {
        EXPECT_NEAR(ProfileEnvelope(p, 1.5, 5.0), 5.0 * ProfileEnvelope(p, 0.3, 1.0), 1e-6) << p;
    }
}

TEST(ProfileEnvelope, RadiusJustBeyondTheRimGivesZeroNotNaN) {
    const float R = 0.01f;
    const float r = std::nextafter(R, 1.0f);
    for (int16_t p : {0, 1, 2, 5, 6}) {
        const double e = ProfileEnvelope(p, r, R);
        EXPECT_FALSE(std::isnan(e)) << p;
    }
    EXPECT_EQ(ProfileEnvelope(2, r, R), 0.0);
}

TEST(ProfileHeight, SignIsDrawnAfterTheEnvelopeAndHalfGivesZero) {
    RandomSource random(7);
    int above = 0;
    int below = 0;
    for (int k = 0; k < 2000; ++k) {
        RandomSource replay = random;
        const float sign = Sign(replay.Next() - 0.5f);
        const float h = ProfileHeight(random, 2, 0.6f, 1.0f);
        EXPECT_FLOAT_EQ(h, sign * 0.8f);
        (h > 0 ? above : below) += 1;
    }
    EXPECT_GT(above, 900);
    EXPECT_GT(below, 900);
}

class PlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.types[2] = testing::DefaultTypeRow();
        ScaleTypeTable(f.types);
    }
    EngineFixture f;
};

TEST_F(PlacementTest, PlaceStarDrawsRadiusThenSignThenHeight) {
    GalaxyTypeRecord& row = f.types[2];
    for (int k = 0; k < 200; ++k) {
        RandomSource replay = f.ctx.Random;
        const double u1 = replay.Next();
        const float sign = Sign(replay.Next() - 0.5f);
        const double u3 = replay.Next();
        const float r = static_cast<float>(row.Radius * std::pow(u1, row.RadiusExp) + 1e-9);
        const float h = static_cast<float>(
            std::pow(u3, row.HeightExp) *
            static_cast<float>(sign * ProfileEnvelope(row.Profile, r, row.Radius)) * row.GHWRatio);
        const RadiusHeight got = PlaceStar(f.ctx, 2);
        EXPECT_FLOAT_EQ(got.r, r);
        EXPECT_FLOAT_EQ(got.h, h);
        EXPECT_LE(got.r, row.Radius + 1e-6f);
    }
}

TEST_F(PlacementTest, FlatDiscsHollowShellsAndStandingGalaxies) {
    RuntimeArrays a;
    a.Allocate(400, 1, 1, 0);
    GalaxyTypeRecord& row = f.types[2];
    row.GHWRatio = 0.0f;
    for (int32_t i = 0; i < 100; ++i) GenerateStar(f.ctx, a, i, 2, 0.0f);
    for (int32_t i = 0; i < 100; ++i) EXPECT_EQ(a.StarHeight[static_cast<size_t>(i)], 0.0f);

    row.GHWRatio = 1.0f;
    row.HeightExp = 0.0f;
    row.Profile = 2;  // a hollow ball: every height is the full envelope
    for (int32_t i = 100; i < 200; ++i) {
        GenerateStar(f.ctx, a, i, 2, 0.0f);
        const size_t s = static_cast<size_t>(i);
        const double e = ProfileEnvelope(2, a.StarRadius[s], row.Radius);
        EXPECT_NEAR(std::fabs(a.StarHeight[s]), e, 1e-5);
    }

    row.Rotation = 0.0f;
    for (int32_t i = 200; i < 300; ++i) {
        GenerateStar(f.ctx, a, i, 2, 0.0f);
        EXPECT_EQ(a.StarAngVel[static_cast<size_t>(i)], 0.0f);
    }
}

TEST(RandomPoints, BallShellAndSphere) {
    EngineFixture f;
    f.ctx.Geometry.AspectHW = 1.0f;
    for (int k = 0; k < 500; ++k) {
        const Vec3 b = RandomInBall(f.ctx.Random, 3.0f);
        EXPECT_LE(std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z), 3.0f);
        const Vec3 s = RandomInShellBlend(f.ctx, 3.0f, 1.0f);
        EXPECT_NEAR(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), 3.0, 1e-4);
        const Vec3 o = RandomOnSphere(f.ctx, 2.0f);
        EXPECT_NEAR(std::sqrt(o.x * o.x + o.y * o.y + o.z * o.z), 2.0, 1e-3);
    }
    // Degenerate radii end the rejection loop instead of spinning for ever.
    const Vec3 zero = RandomInBall(f.ctx.Random, 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    const Vec3 negative = RandomInBall(f.ctx.Random, -2.0f);
    EXPECT_LE(std::sqrt(negative.x * negative.x + negative.y * negative.y + negative.z * negative.z), 2.0f);
    RandomInBall(f.ctx.Random, NAN);
}

TEST(RandomPoints, PlaceInUniverseOnTheRimAndInsideTheDisc) {
    EngineFixture f;
    f.ctx.Geometry.AspectHW = 1.0f;
    f.ctx.Settings.Universe_HWRatio = 1.0f;
    f.ctx.Settings.Universe_Profile = 2;
    for (int k = 0; k < 200; ++k) {
        const Vec3 p = PlaceInUniverse(f.ctx, 10.0f, 1.0f);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 10.0, 0.01);
    }
    f.ctx.Settings.Universe_Profile = 3;  // a double cone of radius 10
    f.ctx.Settings.Universe_HWRatio = 0.5f;
    for (int k = 0; k < 200; ++k) {
        const Vec3 p = PlaceInUniverse(f.ctx, 10.0f, 0.0f);
        const float rho = std::sqrt(p.x * p.x + p.z * p.z);
        EXPECT_LE(rho, 10.0f + 1e-4f);
        EXPECT_LE(std::fabs(p.y), 0.5f * (10.0f - rho) + 1e-3f);
    }
}

}  // namespace
}  // namespace astrelle
