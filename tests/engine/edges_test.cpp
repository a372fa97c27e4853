// The engine where the reference runs do not reach: geometry limits, coordinates beyond
// 32 bits, dot sizes, the surface's writer, tiny sparkles and novas, hues that cannot be
// formed, the vectorised trigonometry; pacing over the host, how runs end, the units of
// the type table, gravity's rhythm across runs and the preview's interface to the dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/fast_trig.h"
#include "engine/gravity.h"
#include "engine/preview.h"
#include "engine/projection.h"
#include "engine/trig_tables.h"
#include "engine/universe.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitSet;
using testing::Pixels;

// Centres round halves to even (511.5 and 512.5 to 512), the focal length is held to
// 0.01..9999 and the pixel size to 1..9; a coordinate that does not fit 32 bits is neither
// stored nor drawn.
TEST(Geometry, CentresLimitsAndCoordinatesBeyond32Bits) {
    EngineGeometry g;
    ComputeGeometry(g, 1023, 1025, 0.0f, 12);
    EXPECT_EQ(std::vector<float>({static_cast<float>(g.CenterX), static_cast<float>(g.CenterY),
                                  static_cast<float>(g.PixelSize), g.FocalLength}),
              std::vector<float>({512, 512, 9, 0.01f}));
    PixelPoint p{17, 18};
    EXPECT_FALSE(ProjectPoint(g, 1e9f, 0, 0.0011f, p) || ProjectPoint(g, 0, -1e9f, 0.0011f, p));
    EXPECT_EQ(p.x + p.y, 35);
}

// Size 2 is two pixels wide, 3 and 4 fill a 2 x 2 block row by row, 5 to 9 a 3 x 3 block;
// others draw nothing. Pixels outside the surface are dropped silently.
TEST(PlotPixel, PatternsByDotSizeAndClippedSilently) {
    const size_t counts[] = {0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    for (int16_t size = 0; size <= 10; ++size) {
        PixelSurface s(64, 64);
        PlotPixel(s, size, 10, 20, 0x0000FFu);
        const Pixels lit = LitSet(s);
        EXPECT_EQ(lit.size(), counts[size]) << size;
        for (auto [x, y] : lit) EXPECT_TRUE(x - 10 < (size <= 4 ? 2 : 3) && y - 20 < 3 && x >= 10 && y >= 20);
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
    for (int ty = 0; ty < direct.TilesY(); ++ty) {
        for (int tx = 0; tx < direct.TilesX(); ++tx)
            EXPECT_EQ(direct.TileDirty(tx, ty), viaWriter.TileDirty(tx, ty));
    }
}

// A nova has at most 97 pixels, fewer when its nearer layers lie behind the viewer.
TEST(Bursts, NovaLayersBehindTheViewerAreLeftOut) {
    EngineFixture f(1000, 1000);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, kWhite, 5, 1.0f);
    EXPECT_EQ(LitSet(f.surface).size(), 97u);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.5f, 3, 0, 5, 1.0f);
    DrawNovaBurst(f.ctx, 0.0f, 0.0f, 0.05f, 10, kWhite, 10, 0.5f);  // z - 0.1 ext <= 0
    EXPECT_EQ(LitSet(f.surface).size(), 1u + 32 + 20 + 12);
}

// Hues 360 and beyond are off the wheel. Star hue indices: 0: 100 x 0.25 x 10 + 7; 1:
// sqrt(16000) = 126.49; 2: |1 - d| x 100 + offset (d = 2.5 for r 3, h 4; 400 wraps to
// 40); 3: 2.25 x 100. 4 gives black; an unknown computation, a hue beyond 32 bits, the
// root of a negative and a negative index leave the colour as it was.
TEST(StarHue, EachComputationPicksItsHueIndexOrLeavesTheColour) {
    for (int16_t off : {360, 999, -1}) EXPECT_EQ(HueColor(off), 0u) << off;
    EngineFixture f;
    f.types[0].Radius = 2.0f;
    f.types[0].ColorMult = 100.0f;
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
        const uint32_t expected = c.hue == -1 ? 0u : (c.hue == -2 ? 0x123456u : f.ctx.HueAt(c.hue, 0));
        EXPECT_EQ(colour, expected) << c.comp << " " << c.hue;
    }
}

// Star angles are never reduced, so they grow large; above 1e5 a second reduction takes
// over, above 2^30 a remainder. The vectorised loop (built for AVX2 and the baseline) gives
// exactly what SinCos gives, and that is the correctly rounded value but for rare ties.
TEST(Trigonometry, TablesKernelAndTheBatchedLoopAgree) {
    const TrigTables& t = GetTrigTables();
    EXPECT_EQ(t.CosTable[0], 1.0f);
    EXPECT_NEAR(t.CosTable[500], -6.5e-6f, 1.5e-6f);  // the summed angle is past pi/2 by then
    EXPECT_NEAR(t.SinTable[1000], -3.0e-5f, 5e-6f);
    RandomSource random(11);
    std::vector<float> angle(20000), step(20000), sine(20000), cosine(20000);
    for (size_t k = 0; k < angle.size(); ++k) {
        angle[k] = (random.Next() * 2.0f - 1.0f) * (k < 10000 ? 7.0f : (k < 16000 ? 5000.0f : 1e9f));
        step[k] = random.Next() * 0.1f;
    }
    SinCosOfSteppedAngles(angle.data(), step.data(), sine.data(), cosine.data(), angle.size());
    int off = 0;
    for (size_t k = 0; k < angle.size(); ++k) {
        float s = 0.0f;
        float c = 0.0f;
        const float x = angle[k] + step[k];
        SinCos(x, s, c);
        ASSERT_TRUE(s == sine[k] && c == cosine[k]) << x;
        off +=
            (s != static_cast<float>(std::sin(double{x}))) + (c != static_cast<float>(std::cos(double{x})));
    }
    EXPECT_LE(off, 4);
    float s = 0.0f;
    float c = 0.0f;
    SinCos(3.0e12f, s, c);
    EXPECT_NEAR(s * s + c * c, 1.0f, 1e-6f);
    SinCos(NAN, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c));
}

// A host whose event passes end after at most 5 ms, as arriving input would end them.
class BusyEventsHost : public HeadlessHost {
  public:
    void ProcessEvents(uint32_t maxWaitMs) override { Advance(std::min<uint32_t>(maxWaitMs, 5)); }
};

// The wait runs from the frame's start until the delay has passed (across the wrap of the
// tick count), with one event pass at least; early events do not cut it short; a stop
// ends it.
TEST(FrameWait, SleepsUntilTheFrameIsDueAndEndsAtAStop) {
    const struct {
        uint32_t now, start;
        int32_t delay;
        uint32_t after;
    } cases[] = {
        {1000, 990, 25, 1015}, {1000, 900, 25, 1000}, {1000, 1000, 0, 1000}, {~0u - 15, ~0u - 15, 40, 24}};
    for (const auto& c : cases) {
        EngineFixture f;
        f.ctx.Settings.Adv_TimeDelay = c.delay;
        f.host.SetTick(c.now);
        f.ctx.FrameStartTick = c.start;
        EXPECT_FALSE(FrameWait(f.ctx));
        EXPECT_EQ(f.host.TickCount(), c.after) << c.now;
        EXPECT_EQ(f.host.EventPasses(), 1u);
        f.host.SetOnEvents([](HeadlessHost& h) { h.Process().StopRequested = kTrue16; });
        EXPECT_TRUE(FrameWait(f.ctx));
    }
    BusyEventsHost host;
    EngineFixture f;
    EngineContext ctx(host, f.surface, f.types, f.composites);
    ctx.Settings.Adv_TimeDelay = 30;
    EXPECT_FALSE(FrameWait(ctx));
    EXPECT_EQ(host.TickCount(), 30u);
}

