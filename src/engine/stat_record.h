#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace kelton {

static_assert(std::endian::native == std::endian::little,
              "statistics records are kept in memory in their little-endian file form");

// Statistic kinds (the first subscript of PosStat.Stat and StatAll).
namespace StatKind {
inline constexpr int Count = 0;       // count over all earlier draws
inline constexpr int Count100 = 1;    // count over the last 100 draws
inline constexpr int Count50 = 2;     // count over the last 50 draws
inline constexpr int Count20 = 3;     // count over the last 20 draws
inline constexpr int CountCustom = 4; // count over the last CustomStat draws
inline constexpr int Interval = 5;
inline constexpr int Miss = 6;
inline constexpr int Trans = 7; // transitions from the last drawn number
inline constexpr int MaxMiss = 8;
inline constexpr int MaxInterval = 9;
inline constexpr int Kinds = 10;
} // namespace StatKind

inline constexpr int kIndicatorCount = 43; // Filter 0..42
inline constexpr int kCycleSlots = 14;     // cycles per value: periods 2..15
inline constexpr int kStatColumns = 3;     // statistic, rank of value, value at rank

// One cycle set entry as stored: 14 periods, 14 run counts, the count in use.
struct CycleRec {
    std::array<int16_t, kCycleSlots> Period{};
    std::array<int16_t, kCycleSlots> Runs{};
    int16_t Count = 0;
};
inline constexpr int kCycleRecWords = 2 * kCycleSlots + 1; // 58 bytes

// The byte layout of one statistics record for a game shape. A record is
// kept in memory exactly as it is stored: a run of 16-bit words holding the
// 32-bit Index and Issue, every array descriptor and every element, so that
// writing and reading a record is a plain copy. The layout knows the word
// offset of the first element of every array.
//
// Array elements follow with the first subscript varying fastest:
//   Data(s, v)          Data + s + 4 * v
//   Stat(k, c, v)       Stat[p] + k + 10 * (c + 3 * v)    (StatAll likewise)
//   Cycle(v)            Cycle[p] + 29 * v: Period 0..13, Runs 14..27, Count 28
//   Trans(a, b)         Trans[p] + a + N * b               (TransAll likewise)
// An array descriptor is a 16-bit dimension count and, per dimension in
// subscript order, a 32-bit element count and a 32-bit lower bound. The
// arrays of an unused position entry (0 and the secondary positions) have no
// elements and are written as a bare zero dimension count.
class StatLayout {
public:
    // The largest record the statistics keep: a game shape whose record
    // would be larger (its tables grow with the square of the values) is
    // refused when its data file is created or opened.
    static constexpr int64_t kMaxRecordBytes = int64_t{1} << 20;

    StatLayout(int16_t bcDataLen, int16_t bcMain, int16_t bm);

    // The bytes of a record of this shape, counted in 64 bits without
    // building the layout.
    static int64_t RecordBytes(int16_t bcDataLen, int16_t bcMain, int16_t bm);

    int16_t BcDataLen() const { return m_bcDataLen; }
    int16_t BcMain() const { return m_bcMain; }
    int16_t BM() const { return m_bm; }
    int Values() const { return m_values; } // BcDataLen + 1

    int Words() const { return m_words; }
    int32_t RecLen() const { return 2 * m_words; }

    // Word offsets of the first element of each array. Per-position offsets
    // are indexed 0..BM and hold -1 where the position keeps no arrays.
    int Data = 0;
    std::vector<int> Stat;
    std::vector<int> Cycle;
    std::vector<int> CycleCount;
    std::vector<int> IsCycle;
    std::vector<int> Trans;
    int Num = 0;
    int Filter = 0;
    int TransAll = 0;
    int StatAll = 0;
    int CycleAll = 0;
    int Sorted = 0;
    int Recent7 = 0;

    // The blank record: descriptors in place, every element 0, Index -1.
    const std::vector<int16_t>& Blank() const { return m_blank; }

    // True when every array descriptor of the given record words matches
    // this layout (a record read from a file of another shape does not).
    bool DescriptorsMatch(const int16_t* words) const;

    static int StatIndex(int kind, int column, int value) { return kind + 10 * (column + 3 * value); }

private:
    int AddArray(std::initializer_list<int32_t> counts);
    void AddEmptyArray();

    int16_t m_bcDataLen;
    int16_t m_bcMain;
    int16_t m_bm;
    int m_values;
    int m_words = 0;
    std::vector<int16_t> m_blank;
    std::vector<std::pair<int, int>> m_descriptors; // (word offset, word count)
};

// One statistics record of a data view: the state of the view before draw
// Index, with the draw's numbers and indicators. The readers answer 0 for
// any subscript outside the record's arrays.
class StatRecord {
public:
    StatRecord() = default;
    explicit StatRecord(std::shared_ptr<const StatLayout> layout);

    bool IsSized() const { return m_layout != nullptr; }
    const StatLayout& Layout() const { return *m_layout; }
    const std::shared_ptr<const StatLayout>& LayoutPtr() const { return m_layout; }

    int32_t Index() const { return Long(0); }
    int32_t Issue() const { return Long(2); }
    void SetIndex(int32_t value) { SetLong(0, value); }
    void SetIssue(int32_t value) { SetLong(2, value); }

    // Ranking table: sort 0 value at rank, 1 key at rank, 2 rank of value,
    // 3 key of value.
    int16_t Data(int sort, int y) const;
    // Statistic kind k of position p (1..BcMain): column 0 the statistic of
    // value y, 1 the rank of value y, 2 the value at rank y.
    int16_t Stat(int p, int kind, int column, int y) const;
    int16_t StatAll(int kind, int column, int y) const;
    CycleRec Cycle(int p, int value) const;
    int16_t CycleCountOf(int p, int value) const; // Cycle(p, value).Count
    int16_t CycleCount(int p) const;
    int16_t IsCycle(int p) const;
    int16_t Trans(int p, int a, int b) const;
    int16_t TransAll(int a, int b) const;
    int16_t Num(int p) const;       // 0..BM
    int16_t Filter(int kind) const; // 0..42
    int16_t Sorted(int p) const;    // 0..BcMain
    int16_t Recent7(int value) const;

    // Raw access for the builder and the file: the record's words as stored.
    int16_t* Words() { return m_words.data(); }
    const int16_t* Words() const { return m_words.data(); }
    int WordCount() const { return static_cast<int>(m_words.size()); }

    // Back to the blank record of the layout (Index -1, every value 0).
    void Reset();

    friend bool operator==(const StatRecord& a, const StatRecord& b) { return a.m_words == b.m_words; }

private:
    int32_t Long(int word) const;
    void SetLong(int word, int32_t value);
    int16_t At(int offset) const { return m_words[static_cast<size_t>(offset)]; }
    bool ValueOk(int y) const { return y >= 0 && y < m_layout->Values(); }
    bool PosOk(int p) const { return p >= 1 && p <= m_layout->BcMain(); }

    std::shared_ptr<const StatLayout> m_layout;
    std::vector<int16_t> m_words;
};

} // namespace kelton
