#pragma once

#include <cstdint>

namespace kelton {

// Look-backs of a statistics record over the few draws before it.

// The furthest a cycle search looks back (in draws, exclusive).
inline constexpr int kCycleLookBack = 100;
inline constexpr int kCycleMinPeriod = 2;
inline constexpr int kCycleMaxPeriod = 15;
// Draws counted by Recent7.
inline constexpr int kRecentDraws = 7;

// The cycles of every value at one position for record i: a value that was
// drawn at the position t, 2t, .. draws back (t = 2..15, looking back fewer
// than 100 draws) at least twice in a row has a cycle of period t with that
// many runs. Records 0 and 1 hold none.
//
// `previous` points at the position's number in record i-1; the number in
// record i-d is previous[-(d-1) * stride] and must be readable for every
// d <= min(i, 99). `cycles` is the position's cycle set (values x CycleRec,
// 29 words each), zero on entry; numbers outside 0..values-1 are skipped.
// Returns the number of values with at least one cycle.
int16_t BuildCycles(int32_t i, const int16_t* previous, int stride, int16_t* cycles, int values);

// Recent7 of record i from record i-1's: each distinct number of draw i-1
// joins, and from record 8 on each distinct number of draw i-8 leaves.
// Sorted arrays are indexed 1..bcMain; `leavingSorted` is read only when
// i >= 8. Numbers outside 0..values-1 are skipped.
void UpdateRecent7(int32_t i, const int16_t* prevRecent7, const int16_t* prevSorted,
                   const int16_t* leavingSorted, int bcMain, int values, int16_t* out);

} // namespace kelton
