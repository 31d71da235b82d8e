// The filter window's conditions at work: the switches and value boxes of
// the condition panel that store what the user sets, and the filter run.

#include <algorithm>
#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/filter_run.h"
#include "filter/ui/filter_form.h"
#include "filter/value_pick.h"
#include "pickers/ui/pick.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The highest value a picked set keeps.
constexpr int16_t kPickedHigh = 32676;

int16_t Ticked(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

// ---------------------------------------------------------------------------
// Switches

void fFilter::chkFilter_Click(int index)
{
    CStat* stat = ShownView();
    if (m_isBusy || !stat || index < 0 || index >= ConditionRows())
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    const auto i = static_cast<size_t>(index);
    m_ui.TxtFilter[i]->setEnabled(m_ui.chkFilter[i]->isChecked());
    m_ui.chkFilter2[i]->setEnabled(m_ui.chkFilter[i]->isChecked());
    m_app.Document.ChangeConditions(
        [&](CLottorData&) { stat->SetShrinkSel(static_cast<int16_t>(index), Ticked(m_ui.chkFilter[i])); });
}

void fFilter::chkFilter2_Click(int index)
{
    CStat* stat = ShownView();
    if (m_isBusy || !stat || index < 0 || index >= ConditionRows())
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    m_app.Document.ChangeConditions([&](CLottorData&) {
        stat->SetShrinkErr(static_cast<int16_t>(index), Ticked(m_ui.chkFilter2[static_cast<size_t>(index)]));
    });
}

void fFilter::chkFilterErr_Click()
{
    CStat* stat = ShownView();
    if (m_isBusy || !stat)
        return;
    {
        const QScopedValueRollback busy(m_isBusy, true);
        m_ui.TxtFilterErr->setEnabled(m_ui.chkFilterErr->isChecked());
    }
    // Every window showing tolerances follows, this one too.
    m_app.Document.ChangeConditions([&](CLottorData&) {
        stat->SetShrinkSel(static_cast<int16_t>(m_bcMain + 43), Ticked(m_ui.chkFilterErr));
    });
}

void fFilter::ChkErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game)
        return;
    {
        const QScopedValueRollback busy(m_isBusy, true);
        m_ui.TxtErr->setEnabled(m_ui.ChkErr->isChecked());
    }
    // Every window showing tolerances follows, this one too.
    m_app.Document.ChangeConditions(
        [this](CLottorData& changed) { changed.ShrinkAllErrSel = Ticked(m_ui.ChkErr); });
}

void fFilter::chkOtherErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game)
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    m_ui.TxtOtherErr->setEnabled(m_ui.chkOtherErr->isChecked());
    m_app.Document.ChangeConditions(
        [this](CLottorData& changed) { changed.ShrinkOtherErrSel = Ticked(m_ui.chkOtherErr); });
}

void fFilter::chkOther_Click(int index)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game || index < 0 || index > 2)
        return;
    const auto i = static_cast<size_t>(index);
    const QScopedValueRollback busy(m_isBusy, true);
    const OtherRow row = OtherFilterRow(i);
    row.ErrSwitch->setEnabled(row.Switch->isChecked());
    m_app.Document.ChangeConditions([&](CLottorData& changed) {
        int16_t* sel[3] = {&changed.FilterMatch.Sel, &changed.FilterHistory.Sel, &changed.FilterGather.Sel};
        *sel[i] = Ticked(row.Switch);
    });
}

void fFilter::chkOtherErr_Click(int index)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game || index < 0 || index > 2)
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    m_app.Document.ChangeConditions([&](CLottorData& changed) {
        int16_t* errSel[3] = {&changed.FilterMatch.ErrSel, &changed.FilterHistory.ErrSel,
                              &changed.FilterGather.ErrSel};
        *errSel[static_cast<size_t>(index)] = Ticked(OtherFilterRow(static_cast<size_t>(index)).ErrSwitch);
    });
}

// One click switches a whole column on when all of it is off, and off as
// soon as any box of it is on; every box that changes stores its value
// through its own handler.
void fFilter::SwitchColumn(const std::vector<QCheckBox*>& boxes, const std::function<void(int)>& click,
                           QWidget* header)
{
    const bool anyOn = std::any_of(boxes.begin(), boxes.end(), [](const QCheckBox* b) { return b->isChecked(); });
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->isChecked() == !anyOn)
            continue;
        boxes[i]->setChecked(!anyOn);
        click(static_cast<int>(i));
    }
    header->setFocus();
}

void fFilter::cmdSelAll_Click()
{
    SwitchColumn(
        m_ui.chkFilter, [this](int i) { chkFilter_Click(i); }, m_ui.picChipInDataHeader);
}

void fFilter::cmdSelErr_Click()
{
    SwitchColumn(
        m_ui.chkFilter2, [this](int i) { chkFilter2_Click(i); }, m_ui.picChipInDataHeader);
}

void fFilter::cmdSelAllOther_Click()
{
    SwitchColumn(
        {m_ui.chkMatch, m_ui.chkHistory, m_ui.chkGather}, [this](int i) { chkOther_Click(i); },
        m_ui.picChipInOtherHeader);
}

void fFilter::cmdSelErrOther_Click()
{
    SwitchColumn(
        {m_ui.chkMatchErr, m_ui.chkHistoryErr, m_ui.ChkGatherErr}, [this](int i) { chkOtherErr_Click(i); },
        m_ui.picChipInOtherHeader);
}

// ---------------------------------------------------------------------------
// Value boxes: a set is entered only through the picker

