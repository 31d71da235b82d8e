#include "filter/filter_run.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "platform/name_tables.h"

namespace kelton {

using namespace Qt::StringLiterals;

bool BetPassesFilter(std::span<IShrinkView* const> views, const TotalTolerance& total,
                     const OtherFilterTest& other, std::span<const int16_t> digits)
{
    const bool totalOn = total.On && total.Allowed;
    const int highest = totalOn && !total.Allowed->IsEmpty() ? (*total.Allowed)[total.Allowed->Count()].High : -1;
    int32_t sum = 0;
    for (IShrinkView* view : views) {
        const int16_t errors = view->BetErrors(digits);
        if (errors < 0)
            return false;
        sum += errors;
        if (view->OwnToleranceOn())
            continue;
        if (totalOn) {
            // An empty set is decided below: it lets nothing pass.
            if (highest >= 0 && sum > highest)
                return false;
        } else if (errors != 0) {
            return false;
        }
    }
    if (totalOn && !total.Allowed->Contains(sum))
        return false;
    return !other || other(digits);
}

RemovalOutcome RunFilter(BetList& list, std::span<IShrinkView* const> views, const TotalTolerance& total,
                         const OtherFilterTest& other, int32_t issue, CMsg& msg, const StopQuestion& ask)
{
    if (list.BetCount() < 1) {
        RemovalOutcome none;
        none.Result = BetList::StepResult::NoBets;
        return none;
    }
    for (IShrinkView* view : views)
        view->PrepareRun(issue);
    return RunRemoval(list, msg, ask, u"正在进行过滤"_s, 10,
                      [&](int32_t i) { return !BetPassesFilter(views, total, other, list.Digits(i)); });
}

QString DrawnIssueQuestion(const QString& t)
{
    const QString lines = u"\r\n\r\n"_s;
    return u"您当前选择的投注期号是<"_s + t + u"期>，而不是<下期>。"_s + lines +
           u"过滤结果将不适用于<下期>的开奖结果，"_s + u"而适用于<"_s + t + u"期>的开奖结果。"_s + lines +
           u"不同期号在相同的方案中过滤后结果是不同的！"_s + lines + u"一定要选择正确的期号进行过滤，你确定要过滤的是<"_s +
           t + u"期>吗？"_s;
}

void StatShrinkView::PrepareRun(int32_t issue)
{
    m_stat.IniShrinkData();
    m_stat.GetFilterIni(issue);
}

int16_t StatShrinkView::BetErrors(std::span<const int16_t> digits)
{
    return m_stat.GetShrinkErr(digits);
}

bool StatShrinkView::OwnToleranceOn() const
{
    const auto own = static_cast<int16_t>(m_bcMain + 43);
    return m_stat.ShrinkSel(own) != 0 && m_stat.ShrinkValUbound(own) > 0;
}

GroupBetConditionsOff::GroupBetConditionsOff(std::span<CStat* const> views, int16_t bcMain, bool groupBets)
    : m_bcMain(bcMain)
{
    if (!groupBets)
        return;
    const auto& applies = kGroupIndicatorFlag;
    m_views.assign(views.begin(), views.end());
    for (CStat* stat : m_views) {
        for (int16_t k = 0; k <= bcMain + 42; ++k) {
            m_saved.push_back(stat->ShrinkSel(k));
            if (k > 42 || applies[static_cast<size_t>(k)] == 0)
                stat->SetShrinkSel(k, 0);
        }
    }
}

GroupBetConditionsOff::~GroupBetConditionsOff()
{
    size_t next = 0;
    for (CStat* stat : m_views) {
        for (int16_t k = 0; k <= m_bcMain + 42; ++k)
            stat->SetShrinkSel(k, m_saved[next++]);
    }
}

int32_t SettingsFindings::Count() const
{
    int32_t n = 0;
    for (const auto& names : PerView)
        n += static_cast<int32_t>(names.size());
    return n + (TotalToleranceEmpty ? 1 : 0) + (OtherToleranceEmpty ? 1 : 0);
}

SettingsFindings CheckFilterSettings(const CLottorData& game)
{
    SettingsFindings out;
    const CLottorHead& head = game.HeadData;
    for (int16_t v = 0; v < AppState::InferCount; ++v) {
        std::vector<SettingsFinding>& names = out.PerView.emplace_back();
        const CStat* stat = game.StatView(v);
        if (!stat)
            continue;
        for (int16_t k = 0; k <= head.BcMain + 42; ++k) {
            if (stat->ShrinkSel(k) == 0 || !RangeToStr(stat->ShrinkVal(k)).isEmpty())
                continue;
            if (k <= 42) {
                const QString& name = IndicatorName(k);
                names.push_back({name, name});
            } else {
                names.push_back({head.BcDataName + u"号码"_s + QString::number(k - 42),
                                 PlaceName(k - 42) + u"位号码"_s});
            }
        }
        const auto own = static_cast<int16_t>(head.BcMain + 43);
        if (stat->ShrinkSel(own) != 0 && stat->ShrinkVal(own).IsEmpty())
            names.push_back({u"子容错"_s, QString()});
    }
    out.TotalToleranceEmpty = game.ShrinkAllErrSel != 0 && game.ShrinkAllErrVal.IsEmpty();
    // The other filters' run holds the failures against the first
    // ShrinkOtherErrValUbound ranges of the set.
    const int16_t otherRanges = game.ShrinkOtherErrValUbound;
    out.OtherToleranceEmpty =
        game.ShrinkOtherErrSel == 1 && (otherRanges < 1 || otherRanges > game.ShrinkOtherErrVal.Count());
    return out;
}

} // namespace kelton
