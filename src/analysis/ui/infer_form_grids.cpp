// The analysis window's grid views beside the number tables: the combined
// ranking table, the combined indicator table, the cycle view and the
// digit-pair relations.

#include <cmath>

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

void PaintCell(CFlexGrid* grid, int row, int col, const ViewCell& cell)
{
    grid->SetTextMatrix(row, col, cell.Text);
    grid->SetCellBackColor(row, col, ToQColor(cell.Back));
    grid->SetCellForeColor(row, col, ToQColor(cell.Fore));
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
    NameView(m_optStatAll->text());
    const std::shared_ptr<CLottorData> game = Mmain().CurLottorData;
    if (!game)
        return;
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    const auto choice = static_cast<int16_t>(cboPTSubarea()->currentIndex());
    const NumberGridLayout layout = NumberGrid(Sizes(), choice, Names());
    CFlexGrid* grid = m_msgMain;
    grid->SetRedraw(false);
    ResetNumberGrid(11, layout.Cols);
    NumberCaptions(grid, layout);
    grid->SetColWidth(0, 2000);
    grid->SetTextMatrix(0, 0, u"位码"_s);
    grid->SetTextMatrix(1, 0, u"期数"_s);

    const int32_t P = m_range.StatPeriod;
    const int r0 = RankTablePeriodRow(head.ListAsc);
    const bool byOrder = m_optPtOrder->isChecked();
    const auto n = static_cast<int16_t>(std::max(0, cboPTBcTaxis()->currentIndex()));
    const bool rowColours = chkPTColor()->isChecked();
    const bool showHit = chkPTShowHit()->isChecked();
    grid->SetTextMatrix(r0, 0, P == m_stat.BallCount() - 1 ? u"下期"_s : QString::number(game->NumName(P)));
    for (int k = 0; k < 8; ++k)
        grid->SetTextMatrix(RankTableRankRow(head.ListAsc, k), 0, RankTitle(static_cast<int16_t>(k), head.CustomStat));

    // Secondary blocks as the history table (period row) and the
    // distribution table of each kind (rank rows) paint them at P.
    std::array<std::unique_ptr<CNumberTable>, 9> secondary;
    const SecondaryDraws draws = Secondary();
    auto secondaryTable = [&](int k) -> const CNumberTable& {
        auto& table = secondary[static_cast<size_t>(k + 1)];
        if (!table) {
            CNumberTable::Setup setup;
            setup.Kind = static_cast<int16_t>(k);
            setup.Mode = CellModeOf(DisplayMode());
            setup.ShowHit = showHit;
            setup.AreaChoice = choice;
            setup.RangeStart = P;
            setup.RangeCount = 1;
            table = std::make_unique<CNumberTable>(
                m_stat, draws, Sizes(), Names(), setup,
                [game](int16_t area, int16_t value) { return game->SelectBall(area, value) != 0; });
        }
        return *table;
    };
    for (const NumberBlock& block : layout.Blocks) {
        for (int k = -1; k < 8; ++k) {
            const int row = k < 0 ? r0 : RankTableRankRow(head.ListAsc, k);
            if (!block.Secondary) {
                const std::vector<ViewCell> cells =
                    k < 0 ? RankPeriodCells(m_stat, *game, P, block.Area, row, rowColours, showHit)
                          : RankRowCells(m_stat, P, block.Area, static_cast<int16_t>(k), byOrder, n);
                for (int d = 0; d < block.Digits; ++d)
                    PaintCell(grid, row, block.Start + d, cells[static_cast<size_t>(d)]);
                continue;
            }
            const CNumberTable& table = secondaryTable(k);
            const int32_t rowColour = ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>(row % 2) : 0));
            for (int d = 0; d < block.Digits; ++d) {
                const int col = block.Start + d;
                const bool hit = table.Paint(2, col) == CellPaint::HitMr || table.Paint(2, col) == CellPaint::Hit;
                PaintCell(grid, row, col,
                          {table.Text(2, col), hit ? ColorRgb(head.MrMainColor) : rowColour, hit ? kViewBlack : kViewGrey});
            }
        }
    }
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
    NameView(m_optAll->text());
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    CFlexGrid* grid = m_msgMain;
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
        const QString caption = IndicatorTableCaption(head, c);
        grid->SetTextMatrix(0, c, caption);
        grid->SetColAlignment(c, Qt::AlignCenter);
        grid->SetColWidth(c, c == 0 ? 1000 : static_cast<int>(std::nearbyint((caption.size() + 0.5) * charTwips)));
    }
    const bool listAsc = head.ListAsc != 0;
    const int mode = DisplayMode();
    const bool upDown = chkPTColorUpDown()->isChecked();
    const bool rowColours = chkPTColor()->isChecked();
    const int32_t next = m_stat.BallCount() - 1;
    const SecondaryDraws secondary = Secondary();
    std::vector<std::optional<int16_t>> previous(static_cast<size_t>(cols));
    for (int m = 0; m < count; ++m) {
        const int32_t p = m_range.RangeStart + m;
        const int r = listAsc ? count - m : m + 1;
        grid->SetTextMatrix(r, 0, m_stat.NumName(p));
        const QColor back = ToQColor(ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>(r % 2) : 0)));
        for (int c = 1; c < cols; ++c) {
            const std::optional<int16_t> v = IndicatorTableValue(m_stat, secondary, p, c, mode);
            if (v)
                grid->SetTextMatrix(r, c, QString::number(*v));
            const std::optional<int16_t>& u = previous[static_cast<size_t>(c)];
            const std::optional<int32_t> fore =
                UpDownColour(upDown, m == 0 || !u, p == next, v.value_or(0), u.value_or(0));
            if (fore)
                grid->SetCellForeColor(r, c, ToQColor(*fore));
            grid->SetCellBackColor(r, c, back);
            previous[static_cast<size_t>(c)] = v;
        }
    }
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
    return TabViewName(SelectedTab()) == m_optCycle->text() && m_range.RangeCount > 0;
}

