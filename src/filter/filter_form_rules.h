#pragma once

#include <array>
#include <cstdint>

#include <QString>
#include <QStringList>

namespace kelton {

class CLottorData;
struct AppState;

// The computable rules of the filter window, kept apart from its widgets.

// The window has four digit grids (group digits and three positions), so it
// serves games of at most three main positions.
inline constexpr int16_t kFilterMaxPositions = 3;
bool FilterWindowFits(int16_t bcMain);
// Why the window refuses a game with more positions.
QString FilterWindowRefusal(int16_t bcMain);

// Digit presets: the twelve items of every preset list (string table 101 ..
// 112) and whether item `preset` marks value v. "小数", "中数" and "大数" keep
// their bounds 0-2, 3-6 and 7-9 whatever the game's largest value; "质数"
// and "合数" follow the prime table, in which 1 counts as a prime and
// values past its end as none.
inline constexpr int kPresetCount = 12;
QStringList PresetItems();
bool PresetMarks(int preset, int16_t v, const std::array<int16_t, 201>& primeFlag);

// The name of condition row k (FilterKind 0 .. BcMain + 42): the indicator's
// name, or for k > 42 the place name of position k - 42 and "位号码".
QString ConditionName(int16_t k);

// The bet-type options: direct bets and the four group types.
inline constexpr int kBetTypeCount = 5;
// Whether condition k's on flag can be switched: every one for direct bets;
// for group bets only the indicators that stay in force for them (no
// position).
bool ConditionAppliesTo(bool directBets, int16_t k, const std::array<int16_t, 43>& groupIndicatorFlag);

// The target-issue list: every stored issue number, oldest first, then
// "下期" (the next, undrawn issue).
QStringList TargetIssueItems(const CLottorData& game);
// The drawn numbers of the issue at list index `index` (of `count` items),
// positions BcMain down to 1 run together; empty for "下期".
QString DrawnNumberText(const CLottorData& game, int index, int count);

// The condition tab strip: tab 1 the other filters, tab t >= 2 data view
// t - 2 (tabs counted from 1). -1 for the other-filter tab.
int16_t TabView(int tabPosition);

} // namespace kelton
