// Drawing primitives and their numbers: geometry, projection, dot patterns, the surface's
// writer, sparkles and novas, colours, the trigonometry and the random source. Their edge
// cases mostly lie outside what the reference runs reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/colour.h"
#include "engine/fast_trig.h"
#include "engine/projection.h"
#include "engine/star_events.h"
#include "engine/trig_tables.h"
#include "engine_test_support.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitPixels;
using testing::LitSet;
using testing::Pixels;

// Centres round halves to even; the focal length is held to 0.01..9999 and the pixel size
// to 1..9; an empty surface has no aspect instead of a division by zero.
TEST(Geometry, CentresFocalLengthPixelSizeAndAspect) {
    const struct {
        int w, h;
        float focal;
        int16_t pixel;
        int32_t cx, cy;
        float usedFocal;
        int16_t usedPixel;
        float aspect;
    } cases[] = {{1023, 601, 2.0f, 3, 512, 300, 2.0f, 3, 601.0f / 1023.0f},
                 {1025, 600, 0.0f, 12, 512, 300, 0.01f, 9, 600.0f / 1025.0f},
                 {800, 600, 20000.0f, 0, 400, 300, 9999.0f, 1, 0.75f},
                 {0, 0, NAN, 1, 0, 0, 0.01f, 1, 0.0f}};
    for (const auto& c : cases) {
        EngineGeometry g;
        ComputeGeometry(g, c.w, c.h, c.focal, c.pixel);
        EXPECT_EQ(g.CenterX, c.cx) << c.w;
        EXPECT_EQ(g.CenterY, c.cy) << c.w;
        EXPECT_EQ(g.FocalLength, c.usedFocal) << c.w;
        EXPECT_FLOAT_EQ(g.InvFocalLength, 1.0f / c.usedFocal) << c.w;
        EXPECT_FLOAT_EQ(g.CenterXFocal, c.cx * c.usedFocal) << c.w;
        EXPECT_FLOAT_EQ(g.CenterYFocal, c.cy * c.usedFocal) << c.w;
        EXPECT_EQ(g.PixelSize, c.usedPixel) << c.w;
        EXPECT_FLOAT_EQ(g.AspectHW, c.aspect) << c.w;
    }
}

TEST(Projection, KnownPointsHalvesToEvenAndCoordinatesBeyond32Bits) {
    EngineGeometry g;
    ComputeGeometry(g, 802, 600, 0.5f, 1);  // CenterX 401: x = 3 / 3 x 200.5 + 401 = 601.5
    PixelPoint p;
    ASSERT_TRUE(ProjectPoint(g, 3, 1.5f, 3, p));
    EXPECT_EQ(p.x, 602);
    EXPECT_EQ(p.y, 375);
    ASSERT_TRUE(ProjectPoint(g, -3, 0, 3, p));
    EXPECT_EQ(p.x, 200);
    EXPECT_FALSE(ProjectPoint(g, 1e9f, 0, 0.0011f, p));
    EXPECT_FALSE(ProjectPoint(g, 0, -1e9f, 0.0011f, p));
    EXPECT_EQ(p.x, 200);  // untouched
    EXPECT_EQ(p.y, 300);
    // Spin 0 is edge-on, heights point up the screen; axis planes 1 and 2 turn the orbit
    // plane a quarter turn about the depth axis.
    const Vec3 v = RotateStar(2.0f, 0.0f, 0.5f, 0.0f, 1.0f, 0, 1.0f, 2.0f, 10.0f);
    EXPECT_FLOAT_EQ(v.x, 3.0f);
    EXPECT_FLOAT_EQ(v.y, 1.5f);
    const Vec3 a0 = RotateStar(2.0f, 0.3f, 0.7f, 0.6f, 0.8f, 0, 0, 0, 10.0f);
    for (int16_t plane : {1, 2}) {
        const Vec3 a1 = RotateStar(2.0f, 0.3f, 0.7f, 0.6f, 0.8f, plane, 0, 0, 10.0f);
        EXPECT_EQ(a1.x, a0.y);
        EXPECT_EQ(a1.y, a0.x);
        EXPECT_EQ(a1.z, a0.z);
    }
}

