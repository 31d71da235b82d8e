// The analysis window of view 0 on the sample history (8,374 draws and the
// next issue): made, built (its period lists hold every issue), and shown
// on "历史出数分布" over the whole history, offscreen with the cells on
// screen drawn; against reading those records through the statistics view
// alone. Goal: within 3 times the reading.
//
// Then what a user waits for in the built window: each view opened by its
// option button, and each page of the tab strip selected, from the click
// until the window is drawn; against the same drawing done plainly (a
// QTableView over the same strings, or the same chart drawn with QPainter).
// Counters: ms and base_ms (medians), first_ms (the first open, which
// carries what a view does once), ratio. Goal: under 50 ms each.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>

#include "../sample_game.h"
#include "plain_baselines.h"
#include "ui_bench_app.h"

#include "analysis/ui/infer_form.h"
#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"

namespace kelton {
namespace {

// The sample game, opened as app's current game.
std::shared_ptr<CLottorData> OpenCurrentSample(benchmark::State& state, AppState& app)
{
    auto game = std::make_shared<CLottorData>();
    if (!bench::OpenSample(state, *game))
        return nullptr;
    app.CurLottorData = game;
    return game;
}

void BM_InferDistributionWholeHistory(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    const std::shared_ptr<CLottorData> game = OpenCurrentSample(state, app);
    if (!game)
        return;
    CStat& stat = *game->StatView(0);
    int rows = 0;
    for (auto _ : state) {
        auto form = std::make_unique<FInfer>(app, 0, stat);
        form->resize(1000, 700);
        form->FindClick(); // builds the window on "历史分布图"
        form->Controls().cboPTStart->setCurrentIndex(0);
        form->ShowLay(QStringLiteral("历史出数分布"));
        QCoreApplication::processEvents(); // the cells on screen drawn
        rows = form->Grid()->Rows() - 2;
        form->SetVisible(false);
    }
    state.counters["periods"] = rows;
}
BENCHMARK(BM_InferDistributionWholeHistory)->Unit(benchmark::kMillisecond);

// Every record of the view read once, with the numbers of its draw.
void BM_InferRecordsThroughStat(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    const std::shared_ptr<CLottorData> game = OpenCurrentSample(state, app);
    if (!game)
        return;
    const CStat& stat = *game->StatView(0);
    for (auto _ : state) {
        int64_t sum = 0;
        for (int32_t p = 0; p < stat.BallCount(); ++p) {
            sum += stat.LoadRecord(p).Index();
            for (int16_t k = 1; k <= 3; ++k)
                sum += stat.Stat(p, k, stat.Num(p, k, 0), 0, 0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["periods"] = stat.BallCount();
}
BENCHMARK(BM_InferRecordsThroughStat)->Unit(benchmark::kMillisecond);

// The window of view 0 on the sample game, built and shown once for the
// view and page benchmarks, with the plain table and chart beside it; the
// state it is made over outlives it.
struct ShownWindow {
    AppState App;
    std::shared_ptr<CLottorData> Game;
    std::unique_ptr<FInfer> Form;
    std::unique_ptr<bench::PlainTable> Table;
    std::unique_ptr<bench::PlainChart> Chart;

    static ShownWindow* Get(benchmark::State& state)
    {
        // Made after the application, so gone before it.
        static const std::unique_ptr<ShownWindow> shown = [&]() -> std::unique_ptr<ShownWindow> {
            bench::EnsureApplication();
            auto w = std::make_unique<ShownWindow>();
            w->Game = OpenCurrentSample(state, w->App);
            if (!w->Game)
                return nullptr;
            w->Form = std::make_unique<FInfer>(w->App, 0, *w->Game->StatView(0));
            w->Form->resize(1000, 700);
            w->Form->FindClick(); // built, on "历史分布图"
            w->Form->show();
            bench::Settle();
            w->Table = std::make_unique<bench::PlainTable>(w->Form->Grid()->size());
            w->Chart = std::make_unique<bench::PlainChart>(w->Form->chMain()->size());
            w->Form->Controls().cboPTStart->setCurrentIndex(0); // the whole history
            bench::Settle();
            return w;
        }();
        if (!shown)
            state.SkipWithError("the sample game did not open");
        return shown.get();
    }

    // The same drawing as the window shows now, done plainly; its time in ms.
    double Baseline()
    {
        if (Form->Grid()->isVisible())
            return Table->Show(bench::ContentOf(*Form->Grid()));
        const ChartData& data = Form->chMain()->Model().Data();
        const bool fit = Form->chMain()->chkAll()->isChecked();
        const int shown = fit ? data.PointCount() : std::min(data.PointCount(), Chart->width() / 20 + 1);
        std::vector<bench::PlainChart::Series> series(static_cast<size_t>(data.SeriesCount()));
        std::vector<QString> labels;
        for (int p = 1; p <= shown; ++p) {
            labels.push_back(ChartCellText(data.At(p, 0)));
            for (int k = 1; k <= data.SeriesCount(); ++k)
                series[static_cast<size_t>(k - 1)].Values.push_back(ChartCellNumber(data.At(p, k)).value_or(0));
        }
        return Chart->Show(std::move(series), std::move(labels), Form->chMain()->Model().DataKind() == 0);
    }
};

// Times a window action and the plain drawing of its outcome, in turn.
template <class Action> void TimeAgainstBaseline(benchmark::State& state, ShownWindow& w, Action action)
{
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        const auto start = bench::Clock::now();
        action();
        bench::Settle();
        const double took = bench::MsSince(start);
        ms.push_back(took);
        base.push_back(w.Baseline());
        state.SetIterationTime(took / 1000);
    }
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["ms"] = m;
    state.counters["first_ms"] = ms.empty() ? 0 : ms.front();
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}

// One view opened by its option button, its page selected beforehand.
void BM_InferOpenView(benchmark::State& state, ViewFamily family, int16_t index)
{
    ShownWindow* w = ShownWindow::Get(state);
    if (!w)
        return;
    const ViewId id{family, index};
    QRadioButton* option = w->Form->Controls().OptionOf(id);
    if (!option || option->text().isEmpty()) {
        state.SkipWithError("the game has no such view");
        return;
    }
    state.SetLabel(option->text().toStdString());
    const int tab = TabOf(family, index);
    if (w->Form->SelectedTab() != tab) {
        w->Form->Controls().Tsp1->setCurrentIndex(tab - 1);
        bench::Settle();
    }
    TimeAgainstBaseline(state, *w, [&] {
        option->setChecked(true);
        w->Form->RunView(id);
    });
}

// One page of the tab strip selected, coming from the page before it; the
// page runs the view it remembers.
void BM_InferSwitchPage(benchmark::State& state)
{
    ShownWindow* w = ShownWindow::Get(state);
    if (!w)
        return;
    const int tab = static_cast<int>(state.range(0));
    const int from = tab == 1 ? 2 : tab - 1;
    state.SetLabel(TabCaption(tab).toStdString());
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        w->Form->Controls().Tsp1->setCurrentIndex(from - 1);
        bench::Settle();
        const auto start = bench::Clock::now();
        w->Form->Controls().Tsp1->setCurrentIndex(tab - 1);
        bench::Settle();
        const double took = bench::MsSince(start);
        ms.push_back(took);
        base.push_back(w->Baseline());
        state.SetIterationTime(took / 1000);
    }
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["ms"] = m;
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}
BENCHMARK(BM_InferSwitchPage)->DenseRange(1, kTabCount - 1)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Every view of a three-digit game: 43 indicators and the three positions.
const bool kViewsRegistered = [] {
    const struct {
        ViewFamily Family;
        const char* Name;
        int Count;
    } families[] = {
        {ViewFamily::ListAll, "ListAll", 1}, {ViewFamily::List, "List", 8},     {ViewFamily::Stat, "Stat", 8},
        {ViewFamily::StatAll, "StatAll", 1}, {ViewFamily::All, "All", 1},       {ViewFamily::Filter, "Filter", 46},
        {ViewFamily::Cycle, "Cycle", 1},     {ViewFamily::Gather, "Gather", 4}, {ViewFamily::FilterMiss, "FilterMiss", 4},
        {ViewFamily::FilterMiss2, "FilterMiss2", 5},
    };
    for (const auto& f : families) {
        for (int16_t i = 0; i < f.Count; ++i) {
            const std::string name = std::string("BM_InferOpenView/") + f.Name + "/" + std::to_string(i);
            benchmark::RegisterBenchmark(name.c_str(), BM_InferOpenView, f.Family, i)
                ->UseManualTime()
                ->Iterations(5)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
} // namespace kelton
