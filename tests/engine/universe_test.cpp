// The frame loop of a run: clamps and conversions, the schedule and timing of a universe
// cycle, the creation (type choice, birth states, joining) and how a run ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/universe.h"
#include "engine_test_support.h"
#include "settings/settings_model.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::StoredValues;

// 5 stars become 10, which may have the longest trail; 30000 div stars limits the trail
// (a trail of 0 is held to 1 first).
TEST(PrepareUniverseSettings, TheStarCountLimitsTheTrail) {
    const struct {
        int16_t stars, trail, heldStars, heldTrail;
    } cases[] = {{5, 999, 10, 999}, {30000, 999, 30000, 1}, {7000, 0, 7000, 1}, {7000, 9, 7000, 4}};
    for (const auto& c : cases) {
        EngineSettings st;
        st.Universe_Stars = c.stars;
        st.Universe_STrail = c.trail;
        PrepareUniverseSettings(st);
        EXPECT_EQ(st.Universe_Stars, c.heldStars) << c.stars;
        EXPECT_EQ(st.Universe_STrail, c.heldTrail) << c.stars << " " << c.trail;
    }
}

// No damping (-3 is held to 0) keeps all the speed, full damping halves it; 50.5 % is the
// even 50 %; 15000 is above the flare extension's range.
TEST(PrepareUniverseSettings, ClampsThenConvertsToEngineUnits) {
    using S = EngineSettings;
    const struct {
        float S::*field;
        float stored, used;
    } floats[] = {{&S::Universe_Expand, 200000.0f, 99.999f}, {&S::Universe_Damping, -3.0f, 1.0f},
                  {&S::Universe_NewPctStEx, 50.5f, 0.5f},    {&S::Universe_DstCen, 15000.0f, 150.0f},
                  {&S::Universe_AmMaxExt, 15000.0f, 99.99f}, {&S::Universe_GravForce, 125000.0f, 0.0125f},
                  {&S::Universe_Persist, 0.1f, 0.25f}};
    const struct {
        int16_t S::*field;
        int16_t stored, used;
    } counts[] = {{&S::Universe_GravFrame, 0, 1},
                  {&S::Universe_GPCtrl, 0, 1},
                  {&S::Universe_GCCtrl, -4, 0},
                  {&S::Universe_AmStar, 0, 1},
                  {&S::Universe_Galaxy, 1000, 999}};
    S st;
    for (const auto& c : floats) st.*c.field = c.stored;
    for (const auto& c : counts) st.*c.field = c.stored;
    PrepareUniverseSettings(st);
    for (const auto& c : floats) EXPECT_FLOAT_EQ(st.*c.field, c.used) << c.stored;
    for (const auto& c : counts) EXPECT_EQ(st.*c.field, c.used) << c.stored;
    S full;
    full.Universe_Damping = 1.0f;
    PrepareUniverseSettings(full);
    EXPECT_FLOAT_EQ(full.Universe_Damping, 0.5f);
}

// A small universe run through a host sequence (the window's unless kind says otherwise)
// on a headless host. Every frame is recorded; stopWhen ends the run at the frame it
// returns true for.
struct UniverseRun {
    explicit UniverseRun(StoredValues overrides = {}) { testing::StoreSmallUniverse(store, overrides); }

    using Check = std::function<bool(EngineContext&, RuntimeArrays&, const UniverseFrame&)>;
    void Run(const Check& stopWhen) {
        RunSaverHostSequence(f.ctx, store, kind,
                             [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                                 frames.push_back(fr);
                                 if (stopWhen(ctx, a, fr)) ctx.Host.Process().StopRequested = kTrue16;
                             });
    }
    void RunToCycle(int64_t cycle) {
        Run([cycle](EngineContext&, RuntimeArrays&, const UniverseFrame& fr) {
            return StartOfCycle(fr, cycle);
        });
    }
    // Ends the run at its first frame after the creation, after look has seen it.
    void RunToTour(const std::function<void(EngineContext&, RuntimeArrays&)>& look) {
        Run([&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::Creation) return false;
            look(ctx, a);
            return true;
        });
    }
    static bool StartOfCycle(const UniverseFrame& fr, int64_t cycle) {
        return fr.cycle == cycle && fr.frameInCycle == 0;
    }
    int64_t Count(UniversePhase phase, int64_t cycle) const {
        return std::count_if(frames.begin(), frames.end(),
                             [&](const UniverseFrame& fr) { return fr.phase == phase && fr.cycle == cycle; });
    }

    EngineFixture f;
    MemorySettingsStore store;
    HostKind kind = HostKind::Window;
    std::vector<UniverseFrame> frames;
};

TEST(UniverseCycle, ScheduleOfControlStepsAndFrames) {
    // G x (GP + GC) + GP + 1 = 3 x 5 + 3 control steps, each t = 0, 1/4, ..., 1.
    UniverseRun run({{"Universe_GPCtrl", "2"}, {"Universe_GCCtrl", "3"}, {"Universe_GSteps", "4"}});
    run.RunToCycle(2);
    for (int64_t cycle = 0; cycle < 2; ++cycle) {
        EXPECT_EQ(run.Count(UniversePhase::Creation, cycle), 12);
        EXPECT_EQ(run.Count(UniversePhase::Visit, cycle), 3 * 5 * 5);
        EXPECT_EQ(run.Count(UniversePhase::ReturnLeg, cycle), 3 * 5);
    }
    // Visits in object order, control steps in order, five frames each.
    std::vector<std::string> steps;
    for (const UniverseFrame& fr : run.frames) {
        if (fr.cycle != 0 || fr.phase == UniversePhase::Creation) continue;
        const std::string step = (fr.phase == UniversePhase::Visit ? "v" : "r") + std::to_string(fr.g) + "." +
                                 std::to_string(fr.k);
        if (steps.empty() || steps.back() != step) steps.push_back(step);
    }
    const std::vector<std::string> expected = {"v0.1", "v0.2", "v0.3", "v0.4", "v0.5", "v1.1",
                                               "v1.2", "v1.3", "v1.4", "v1.5", "v2.1", "v2.2",
                                               "v2.3", "v2.4", "v2.5", "r0.1", "r0.2", "r0.3"};
    EXPECT_EQ(steps, expected);
    // One event pass per frame and nothing else: the headless host counts the frames too.
    EXPECT_EQ(run.f.host.EventPasses(), run.frames.size());

    // With 3 steps per control point, t = 1 is lost to rounding: 3 or 4 frames a step.
    UniverseRun thirds({{"Universe_GSteps", "3"}});
    thirds.RunToCycle(1);
    const int64_t tourFrames =
        thirds.Count(UniversePhase::Visit, 0) + thirds.Count(UniversePhase::ReturnLeg, 0);
    EXPECT_GE(tourFrames, (3 * 3 + 2) * 3);
    EXPECT_LE(tourFrames, (3 * 3 + 2) * 4);
}

TEST(UniverseCycle, VisitFramesArePacedAndThePullBackIsNot) {
    UniverseRun run({{"Adv_TimeDelay", "100"}});
    std::vector<std::pair<UniversePhase, uint32_t>> ticks;
    run.Run([&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
        ticks.emplace_back(fr.phase, ctx.Host.TickCount());
        return UniverseRun::StartOfCycle(fr, 1);
    });
    ASSERT_GT(ticks.size(), 2u);
    uint32_t lastVisit = 0;
    for (size_t k = 1; k + 1 < ticks.size(); ++k) {
        const auto [phase, tick] = ticks[k];
        // The pull-back is measured from the last visit frame, whose delay has passed.
        EXPECT_EQ(tick, (phase == UniversePhase::ReturnLeg ? lastVisit : ticks[k - 1].second) + 100) << k;
        if (phase == UniversePhase::Visit) lastVisit = tick;
    }
}

TEST(UniverseCycle, TheWindowIsClearedBetweenCyclesAndThePreviewBoxIsNot) {
    for (HostKind kind : {HostKind::Window, HostKind::PreviewBox}) {
        UniverseRun run;
        run.kind = kind;
        uint32_t marker = 0;
        run.Run([&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::ReturnLeg) ctx.Surface.SetPixel(0, 0, kWhite);
            if (!UniverseRun::StartOfCycle(fr, 1)) return false;
            marker = ctx.Surface.GetPixel(0, 0);
            return true;
        });
        const bool window = kind == HostKind::Window;
        EXPECT_EQ(marker, window ? 0u : kWhite);
        // The window refreshes its message after the first clear and after this one.
        EXPECT_EQ(run.f.host.MessageRefreshes(), window ? 2u : 0u);
    }
}

