#include <benchmark/benchmark.h>

#include <QString>

#include "data/value_set.h"

namespace {

QString LongValueText(int items)
{
    QString text;
    for (int i = 0; i < items; ++i) {
        const int low = (i * 37) % 30000;
        text += (i % 3 == 0) ? QString::number(low) : QStringLiteral("%1-%2").arg(low).arg(low + i % 17);
        text += QLatin1Char(' ');
    }
    return text;
}

void BM_StrToRange(benchmark::State& state)
{
    const QString text = LongValueText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kelton::StrToRange(text, 0, 32767));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StrToRange)->Arg(100)->Arg(5000);

void BM_RangeToStr(benchmark::State& state)
{
    const kelton::ValueSet set = kelton::StrToRange(LongValueText(static_cast<int>(state.range(0))), 0, 32767);
    for (auto _ : state)
        benchmark::DoNotOptimize(kelton::RangeToStr(set));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RangeToStr)->Arg(100)->Arg(5000);

}  // namespace
