// The frame loop of a run: clamps and conversions, the schedule and timing of a universe
// cycle, the creation (type choice, birth states, joining) and how a run ends.
#include <gtest/gtest.h>

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

TEST(PrepareUniverseSettings, TheStarCountLimitsTheTrail) {
    EngineSettings st;
    st.Universe_Stars = 5;
    st.Universe_STrail = 999;
    PrepareUniverseSettings(st);
    EXPECT_EQ(st.Universe_Stars, 10);
    EXPECT_EQ(st.Universe_STrail, 999);  // 10 stars may have the longest trail

    st = EngineSettings{};
    st.Universe_Stars = 30000;
    st.Universe_STrail = 999;
    PrepareUniverseSettings(st);
    EXPECT_EQ(st.Universe_STrail, 1);

    st = EngineSettings{};
    st.Universe_Stars = 7000;
    st.Universe_STrail = 0;  // held to 1 first
    PrepareUniverseSettings(st);
    EXPECT_EQ(st.Universe_STrail, 1);
    st = EngineSettings{};
    st.Universe_Stars = 7000;
    st.Universe_STrail = 9;
    PrepareUniverseSettings(st);
    EXPECT_EQ(st.Universe_STrail, 4);  // 30000 div 7000
}

TEST(PrepareUniverseSettings, ClampsThenConvertsToEngineUnits) {
    EngineSettings st;
    st.Universe_Expand = 200000.0f;
    st.Universe_Damping = -3.0f;
    st.Universe_NewPctStEx = 50.5f;
    st.Universe_DstCen = 15000.0f;
    st.Universe_AmMaxExt = 15000.0f;
    st.Universe_GravForce = 125000.0f;
    st.Universe_GravFrame = 0;
    st.Universe_GPCtrl = 0;
    st.Universe_GCCtrl = -4;
    st.Universe_Persist = 0.1f;
    st.Universe_AmStar = 0;
    st.Universe_Galaxy = 1000;
    PrepareUniverseSettings(st);
    EXPECT_FLOAT_EQ(st.Universe_Expand, 99.999f);
    EXPECT_FLOAT_EQ(st.Universe_Damping, 1.0f);     // no damping keeps all the speed
    EXPECT_FLOAT_EQ(st.Universe_NewPctStEx, 0.5f);  // 50.5 to the even 50 percent
    EXPECT_FLOAT_EQ(st.Universe_DstCen, 150.0f);
    EXPECT_FLOAT_EQ(st.Universe_AmMaxExt, 99.99f);  // 15000 is above its range
    EXPECT_FLOAT_EQ(st.Universe_GravForce, 0.0125f);
    EXPECT_EQ(st.Universe_GravFrame, 1);
    EXPECT_EQ(st.Universe_GPCtrl, 1);
    EXPECT_EQ(st.Universe_GCCtrl, 0);
    EXPECT_FLOAT_EQ(st.Universe_Persist, 0.25f);
    EXPECT_EQ(st.Universe_AmStar, 1);
    EXPECT_EQ(st.Universe_Galaxy, 999);

    EngineSettings full;
    full.Universe_Damping = 1.0f;
    PrepareUniverseSettings(full);
    EXPECT_FLOAT_EQ(full.Universe_Damping, 0.5f);
}

// A small universe run through the window's host sequence on a headless host. The
// observer sees every frame; stopWhen ends the run at the frame it returns true for.
struct UniverseRun {
    explicit UniverseRun(StoredValues overrides = {}, uint64_t seed = 1) : f(800, 600, seed) {
        testing::StoreSmallUniverse(store, overrides);
    }

    using Check = std::function<bool(EngineContext&, RuntimeArrays&, const UniverseFrame&)>;

    void Run(const Check& stopWhen, HostKind kind = HostKind::Window) {
        RunSaverHostSequence(f.ctx, store, kind,
                             [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                                 frames.push_back(fr);
                                 if (stopWhen(ctx, a, fr)) ctx.Host.Process().StopRequested = kTrue16;
                             });
    }

