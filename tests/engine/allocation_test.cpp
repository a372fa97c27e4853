// The frame loop must not allocate: this test program counts every operator new while a
// busy preview runs its frames and while a saver run goes through whole universe cycles.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/engine_setup.h"
#include "engine/preview.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that this operator new hands out malloc'ed memory.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace astrelle {
namespace {

TEST(FrameAllocation, FramesOfABusyPreviewAllocateNothing) {
    testing::EngineFixture f(640, 480, 3);
    for (int t = 0; t < 2; ++t) {
        GalaxyTypeRecord& r = f.types[static_cast<size_t>(t)];
        r.NewFreq = 3000;
        r.NovaFreq = 3000;
        r.CometFreq = 5000;
        r.NovaExtMult = 3000;
    }
    f.composites[0].Count = 2;
    f.composites[0].Members[1] = 1;
    f.ctx.Geometry.PixelSize = 2;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    PreviewParams p;
    p.subject = PreviewSubject::CompositeType;
    p.limited = true;
    p.frameLimit = 200;
    p.stars = 3000;
    p.ambientPersistence = 0.9f;
    long during = -1;
    RunPreview(f.ctx, p, [&](EngineContext&, RuntimeArrays&, int32_t frame) {
        if (frame == 1) {
            gAllocations = 0;
            gCounting = true;
        } else if (frame == p.frameLimit) {
            gCounting = false;
            during = gAllocations;
        }
    });
    EXPECT_EQ(during, 0);
}

TEST(FrameAllocation, UniverseCyclesAllocateNothingAfterTheRunStarts) {
    testing::EngineFixture f(640, 480, 5);
    MemorySettingsStore store;
    // Busy: many rebirths, novas and comets, gravity in the second run.
    testing::StoreSmallUniverse(store, {{"Universe_NewFreq", "3000"}, {"Universe_Persist", "0.9"}});
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_NovaFreq", "3000");
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_CometFreq", "5000");
    }
    for (const char* gravity : {"0", "100000"}) {
        testing::Store(store, {{"Universe_GravForce", gravity}});
        long during = -1;
        RunSaverHostSequence(f.ctx, store, HostKind::Window,
                             [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& frame) {
                                 if (frame.frameInRun == 0) {
                                     gAllocations = 0;
                                     gCounting = true;
                                 } else if (frame.cycle == 3) {
                                     gCounting = false;
                                     during = gAllocations;
                                     ctx.Host.Process().StopRequested = kTrue16;
                                 }
                             });
        EXPECT_EQ(during, 0) << gravity;
    }
}

// Universe cycles to run in the long runs; ASTRELLE_LONG_RUN_CYCLES raises it for a soak.
int64_t LongRunCycles(int64_t normal) {
    const char* text = std::getenv("ASTRELLE_LONG_RUN_CYCLES");
    const int64_t n = text != nullptr ? std::atoll(text) : 0;
    return n > 0 ? n : normal;
}

// Runs whole universe cycles on a 1920 x 1080 surface and gives the allocations counted
// from the first frame on (-1 when the run ended early).
long CyclesAllocations(testing::StoredValues values, int64_t cycles) {
    testing::EngineFixture f(1920, 1080, 11);
    MemorySettingsStore store;
    CompositeTable composites{};
    LoadFactoryComposites(composites);
    SaveAllComposites(store, composites);
    testing::Store(store, {{"Adv_TimeDelay", "0"}});
    testing::Store(store, values);
    long during = -1;
    RunSaverHostSequence(f.ctx, store, HostKind::Window,
                         [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& frame) {
                             if (frame.frameInRun == 0) {
                                 gAllocations = 0;
                                 gCounting = true;
                             } else if (frame.cycle == cycles) {
                                 gCounting = false;
                                 during = gAllocations;
                                 ctx.Host.Process().StopRequested = kTrue16;
                             }
                         });
    return during;
}

// Long runs of the factory universe and of the largest one, with every event of the
// factory types; under the sanitizers they also show that nothing is read or written out
// of bounds. The tour is shortened (fewer frames per control step) so that whole cycles
// fit a test run.
TEST(LongRun, FactoryUniverseCyclesAllocateNothing) {
    EXPECT_EQ(CyclesAllocations({{"Universe_GSteps", "3"}, {"Universe_ESteps", "40"}}, LongRunCycles(3)), 0);
}

TEST(LongRun, LargestUniverseCyclesAllocateNothing) {
    EXPECT_EQ(CyclesAllocations({{"Universe_Stars", "30000"},
                                 {"Universe_Galaxy", "999"},
                                 {"Universe_AmStar", "3000"},
                                 {"Universe_STrail", "999"},
                                 {"Universe_GravForce", "125000"},
                                 {"Universe_GravFrame", "2"},
                                 {"Universe_GCCtrl", "0"},
                                 {"Universe_GSteps", "1"},
                                 {"Universe_ESteps", "20"}},
                                LongRunCycles(1)),
              0);
}

}  // namespace
}  // namespace astrelle
