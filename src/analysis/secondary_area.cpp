#include "analysis/secondary_area.h"

#include <algorithm>
#include <numeric>

#include "data/lottor_data.h"
#include "data/lottor_head.h"

namespace kelton {

SecondaryDraws::SecondaryDraws(const CLottorHead& head, std::span<const int16_t> numData, int16_t customStat)
    : m_count(std::max<int16_t>(head.MrMain, 0)), m_largest(head.MrDataLen),
      m_custom(std::max<int16_t>(customStat, 0))
{
    const size_t stride = static_cast<size_t>(head.BcMain + m_count + 1);
    if (m_count < 1 || stride < 2)
        return;
    const size_t draws = numData.size() / stride;
    m_num.reserve(draws * static_cast<size_t>(m_count));
    for (size_t p = 0; p < draws; ++p) {
        const int16_t* row = numData.data() + p * stride + head.BcMain + 1;
        m_num.insert(m_num.end(), row, row + m_count);
    }
}

SecondaryDraws::SecondaryDraws(const CLottorData& game, int16_t customStat)
    : SecondaryDraws(game.HeadData, game.NumData(), customStat)
{
}

int16_t SecondaryDraws::Num(int32_t p, int16_t j) const
{
    if (p < 0 || p >= Draws() || j < 1 || j > m_count)
        return -1;
    return m_num[static_cast<size_t>(p) * static_cast<size_t>(m_count) + static_cast<size_t>(j - 1)];
}

namespace {

// The statistics of one secondary number, carried from record to record
// as a statistics view carries those of a main position: record i holds
// the state before draw i.
class SecondaryCounter {
public:
    SecondaryCounter(const SecondaryDraws& draws, int16_t j)
        : m_draws(draws), m_j(j), m_n(draws.Largest() + 1), m_counts(5 * static_cast<size_t>(m_n), 0),
          m_interval(static_cast<size_t>(m_n), 0), m_miss(static_cast<size_t>(m_n), 0),
          m_trans(static_cast<size_t>(m_n) * static_cast<size_t>(m_n), 0)
    {
    }

    // Takes draw i - 1 in: the step from record i - 1 to record i (i >= 1).
    void Step(int32_t i)
    {
        const int x = Value(i - 1);
        if (i > 1) {
            const int from = Value(i - 2);
            if (from >= 0 && x >= 0)
                ++m_trans[static_cast<size_t>(from) * m_n + static_cast<size_t>(x)];
        }
        m_last = x;
        if (x >= 0)
            m_interval[static_cast<size_t>(x)] = m_miss[static_cast<size_t>(x)];
        for (int32_t& miss : m_miss)
            ++miss;
        if (x >= 0) {
            m_miss[static_cast<size_t>(x)] = 0;
            for (int k = 0; k <= 4; ++k)
                ++Count(k, x);
        }
        // The draws leaving the windows of the last 100, 50, 20 and custom
        // draws.
        const int32_t leave[] = {0, 101, 51, 21, m_draws.CustomStat() + 1};
        for (int k = 1; k <= 4; ++k) {
            if (i >= leave[k]) {
                const int gone = Value(i - leave[k]);
                if (gone >= 0)
                    --Count(k, gone);
            }
        }
    }

    // The statistic of kind (0..7) of value v at the record reached.
    int32_t Statistic(int kind, int v) const
    {
        switch (kind) {
        case 5:
            return m_interval[static_cast<size_t>(v)];
        case 6:
            return m_miss[static_cast<size_t>(v)];
        case 7:
            return m_last >= 0 ? m_trans[static_cast<size_t>(m_last) * m_n + static_cast<size_t>(v)] : 0;
        default:
            return m_counts[static_cast<size_t>(kind) * m_n + static_cast<size_t>(v)];
        }
    }

private:
    int Value(int32_t p) const
    {
        const int v = m_draws.Num(p, m_j);
        return v >= 0 && static_cast<size_t>(v) < m_n ? v : -1;
    }
    int32_t& Count(int k, int v) { return m_counts[static_cast<size_t>(k) * m_n + static_cast<size_t>(v)]; }

    const SecondaryDraws& m_draws;
    int16_t m_j;
    size_t m_n;
    std::vector<int32_t> m_counts; // kinds 0..4 by value
    std::vector<int32_t> m_interval;
    std::vector<int32_t> m_miss;
    std::vector<int32_t> m_trans; // from (the number before) by to
    int m_last = -1;              // the number of the draw before the record
};

int16_t Clamp16(int32_t v)
{
    return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

} // namespace

SecondaryRanking::SecondaryRanking(const SecondaryDraws& draws, int16_t kind, int32_t first, int32_t count)
{
    // The records are the draws and the next issue after them.
    const int32_t records = draws.Draws() + 1;
    if (kind < 0 || kind > 7 || draws.Count() < 1 || draws.Largest() < 0 || first < 0 || first >= records ||
        count < 1)
        return;
    m_first = first;
    m_count = std::min(count, records - first);
    m_numbers = draws.Count();
    m_values = static_cast<int16_t>(draws.Largest() + 1);
    const size_t n = static_cast<size_t>(m_values);
    m_cells.assign(static_cast<size_t>(m_count) * static_cast<size_t>(m_numbers) * n * 3, 0);
    std::vector<int32_t> statistic(n);
    std::vector<int16_t> order(n);
    for (int16_t j = 1; j <= m_numbers; ++j) {
        SecondaryCounter counter(draws, j);
        for (int32_t i = 0; i < m_first + m_count; ++i) {
            if (i > 0)
                counter.Step(i);
            if (i < m_first)
                continue;
            for (size_t v = 0; v < n; ++v)
                statistic[v] = counter.Statistic(kind, static_cast<int>(v));
            std::iota(order.begin(), order.end(), int16_t{0});
            std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
                return statistic[static_cast<size_t>(a)] < statistic[static_cast<size_t>(b)];
            });
            int16_t* cells =
                m_cells.data() + ((static_cast<size_t>(i - m_first) * static_cast<size_t>(m_numbers) +
                                   static_cast<size_t>(j - 1)) *
                                  n) *
                                     3;
            for (size_t r = 0; r < n; ++r) {
                const auto v = static_cast<size_t>(order[r]);
                cells[3 * v] = Clamp16(statistic[v]);
                cells[3 * v + 1] = static_cast<int16_t>(r);
                cells[3 * r + 2] = order[r];
            }
        }
    }
}

int16_t SecondaryRanking::Stat(int32_t p, int16_t j, int16_t y, int16_t sort) const
{
    if (p < m_first || p >= m_first + m_count || j < 1 || j > m_numbers || y < 0 || y >= m_values ||
        sort < 0 || sort > 2)
        return 0;
    const size_t at =
        (static_cast<size_t>(p - m_first) * static_cast<size_t>(m_numbers) + static_cast<size_t>(j - 1)) *
            static_cast<size_t>(m_values) +
        static_cast<size_t>(y);
    return m_cells[3 * at + static_cast<size_t>(sort)];
}

} // namespace kelton
