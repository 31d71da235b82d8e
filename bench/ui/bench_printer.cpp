// The print window over 100,000 live bets of a three-digit game (417
// pages): opening it (the pages planned) and showing page 1 and page 417 at
// actual size, each drawn from the plan when shown. Goals: the process's
// peak memory under 150 MB; page 1 shown within 2 times page 417.
// Run alone for the memory figure:
//   ./build/bench/kelton_ui_bench --benchmark_filter=Printer
//
// And the page change as a user meets it, from the click on "下一页" until
// the page is drawn, against drawing the same texts and lines plainly on a
// widget of the same size. Counters: ms and base_ms (medians), ratio.

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "plain_baselines.h"
#include "ui_bench_app.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "platform/ui/message_box.h"
#include "results/ui/print_page_painter.h"
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

void MakeGameAndBets(AppState& app)
{
    auto game = std::make_shared<CLottorData>();
    game->HeadData.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    app.CurLottorData = std::move(game);
    std::vector<int16_t> digits;
    digits.reserve(static_cast<size_t>(kBets) * 4);
    for (int32_t i = 0; i < kBets; ++i)
        digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                     static_cast<int16_t>(i / 100 % 10)});
    app.Document.ChangeBets([&digits](BetList& bets) {
        bets = BetList(3);
        bets.AssignBets(std::move(digits));
    });
}

std::unique_ptr<fPrinter> OpenWindow(AppState& app)
{
    auto form = std::make_unique<fPrinter>(app);
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
    AppState app;
    MakeGameAndBets(app);
    std::unique_ptr<fPrinter> form;
    for (auto _ : state) {
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
        form = OpenWindow(app);
    }
    state.counters["pages"] = form->PageCount();
    state.counters["plan_MB"] = static_cast<double>(form->Plan().MemoryBytes()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = PeakMb();
    form.reset();
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
    AppState app;
    MakeGameAndBets(app);
    const std::unique_ptr<fPrinter> form = OpenWindow(app);
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
}
BENCHMARK(BM_PrinterShowPage)->Arg(1)->Arg(417)->Unit(benchmark::kMillisecond);

// A page of the bet table drawn plainly at actual size (15 twips to the
// pixel): the captions, the serial and number of every bet, the grid lines
// and the three lines of text.
class PlainPage : public QWidget {
public:
    struct Content {
        std::vector<QString> Serials;
        std::vector<QString> Numbers;
        QString Title;
        QString Date;
        QString PageLine;
    };
    explicit PlainPage(QSize size)
    {
        resize(size);
        show();
        bench::Settle();
    }
    double Show(Content content)
    {
        const auto start = bench::Clock::now();
        m_content = std::move(content);
        update();
        bench::Settle();
        return bench::MsSince(start);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const double px = 1.0 / 15;
        QFont font = PrintTableFont();
        font.setPixelSize(static_cast<int>(240 * px));
        p.setFont(font);
        const double left = 40;
        const double top = 60;
        const double rowH = kPrintRowHeight * px;
        const double serialW = 600 * px;
        const double numberW = 1100 * px;
        const int pairs = 6;
        const double right = left + pairs * (serialW + numberW);
        const double bottom = top + kPrintRowCount * rowH;
        for (int r = 0; r <= kPrintRowCount; ++r)
            p.drawLine(QPointF(left, top + r * rowH), QPointF(right, top + r * rowH));
        for (int c = 0; c <= 2 * pairs; ++c) {
            const double x = left + (c / 2) * (serialW + numberW) + (c % 2) * serialW;
            p.drawLine(QPointF(x, top), QPointF(x, bottom));
        }
        for (int k = 0; k < pairs; ++k) {
            const double x = left + k * (serialW + numberW);
            p.drawText(QRectF(x, top, serialW, rowH), Qt::AlignCenter, QStringLiteral("序号"));
            p.drawText(QRectF(x + serialW, top, numberW, rowH), Qt::AlignCenter, QStringLiteral("号码"));
        }
        for (size_t i = 0; i < m_content.Serials.size(); ++i) {
            const double x = left + static_cast<double>(i / kPrintBetRows) * (serialW + numberW);
            const double y = top + static_cast<double>(1 + i % kPrintBetRows) * rowH;
            p.drawText(QRectF(x, y, serialW, rowH), Qt::AlignCenter, m_content.Serials[i]);
            p.drawText(QRectF(x + serialW, y, numberW, rowH), Qt::AlignCenter, m_content.Numbers[i]);
        }
        p.drawText(QPointF(left, top - 30), m_content.Title);
        p.drawText(QPointF(left, bottom + 20), m_content.Date);
        p.drawText(QPointF(left, bottom + 40), m_content.PageLine);
    }

private:
    Content m_content;
};

// From page k to page k + 1 (k from 200 on) by "下一页", until it is drawn.
void BM_PrinterPageChange(benchmark::State& state)
{
    bench::EnsureApplication();
    QuietBoxes boxes;
    const ScopedService<IMessageBoxes> quiet(&boxes);
    AppState app;
    MakeGameAndBets(app);
    const std::unique_ptr<fPrinter> form = OpenWindow(app);
    while (form->CurrentPage() < 200)
        form->cmdNext_Click();
    bench::Settle();
    PlainPage plain(form->picPrinter()->size());
    std::vector<double> ms;
    std::vector<double> base;
    for (auto _ : state) {
        const auto start = bench::Clock::now();
        form->cmdNext_Click();
        bench::Settle();
        const double took = bench::MsSince(start);
        ms.push_back(took);
        PlainPage::Content content;
        const PrintPlan& plan = form->Plan();
        const int32_t page = form->CurrentPage();
        for (int32_t i = 0; i < plan.PageBets(page); ++i) {
            content.Serials.push_back(QString::number(plan.Serial(plan.PageFirst(page) + i)));
            content.Numbers.push_back(plan.NumberText(plan.PageFirst(page) + i));
        }
        content.Title = form->Texts().Title;
        content.Date = form->Texts().Date;
        content.PageLine = PrintPageLine(page, plan.PageCount());
        base.push_back(plain.Show(std::move(content)));
        state.SetIterationTime(took / 1000);
    }
    const double m = bench::MedianMs(ms);
    const double b = bench::MedianMs(base);
    state.counters["ms"] = m;
    state.counters["base_ms"] = b;
    state.counters["ratio"] = b > 0 ? m / b : 0;
}
BENCHMARK(BM_PrinterPageChange)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelton
