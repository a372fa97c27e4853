// The frame loop around the rules: units of the type table, pacing over the host, the
// clamps of a run, how runs end, the star state machine of a frame, the preview's
// interface to the dialogs and the host sequence's loading of settings.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/galaxy_frame.h"
#include "engine/gravity.h"
#include "engine/preview.h"
#include "engine/universe.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::LitPixels;
using testing::RunSmallUniverse;

// Rows 0..31 in engine units and back; composite slots and counts are not converted.
TEST(TypeTableUnits, ScaleConvertsTheEngineFieldsAndUnscaleGivesThemBack) {
    GalaxyTypeTable table{};
    for (int t = 0; t < kGalaxyTypeCount; ++t) table[static_cast<size_t>(t)] = testing::DefaultTypeRow();
    table[40].Radius = 123.0f;
    const GalaxyTypeTable before = table;
    ScaleTypeTable(table);
    using R = GalaxyTypeRecord;
    const struct {
        float R::*field;
        double factor;
    } fields[] = {{&R::Radius, 0.01},           {&R::Distance, 0.01},     {&R::Rotation, 1e-6},
                  {&R::ColorMult, 0.1},         {&R::NewExtMult, 0.001},  {&R::NovaFreq, 1e-4},
                  {&R::NovaExtMult, 1e-4},      {&R::CometFreq, 1e-4},    {&R::CometOrbit, 1e-5},
                  {&R::CometSpeed, 1e-5},       {&R::CometSWind, 1e-5},   {&R::AngleTInc, M_PI / 180},
                  {&R::AngleTilt, -M_PI / 180}, {&R::CometCPersist, 1.0}, {&R::RadiusExp, 1.0}};
    for (const auto& f : fields)
        EXPECT_FLOAT_EQ(table[5].*f.field, before[5].*f.field * f.factor) << f.factor;
    EXPECT_EQ(table[5].NewFreq, before[5].NewFreq);
    EXPECT_EQ(table[40].Radius, 123.0f);
    UnscaleTypeTable(table);
    for (const auto& f : fields) EXPECT_FLOAT_EQ(table[31].*f.field, before[31].*f.field) << f.factor;
}

TEST(StepTypeSpin, AnglesWrapOnceAndSineAndCosineFollow) {
    GalaxyTypeTable table{};
    table[0].AngleTInc = 0.5f;
    table[0].HWheelInc = 10.0f;
    RuntimeArrays a;
    a.Allocate(1, 1, 1, 0);
    a.TypeSpinAngle[0] = 6.0f;
    a.TypeHueAngle[0] = 355.0f;
    StepTypeSpin(table, a);
    EXPECT_NEAR(a.TypeSpinAngle[0], 6.5 - 2 * M_PI, 1e-6);
    EXPECT_NEAR(a.TypeSpinSin[0], std::sin(6.5), 1e-6);
    EXPECT_NEAR(a.TypeSpinCos[0], std::cos(6.5), 1e-6);
    EXPECT_FLOAT_EQ(a.TypeHueAngle[0], 5.0f);
    EXPECT_EQ(a.TypeSpinCos[5], 1.0f);  // a type that does not turn
}

// A host whose event passes end after at most 5 ms, as arriving input would end them.
class BusyEventsHost : public HeadlessHost {
  public:
    void ProcessEvents(uint32_t maxWaitMs) override {
        ++passes;
        Advance(std::min<uint32_t>(maxWaitMs, 5));
    }
    int passes = 0;
};

// The wait runs from the frame's start until the delay has passed (across the wrap of the
// tick count), with at least one event pass, and ends at a stop.
TEST(FrameWait, SleepsUntilTheFrameIsDueAndEndsAtAStop) {
    const struct {
        uint32_t now, start;
        int32_t delay;
        uint32_t after;
    } cases[] = {{1000, 990, 25, 1015},
                 {1000, 900, 25, 1000},
                 {1000, 1000, 0, 1000},
                 {0xFFFFFFF0u, 0xFFFFFFF0u, 40, 0x18}};
    for (const auto& c : cases) {
        EngineFixture f;
        f.ctx.Settings.Adv_TimeDelay = c.delay;
        f.host.SetTick(c.now);
        f.ctx.FrameStartTick = c.start;
        EXPECT_FALSE(FrameWait(f.ctx));
        EXPECT_EQ(f.host.TickCount(), c.after) << c.now;
        EXPECT_EQ(f.host.EventPasses(), 1u);
    }
    BusyEventsHost host;  // early events do not cut the frame short
    PixelSurface surface(8, 8);
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx(host, surface, types, composites);
    ctx.Settings.Adv_TimeDelay = 30;
    EXPECT_FALSE(FrameWait(ctx));
    EXPECT_EQ(host.TickCount(), 30u);
    EXPECT_EQ(host.passes, 6);
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 500;
    f.host.SetOnEvents([](HeadlessHost& h) { h.Process().StopRequested = kTrue16; });
    EXPECT_TRUE(FrameWait(f.ctx));
    EXPECT_EQ(f.host.EventPasses(), 1u);
}

