#pragma once

// The condition box of an indicator trend view: which kind it edits and
// whether it may be switched.

#include <cstdint>
#include <span>

#include <QString>

namespace kelton {

// The kind a view name stands for: the first of the captions of kinds
// 0..42+BcMain (captions[k] for kind k) equal to the name; -1 when none is
// (a secondary number's trend, or a view that is no trend).
int16_t ShownConditionKind(std::span<const QString> captions, int16_t bcMain, const QString& viewName);

// Whether the condition's check box can be switched: with direct bets
// every kind with a condition (0..42+BcMain); with group bets only the
// indicators that stay on for group bets.
bool ConditionBoxEnabled(int16_t kind, int16_t bcMain, bool directBets);

// The miss pair view refuses the sums of misses and of intervals (2, 3)
// as members of a pair.
constexpr bool PairKindRefused(int16_t kind)
{
    return kind == 2 || kind == 3;
}

} // namespace kelton
