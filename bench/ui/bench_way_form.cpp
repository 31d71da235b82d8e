// A formula run in the formula window over the whole sample history (all
// 8,374 periods, the last the next issue), from the run command until the
// hit chart and the next issue's numbers are shown; against evaluating the
// same two formulas once per period with no window (what the run computes:
// the consult formula for every drawn period, the selection formula for
// every period). The formulas are those the formula tests run on a real
// game. Counters: ms and base_ms (medians), ratio. Goal: within 1.5 times.

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTreeWidget>

#include "../sample_game.h"
#include "plain_baselines.h"
#include "ui_bench_app.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "formula/game_way_history.h"
#include "formula/ui/way_form.h"
#include "formula/way.h"
#include "formula/way_run.h"

namespace kelton {
namespace {

// The selection formulas; the consult formula is the drawn numbers.
const char* const kConsult = "Num(1,3,0)";
const char* const kFormulas[] = {
    "Num(1,3)",
    "Num(1,3,0)",
    "Num(2,3,2)",
    "Bal(0,9)",
    "Fil(1)",
    "Iss()",
    "TiR()",
    "TiR(0,1,1,1,2)",
    "TiL(0,8,1,1,1)",
    "Rep(0,1,1,3)",
    "Rep(3)",
    // An empty line ends the assignment, as a line without "=" would
    // continue it.
    "a={0;1;2;3;4;5;6;7;8;9}\r\n\r\nIis(a,4)|Iis(a,5)|Iis(a,6)",
    "a={0;1;2;3;4;5;6;7;8;9}\r\n\r\nIis(a,10)|Iis(a,11)|Iis(a,12)|Iis(a,13)|Iis(a,14)",
    "Onl(Sor(0,0,0,9,0,0))",
    "Onl(Sor(0,1,0,9,0,1))",
    "Onl(Sor(0,2,0,9,0,2))",
    "Onl(Sor(0,3,0,9,0,3))",
    "Onl(Sor(0,4,0,9,0,4))",
    "Onl(Sor(0,5,0,9,0,5))",
    "Onl(Sor(0,6,0,9,0,6))",
    "Onl(Sor(0,7,0,9,0,7))",
    "Onl(Bal(0,9,0,7))",
    "Val(0,0,0,100,0,5)",
};
constexpr int kFormulaCount = static_cast<int>(std::size(kFormulas));

// The sample game, current, holding the formulas in one group, and the
// formula window shown over it with every period chosen.
struct ShownWindow {
    std::shared_ptr<CLottorData> Game;
    AppState State;
    std::unique_ptr<FWay> Form;

    static ShownWindow* Get(benchmark::State& state)
    {
        // Made after the application, so gone before it.
        static const std::unique_ptr<ShownWindow> shown = [&]() -> std::unique_ptr<ShownWindow> {
            bench::EnsureApplication();
            auto w = std::make_unique<ShownWindow>();
            w->Game = std::make_shared<CLottorData>();
            if (!bench::OpenSample(state, *w->Game))
                return nullptr;
            CLottorHead& head = w->Game->HeadData;
            head.WayGroupAdd(QStringLiteral("基准"));
            for (int f = 0; f < kFormulaCount; ++f) {
                if (!head.WayAdd(0, QStringLiteral("f%1").arg(f), QString::fromLatin1(kFormulas[f]), 0,
                                 QString::fromLatin1(kConsult)))
                    return nullptr;
            }
            w->State.CurLottorData = w->Game;
            w->Form = std::make_unique<FWay>(w->State);
            w->Form->resize(w->Form->sizeHint());
            w->Form->show();
            bench::Settle();
            w->Form->cboCount()->setCurrentIndex(w->Form->cboCount()->count() - 1);
            return w;
        }();
        if (!shown)
            state.SkipWithError("the sample game or its formulas could not be had");
        return shown.get();
    }
};

// The two formulas evaluated once per period as the run does, with no
// window; the time in ms, or -1 when one failed.
double PlainEvaluation(CLottorData& game, const QString& selection, const QString& consult, int32_t periods)
{
    const auto start = bench::Clock::now();
    GameWayHistory history(game);
    const int32_t first = history.NumCount() - periods;
    const struct {
        const QString& Text;
        int32_t Last;
    } passes[] = {{consult, periods - 1}, {selection, periods}};
    for (const auto& pass : passes) {
        CWay way;
        int32_t at = 0;
        int32_t length = 0;
        if (way.TestStrWay(JoinWayLines(pass.Text), at, length))
            return -1;
        for (int32_t i = 1; i <= pass.Last; ++i) {
            const WayResult r = way.GetWayResult(first + i, &history);
            if (!r.Ok())
                return -1;
            benchmark::DoNotOptimize(r.Value.constData());
        }
    }
    return bench::MsSince(start);
}

void BM_FormulaRunInWindow(benchmark::State& state, int formula)
{
    ShownWindow* w = ShownWindow::Get(state);
    if (!w)
        return;
    state.SetLabel(kFormulas[formula]);
    QTreeWidgetItem* group = w->Form->TreWay()->topLevelItem(0);
    if (!group || group->childCount() != kFormulaCount) {
        state.SkipWithError("the formula tree does not hold the formulas");
        return;
    }
    w->Form->TreWay()->setCurrentItem(group->child(formula)); // runs it once
    bench::Settle();
    const int32_t periods = w->Form->cboCount()->currentText().toInt();
    const CLottorHead& head = w->Game->HeadData;
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        const auto start = bench::Clock::now();
        w->Form->cmdView_Click();
        bench::Settle();
        const double took = bench::MsSince(start);
        if (w->Form->mWayResult().N != periods) {
            state.SkipWithError("the run failed");
            return;
        }
        ms.push_back(took);
        base.push_back(PlainEvaluation(*w->Game, head.WayGet(static_cast<int16_t>(formula), 2),
                                       head.WayGet(static_cast<int16_t>(formula), 4), periods));
        state.SetIterationTime(took / 1000);
    }
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["periods"] = periods;
    state.counters["ms"] = m;
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}

const bool kFormulasRegistered = [] {
    for (int f = 0; f < kFormulaCount; ++f) {
        const std::string name = "BM_FormulaRunInWindow/" + std::to_string(f);
        benchmark::RegisterBenchmark(name.c_str(), BM_FormulaRunInWindow, f)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
} // namespace kelton