TEST(EndOfFrame, MessageEvery3sPreviewBoxGoneAndClearsOnlyWithASurface) {
    EngineFixture f(16, 16);
    f.ctx.Settings.Adv_TimeDelay = 1000;
    for (uint64_t refreshes : {0u, 0u, 1u}) {
        f.ctx.FrameStartTick = f.host.TickCount();
        EXPECT_FALSE(EndOfFrame(f.ctx));
        EXPECT_EQ(f.host.MessageRefreshes(), refreshes);
    }
    EXPECT_EQ(f.ctx.LastMessageTick, 3000u);
    f.host.SetPreviewParentExists(false);
    EXPECT_FALSE(EndOfFrame(f.ctx));  // only the preview box run cares about its parent
    f.host.Process().RunMode = RunModeValue::Preview;
    EXPECT_TRUE(EndOfFrame(f.ctx));
    EXPECT_EQ(f.host.Process().StopRequested, kTrue16);

    f.surface.SetPixel(3, 3, kWhite);
    f.ctx.HasDrawingSurface = false;
    ClearSurface(f.ctx);
    EXPECT_EQ(LitPixels(f.surface), 1);
    f.ctx.HasDrawingSurface = true;
    ClearSurface(f.ctx);
    EXPECT_EQ(LitPixels(f.surface), 0);
    EXPECT_EQ(f.host.MessageRefreshes(), 2u);
}

// No damping (-3 is held to 0) keeps all the speed, full damping halves it; 50.5 % is the
// even 50 %; 30000 div stars limits the trail (a trail of 0 is held to 1 first).
TEST(PrepareUniverseSettings, ClampsThenConvertsToEngineUnits) {
    using S = EngineSettings;
    const struct {
        float S::*field;
        float stored, used;
    } floats[] = {{&S::Universe_Expand, 200000.0f, 99.999f},    {&S::Universe_Damping, -3.0f, 1.0f},
                  {&S::Universe_Damping, 1.0f, 0.5f},           {&S::Universe_NewPctStEx, 50.5f, 0.5f},
                  {&S::Universe_DstCen, 15000.0f, 150.0f},      {&S::Universe_AmMaxExt, 15000.0f, 99.99f},
                  {&S::Universe_GravForce, 125000.0f, 0.0125f}, {&S::Universe_Persist, 0.1f, 0.25f}};
    for (const auto& c : floats) {
        S st;
        st.*c.field = c.stored;
        PrepareUniverseSettings(st);
        EXPECT_FLOAT_EQ(st.*c.field, c.used) << c.stored;
    }
    const struct {
        int32_t stars;
        int16_t trail, galaxies, gpctrl, gcctrl, heldStars, heldTrail, heldGalaxies, heldGp, heldGc;
    } counts[] = {{5, 999, 1000, 0, -4, 10, 999, 999, 1, 0},
                  {30000, 999, 0, 5, 3, 30000, 1, 1, 5, 3},
                  {7000, 0, 3, 1000, 1000, 7000, 1, 3, 999, 999},
                  {7000, 9, 3, 1, 1, 7000, 4, 3, 1, 1}};
    for (const auto& c : counts) {
        S st;
        st.Universe_Stars = c.stars;
        st.Universe_STrail = c.trail;
        st.Universe_Galaxy = c.galaxies;
        st.Universe_GPCtrl = c.gpctrl;
        st.Universe_GCCtrl = c.gcctrl;
        PrepareUniverseSettings(st);
        EXPECT_EQ(st.Universe_Stars, c.heldStars);
        EXPECT_EQ(st.Universe_STrail, c.heldTrail) << c.stars << " " << c.trail;
        EXPECT_EQ(st.Universe_Galaxy, c.heldGalaxies);
        EXPECT_EQ(st.Universe_GPCtrl, c.heldGp);
        EXPECT_EQ(st.Universe_GCCtrl, c.heldGc);
    }
}

