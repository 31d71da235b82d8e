// The draw editor over the sample game's whole history (8,374 draws):
// opening it (the grid filled from the history and shown) and confirming
// it unchanged (the grid handed back as draw text), against reading that
// same text with StrToNum, which the history does with it afterwards.
// Goal: the editor within 3 times StrToNum. Runs offscreen.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui_bench_app.h"

#include "../sample_game.h"
#include "data/app_state.h"
#include "data/draw_text.h"
#include "games/ui/data_set_form.h"

namespace kelton {
namespace {

using bench::EnsureApplication;
// The sample game as the current game.
bool SampleIsCurrent(benchmark::State& state)
{
    EnsureApplication();
    if (Mmain().CurLottorData)
        return true;
    auto game = std::make_shared<CLottorData>();
    if (!bench::OpenSample(state, *game))
        return false;
    Mmain().CurLottorData = std::move(game);
    return true;
}

void BM_DrawEditorOpenAndConfirm(benchmark::State& state)
{
    if (!SampleIsCurrent(state))
        return;
    FDataSet form;
    form.show();
    QCoreApplication::processEvents();
    qsizetype length = 0;
    for (auto _ : state) {
        form.Form_Load();
        QCoreApplication::processEvents(); // the grid shows its rows
        const QString text = form.GridToNumStr();
        length = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["draws"] = Mmain().CurLottorData->NumCount();
    state.counters["chars"] = static_cast<double>(length);
}
BENCHMARK(BM_DrawEditorOpenAndConfirm)->Unit(benchmark::kMillisecond);

void BM_StrToNumOfTheEditorsText(benchmark::State& state)
{
    if (!SampleIsCurrent(state))
        return;
    FDataSet form;
    form.Form_Load();
    const QString text = form.GridToNumStr();
    CLottorHead& head = Mmain().CurLottorData->HeadData;
    const QString format = head.GetDefFormat();
    int32_t count = 0;
    for (auto _ : state) {
        std::vector<Draw> draws;
        count = StrToNum(head, format, text, draws, false);
        benchmark::DoNotOptimize(draws.data());
    }
    state.counters["draws"] = count;
}
BENCHMARK(BM_StrToNumOfTheEditorsText)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
