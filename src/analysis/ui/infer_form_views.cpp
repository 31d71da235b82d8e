// The analysis window's dispatch, top bar and view handlers.

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

namespace kelton {

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------------------
// The busy state of a build

FInfer::ViewRun::ViewRun(FInfer& form, bool bWait) : m_form(form)
{
    if (bWait) {
        if (CLottorHead* head = form.m_stat.HeadData()) {
            m_msg = &head->msg;
            m_msg->MainWait(true);
        }
    }
    m_form.m_isBusy = true;
}

FInfer::ViewRun::~ViewRun()
{
    m_form.m_isBusy = false;
    if (m_msg)
        m_msg->MainWait(false);
}

void FInfer::NameView(const QString& caption)
{
    m_currentViewName = caption;
    const int tab = SelectedTab();
    if (tab >= 1 && tab <= kTabCount)
        m_tabViewName[static_cast<size_t>(tab)] = caption;
    ++m_viewRuns;
}

// ---------------------------------------------------------------------------
// Dispatch

ViewCaptions FInfer::Captions() const
{
    ViewCaptions c;
    c.ListAll = m_optListAll->text();
    for (size_t k = 0; k < 8; ++k) {
        c.List[k] = m_optList[k]->text();
        c.Stat[k] = m_optStat[k]->text();
    }
    c.StatAll = m_optStatAll->text();
    c.All = m_optAll->text();
    // The positions and secondary numbers of the game in hand only.
    const GameSizes g = Sizes();
    const size_t last = std::min<size_t>(m_optFilter.size(), static_cast<size_t>(43 + g.B + g.R));
    for (size_t k = 0; k < last; ++k)
        c.Filter.push_back(m_optFilter[k]->text());
    c.Cycle = m_optCycle->text();
    for (size_t k = 0; k < 4; ++k) {
        c.Gather[k] = m_optGather[k]->text();
        c.FilterMiss[k] = m_optFilterMiss[k]->text();
    }
    for (size_t k = 0; k < 5; ++k)
        c.FilterMiss2[k] = m_optFilterMiss2[k]->text();
    return c;
}

void FInfer::SelectTab(int tab)
{
    // Raises Tsp1_Click at once.
    m_tsp1->setCurrentIndex(tab - 1);
}

void FInfer::FindClick()
{
    if (!m_loaded) {
        Form_Load(); // the load dispatches CurrentViewName itself
        return;
    }
    if (!m_stat.HeadData())
        return;
    const ViewOption hit = FindView(Captions(), m_currentViewName);
    m_isBusy = true;
    if (SelectedTab() != hit.Tab)
        SelectTab(hit.Tab);
    m_isBusy = false;
    if (QRadioButton* option = OptionOf(hit.Id))
        option->setChecked(true);
    RunView(hit.Id);
}

void FInfer::RunView(const ViewId& id)
{
    if (m_isBusy)
        return;
    m_currentView = id;
    switch (id.Family) {
    case ViewFamily::ListAll:
        OptListAll_Click();
        break;
    case ViewFamily::List:
        OptList_Click(id.Index);
        break;
    case ViewFamily::Stat:
        OptStat_Click(id.Index);
        break;
    case ViewFamily::StatAll:
        OptStatAll_Click();
        break;
    case ViewFamily::All:
        OptAll_Click();
        break;
    case ViewFamily::Filter:
        OptFilter_Click(id.Index);
        break;
    case ViewFamily::Cycle:
        OptCycle_Click();
        break;
    case ViewFamily::Gather:
        OptGather_Click(id.Index);
        break;
    case ViewFamily::FilterMiss:
        optFilterMiss_Click(id.Index);
        break;
    case ViewFamily::FilterMiss2:
        optFilterMiss2_Click(id.Index);
        break;
    }
}

void FInfer::Tsp1_Click()
{
    for (QWidget* page : m_pages) {
        if (page)
            page->hide();
    }
    m_fraFilter->show();
    m_tspHeight = 1575;
    const int tab = SelectedTab();
    QWidget* page = Page(tab);
    if (page) {
        page->show();
        if (TabKey(tab) == u"Sort"_s)
            m_fraFilter->hide();
    } else {
        m_tspHeight = 300;
    }
    Form_Resize();
    if (!m_isBusy && m_tspHeight != 300) {
        m_currentViewName = TabViewName(tab);
        FindClick();
    }
}

void FInfer::TopBarChanged()
{
    if (m_isBusy)
        return;
    FindClick();
}

// ---------------------------------------------------------------------------
// The top bar

void FInfer::SetupTopBar(int kind)
{
    // The condition link goes off; IsBusy keeps its handler from storing.
    m_chkFilter->setEnabled(false);
    m_chkFilter->setChecked(false);
    m_txtFilter->setEnabled(false);
    m_txtFilter->clear();

    for (QWidget* control : m_top)
        control->hide();
    m_chMain->hide();
    m_msgMain->hide();
    m_msgMain->SetToolTipText(QString());

    const TopBarPlan plan = PlanTopBar(kind, m_topGeom);
    if (!plan.ColorCaption.isEmpty())
        chkPTColor()->setText(plan.ColorCaption);
    m_topGeom = plan.Geometry;
    for (int c = 0; c < kTopCtlCount; ++c) {
        QWidget* control = m_top[static_cast<size_t>(c)];
        SetTwipsGeometry(control, m_topGeom[static_cast<size_t>(c)]);
        if (plan.Shown[static_cast<size_t>(c)])
            control->show();
    }
    if (plan.ShowChart)
        m_chMain->show();
    m_range = StoreRange(cboPTStart()->currentIndex(), cboPTEnd()->currentIndex(), cboPTIndex()->currentIndex());
}

// ---------------------------------------------------------------------------
// Number tables

void FInfer::OptListAll_Click()
{
    if (m_isBusy)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(0);
    NameView(m_optListAll->text());
    BuildNumberTable(-1, m_optListAll->text());
}

void FInfer::OptList_Click(int16_t index)
{
    if (m_isBusy || index < 0 || index > 7)
        return;
    const ViewRun run(*this, true);
    SetupTopBar(0);
    NameView(m_optList[static_cast<size_t>(index)]->text());
    BuildNumberTable(index, m_optList[static_cast<size_t>(index)]->text());
}

namespace {

QColor ShownColor(int32_t stored)
{
    const int32_t rgb = ColorRgb(stored);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

} // namespace

void FInfer::BuildNumberTable(int16_t kind, const QString& caption)
{
    (void)caption;
    const CLottorHead& head = *m_stat.HeadData();
    CNumberTable::Spec spec;
    spec.Kind = kind;
    int mode = 1;
    for (int i = 0; i < 3; ++i) {
        if (m_optPTKind[static_cast<size_t>(i)]->isChecked())
            mode = i;
    }
    spec.Mode = CellModeOf(mode);
    spec.ShowHit = chkPTShowHit()->isChecked();
    spec.AreaChoice = static_cast<int16_t>(cboPTSubarea()->currentIndex());
    spec.RangeStart = m_range.RangeStart;
    spec.RangeCount = m_range.RangeCount;
    spec.ListAsc = head.ListAsc != 0;
    const std::shared_ptr<CLottorData> game = Mmain().CurLottorData;
    CNumberTable::MarkedFn marked;
    if (game) {
        marked = [game](int16_t area, int16_t value) { return game->SelectBall(area, value) != 0; };
    }
    CFlexGrid* grid = m_msgMain;
    grid->SetRedraw(false);
    grid->SetTextSource({});
    m_table = std::make_unique<CNumberTable>(m_stat, Sizes(), Names(), spec, std::move(marked));
    const CNumberTable& table = *m_table;
    const NumberGridLayout& layout = table.Layout();

    grid->Clear();
    grid->SetRows(1);
    grid->SetCols(1);
    grid->SetMergeCells(GridMerge::RestrictColumns);
    grid->SetRows(3);
    grid->SetFixedRows(2);
    grid->SetCols(layout.Cols); // before the rows: the arrays grow once
    grid->SetRows(table.Rows());
    grid->SetMergeRow(0, true);
    grid->SetFixedCols(1);
    for (int col = 0; col < layout.Cols; ++col) {
        grid->SetColWidth(col, ColumnTwips(layout, col));
        grid->SetColAlignment(col, Qt::AlignCenter);
        grid->SetTextMatrix(0, col, table.FixedText(0, col));
        grid->SetTextMatrix(1, col, table.FixedText(1, col));
    }
    grid->SetFixedAlignment(0, Qt::AlignCenter);
    grid->SetFixedAlignment(1, Qt::AlignCenter);

    // Paint: the base colours of every digit cell, then the highlights.
    const QColor grey(150, 150, 150);
    const QColor black(0, 0, 0);
    const QColor row0 = ShownColor(head.RowColor(0));
    const QColor row1 = ShownColor(head.RowColor(1));
    const QColor main = ShownColor(head.BcMainColor);
    const QColor mr = ShownColor(head.MrMainColor);
    const QColor fixed = grid->BackColorFixed();
    const bool rowColours = chkPTColor()->isChecked();
    std::vector<CellPaint> paints;
    for (int row = 2; row < table.Rows(); ++row) {
        const QColor& rowColour = rowColours && row % 2 ? row1 : row0;
        table.PaintRow(row, paints);
        for (int col = 1; col < layout.Cols; ++col) {
            switch (paints[static_cast<size_t>(col)]) {
            case CellPaint::Base:
                grid->SetCellForeColor(row, col, grey);
                grid->SetCellBackColor(row, col, rowColour);
                break;
            case CellPaint::Hit:
                grid->SetCellForeColor(row, col, black);
                grid->SetCellBackColor(row, col, main);
                break;
            case CellPaint::HitMr:
                grid->SetCellForeColor(row, col, black);
                grid->SetCellBackColor(row, col, mr);
                break;
            case CellPaint::Separator:
                grid->SetCellBackColor(row, col, fixed);
                break;
            case CellPaint::None:
                break;
            }
        }
    }
    // Texts are asked for as the cells are shown.
    grid->SetTextSource([&table](int row, int col) { return table.Text(row, col); });

    const int rowTwips = grid->RowHeight(0);
    const int fit = rowTwips > 0 ? static_cast<int>(ScreenPixelsToTwips(grid->height(), grid)) / rowTwips : 0;
    const int top = BuildTopRow(spec.ListAsc, table.Rows(), fit);
    if (top >= 0)
        grid->SetTopRow(top);
    grid->show();
    grid->SetRedraw(true);
}

void FInfer::RefreshBall(int16_t sPos, int16_t sBall)
{
    if (!m_table || !m_msgMain || !m_msgMain->isVisible())
        return;
    const CNumberTable& table = *m_table;
    const int32_t next = m_stat.BallCount() - 1;
    const int row = table.RowOfRecord(next);
    if (row < 0)
        return;
    for (const NumberBlock& block : table.Layout().Blocks) {
        if (block.Area != sPos)
            continue;
        const int16_t d = m_stat.Data(next, sBall, 2);
        const int col = DigitColumn(table.Layout(), block.Area, d);
        if (col < 0)
            continue;
        const CLottorHead& head = *m_stat.HeadData();
        const bool rowColours = chkPTColor()->isChecked();
        switch (table.Paint(row, col)) {
        case CellPaint::Hit:
        case CellPaint::HitMr:
            m_msgMain->SetCellForeColor(row, col, QColor(0, 0, 0));
            m_msgMain->SetCellBackColor(row, col, ShownColor(block.Secondary ? head.MrMainColor : head.BcMainColor));
            break;
        default:
            m_msgMain->SetCellForeColor(row, col, QColor(150, 150, 150));
            m_msgMain->SetCellBackColor(row, col, ShownColor(head.RowColor(rowColours ? row % 2 : 0)));
            break;
        }
        m_msgMain->SetTextMatrix(row, col, QString()); // the source answers anew
    }
}

// ---------------------------------------------------------------------------
// The views drawn by the other families. Each keeps the protocol; until its
// drawing is plugged in here it shows its top bar and an empty view.

void FInfer::ShowEmptyView(const ViewId& id)
{
    const int16_t kind = TopBarKindOf(id.Family);
    // The ranking chart and the miss views do not put the program in its
    // wait state.
    const bool wait =
        id.Family != ViewFamily::Stat && id.Family != ViewFamily::FilterMiss && id.Family != ViewFamily::FilterMiss2;
    const ViewRun run(*this, wait);
    QRadioButton* option = OptionOf(id);
    const QString caption = option ? option->text() : QString();
    if (id.Family == ViewFamily::Gather)
        NameView(caption);
    SetupTopBar(kind);
    if (id.Family != ViewFamily::Gather)
        NameView(caption);
    m_msgMain->SetTextSource({});
    m_table.reset();
    m_msgMain->Clear();
    const bool chart = id.Family == ViewFamily::Stat || id.Family == ViewFamily::Filter
                       || id.Family == ViewFamily::FilterMiss || id.Family == ViewFamily::FilterMiss2;
    if (chart)
        m_chMain->show();
    else
        m_msgMain->show();
}

void FInfer::OptStat_Click(int16_t index)
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::Stat, index});
}

void FInfer::OptStatAll_Click()
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::StatAll, 0});
}

void FInfer::OptAll_Click()
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::All, 0});
}

void FInfer::OptFilter_Click(int16_t index)
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::Filter, index});
}

void FInfer::OptCycle_Click()
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::Cycle, 0});
}

void FInfer::OptGather_Click(int16_t index)
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::Gather, index});
}

void FInfer::optFilterMiss_Click(int16_t index)
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::FilterMiss, index});
}

void FInfer::optFilterMiss2_Click(int16_t index)
{
    if (!m_isBusy)
        ShowEmptyView({ViewFamily::FilterMiss2, index});
}

} // namespace kelton
