// The analysis views of view 0 over the whole sample history: what each
// view computes against the statistics reads it stands on, made straight
// on the view (the records read through CStat, nothing computed).
//
// Counters: reads_ms, the reads alone per pass, and ratio, the view's
// computation over the reads (goal: 5 or less).

#include <chrono>
#include <functional>

#include <benchmark/benchmark.h>

#include "analysis/indicator_series.h"
#include "analysis/miss_stats.h"
#include "analysis/ranking.h"
#include "analysis/relation_matrix.h"
#include "data/app_state.h"
#include "engine/stat.h"
#include "sample_game.h"

namespace kelton {
namespace {

using Clock = std::chrono::steady_clock;

// Times the view and its reads in turn, each iteration.
void Compare(benchmark::State& state, const std::function<void(const CStat&)>& view,
             const std::function<void(const CStat&)>& reads)
{
    CLottorData game;
    if (!bench::OpenSample(state, game))
        return;
    const CStat& stat = *game.StatView(0);
    double viewSeconds = 0;
    double readSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        view(stat);
        const auto t1 = Clock::now();
        state.PauseTiming();
        const auto t2 = Clock::now();
        reads(stat);
        readSeconds += std::chrono::duration<double>(Clock::now() - t2).count();
        state.ResumeTiming();
        viewSeconds += std::chrono::duration<double>(t1 - t0).count();
    }
    state.counters["records"] = stat.BallCount();
    state.counters["reads_ms"] = readSeconds / static_cast<double>(state.iterations()) * 1e3;
    state.counters["ratio"] = viewSeconds / readSeconds;
}

int32_t Last(const CStat& s)
{
    return s.BallCount() - 1;
}

void BM_RankingChart(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            for (int16_t kind = 0; kind < 8; ++kind)
                benchmark::DoNotOptimize(RankChart(s, SecondaryDraws(), kind, Last(s), RankArea{0, 9}, true,
                                                   QStringLiteral("号码")));
        },
        [](const CStat& s) {
            for (int16_t kind = 0; kind < 8; ++kind) {
                for (int16_t r = 0; r <= 9; ++r)
                    benchmark::DoNotOptimize(s.Stat(Last(s), 0, s.Stat(Last(s), 0, r, kind, 2), kind, 0));
            }
        });
}
BENCHMARK(BM_RankingChart)->Unit(benchmark::kMillisecond);

void BM_TrendSeries(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            ChartData data;
            const int16_t kind[] = {1};
            benchmark::DoNotOptimize(GetFilterArray(s, SecondaryDraws(), kind, 0, Last(s), data));
        },
        [](const CStat& s) {
            for (int32_t r = 0; r <= Last(s); ++r) {
                benchmark::DoNotOptimize(s.NumName(r));
                benchmark::DoNotOptimize(s.Filter(r, 1));
            }
        });
}
BENCHMARK(BM_TrendSeries)->Unit(benchmark::kMillisecond);

void BM_CycleSeries(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            ChartData data;
            benchmark::DoNotOptimize(GetCycleArray(s, 0, Last(s), data));
        },
        [](const CStat& s) {
            for (int32_t r = 0; r <= Last(s); ++r) {
                benchmark::DoNotOptimize(s.NumName(r));
                benchmark::DoNotOptimize(s.Filter(r, 19));
                benchmark::DoNotOptimize(s.CycleCount(r));
            }
        });
}
BENCHMARK(BM_CycleSeries)->Unit(benchmark::kMillisecond);

void BM_MissOfSums(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            const MissRange range = KindRange(*s.HeadData(), 1);
            const MissCounts c = CountMisses(KindSlots(s, 1, range, 0, Last(s)), range.Count());
            for (int k = 0; k < 4; ++k) {
                const auto stat = static_cast<MissStat>(k);
                benchmark::DoNotOptimize(MissChart(MissValues(c, stat), stat, range.Low, QStringLiteral("和值")));
            }
        },
        [](const CStat& s) {
            for (int32_t r = Last(s) - 1; r >= 0; --r)
                benchmark::DoNotOptimize(s.Filter(r, 1));
        });
}
BENCHMARK(BM_MissOfSums)->Unit(benchmark::kMillisecond);

void BM_MissOfPairs(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            const MissRange a = KindRange(*s.HeadData(), 12);
            const MissRange b = KindRange(*s.HeadData(), 13);
            const MissCounts c = CountMisses(PairSlots(s, 12, a, 13, b, 0, Last(s)), PairSlotCount(a, b));
            const QString name = PairSeriesName(QStringLiteral("A"), a, QStringLiteral("B"), b);
            for (int k = 0; k < 5; ++k) {
                const auto stat = static_cast<MissStat>(k);
                benchmark::DoNotOptimize(MissChart(MissValues(c, stat), stat, 0, name));
            }
        },
        [](const CStat& s) {
            for (int32_t r = Last(s) - 1; r >= 0; --r) {
                benchmark::DoNotOptimize(s.Filter(r, 12));
                benchmark::DoNotOptimize(s.Filter(r, 13));
            }
        });
}
BENCHMARK(BM_MissOfPairs)->Unit(benchmark::kMillisecond);

void BM_CombinedIndicatorTable(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            const int cols = IndicatorTableCols(*s.HeadData());
            for (int32_t r = 0; r <= Last(s); ++r) {
                for (int c = 1; c < cols; ++c)
                    benchmark::DoNotOptimize(IndicatorTableValue(s, SecondaryDraws(), r, c, 1));
            }
        },
        [](const CStat& s) {
            for (int32_t r = 0; r <= Last(s); ++r) {
                for (int16_t p = 3; p >= 1; --p)
                    benchmark::DoNotOptimize(s.Num(r, p));
                for (int16_t k = 0; k < 43; ++k)
                    benchmark::DoNotOptimize(s.Filter(r, k));
            }
        });
}
BENCHMARK(BM_CombinedIndicatorTable)->Unit(benchmark::kMillisecond);

// The relation view counts from the view's number table; its reads are the
// numbers of every draw through Num.
void BM_RelationMatrix(benchmark::State& state)
{
    Compare(
        state,
        [](const CStat& s) {
            for (int16_t kind = 0; kind < kRelationKinds; ++kind)
                benchmark::DoNotOptimize(GetPairMatrix(s, 0, Last(s), kind));
        },
        [](const CStat& s) {
            for (int16_t kind = 0; kind < kRelationKinds; ++kind) {
                for (int32_t r = 0; r < Last(s); ++r) {
                    for (int16_t p = 1; p <= 3; ++p)
                        benchmark::DoNotOptimize(s.Num(r, p));
                }
            }
        });
}
BENCHMARK(BM_RelationMatrix)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
