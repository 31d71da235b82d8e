// The draw editor's import of a newest-first draw list (issues running
// downwards, as download pages list them) into an empty table: 8,000 draws
// and 32,000 (near a game's limit of 32,766). Against the floor a careful
// programmer would write: the same text read with StrToNum, the draws sorted
// by issue and appended as rows in one pass. Goal: within 2 times the floor,
// growing linearly with the list.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "data/draw_text.h"
#include "games/draw_grid.h"
#include "platform/grid_data.h"

namespace kelton {
namespace {

const QString kFormat = QStringLiteral("N X X X");

// count draws of the sample history, newest first: issues count .. 1.
QString NewestFirst(int count)
{
    const std::vector<Draw>& sample = bench::SampleDraws();
    QString text;
    text.reserve(count * 11);
    for (int i = count; i >= 1; --i) {
        const Draw& draw = sample[static_cast<size_t>(i) % sample.size()];
        text += QString::number(i);
        for (int k = 1; k <= 3; ++k) {
            text += u' ';
            text += QChar(u'0' + draw.Num[static_cast<size_t>(k)]);
        }
        text += u"\r\n";
    }
    return text;
}

void BM_ImportNewestFirst(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QString text = NewestFirst(count);
    CLottorHead& head = bench::ThreeDigitHead();
    int inserted = 0;
    std::optional<CGridData> cells;
    for (auto _ : state) {
        state.PauseTiming();
        cells.reset(); // the last table goes outside the timing
        cells.emplace();
        CGridDataRows rows(*cells);
        state.ResumeTiming();
        inserted = ParseDrawText(rows, head, text, kFormat).Inserted;
        benchmark::DoNotOptimize(cells->Rows());
    }
    if (inserted != count)
        state.SkipWithError("not every draw was inserted");
    state.counters["draws"] = inserted;
}
BENCHMARK(BM_ImportNewestFirst)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

// The floor: read, sort, append.
void BM_ImportNewestFirstFloor(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QString text = NewestFirst(count);
    CLottorHead& head = bench::ThreeDigitHead();
    std::optional<CGridData> cells;
    for (auto _ : state) {
        state.PauseTiming();
        cells.reset();
        cells.emplace();
        CGridDataRows rows(*cells);
        state.ResumeTiming();
        std::vector<Draw> draws;
        StrToNum(head, kFormat, text, draws, false);
        std::sort(draws.begin(), draws.end(), [](const Draw& a, const Draw& b) { return a.Issue < b.Issue; });
        for (const Draw& draw : draws) {
            QString numbers;
            for (int k = 1; k <= 3; ++k) {
                if (k > 1)
                    numbers += u' ';
                numbers += Padded(draw.Num[static_cast<size_t>(k)], head.BcNumMaxLen);
            }
            rows.InsertRow(rows.Rows(), QString::number(draw.Issue), numbers);
        }
        benchmark::DoNotOptimize(cells->Rows());
    }
    state.counters["draws"] = count;
}
BENCHMARK(BM_ImportNewestFirstFloor)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
