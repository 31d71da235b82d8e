#pragma once

// The bet-list commands that run under the progress service: making bets
// from the chosen digits (five bet types), deleting the selected or all
// bets as one step, and the removal pass the filter run shares with them.
// The window shows the messages and asks the questions; these functions
// hand it the texts and the outcome.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "core/bet_list.h"
#include "core/msg_service.h"

namespace kelton {

class CLottorData;

// Asks an OK/Cancel question titled "操作提示" while a long bet operation
// runs and the user has requested a stop; true = OK (stop).
using StopQuestion = std::function<bool(const QString& question)>;

// "你要退出正在进行的投注吗？" CR LF CR LF "按“确定”退出！"
QString ExpandStopQuestion();
// "你要退出正在时行的过滤吗？" CR LF CR LF "按“确定”退出！" (deletions and
// the filter run)
QString RemovalStopQuestion();

// The captions of the digit grids: 0 "组选号码", 1 "个位号码", 2 "十位号码",
// 3 "百位号码"; empty for other indexes.
QString BetGridCaption(int16_t index);

// ---- making bets ----------------------------------------------------------

// The bet type the make-bets button runs: the first set of options 0..3,
// else triples. optSel holds the five option values (0 = not set).
BetType ChosenBetType(const std::array<bool, 5>& optSel);

// The chosen digits, ascending: Digits[0] the group grid, Digits[p] the
// grid of position p (1 = units).
struct BetSelection {
    std::array<std::vector<int16_t>, 4> Digits;
};

// The digits chosen in the current lottery's grids 0..3 (values
// 0..BcDataLen).
BetSelection SelectionOf(const CLottorData& game);

// n! / (q! (n - q)!) with n = p - r and q' = q - r when r <= q <= p, else 0;
// computed in floating point, rounded to the nearest integer and held at
// INT32_MAX.
int32_t CountCombinations(int16_t p, int16_t q, int16_t r);

// The number of bets a type makes from a selection (direct: the product of
// the position lists 1..bcMain); 0 when the selection is too small.
int64_t BetCountOf(BetType type, const BetSelection& sel, int16_t bcMain);

struct ExpandOutcome {
    enum class Result : int8_t {
        Ok,
        MissingPosition,      // direct bets: position Position has no digit
        TooFewGroupDigits,    // group types: fewer group digits than needed
        Cancelled,            // a stop requested and confirmed with OK
        UnsupportedPositions, // the game's positions do not fit the type
        Failed,               // anything unexpected (no memory, bad list)
    };
    Result Code = Result::Ok;
    int16_t Position = 0; // the grid named by MissingPosition
    int32_t Count = 0;    // bets made

    bool Ok() const { return Code == Result::Ok; }
    // The message the window shows (information icon, title "系统提示");
    // empty for Ok.
    QString Message() const;
};

// Makes the bets of a type from the selection for a game with bcMain main
// positions, in their fixed order, and on success replaces the list with
// them (Id 1..n, all live, BetStep 1, BetLastStep 0, of the type made).
// The status text is "复式分解单注"; the progress bar runs from 0 to the number of bets with a
// stop allowed and is closed on every way out. Direct bets report progress
// at bets 1, 101, 201, ...: there a stop request is put to ask
// (ExpandStopQuestion); OK cancels, Cancel runs on; then one pass through
// the event loop. Refused, cancelled or failed expansions leave the list and
// its steps as they were. Direct bets need one digit at each of positions
// 1..bcMain (1..3 of them); all group types need three main positions;
// all-group, group-3, group-6 and triples need 2, 2, 3 and 2 group digits.
ExpandOutcome ExpandBets(BetType type, const BetSelection& sel, int16_t bcMain, BetList& list, CMsg& msg,
                         const StopQuestion& ask);

// ---- removing bets -----------------------------------------------------

struct RemovalOutcome {
    BetList::StepResult Result = BetList::StepResult::Ok;
    int32_t Marked = 0;   // bets removed by this step
    bool Stopped = false; // a stop confirmed with OK ended the walk early

    bool Ok() const { return Result == BetList::StepResult::Ok; }
};

// The message for a refused step (title "操作提示"); empty for Ok and NoBets.
QString StepRefusalMessage(BetList::StepResult result);

// One removing step over the list: BeginStep (a refusal returns at once,
// nothing changed), status text, progress 0..BetCount with a stop allowed,
// then for every list position i: when every > 0 and i is a multiple of
// every, the bar moves to i, events pass once and a stop request is put to
// ask (RemovalStopQuestion), OK ending the walk before bet i; a live bet for
// which removes(i) is true is marked. The step is closed with the bets
// marked so far, also after a stop; the bar is closed.
template <class Removes>
RemovalOutcome RunRemoval(BetList& list, CMsg& msg, const StopQuestion& ask, const QString& status,
                          int32_t every, Removes&& removes)
{
    RemovalOutcome out;
    out.Result = list.BeginStep();
    if (out.Result != BetList::StepResult::Ok)
        return out;
    MsgProgressGuard progress(msg, status, list.BetCount(), 0, 0, true);
    const int32_t count = list.BetCount();
    for (int32_t i = 0; i < count; ++i) {
        if (every > 0 && i % every == 0) {
            progress.Step(i);
            if (progress.StopRequested() && ask && ask(RemovalStopQuestion())) {
                out.Stopped = true;
                break;
            }
        }
        if (list.IsLive(i) && removes(i))
            list.MarkRemoved(i);
    }
    out.Marked = list.CloseStep();
    return out;
}

// Deletes the live bets at list positions between posA and posB (either
// order; the result grid's RowData of its selected rows) as one step:
// status "正在进行删除", progress and stop question every 100 bets.
RemovalOutcome DelResultSel(BetList& list, int32_t posA, int32_t posB, CMsg& msg, const StopQuestion& ask);
// Deletes every live bet as one step: status "正在进行删除", the bar shown
// but never moved, no stop. An empty list is left alone (NoBets).
RemovalOutcome DelResultAll(BetList& list, CMsg& msg);

// ---- enabling rules of the result grid's popup -----------------------------

// "删除选中注", "编辑选中注" and the batch replace: a bet row is current
// (row >= 1) and the list holds a bet.
bool BetRowCommandsEnabled(int32_t row, int32_t betCount);
// DelResultSel goes ahead: the selection ends below the header (rowSel >
// 0) and the current row is not the header.
bool DeleteSelectionApplies(int32_t row, int32_t rowSel);

} // namespace kelton
