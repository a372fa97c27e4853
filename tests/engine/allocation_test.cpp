// The frame loop must not allocate: this test program counts every operator new, here while
// a saver run goes through whole universe cycles (the busy preview counts its own frames).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/engine_setup.h"
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
namespace testing {

void StartCountingAllocations() {
    gAllocations = 0;
    gCounting = true;
}

long StopCountingAllocations() {
    gCounting = false;
    return gAllocations;
}

}  // namespace testing

namespace {

// Universe cycles to run in the long runs; ASTRELLE_LONG_RUN_CYCLES raises it for a soak.
int64_t LongRunCycles(int64_t normal) {
    const char* text = std::getenv("ASTRELLE_LONG_RUN_CYCLES");
    const int64_t n = text != nullptr ? std::atoll(text) : 0;
    return n > 0 ? n : normal;
}

// Runs whole universe cycles of the stored settings and gives the allocations counted from
// the first frame on (-1 when the run ended early).
long CyclesAllocations(testing::EngineFixture& f, SettingsStore& store, int64_t cycles) {
    long during = -1;
    RunSaverHostSequence(f.ctx, store, HostKind::Window,
                         [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame& frame) {
                             if (frame.frameInRun == 0) {
                                 testing::StartCountingAllocations();
                             } else if (frame.cycle == cycles) {
                                 during = testing::StopCountingAllocations();
                                 ctx.Host.Process().StopRequested = kTrue16;
                             }
                         });
    return during;
}

TEST(FrameAllocation, BusyUniverseCyclesAllocateNothingWithOrWithoutGravity) {
    testing::EngineFixture f(640, 480, 5);
    MemorySettingsStore store;
    testing::StoreSmallUniverse(store, {{"Universe_NewFreq", "3000"}, {"Universe_Persist", "0.9"}});
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_NovaFreq", "3000");
        store.WriteText(GalaxyRegistrySection(t), "Galaxy_CometFreq", "5000");
    }
    for (const char* gravity : {"0", "100000"}) {
        testing::Store(store, {{"Universe_GravForce", gravity}});
        EXPECT_EQ(CyclesAllocations(f, store, 3), 0) << gravity;
    }
}

// Long runs of the factory universe and of the largest one on a 1920 x 1080 surface, with
// every event of the factory types; under the sanitizers they also show that nothing is
// read or written out of bounds. The tour is shortened (fewer frames per control step) so
// that whole cycles fit a test run.
class LongRun : public ::testing::Test {
  protected:
    void SetUp() override {
        CompositeTable composites{};
        LoadFactoryComposites(composites);
        SaveAllComposites(store, composites);
        testing::Store(store, {{"Adv_TimeDelay", "0"}});
    }
    testing::EngineFixture f{1920, 1080, 11};
    MemorySettingsStore store;
};

TEST_F(LongRun, FactoryUniverseCyclesAllocateNothing) {
    testing::Store(store, {{"Universe_GSteps", "3"}, {"Universe_ESteps", "40"}});
    EXPECT_EQ(CyclesAllocations(f, store, LongRunCycles(3)), 0);
}

TEST_F(LongRun, LargestUniverseCyclesAllocateNothing) {
    testing::Store(store, {{"Universe_Stars", "30000"},
                           {"Universe_Galaxy", "999"},
                           {"Universe_AmStar", "3000"},
                           {"Universe_STrail", "999"},
                           {"Universe_GravForce", "125000"},
                           {"Universe_GravFrame", "2"},
                           {"Universe_GCCtrl", "0"},
                           {"Universe_GSteps", "1"},
                           {"Universe_ESteps", "20"}});
    EXPECT_EQ(CyclesAllocations(f, store, LongRunCycles(1)), 0);
}

}  // namespace
}  // namespace astrelle
