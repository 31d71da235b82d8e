// The number tables of the analysis window: the history table and the
// distribution tables on the number grid.

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

#include "analysis/number_tables.h"
#include "analysis/ui/infer_form.h"
#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------------------
// Number tables

void FInfer::OptListAll_Click()
{
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(0);
    NameView(m_ui.OptListAll->text());
    BuildNumberTable(-1, m_ui.OptListAll->text());
}

void FInfer::OptList_Click(int16_t index)
{
    if (m_isBusy || index < 0 || index > 7)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(0);
    NameView(m_ui.OptList[static_cast<size_t>(index)]->text());
    BuildNumberTable(index, m_ui.OptList[static_cast<size_t>(index)]->text());
}

int FInfer::DisplayMode() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_ui.OptPTKind[static_cast<size_t>(i)]->isChecked())
            return i;
    }
    return -1;
}

void FInfer::ResetNumberGrid(int rows, int cols)
{
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetTextSource({});
    grid->Clear();
    grid->SetRows(1);
    grid->SetCols(1);
    grid->SetMergeCells(GridMerge::RestrictColumns);
    grid->SetRows(3);
    grid->SetFixedRows(2);
    grid->SetCols(cols); // before the rows: the arrays grow once
    grid->SetRows(rows);
    grid->SetMergeRow(0, true);
    grid->SetFixedCols(1);
}

void FInfer::DropNumberTable()
{
    m_ui.msgMain->SetTextSource({});
    m_table.reset();
}

void FInfer::BuildNumberTable(int16_t kind, const QString& caption)
{
    (void)caption;
    const CLottorHead& head = *m_stat.HeadData();
    CNumberTable::Setup setup;
    setup.Kind = kind;
    setup.Mode = CellModeOf(DisplayMode());
    setup.ShowHit = m_ui.chkPTShowHit->isChecked();
    setup.AreaChoice = static_cast<int16_t>(m_ui.cboPTSubarea->currentIndex());
    setup.RangeStart = m_range.RangeStart;
    setup.RangeCount = m_range.RangeCount;
    setup.ListAsc = head.ListAsc != 0;
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    CNumberTable::MarkedFn marked;
    if (game) {
        marked = [game](int16_t area, int16_t value) { return game->SelectBall(area, value) != 0; };
    }
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetRedraw(false);
    DropNumberTable();
    m_table = std::make_unique<CNumberTable>(m_stat, Secondary(), Sizes(), Names(), setup, std::move(marked));
    const CNumberTable& table = *m_table;
    const NumberGridLayout& layout = table.Layout();

    ResetNumberGrid(table.Rows(), layout.Cols);
    for (int col = 0; col < layout.Cols; ++col) {
        grid->SetColWidth(col, ColumnTwips(layout, col));
        grid->SetColAlignment(col, Qt::AlignCenter);
        grid->SetTextMatrix(0, col, table.FixedText(0, col));
        grid->SetTextMatrix(1, col, table.FixedText(1, col));
    }
    grid->SetFixedAlignment(0, Qt::AlignCenter);
    grid->SetFixedAlignment(1, Qt::AlignCenter);

    // Paint: the base colours of every digit cell, then the highlights.
    // The colours of each paint, on rows of either parity, worked out once.
    const NumberTablePalette palette = PaletteOf(head);
    const bool rowColours = m_ui.chkPTColor->isChecked();
    struct PaintColours {
        std::optional<QRgb> Back;
        std::optional<QRgb> Fore;
    };
    constexpr size_t kPaints = static_cast<size_t>(CellPaint::Separator) + 1;
    std::array<std::array<PaintColours, kPaints>, 2> colours{};
    for (int parity = 0; parity < 2; ++parity) {
        for (size_t k = 0; k < kPaints; ++k) {
            const auto paint = static_cast<CellPaint>(k);
            PaintColours& c = colours[static_cast<size_t>(parity)][k];
            if (paint == CellPaint::Separator) {
                c.Back = grid->BackColorFixed().rgb();
            } else if (const std::optional<ViewCellStyle> style =
                           NumberCellStyle(palette, paint, parity, rowColours)) {
                c = {ToQRgb(style->Back), ToQRgb(style->Fore)};
            }
        }
    }
    std::vector<CellPaint> paints;
    const size_t digitCols = static_cast<size_t>(std::max(0, layout.Cols - 1));
    std::vector<std::optional<QRgb>> backs(digitCols);
    std::vector<std::optional<QRgb>> fores(digitCols);
    for (int row = 2; row < table.Rows(); ++row) {
        table.PaintRow(row, paints);
        const auto& ofRow = colours[static_cast<size_t>(row % 2)];
        for (size_t i = 0; i < digitCols; ++i) {
            const PaintColours& c = ofRow[static_cast<size_t>(paints[i + 1])];
            backs[i] = c.Back;
            fores[i] = c.Fore;
        }
        grid->SetRowColors(row, 1, backs, fores);
    }
    // Texts are asked for as the cells are shown; every column is as wide
    // as the widest text it shows over the range.
    grid->SetTextSource([&table](int row, int col) { return table.Text(row, col); });
    const std::vector<QString> widest = table.WidestTexts();
    for (size_t b = 0; b < layout.Blocks.size(); ++b) {
        const NumberBlock& block = layout.Blocks[b];
        for (int16_t d = 0; d < block.Digits; ++d) {
            grid->FitColWidth(block.Start + d, widest[b]);
            grid->FitColWidth(block.Start + d, table.FixedText(1, block.Start + d));
        }
    }
    for (const int row : {0, 1, 2, table.Rows() - 1})
        grid->FitColWidth(0, table.FixedText(row, 0));

    const int rowTwips = grid->RowHeight(0);
    const int fit = rowTwips > 0 ? static_cast<int>(ScreenPixelsToTwips(grid->height(), grid)) / rowTwips : 0;
    const int top = BuildTopRow(setup.ListAsc, table.Rows(), fit);
    if (top >= 0)
        grid->SetTopRow(top);
    grid->show();
    grid->SetRedraw(true);
}

} // namespace kelton
