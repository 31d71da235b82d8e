#pragma once

// The secondary numbers in the analysis views. The statistics views keep
// none: their records have no place for them, and a view's ranking (its
// per-value table) covers the main values only. So the views read the
// drawn secondary numbers from the draw history, count their ranking
// statistics here by the rules of a main position, and never rank a
// secondary number: in every data view a secondary column stands for the
// drawn value itself.

#include <cstdint>
#include <span>
#include <vector>

namespace kelton {

class CLottorData;
class CLottorHead;

// The secondary numbers of every draw, copied from the history.
class SecondaryDraws {
public:
    // A game without secondary numbers.
    SecondaryDraws() = default;
    // numData holds BM + 1 numbers per draw (CLottorData::NumData);
    // customStat is the period of the custom ranking statistic.
    SecondaryDraws(const CLottorHead& head, std::span<const int16_t> numData, int16_t customStat);
    SecondaryDraws(const CLottorData& game, int16_t customStat);

    int16_t Count() const { return m_count; }     // R
    int16_t Largest() const { return m_largest; } // M
    int16_t CustomStat() const { return m_custom; }
    int32_t Draws() const { return m_count > 0 ? static_cast<int32_t>(m_num.size()) / m_count : 0; }
    // Secondary number j (1..R) of draw p; -1 for anything else (the next
    // issue among them).
    int16_t Num(int32_t p, int16_t j) const;

private:
    int16_t m_count = 0;
    int16_t m_largest = 0;
    int16_t m_custom = 10;
    std::vector<int16_t> m_num; // R per draw
};

// The ranking statistic of one kind (StatKind 0..7) of every secondary
// number at the records first .. first + count - 1, as it stood before each
// record's draw, and the ranks in the order the statistics views keep
// (ascending statistic, equal statistics by ascending value). Record i is
// draw i; the record after the last draw is the next issue.
class SecondaryRanking {
public:
    SecondaryRanking() = default;
    SecondaryRanking(const SecondaryDraws& draws, int16_t kind, int32_t first, int32_t count);

    // As CStat::Stat answers a main position: sort 0 the statistic of
    // value y, 1 the rank of value y, 2 the value at rank y, of secondary
    // number j at record p; 0 outside the records, numbers and values held.
    int16_t Stat(int32_t p, int16_t j, int16_t y, int16_t sort) const;

private:
    int32_t m_first = 0;
    int32_t m_count = 0;
    int16_t m_numbers = 0;        // R
    int16_t m_values = 0;         // M + 1
    std::vector<int16_t> m_cells; // per record, number and value: statistic, rank, value at rank
};

} // namespace kelton