void FInfer::OptCycle_Click()
{
    m_lstCycle->clear();
    m_txtCycle->clear();
    m_lstCycle->setEnabled(true);
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(5);
    NameView(m_optCycle->text());
    const std::shared_ptr<CLottorData> game = Mmain().CurLottorData;
    if (!game)
        return;
    const CLottorHead& head = *m_stat.HeadData();
    DropNumberTable();
    const NumberGridLayout layout = NumberGrid(Sizes(), 2, Names());
    CFlexGrid* grid = m_msgMain;
    grid->SetRedraw(false);
    const int count = m_range.RangeCount;
    ResetNumberGrid(count + 2, layout.Cols);
    NumberCaptions(grid, layout);
    grid->SetTextMatrix(0, 0, u"位码"_s);
    grid->SetTextMatrix(1, 0, u"期数"_s);
    const bool listAsc = head.ListAsc != 0;
    m_memory.CycleNewestOnTop = listAsc;
    const int mode = DisplayMode();
    const bool showHit = chkPTShowHit()->isChecked();
    const bool colour = chkPTColor()->isChecked();
    const int32_t next = m_stat.BallCount() - 1;
    for (int t = 0; t < count; ++t) {
        const int32_t p = m_range.RangeStart + t;
        const int r = PeriodRow(t, count, listAsc);
        grid->SetRowData(r, p);
        grid->SetTextMatrix(r, 0, p == next ? u"下期"_s : QString::number(game->NumName(p)));
        for (const NumberBlock& block : layout.Blocks) {
            const std::vector<ViewCell> cells = CycleRowCells(m_stat, *game, p, block.Area, mode, showHit, colour);
            for (int d = 0; d < block.Digits && d < static_cast<int>(cells.size()); ++d)
                PaintCell(grid, r, block.Start + d, cells[static_cast<size_t>(d)]);
        }
        SeparatorCells(grid, layout, r);
    }
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
    const QColor main = ToQColor(ColorRgb(head.BcMainColor));
    const int col = CycleColumn(head, h.Block, h.Digit);
    const bool colour = chkPTColor()->isChecked();
    if (col > 0 && col < m_msgMain->Cols()) {
        for (const int row : CycleHighlightRows(h, m_memory.CycleNewestOnTop, m_msgMain->Rows())) {
            if (m_msgMain->CellForeColor(row, col) == QColor(0, 0, 0))
                m_msgMain->SetCellForeColor(row, col, main);
            m_msgMain->SetCellBackColor(
                row, col,
                ToQColor(CycleCellBack(m_stat, m_msgMain->RowData(row), static_cast<int16_t>(head.BcMain - h.Block + 1),
                                       h.Digit, colour)));
        }
    }
    h.AnchorRow = 0;
}

