// Geometry, rotation into view space, projection and the dot patterns.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/projection.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
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

TEST(Geometry, CentresRoundHalvesToEvenAndFocalLengthIsHeld) {
    EngineGeometry g;
    ComputeGeometry(g, 1023, 601, 2.0f, 3);
    EXPECT_EQ(g.CenterX, 512);
    EXPECT_EQ(g.CenterY, 300);
    EXPECT_FLOAT_EQ(g.CenterXFocal, 1024.0f);
    EXPECT_FLOAT_EQ(g.AspectHW, 601.0f / 1023.0f);
    ComputeGeometry(g, 1025, 600, 0.0f, 12);
    EXPECT_EQ(g.CenterX, 512);
    EXPECT_FLOAT_EQ(g.FocalLength, 0.01f);
    EXPECT_FLOAT_EQ(g.InvFocalLength, 100.0f);
    EXPECT_EQ(g.PixelSize, 9);
    ComputeGeometry(g, 0, 0, 1.0f, 1);  // an empty surface is not a division by zero
    EXPECT_EQ(g.AspectHW, 0.0f);
}

TEST(Projection, KnownPointsAndHalvesToEven) {
    EngineGeometry g;
    ComputeGeometry(g, 800, 600, 1.0f, 1);
    PixelPoint p;
    ASSERT_TRUE(ProjectPoint(g, 1, 1, 2, p));
    EXPECT_EQ(p.x, 600);
    EXPECT_EQ(p.y, 450);
    for (float z : {0.0011f, 1.0f, 5000.0f}) {
        ASSERT_TRUE(ProjectPoint(g, 0, 0, z, p));
        EXPECT_EQ(p.x, 400);
        EXPECT_EQ(p.y, 300);
    }
    // CenterX 401 and focal length 0.5 put exact halves on the screen: 601.5 and 200.5.
    ComputeGeometry(g, 802, 600, 0.5f, 1);
    ASSERT_TRUE(ProjectPoint(g, 3, 0, 3, p));
    EXPECT_EQ(p.x, 602);
    ASSERT_TRUE(ProjectPoint(g, -3, 0, 3, p));
    EXPECT_EQ(p.x, 200);
}

TEST(Projection, CoordinatesBeyond32BitsAreNeitherStoredNorDrawn) {
    EngineGeometry g;
    ComputeGeometry(g, 800, 600, 1.0f, 1);
    PixelPoint p{7, 9};
    EXPECT_FALSE(ProjectPoint(g, 1e9f, 0, 0.0011f, p));
    EXPECT_FALSE(ProjectPoint(g, 0, -1e9f, 0.0011f, p));
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
}

TEST(Rotation, EdgeOnFaceOnAndTheQuarterTurnedPlane) {
    // Spin 0: the galaxy is edge-on, heights point up the screen.
    Vec3 v = RotateStar(2.0f, 0.0f, 0.5f, 0.0f, 1.0f, 0, 1.0f, 2.0f, 10.0f);
    EXPECT_FLOAT_EQ(v.x, 3.0f);
    EXPECT_FLOAT_EQ(v.y, 1.5f);
    EXPECT_FLOAT_EQ(v.z, 10.0f);
    v = RotateStar(2.0f, kPi / 2, 0.0f, 0.0f, 1.0f, 0, 0, 0, 10.0f);
    EXPECT_NEAR(v.z, 12.0f, 1e-5);  // the orbit runs along the depth axis
    // Spin pi/2: face-on, the orbit lies in the screen plane and heights point at the viewer.
    v = RotateStar(2.0f, kPi / 2, 0.5f, 1.0f, 0.0f, 0, 0, 0, 10.0f);
    EXPECT_NEAR(v.y, 2.0f, 1e-5);
    EXPECT_NEAR(v.z, 10.5f, 1e-5);
    // Axis planes 1 and 2 both turn the orbit plane a quarter turn about the depth axis.
    const Vec3 a0 = RotateStar(2.0f, 0.3f, 0.7f, 0.6f, 0.8f, 0, 0, 0, 10.0f);
    for (int16_t plane : {1, 2}) {
        const Vec3 a1 = RotateStar(2.0f, 0.3f, 0.7f, 0.6f, 0.8f, plane, 0, 0, 10.0f);
        EXPECT_FLOAT_EQ(a1.x, a0.y);
        EXPECT_FLOAT_EQ(a1.y, a0.x);
        EXPECT_FLOAT_EQ(a1.z, a0.z);
    }
}