TEST(UniverseCycle, AStopDuringTheCreationEndsTheRunAtOnce) {
    UniverseRun run;
    int passes = 0;
    run.f.host.SetOnEvents([&passes](HeadlessHost& h) {
        if (++passes == 4) h.Process().StopRequested = kTrue16;  // input during the 4th frame
    });
    run.RunToCycle(-1);
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.frames.back().phase, UniversePhase::Creation);

    // The preview box whose parent window went away ends after one frame.
    UniverseRun preview;
    preview.kind = HostKind::PreviewBox;
    preview.f.host.Process().RunMode = RunModeValue::Preview;
    preview.f.host.SetPreviewParentExists(false);
    preview.RunToCycle(-1);
    EXPECT_EQ(preview.frames.size(), 1u);
}

TEST(UniverseCycle, ThePreviewBoxPausesAfterCreationFramesUntilTheTickMoves) {
    UniverseRun run;
    run.kind = HostKind::PreviewBox;
    run.f.host.Process().RunMode = RunModeValue::Preview;
    std::vector<uint32_t> ticks;
    run.Run([&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
        ticks.push_back(ctx.Host.TickCount());
        return fr.phase != UniversePhase::Creation;
    });
    // No frame delay: only the pauses move the clock, one millisecond after every
    // creation frame but the first.
    ASSERT_EQ(ticks.size(), 13u);
    EXPECT_EQ(ticks[1], ticks[0]);
    for (size_t k = 2; k < 12; ++k) EXPECT_EQ(ticks[k], ticks[k - 1] + 1) << k;
}

// Every galaxy type weight 0, then the given ones.
void StoreWeights(SettingsStore& store, std::initializer_list<std::pair<int, int>> weights) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", "0");
    for (auto [t, w] : weights) store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", std::to_string(w));
}

TEST(CreateUniverse, SequentialVisitsTakeTheWeightedRowsInTurnAndNoWeightMeansTypeZero) {
    const struct {
        const char *count, *visit;
        std::initializer_list<std::pair<int, int>> weights;
        std::vector<int16_t> types;
    } cases[] = {{"5", "1", {{1, 5}, {3, 2}}, {1, 3, 1, 3, 1}},
                 {"4", "1", {}, {0, 0, 0, 0}},
                 {"4", "0", {}, {0, 0, 0, 0}}};
    for (const auto& c : cases) {
        UniverseRun run({{"Universe_Galaxy", c.count}, {"Universe_GVisit", c.visit}});
        StoreWeights(run.store, c.weights);
        std::vector<int16_t> types;
        run.RunToTour([&](EngineContext&, RuntimeArrays& a) { types = a.GalType; });
        EXPECT_EQ(types, c.types) << c.count << " " << c.visit;
    }
}

TEST(CreateUniverse, RandomTypesFollowTheWeightsAndCompositesTakeTheirSlots) {
    UniverseRun run({{"Universe_Galaxy", "400"}, {"Universe_Stars", "500"}});
    StoreWeights(run.store, {{1, 1}, {3, 3}});
    for (auto [key, text] : {std::pair{"_CompGalPct", "4"},
                             {"CompGal_Count", "2"},
                             {"CompGal_Type0", "4"},
                             {"CompGal_Type1", "7"}}) {
        run.store.WriteText(CompositeRegistrySection(2), key, text);
    }
    RuntimeArrays seen;
    run.RunToTour([&](EngineContext&, RuntimeArrays& a) {
        seen.GalType = a.GalType;
        seen.StarType = a.StarType;
        seen.StarGalaxy = a.StarGalaxy;
    });
    int counts[kGalaxyTableRows] = {};
    for (int16_t t : seen.GalType) ++counts[t];
    EXPECT_EQ(counts[1] + counts[3] + counts[34], 400);
    EXPECT_NEAR(counts[1], 50, 25);  // 1 : 3 : 4 of 400
    EXPECT_NEAR(counts[3], 150, 40);
    EXPECT_NEAR(counts[34], 200, 40);
    EXPECT_EQ(run.f.types[34].CompositeFlag, kTrue16);
    EXPECT_EQ(run.f.types[35].CompositeFlag, kFalse16);
    // Stars of a composite object are of its member types.
    for (size_t s = 0; s < seen.StarType.size(); ++s) {
        const int16_t own = seen.GalType[static_cast<size_t>(seen.StarGalaxy[s])];
        const int16_t t = seen.StarType[s];
        EXPECT_TRUE(own == 34 ? t == 4 || t == 7 : t == own) << s;
    }
}

