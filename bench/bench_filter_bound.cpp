// The extreme-range window's back-test on the real history: the
// out-of-range counts of the last 100 issues, each against the extremes of
// the N issues before it, for one view ("查看") and summed over all eight
// ("所有"); N = 20 (the window's default) and 100 (the slider's end).

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "filter/filter_bound.h"
#include "sample_game.h"

namespace {

using namespace kelton;
using namespace kelton::bench;

void BM_OutOfRangeChart(benchmark::State& state)
{
    CLottorData game;
    if (!OpenSample(state, game))
        return;
    const auto views = static_cast<int16_t>(state.range(0));
    const auto n = static_cast<int32_t>(state.range(1));
    std::vector<const CStat*> stats;
    for (int16_t v = 0; v < views; ++v)
        stats.push_back(game.StatView(v));
    for (auto _ : state) {
        const ChartData chart = OutOfRangeChart(game, stats, n);
        benchmark::DoNotOptimize(chart.At(100, 1));
    }
}
BENCHMARK(BM_OutOfRangeChart)
    ->Args({1, 20})
    ->Args({1, 100})
    ->Args({8, 20})
    ->Args({8, 100})
    ->Unit(benchmark::kMillisecond);

} // namespace