// Size 2 is two pixels wide, 3 and 4 fill a 2 x 2 block row by row, 5 to 9 a 3 x 3 block;
// others draw nothing. Pixels outside are dropped silently.
TEST(PlotPixel, PatternsRowByRowAndClippedSilently) {
    const int cells[][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    for (int16_t size = 0; size <= 10; ++size) {
        PixelSurface s(64, 64);
        PlotPixel(s, size, 10, 20, 0x0000FFu);
        Pixels expected;
        for (int k = 0; k < (size >= 2 && size <= 9 ? size : 0); ++k) {
            const int* cell = cells[k];
            if (size <= 4) cell = k == 2 ? cells[3] : (k == 3 ? cells[4] : cells[k]);
            expected.insert({10 + cell[0], 20 + cell[1]});
        }
        EXPECT_EQ(LitSet(s), expected) << size;
    }
    PixelSurface s(8, 8);
    PlotPixel(s, 9, INT32_MAX, INT32_MAX, 0xFFFFFFu);
    PlotPixel(s, 9, -2, -2, 0xFFFFFFu);
    EXPECT_EQ(LitSet(s), (Pixels{{0, 0}}));
}

// The star loop writes through a Writer; it must clip and mark tiles exactly as SetPixel.
TEST(PixelSurfaceWriter, ClipsAndMarksDirtyTilesLikeSetPixel) {
    PixelSurface direct(200, 130);
    PixelSurface viaWriter(200, 130);
    for (PixelSurface* s : {&direct, &viaWriter}) s->TakeDirtyTiles([](int, int, int, int) {});
    const PixelSurface::Writer w = viaWriter.BeginWrites();
    for (auto [x, y] : {std::pair{0, 0}, {199, 129}, {200, 5}, {-1, 5}, {70, 64}, {5, 130}, {130, 100}}) {
        direct.SetPixel(x, y, 0x123456u);
        w.SetPixel(x, y, 0x123456u);
    }
    EXPECT_EQ(LitSet(direct), LitSet(viaWriter));
    EXPECT_EQ(viaWriter.GetPixel(70, 64), 0x123456u);
    for (int ty = 0; ty < direct.TilesY(); ++ty) {
        for (int tx = 0; tx < direct.TilesX(); ++tx)
            EXPECT_EQ(direct.TileDirty(tx, ty), viaWriter.TileDirty(tx, ty));
    }
    EXPECT_TRUE(viaWriter.AnyDirty());
}

Pixels Sparkle(int16_t left, int16_t total, float z = 1.0f) {
    EngineFixture f(200, 200);
    DrawNewStarBurst(f.ctx, 100, 100, z, left, total, 1.0f, kWhite);
    return LitSet(f.surface);
}

// With depth and extension 1 a ring k lies k pixels from the centre: q = 0.1 the
// horizontal ring 1, q = 0.7 an axis ring at 14 and the diagonal 4, the full sparkle the
// wide rings. At an extension of 1/32 or less it is one pixel whatever the band.
TEST(NewStarBurst, EachBandDrawsItsRings) {
    const size_t counts[] = {1, 3, 5, 7, 9, 13, 17, 21, 25, 33, 33};
    for (int16_t left = 0; left <= 10; ++left) EXPECT_EQ(Sparkle(left, 10).size(), counts[left]) << left;
    EXPECT_EQ(Sparkle(1, 10), (Pixels{{100, 100}, {99, 100}, {101, 100}}));
    const Pixels q7 = Sparkle(7, 10);
    EXPECT_TRUE(q7.count({114, 100}) && q7.count({96, 96}) && !q7.count({116, 100}));
    const Pixels full = Sparkle(5, 5);
    for (auto p : {std::pair{84, 100}, {116, 100}, {100, 116}, {93, 107}, {89, 89}, {68, 100}, {100, 132}}) {
        EXPECT_TRUE(full.count(p)) << p.first << "," << p.second;
    }
    EXPECT_EQ(Sparkle(10, 10, 32.0f), (Pixels{{100, 100}}));
    EXPECT_GT(Sparkle(10, 10, 31.0f).size(), 1u);
}

// At most 97 pixels, erased by the same call in black; layers at or behind the viewer
// are left out; a tiny nova is its centre.
TEST(NovaBurst, AtMost97PixelsAndLayersBehindTheViewerLeftOut) {
    EngineFixture f(1000, 1000);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, kWhite, 5, 1.0f);
    EXPECT_EQ(LitPixels(f.surface), 97);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, 0, 5, 1.0f);
    EXPECT_EQ(LitPixels(f.surface), 0);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.05f, 10, kWhite, 10, 0.5f);  // z - 0.1 ext <= 0
    EXPECT_EQ(LitPixels(f.surface), 1 + 32 + 20 + 12);
    EngineFixture g(1000, 1000);
    DrawNovaBurst(g.ctx, 0.0f, 0.0f, 100.0f, 10, kWhite, 10, 0.001f);
    EXPECT_EQ(LitSet(g.surface), (Pixels{{500, 500}}));
}

