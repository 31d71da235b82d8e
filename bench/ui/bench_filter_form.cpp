// The filter window's result grid refilled from the bet list (ShowPage),
// with 1,000 and with 100,000 live bets, shown offscreen: the grid sized,
// each row given its bet's place in the list, the cells on screen drawn.
// Goal: 100,000 bets within 20 times 1,000.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui_bench_app.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "platform/ui/flex_grid.h"

namespace kelton {
namespace {

// A three-digit game in memory, current, with a few draws.
void MakeCurrentGame()
{
    auto game = std::make_shared<CLottorData>();
    game->HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    game->AddStrNum(game->HeadData.GetDefFormat(), QStringLiteral("1:1 2 3\r\n2:4 5 6\r\n"));
    Mmain().CurLottorData = std::move(game);
}

// n live bets, 000 .. 999 over and over.
void MakeBets(int32_t n)
{
    std::vector<int16_t> digits;
    digits.reserve(static_cast<size_t>(n) * 4);
    for (int32_t i = 0; i < n; ++i)
        digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                     static_cast<int16_t>(i / 100 % 10)});
    Mmain().Bets = BetList(3);
    Mmain().Bets.AssignBets(std::move(digits));
}

void BM_FilterShowPage(benchmark::State& state)
{
    bench::EnsureApplication();
    MakeCurrentGame();
    auto form = std::make_unique<fFilter>();
    form->Form_Load();
    form->show();
    QCoreApplication::processEvents();
    MakeBets(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        form->ShowPage();
        QCoreApplication::processEvents(); // the views take the new rows and draw
    }
    state.counters["rows"] = form->msgResult()->Rows() - 1;
    form.reset();
    Mmain().Bets = BetList();
    Mmain().CurLottorData.reset();
}
BENCHMARK(BM_FilterShowPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