    int64_t Count(UniversePhase phase, int64_t cycle) const {
        int64_t n = 0;
        for (const UniverseFrame& fr : frames) n += fr.phase == phase && fr.cycle == cycle ? 1 : 0;
        return n;
    }

    EngineFixture f;
    MemorySettingsStore store;
    std::vector<UniverseFrame> frames;
};

bool StartOfCycle(const UniverseFrame& fr, int64_t cycle) {
    return fr.cycle == cycle && fr.frameInCycle == 0;
}

TEST(UniverseCycle, ScheduleOfControlStepsAndFrames) {
    // G x (GP + GC) + GP + 1 = 3 x 5 + 3 control steps, each t = 0, 1/4, ..., 1.
    UniverseRun run({{"Universe_GPCtrl", "2"}, {"Universe_GCCtrl", "3"}, {"Universe_GSteps", "4"}});
    run.Run([](EngineContext&, RuntimeArrays&, const UniverseFrame& fr) { return StartOfCycle(fr, 2); });
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
    thirds.Run([](EngineContext&, RuntimeArrays&, const UniverseFrame& fr) { return StartOfCycle(fr, 1); });
    const int64_t tourFrames =
        thirds.Count(UniversePhase::Visit, 0) + thirds.Count(UniversePhase::ReturnLeg, 0);
    const int64_t steps3 = 3 * 3 + 2;
    EXPECT_GE(tourFrames, steps3 * 3);
    EXPECT_LE(tourFrames, steps3 * 4);
}

TEST(UniverseCycle, VisitFramesArePacedAndThePullBackIsNot) {
    UniverseRun run({{"Adv_TimeDelay", "100"}});
    std::vector<std::pair<UniversePhase, uint32_t>> ticks;
    run.Run([&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
        ticks.emplace_back(fr.phase, ctx.Host.TickCount());
        return StartOfCycle(fr, 1);
    });
    ASSERT_GT(ticks.size(), 2u);
    uint32_t lastVisit = 0;
    for (size_t k = 1; k + 1 < ticks.size(); ++k) {
        const auto [phase, tick] = ticks[k];
        const uint32_t step = tick - ticks[k - 1].second;
        if (phase == UniversePhase::ReturnLeg) {
            // Measured from the last visit frame, whose delay has passed: no waiting.
            EXPECT_EQ(tick, lastVisit + 100) << k;
        } else {
            EXPECT_EQ(step, 100u) << k;
        }
        if (phase == UniversePhase::Visit) lastVisit = tick;
    }
}

TEST(UniverseCycle, TheWindowIsClearedBetweenCyclesAndThePreviewBoxIsNot) {
    for (HostKind kind : {HostKind::Window, HostKind::PreviewBox}) {
        UniverseRun run;
        uint32_t marker = 0;
        run.Run(
            [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
                if (fr.phase == UniversePhase::ReturnLeg) ctx.Surface.SetPixel(0, 0, kWhite);
                if (!StartOfCycle(fr, 1)) return false;
                marker = ctx.Surface.GetPixel(0, 0);
                return true;
            },
            kind);
        if (kind == HostKind::Window) {
            EXPECT_EQ(marker, 0u);
            EXPECT_EQ(run.f.host.MessageRefreshes(), 2u);  // after the first clear and this one
        } else {
            EXPECT_EQ(marker, kWhite);
            EXPECT_EQ(run.f.host.MessageRefreshes(), 0u);
        }
    }
}