void FInfer::msgMain_Click()
{
    if (!CycleViewShown())
        return;
    const CLottorHead& head = *m_stat.HeadData();
    const int r0 = m_msgMain->Row();
    const int c0 = m_msgMain->Col();
    m_txtCycle->clear();
    m_msgMain->SetRedraw(false);
    {
        const QSignalBlocker quiet(m_lstCycle);
        m_lstCycle->clear();
    }
    RemoveCycleHighlight();
    const std::optional<CycleClick> click = LocateCycleClick(head, c0);
    if (click && r0 >= 2) {
        m_memory.CycleRowTag = QString::number(r0);
        m_memory.CycleCellTag = QString::number(click->Block) + u'|' + QString::number(click->Digit);
        const std::vector<CycleEntry> entries = CycleEntries(
            m_stat, m_msgMain->RowData(r0), static_cast<int16_t>(head.BcMain - click->Block + 1), click->Digit);
        {
            const QSignalBlocker quiet(m_lstCycle);
            for (const CycleEntry& entry : entries) {
                auto* item = new QListWidgetItem(entry.Text, m_lstCycle);
                item->setData(Qt::UserRole, entry.ItemData);
            }
        }
        if (!entries.empty())
            m_lstCycle->setCurrentRow(0);
    }
    m_msgMain->SetRow(r0);
    m_msgMain->SetCol(c0);
    m_msgMain->SetRedraw(true);
    m_msgMain->setFocus();
}

void FInfer::LstCycle_Click()
{
    if (!CycleViewShown())
        return;
    const int row = m_msgMain->Row();
    const int col = m_msgMain->Col();
    m_msgMain->SetRedraw(false);
    RemoveCycleHighlight();
    const QListWidgetItem* item = m_lstCycle->currentItem();
    const std::optional<CycleHighlight> h =
        item ? HighlightFromTags(m_memory.CycleRowTag, m_memory.CycleCellTag, item->data(Qt::UserRole).toInt())
             : std::nullopt;
    const CLottorHead& head = *m_stat.HeadData();
    if (h) {
        const int at = CycleColumn(head, h->Block, h->Digit);
        if (at > 0 && at < m_msgMain->Cols()) {
            m_memory.Highlight = *h;
            const QColor main = ToQColor(ColorRgb(head.BcMainColor));
            for (const int r : CycleHighlightRows(*h, m_memory.CycleNewestOnTop, m_msgMain->Rows())) {
                if (m_msgMain->CellForeColor(r, at) == main)
                    m_msgMain->SetCellForeColor(r, at, QColor(0, 0, 0));
                m_msgMain->SetCellBackColor(r, at, main);
            }
        }
    }
    m_msgMain->SetRow(row);
    m_msgMain->SetCol(col);
    m_msgMain->SetRedraw(true);
    m_msgMain->setFocus();
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
    NameView(m_optGather[static_cast<size_t>(index)]->text());
    SetupTopBar(3);
    const CLottorHead& head = *m_stat.HeadData();
    const bool asGrid = m_lstRelate->currentRow() < 1;
    (asGrid ? chkPTSort() : chkPTColor())->hide();
    DropNumberTable();
    const PairMatrix& matrix = m_memory.Relation.Matrix(m_stat, m_range.RangeStart, m_range.RangeEnd, index);
    const RelationTexts texts = RelationKindTexts(index);
    const int n = head.BcDataLen;
    if (!asGrid) {
        const ChartData data = RelationChart(matrix, static_cast<int16_t>(m_lstRelate->currentRow() - 1),
                                             chkPTSort()->isChecked(), index, m_lstRelate->currentItem()->text());
        m_chMain->StatData(data, 0, static_cast<int16_t>(m_memory.RelationChartKind + 1));
        if (m_memory.RelationChartKind == 0)
            m_memory.RelationChartKind = -2;
        m_chMain->show();
        return;
    }
    CFlexGrid* grid = m_msgMain;
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
    grid->SetTextMatrix(0, 0, u"号码"_s);
    grid->SetTextMatrix(1, 0, u"号码"_s);
    for (int d = 0; d <= n; ++d) {
        grid->SetTextMatrix(0, d + 2, texts.ColLabel);
        grid->SetTextMatrix(1, d + 2, QString::number(d));
        grid->SetColAlignment(d + 2, Qt::AlignCenter);
        grid->SetColWidth(d + 2, 350);
        grid->SetTextMatrix(d + 2, 0, texts.RowLabel);
        grid->SetTextMatrix(d + 2, 1, QString::number(d));
    }
    const bool rowColours = chkPTColor()->isChecked();
    for (int r = 0; r <= n; ++r) {
        const QColor back = ToQColor(ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>((r + 2) % 2) : 0)));
        for (int c = 0; c <= n; ++c) {
            grid->SetCellBackColor(r + 2, c + 2, back);
            grid->SetTextMatrix(r + 2, c + 2, QString::number(matrix.At(r, c)));
        }
    }
    grid->SetTopRow(2); // from the first digit, whatever the view before had scrolled to

    grid->FitColsToTexts();
    grid->show();
    grid->SetRedraw(true);
}

} // namespace kelton
