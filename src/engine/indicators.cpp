#include "engine/indicators.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

bool IndicatorTable::Prepare(const IndicatorInput& in)
{
    m_ready = false;
    const StatRecord& state = *in.State;
    if (!state.IsSized())
        return false;
    const int bcMain = state.Layout().BcMain();
    const int bcDataLen = state.Layout().BcDataLen();
    const int values = bcDataLen + 1;
    if (bcMain < 1 || bcMain > kMaxMain || values > kMaxValues)
        return false;
    static_assert(kIndicatorCount <= kLanes);
    m_bcMain = bcMain;
    m_values = values;
    // What each position's number adds to the indicators that are sums over
    // the numbers; the sums' bounds are checked before they are kept in 16 bits.
    std::vector<int32_t> adds(static_cast<size_t>(bcMain) * static_cast<size_t>(values) * kLanes, 0);
    std::array<int64_t, kLanes> most{};
    std::array<int64_t, kLanes> least{};
    const bool hasPrev = in.Index > 0;
    int32_t weight = 1;
    for (int p = 1; p <= bcMain; ++p, weight *= 3) {
        std::array<int32_t, kLanes> high{};
        std::array<int32_t, kLanes> low{};
        for (int x = 0; x < values; ++x) {
            int32_t* lane =
                adds.data() + (static_cast<size_t>(p - 1) * static_cast<size_t>(values) + static_cast<size_t>(x)) * kLanes;
            const int hot = IndicatorClass::HotWarmCold(state.Recent7(x));
            const int big = IndicatorClass::BigMidSmall(x);
            lane[1] += x;
            lane[4] += x * (bcMain - p + 1);
            lane[12] += x % 2 != 0 ? 1 : 0;
            lane[13] += x > bcDataLen / 2 ? 1 : 0;
            lane[14] += IsPrimeFlag(x) ? 1 : 0;
            lane[19] += state.CycleCountOf(p, x) > 0 ? 1 : 0;
            lane[20 + hot] += 1;
            lane[23 + Road(x)] += 1;
            lane[34 + big] += 1;
            lane[37] += weight * hot;
            lane[38] += weight * Road(x);
            lane[42] += weight * big;
            if (hasPrev) {
                const int neighbour = NeighbourClass(in.PrevSorted, bcMain, x);
                const int repeat = RepeatClass(in, bcMain, x);
                const int rise = RiseClass(x, in.PrevNum[p]);
                lane[2] += state.Stat(p, StatKind::Miss, 0, x);
                lane[3] += state.Stat(p, StatKind::Interval, 0, x);
                lane[26 + neighbour] += 1;
                if (repeat > 0)
                    lane[28 + repeat] += 1;
                lane[31 + rise] += 1;
                lane[39] += weight * neighbour;
                lane[40] += weight * repeat;
                lane[41] += weight * rise;
            }
            for (int l = 0; l < kLanes; ++l) {
                high[static_cast<size_t>(l)] = x == 0 ? lane[l] : std::max(high[static_cast<size_t>(l)], lane[l]);
                low[static_cast<size_t>(l)] = x == 0 ? lane[l] : std::min(low[static_cast<size_t>(l)], lane[l]);
            }
        }
        for (size_t l = 0; l < kLanes; ++l) {
            most[l] += high[l];
            least[l] += low[l];
        }
    }
    for (size_t l = 0; l < kLanes; ++l) {
        if (most[l] > INT16_MAX || least[l] < INT16_MIN)
            return false;
    }
    m_adds.assign(adds.begin(), adds.end());
    m_ready = true;
    return true;
}

void IndicatorTable::Compute(const int16_t* num, const int16_t* sorted, IndicatorValues& out) const
{
    const int bcMain = m_bcMain;
    auto row = [&](int p) {
        return m_adds.data() +
               (static_cast<size_t>(p - 1) * static_cast<size_t>(m_values) + static_cast<size_t>(num[p])) * kLanes;
    };
    int16_t sums[kLanes];
    std::memcpy(sums, row(1), sizeof(sums));
    for (int p = 2; p <= bcMain; ++p) {
        const int16_t* lane = row(p);
        for (int l = 0; l < kLanes; ++l)
            sums[l] = static_cast<int16_t>(sums[l] + lane[l]);
    }
    std::memcpy(out.data(), sums, sizeof(int16_t) * kIndicatorCount);

    // The rest stay far inside 16 bits for the games the table takes.
    // 0: distinct differences over all pairs of numbers.
    int diffs[kMaxMain * (kMaxMain - 1) / 2];
    int pairs = 0;
    int distinct = 0;
    for (int a = 1; a <= bcMain; ++a) {
        for (int b = a + 1; b <= bcMain; ++b) {
            const int d = sorted[b] - sorted[a];
            bool seen = false;
            for (int i = 0; i < pairs && !seen; ++i)
                seen = diffs[i] == d;
            distinct += seen ? 0 : 1;
            diffs[pairs++] = d;
        }
    }
    out[0] = static_cast<int16_t>(distinct);
    const int32_t sum = sums[1];
    out[5] = static_cast<int16_t>(sorted[1] + sorted[bcMain]);
    out[6] = static_cast<int16_t>(sorted[bcMain] - sorted[1]);
    out[7] = static_cast<int16_t>(sum % 10);
    out[8] = static_cast<int16_t>(sum / bcMain);
    out[9] = sorted[1];
    out[10] = bcMain >= 2 ? sorted[2] : int16_t(0);
    out[11] = bcMain >= 3 ? sorted[3] : int16_t(0);
    int adjacent = 0, even = 0, odd = 0;
    for (int p = 2; p <= bcMain; ++p) {
        const int a = num[p];
        const int b = num[p - 1];
        adjacent += std::abs(a - b) == 1 ? 1 : 0;
        even += a % 2 == 0 && b % 2 == 0 ? 1 : 0;
        odd += a % 2 != 0 && b % 2 != 0 ? 1 : 0;
    }
    out[15] = static_cast<int16_t>(adjacent);
    out[16] = static_cast<int16_t>(even);
    out[17] = static_cast<int16_t>(odd);
    out[18] = static_cast<int16_t>((bcMain >= 2 && sorted[2] == sorted[1] ? 1 : 0) +
                                   (bcMain >= 3 && sorted[2] == sorted[3] ? 1 : 0));
}

} // namespace kelton
