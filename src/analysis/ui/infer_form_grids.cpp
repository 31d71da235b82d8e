// The analysis window's grid views beside the number tables: the combined
// ranking table, the combined indicator table, the cycle view and the
// digit-pair relations.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "analysis/cycle_view.h"
#include "analysis/indicator_series.h"
#include "analysis/number_tables.h"
#include "analysis/ranking.h"
#include "analysis/relation_matrix.h"
#include "analysis/ui/infer_form.h"
#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// A view colour (red + 256 × green + 65536 × blue) as the grid takes it.
std::optional<QRgb> GridRgb(const std::optional<int32_t>& c)
{
    return c ? std::optional<QRgb>(ToQRgb(*c)) : std::nullopt;
}

// Writes the cells a view lays on the grid.
GridCellSink Into(CFlexGrid* grid)
{
    return [grid](const GridCell& cell) {
        grid->SetCell(cell.Row, cell.Col, cell.Text, GridRgb(cell.Back), GridRgb(cell.Fore));
    };
}

// Writes the rows a view lays on the grid, each in one go.
GridRowSink IntoRows(CFlexGrid* grid)
{
    return [grid, fore = std::vector<std::optional<QRgb>>(),
            backs = std::vector<std::optional<QRgb>>()](const GridRow& row) mutable {
        fore.resize(row.Fore.size());
        std::transform(row.Fore.begin(), row.Fore.end(), fore.begin(), GridRgb);
        grid->SetRowCells(row.Row, row.Col, row.Texts, GridRgb(row.Back), fore);
        if (!row.Backs.empty()) {
            backs.resize(row.Backs.size());
            std::transform(row.Backs.begin(), row.Backs.end(), backs.begin(), GridRgb);
            grid->SetRowColors(row.Row, row.Col, backs, {});
        }
    };
}

// Caption rows 0 and 1 of the number grid: block captions over the digit
// columns, the digits, column widths.
void NumberCaptions(CFlexGrid* grid, const NumberGridLayout& layout)
{
    for (int col = 0; col < layout.Cols; ++col) {
        grid->SetColWidth(col, ColumnTwips(layout, col));
        grid->SetColAlignment(col, Qt::AlignCenter);
    }
    for (const NumberBlock& block : layout.Blocks) {
        for (int d = 0; d < block.Digits; ++d) {
            grid->SetTextMatrix(0, block.Start + d, block.Caption);
            grid->SetTextMatrix(1, block.Start + d, QString::number(d));
        }
    }
    grid->SetFixedAlignment(0, Qt::AlignCenter);
}

