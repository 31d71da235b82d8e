#pragma once

// Miss statistics of an indicator's values, or of the value pairs of two
// indicators, over the examined records of a range: RangeEnd - 1 down to
// RangeStart (the record at RangeEnd itself, by default the next issue,
// is not examined).

#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "chart/chart_data.h"

namespace kelton {

class CLottorHead;
class CStat;

// The statistics of the miss options, in option order: current miss,
// longest miss, average miss, appearance ratio, occurrence count (pairs).
enum class MissStat : int16_t { Current = 0, Longest = 1, Average = 2, Ratio = 3, Occurrences = 4 };

// Average and ratio come in tenths; the others are whole numbers.
constexpr bool MissInTenths(MissStat s)
{
    return s == MissStat::Average || s == MissStat::Ratio;
}

// The value range of a kind (its default condition bounds).
struct MissRange {
    int16_t Low = 0;
    int16_t High = 0;
    int32_t Count() const { return High >= Low ? High - Low + 1 : 0; }
};
MissRange KindRange(const CLottorHead& head, int16_t kind);

// Slot counts of a pair are 16-bit in the views: a pair of more slots is
// refused.
inline constexpr int32_t kMaxPairSlots = 32767;
int32_t PairSlotCount(const MissRange& a, const MissRange& b);

// Per slot over the examined records.
struct MissCounts {
    int32_t Examined = 0; // M
    int32_t Slots = 0;    // n
    std::vector<int32_t> Current, Longest, Occurrences;
};

// Counts from the slot of every examined record, newest first (0-based
// slot, or -1 for a value outside the range: an absence for every slot).
MissCounts CountMisses(std::span<const int32_t> slotsNewestFirst, int32_t slots);

// The statistic of every slot (average and ratio in tenths, a quotient
// halfway between two tenths going up). With no occurrence the average
// and the ratio are M.
std::vector<int32_t> MissValues(const MissCounts& counts, MissStat stat);

// a / b in tenths, rounded to the nearer tenth (halves up); a, b >= 0, b > 0.
int64_t Tenths(int64_t a, int64_t b);

// The slots of the examined records of one kind, or of a pair, newest
// first. A range whose end is not after its start examines nothing.
std::vector<int32_t> KindSlots(const CStat& stat, int16_t kind, const MissRange& range, int32_t rangeStart,
                               int32_t rangeEnd);
std::vector<int32_t> PairSlots(const CStat& stat, int16_t kindA, const MissRange& a, int16_t kindB,
                               const MissRange& b, int32_t rangeStart, int32_t rangeEnd);

// The series name of a pair: "A代表" nameA ",B代表" nameB, two blanks and
// the legend of every pair code in order ("0=A0B0;1=A0B1;...").
QString PairSeriesName(const QString& nameA, const MissRange& a, const QString& nameB, const MissRange& b);

// The chart table: points 1..n labelled with the values (from firstLabel
// on), the statistic as the one series (tenths as numbers with one
// decimal).
ChartData MissChart(const std::vector<int32_t>& values, MissStat stat, int32_t firstLabel, const QString& seriesName);

} // namespace kelton