void fFilter::TxtFilter_Click(int index)
{
    const std::shared_ptr<CLottorData> game = Game();
    CStat* stat = ShownView();
    if (!game || !stat || index < 0 || index >= ConditionRows() ||
        !m_ui.TxtFilter[static_cast<size_t>(index)]->isEnabled())
        return;
    const auto k = static_cast<int16_t>(index);
    GameDocument& doc = m_app.Document;
    const ValuePickText text = ConditionPickText(*game, *stat, k, doc.TargetIssue(), doc.TargetIssueText());
    // The picker starts from the stored set, whatever the box shows.
    const QString picked = ShowSelVal(RangeToStr(stat->ShrinkVal(k)), game->HeadData.ShrinkHL(k, 0),
                                      game->HeadData.ShrinkHL(k, 1), text.Names, text.Hint);
    const QScopedValueRollback busy(m_isBusy, true);
    doc.ChangeConditions([&](CLottorData&) { stat->SetShrinkVal(k, StrToRange(picked, 0, kPickedHigh)); });
    TxtFilter_Change(index);
}

void fFilter::ValueBox_Click(QLineEdit* box, int row)
{
    if (row >= 0)
        TxtFilter_Click(row);
    else if (box == m_ui.TxtErr)
        TxtErr_Click();
    else if (box == m_ui.TxtFilterErr)
        TxtFilterErr_Click();
    else if (box == m_ui.TxtOtherErr)
        TxtOtherErr_Click();
}

void fFilter::TxtFilter_Change(int index)
{
    const CStat* stat = ShownView();
    if (stat && index >= 0 && index < ConditionRows())
        m_ui.TxtFilter[static_cast<size_t>(index)]->setText(
            RangeToStr(stat->ShrinkVal(static_cast<int16_t>(index))));
}

void fFilter::TxtFilterErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    CStat* stat = ShownView();
    if (!game || !stat || !m_ui.TxtFilterErr->isEnabled())
        return;
    const auto own = static_cast<int16_t>(m_bcMain + 43);
    const QString picked = ShowSelVal(RangeToStr(stat->ShrinkVal(own)), game->HeadData.ShrinkHL(own, 0),
                                      game->HeadData.ShrinkHL(own, 1), QString(), QString());
    m_app.Document.ChangeConditions(
        [&](CLottorData&) { stat->SetShrinkVal(own, StrToRange(picked, 0, kPickedHigh)); });
    m_ui.TxtFilterErr->setText(RangeToStr(stat->ShrinkVal(own)));
}

void fFilter::TxtErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game || !m_ui.TxtErr->isEnabled())
        return;
    const QString picked = ShowSelVal(RangeToStr(game->ShrinkAllErrVal), 0, 200, QString(), QString());
    m_app.Document.ChangeConditions([&picked](CLottorData& changed) {
        changed.ShrinkAllErrVal = StrToRange(picked, 0, kPickedHigh);
        changed.ShrinkAllErrValUbound = static_cast<int16_t>(changed.ShrinkAllErrVal.Count());
    });
    TxtErr_Change();
}

void fFilter::TxtOtherErr_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game || !m_ui.TxtOtherErr->isEnabled())
        return;
    const QString picked = ShowSelVal(RangeToStr(game->ShrinkOtherErrVal), 0, 3, QString(), QString());
    const QScopedValueRollback busy(m_isBusy, true);
    m_app.Document.ChangeConditions([&picked](CLottorData& changed) {
        changed.ShrinkOtherErrVal = StrToRange(picked, 0, kPickedHigh);
        changed.ShrinkOtherErrValUbound = static_cast<int16_t>(changed.ShrinkOtherErrVal.Count());
    });
    TxtOtherErr_Change();
}

// ---------------------------------------------------------------------------
// The filter run

void fFilter::cmdGetFilter_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!m_loaded || !game || m_isBusy)
        return;
    // The other filters run with the items the panel shows.
    UpDateOtherFilter();
    GameDocument& doc = m_app.Document;
    if (doc.Bets().BetCount() < 1) {
        m_ui.msgResult->SetRows(1);
        m_ui.msgResult->SetRedraw(true);
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, u"需要投注后才可以过滤！"_s);
        return;
    }
    if (!CheckFilterSettings()) {
        m_ui.msgResult->SetRedraw(true);
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, u"过滤指标设置存在错误，请更正后再过滤！"_s);
        return;
    }
    const int32_t issue = doc.TargetIssue();
    if (issue < game->NumCount() &&
        MsgBox(this, QMessageBox::NoIcon, u"操作提示"_s, DrawnIssueQuestion(doc.TargetIssueText()),
               QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;

    std::vector<CStat*> stats;
    std::vector<StatShrinkView> adapters;
    adapters.reserve(AppState::InferCount);
    for (int16_t v = 0; v < AppState::InferCount; ++v) {
        if (CStat* stat = game->StatView(v)) {
            stats.push_back(stat);
            adapters.emplace_back(*stat, m_bcMain);
        }
    }
    std::vector<IShrinkView*> views;
    for (StatShrinkView& adapter : adapters)
        views.push_back(&adapter);
    RemovalOutcome outcome;
    {
        // A list of group bets leaves the position conditions and the
        // indicators that do not apply to them out of the run, whatever
        // bet type the options show now; the flags come back however the
        // run ends.
        const GroupBetConditionsOff groupOff(stats, m_bcMain, doc.Bets().GroupBets());
        const TotalTolerance total{game->ShrinkAllErrSel != 0, &game->ShrinkAllErrVal};
        const OtherFilterTest other = [&game, issue](std::span<const int16_t> digits) {
            return game->FilterOther(digits, issue);
        };
        CMsg msg;
        outcome = doc.ChangeBets(
            [&](BetList& bets) { return RunFilter(bets, views, total, other, issue, msg, AskToStop(this)); });
    }
    ReportStepRefusal(outcome);
}

} // namespace kelton
