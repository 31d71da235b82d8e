#pragma once

// The filter run: every live bet tested against the conditions of all data
// views, their tolerances and the other filters for one target issue; the
// bets that fail are removed as one undoable step. The window asks the
// questions and shows the outcome; this file holds the rules.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include <QString>

#include "filter/bet_commands.h"

namespace kelton {

class CLottorData;
class CStat;
class ValueSet;

// One data view as the run sees it: the statistics of the view in the
// program (StatShrinkView), a counting fake in tests.
class IShrinkView {
public:
    virtual ~IShrinkView() = default;
    // Once per run, before the first bet: the conditions normalised and the
    // view's statistics as they stood before the target issue was drawn.
    virtual void PrepareRun(int32_t issue) = 0;
    // The number of tolerated misses of the bet, or -1 when a hard
    // condition or the view's own tolerance rejects it.
    virtual int16_t BetErrors(std::span<const int16_t> digits) = 0;
    // The view's own tolerance is on with a non-empty set (its count was
    // held against that set inside BetErrors).
    virtual bool OwnToleranceOn() const = 0;
};

// The total tolerance: on, and the allowed totals of tolerated misses over
// all views.
struct TotalTolerance {
    bool On = false;
    const ValueSet* Allowed = nullptr;
};

// The other filters under their own tolerance; true = the bet passes.
using OtherFilterTest = std::function<bool(std::span<const int16_t> digits)>;

// The test of one bet (numbers by position, 1 = units). The views are asked
// in order and the first rejection ends the test; a tolerated miss is
// forgiven only by the view's own tolerance or by the total one (the sum
// over all views must lie in its set; an empty set lets nothing pass). The
// other filters are asked only for a bet that passed every view.
bool BetPassesFilter(std::span<IShrinkView* const> views, const TotalTolerance& total,
                     const OtherFilterTest& other, std::span<const int16_t> digits);

// Runs the filter over the list: the views prepared once, then a removing
// step with progress every 10 bets ("正在进行过滤") and the stop question,
// failing live bets removed. Refusals of the step (no bets, the step
// limit) change nothing.
RemovalOutcome RunFilter(BetList& list, std::span<IShrinkView* const> views, const TotalTolerance& total,
                         const OtherFilterTest& other, int32_t issue, CMsg& msg, const StopQuestion& ask);

// The question put when a drawn issue (its text T) is the target instead of
// "下期".
QString DrawnIssueQuestion(const QString& issueText);

// The data view v of a game in a filter run.
class StatShrinkView final : public IShrinkView {
public:
    StatShrinkView(CStat& stat, int16_t bcMain) : m_stat(stat), m_bcMain(bcMain) {}
    void PrepareRun(int32_t issue) override;
    int16_t BetErrors(std::span<const int16_t> digits) override;
    bool OwnToleranceOn() const override;

private:
    CStat& m_stat;
    int16_t m_bcMain;
};

// For group bet types: while alive, the conditions on the number at a
// position and the indicators that do not apply to group bets are off in
// every view; the destructor gives every view its on flags back, on every
// way out of the run. Inactive (nothing touched) for direct bets.
class GroupBetConditionsOff {
public:
    GroupBetConditionsOff(std::span<CStat* const> views, int16_t bcMain, bool groupBets);
    ~GroupBetConditionsOff();
    GroupBetConditionsOff(const GroupBetConditionsOff&) = delete;
    GroupBetConditionsOff& operator=(const GroupBetConditionsOff&) = delete;

private:
    std::vector<CStat*> m_views;
    std::vector<int16_t> m_saved; // view by view, conditions 0..BcMain+42
    int16_t m_bcMain = 0;
};

// The settings check before a run: every switch ticked without values is
// refused, because the run cannot follow it as the user meant it. Per view,
// the switched-on conditions whose value set is empty (indicators first,
// then positions named BcDataName + "号码" + p), which would let no bet
// pass; then "子容错" when the view's own tolerance is on with an empty set,
// which the run would ignore, judging the view's tolerated misses as if the
// switch were off. Then whether the total tolerance and the other filters'
// tolerance are on without a value the run can use: either would remove
// every bet, the latter even with no other filter on.
struct SettingsFinding {
    QString Text;
    // The analysis view that shows the condition (a position's is
    // PlaceName(p) + "位号码"); empty for a tolerance.
    QString View;
    bool operator==(const SettingsFinding&) const = default;
};
struct SettingsFindings {
    std::vector<std::vector<SettingsFinding>> PerView;
    bool TotalToleranceEmpty = false;
    bool OtherToleranceEmpty = false;
    int32_t Count() const;
};
SettingsFindings CheckFilterSettings(const CLottorData& game);

} // namespace kelton
