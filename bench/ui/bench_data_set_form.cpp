// The draw editor over the sample game's whole history (8,374 draws):
// opening it (the grid filled from the history and shown) and confirming
// it unchanged (the grid handed back as draw text), against reading that
// same text with StrToNum, which the history does with it afterwards.
// Goal: the editor within 3 times StrToNum. And the import of a
// newest-first list of 8,000 and 32,000 draws into an empty game, shown,
// against the same list read with StrToNum (goal: within 5 times, shown
// rows included, linear in the list). Runs offscreen.
//
// And the editor's grid scrolled down by a page, as a click on the scroll
// bar's track does, against the same strings in a plain QTableView.
// Counters: ms and base_ms (medians), ratio. Goal: under 16 ms.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "plain_baselines.h"
#include "ui_bench_app.h"

#include "../sample_game.h"
#include "data/app_state.h"
#include "data/draw_text.h"
#include "games/ui/data_set_form.h"

namespace kelton {
namespace {

using bench::EnsureApplication;
// The state of the benchmarks on the sample game, with the sample game as
// its current game (opened once, made after the application so gone before
// it); nullptr when the game could not be had.
AppState* SampleState(benchmark::State& state)
{
    EnsureApplication();
    static AppState app;
    if (app.CurLottorData)
        return &app;
    auto game = std::make_shared<CLottorData>();
    if (!bench::OpenSample(state, *game))
        return nullptr;
    app.CurLottorData = std::move(game);
    return &app;
}

void BM_DrawEditorOpenAndConfirm(benchmark::State& state)
{
    AppState* app = SampleState(state);
    if (!app)
        return;
    FDataSet form(*app);
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
    state.counters["draws"] = app->CurLottorData->NumCount();
    state.counters["chars"] = static_cast<double>(length);
}
BENCHMARK(BM_DrawEditorOpenAndConfirm)->Unit(benchmark::kMillisecond);

void BM_StrToNumOfTheEditorsText(benchmark::State& state)
{
    AppState* app = SampleState(state);
    if (!app)
        return;
    FDataSet form(*app);
    form.Form_Load();
    const QString text = form.GridToNumStr();
    CLottorHead& head = app->CurLottorData->HeadData;
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

// count draws, newest first: issues count .. 1.
QString NewestFirst(int count)
{
    QString text;
    for (int i = count; i >= 1; --i)
        text += QStringLiteral("%1 %2 %3 %4\r\n").arg(i).arg(i % 10).arg(i / 10 % 10).arg(i / 100 % 10);
    return text;
}

void BM_DrawEditorImportNewestFirst(benchmark::State& state)
{
    EnsureApplication();
    AppState app; // an empty game of its own
    auto game = std::make_shared<CLottorData>();
    game->HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    app.CurLottorData = game;
    const int count = static_cast<int>(state.range(0));
    const QString text = NewestFirst(count);
    const QString format = QStringLiteral("N X X X");
    FDataSet form(app);
    form.show();
    int inserted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.Form_Load();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        inserted = form.ParseDrawText(text, format).Inserted;
        QCoreApplication::processEvents(); // the grid shows its rows
    }
    form.hide();
    if (inserted != count)
        state.SkipWithError("not every draw was inserted");
    state.counters["draws"] = inserted;
}
BENCHMARK(BM_DrawEditorImportNewestFirst)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

void BM_StrToNumOfANewestFirstList(benchmark::State& state)
{
    const QString text = NewestFirst(static_cast<int>(state.range(0)));
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    for (auto _ : state) {
        std::vector<Draw> draws;
        benchmark::DoNotOptimize(StrToNum(head, QStringLiteral("N X X X"), text, draws, false));
    }
}
BENCHMARK(BM_StrToNumOfANewestFirstList)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

void BM_DrawEditorPageDown(benchmark::State& state)
{
    AppState* app = SampleState(state);
    if (!app)
        return;
    FDataSet form(*app);
    form.resize(800, 600);
    form.show();
    form.Form_Load();
    bench::Settle();
    form.Grid()->SetTopRow(1);
    bench::Settle();
    bench::PlainTable table(form.Grid()->size());
    table.Show(bench::ContentOf(*form.Grid()));
    QScrollBar* bar = bench::VerticalBarOf(form.Grid());
    QScrollBar* plainBar = table.View().verticalScrollBar();
    if (!bar) {
        state.SkipWithError("the editor's grid has no scroll bar");
        return;
    }
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        const double took = bench::PageDownMs(bar);
        ms.push_back(took);
        base.push_back(bench::PageDownMs(plainBar));
        state.SetIterationTime(took / 1000);
        if (bar->value() >= bar->maximum()) {
            bar->setValue(0);
            plainBar->setValue(0);
            bench::Settle();
        }
    }
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["ms"] = m;
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}
BENCHMARK(BM_DrawEditorPageDown)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