TEST(PlotPixel, PatternsFillRowByRowTwoWideUpToFourThenThreeWide) {
    const Pixels expected[] = {
        {},
        {},
        {{11, 20}, {10, 20}},
        {{10, 20}, {11, 20}, {10, 21}},
        {{10, 20}, {11, 20}, {10, 21}, {11, 21}},
        {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}},
        {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}},
        {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}, {10, 22}},
        {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}, {10, 22}, {11, 22}},
        {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}, {10, 22}, {11, 22}, {12, 22}},
    };
    for (int16_t size = 0; size <= 10; ++size) {
        PixelSurface s(64, 64);
        PlotPixel(s, size, 10, 20, 0x0000FFu);
        EXPECT_EQ(LitSet(s), size <= 9 ? expected[size] : Pixels{}) << size;
        EXPECT_EQ(s.GetPixel(10, 20), size >= 2 && size <= 9 ? 0x0000FFu : 0u);
    }
}

TEST(PlotPixel, DotsAtTheEdgeOfTheRangeAreClippedSilently) {
    PixelSurface s(8, 8);
    PlotPixel(s, 9, INT32_MAX, INT32_MAX, 0xFFFFFFu);
    PlotPixel(s, 9, -2, -2, 0xFFFFFFu);
    EXPECT_EQ(LitSet(s), (Pixels{{0, 0}}));
}

}  // namespace
}  // namespace astrelle

namespace astrelle {
namespace {

// The rounding fast paths (float for projections, double for sparkle pixels) agree with
// nearbyint, which rounds halves to even, on both sides of their limits.
TEST(Projection, RoundingFastPathsMatchHalvesToEven) {
    RandomSource random(5);
    for (int k = 0; k < 100000; ++k) {
        const double scale = k % 3 == 0 ? 1000.0 : (k % 3 == 1 ? 6.0e6 : 2.1e9);
        double v = (random.Next() * 2.0 - 1.0) * scale;
        if (k % 2 == 0) v = std::floor(v) + 0.5;  // exact halves
        const double expected = std::nearbyint(v);
        int32_t viaDouble = 0;
        ASSERT_TRUE(TryRoundToInt32(v, viaDouble));
        ASSERT_EQ(viaDouble, expected) << v;
        const float f = static_cast<float>(v);
        int32_t viaFloat = 0;
        if (std::fabs(f) < 2.0e9f) {
            ASSERT_TRUE(TryRoundToInt32(f, viaFloat));
            ASSERT_EQ(viaFloat, std::nearbyint(static_cast<double>(f))) << f;
        }
    }
    int32_t out = 17;
    EXPECT_FALSE(TryRoundToInt32(3.0e9f, out));
    EXPECT_FALSE(TryRoundToInt32(NAN, out));
    EXPECT_EQ(out, 17);
    ASSERT_TRUE(TryRoundToInt32(-4194303.5f, out));
    EXPECT_EQ(out, -4194304);
}

}  // namespace
}  // namespace astrelle

namespace astrelle {
namespace {

// The star loop writes through a Writer; it must clip and mark tiles exactly as SetPixel.
TEST(PixelSurfaceWriter, ClipsAndMarksDirtyTilesLikeSetPixel) {
    PixelSurface direct(200, 130);
    PixelSurface viaWriter(200, 130);
    auto clean = [](PixelSurface& s) { s.TakeDirtyTiles([](int, int, int, int) {}); };
    clean(direct);
    clean(viaWriter);
    const PixelSurface::Writer w = viaWriter.BeginWrites();
    const int points[][2] = {{0, 0}, {199, 129}, {200, 5}, {-1, 5}, {70, 64}, {5, 130}, {130, 100}};
    for (const auto& p : points) {
        direct.SetPixel(p[0], p[1], 0x123456u);
        w.SetPixel(p[0], p[1], 0x123456u);
    }
    for (int y = 0; y < 130; ++y) {
        for (int x = 0; x < 200; ++x) ASSERT_EQ(direct.GetPixel(x, y), viaWriter.GetPixel(x, y));
    }
    for (int ty = 0; ty < direct.TilesY(); ++ty) {
        for (int tx = 0; tx < direct.TilesX(); ++tx)
            EXPECT_EQ(direct.TileDirty(tx, ty), viaWriter.TileDirty(tx, ty));
    }
    EXPECT_TRUE(viaWriter.AnyDirty());
}

}  // namespace
}  // namespace astrelle