// Nova frames after the first run through the type's ramp; 12.5 % rounds to the even 12,
// and a long nova stops at the last entry.
TEST(NovaColour, RunsThroughTheTypeRampAndStopsAtItsLastEntry) {
    EngineFixture f;
    const uint32_t* ramp = f.ctx.GalaxyRamp(3);
    EXPECT_EQ(NovaColour(f.ctx, 3, 25, 24), ramp[4]);
    EXPECT_EQ(NovaColour(f.ctx, 3, 8, 7), ramp[12]);
    EXPECT_EQ(NovaColour(f.ctx, 3, 999, 1), ramp[99]);
}

TEST(HueColor, KnownHuesAndHuesOffTheWheel) {
    // 30 gives 154, not 155: the constant is 0.0166666, not 1/60.
    const struct {
        int16_t hue;
        int r, g, b;
    } rows[] = {{0, 255, 55, 55},   {30, 255, 154, 55},  {59, 255, 251, 55},
                {60, 255, 255, 55}, {120, 55, 255, 55},  {180, 55, 255, 255},
                {240, 55, 55, 255}, {300, 255, 55, 255}, {359, 255, 55, 58}};
    for (const auto& c : rows) EXPECT_EQ(HueColor(c.hue), PackColour(c.r, c.g, c.b)) << c.hue;
    for (int16_t off : {360, 999, -1}) EXPECT_EQ(HueColor(off), 0u) << off;
}

// Type 0: the full wheel; 1: blend 0 held to 1 (a sixty never leaves its first colour);
// 2: blend 10, a sawtooth every 10 positions; 3: base 100, all white; 4: base 20 and no
// red (base 51, k = 2.04).
TEST(BuildHueTable, WheelBaseStrengthsAndBlendOfEachType) {
    EngineFixture f;
    f.types[1].HueBlend = 0;
    f.types[2].HueBlend = 10;
    f.types[3].HueBase = 100;
    f.types[4].HueRed = 0;
    f.types[4].HueBase = 20;
    BuildHueTable(f.ctx);
    const struct {
        int hue, type, r, g, b;
    } rows[] = {{30, 0, 255, 127, 0}, {90, 0, 127, 255, 0}, {200, 0, 0, 169, 255}, {359, 0, 255, 0, 4},
                {17, 1, 255, 0, 0},   {59, 1, 255, 0, 0},   {60, 1, 255, 255, 0},  {5, 2, 255, 127, 0},
                {10, 2, 255, 0, 0},   {65, 2, 127, 255, 0}, {0, 4, 51, 51, 51},    {60, 4, 51, 255, 51}};
    for (const auto& c : rows)
        EXPECT_EQ(f.ctx.HueAt(c.hue, c.type), PackColour(c.r, c.g, c.b)) << c.type << " " << c.hue;
    for (int p = 0; p < 360; p += 7) EXPECT_EQ(f.ctx.HueAt(p, 3), kWhite) << p;
}

// White into the start hue at entry 24, a sweep at falling brightness, then a fade to
// nine hundredths of the end hue; halves round to even. -1 takes the stored universe hues.
TEST(BuildHueRamp, WhiteIntoTheStartHueThenASweepAndAFade) {
    std::array<uint32_t, kRampSize> ramp{};
    BuildHueRamp(ramp.data(), 30, 0);  // the sweep runs backwards: entry 60 is hue 15
    EXPECT_EQ(ramp[0], kWhite);
    EXPECT_EQ(ramp[12], PackColour(255, 204, 155));
    EXPECT_EQ(ramp[24], HueColor(30));
    EXPECT_EQ(ramp[60], ScaleColor(HueColor(15), 115.0f / 150.0f));
    EXPECT_EQ(ramp[94], ScaleColor(HueColor(0), 81.0f / 150.0f));
    EXPECT_EQ(ramp[99], PackColour(23, 5, 5));
    BuildHueRamp(ramp.data(), 420, 999);  // hues above the wheel wrap
    EXPECT_EQ(ramp[25], HueColor(60));
    EXPECT_EQ(ramp[99], ScaleColor(HueColor(279), 0.09f));
    EXPECT_EQ(ScaleColor(PackColour(5, 7, 255), 0.5f), PackColour(2, 4, 128));
    EngineFixture f;
    f.types[7].HWCStart = 300;
    f.types[7].HWCEnd = 120;
    BuildAllHueRamps(f.ctx, -1, 90, 30, 999);
    std::array<uint32_t, kRampSize> expected{};
    BuildHueRamp(expected.data(), 30, 90);
    EXPECT_EQ(f.ctx.UniverseHueRamp, expected);
    BuildHueRamp(expected.data(), 300, 120);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), f.ctx.GalaxyRamp(7)));
}

