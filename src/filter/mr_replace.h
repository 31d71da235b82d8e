#pragma once

// The batch replacement of secondary numbers ("特码批量替换"): every live bet
// whose secondary number is one of the old numbers gets the new numbers in
// turn, so a list of bets made for one secondary number can be spread over
// several.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace kelton {

class BetList;

// The numbers of a replace box: blank-separated decimals, each 0..high, in
// the order typed (repeats kept). nullopt for an empty box, a token that is
// not a number or a number out of range.
std::optional<std::vector<int16_t>> ParseMrNumbers(const QString& text, int16_t high);

// Walks the live bets in list order and, at every secondary position
// (bcMain + 1 .. BM) holding one of oldNumbers, writes the next of
// newNumbers (from the first again after the last). Removed bets keep their
// numbers, so undoing a step brings them back as they were. Returns the
// number of numbers replaced; newNumbers must not be empty.
int32_t ReplaceSecondary(BetList& bets, int16_t bcMain, const std::vector<int16_t>& oldNumbers,
                         const std::vector<int16_t>& newNumbers);

} // namespace kelton
