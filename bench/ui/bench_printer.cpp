// The print window over 100,000 live bets of a three-digit game (417
// pages): opening it (the pages planned) and showing page 1 and page 417 at
// actual size, each drawn from the plan when shown. Goals: the process's
// peak memory under 150 MB; page 1 shown within 2 times page 417.
// Run alone for the memory figure:
//   ./build/bench/kelton_ui_bench --benchmark_filter=Printer

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>

#include "ui_bench_app.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "platform/ui/message_box.h"
#include "results/ui/printer_form.h"

namespace kelton {
namespace {

constexpr int32_t kBets = 100000;

// The peak resident set of this process in MiB (VmHWM); 0 when unknown.
double PeakMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

void MakeGameAndBets()
{
    auto game = std::make_shared<CLottorData>();
    game->HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    Mmain().CurLottorData = std::move(game);
    std::vector<int16_t> digits;
    digits.reserve(static_cast<size_t>(kBets) * 4);
    for (int32_t i = 0; i < kBets; ++i)
        digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                     static_cast<int16_t>(i / 100 % 10)});
    Mmain().Bets = BetList(3);
    Mmain().Bets.AssignBets(std::move(digits));
}

std::unique_ptr<fPrinter> OpenWindow()
{
    auto form = std::make_unique<fPrinter>();
    form->Printer().setOutputFormat(QPrinter::PdfFormat);
    form->Printer().setPageSize(QPageSize(QPageSize::A4));
    if (form->FitMode())
        form->cmdZoom_Click();
    form->ShowForm();
    QCoreApplication::processEvents();
    return form;
}

void BM_PrinterOpen(benchmark::State& state)
{
    bench::EnsureApplication();
    MakeGameAndBets();
    std::unique_ptr<fPrinter> form;
    for (auto _ : state) {
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
        form = OpenWindow();
    }
    state.counters["pages"] = form->PageCount();
    state.counters["plan_MB"] = static_cast<double>(form->Plan().MemoryBytes()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = PeakMb();
    form.reset();
    Mmain().Bets = BetList();
    Mmain().CurLottorData.reset();
}
BENCHMARK(BM_PrinterOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

// Message boxes answered at once (paging round the end tells the user).
class QuietBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                     QMessageBox::StandardButtons) override
    {
        return QMessageBox::Ok;
    }
};

// Shows page `state.range(0)`: the view laid out and the page drawn. Page 1
// is reached from page 2, page 417 from page 416.
void BM_PrinterShowPage(benchmark::State& state)
{
    bench::EnsureApplication();
    QuietBoxes boxes;
    const ScopedService<IMessageBoxes> quiet(&boxes);
    MakeGameAndBets();
    const std::unique_ptr<fPrinter> form = OpenWindow();
    const bool first = state.range(0) == 1;
    if (first) {
        form->cmdNext_Click();
    } else {
        form->cmdPrev_Click();
        form->cmdPrev_Click();
    }
    for (auto _ : state) {
        if (first)
            form->cmdPrev_Click();
        else
            form->cmdNext_Click();
        form->picPrinter()->repaint();
        state.PauseTiming();
        if (first)
            form->cmdNext_Click();
        else
            form->cmdPrev_Click();
        state.ResumeTiming();
    }
    state.counters["page"] = first ? 1 : form->PageCount();
    state.counters["peak_MB"] = PeakMb();
    Mmain().Bets = BetList();
    Mmain().CurLottorData.reset();
}
BENCHMARK(BM_PrinterShowPage)->Arg(1)->Arg(417)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