void SeparatorCells(CFlexGrid* grid, const NumberGridLayout& layout, int row)
{
    for (const NumberBlock& block : layout.Blocks) {
        if (block.SeparatorAfter) {
            grid->SetTextMatrix(row, block.SeparatorCol(), QString());
            grid->SetCellBackColor(row, block.SeparatorCol(), grid->BackColorFixed());
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Combined ranking table

void FInfer::OptStatAll_Click()
{
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(2);
    NameView(m_ui.OptStatAll->text());
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (!game)
        return;
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    RankTableSetup setup;
    setup.Period = m_range.StatPeriod;
    setup.AreaChoice = static_cast<int16_t>(m_ui.cboPTSubarea->currentIndex());
    setup.ByOrder = m_ui.optPtOrder->isChecked();
    setup.Singled = static_cast<int16_t>(std::max(0, m_ui.cboPTBcTaxis->currentIndex()));
    setup.RowColours = m_ui.chkPTColor->isChecked();
    setup.ShowHit = m_ui.chkPTShowHit->isChecked();
    setup.Mode = CellModeOf(DisplayMode());
    const NumberGridLayout layout = NumberGrid(Sizes(), setup.AreaChoice, Names());
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetRedraw(false);
    ResetNumberGrid(11, layout.Cols);
    NumberCaptions(grid, layout);
    grid->SetColWidth(0, 2000);
    CombinedRankingCells(m_stat, *game, Secondary(), Sizes(), Names(), setup, Into(grid));
    const int r0 = RankTablePeriodRow(head.ListAsc);
    for (int row = 2; row < 11; ++row)
        SeparatorCells(grid, layout, row);
    // The period row in sight, whatever the view before had scrolled to.
    grid->SetTopRow(r0 == 2 ? 2 : grid->Rows() - 1);

    grid->FitColsToTexts();
    grid->show();
    grid->SetRedraw(true);
}

// ---------------------------------------------------------------------------
// Combined indicator table

void FInfer::OptAll_Click()
{
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(6);
    NameView(m_ui.OptAll->text());
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetRedraw(false);
    grid->SetTextSource({});
    grid->Clear();
    grid->SetRows(2);
    grid->SetFixedRows(1);
    grid->SetMergeCells(GridMerge::Never);
    const int count = m_range.RangeCount;
    const int cols = IndicatorTableCols(head);
    grid->SetCols(cols);
    grid->SetRows(count + 1);
    // The label column alone is fixed, whatever an earlier view left.
    grid->SetFixedCols(1);
    grid->SetFixedAlignment(0, Qt::AlignCenter);
    const double charTwips = ScreenPixelsToTwips(QFontMetrics(font()).horizontalAdvance(u"号"_s), this);
    for (int c = 0; c < cols; ++c) {
        grid->SetColAlignment(c, Qt::AlignCenter);
        grid->SetColWidth(c, IndicatorColumnTwips(head, c, charTwips));
    }
    const bool listAsc = head.ListAsc != 0;
    IndicatorTableSetup setup;
    setup.RangeStart = m_range.RangeStart;
    setup.RangeCount = count;
    setup.ListAsc = listAsc;
    setup.Mode = DisplayMode();
    setup.UpDown = m_ui.chkPTColorUpDown->isChecked();
    setup.RowColours = m_ui.chkPTColor->isChecked();
    IndicatorTableRows(m_stat, Secondary(), head, setup, IntoRows(grid));
    if (count > 0) {
        const int fit = grid->RowHeight(0) > 0
                            ? static_cast<int>(ScreenPixelsToTwips(grid->height(), grid)) / grid->RowHeight(0)
                            : 0;
        grid->SetTopRow(listAsc ? 1 : (grid->Rows() > fit ? grid->Rows() - 1 : 1));
    }
    grid->SetSelectionMode(GridSelectionMode::Free);
    grid->SetHighLight(GridHighLight::Always);
    grid->FitColsToTexts();
    grid->show();
    grid->SetRedraw(true);
}

// ---------------------------------------------------------------------------
// Cycle view

bool FInfer::CycleViewShown() const
{
    return TabViewName(SelectedTab()) == m_ui.OptCycle->text() && m_range.RangeCount > 0;
}

void FInfer::OptCycle_Click()
{
    m_ui.LstCycle->clear();
    m_ui.txtCycle->clear();
    m_ui.LstCycle->setEnabled(true);
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(5);
    NameView(m_ui.OptCycle->text());
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (!game)
        return;
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    const NumberGridLayout layout = NumberGrid(Sizes(), 2, Names());
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetRedraw(false);
    const int count = m_range.RangeCount;
    ResetNumberGrid(count + 2, layout.Cols);
    NumberCaptions(grid, layout);
    const bool listAsc = head.ListAsc != 0;
    m_memory.CycleNewestOnTop = listAsc;
    CycleTableSetup setup;
    setup.RangeStart = m_range.RangeStart;
    setup.RangeCount = count;
    setup.ListAsc = listAsc;
    setup.Mode = DisplayMode();
    setup.ShowHit = m_ui.chkPTShowHit->isChecked();
    setup.CycleColour = m_ui.chkPTColor->isChecked();
    const std::vector<int32_t> records = CycleTableRows(m_stat, *game, Sizes(), Names(), setup, IntoRows(grid));
    for (int r = 2; r < static_cast<int>(records.size()); ++r)
        grid->SetRowData(r, records[static_cast<size_t>(r)]);
    for (int r = 2; r < count + 2; ++r)
        SeparatorCells(grid, layout, r);
    const int fit =
        grid->RowHeight(0) > 0 ? static_cast<int>(ScreenPixelsToTwips(grid->height(), grid)) / grid->RowHeight(0) : 0;
    const int top = BuildTopRow(listAsc, grid->Rows(), fit);
    if (top >= 0)
        grid->SetTopRow(top);
    grid->FitColsToTexts();
    grid->show();
    grid->SetRedraw(true);
}

void FInfer::RemoveCycleHighlight()
{
    CycleHighlight& h = m_memory.Highlight;
    if (h.AnchorRow == 0)
        return;
    const CLottorHead& head = *m_stat.HeadData();
    const int32_t mainColour = ColorRgb(head.BcMainColor);
    const int col = CycleColumn(head, h.Block, h.Digit);
    const bool colour = m_ui.chkPTColor->isChecked();
    if (col > 0 && col < m_ui.msgMain->Cols()) {
        for (const int row : CycleHighlightRows(h, m_memory.CycleNewestOnTop, m_ui.msgMain->Rows())) {
            const int32_t fore = FromQColor(m_ui.msgMain->CellForeColor(row, col));
            if (const int32_t off = CycleHighlightFore(fore, mainColour, false); off != fore)
                m_ui.msgMain->SetCellForeColor(row, col, ToQColor(off));
            m_ui.msgMain->SetCellBackColor(
                row, col,
                ToQColor(CycleCellBack(m_stat, m_ui.msgMain->RowData(row),
                                       static_cast<int16_t>(head.BcMain - h.Block + 1), h.Digit, colour)));
        }
    }
    h.AnchorRow = 0;
}

void FInfer::msgMain_Click()
{
    if (!CycleViewShown())
        return;
    const CLottorHead& head = *m_stat.HeadData();
    const int r0 = m_ui.msgMain->Row();
    const int c0 = m_ui.msgMain->Col();
    m_ui.txtCycle->clear();
    m_ui.msgMain->SetRedraw(false);
    {
        const QSignalBlocker quiet(m_ui.LstCycle);
        m_ui.LstCycle->clear();
    }
    RemoveCycleHighlight();
    const std::optional<CycleClick> click = LocateCycleClick(head, c0);
    if (click && r0 >= 2) {
        m_memory.CycleRowTag = QString::number(r0);
        m_memory.CycleCellTag = QString::number(click->Block) + u'|' + QString::number(click->Digit);
        const std::vector<CycleEntry> entries =
            CycleEntries(m_stat, m_ui.msgMain->RowData(r0),
                         static_cast<int16_t>(head.BcMain - click->Block + 1), click->Digit);
        {
            const QSignalBlocker quiet(m_ui.LstCycle);
            for (const CycleEntry& entry : entries) {
                auto* item = new QListWidgetItem(entry.Text, m_ui.LstCycle);
                item->setData(Qt::UserRole, entry.ItemData);
            }
        }
        if (!entries.empty())
            m_ui.LstCycle->setCurrentRow(0);
    }
    m_ui.msgMain->SetRow(r0);
    m_ui.msgMain->SetCol(c0);
    m_ui.msgMain->SetRedraw(true);
    m_ui.msgMain->setFocus();
}

void FInfer::LstCycle_Click()
{
    if (!CycleViewShown())
        return;
    const int row = m_ui.msgMain->Row();
    const int col = m_ui.msgMain->Col();
    m_ui.msgMain->SetRedraw(false);
    RemoveCycleHighlight();
    const QListWidgetItem* item = m_ui.LstCycle->currentItem();
    const std::optional<CycleHighlight> h =
        item ? HighlightFromTags(m_memory.CycleRowTag, m_memory.CycleCellTag, item->data(Qt::UserRole).toInt())
             : std::nullopt;
    const CLottorHead& head = *m_stat.HeadData();
    if (h) {
        const int at = CycleColumn(head, h->Block, h->Digit);
        if (at > 0 && at < m_ui.msgMain->Cols()) {
            m_memory.Highlight = *h;
            const int32_t mainColour = ColorRgb(head.BcMainColor);
            for (const int r : CycleHighlightRows(*h, m_memory.CycleNewestOnTop, m_ui.msgMain->Rows())) {
                const int32_t fore = FromQColor(m_ui.msgMain->CellForeColor(r, at));
                if (const int32_t on = CycleHighlightFore(fore, mainColour, true); on != fore)
                    m_ui.msgMain->SetCellForeColor(r, at, ToQColor(on));
                m_ui.msgMain->SetCellBackColor(r, at, ToQColor(mainColour));
            }
        }
    }
    m_ui.msgMain->SetRow(row);
    m_ui.msgMain->SetCol(col);
    m_ui.msgMain->SetRedraw(true);
    m_ui.msgMain->setFocus();
}

// ---------------------------------------------------------------------------
// Digit-pair relations

void FInfer::OptGather_Click(int16_t index)
{
    ShowRelate(index);
}

void FInfer::ShowRelate(int16_t index)
{
    if (m_isBusy || index < 0 || index >= kRelationKinds)
        return;
    const ViewRun run(*this, true);
    NameView(m_ui.OptGather[static_cast<size_t>(index)]->text());
    SetupTopBar(3);
    const CLottorHead& head = *m_stat.HeadData();
    const bool asGrid = m_ui.LstRelate->currentRow() < 1;
    (asGrid ? m_ui.chkPTSort : m_ui.chkPTColor)->hide();
    DropNumberTable();
    const PairMatrix& matrix = m_memory.Relation.Matrix(m_stat, m_range.RangeStart, m_range.RangeEnd, index);
    const int n = head.BcDataLen;
    if (!asGrid) {
        const ChartData data =
            RelationChart(matrix, static_cast<int16_t>(m_ui.LstRelate->currentRow() - 1),
                          m_ui.chkPTSort->isChecked(), index, m_ui.LstRelate->currentItem()->text());
        m_ui.chMain->StatData(data, 0, static_cast<int16_t>(m_memory.RelationChartKind + 1));
        if (m_memory.RelationChartKind == 0)
            m_memory.RelationChartKind = -2;
        m_ui.chMain->show();
        return;
    }
    CFlexGrid* grid = m_ui.msgMain;
    grid->SetRedraw(false);
    grid->SetTextSource({});
    grid->Clear();
    grid->SetRows(n + 3);
    grid->SetCols(n + 3);
    grid->SetFixedRows(2);
    grid->SetFixedCols(2);
    grid->SetMergeCells(GridMerge::Free);
    for (const int i : {0, 1}) {
        grid->SetMergeCol(i, true);
        grid->SetMergeRow(i, true);
        grid->SetFixedAlignment(i, Qt::AlignCenter);
    }
    for (int d = 0; d <= n; ++d) {
        grid->SetColAlignment(d + 2, Qt::AlignCenter);
        grid->SetColWidth(d + 2, 350);
    }
    RelationTableCells(matrix, head, index, m_ui.chkPTColor->isChecked(), Into(grid));
    grid->SetTopRow(2); // from the first digit, whatever the view before had scrolled to

    grid->FitColsToTexts();
    grid->show();
    grid->SetRedraw(true);
}

} // namespace kelton
