#include "engine/stat_builder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <utility>

#include "engine/cycles.h"
#include "engine/indicators.h"

namespace kelton {

namespace {

constexpr int kStatStride = StatKind::Kinds * kStatColumns; // words per value in a Stat block

// Offsets inside a Stat block.
constexpr int S0(int kind, int v)
{
    return kind + kStatStride * v; // column 0: the statistic of v
}
constexpr int S1(int kind, int v)
{
    return kind + StatKind::Kinds + kStatStride * v; // column 1: the rank of v
}
constexpr int S2(int kind, int r)
{
    return kind + 2 * StatKind::Kinds + kStatStride * r; // column 2: the value at rank r
}

// Adds to a stored count; false when the sum leaves the 16-bit range.
bool AddTo(int16_t& cell, int delta)
{
    const int sum = cell + delta;
    if (sum > std::numeric_limits<int16_t>::max() || sum < std::numeric_limits<int16_t>::min())
        return false;
    cell = static_cast<int16_t>(sum);
    return true;
}

} // namespace

StatRecordBuilder::StatRecordBuilder(std::shared_ptr<const StatLayout> layout, int16_t customStat)
    : m_layout(std::move(layout)), m_custom(customStat < 0 ? 0 : customStat), m_values(m_layout->Values()),
      m_bcMain(m_layout->BcMain()), m_stride(m_layout->BcMain() + 1),
      m_zeros(static_cast<size_t>(m_stride), 0), m_order(static_cast<size_t>(m_values), 0),
      m_keys(static_cast<size_t>(m_values), 0)
{
}

int32_t StatRecordBuilder::LookBack() const
{
    return std::max<int32_t>(101, m_custom + 1);
}

void StatRecordBuilder::StartHistory(int32_t base, int32_t expected)
{
    m_base = base;
    m_lastBuilt = -1;
    m_count = 0;
    m_num.clear();
    m_sorted.clear();
    const size_t room = static_cast<size_t>(std::max(expected, 0)) * static_cast<size_t>(m_stride);
    m_num.reserve(room);
    m_sorted.reserve(room);
}

void StatRecordBuilder::AddNumbers(const int16_t* num, const int16_t* sorted)
{
    m_num.insert(m_num.end(), num, num + m_stride);
    m_sorted.insert(m_sorted.end(), sorted, sorted + m_stride);
    ++m_count;
}

const int16_t* StatRecordBuilder::NumOf(int32_t k) const
{
    if (k < m_base || k >= m_base + m_count)
        return m_zeros.data();
    return m_num.data() + static_cast<size_t>(k - m_base) * static_cast<size_t>(m_stride);
}

const int16_t* StatRecordBuilder::SortedOf(int32_t k) const
{
    if (k < m_base || k >= m_base + m_count)
        return m_zeros.data();
    return m_sorted.data() + static_cast<size_t>(k - m_base) * static_cast<size_t>(m_stride);
}

bool StatRecordBuilder::Build(int32_t i, bool drawn, int32_t issue, const int16_t* raw, const int16_t* keys,
                              const StatRecord& prev, StatRecord& rec)
{
    const StatLayout& L = *m_layout;
    rec.Reset();
    rec.SetIndex(i);
    rec.SetIssue(issue);
    int16_t* words = rec.Words();
    const int16_t* prevWords = prev.Words();

    // The ranking table of the keys; a drawn number is stored as its rank.
    // The previous record's orders are a fair start for the rankings when
    // this builder made it; a record read from the file is not relied on.
    const bool fromPrev = m_lastBuilt >= 0 && m_lastBuilt == i - 1;
    int16_t* data = words + L.Data;
    BuildRanking(keys, prevWords + L.Data, fromPrev, data);
    int16_t* num = words + L.Num;
    if (drawn) {
        for (int p = 1; p <= m_bcMain; ++p)
            num[p] = data[2 + 4 * raw[p]];
    }

    bool ok = true;
    for (int p = 1; p <= m_bcMain; ++p)
        ok = BuildPosition(i, p, prevWords, fromPrev, words) && ok;

    int16_t* sorted = words + L.Sorted;
    if (drawn) {
        std::memcpy(sorted + 1, num + 1, sizeof(int16_t) * static_cast<size_t>(m_bcMain));
        std::sort(sorted + 1, sorted + 1 + m_bcMain);
    }

    ok = BuildAllPositions(i, prevWords, fromPrev, words) && ok;

    UpdateRecent7(i, prevWords + L.Recent7, prevWords + L.Sorted, SortedOf(i - (kRecentDraws + 1)), m_bcMain,
                  m_values, words + L.Recent7);

    IndicatorInput in;
    in.State = &rec;
    in.Num = num;
    in.Sorted = sorted;
    in.PrevNum = prevWords + L.Num;
    in.PrevSorted = prevWords + L.Sorted;
    in.Prev2Sorted = SortedOf(i - 2);
    in.Index = i;
    IndicatorValues values;
    ok = ComputeIndicators(in, values) && ok;
    std::memcpy(words + L.Filter, values.data(), sizeof(values));

    AddNumbers(num, sorted);
    m_lastBuilt = i;
    return ok;
}

void StatRecordBuilder::BuildRanking(const int16_t* keys, const int16_t* prevData, bool fromPrev,
                                     int16_t* data)
{
    const int n = m_values;
    int16_t* order = m_order.data();
    int32_t* key = m_keys.data();
    for (int v = 0; v < n; ++v) {
        const int32_t k = keys ? keys[v] : v;
        key[v] = k * 65536 + v;
        order[v] = fromPrev ? prevData[4 * v] : static_cast<int16_t>(v);
        data[3 + 4 * v] = static_cast<int16_t>(k);
    }
    SortOrder(key);
    for (int r = 0; r < n; ++r) {
        const int16_t v = order[r];
        data[4 * r] = v;
        data[1 + 4 * r] = data[3 + 4 * v];
        data[2 + 4 * v] = static_cast<int16_t>(r);
    }
}

bool StatRecordBuilder::BuildPosition(int32_t i, int p, const int16_t* prevWords, bool fromPrev,
                                      int16_t* words)
{
    const StatLayout& L = *m_layout;
    const int n = m_values;
    int16_t* trans = words + L.Trans[p];
    const int16_t* prevTrans = prevWords + L.Trans[p];
    int16_t* stat = words + L.Stat[p];
    const int16_t* prevStat = prevWords + L.Stat[p];
    const int x = prevWords[L.Num + p]; // the number drawn at p in draw i-1

    bool ok = true;
    if (i > 1) {
        std::memcpy(trans, prevTrans, sizeof(int16_t) * static_cast<size_t>(n) * static_cast<size_t>(n));
        const int from = NumOf(i - 2)[p];
        ok = AddTo(trans[from + n * x], 1);
    }

    if (i > 0) {
        for (int v = 0; v < n; ++v) {
            stat[S0(StatKind::Trans, v)] = trans[x + n * v];

            const int16_t miss = static_cast<int16_t>(prevStat[S0(StatKind::Miss, v)] + 1);
            stat[S0(StatKind::Miss, v)] = miss;
            stat[S0(StatKind::Interval, v)] = prevStat[S0(StatKind::Interval, v)];
            for (int k = StatKind::Count; k <= StatKind::CountCustom; ++k)
                stat[S0(k, v)] = prevStat[S0(k, v)];
        }
        stat[S0(StatKind::Miss, x)] = 0;
        stat[S0(StatKind::Interval, x)] = prevStat[S0(StatKind::Miss, x)];
        for (int k = StatKind::Count; k <= StatKind::CountCustom; ++k)
            ++stat[S0(k, x)];
        CarryMaxima(stat, prevStat);
        // The draws leaving the windows of kinds 1..4.
        const int32_t leave[] = {0, 101, 51, 21, m_custom + 1};
        for (int k = StatKind::Count100; k <= StatKind::CountCustom; ++k) {
            if (i >= leave[k])
                --stat[S0(k, NumOf(i - leave[k])[p])];
        }
    }
    RankKinds(stat, prevStat, fromPrev);

    int16_t* cycles = words + L.Cycle[p];
    const int16_t cycleCount = BuildCycles(i, NumOf(i - 1) + p, m_stride, cycles, n);
    words[L.CycleCount[p]] = cycleCount;
    const int16_t number = words[L.Num + p];
    words[L.IsCycle[p]] = cycles[kCycleRecWords * number + 2 * kCycleSlots] > 0 ? 1 : 0;
    return ok;
}

bool StatRecordBuilder::BuildAllPositions(int32_t i, const int16_t* prevWords, bool fromPrev, int16_t* words)
{
    const StatLayout& L = *m_layout;
    const int n = m_values;
    const int b = m_bcMain;
    int16_t* transAll = words + L.TransAll;
    int16_t* stat = words + L.StatAll;
    const int16_t* prevStat = prevWords + L.StatAll;
    const int16_t* prevSorted = prevWords + L.Sorted;

    bool ok = true;
    if (i > 1) {
        std::memcpy(transAll, prevWords + L.TransAll,
                    sizeof(int16_t) * static_cast<size_t>(n) * static_cast<size_t>(n));
        const int16_t* prev2Sorted = SortedOf(i - 2);
        for (int a = 1; a <= b; ++a) {
            for (int c = 1; c <= b; ++c)
                ok = AddTo(transAll[prev2Sorted[a] + n * prevSorted[c]], 1) && ok;
        }
    }

    if (i > 0) {
        for (int v = 0; v < n; ++v) {
            int sum = 0;
            for (int p = 1; p <= b; ++p)
                sum += transAll[prevSorted[p] + n * v];
            if (sum > std::numeric_limits<int16_t>::max()) {
                ok = false;
                sum = std::numeric_limits<int16_t>::max();
            }
            stat[S0(StatKind::Trans, v)] = static_cast<int16_t>(sum);
            stat[S0(StatKind::Miss, v)] = static_cast<int16_t>(prevStat[S0(StatKind::Miss, v)] + 1);
            stat[S0(StatKind::Interval, v)] = prevStat[S0(StatKind::Interval, v)];
            for (int k = StatKind::Count; k <= StatKind::CountCustom; ++k)
                stat[S0(k, v)] = prevStat[S0(k, v)];
        }
        for (int p = 1; p <= b; ++p) {
            const int x = prevSorted[p];
            stat[S0(StatKind::Miss, x)] = 0;
            stat[S0(StatKind::Interval, x)] = prevStat[S0(StatKind::Miss, x)];
            for (int k = StatKind::Count; k <= StatKind::CountCustom; ++k)
                ok = AddTo(stat[S0(k, x)], 1) && ok;
        }
        CarryMaxima(stat, prevStat);
        const int32_t leave[] = {0, 101, 51, 21, m_custom + 1};
        for (int k = StatKind::Count100; k <= StatKind::CountCustom; ++k) {
            if (i >= leave[k]) {
                const int16_t* gone = SortedOf(i - leave[k]);
                for (int p = 1; p <= b; ++p)
                    --stat[S0(k, gone[p])];
            }
        }
    }
    RankKinds(stat, prevStat, fromPrev);
    return ok;
}

// The largest miss and interval so far: the previous record's, or this
// record's miss and interval where they are larger.
void StatRecordBuilder::CarryMaxima(int16_t* stat, const int16_t* prevStat) const
{
    for (int v = 0; v < m_values; ++v) {
        stat[S0(StatKind::MaxMiss, v)] = std::max(prevStat[S0(StatKind::MaxMiss, v)], stat[S0(StatKind::Miss, v)]);
        stat[S0(StatKind::MaxInterval, v)] =
            std::max(prevStat[S0(StatKind::MaxInterval, v)], stat[S0(StatKind::Interval, v)]);
    }
}

void StatRecordBuilder::RankKinds(int16_t* stat, const int16_t* prevStat, bool fromPrev)
{
    if (m_values <= kLaneRankValues) {
        RankKindsByCounting(stat);
        return;
    }
    for (int k = 0; k < StatKind::Kinds; ++k)
        RankKind(stat, prevStat, k, fromPrev);
}

// Every kind at once, one lane per kind: the rank of v is the number of
// values whose combined key statistic * 65536 + value is smaller, that is
// the values u < v with a statistic no larger and the values u > v with a
// smaller one. For the few values of a digit game this costs a fraction of
// sorting each kind, and gives the same ranks and orders.
void StatRecordBuilder::RankKindsByCounting(int16_t* stat) const
{
    // Eight lanes of 16 bits, the width every x86-64 processor compares at
    // once; the kinds take two of them.
    using Lanes = int16_t __attribute__((vector_size(16)));
    constexpr int kPerVector = 8;
    static_assert(StatKind::Kinds > kPerVector && StatKind::Kinds <= 2 * kPerVector);
    const int n = m_values;
    std::array<Lanes, kLaneRankValues> low{};  // kinds 0..7 of each value
    std::array<Lanes, kLaneRankValues> high{}; // kinds 8.. of each value
    for (int v = 0; v < n; ++v) {
        int16_t lanes[2 * kPerVector] = {};
        std::memcpy(lanes, stat + S0(0, v), sizeof(int16_t) * StatKind::Kinds);
        std::memcpy(&low[static_cast<size_t>(v)], lanes, sizeof(Lanes));
        std::memcpy(&high[static_cast<size_t>(v)], lanes + kPerVector, sizeof(Lanes));
    }
    // Where column 2 keeps the value at rank r: kind k's entry is k further.
    std::array<int, kLaneRankValues> atRank{};
    for (int r = 0; r < n; ++r)
        atRank[static_cast<size_t>(r)] = S2(0, r);
    for (int v = 0; v < n; ++v) {
        const Lanes sLow = low[static_cast<size_t>(v)];
        const Lanes sHigh = high[static_cast<size_t>(v)];
        // The values before v count unless their statistic is larger (the
        // comparison gives -1 where it is), those after v where it is smaller.
        Lanes rLow = Lanes{} + static_cast<int16_t>(v);
        Lanes rHigh = rLow;
        for (int u = 0; u < v; ++u) {
            rLow += low[static_cast<size_t>(u)] > sLow;
            rHigh += high[static_cast<size_t>(u)] > sHigh;
        }
        for (int u = v + 1; u < n; ++u) {
            rLow -= sLow > low[static_cast<size_t>(u)];
            rHigh -= sHigh > high[static_cast<size_t>(u)];
        }
        int16_t r[2 * kPerVector];
        std::memcpy(r, &rLow, sizeof(Lanes));
        std::memcpy(r + kPerVector, &rHigh, sizeof(Lanes));
        std::memcpy(stat + S1(0, v), r, sizeof(int16_t) * StatKind::Kinds);
        [&]<size_t... K>(std::index_sequence<K...>) {
            ((stat[atRank[static_cast<size_t>(r[K])] + static_cast<int>(K)] = static_cast<int16_t>(v)), ...);
        }(std::make_index_sequence<StatKind::Kinds>{});
    }
}

// Sorts m_order (a permutation of the values) ascending by the combined key
// statistic * 65536 + value. The keys are distinct, so the result does not
// depend on the starting order and equals a stable sort of the values by
// statistic (equal statistics keep the smaller value first); starting from
// the previous record's order, which differs from the new one in a few
// values, makes the insertion sort nearly linear.
void StatRecordBuilder::SortOrder(const int32_t* key)
{
    const int n = m_values;
    int16_t* order = m_order.data();
    for (int r = 1; r < n; ++r) {
        const int16_t v = order[r];
        const int32_t k = key[v];
        int j = r;
        while (j > 0 && key[order[j - 1]] > k) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = v;
    }
}

void StatRecordBuilder::RankKind(int16_t* stat, const int16_t* prevStat, int kind, bool fromPrev)
{
    const int n = m_values;
    int16_t* order = m_order.data();
    int32_t* key = m_keys.data();
    for (int v = 0; v < n; ++v) {
        key[v] = int32_t(stat[S0(kind, v)]) * 65536 + v;
        order[v] = fromPrev ? prevStat[S2(kind, v)] : static_cast<int16_t>(v);
    }
    SortOrder(key);
    for (int r = 0; r < n; ++r) {
        stat[S2(kind, r)] = order[r];
        stat[S1(kind, order[r])] = static_cast<int16_t>(r);
    }
}

} // namespace kelton