// Hue indices: 0: 100 x 0.25 x 10 + 7; 1: sqrt(16000) = 126.49; 2: |1 - d| x 100 + offset
// (d = 2.5 for r 3, h 4; 400 wraps to 40); 3: 2.25 x 100. 4 gives black; an unknown
// computation, a hue beyond 32 bits, the root of a negative and a negative index leave
// the colour as it was.
TEST(StarHue, EachComputationPicksItsHueIndexOrLeavesTheColour) {
    EngineFixture f;
    f.types[0].Radius = 2.0f;
    f.types[0].ColorMult = 100.0f;
    BuildHueTable(f.ctx);
    const struct {
        int16_t comp;
        float r, h, omega, offset;
        int hue;  // -1: black, -2: unchanged
    } rows[] = {{0, 1, 0, 0.25f, 7, 257}, {1, 1, 0, 0.16f, 0, 126}, {2, 0, 0, 0, 20, 120},
                {2, 3, 4, 0, 0, 150},     {3, 3, 4, 0, 0, 225},     {2, 0, 0, 0, 300, 40},
                {4, 1, 1, 1, 0, -1},      {5, 1, 1, 1, 0, -2},      {0, 1e-9f, 0, 1e12f, 0, -2},
                {1, 1, 0, -1.0f, 0, -2},  {0, 1, 0, -0.25f, 0, -2}};
    for (const auto& c : rows) {
        f.types[0].ColorComp = c.comp;
        uint32_t colour = 0x123456u;
        StarHue(f.ctx, 0, c.r, c.h, c.omega, c.offset, colour);
        EXPECT_EQ(colour, c.hue == -1 ? 0u : (c.hue == -2 ? 0x123456u : f.ctx.HueAt(c.hue, 0)))
            << c.comp << " " << c.hue;
    }
}

// The table angle is the running single-precision sum of pi/1000: by entry 500 it has
// drifted past pi/2, by entry 1000 past pi.
TEST(Trigonometry, TablesKernelAndTheBatchedLoopAgree) {
    const TrigTables& t = GetTrigTables();
    EXPECT_LT(t.CosTable[500], -5e-6f);
    EXPECT_GT(t.CosTable[500], -8e-6f);
    EXPECT_LT(t.SinTable[1000], -2.5e-5f);
    EXPECT_GT(t.SinTable[1000], -3.5e-5f);
    EXPECT_EQ(t.CosTable[0], 1.0f);
    EXPECT_NEAR(t.SinTable[250], 0.70710677f, 1e-5f);
    // Star angles are never reduced, so they grow large; above 1e5 a second reduction
    // takes over. Every result is the correctly rounded one but for rare ties, and the
    // vectorised loop (built for AVX2 and the baseline) gives exactly what SinCos gives.
    RandomSource random(11);
    std::vector<float> angle(20000), step(20000), sine(20000), cosine(20000);
    for (size_t k = 0; k < angle.size(); ++k) {
        const float scale = k < 10000 ? 7.0f : (k < 16000 ? 5000.0f : 1e9f);
        angle[k] = (random.Next() * 2.0f - 1.0f) * scale;
        step[k] = random.Next() * 0.1f;
    }
    SinCosOfSteppedAngles(angle.data(), step.data(), sine.data(), cosine.data(), angle.size());
    int off = 0;
    for (size_t k = 0; k < angle.size(); ++k) {
        float s = 0.0f;
        float c = 0.0f;
        const float x = angle[k] + step[k];
        SinCos(x, s, c);
        ASSERT_EQ(s, sine[k]) << x;
        ASSERT_EQ(c, cosine[k]) << x;
        const double es = std::sin(static_cast<double>(x));
        const double ec = std::cos(static_cast<double>(x));
        ASSERT_NEAR(s, es, 1.2e-7) << x;
        ASSERT_NEAR(c, ec, 1.2e-7) << x;
        off += (s != static_cast<float>(es)) + (c != static_cast<float>(ec));
    }
    EXPECT_LE(off, 4);
    float s = 0.0f;
    float c = 0.0f;
    SinCos(NAN, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c));
}

TEST(RandomSource, UniformMultiplesOf2ToTheMinus24AndReproducibleBySeed) {
    RandomSource a(4711);
    RandomSource b(4711);
    double sum = 0;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 200000; ++i) {
        const float v = a.Next();
        ASSERT_EQ(v, b.Next());
        ASSERT_TRUE(v >= 0.0f && v < 1.0f && v * 16777216.0f == std::floor(v * 16777216.0f)) << v;
        sum += v;
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_NEAR(sum / 200000, 0.5, 0.003);
    EXPECT_LT(lowest, 1e-4f);
    EXPECT_GT(highest, 1.0f - 1e-4f);
    RandomSource again(4711);
    RandomSource other(4712);
    EXPECT_EQ(again.Next(), RandomSource(4711).Next());
    EXPECT_NE(RandomSource(0).NextU32(), other.NextU32());
}

}  // namespace
}  // namespace astrelle
