// The analysis window's dispatch, busy state and top bar.

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
    c.ListAll = m_ui.OptListAll->text();
    for (size_t k = 0; k < 8; ++k) {
        c.List[k] = m_ui.OptList[k]->text();
        c.Stat[k] = m_ui.OptStat[k]->text();
    }
    c.StatAll = m_ui.OptStatAll->text();
    c.All = m_ui.OptAll->text();
    // The positions and secondary numbers of the game in hand only.
    const GameSizes g = Sizes();
    const size_t last = std::min<size_t>(m_ui.OptFilter.size(), static_cast<size_t>(43 + g.B + g.R));
    for (size_t k = 0; k < last; ++k)
        c.Filter.push_back(m_ui.OptFilter[k]->text());
    c.Cycle = m_ui.OptCycle->text();
    for (size_t k = 0; k < 4; ++k) {
        c.Gather[k] = m_ui.OptGather[k]->text();
        c.FilterMiss[k] = m_ui.optFilterMiss[k]->text();
    }
    for (size_t k = 0; k < 5; ++k)
        c.FilterMiss2[k] = m_ui.optFilterMiss2[k]->text();
    return c;
}

void FInfer::SelectTab(int tab)
{
    // Raises Tsp1_Click at once.
    m_ui.Tsp1->setCurrentIndex(tab - 1);
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
    if (QRadioButton* option = m_ui.OptionOf(hit.Id))
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
    for (QWidget* page : m_ui.Pages) {
        if (page)
            page->hide();
    }
    m_ui.FraFilter->show();
    m_tspHeight = 1575;
    const int tab = SelectedTab();
    QWidget* page = m_ui.Page(tab);
    if (page) {
        page->show();
        if (TabKey(tab) == u"Sort"_s)
            m_ui.FraFilter->hide();
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
    m_ui.chkFilter->setEnabled(false);
    m_ui.chkFilter->setChecked(false);
    m_ui.TxtFilter->setEnabled(false);
    m_ui.TxtFilter->clear();

    for (QWidget* control : m_ui.Top)
        control->hide();
    m_ui.chMain->hide();
    m_ui.msgMain->hide();
    m_ui.msgMain->SetToolTipText(QString());

    const TopBarPlan plan = PlanTopBar(kind, m_topGeom);
    if (!plan.ColorCaption.isEmpty())
        m_ui.chkPTColor->setText(plan.ColorCaption);
    m_topGeom = plan.Geometry;
    for (int c = 0; c < kTopCtlCount; ++c) {
        QWidget* control = m_ui.Top[static_cast<size_t>(c)];
        SetTwipsGeometry(control, m_topGeom[static_cast<size_t>(c)]);
        if (plan.Shown[static_cast<size_t>(c)])
            control->show();
    }
    if (plan.ShowChart)
        m_ui.chMain->show();
    // A new default course (彩票选项) takes effect at the next view, as the
    // game's colours and list order do, lists and table together.
    const CLottorHead* head = m_stat.HeadData();
    if (head && head->InferShowCourse != m_showCourse)
        SelectDefaultPeriods();
    m_range = StoreRange(m_ui.cboPTStart->currentIndex(), m_ui.cboPTEnd->currentIndex(),
                         m_ui.cboPTIndex->currentIndex());
}

} // namespace kelton
