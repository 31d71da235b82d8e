// The analysis window's chart views: the ranking chart, the indicator
// trends with their condition box, and the miss statistics.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "analysis/condition_link.h"
#include "analysis/indicator_series.h"
#include "analysis/miss_stats.h"
#include "analysis/ranking.h"
#include "analysis/ui/infer_form.h"
#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/value_pick.h"
#include "pickers/ui/pick.h"
#include "platform/name_tables.h"
#include "platform/string_table.h"
#include "platform/ui/message_box.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// Values as the value boxes and the picker take them: 0 .. 32676.
constexpr int16_t kPickedHigh = 32676;

} // namespace

// ---------------------------------------------------------------------------
// Ranking chart

void FInfer::OptStat_Click(int16_t index)
{
    if (m_isBusy || index < 0 || index > 7)
        return;
    const ViewRun run(*this, false);
    SetupTopBar(1);
    NameView(m_ui.OptStat[static_cast<size_t>(index)]->text());
    const CLottorHead& head = *m_stat.HeadData();
    const RankArea area = RankChartArea(head, m_ui.cboPTSubarea2->currentIndex());
    const ChartData data =
        RankChart(m_stat, Secondary(), index, m_range.StatPeriod, area, m_ui.chkPTSort->isChecked(),
                  u"号码:"_s + m_ui.cboPTSubarea2->currentText());
    m_ui.chMain->StatData(data, 0, static_cast<int16_t>(m_memory.RankChartKind + 1),
                          RankTitle(index, head.CustomStat));
    if (m_memory.RankChartKind == 0)
        m_memory.RankChartKind = -2;
    m_ui.chMain->show();
}

// ---------------------------------------------------------------------------
// Indicator trends

void FInfer::OptFilter_Click(int16_t index)
{
    if (m_isBusy || index < 0 || index >= static_cast<int>(m_ui.OptFilter.size()))
        return;
    const ViewRun run(*this, true);
    SetupTopBar(4);
    NameView(m_ui.OptFilter[static_cast<size_t>(index)]->text());
    const CLottorHead& head = *m_stat.HeadData();
    if (index <= 42 + head.BcMain) {
        m_ui.TxtFilter->show();
        m_ui.TxtFilter->setText(RangeToStr(m_stat.ShrinkVal(index)));
        const bool on = m_stat.ShrinkSel(index) != 0;
        m_ui.chkFilter->setChecked(on);
        m_ui.TxtFilter->setEnabled(on);
        m_ui.chkFilter->setEnabled(ConditionBoxEnabled(index, head.BcMain, m_app.Document.DirectBets()));
    }
    ChartData series;
    const int16_t kinds[] = {index};
    const bool failed = index == 19 ? GetCycleArray(m_stat, m_range.RangeStart, m_range.RangeEnd, series)
                                    : GetFilterArray(m_stat, Secondary(), kinds, m_range.RangeStart,
                                                     m_range.RangeEnd, series);
    if (failed)
        series = HeaderOnlySeries(index == 19 ? IndicatorName(19) : KindName(head, index));
    const QString title = TrendTitle(head, index, series);
    if (series.PointCount() < 1)
        series = OneEmptyPoint(ChartCellText(series.At(0, 1)));
    m_memory.TrendChartKind = m_ui.chMain->StatData(series, 1, m_memory.TrendChartKind, title, -1, 255, 3);
    if (m_memory.TrendChartKind == 0)
        m_memory.TrendChartKind = -1;
    m_ui.chMain->show();
}

int16_t FInfer::ShownConditionKind() const
{
    const int16_t bcMain = m_stat.HeadData() ? m_stat.HeadData()->BcMain : 0;
    std::vector<QString> captions;
    for (int k = 0; k <= 42 + bcMain && k < static_cast<int>(m_ui.OptFilter.size()); ++k)
        captions.push_back(m_ui.OptFilter[static_cast<size_t>(k)]->text());
    return kelton::ShownConditionKind(captions, bcMain, m_currentViewName);
}

void FInfer::chkFilter_Click()
{
    if (m_isBusy)
        return;
    const bool on = m_ui.chkFilter->isChecked();
    m_ui.TxtFilter->setEnabled(on);
    const int16_t k = ShownConditionKind();
    if (k >= 0)
        m_app.Document.ChangeConditions([&](CLottorData&) { m_stat.SetShrinkSel(k, on ? 1 : 0); });
}

void FInfer::TxtFilter_Change()
{
    const int16_t k = ShownConditionKind();
    if (k >= 0)
        m_ui.TxtFilter->setText(RangeToStr(m_stat.ShrinkVal(k)));
}