TEST(EndOfFrame, MessageEvery3sPreviewBoxGoneAndClearsOnlyWithASurface) {
    EngineFixture f(16, 16);
    f.ctx.Settings.Adv_TimeDelay = 1000;
    for (uint64_t refreshes : {0u, 0u, 1u}) {
        f.ctx.FrameStartTick = f.host.TickCount();
        EXPECT_FALSE(EndOfFrame(f.ctx));
        EXPECT_EQ(f.host.MessageRefreshes(), refreshes);
    }
    f.host.SetPreviewParentExists(false);
    EXPECT_FALSE(EndOfFrame(f.ctx));  // only the preview box run cares about its parent
    f.host.Process().RunMode = RunModeValue::Preview;
    EXPECT_TRUE(EndOfFrame(f.ctx));
    EXPECT_EQ(f.host.Process().StopRequested, kTrue16);
    f.surface.SetPixel(3, 3, kWhite);
    f.ctx.HasDrawingSurface = false;
    ClearSurface(f.ctx);
    EXPECT_EQ(LitSet(f.surface).size(), 1u);
    f.ctx.HasDrawingSurface = true;
    ClearSurface(f.ctx);
    EXPECT_EQ(LitSet(f.surface).size(), 0u);
    EXPECT_EQ(f.host.MessageRefreshes(), 2u);
}

// Input during the 4th frame ends the run at once, even in the creation; a preview box
// whose parent window went away ends after one frame.
TEST(UniverseRun, AStopEndsTheRunAtOnceAndAGonePreviewBoxAfterOneFrame) {
    for (bool previewBox : {false, true}) {
        EngineFixture f;
        int passes = 0;
        f.host.SetOnEvents([&passes](HeadlessHost& h) {
            if (++passes == 4) h.Process().StopRequested = kTrue16;
        });
        if (previewBox) f.host.Process().RunMode = RunModeValue::Preview;
        f.host.SetPreviewParentExists(!previewBox);
        int frames = 0;
        testing::RunSmallUniverse(
            f, "", [&](EngineContext&, RuntimeArrays&, const UniverseFrame&) { return ++frames > 100; });
        EXPECT_EQ(frames, previewBox ? 1 : 4);
    }
}

// Rows 0..31 in engine units and back (the preview restores a copy, but the inverse must
// hold); composite slots and counts are not converted.
TEST(TypeTableUnits, ScaleConvertsTheEngineFieldsAndUnscaleGivesThemBack) {
    GalaxyTypeTable table{};
    LoadFactoryGalaxyTypes(table);
    table[40].Radius = 123.0f;
    const GalaxyTypeTable before = table;
    ScaleTypeTable(table);
    EXPECT_FLOAT_EQ(table[0].Radius, 3.0f);
    EXPECT_FLOAT_EQ(table[0].AngleTilt, -165 * std::numbers::pi / 180);
    EXPECT_EQ(table[0].NewFreq, before[0].NewFreq);
    EXPECT_EQ(table[40].Radius, 123.0f);
    RuntimeArrays a;  // the hue offset wraps once it reaches the wheel's end
    a.Allocate(1, 1, 1, 0);
    a.TypeHueAngle[0] = 355.0f;
    table[0].HWheelInc = 5.0f;
    StepTypeSpin(table, a);
    EXPECT_EQ(a.TypeHueAngle[0], 0.0f);
    table[0].HWheelInc = before[0].HWheelInc;
    UnscaleTypeTable(table);
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        if (const float* v = FloatField(table[5], def)) {
            EXPECT_FLOAT_EQ(*v, *FloatField(before[5], def)) << def.key;
        }
    }
}

// 30000 div stars limits the trail, so stars x trail never exceeds 30000.
TEST(PrepareUniverseSettings, TheStarCountLimitsTheTrail) {
    EngineSettings st;
    st.Universe_Stars = 7000;
    st.Universe_STrail = 9;
    PrepareUniverseSettings(st);
    EXPECT_EQ(st.Universe_STrail, 4);
}

