#include "engine/cycles.h"

#include <cstring>

#include "engine/stat_record.h"

namespace kelton {

int16_t BuildCycles(int32_t i, const int16_t* previous, int stride, int16_t* cycles, int values)
{
    if (i <= 1)
        return 0;
    int16_t withCycle = 0;
    // Only the value found t draws back can hit at period t, so each period
    // adds at most one cycle, and each value's cycles come out in ascending
    // order of period.
    for (int t = kCycleMinPeriod; t <= kCycleMaxPeriod; ++t) {
        if (t >= kCycleLookBack || i - t < 0)
            break;
        const int value = previous[-(t - 1) * stride];
        if (value < 0 || value >= values)
            continue;
        int runs = 1;
        for (int d = 2 * t; d < kCycleLookBack && i - d >= 0; d += t) {
            if (previous[-(d - 1) * stride] != value)
                break;
            ++runs;
        }
        if (runs < 2)
            continue;
        int16_t* rec = cycles + kCycleRecWords * value;
        int16_t& count = rec[2 * kCycleSlots];
        if (count == 0)
            ++withCycle;
        rec[count] = static_cast<int16_t>(t);
        rec[kCycleSlots + count] = static_cast<int16_t>(runs);
        ++count;
    }
    return withCycle;
}

void UpdateRecent7(int32_t i, const int16_t* prevRecent7, const int16_t* prevSorted,
                   const int16_t* leavingSorted, int bcMain, int values, int16_t* out)
{
    if (i <= 0) {
        std::memset(out, 0, sizeof(int16_t) * static_cast<size_t>(values));
        return;
    }
    std::memcpy(out, prevRecent7, sizeof(int16_t) * static_cast<size_t>(values));
    for (int p = 1; p <= bcMain; ++p) {
        const int x = prevSorted[p];
        if ((p > 1 && x == prevSorted[p - 1]) || x < 0 || x >= values)
            continue;
        ++out[x];
    }
    if (i >= kRecentDraws + 1) {
        for (int p = 1; p <= bcMain; ++p) {
            const int x = leavingSorted[p];
            if ((p > 1 && x == leavingSorted[p - 1]) || x < 0 || x >= values)
                continue;
            --out[x];
        }
    }
}

} // namespace kelton
