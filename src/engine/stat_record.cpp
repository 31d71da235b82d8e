#include "engine/stat_record.h"

#include <cstring>

namespace kelton {

namespace {

// Words of an array descriptor of d dimensions: the count, then two 32-bit
// fields per dimension.
constexpr int DescriptorWords(int dims)
{
    return 1 + 4 * dims;
}

} // namespace

StatLayout::StatLayout(int16_t bcDataLen, int16_t bcMain, int16_t bm)
    : m_bcDataLen(bcDataLen < 0 ? int16_t(0) : bcDataLen), m_bcMain(bcMain < 0 ? int16_t(0) : bcMain),
      m_bm(bm < m_bcMain ? m_bcMain : bm), m_values(m_bcDataLen + 1)
{
    const int32_t n = m_values;
    m_blank.assign(4, 0); // Index, Issue
    m_words = 4;

    Data = AddArray({4, n});
    m_words += 4 * n;

    const int positions = m_bm + 1;
    Stat.assign(positions, -1);
    Cycle.assign(positions, -1);
    CycleCount.assign(positions, -1);
    IsCycle.assign(positions, -1);
    Trans.assign(positions, -1);
    AddArray({positions});
    for (int p = 0; p < positions; ++p) {
        const bool filled = p >= 1 && p <= m_bcMain;
        if (filled) {
            Stat[p] = AddArray({StatKind::Kinds, kStatColumns, n});
            m_words += StatKind::Kinds * kStatColumns * n;
            Cycle[p] = AddArray({n});
            m_words += kCycleRecWords * n;
        } else {
            AddEmptyArray();
            AddEmptyArray();
        }
        CycleCount[p] = m_words++;
        IsCycle[p] = m_words++;
        if (filled) {
            Trans[p] = AddArray({n, n});
            m_words += n * n;
        } else {
            AddEmptyArray();
        }
    }

    Num = AddArray({positions});
    m_words += positions;
    Filter = AddArray({kIndicatorCount});
    m_words += kIndicatorCount;
    TransAll = AddArray({n, n});
    m_words += n * n;
    StatAll = AddArray({StatKind::Kinds, kStatColumns, n});
    m_words += StatKind::Kinds * kStatColumns * n;
    CycleAll = AddArray({n});
    m_words += kCycleRecWords * n + 2; // the cycle set, then its two counts
    Sorted = AddArray({m_bcMain + 1});
    m_words += m_bcMain + 1;
    Recent7 = AddArray({n});
    m_words += n;

    m_blank.resize(static_cast<size_t>(m_words), 0);
    m_blank[0] = -1; // Index -1 (little-endian low word, then the sign word)
    m_blank[1] = -1;
}

int64_t StatLayout::RecordBytes(int16_t bcDataLen, int16_t bcMain, int16_t bm)
{
    // The same sum as the constructor: descriptors and elements, array by array.
    const int64_t main = bcMain < 0 ? 0 : bcMain;
    const int64_t n = (bcDataLen < 0 ? 0 : int64_t{bcDataLen}) + 1;
    const int64_t positions = (bm < main ? main : int64_t{bm}) + 1;
    const int64_t statWords = int64_t{StatKind::Kinds} * kStatColumns * n;
    int64_t words = 4;                                       // Index, Issue
    words += DescriptorWords(2) + 4 * n;                     // Data
    words += DescriptorWords(1);                             // the position array
    words += main * (DescriptorWords(3) + statWords + DescriptorWords(1) + kCycleRecWords * n +
                     DescriptorWords(2) + n * n);            // Stat, Cycle, Trans of a main position
    words += (positions - main) * 3;                         // their empty arrays elsewhere
    words += positions * 2;                                  // CycleCount, IsCycle
    words += DescriptorWords(1) + positions;                 // Num
    words += DescriptorWords(1) + kIndicatorCount;           // Filter
    words += DescriptorWords(2) + n * n;                     // TransAll
    words += DescriptorWords(3) + statWords;                 // StatAll
    words += DescriptorWords(1) + kCycleRecWords * n + 2;    // CycleAll and its counts
    words += DescriptorWords(1) + main + 1;                  // Sorted
    words += DescriptorWords(1) + n;                         // Recent7
    return 2 * words;
}

int StatLayout::AddArray(std::initializer_list<int32_t> counts)
{
    const int dims = static_cast<int>(counts.size());
    const int start = m_words;
    m_blank.resize(static_cast<size_t>(m_words + DescriptorWords(dims)), 0);
    m_blank[static_cast<size_t>(start)] = static_cast<int16_t>(dims);
    int word = start + 1;
    for (int32_t count : counts) {
        const int32_t lowerBound = 0;
        std::memcpy(&m_blank[static_cast<size_t>(word)], &count, 4);
        std::memcpy(&m_blank[static_cast<size_t>(word + 2)], &lowerBound, 4);
        word += 4;
    }
    m_descriptors.emplace_back(start, DescriptorWords(dims));
    m_words += DescriptorWords(dims);
    return m_words;
}

void StatLayout::AddEmptyArray()
{
    m_blank.resize(static_cast<size_t>(m_words + 1), 0);
    m_descriptors.emplace_back(m_words, 1);
    ++m_words;
}

bool StatLayout::DescriptorsMatch(const int16_t* words) const
{
    for (const auto& [offset, count] : m_descriptors) {
        if (std::memcmp(words + offset, m_blank.data() + offset, 2 * static_cast<size_t>(count)) != 0)
            return false;
    }
    return true;
}

StatRecord::StatRecord(std::shared_ptr<const StatLayout> layout)
    : m_layout(std::move(layout)), m_words(m_layout->Blank())
{
}

void StatRecord::Reset()
{
    if (m_layout)
        std::memcpy(m_words.data(), m_layout->Blank().data(), 2 * m_words.size());
}

int32_t StatRecord::Long(int word) const
{
    if (!m_layout)
        return word == 0 ? -1 : 0;
    int32_t value = 0;
    std::memcpy(&value, m_words.data() + word, 4);
    return value;
}

void StatRecord::SetLong(int word, int32_t value)
{
    if (m_layout)
        std::memcpy(m_words.data() + word, &value, 4);
}

int16_t StatRecord::Data(int sort, int y) const
{
    if (!m_layout || sort < 0 || sort > 3 || !ValueOk(y))
        return 0;
    return At(m_layout->Data + sort + 4 * y);
}

int16_t StatRecord::Stat(int p, int kind, int column, int y) const
{
    if (!m_layout || !PosOk(p) || kind < 0 || kind >= StatKind::Kinds || column < 0 ||
        column >= kStatColumns || !ValueOk(y))
        return 0;
    return At(m_layout->Stat[p] + StatLayout::StatIndex(kind, column, y));
}

int16_t StatRecord::StatAll(int kind, int column, int y) const
{
    if (!m_layout || kind < 0 || kind >= StatKind::Kinds || column < 0 || column >= kStatColumns ||
        !ValueOk(y))
        return 0;
    return At(m_layout->StatAll + StatLayout::StatIndex(kind, column, y));
}

CycleRec StatRecord::Cycle(int p, int value) const
{
    CycleRec rec;
    if (!m_layout || !PosOk(p) || !ValueOk(value))
        return rec;
    const int16_t* base = m_words.data() + m_layout->Cycle[p] + kCycleRecWords * value;
    std::memcpy(rec.Period.data(), base, 2 * kCycleSlots);
    std::memcpy(rec.Runs.data(), base + kCycleSlots, 2 * kCycleSlots);
    rec.Count = base[2 * kCycleSlots];
    return rec;
}

int16_t StatRecord::CycleCountOf(int p, int value) const
{
    if (!m_layout || !PosOk(p) || !ValueOk(value))
        return 0;
    return At(m_layout->Cycle[p] + kCycleRecWords * value + 2 * kCycleSlots);
}

int16_t StatRecord::CycleCount(int p) const
{
    if (!m_layout || p < 0 || p > m_layout->BM())
        return 0;
    return At(m_layout->CycleCount[p]);
}

int16_t StatRecord::IsCycle(int p) const
{
    if (!m_layout || p < 0 || p > m_layout->BM())
        return 0;
    return At(m_layout->IsCycle[p]);
}

int16_t StatRecord::Trans(int p, int a, int b) const
{
    if (!m_layout || !PosOk(p) || !ValueOk(a) || !ValueOk(b))
        return 0;
    return At(m_layout->Trans[p] + a + m_layout->Values() * b);
}

int16_t StatRecord::TransAll(int a, int b) const
{
    if (!m_layout || !ValueOk(a) || !ValueOk(b))
        return 0;
    return At(m_layout->TransAll + a + m_layout->Values() * b);
}

int16_t StatRecord::Num(int p) const
{
    if (!m_layout || p < 0 || p > m_layout->BM())
        return 0;
    return At(m_layout->Num + p);
}

int16_t StatRecord::Filter(int kind) const
{
    if (!m_layout || kind < 0 || kind >= kIndicatorCount)
        return 0;
    return At(m_layout->Filter + kind);
}

int16_t StatRecord::Sorted(int p) const
{
    if (!m_layout || p < 0 || p > m_layout->BcMain())
        return 0;
    return At(m_layout->Sorted + p);
}

int16_t StatRecord::Recent7(int value) const
{
    if (!m_layout || !ValueOk(value))
        return 0;
    return At(m_layout->Recent7 + value);
}

} // namespace kelton
