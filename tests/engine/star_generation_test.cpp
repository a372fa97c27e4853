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

// The envelopes for R = 1: standard (0), top-like (1), ball (2), double cone (3), spike over
// a thin disc (4), bowl (5), ring with a hollow core (6); unknown profiles give 0.
TEST(ProfileEnvelope, EveryShapeForRadiusOneAndScaledWithTheRadius) {
    // clang-format off
    const struct {
        int16_t profile;
        double r, e, tolerance;
    } cases[] = {
        {0, 0, 1.0, 1e-9},     {0, 0.25, 0.700, 1e-3}, {0, 0.5, 0.4, 1e-9},   {0, 0.75, 0.346, 1e-3},
        {0, 1, 0, 1e-9},       {1, 0, 1.0, 1e-9},      {1, 0.1, 0.75, 1e-9},  {1, 0.5, 0.289, 1e-3},
        {1, 0.75, 0.25, 1e-9}, {1, 1, 0, 1e-9},        {2, 0.6, 0.8, 1e-9},   {3, 0.25, 0.75, 1e-9},
        {3, 1.0, 0.0, 1e-9},   {4, 0.5, 0.134, 1e-3},  {4, 0, 1, 1e-9},       {5, 0.5, 0.134, 1e-3},
        {5, 1.0, 1.0, 1e-9},   {6, 0.5, 0.866, 1e-3},  {6, 1e-6, 0.0, 2e-3},  {7, 0.5, 0, 0},
        {-1, 0.5, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_NEAR(ProfileEnvelope(c.profile, c.r, 1.0), c.e, c.tolerance) << c.profile << " " << c.r;
    }
    // Every shape scales with the radius.
    for (int16_t p = 0; p <= 6; ++p) {
        EXPECT_NEAR(ProfileEnvelope(p, 1.5, 5.0), 5.0 * ProfileEnvelope(p, 0.3, 1.0), 1e-6) << p;
    }
}

TEST(ProfileEnvelope, RadiusJustBeyondTheRimGivesZeroNotNaN) {
    const float R = 0.01f;
    const float r = std::nextafter(R, 1.0f);
    for (int16_t p : {0, 1, 2, 5, 6}) EXPECT_FALSE(std::isnan(ProfileEnvelope(p, r, R))) << p;
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
    a.Allocate(100, 1, 1, 0);
    GalaxyTypeRecord& row = f.types[2];
    auto generate = [&] {
        for (int32_t i = 0; i < 100; ++i) GenerateStar(f.ctx, a, i, 2, 0.0f);
    };
    row.GHWRatio = 0.0f;
    generate();
    for (float h : a.StarHeight) EXPECT_EQ(h, 0.0f);
    row.GHWRatio = 1.0f;
    row.HeightExp = 0.0f;
    row.Profile = 2;  // a hollow ball: every height is the full envelope
    generate();
    for (size_t s = 0; s < 100; ++s) {
        EXPECT_NEAR(std::fabs(a.StarHeight[s]), ProfileEnvelope(2, a.StarRadius[s], row.Radius), 1e-5);
    }
    row.Rotation = 0.0f;
    generate();
    for (float w : a.StarAngVel) EXPECT_EQ(w, 0.0f);
}

float Length(const Vec3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

TEST(RandomPoints, BallShellAndSphere) {
    EngineFixture f;
    f.ctx.Geometry.AspectHW = 1.0f;
    for (int k = 0; k < 500; ++k) {
        EXPECT_LE(Length(RandomInBall(f.ctx.Random, 3.0f)), 3.0f);
        EXPECT_NEAR(Length(RandomInShellBlend(f.ctx, 3.0f, 1.0f)), 3.0, 1e-4);
        EXPECT_NEAR(Length(RandomOnSphere(f.ctx, 2.0f)), 2.0, 1e-3);
    }
    // Degenerate radii end the rejection loop instead of spinning for ever.
    EXPECT_EQ(Length(RandomInBall(f.ctx.Random, 0.0f)), 0.0f);
    EXPECT_LE(Length(RandomInBall(f.ctx.Random, -2.0f)), 2.0f);
    RandomInBall(f.ctx.Random, NAN);
}

TEST(RandomPoints, PlaceInUniverseOnTheRimAndInsideTheDisc) {
    EngineFixture f;
    f.ctx.Geometry.AspectHW = 1.0f;
    f.ctx.Settings.Universe_HWRatio = 1.0f;
    f.ctx.Settings.Universe_Profile = 2;
    for (int k = 0; k < 200; ++k) EXPECT_NEAR(Length(PlaceInUniverse(f.ctx, 10.0f, 1.0f)), 10.0, 0.01);
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
