// The frame loop must not allocate: this test program counts every operator new while
// saver runs go through whole universe cycles and previews run their frames.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/preview.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"

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

// Allocations from the first frame of a run to the start of the given cycle (-1 when the
// run ended early).
long CyclesAllocations(testing::EngineFixture& f, SettingsStore& store, int64_t cycles) {
    long during = -1;
    RunSaverHostSequence(f.ctx, store, HostKind::Window,
                         [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& fr) {
                             if (fr.frameInRun == 0) {
                                 gAllocations = 0;
                                 gCounting = true;
                             } else if (fr.cycle == cycles) {
                                 gCounting = false;
                                 during = gAllocations;
                                 ctx.Host.Process().StopRequested = kTrue16;
                             }
                         });
    return during;
}

// Busy universe cycles with and without gravity, and busy galaxy and composite previews:
// every event of every type comes often.
TEST(FrameAllocation, BusyUniverseCyclesAndPreviewsAllocateNothing) {
    testing::EngineFixture f(640, 480, 5);
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, "Universe_NewFreq=3000 Universe_Persist=0.9");
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_NovaFreq", "3000");
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_CometFreq", "5000");
    }
    for (const char* gravity : {"Universe_GravForce=0", "Universe_GravForce=100000"}) {
        testing::Store(store, gravity);
        EXPECT_EQ(CyclesAllocations(f, store, 3), 0) << gravity;
    }
    LoadUniverseSettings(f.ctx, store, HostKind::Window);  // the table back in setting units
    LoadFactoryComposites(f.composites);
    f.host.Process().StopRequested = kFalse16;
    for (PreviewSubject subject : {PreviewSubject::GalaxyType, PreviewSubject::CompositeType}) {
        long during = -1;
        RunPreview(f.ctx, {3, subject, true, 300, 1500, 3, 200, 0.95f, 0.07f, 0.1f, 10},
                   [&](EngineContext&, RuntimeArrays&, int32_t frame) {
                       gCounting = frame < 300;
                       if (frame == 1) gAllocations = 0;
                       if (frame == 300) during = gAllocations;
                   });
        EXPECT_EQ(during, 0);
    }
}

}  // namespace
}  // namespace astrelle
