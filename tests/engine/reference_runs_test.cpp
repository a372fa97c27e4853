// End-to-end reference runs: seeded headless runs on a small surface, one per phase that
// matters, compared at chosen frames with the digests in tests/engine/references. A
// mismatch names the first frame that differs and what differs there, and writes the
// actual and the difference picture of that frame to the test output folder.
// scripts/update-references rewrites the references after an intended change.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/preview.h"
#include "engine_test_support.h"
#include "reference_run.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"

namespace astrelle {
namespace {

using testing::ReferenceRun;

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Factory galaxy types and composites with every event of the chosen types turned up.
void BusyFactoryTypes(testing::EngineFixture& f, std::initializer_list<int> busy) {
    LoadFactoryGalaxyTypes(f.types);
    LoadFactoryComposites(f.composites);
    for (int t : busy) {
        GalaxyTypeRecord& r = f.types[static_cast<size_t>(t)];
        r.NewFreq = 2500;
        r.NovaFreq = 3000;
        r.NovaFrames = 9;
        r.CometFreq = 900;
        r.CometStars = 30;
    }
    BuildHueTable(f.ctx);
    BuildAllHueRamps(f.ctx, -1, -1, 30, 300);
}

void RunPreviewReference(const char* name, const PreviewParams& params, int16_t pixelSize, float focalLength,
                         std::vector<int64_t> checkpoints) {
    testing::EngineFixture f(kWidth, kHeight, 17);
    BusyFactoryTypes(f, {5, 13, 17, 28});
    f.ctx.Geometry.PixelSize = pixelSize;
    f.ctx.Geometry.FocalLength = focalLength;
    f.ctx.Settings.Adv_TimeDelay = 15;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    ReferenceRun run(name, std::move(checkpoints));
    RunPreview(f.ctx, params, [&](EngineContext& ctx, RuntimeArrays& a, int32_t frame) {
        run.See(ctx, a, "preview", frame);
    });
    run.Check();
}

// A whole universe cycle and the start of the next through the host sequence, with the
// settings a user could have stored (the message and font values outside their ranges).
void RunUniverseReference(const char* name, HostKind kind, testing::StoredValues overrides,
                          std::vector<int64_t> checkpoints, int64_t framesIntoSecondCycle) {
    testing::EngineFixture f(kWidth, kHeight, 23);
    MemorySettingsStore store;
    StoreFactorySettings(store);
    testing::StoreFactoryTypes(store);
    testing::Store(store, {{"Adv_TimeDelay", "20"},
                           {"LockMessage", "   Out among the stars; back in a while, please wait for me!  "},
                           {"Adv_FontName", ""},
                           {"Adv_FontSize", "5"},
                           {"Adv_FontHueV", "400"},
                           {"Universe_Stars", "700"},
                           {"Universe_Galaxy", "3"},
                           {"Universe_STrail", "3"},
                           {"Universe_ESteps", "40"},
                           {"Universe_GSteps", "6"},
                           {"Universe_GPCtrl", "2"},
                           {"Universe_GCCtrl", "3"},
                           {"Universe_NewFreq", "600"},
                           {"Universe_AmStar", "40"},
                           {"Universe_AmPers", "0.97"},
                           {"Universe_AmCAge", "0.8"},
                           {"Universe_AmFrames", "12"},
                           {"Universe_AmMaxExt", "3000"}});
    for (int t : {5, 10, 13, 17}) {  // the comet types, busy
        for (auto [key, text] : {std::pair{"Galaxy_NewFreq", "2500"},
                                 {"Galaxy_NovaFreq", "3000"},
                                 {"Galaxy_CometFreq", "900"},
                                 {"Galaxy_CometStars", "30"}}) {
            store.WriteText(GalaxyRegistrySection(t), key, text);
        }
    }
    testing::Store(store, overrides);
    if (kind == HostKind::PreviewBox) f.host.Process().RunMode = RunModeValue::Preview;
    ReferenceRun run(name, std::move(checkpoints));
    RunSaverHostSequence(f.ctx, store, kind,
                         [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                             run.See(ctx, a, testing::Describe(fr), fr.frameInRun + 1);
                             if (fr.cycle == 1 && fr.frameInCycle + 1 == framesIntoSecondCycle) {
                                 ctx.Host.Process().StopRequested = kTrue16;
                             }
                         });
    run.Check();
}

TEST(ReferenceRuns, GalaxyPreviewWithCometsNovasAndAmbientReplacements) {
    RunPreviewReference("galaxy-preview",
                        {.typeIndex = 5,
                         .limited = true,
                         .frameLimit = 120,
                         .stars = 800,
                         .trail = 3,
                         .ambientCount = 60,
                         .ambientPersistence = 0.97f,
                         .ambientAgeStep = 0.9f,
                         .symmetry = 0.3f,
                         .flareFrames = 12,
                         .extension = 30000},
                        1, 1.0f, {1, 40, 120});
}

TEST(ReferenceRuns, CompositePreviewWithLargeDots) {
    RunPreviewReference("composite-preview",
                        {.typeIndex = 13,
                         .subject = PreviewSubject::CompositeType,
                         .limited = true,
                         .frameLimit = 80,
                         .stars = 900,
                         .trail = 2,
                         .ambientCount = 50,
                         .ambientPersistence = 0.95f,
                         .ambientAgeStep = 2.0f,
                         .symmetry = 1.0f,
                         .flareFrames = 8,
                         .extension = 60000},
                        3, 1.5f, {1, 80});
}

// Creation, visits with comets and novas, the pull-back and the clear before the next
// universe; ambient stars placed in shells.
TEST(ReferenceRuns, UniverseCycleWithCometsAndNovas) {
    RunUniverseReference("universe", HostKind::Window, {}, {13, 40, 44, 58, 75, 79, 100, 135, 149, 166, 169},
                         3);
}

// Sequential types, a flat "Standard" universe profile that is taller than wide, ambient
// stars by the profile, gravity, the tour switched off, large dots and a long focal length.
TEST(ReferenceRuns, UniverseByProfileWithGravityAndNoTour) {
    RunUniverseReference("universe-profile", HostKind::Window,
                         {{"Universe_AmProf", "1"},
                          {"Universe_Profile", "0"},
                          {"Universe_HWRatio", "2.5"},
                          {"Universe_Symetry", "0.5"},
                          {"Universe_Damping", "0.5"},
                          {"Universe_GVisit", "1"},
                          {"Universe_GravForce", "40000"},
                          {"Universe_GravFrame", "2"},
                          {"Universe_Tour", "0"},
                          {"PixelSize", "2"},
                          {"FocalLength", "0.8"}},
                         {13, 40, 58, 79, 135, 149, 166, 169}, 3);
}

// The display settings' preview box: fewer stars, no clearing between universes, a pause
// after every creation frame.
TEST(ReferenceRuns, PreviewBoxAcrossTwoUniverses) {
    RunUniverseReference("preview-box", HostKind::PreviewBox,
                         {{"Universe_ESteps", "10"},
                          {"Universe_Galaxy", "2"},
                          {"Universe_GSteps", "3"},
                          {"Universe_GPCtrl", "1"},
                          {"Universe_GCCtrl", "1"},
                          {"Universe_Profile", "5"}},
                         {5, 10, 17, 25, 34, 36, 42}, 8);
}

}  // namespace
}  // namespace astrelle