bool AllFinite(const std::vector<float>& v) {
    return std::all_of(v.begin(), v.end(), [](float x) { return std::isfinite(x); });
}

// The "Standard" universe profile divides by the radius, which is 0 without expansion.
TEST(CreateUniverse, WithoutExpansionNothingMovesApart) {
    for (const char* profile : {"0", "2"}) {
        UniverseRun run({{"Universe_Expand", "0"}, {"Universe_Profile", profile}, {"Universe_AmProf", "1"}});
        bool checked = false;
        run.RunToTour([&](EngineContext& ctx, RuntimeArrays& a) {
            for (size_t i = 0; i < static_cast<size_t>(a.GalaxyCount); ++i) {
                EXPECT_EQ(a.GalWorldX[i], 0.0f);
                EXPECT_EQ(a.GalWorldY[i], 0.0f);
                EXPECT_EQ(a.GalWorldZ[i], ctx.Settings.Universe_DstCen);
            }
            EXPECT_EQ(a.ExpandRadius, 0.0f);
            EXPECT_TRUE(AllFinite(a.AmbX) && AllFinite(a.AmbY) && AllFinite(a.AmbZ));
            EXPECT_TRUE(AllFinite(a.AmbDeltaX) && AllFinite(a.AmbDeltaY) && AllFinite(a.AmbDeltaZ));
            checked = true;
        });
        EXPECT_TRUE(checked) << profile;
    }
}

TEST(CreateUniverse, OneCreationFrameAndEveryStarJoinsAGalaxy) {
    UniverseRun run({{"Universe_ESteps", "1"}, {"Universe_Persist", "0.25"}});
    run.RunToTour([&](EngineContext&, RuntimeArrays& a) {
        for (size_t i = 0; i < static_cast<size_t>(a.StarCount); ++i) {
            EXPECT_NE(a.BirthState[i], 2) << i;     // nobody could finish fading in one frame
            EXPECT_GT(a.StarRadius[i], 0.0f) << i;  // generated
            EXPECT_GE(a.StarGalaxy[i], 0);
            EXPECT_LT(a.StarGalaxy[i], a.GalaxyCount);
        }
    });
    EXPECT_EQ(run.Count(UniversePhase::Creation, 0), 1);
}

// Every pixel the run shows is one it remembers and can erase: trails, flight paths,
// sparkles, novas, comets and ambient stars; late in the creation, inside the first core
// and on the return leg.
TEST(UniverseCycle, EverythingShownIsRememberedForErasing) {
    for (UniversePhase when : {UniversePhase::Creation, UniversePhase::Visit, UniversePhase::ReturnLeg}) {
        UniverseRun run(
            {{"Universe_STrail", "3"}, {"Universe_Persist", "0.9"}, {"Universe_NewFreq", "3000"}});
        int64_t lit = -1;
        int64_t left = -1;
        run.Run([&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            bool late = fr.k == 2 && fr.t == 0.5f;
            if (fr.phase == UniversePhase::Creation) late = fr.creationFrame == 8;
            if (fr.phase == UniversePhase::ReturnLeg) late = fr.k == 1 && fr.t == 0.25f;
            if (fr.phase != when || !late) return false;
            lit = testing::LitPixels(ctx.Surface);
            testing::EraseEverythingShown(ctx, a);
            left = testing::LitPixels(ctx.Surface);
            return true;
        });
        EXPECT_GT(lit, 50) << static_cast<int>(when);
        EXPECT_EQ(left, 0) << static_cast<int>(when);
    }
}

}  // namespace
}  // namespace astrelle