// Object 0 is pulled at 0.5 and moves at once, object 1 then sees half the distance; the
// velocities are recomputed every third visit frame, counted on across universes and runs
// (2 objects x 2 control steps x 5 frames: 20 visit frames a cycle).
TEST(ApplyGravity, TwoObjectsAtDistanceOneAndTheRhythmAcrossRuns) {
    EngineFixture f;
    f.ctx.Settings.Universe_GravForce = 0.5f;
    RuntimeArrays a;
    a.Allocate(1, 1, 2, 0);
    a.GalWorldX = {0.0f, 1.0f};
    ApplyGravity(f.ctx, a);
    EXPECT_EQ(a.GalVelX, (std::vector<float>{0.5f, -1.0f}));
    EXPECT_EQ(a.GalWorldX, (std::vector<float>{0.5f, 0.0f}));
    MemorySettingsStore store;
    testing::StoreSmallUniverse(
        store, "Universe_Galaxy=2 Universe_GCCtrl=1 Universe_GravForce=50000 Universe_GravFrame=3");
    std::vector<int> recomputed;
    int visit = 0;
    for (int stopAt : {46, 52}) {
        float last = 0.0f;
        LoadUniverseSettings(f.ctx, store, HostKind::Window);
        f.host.Process().StopRequested = kFalse16;
        RunUniverse(f.ctx, [&](EngineContext& ctx, RuntimeArrays& r, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::Creation) last = 0.0f;  // a new universe starts at rest
            if (fr.phase != UniversePhase::Visit) return;
            ++visit;
            if (r.GalVelX[0] != last) recomputed.push_back(visit);
            last = r.GalVelX[0];
            if (visit == stopAt) ctx.Host.Process().StopRequested = kTrue16;
        });
    }
    std::vector<int> expected;
    for (int k = 3; k <= 52; k += 3) expected.push_back(k);
    EXPECT_EQ(recomputed, expected);
}

// A limited preview draws exactly its frames and waits between them, not after the last;
// the stop button ends it and is cleared; the type table comes back exactly and the run's
// settings stay (30000 stars leave room for a trail of 1); indices outside the lists draw
// nothing.
TEST(Preview, FramesStopButtonTableAndRunSettings) {
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 25;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    EXPECT_EQ(RunPreview(f.ctx, {0, PreviewSubject::GalaxyType, true, 10, 200}), 10);
    EXPECT_EQ(f.host.TotalWaitMs(), 9u * 25u);
    f.host.SetOnEvents([](HeadlessHost& h) {
        if (h.EventPasses() == 12) h.Process().PreviewStopRequested = kTrue16;
    });
    EXPECT_EQ(RunPreview(f.ctx, {}), 3);
    EXPECT_EQ(f.host.Process().PreviewStopRequested, kFalse16);
    f.types[4].AngleTilt = 165.0f;
    f.composites[2].Count = 1;
    f.composites[2].Members[0] = 4;
    const GalaxyTypeTable before = f.types;
    RunPreview(f.ctx, {2, PreviewSubject::CompositeType, true, 3, 30000, 999});
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        EXPECT_EQ(FieldText(f.types[4], def), FieldText(before[4], def)) << def.key;
    }
    EXPECT_EQ(f.types[34].CompositeFlag, kTrue16);
    EXPECT_EQ(f.ctx.Settings.Universe_STrail, 1);
    EXPECT_EQ(RunPreview(f.ctx, {32, PreviewSubject::GalaxyType, true, 1}), 0);
    EXPECT_EQ(RunPreview(f.ctx, {16, PreviewSubject::CompositeType}), 0);
}

// The preview box draws into a picture that is not ours: a long lock message must never
// be asked for there, however long it runs, while the window asks every 3000 ms.
TEST(HostSequence, OnlyTheWindowAsksForTheLockMessage) {
    constexpr int kFrames = 100;  // 100 frames of 100 ms: three refreshes are due
    for (HostKind kind : {HostKind::PreviewBox, HostKind::Window}) {
        EngineFixture f;
        MemorySettingsStore store;
        testing::StoreSmallUniverse(store, "Adv_TimeDelay=100 LockMessage=WWWWWWWWWWWW");
        int frames = 0;
        RunSaverHostSequence(f.ctx, store, kind,
                             [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame&) {
                                 if (++frames == kFrames) ctx.Host.Process().StopRequested = kTrue16;
                             });
        ASSERT_GE(f.host.TickCount(), 9000u);
        if (kind == HostKind::PreviewBox) {
            EXPECT_EQ(f.host.MessageRefreshes(), 0u);
        } else {
            EXPECT_GE(f.host.MessageRefreshes(), 3u);
        }
    }
}

}  // namespace
}  // namespace astrelle
