#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/stat_record.h"

namespace kelton {

// What the 43 indicators of one draw of a data view are computed from. The
// statistics builder passes a drawn record; the candidate test passes a
// candidate's numbers against the prepared records of its target issue.
// Every number array is indexed by position 1..BcMain (slot 0 unused) and
// holds view numbers.
struct IndicatorInput {
    const StatRecord* State = nullptr;    // record i: the view before the draw
    const int16_t* Num = nullptr;         // the draw's numbers by position
    const int16_t* Sorted = nullptr;      // the same numbers ascending
    const int16_t* PrevNum = nullptr;     // record i-1's Num
    const int16_t* PrevSorted = nullptr;  // record i-1's Sorted
    const int16_t* Prev2Sorted = nullptr; // record i-2's Sorted (read only when i > 1)
    int32_t Index = 0;                    // i; the previous draws count only when above 0
};

using IndicatorValues = std::array<int16_t, kIndicatorCount>;

// The 43 indicators (FilterKind 0..42). The shape (BcMain, BcDataLen) is
// State's. A number outside 0..BcDataLen reads zero statistics and never
// indexes an array. Returns false when a value does not fit in 16 bits (the
// values are then clamped).
bool ComputeIndicators(const IndicatorInput& in, IndicatorValues& out);

// The indicators of many candidates against one prepared target, split into
// what each position's number adds to the summed indicators (worked out once
// per target for every value) and the few that depend on the numbers
// together. Compute gives exactly what ComputeIndicators gives.
class IndicatorTable {
public:
    // The games it takes: 1..kMaxMain main numbers, at most kMaxValues values.
    static constexpr int kMaxMain = 8;
    static constexpr int kMaxValues = 1024;

    // Prepares for the target described by in (State, PrevNum, PrevSorted,
    // Prev2Sorted, Index; Num and Sorted are not read). False, with the table
    // unusable, for a game it does not take or a target whose sums could
    // leave 16 bits (its statistics are then computed one by one).
    bool Prepare(const IndicatorInput& in);
    bool Ready() const { return m_ready; }
    void Reset() { m_ready = false; }

    // A candidate's indicators: numbers by position and ascending, 1..BcMain,
    // each in 0..BcDataLen.
    void Compute(const int16_t* num, const int16_t* sorted, IndicatorValues& out) const;

private:
    static constexpr int kLanes = 48; // one per indicator, padded
    bool m_ready = false;
    int m_bcMain = 0;
    int m_values = 0;
    std::vector<int16_t> m_adds; // ((p - 1) * values + x) * kLanes + indicator
};

// The per-number classes the indicators count, 0..2 each.
namespace IndicatorClass {
// hot 0 (Recent7 >= 3), warm 1 (= 2), cold 2 (<= 1)
inline int HotWarmCold(int recent7)
{
    return recent7 >= 3 ? 0 : (recent7 == 2 ? 1 : 2);
}
// big 0 (>= 7), mid 1 (3..6), small 2 (<= 2), whatever the game's range
inline int BigMidSmall(int x)
{
    return x >= 7 ? 0 : (x >= 3 ? 1 : 2);
}
} // namespace IndicatorClass

// True for 1 and for every prime below 200 (the prime flags of the start-up
// tables); false outside 0..200.
bool IsPrimeFlag(int value);

} // namespace kelton
