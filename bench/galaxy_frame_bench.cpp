// Cost of UpdateGalaxyFrame per star and frame on a 1920 x 1080 surface, with the factory
// "Standard Galaxy" type and all its events (rebirths, sparkles, novas, comets) running:
// 2500 stars with a trail of 2 and 30000 stars with a trail of 1, one galaxy in view as
// in the preview, and 30000 stars spread over 100 galaxy objects as in the saver.
#include <benchmark/benchmark.h>

#include "engine/colour.h"
#include "engine/frame_loop.h"
#include "engine/galaxy_frame.h"
#include "engine/headless_host.h"
#include "engine/star_events.h"
#include "engine/star_generation.h"
#include "settings/factory_tables.h"

namespace {

using namespace astrelle;

struct Scene {
    HeadlessHost host{7};
    PixelSurface surface{1920, 1080};
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx{host, surface, types, composites};
    RuntimeArrays arrays;

    Scene(int32_t stars, int32_t trail, int32_t galaxies) {
        LoadFactoryGalaxyTypes(types);
        LoadFactoryComposites(composites);
        ComputeGeometry(ctx.Geometry, 1920, 1080, 1.0f, 1);
        BuildHueTable(ctx);
        BuildAllHueRamps(ctx, -1, -1, 180, 225);
        ScaleTypeTable(types);
        arrays.Allocate(stars, trail, galaxies, 0);
        const float dist = types[0].Distance;
        for (int32_t g = 0; g < galaxies; ++g) {
            // Objects side by side in a grid in front of the camera.
            const size_t k = static_cast<size_t>(g);
            arrays.GalType[k] = 0;
            arrays.GalViewX[k] = galaxies == 1 ? 0.0f : static_cast<float>(g % 10 - 4.5) * 2.0f * dist;
            arrays.GalViewY[k] = galaxies == 1 ? 0.0f : static_cast<float>(g / 10 - 4.5) * 1.2f * dist;
            arrays.GalViewZ[k] = galaxies == 1 ? dist : 10.0f * dist;
        }
        for (size_t t = 0; t < static_cast<size_t>(kGalaxyTypeCount); ++t) {
            arrays.TypeHueAngle[t] = types[t].HueStart;
            arrays.TypeSpinAngle[t] = types[t].AngleTilt;
        }
        for (int32_t s = 0; s < arrays.StarCount; ++s) {
            arrays.StarGalaxy[static_cast<size_t>(s)] = static_cast<int16_t>(s % galaxies);
            arrays.StarType[static_cast<size_t>(s)] = 0;
            GenerateStar(ctx, arrays, s, 0, arrays.TypeHueAngle[0]);
        }
        ctx.CurrentGalType = 0;
        arrays.EvtSlotStride = CometSlotCount(types[0].CometStars);
    }
};

void RunFrames(benchmark::State& state, int32_t stars, int32_t trail, int32_t galaxies) {
    Scene scene(stars, trail, galaxies);
    const PreviewKind kind = galaxies == 1 ? PreviewKind::Galaxy : PreviewKind::None;
    // Settle into the steady state of births and deaths before measuring.
    for (int k = 0; k < 100; ++k) {
        StepTypeSpin(scene.types, scene.arrays);
        UpdateGalaxyFrame(scene.ctx, scene.arrays, 0, 32000, 0.0f, true, kind);
    }
    for (auto _ : state) {
        StepTypeSpin(scene.types, scene.arrays);
        UpdateGalaxyFrame(scene.ctx, scene.arrays, 0, 32000, 0.0f, true, kind);
    }
    state.counters["ns_per_star"] =
        benchmark::Counter(static_cast<double>(stars) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GalaxyFrame_2500Stars_Trail2(benchmark::State& state) {
    RunFrames(state, 2500, 2, 1);
}
void BM_GalaxyFrame_30000Stars_Trail1(benchmark::State& state) {
    RunFrames(state, 30000, 1, 1);
}
void BM_GalaxyFrame_30000Stars_Trail1_100Galaxies(benchmark::State& state) {
    RunFrames(state, 30000, 1, 100);
}

BENCHMARK(BM_GalaxyFrame_2500Stars_Trail2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GalaxyFrame_30000Stars_Trail1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GalaxyFrame_30000Stars_Trail1_100Galaxies)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
