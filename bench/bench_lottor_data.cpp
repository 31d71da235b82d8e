// Opening the sample game, appending one draw to it, and rebuilding all of
// its views, in a temporary program folder seeded as on a first start.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "data/lottor_data.h"

namespace kelton {
namespace {

using bench::GameHistory;
using bench::OpenSample;
using bench::SampleFolder;

void BM_OpenSampleGame(benchmark::State& state)
{
    if (!SampleFolder::Get().Ok()) {
        state.SkipWithError("the sample game could not be seeded");
        return;
    }
    for (auto _ : state) {
        auto game = std::make_unique<CLottorData>();
        const bool failed = game->OpenData(8, QString::fromLatin1(kSampleGamePath));
        benchmark::DoNotOptimize(failed);
        state.PauseTiming();
        if (failed || game->NumCount() != 8374)
            state.SkipWithError("the sample game did not open with its statistics");
        game.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSampleGame)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_AppendOneDraw(benchmark::State& state)
{
    CLottorData game;
    if (!OpenSample(state, game))
        return;
    const std::vector<Draw> history = GameHistory(game);
    std::vector<Draw> longer = history;
    longer.push_back(Draw{history.back().Issue + 1, {0, 4, 5, 6}});
    for (auto _ : state) {
        game.Add(longer);
        const bool failed = game.UpData();
        benchmark::DoNotOptimize(failed);
        state.PauseTiming();
        if (failed)
            state.SkipWithError("UpData failed");
        // Back to the stored history for the next round.
        game.Add(history);
        if (game.UpData())
            state.SkipWithError("restoring the history failed");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendOneDraw)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_RebuildAllViews(benchmark::State& state)
{
    CLottorData game;
    if (!OpenSample(state, game))
        return;
    for (auto _ : state) {
        const bool failed = game.ReStat();
        benchmark::DoNotOptimize(failed);
    }
}
BENCHMARK(BM_RebuildAllViews)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kelton
