#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/stat_record.h"

namespace kelton {

// Computes the statistics records of one data view, one record at a time in
// a forward pass. Record i is derived from record i-1 (passed in whole) and
// from the numbers of a few earlier records, which the builder keeps: the
// Num and Sorted arrays of every record from a base index on (the records
// leaving the 100/50/20/custom windows, the cycle search and Recent7 look
// back at most max(101, CustomStat + 1) records).
class StatRecordBuilder {
public:
    StatRecordBuilder(std::shared_ptr<const StatLayout> layout, int16_t customStat);

    // How many records before the first one built must be known.
    int32_t LookBack() const;

    // Starts the kept numbers at record `base`; records are then added in
    // order with AddNumbers (for records read from the file) or Build.
    // `expected` is how many records will be added, for room made once.
    void StartHistory(int32_t base, int32_t expected = 0);
    void AddNumbers(const int16_t* num, const int16_t* sorted);
    int32_t HistoryEnd() const { return m_base + m_count; }

    // The kept numbers of record k (positions 0..BcMain); all zero for k < 0.
    const int16_t* NumOf(int32_t k) const;
    const int16_t* SortedOf(int32_t k) const;

    // Builds record i = HistoryEnd() into rec. prev is record i-1 (the blank
    // record for i = 0). raw holds the draw's raw numbers by position 0..BM
    // (ignored for the next-issue record, drawn false); keys the key of every
    // value 0..BcDataLen, or nullptr for the identity. The caller makes sure
    // every raw number lies in 0..BcDataLen. Returns false when a count no
    // longer fits in 16 bits.
    bool Build(int32_t i, bool drawn, int32_t issue, const int16_t* raw, const int16_t* keys,
               const StatRecord& prev, StatRecord& rec);

private:
    bool BuildPosition(int32_t i, int p, const int16_t* prevWords, bool fromPrev, int16_t* words);
    bool BuildAllPositions(int32_t i, const int16_t* prevWords, bool fromPrev, int16_t* words);
    void BuildRanking(const int16_t* keys, const int16_t* prevData, bool fromPrev, int16_t* data);
    void CarryMaxima(int16_t* stat, const int16_t* prevStat) const;
    // The ranking of every kind of a statistics block: the rank of each
    // value (column 1) and the value at each rank (column 2), ordered by
    // statistic, equal statistics by value.
    void RankKinds(int16_t* stat, const int16_t* prevStat, bool fromPrev);
    // Games of at most this many values rank all kinds at once by counting.
    static constexpr int kLaneRankValues = 16;
    void RankKindsByCounting(int16_t* stat) const;
    void RankKind(int16_t* stat, const int16_t* prevStat, int kind, bool fromPrev);
    void SortOrder(const int32_t* key);

    std::shared_ptr<const StatLayout> m_layout;
    int32_t m_custom;
    int m_values;
    int m_bcMain;
    int m_stride; // BcMain + 1

    int32_t m_base = 0;
    int32_t m_count = 0;
    std::vector<int16_t> m_num; // (record - base) * stride + p
    std::vector<int16_t> m_sorted;
    std::vector<int16_t> m_zeros;
    int32_t m_lastBuilt = -1;     // the record Build made last
    std::vector<int16_t> m_order; // scratch for the rankings
    std::vector<int32_t> m_keys;
};

} // namespace kelton
