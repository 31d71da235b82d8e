// Filling a shown grid and scrolling to its end, at 1,000 and 100,000 rows
// of 3 columns. The table lives in flat arrays and the views ask only for
// the cells on screen, so 100 times the rows should cost well under 20
// times the time. Runs offscreen.

#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui_bench_app.h"

#include "platform/ui/flex_grid.h"

namespace {

using kelton::CFlexGrid;

using kelton::bench::EnsureApplication;
std::unique_ptr<CFlexGrid> ShownGrid()
{
    auto grid = std::make_unique<CFlexGrid>();
    grid->resize(400, 600);
    grid->show();
    QCoreApplication::processEvents();
    return grid;
}

void HeaderRow(CFlexGrid& grid)
{
    grid.SetRows(1);
    grid.SetCols(3);
    grid.SetTextMatrix(0, 0, QStringLiteral("序号"));
    grid.SetTextMatrix(0, 1, QStringLiteral("号码"));
    grid.SetTextMatrix(0, 2, QStringLiteral("和值"));
}

// Shows the last rows and paints them.
void ScrollToEnd(CFlexGrid& grid)
{
    grid.SetRedraw(true);
    grid.SetTopRow(grid.Rows() - 1);
    grid.repaint();
    QCoreApplication::processEvents();
}

// "h t u": the three digits of a bet, one blank between them.
QString BetText(int i)
{
    QString text(5, QLatin1Char(' '));
    text[0] = QChar(u'0' + i / 100 % 10);
    text[2] = QChar(u'0' + i / 10 % 10);
    text[4] = QChar(u'0' + i % 10);
    return text;
}

// Fills one shown grid each round: header row, rows, then scrolls to the
// end with Redraw back on. Emptying the previous round's table is not
// timed.
template <typename Fill>
void Refill(benchmark::State& state, Fill fill)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    auto grid = ShownGrid();
    for (auto _ : state) {
        state.PauseTiming();
        grid->SetRedraw(false);
        grid->SetRows(1);
        state.ResumeTiming();
        HeaderRow(*grid);
        fill(*grid, rows);
        ScrollToEnd(*grid);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// One row at a time from TAB-separated text, as the item grids fill.
void BM_GridAddItem(benchmark::State& state)
{
    Refill(state, [](CFlexGrid& grid, int rows) {
        for (int i = 1; i <= rows; ++i) {
            QString item = QString::number(i);
            item += QLatin1Char('\t') + BetText(i) + QLatin1Char('\t') + QString::number(i % 28);
            grid.AddItem(std::move(item));
            grid.SetRowData(i, i - 1);
        }
    });
}
BENCHMARK(BM_GridAddItem)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// All rows at once, then cell by cell with a colour, as the result grid fills.
void BM_GridTextMatrix(benchmark::State& state)
{
    Refill(state, [](CFlexGrid& grid, int rows) {
        grid.SetRows(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            grid.SetTextMatrix(r, 0, QString::number(r));
            grid.SetRowData(r, r - 1);
            grid.SetTextMatrix(r, 1, BetText(r));
            grid.SetCellForeColor(r, 1, Qt::red);
            grid.SetTextMatrix(r, 2, QString::number(r % 28));
        }
    });
}
BENCHMARK(BM_GridTextMatrix)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The texts asked for as the cells come on screen.
void BM_GridTextSource(benchmark::State& state)
{
    Refill(state, [](CFlexGrid& grid, int rows) {
        grid.SetRows(rows + 1);
        grid.SetTextSource([](int row, int col) {
            return col == 0 ? QString::number(row) : col == 1 ? BetText(row) : QString::number(row % 28);
        });
    });
}
BENCHMARK(BM_GridTextSource)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
