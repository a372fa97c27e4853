// Cost of one draw of the random source, which the star rules call several times per star
// and frame.
#include <benchmark/benchmark.h>

#include "engine/random_source.h"

namespace {

void BM_RandomSourceNext(benchmark::State& state) {
    astrelle::RandomSource random(42);
    for (auto _ : state) benchmark::DoNotOptimize(random.Next());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomSourceNext);

}  // namespace

BENCHMARK_MAIN();