TEST(UniverseCycle, AStopDuringTheCreationEndsTheRunAtOnce) {
    UniverseRun run;
    int passes = 0;
    run.f.host.SetOnEvents([&passes](HeadlessHost& h) {
        if (++passes == 4) h.Process().StopRequested = kTrue16;  // input during the 4th frame
    });
    run.Run([](EngineContext&, RuntimeArrays&, const UniverseFrame&) { return false; });
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.frames.back().phase, UniversePhase::Creation);

    // The preview box whose parent window went away ends after one frame.
    UniverseRun preview;
    preview.f.host.Process().RunMode = RunModeValue::Preview;
    preview.f.host.SetPreviewParentExists(false);
    preview.Run([](EngineContext&, RuntimeArrays&, const UniverseFrame&) { return false; },
                HostKind::PreviewBox);
    EXPECT_EQ(preview.frames.size(), 1u);
}

TEST(UniverseCycle, ThePreviewBoxPausesAfterCreationFramesUntilTheTickMoves) {
    UniverseRun run;
    run.f.host.Process().RunMode = RunModeValue::Preview;
    std::vector<uint32_t> ticks;
    run.Run(
        [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
            ticks.push_back(ctx.Host.TickCount());
            return fr.phase != UniversePhase::Creation;
        },
        HostKind::PreviewBox);
    // No frame delay: only the pauses move the clock, one millisecond after every
    // creation frame but the first.
    ASSERT_EQ(ticks.size(), 13u);
    EXPECT_EQ(ticks[1], ticks[0]);
    for (size_t k = 2; k < 12; ++k) EXPECT_EQ(ticks[k], ticks[k - 1] + 1) << k;
}

std::vector<int16_t> TypesOfFirstUniverse(UniverseRun& run) {
    std::vector<int16_t> types;
    run.Run([&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
        if (fr.phase == UniversePhase::Creation) return false;
        types = a.GalType;
        return true;
    });
    return types;
}

// Every galaxy type weight 0, then the given ones.
void StoreWeights(SettingsStore& store, std::initializer_list<std::pair<int, int>> weights) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", "0");
    for (auto [t, w] : weights) store.WriteText(GalaxyRegistrySection(t), "_UniGalPct", std::to_string(w));
}

TEST(CreateUniverse, SequentialVisitsTakeTheWeightedRowsInTurn) {
    UniverseRun run({{"Universe_Galaxy", "5"}, {"Universe_GVisit", "1"}});
    StoreWeights(run.store, {{1, 5}, {3, 2}});
    EXPECT_EQ(TypesOfFirstUniverse(run), (std::vector<int16_t>{1, 3, 1, 3, 1}));

    // Without any weight every object is type 0, in sequence or not.
    for (const char* visit : {"0", "1"}) {
        UniverseRun none({{"Universe_Galaxy", "4"}, {"Universe_GVisit", visit}});
        StoreWeights(none.store, {});
        EXPECT_EQ(TypesOfFirstUniverse(none), (std::vector<int16_t>{0, 0, 0, 0})) << visit;
    }
}

TEST(CreateUniverse, RandomTypesFollowTheWeightsAndCompositesTakeTheirSlots) {
    UniverseRun run({{"Universe_Galaxy", "400"}, {"Universe_Stars", "500"}});
    StoreWeights(run.store, {{1, 1}, {3, 3}});
    run.store.WriteText(CompositeRegistrySection(2), "_CompGalPct", "4");
    run.store.WriteText(CompositeRegistrySection(2), "CompGal_Count", "2");
    run.store.WriteText(CompositeRegistrySection(2), "CompGal_Type0", "4");
    run.store.WriteText(CompositeRegistrySection(2), "CompGal_Type1", "7");
    std::vector<int16_t> starTypes;
    std::vector<int16_t> starGalaxies;
    std::vector<int16_t> types;
    run.Run([&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
        if (fr.phase == UniversePhase::Creation) return false;
        types = a.GalType;
        starTypes = a.StarType;
        starGalaxies = a.StarGalaxy;
        return true;
    });
    int counts[kGalaxyTableRows] = {};
    for (int16_t t : types) ++counts[t];
    EXPECT_EQ(counts[1] + counts[3] + counts[34], 400);
    EXPECT_NEAR(counts[1], 50, 25);  // 1 : 3 : 4 of 400
    EXPECT_NEAR(counts[3], 150, 40);
    EXPECT_NEAR(counts[34], 200, 40);
    EXPECT_EQ(run.f.types[34].CompositeFlag, kTrue16);
    EXPECT_EQ(run.f.types[35].CompositeFlag, kFalse16);
    // Stars of a composite object are of its member types.
    for (size_t s = 0; s < starTypes.size(); ++s) {
        const int16_t own = types[static_cast<size_t>(starGalaxies[s])];
        if (own == 34) {
            EXPECT_TRUE(starTypes[s] == 4 || starTypes[s] == 7) << s;
        } else {
            EXPECT_EQ(starTypes[s], own) << s;
        }
    }
}

