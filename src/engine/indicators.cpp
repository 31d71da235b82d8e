#include "engine/indicators.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "data/prime_table.h"

namespace kelton {

namespace {

bool Contains(const int16_t* numbers, int count, int x)
{
    for (int p = count; p >= 1; --p) {
        if (numbers[p] == x)
            return true;
    }
    return false;
}

// neighbour 0, isolated 1, pass 2 against the previous draw. An equal number
// anywhere wins over a neighbour.
int NeighbourClass(const int16_t* prevSorted, int count, int x)
{
    bool neighbour = false;
    for (int p = count; p >= 1; --p) {
        const int b = prevSorted[p];
        if (b == x)
            return 2;
        if (std::abs(b - x) == 1)
            neighbour = true;
    }
    return neighbour ? 0 : 1;
}

// repeat 0, gap 1, middle 2 against the previous two draws.
int RepeatClass(const IndicatorInput& in, int count, int x)
{
    if (Contains(in.PrevSorted, count, x))
        return 0;
    if (in.Index > 1 && Contains(in.Prev2Sorted, count, x))
        return 1;
    return 2;
}

// rise 0, flat 1, fall 2 against the previous draw's number at the position.
int RiseClass(int x, int prev)
{
    return x > prev ? 0 : (x == prev ? 1 : 2);
}

int Road(int x)
{
    return ((x % 3) + 3) % 3;
}

} // namespace

bool IsPrimeFlag(int value)
{
    return value >= 0 && value <= 200 && kPrimeTable[static_cast<size_t>(value)];
}

bool ComputeIndicators(const IndicatorInput& in, IndicatorValues& out)
{
    const StatRecord& state = *in.State;
    const int bcMain = state.IsSized() ? state.Layout().BcMain() : 0;
    const int bcDataLen = state.IsSized() ? state.Layout().BcDataLen() : 0;
    const int16_t* num = in.Num;
    const int16_t* sorted = in.Sorted;
    const bool hasPrev = in.Index > 0;

    std::array<int64_t, kIndicatorCount> v{};

    // 0: distinct differences over all pairs of numbers.
    {
        const size_t pairs = bcMain > 1 ? size_t(bcMain) * size_t(bcMain - 1) / 2 : 0;
        std::array<int, 64> small{};
        std::vector<int> large;
        int* diffs = small.data();
        if (pairs > small.size()) {
            large.resize(pairs);
            diffs = large.data();
        }
        size_t n = 0;
        for (int a = 1; a <= bcMain; ++a) {
            for (int b = a + 1; b <= bcMain; ++b)
                diffs[n++] = std::abs(sorted[a] - sorted[b]);
        }
        std::sort(diffs, diffs + n);
        v[0] = std::unique(diffs, diffs + n) - diffs;
    }

    int64_t sum = 0;
    for (int p = 1; p <= bcMain; ++p) {
        sum += num[p];
        v[4] += int64_t(num[p]) * (bcMain - p + 1);
        if (hasPrev) {
            v[2] += state.Stat(p, StatKind::Miss, 0, num[p]);
            v[3] += state.Stat(p, StatKind::Interval, 0, num[p]);
        }
        if (state.CycleCountOf(p, num[p]) > 0)
            ++v[19];
    }
    v[1] = sum;
    if (bcMain >= 1) {
        v[5] = sorted[1] + sorted[bcMain];
        v[6] = sorted[bcMain] - sorted[1];
        v[9] = sorted[1];
        v[8] = sum / bcMain;
    }
    v[7] = sum % 10;
    v[10] = bcMain >= 2 ? sorted[2] : 0;
    v[11] = bcMain >= 3 ? sorted[3] : 0;
    if (bcMain >= 2)
        v[18] += sorted[2] == sorted[1] ? 1 : 0;
    if (bcMain >= 3)
        v[18] += sorted[2] == sorted[3] ? 1 : 0;

    for (int p = 2; p <= bcMain; ++p) {
        const int a = num[p];
        const int b = num[p - 1];
        if (std::abs(a - b) == 1)
            ++v[15];
        if (a % 2 == 0 && b % 2 == 0)
            ++v[16];
        if (a % 2 != 0 && b % 2 != 0)
            ++v[17];
    }

    for (int p = 1; p <= bcMain; ++p) {
        const int x = sorted[p];
        if (x % 2 != 0)
            ++v[12];
        if (x > bcDataLen / 2)
            ++v[13];
        if (IsPrimeFlag(x))
            ++v[14];
        ++v[20 + IndicatorClass::HotWarmCold(state.Recent7(x))];
        ++v[23 + Road(x)];
        ++v[34 + IndicatorClass::BigMidSmall(x)];
        if (hasPrev) {
            ++v[26 + NeighbourClass(in.PrevSorted, bcMain, x)];
            const int repeat = RepeatClass(in, bcMain, x);
            if (repeat > 0)
                ++v[28 + repeat]; // 29 gap, 30 middle
        }
    }
    if (hasPrev) {
        for (int p = 1; p <= bcMain; ++p)
            ++v[31 + RiseClass(num[p], in.PrevNum[p])];
    }

    // 37..42: one base-3 digit per position, the highest position first.
    int64_t weight = 1;
    for (int p = 1; p <= bcMain; ++p) {
        const int x = num[p];
        v[37] += weight * IndicatorClass::HotWarmCold(state.Recent7(x));
        v[38] += weight * Road(x);
        v[42] += weight * IndicatorClass::BigMidSmall(x);
        if (hasPrev) {
            v[39] += weight * NeighbourClass(in.PrevSorted, bcMain, x);
            v[40] += weight * RepeatClass(in, bcMain, x);
            v[41] += weight * RiseClass(x, in.PrevNum[p]);
        }
        if (weight < (int64_t(1) << 40))
            weight *= 3;
    }

    bool fits = true;
    for (int k = 0; k < kIndicatorCount; ++k) {
        const int64_t value = std::clamp<int64_t>(v[k], INT16_MIN, INT16_MAX);
        fits = fits && value == v[k];
        out[static_cast<size_t>(k)] = static_cast<int16_t>(value);
    }
    return fits;
}

} // namespace kelton