TEST(UniverseRun, AStopEndsTheRunAtOnceAndAGonePreviewBoxAfterOneFrame) {
    EngineFixture f;
    int passes = 0;
    f.host.SetOnEvents([&passes](HeadlessHost& h) {
        if (++passes == 4) h.Process().StopRequested = kTrue16;  // input during the 4th frame
    });
    int frames = 0;
    RunSmallUniverse(f, {},
                     [&](EngineContext&, RuntimeArrays&, const UniverseFrame&) { return ++frames > 100; });
    EXPECT_EQ(frames, 4);

    EngineFixture g;
    g.host.Process().RunMode = RunModeValue::Preview;
    g.host.SetPreviewParentExists(false);
    frames = 0;
    RunSmallUniverse(g, {},
                     [&](EngineContext&, RuntimeArrays&, const UniverseFrame&) { return ++frames > 100; });
    EXPECT_EQ(frames, 1);
}

// With Universe_GVisit the objects take the weighted rows in turn (weights 0, 5, 0, 2, ...
// give 1, 3, 1, 3); with no weight at all every object is of type 0.
TEST(CreateUniverse, SequentialVisitsTakeTheWeightedRowsInTurnAndNoWeightMeansTypeZero) {
    const struct {
        const char* visit;
        std::vector<std::pair<int, const char*>> weights;
        std::vector<int16_t> types;
    } cases[] = {
        {"1", {{1, "5"}, {3, "2"}}, {1, 3, 1, 3, 1}}, {"1", {}, {0, 0, 0, 0, 0}}, {"0", {}, {0, 0, 0, 0, 0}}};
    for (const auto& c : cases) {
        EngineFixture f;
        MemorySettingsStore store;
        testing::StoreSmallUniverse(store, {{"Universe_Galaxy", "5"}, {"Universe_GVisit", c.visit}});
        for (int t = 0; t < kGalaxyTypeCount; ++t)
            store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", "0");
        for (auto [t, w] : c.weights) store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", w);
        std::vector<int16_t> types;
        RunSaverHostSequence(f.ctx, store, HostKind::Window,
                             [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame&) {
                                 types = a.GalType;
                                 ctx.Host.Process().StopRequested = kTrue16;
                             });
        EXPECT_EQ(types, c.types) << c.visit;
    }
}

// Without expansion every object stays at the universe centre and the radius at 0, the
// ambient stars included ("Standard" divides by the radius); nothing becomes NaN.
TEST(CreateUniverse, WithoutExpansionNothingMovesApart) {
    for (const char* profile : {"0", "2"}) {
        EngineFixture f;
        RunSmallUniverse(
            f, {{"Universe_Expand", "0"}, {"Universe_Profile", profile}, {"Universe_AmProf", "1"}},
            [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                if (fr.phase == UniversePhase::Creation) return false;
                for (size_t i = 0; i < static_cast<size_t>(a.GalaxyCount); ++i) {
                    EXPECT_EQ(a.GalWorldX[i] + a.GalWorldY[i], 0.0f);
                    EXPECT_EQ(a.GalWorldZ[i], ctx.Settings.Universe_DstCen);
                }
                EXPECT_EQ(a.ExpandRadius, 0.0f);
                for (size_t i = 0; i < a.AmbX.size(); ++i) {
                    EXPECT_TRUE(std::isfinite(a.AmbX[i] + a.AmbY[i] + a.AmbZ[i] + a.AmbDeltaZ[i])) << i;
                }
                return true;
            });
    }
}

// Object 0 is pulled at 0.5 and moves at once; object 1 then sees half the distance.
TEST(ApplyGravity, TwoObjectsAtDistanceOneAndTheRhythmAcrossRuns) {
    EngineFixture f;
    f.ctx.Settings.Universe_GravForce = 0.5f;
    RuntimeArrays a;
    a.Allocate(1, 1, 2, 0);
    a.GalWorldX = {0.0f, 1.0f};
    ApplyGravity(f.ctx, a);
    EXPECT_FLOAT_EQ(a.GalVelX[0], 0.5f);
    EXPECT_FLOAT_EQ(a.GalWorldX[0], 0.5f);
    EXPECT_FLOAT_EQ(a.GalVelX[1], -1.0f);
    EXPECT_FLOAT_EQ(a.GalWorldX[1], 0.0f);
    EXPECT_EQ(a.GalVelY[1], 0.0f);

    // Velocities are recomputed every third visit frame, counted on across universes and
    // runs: 2 objects x 2 control steps x 5 frames are 20 visit frames a cycle.
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, {{"Universe_Galaxy", "2"},
                                        {"Universe_GCCtrl", "1"},
                                        {"Universe_GravForce", "50000"},
                                        {"Universe_GravFrame", "3"}});
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

