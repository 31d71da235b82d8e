// The filter window's result grid refilled from the bet list (ShowPage),
// with 1,000 and with 100,000 live bets, shown offscreen: the grid sized,
// each row given its bet's place in the list, the cells on screen drawn.
// Goal: 100,000 bets within 20 times 1,000.
//
// Then what a user waits for in the window on the sample game: opening it,
// a filter run over 1,000 and 100,000 bets from the click to the repainted
// count line, and the bet list of 100,000 scrolled by a page; each against
// the same drawing done plainly (the same controls made bare, the same
// strings in a QTableView). Counters: ms and base_ms (medians), ratio.
// Goals: under 50 ms for a click, under 16 ms for a scroll.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "../sample_game.h"
#include "plain_baselines.h"
#include "ui_bench_app.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "platform/services.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"

namespace kelton {
namespace {

// The filter window alone: no other window of the program to open.
const ShellWindows kNoWindows;

// A three-digit game in memory, current in app, with a few draws.
void MakeCurrentGame(AppState& app)
{
    auto game = std::make_shared<CLottorData>();
    game->HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    game->AddStrNum(game->HeadData.GetDefFormat(), QStringLiteral("1:1 2 3\r\n2:4 5 6\r\n"));
    app.CurLottorData = std::move(game);
}

// n live bets in app's list, 000 .. 999 over and over.
void MakeBets(AppState& app, int32_t n)
{
    std::vector<int16_t> digits;
    digits.reserve(static_cast<size_t>(n) * 4);
    for (int32_t i = 0; i < n; ++i)
        digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                     static_cast<int16_t>(i / 100 % 10)});
    app.Document.ChangeBets([&digits](BetList& bets) {
        bets = BetList(3);
        bets.AssignBets(std::move(digits));
    });
}

void BM_FilterShowPage(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    MakeCurrentGame(app);
    auto form = std::make_unique<fFilter>(app, kNoWindows);
    form->Form_Load();
    form->show();
    QCoreApplication::processEvents();
    MakeBets(app, static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        form->ShowPage();
        QCoreApplication::processEvents(); // the views take the new rows and draw
    }
    state.counters["rows"] = form->Controls().msgResult->Rows() - 1;
    form.reset();
}
BENCHMARK(BM_FilterShowPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Message boxes answered at once; none is expected.
class QuietBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                     QMessageBox::StandardButtons) override
    {
        return QMessageBox::Ok;
    }
};

// The sample game as app's current game; read once for the run.
bool SampleIsCurrent(AppState& app, benchmark::State& state)
{
    static std::shared_ptr<CLottorData> sample;
    if (!sample) {
        sample = std::make_shared<CLottorData>();
        if (!bench::OpenSample(state, *sample)) {
            sample.reset();
            return false;
        }
    }
    app.CurLottorData = sample;
    return true;
}

// The texts of the result grid as the window shows them: serial and bet.
bench::PlainTableContent BetTableOf(const fFilter& form)
{
    bench::PlainTableContent c;
    const CFlexGrid& grid = *form.Controls().msgResult;
    c.Rows = grid.Rows();
    c.Cols = grid.Cols();
    c.FixedRows = grid.FixedRows();
    c.Texts.reserve(static_cast<size_t>(c.Rows) * static_cast<size_t>(c.Cols));
    for (int r = 0; r < c.Rows; ++r) {
        for (int col = 0; col < c.Cols; ++col)
            c.Texts.push_back(grid.TextMatrix(r, col));
    }
    for (int col = 0; col < c.Cols; ++col)
        c.ColPixels.push_back(std::max(1, grid.CellRect(0, col).width()));
    c.RowPixels = std::max(1, grid.CellRect(0, 0).height());
    return c;
}

void SetCounters(benchmark::State& state, const std::vector<double>& ms, const std::vector<double>& base)
{
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["ms"] = m;
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}

// The window made and shown on the sample game, as the main window's
// command does; against the same controls made bare and shown.
void BM_FilterWindowOpen(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    if (!SampleIsCurrent(app, state))
        return;
    std::vector<double> ms;
    std::vector<double> base;
    std::unique_ptr<QWidget> copy;
    for (auto _ : state) {
        const auto start = bench::Clock::now();
        auto form = std::make_unique<fFilter>(app, kNoWindows);
        form->resize(1000, 700);
        form->ShowForm();
        bench::Settle();
        const double took = bench::MsSince(start);
        ms.push_back(took);
        base.push_back(bench::PlainReplica::ShowCopyOf(*form, copy));
        state.SetIterationTime(took / 1000);
        form.reset();
        copy.reset();
    }
    SetCounters(state, ms, base);
}
BENCHMARK(BM_FilterWindowOpen)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// A filter run with the window's conditions as they stand, from the click
// on the run button until the count line and the grid are drawn anew, over
// n bets; against handing the same strings to a QTableView and the count
// line to a label.
void BM_FilterRunToCountLine(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    if (!SampleIsCurrent(app, state))
        return;
    QuietBoxes boxes;
    const ScopedService<IMessageBoxes> quiet(&boxes);
    auto form = std::make_unique<fFilter>(app, kNoWindows);
    form->resize(1000, 700);
    form->ShowForm();
    bench::Settle();
    bench::PlainTable table(form->Controls().msgResult->size());
    QLabel count;
    count.show();
    const auto n = static_cast<int32_t>(state.range(0));
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        MakeBets(app, n);
        form->ShowResultCount();
        bench::Settle();
        const auto start = bench::Clock::now();
        form->Controls().cmdGetFilter->click();
        bench::Settle();
        const double took = bench::MsSince(start);
        ms.push_back(took);
        const QString line = form->Controls().lblCount->text();
        bench::PlainTableContent content = BetTableOf(*form);
        const auto plain = bench::Clock::now();
        count.setText(line);
        table.Show(std::move(content));
        base.push_back(bench::MsSince(plain));
        state.SetIterationTime(took / 1000);
    }
    state.counters["live"] = app.Document.Bets().LiveCount();
    SetCounters(state, ms, base);
    form.reset();
}
BENCHMARK(BM_FilterRunToCountLine)->Arg(1000)->Arg(100000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The bet list of 100,000 scrolled down by a page, as a click on the scroll
// bar's track does; against the same strings in a QTableView.
void BM_BetListPageDown(benchmark::State& state)
{
    bench::EnsureApplication();
    AppState app;
    if (!SampleIsCurrent(app, state))
        return;
    auto form = std::make_unique<fFilter>(app, kNoWindows);
    form->resize(1000, 700);
    form->ShowForm();
    MakeBets(app, 100000);
    form->ShowResultCount();
    bench::Settle();
    form->Controls().msgResult->SetTopRow(1);
    bench::Settle();
    bench::PlainTable table(form->Controls().msgResult->size());
    table.Show(BetTableOf(*form));
    QScrollBar* bar = bench::VerticalBarOf(form->Controls().msgResult);
    QScrollBar* plainBar = table.View().verticalScrollBar();
    if (!bar) {
        state.SkipWithError("the bet list has no scroll bar");
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
    SetCounters(state, ms, base);
    form.reset();
}
BENCHMARK(BM_BetListPageDown)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