void FInfer::TxtFilter_Click()
{
    const int16_t k = ShownConditionKind();
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (k < 0 || !game)
        return;
    GameDocument& doc = m_app.Document;
    const CLottorHead& head = *m_stat.HeadData();
    const ValuePickText text = ConditionPickText(*game, m_stat, k, doc.TargetIssue(), doc.TargetIssueText());
    const QString answer =
        ShowSelVal(m_ui.TxtFilter->text(), head.ShrinkHL(k, 0), head.ShrinkHL(k, 1), text.Names, text.Hint);
    doc.ChangeConditions([&](CLottorData&) { m_stat.SetShrinkVal(k, StrToRange(answer, 0, kPickedHigh)); });
    TxtFilter_Change();
}

void FInfer::RefreshFilter()
{
    const int16_t k = ShownConditionKind();
    if (k < 0 || !m_loaded)
        return;
    {
        const QScopedValueRollback busy(m_isBusy, true);
        m_ui.chkFilter->setChecked(m_stat.ShrinkSel(k) != 0);
        m_ui.TxtFilter->setText(RangeToStr(m_stat.ShrinkVal(k)));
    }
    m_ui.chkFilter->setEnabled(
        ConditionBoxEnabled(k, m_stat.HeadData()->BcMain, m_app.Document.DirectBets()));
    m_ui.TxtFilter->setEnabled(m_ui.chkFilter->isChecked());
}

// ---------------------------------------------------------------------------
// Miss statistics

void FInfer::optFilterMiss_Click(int16_t index)
{
    if (!m_isBusy && index >= 0 && index <= 3)
        ShowMiss(index, false);
}

void FInfer::optFilterMiss2_Click(int16_t index)
{
    if (!m_isBusy && index >= 0 && index <= 4)
        ShowMiss(index, true);
}

void FInfer::ShowMiss(int16_t index, bool pair)
{
    const ViewRun run(*this, false);
    SetupTopBar(pair ? 8 : 7);
    NameView(pair ? m_ui.optFilterMiss2[static_cast<size_t>(index)]->text()
                  : m_ui.optFilterMiss[static_cast<size_t>(index)]->text());
    const CLottorHead& head = *m_stat.HeadData();
    const auto kindA = static_cast<int16_t>(std::max(0, m_ui.cboPTFilter->currentIndex()));
    const auto kindB = static_cast<int16_t>(std::max(0, m_ui.cboPTFilter2->currentIndex()));
    const MissRange a = KindRange(head, kindA);
    const MissRange b = KindRange(head, kindB);
    const int32_t slots = pair ? PairSlotCount(a, b) : a.Count();
    if (pair && slots > kMaxPairSlots) {
        MsgBox(this, QMessageBox::Information, LoadResString(Res::OperationPrompt),
               u"这两个指标的数值组合太多（%1组），不能进行组合统计。"_s.arg(slots));
        return;
    }
    const std::vector<int32_t> recordSlots =
        pair ? PairSlots(m_stat, kindA, a, kindB, b, m_range.RangeStart, m_range.RangeEnd)
             : KindSlots(m_stat, kindA, a, m_range.RangeStart, m_range.RangeEnd);
    const auto stat = static_cast<MissStat>(index);
    const QString name =
        pair ? PairSeriesName(m_ui.cboPTFilter->currentText(), a, m_ui.cboPTFilter2->currentText(), b)
             : m_currentViewName;
    ChartData data =
        MissChart(MissValues(CountMisses(recordSlots, slots), stat), stat, pair ? 0 : a.Low, name);
    if (data.PointCount() < 1)
        data = OneEmptyPoint(name); // a kind without values: nothing of the chart before stays
    const QString& lottor = m_app.CurLottorData ? m_app.CurLottorData->HeadData.LottorName : head.LottorName;
    int16_t& chartKind = pair ? m_memory.PairMissChartKind : m_memory.MissChartKind;
    if (kindA >= 37 && kindA <= 42) {
        chartKind = m_ui.chMain->StatData(
            data, 0, chartKind, FeatureLegend(kindA - 37) + u' ' + lottor, -1,
            255, 3);
    } else {
        m_ui.chMain->StatData(data, 0, static_cast<int16_t>(chartKind + 1),
                              pair ? name + u' ' : name + u' ' + lottor, -1, 255, 3);
    }
    if (chartKind == 0)
        chartKind = -2;
    m_ui.chMain->show();
}

void FInfer::cboPTFilter_Click(int which)
{
    QComboBox* box = which == 0 ? m_ui.cboPTFilter : m_ui.cboPTFilter2;
    const bool pairShown = which == 1 || m_ui.cboPTFilter2->isVisible();
    if (pairShown && PairKindRefused(static_cast<int16_t>(box->currentIndex()))) {
        MsgBox(this, QMessageBox::Information, LoadResString(Res::OperationPrompt),
               u"不能对<遗漏和>或<间隔和>进行组合"_s);
        const QScopedValueRollback busy(m_isBusy, true);
        box->setCurrentIndex(0);
    }
    if (!m_isBusy) {
        FindClick();
        box->setFocus();
    }
}

} // namespace kelton