// One fast-turning star of type 0 on the rim, no spontaneous rebirths and no comets.
struct OneStar {
    explicit OneStar(int32_t trail) {
        GalaxyTypeRecord& row = f.types[0];
        row.Rotation = 30000;
        row.RadiusExp = 0.0f;
        row.NewFreq = 0;
        row.CometFreq = 0;
        row.AngleTInc = 0;
        row.AngleTilt = 60;
        row.NewFrames = 3;
        row.NovaFrames = 4;
        row.NovaExtMult = 20000;
        f.ctx.Settings.Universe_NewFreq = 0;
        ScaleTypeTable(f.types);
        testing::PopulateOneGalaxy(f.ctx, a, 0, 1, trail, 10.0f);
    }
    void Frames(int n) {
        for (int k = 0; k < n; ++k) UpdateGalaxyFrame(f.ctx, a, 0, 32000, 0.0f, true, PreviewKind::Galaxy);
    }
    EngineFixture f;
    RuntimeArrays a;
};

// The trail shows the last T positions in the star's colour; a dying star draws nothing
// for T + 1 frames while its trail vanishes tail first, then it is reborn as a white
// sparkle that leaves no trail; its first dot comes when the sparkle ends.
TEST(GalaxyFrame, TrailDyingRebirthAndSparkle) {
    OneStar s(4);
    for (int k = 1; k <= 6; ++k) {
        s.Frames(1);
        EXPECT_EQ(LitPixels(s.f.surface), std::min(k, 4));
    }
    for (size_t j = 0; j < 4; ++j)
        EXPECT_EQ(s.f.surface.GetPixel(s.a.TrailX[j], s.a.TrailY[j]), s.a.StarColor[0]);
    s.a.StarRebirthWait[0] = 5;
    const size_t oldest = static_cast<size_t>(s.a.TrailCursor);
    s.Frames(1);
    EXPECT_EQ(s.f.surface.GetPixel(s.a.TrailX[oldest], s.a.TrailY[oldest]), 0u);
    EXPECT_EQ(LitPixels(s.f.surface), 3);
    s.Frames(3);
    EXPECT_EQ(LitPixels(s.f.surface), 0);
    s.f.types[0].NovaFreq = 0;
    s.Frames(1);
    ASSERT_EQ(s.a.StarNewLeft[0], 3);
    EXPECT_EQ(s.a.StarAge[0], 0);
    EXPECT_EQ(s.f.surface.GetPixel(s.a.BurstX[0], s.a.BurstY[0]), kWhite);
    s.Frames(2);
    EXPECT_EQ(s.a.StarNewLeft[0], 1);
    EXPECT_EQ(LitPixels(s.f.surface), 1);  // the sparkle's centre only
    s.Frames(1);
    EXPECT_EQ(s.a.StarNewLeft[0], 0);
    EXPECT_EQ(LitPixels(s.f.surface), 1);
    const size_t j = static_cast<size_t>((s.a.TrailCursor + 3) % 4);
    EXPECT_EQ(s.f.surface.GetPixel(s.a.TrailX[j], s.a.TrailY[j]), s.a.StarColor[0]);
}

// A nova grows for its frames and is followed in the same frame by the reborn star's
// white sparkle, which leaves nothing of the nova behind.
TEST(GalaxyFrame, NovaEndsWithTheSparkleOfTheRebornStar) {
    OneStar s(1);
    s.f.types[0].NovaFreq = 1.0f;
    s.f.types[0].NewExtMult = 5.0f;
    s.Frames(1);
    s.a.StarRebirthWait[0] = 1;
    s.Frames(1);
    ASSERT_EQ(s.a.StarNovaLeft[0], 4);
    EXPECT_EQ(s.a.BurstFrames[0], 4);
    EXPECT_GT(LitPixels(s.f.surface), 1);
    s.Frames(4);
    EXPECT_EQ(s.a.StarNovaLeft[0], 0);
    EXPECT_EQ(s.a.StarNewLeft[0], 3);
    EXPECT_GT(LitPixels(s.f.surface), 1);
    for (auto [x, y] : testing::LitSet(s.f.surface)) EXPECT_EQ(s.f.surface.GetPixel(x, y), kWhite);
}

// A limited preview draws exactly its frames, waits the delay between them and not after
// the last; it ends at a stop and at the stop button (which it clears).
TEST(Preview, FrameLimitPacingAndStops) {
    EngineFixture f;
    f.ctx.Settings.Adv_TimeDelay = 25;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    EXPECT_EQ(RunPreview(f.ctx, {.limited = true, .frameLimit = 10, .stars = 200}), 10);
    EXPECT_EQ(f.host.TotalWaitMs(), 9u * 25u);
    for (bool button : {false, true}) {
        EngineFixture g;
        SetupSurface(g.ctx, SurfaceSize::Normal);
        g.host.SetOnEvents([button](HeadlessHost& h) {
            if (h.EventPasses() == 3)
                (button ? h.Process().PreviewStopRequested : h.Process().StopRequested) = kTrue16;
        });
        EXPECT_EQ(RunPreview(g.ctx, {.stars = 100}), 3);
        EXPECT_EQ(g.host.Process().PreviewStopRequested, kFalse16);
    }
}

