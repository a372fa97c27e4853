// The frame loop must not allocate: this test program counts every operator new while a
// busy preview runs its frames.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/preview.h"
#include "engine_test_support.h"

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

}  // namespace
}  // namespace astrelle