bool AllFinite(const std::vector<float>& v) {
    for (float x : v) {
        if (!std::isfinite(x)) return false;
    }
    return true;
}

TEST(CreateUniverse, WithoutExpansionNothingMovesApart) {
    // The "Standard" universe profile divides by the radius, which is 0 here.
    for (const char* profile : {"0", "2"}) {
        UniverseRun run({{"Universe_Expand", "0"}, {"Universe_Profile", profile}, {"Universe_AmProf", "1"}});
        bool checked = false;
        run.Run([&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            if (fr.phase == UniversePhase::Creation) return false;
            const float D = ctx.Settings.Universe_DstCen;
            for (int32_t g = 0; g < a.GalaxyCount; ++g) {
                const size_t i = static_cast<size_t>(g);
                EXPECT_EQ(a.GalWorldX[i], 0.0f);
                EXPECT_EQ(a.GalWorldY[i], 0.0f);
                EXPECT_EQ(a.GalWorldZ[i], D);
            }
            EXPECT_EQ(a.ExpandRadius, 0.0f);
            EXPECT_TRUE(AllFinite(a.AmbX) && AllFinite(a.AmbY) && AllFinite(a.AmbZ));
            EXPECT_TRUE(AllFinite(a.AmbDeltaX) && AllFinite(a.AmbDeltaY) && AllFinite(a.AmbDeltaZ));
            checked = true;
            return true;
        });
        EXPECT_TRUE(checked) << profile;
    }
}

TEST(CreateUniverse, OneCreationFrameAndEveryStarJoinsAGalaxy) {
    UniverseRun run({{"Universe_ESteps", "1"}, {"Universe_Persist", "0.25"}});
    run.Run([&](EngineContext&, RuntimeArrays& a, const UniverseFrame& fr) {
        if (fr.phase == UniversePhase::Creation) return false;
        int inFlight = 0;
        for (int32_t s = 0; s < a.StarCount; ++s) {
            const size_t i = static_cast<size_t>(s);
            inFlight += a.BirthState[i] != 2 ? 1 : 0;
            EXPECT_GT(a.StarRadius[i], 0.0f) << s;  // generated
            EXPECT_GE(a.StarGalaxy[i], 0);
            EXPECT_LT(a.StarGalaxy[i], a.GalaxyCount);
        }
        EXPECT_EQ(inFlight, a.StarCount);  // nobody could finish fading in one frame
        return true;
    });
    EXPECT_EQ(run.Count(UniversePhase::Creation, 0), 1);
}

// Every pixel the run shows is one it remembers and can erase: trails, flight paths,
// sparkles, novas, comets and ambient stars.
TEST(UniverseCycle, EverythingShownIsRememberedForErasing) {
    for (UniversePhase when : {UniversePhase::Creation, UniversePhase::Visit, UniversePhase::ReturnLeg}) {
        UniverseRun run(
            {{"Universe_STrail", "3"}, {"Universe_Persist", "0.9"}, {"Universe_NewFreq", "3000"}});
        int64_t lit = -1;
        int64_t left = -1;
        run.Run([&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
            bool late = fr.k == 2 && fr.t == 0.5f;  // inside the first core
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