// The type table comes back exactly; the run's own settings stay (30000 stars leave room
// for a trail of 1); the welcome screen's small surface and star scale; bad indices.
TEST(Preview, GivesTheTypeTableBackAndKeepsItsRunSettings) {
    EngineFixture f;
    f.types[4].AngleTilt = 165.0f;
    f.types[4].CometSWind = 333.0f;
    f.composites[2].Count = 1;
    f.composites[2].Members[0] = 4;
    const GalaxyTypeTable before = f.types;
    SetupSurface(f.ctx, SurfaceSize::Small);
    EXPECT_EQ(f.ctx.Settings.Adv_TimeDelay, 32);
    RunPreview(f.ctx, {.typeIndex = 2,
                       .subject = PreviewSubject::CompositeType,
                       .limited = true,
                       .frameLimit = 3,
                       .stars = 30000,
                       .trail = 999});
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        EXPECT_EQ(FieldText(f.types[4], def), FieldText(before[4], def)) << def.key;
    }
    EXPECT_EQ(f.types[34].CompositeFlag, kTrue16);
    EXPECT_EQ(f.ctx.Settings.Universe_STrail, 1);
    EXPECT_EQ(f.ctx.Settings.Universe_Galaxy, 1);
    EXPECT_EQ(f.ctx.Settings.Universe_NewPctStEx, 0.0f);
    RunPreview(f.ctx, {.limited = true, .frameLimit = 1, .stars = 2000, .starScale = 0.8f});
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 1600);
    EXPECT_FLOAT_EQ(f.ctx.Settings.Universe_AmMaxExt, 1.5f);
    EXPECT_EQ(RunPreview(f.ctx, {.typeIndex = 32, .limited = true, .frameLimit = 1}), 0);
    EXPECT_EQ(RunPreview(f.ctx, {.typeIndex = 16, .subject = PreviewSubject::CompositeType}), 0);
}

// Values are read as stored and converted by the run; rows are held to their ranges;
// only the window stores the factory types when nothing was ever stored.
TEST(HostSequence, SettingsAsStoredAndTheFirstRunOnlyInTheWindow) {
    EngineFixture f;
    MemorySettingsStore store;
    testing::Store(store, {{"Universe_STrail", "2.5"},
                           {"Universe_Tour", "5"},
                           {"Universe_DstCen", "15000"},
                           {"Universe_NewPctStEx", "70"},
                           {"Universe_Stars", "2500"},
                           {"Universe_AmStar", "5"}});
    store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "31000");
    LoadUniverseSettings(f.ctx, store, HostKind::PreviewBox);
    const EngineSettings& st = f.ctx.Settings;
    EXPECT_EQ(st.Universe_STrail, 2);
    EXPECT_EQ(st.Universe_Tour, kTrue16);
    EXPECT_FLOAT_EQ(st.Universe_DstCen, 15000.0f);
    EXPECT_FLOAT_EQ(st.Universe_NewPctStEx, 70.0f);
    EXPECT_EQ(st.Universe_Stars, 1625);
    EXPECT_EQ(st.Universe_AmStar, 2);  // 2.5 to the even 2
    EXPECT_FLOAT_EQ(f.types[3].Radius, 30000.0f);

    for (HostKind kind : {HostKind::PreviewBox, HostKind::Window}) {
        EngineFixture g;
        MemorySettingsStore empty;
        g.host.Process().StopRequested = kTrue16;  // a stop left over from before is cleared
        RunSaverHostSequence(g.ctx, empty, kind,
                             [](EngineContext& ctx, RuntimeArrays&, const UniverseFrame&) {
                                 ctx.Host.Process().StopRequested = kTrue16;
                             });
        const bool window = kind == HostKind::Window;
        EXPECT_EQ(empty.ReadText("Universe\\Galaxy0", "_UniGalName").has_value(), window);
        EXPECT_EQ(g.types[0].Name,
                  window ? std::string(TrimBlanks(GalaxyTypeName(0))) : DefaultGalaxyName(0));
        EXPECT_EQ(g.ctx.HasDrawingSurface, window);
    }
}

}  // namespace
}  // namespace astrelle
