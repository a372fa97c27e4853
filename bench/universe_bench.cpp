// Cost of the saver's frames on a 1920 x 1080 surface, with the factory settings (2500
// stars, 100 galaxy objects, 200 ambient stars, no gravity) and at the largest settings
// (30000 stars, 999 objects with gravity recomputed every frame, 3000 ambient stars):
// one whole tour frame through a galaxy core (camera, gravity, galaxy frame with all its
// events, ambient stars, the end of the frame on a host that does not wait), the gravity
// pass alone, and the average frame of a whole universe creation.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine_setup.h"
#include "engine/gravity.h"
#include "engine/headless_host.h"
#include "engine/star_events.h"
#include "engine/tour.h"
#include "engine/universe.h"
#include "engine/universe_creation.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace {

using namespace astrelle;

enum class Size { Default, Largest };

struct Scene {
    HeadlessHost host{7};
    PixelSurface surface{1920, 1080};
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx{host, surface, types, composites};
    MemorySettingsStore store;
    RuntimeArrays arrays;
    UniverseObserver noObserver;
    FrameReporter report{noObserver};

    explicit Scene(Size size) {
        // The factory settings: universe theme 1, factory galaxy and composite types.
        StoreFactorySettings(store);
        LoadFactoryComposites(composites);
        EnsureFirstRunGalaxyTypes(store, types);
        if (size == Size::Largest) {
            for (auto [key, value] : {std::pair{"Universe_Stars", "30000"},
                                      {"Universe_Galaxy", "999"},
                                      {"Universe_AmStar", "3000"},
                                      {"Universe_GravForce", "125000"},
                                      {"Universe_GravFrame", "1"}}) {
                RegWriteText(store, kSectionUniverse, key, value);
            }
        }
        RegWriteText(store, kSectionAdvanced, "Adv_TimeDelay", "0");
        LoadDisplaySettings(ctx, store, 1920, 1080, SizeUnits::Pixels);
        ctx.Random.Seed(7);
        LoadUniverseSettings(ctx, store, HostKind::Window);
        PrepareUniverseSettings(ctx.Settings);
        const EngineSettings& st = ctx.Settings;
        arrays.Allocate(st.Universe_Stars, st.Universe_STrail, st.Universe_Galaxy, st.Universe_AmStar);
        arrays.AllocateCreation();
        ScaleTypeTable(types);
        for (size_t k = 0; k < static_cast<size_t>(kGalaxyTypeCount); ++k) {
            arrays.TypeHueAngle[k] = static_cast<float>(types[k].HueStart);
        }
    }

    // A finished creation and the camera in the core of object g, as the tour puts it
    // there: world positions from the creation, control points of the visit pushed.
    void EnterCore(int16_t g) {
        CreateUniverse(ctx, arrays, report);
        arrays.GalWorldX = arrays.GalViewX;
        arrays.GalWorldY = arrays.GalViewY;
        arrays.GalWorldZ = arrays.GalViewZ;
        arrays.TourStep = 1.0f / static_cast<float>(ctx.Settings.Universe_GSteps);
        const size_t i = static_cast<size_t>(g);
        const int16_t base = HomeType(ctx, arrays, g);
        const float dist = types[static_cast<size_t>(base)].Distance;
        for (float along : {-1.0f, -0.625f, -0.25f, 0.125f}) {
            PushControlPoint(arrays,
                             {arrays.GalWorldX[i], arrays.GalWorldY[i], arrays.GalWorldZ[i] + along * dist});
        }
        ctx.CurrentGalType = base;
        ResetEventBuffer(ctx, arrays, g);
    }
};

void TourFrame(benchmark::State& state, Size size) {
    Scene scene(size);
    const int16_t g = 1;
    scene.EnterCore(g);
    const int16_t k = 4;  // a core step: rebirths favour the visited object, comets run
    float t = 0.0f;
    auto frame = [&] {
        RunTourFrame(scene.ctx, scene.arrays, scene.report, TourLeg::Visit, g, k, t);
        t += scene.arrays.TourStep;
        if (t > 1.0f) t = 0.0f;
    };
    for (int n = 0; n < 100; ++n) frame();  // settle into the steady state of events
    for (auto _ : state) frame();
}

void Gravity(benchmark::State& state, Size size) {
    Scene scene(size);
    scene.EnterCore(1);
    for (auto _ : state) {
        ApplyGravity(scene.ctx, scene.arrays);
        benchmark::DoNotOptimize(scene.arrays.GalWorldX.data());
    }
    state.counters["pairs"] = static_cast<double>(scene.arrays.GalaxyCount) * (scene.arrays.GalaxyCount - 1);
}

// The whole creation of a universe; the reported time is per creation frame.
void CreationFrame(benchmark::State& state, Size size) {
    Scene scene(size);
    const int64_t frames = scene.ctx.Settings.Universe_ESteps;
    for (auto _ : state) CreateUniverse(scene.ctx, scene.arrays, scene.report);
    // Seconds per creation frame: "u" is microseconds, "m" milliseconds.
    state.counters["per_frame"] =
        benchmark::Counter(static_cast<double>(frames),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(TourFrame, Default, Size::Default)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TourFrame, Largest, Size::Largest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Gravity, Largest, Size::Largest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CreationFrame, Default, Size::Default)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CreationFrame, Largest, Size::Largest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
