// The analysis window of view 0 on the sample history (8,374 draws and the
// next issue): made, built (its period lists hold every issue), and shown
// on "历史出数分布" over the whole history, offscreen with the cells on
// screen drawn; against reading those records through the statistics view
// alone. Goal: within 3 times the reading.

#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>

#include "../sample_game.h"
#include "ui_bench_app.h"

#include "analysis/ui/infer_form.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"

namespace kelton {
namespace {

std::shared_ptr<CLottorData> OpenCurrentSample(benchmark::State& state)
{
    static bool tables = (IniGlobal(), true);
    (void)tables;
    auto game = std::make_shared<CLottorData>();
    if (!bench::OpenSample(state, *game))
        return nullptr;
    Mmain().CurLottorData = game;
    return game;
}

void BM_InferDistributionWholeHistory(benchmark::State& state)
{
    bench::EnsureApplication();
    const std::shared_ptr<CLottorData> game = OpenCurrentSample(state);
    if (!game)
        return;
    CStat& stat = *game->StatView(0);
    int rows = 0;
    for (auto _ : state) {
        auto form = std::make_unique<FInfer>(0, stat);
        form->resize(1000, 700);
        form->FindClick(); // builds the window on "历史分布图"
        form->cboPTStart()->setCurrentIndex(0);
        form->ShowLay(QStringLiteral("历史出数分布"));
        QCoreApplication::processEvents(); // the cells on screen drawn
        rows = form->Grid()->Rows() - 2;
        form->SetVisible(false);
    }
    state.counters["periods"] = rows;
    Mmain().CurLottorData.reset();
}
BENCHMARK(BM_InferDistributionWholeHistory)->Unit(benchmark::kMillisecond);

// Every record of the view read once, with the numbers of its draw.
void BM_InferRecordsThroughStat(benchmark::State& state)
{
    bench::EnsureApplication();
    const std::shared_ptr<CLottorData> game = OpenCurrentSample(state);
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
    Mmain().CurLottorData.reset();
}
BENCHMARK(BM_InferRecordsThroughStat)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
