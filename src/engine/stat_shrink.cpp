// The shrink conditions of a data view and the test of a candidate bet
// against them.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "data/lottor_head.h"
#include "engine/indicators.h"
#include "engine/stat.h"

namespace kelton {

namespace {

// Slot of the view's own tolerance: the first after the position slots.
int ToleranceSlot(int bcMain)
{
    return bcMain + kIndicatorCount;
}

// Membership in ranges stored low/high, ascending.
bool InRanges(const int16_t* ranges, int count, int x)
{
    return InAscendingRanges(count, x, [ranges](int r) {
        return ValueRange{ranges[2 * r], ranges[2 * r + 1]};
    });
}

// Candidates a view keeps answers for: N^BcMain at most this many.
constexpr int64_t kMaxVerdicts = 65536;
// No answer kept yet.
constexpr int16_t kNoVerdict = INT16_MIN;
// The verdict tests the slots this many at a time.
constexpr size_t kVerdictBlock = 16;

} // namespace

uint64_t CStat::NewRevision()
{
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

void CStat::ResetShrinkState()
{
    m_filterTarget = m_blank;
    m_filterPrev = m_blank;
    m_filterPrev2 = m_blank;
    const size_t values = m_layout ? static_cast<size_t>(m_layout->Values()) : 0;
    m_rankOf.assign(values, 0);
    m_candNum.assign(static_cast<size_t>(m_bcMain) + 1, 0);
    m_candSorted.assign(static_cast<size_t>(m_bcMain) + 1, 0);
    // Padded to whole blocks of the verdict's loop; the padding never fails.
    const size_t slots = static_cast<size_t>(m_bcMain) + kIndicatorCount;
    m_candValues.assign((slots + kVerdictBlock - 1) / kVerdictBlock * kVerdictBlock, 0);
    m_condDirty = true;
    m_revision = NewRevision();
    m_indicatorTable.Reset();
    int64_t candidates = m_bcMain > 0 ? 1 : 0;
    for (int p = 0; p < m_bcMain && candidates <= kMaxVerdicts; ++p)
        candidates *= static_cast<int64_t>(values);
    m_verdicts.assign(candidates <= kMaxVerdicts ? static_cast<size_t>(candidates) : 0, kNoVerdict);
}

void CStat::SetShrinkSel(int16_t sFilter, int16_t sValue)
{
    if (sFilter < 0 || sFilter >= ConditionCount())
        return;
    m_shrinkSel[static_cast<size_t>(sFilter)] = sValue;
    m_condDirty = true;
}

void CStat::SetShrinkVal(int16_t sFilter, const ValueSet& sValue)
{
    if (sFilter < 0 || sFilter >= ConditionCount())
        return;
    m_shrinkVal[static_cast<size_t>(sFilter)] = sValue;
    m_shrinkValUbound[static_cast<size_t>(sFilter)] = static_cast<int16_t>(sValue.Count());
    m_condDirty = true;
}

void CStat::SetShrinkErr(int16_t sFilter, int16_t sValue)
{
    if (sFilter < 0 || sFilter >= ConditionCount())
        return;
    m_shrinkErr[static_cast<size_t>(sFilter)] = sValue;
    m_condDirty = true;
}

namespace {

// True when a set is already what the text round trip of IniShrinkData
// makes of it: ranges ascending, apart, each inside lo..hi (lo >= 0).
bool Normalised(const ValueSet& set, int16_t lo, int16_t hi)
{
    if (lo < 0)
        return false;
    int32_t after = lo; // the lowest value the next range may start at
    for (int r = 1; r <= set.Count(); ++r) {
        if (set[r].Low < after || set[r].High < set[r].Low || set[r].High > hi)
            return false;
        after = int32_t{set[r].High} + 2;
    }
    return true;
}

} // namespace

void CStat::IniShrinkData()
{
    if (!m_head)
        return;
    for (int16_t k = 0; k < ConditionCount(); ++k) {
        const size_t i = static_cast<size_t>(k);
        if (m_shrinkSel[i] != 0)
            m_shrinkSel[i] = 1;
        if (m_shrinkErr[i] != 0)
            m_shrinkErr[i] = 1;
        const int16_t lo = m_head->ShrinkHL(k, 0);
        const int16_t hi = m_head->ShrinkHL(k, 1);
        if (!Normalised(m_shrinkVal[i], lo, hi))
            m_shrinkVal[i] = StrToRange(RangeToStr(m_shrinkVal[i]), lo, hi);
        m_shrinkValUbound[i] = static_cast<int16_t>(m_shrinkVal[i].Count());
    }
    m_condDirty = true;
}

void CStat::GetFilterIni(int32_t sIssueIndex)
{
    if (!m_layout)
        return;
    const int32_t n = sIssueIndex;
    if (n > 0) {
        m_filterPrev = LoadRecord(n - 1);
        m_filterPrev2 = LoadRecord(n - 2);
    }
    m_filterTarget = LoadRecord(n);
    for (int v = 0; v < m_layout->Values(); ++v)
        m_rankOf[static_cast<size_t>(v)] = m_filterTarget.Data(2, v);
    const StatLayout& L = *m_layout;
    IndicatorInput in;
    in.State = &m_filterTarget;
    in.PrevNum = m_filterPrev.Words() + L.Num;
    in.PrevSorted = m_filterPrev.Words() + L.Sorted;
    in.Prev2Sorted = m_filterPrev2.Words() + L.Sorted;
    in.Index = m_filterTarget.Index();
    m_indicatorTable.Prepare(in);
    std::fill(m_verdicts.begin(), m_verdicts.end(), kNoVerdict);
}

void CStat::FlattenConditions()
{
    std::fill(m_verdicts.begin(), m_verdicts.end(), kNoVerdict);
    const size_t slots = m_candValues.size(); // padded
    m_rangeLow.assign(slots, INT16_MIN);
    m_rangeSpan.assign(slots, UINT16_MAX);
    m_rangeTolerated.assign(slots, 0);
    m_rangeHard.assign(slots, 0);
    m_condFlat.clear();
    m_tolRanges.clear();
    m_needIndicators = false;
    const int tolerance = ToleranceSlot(m_bcMain);
    auto ranges = [this](int k) {
        // A range count beyond the stored set is held to the set.
        return std::min<int>(m_shrinkValUbound[static_cast<size_t>(k)],
                             m_shrinkVal[static_cast<size_t>(k)].Count());
    };
    for (int k = 0; k < tolerance; ++k) {
        const int count = ranges(k);
        if (m_shrinkSel[static_cast<size_t>(k)] == 0 || count <= 0)
            continue;
        const ValueSet& set = m_shrinkVal[static_cast<size_t>(k)];
        const int16_t tolerated = m_shrinkErr[static_cast<size_t>(k)] != 0 ? int16_t(1) : int16_t(0);
        if (k < kIndicatorCount)
            m_needIndicators = true;
        if (count == 1 && set[1].Low <= set[1].High && static_cast<size_t>(k) < slots) {
            const size_t i = static_cast<size_t>(k);
            m_rangeLow[i] = set[1].Low;
            m_rangeSpan[i] = static_cast<uint16_t>(set[1].High - set[1].Low);
            m_rangeTolerated[i] = static_cast<uint16_t>(tolerated);
            m_rangeHard[i] = static_cast<uint16_t>(tolerated ^ 1);
            continue;
        }
        m_condFlat.push_back(static_cast<int16_t>(k));
        m_condFlat.push_back(tolerated);
        m_condFlat.push_back(static_cast<int16_t>(count));
        for (int r = 1; r <= count; ++r) {
            m_condFlat.push_back(set[r].Low);
            m_condFlat.push_back(set[r].High);
        }
    }
    const int count = ranges(tolerance);
    m_tolActive = m_shrinkSel[static_cast<size_t>(tolerance)] != 0 && count > 0;
    if (m_tolActive) {
        const ValueSet& set = m_shrinkVal[static_cast<size_t>(tolerance)];
        for (int r = 1; r <= count; ++r) {
            m_tolRanges.push_back(set[r].Low);
            m_tolRanges.push_back(set[r].High);
        }
    }
    m_condDirty = false;
}

// Maps the candidate into the view and computes the values of every slot
// the live conditions test: the indicators exactly as the builder computes
// them for a drawn record, with the candidate's numbers in place of the
// draw's. False for a candidate the view cannot take.
bool CStat::CandidateValues(std::span<const int16_t> sNum)
{
    const int bcMain = m_bcMain;
    if (sNum.size() < static_cast<size_t>(bcMain) + 1)
        return false;
    int16_t* num = m_candNum.data();
    int16_t* sorted = m_candSorted.data();
    for (int p = 1; p <= bcMain; ++p) {
        const int16_t raw = sNum[static_cast<size_t>(p)];
        if (raw < 0 || raw > m_bcDataLen)
            return false;
        num[p] = m_rankOf[static_cast<size_t>(raw)];
        // Insertion into the sorted copy.
        int j = p;
        while (j > 1 && sorted[j - 1] > num[p]) {
            sorted[j] = sorted[j - 1];
            --j;
        }
        sorted[j] = num[p];
    }
    int16_t* values = m_candValues.data();
    if (m_needIndicators) {
        const StatLayout& L = *m_layout;
        IndicatorInput in;
        in.State = &m_filterTarget;
        in.Num = num;
        in.Sorted = sorted;
        in.PrevNum = m_filterPrev.Words() + L.Num;
        in.PrevSorted = m_filterPrev.Words() + L.Sorted;
        in.Prev2Sorted = m_filterPrev2.Words() + L.Sorted;
        in.Index = m_filterTarget.Index();
        IndicatorValues indicators;
        if (m_indicatorTable.Ready())
            m_indicatorTable.Compute(num, sorted, indicators);
        else
            ComputeIndicators(in, indicators);
        std::memcpy(values, indicators.data(), sizeof(indicators));
    }
    std::memcpy(values + kIndicatorCount, num + 1, sizeof(int16_t) * static_cast<size_t>(bcMain));
    return true;
}

int32_t CStat::CandidateKey(std::span<const int16_t> sNum) const
{
    if (m_verdicts.empty() || sNum.size() < static_cast<size_t>(m_bcMain) + 1)
        return -1;
    const int32_t n = m_bcDataLen + 1;
    int32_t key = 0;
    for (int p = m_bcMain; p >= 1; --p) {
        const int16_t raw = sNum[static_cast<size_t>(p)];
        if (raw < 0 || raw > m_bcDataLen)
            return -1;
        key = key * n + raw;
    }
    return key;
}

int16_t CStat::GetShrinkErr(std::span<const int16_t> sNum)
{
    if (!m_layout || m_shrinkSel.empty())
        return -1;
    if (m_condDirty)
        FlattenConditions();
    const int32_t key = CandidateKey(sNum);
    if (key >= 0 && m_verdicts[static_cast<size_t>(key)] != kNoVerdict)
        return m_verdicts[static_cast<size_t>(key)];
    if (!CandidateValues(sNum))
        return -1;
    const int16_t verdict = Verdict();
    if (key >= 0)
        m_verdicts[static_cast<size_t>(key)] = verdict;
    return verdict;
}

// The candidate's answer from its values: every condition tested, without
// a branch for the ranges of one piece.
int16_t CStat::Verdict() const
{
    const int16_t* values = m_candValues.data();
    const int16_t* low = m_rangeLow.data();
    const uint16_t* span = m_rangeSpan.data();
    const uint16_t* tolerated = m_rangeTolerated.data();
    const uint16_t* hardSlot = m_rangeHard.data();
    const size_t slots = m_rangeLow.size(); // whole blocks
    uint16_t failed[kVerdictBlock] = {};
    uint16_t rejected[kVerdictBlock] = {};
    for (size_t base = 0; base < slots; base += kVerdictBlock) {
        for (size_t l = 0; l < kVerdictBlock; ++l) {
            const size_t k = base + l;
            const uint16_t fail = static_cast<uint16_t>(values[k] - low[k]) > span[k] ? 1 : 0;
            failed[l] = static_cast<uint16_t>(failed[l] + (fail & tolerated[k]));
            rejected[l] = static_cast<uint16_t>(rejected[l] | (fail & hardSlot[k]));
        }
    }
    int errors = 0;
    int hard = 0;
    for (size_t l = 0; l < kVerdictBlock; ++l) {
        errors += failed[l];
        hard |= rejected[l];
    }
    const int16_t* c = m_condFlat.data();
    const int16_t* end = c + m_condFlat.size();
    while (c < end) {
        const int count = c[2];
        if (!InRanges(c + 3, count, values[c[0]])) {
            hard |= c[1] ^ 1;
            errors += c[1];
        }
        c += 3 + 2 * count;
    }
    if (hard)
        return -1;
    if (m_tolActive && !InRanges(m_tolRanges.data(), static_cast<int>(m_tolRanges.size() / 2), errors))
        return -1;
    return static_cast<int16_t>(errors);
}

std::vector<std::array<int16_t, 2>> CStat::GetShrinkLowHigh(int32_t nStart, int32_t nEnd) const
{
    const int kinds = m_bcMain + kIndicatorCount;
    std::vector<std::array<int16_t, 2>> result(static_cast<size_t>(kinds), {0, 0});
    const int32_t c = m_recordCount;
    if (!m_layout || c < 2 || !FileReady())
        return result;
    const int32_t last = c - 2;
    int32_t s = std::clamp(nStart, 0, last);
    const int32_t e = std::clamp(nEnd, 0, last);
    if (e < s)
        s = e;

    const StatLayout& L = *m_layout;
    std::vector<std::array<int16_t, 2>> range(static_cast<size_t>(kinds));
    bool first = true;
    const bool ok = ReadRecords(s, e - s + 1, [&](int32_t, const int16_t* words) {
        for (int k = 0; k < kinds; ++k) {
            const int16_t x =
                k < kIndicatorCount ? words[L.Filter + k] : words[L.Num + k - kIndicatorCount + 1];
            auto& r = range[static_cast<size_t>(k)];
            if (first) {
                r = {x, x};
            } else {
                r[0] = std::min(r[0], x);
                r[1] = std::max(r[1], x);
            }
        }
        first = false;
        return true;
    });
    if (ok)
        result = std::move(range);
    return result;
}

bool CStat::HoldsNumTable(int32_t from) const
{
    // The count guards against a rebuild still under way (its revision was
    // taken when it started).
    return m_numTableRevision == m_revision && m_numTableRecords == m_recordCount &&
           m_numTableFrom <= std::max(from, 0);
}

bool CStat::AdoptNumTable(std::vector<int16_t> table) const
{
    const size_t stride = m_layout ? static_cast<size_t>(m_layout->BM() + 1) : 0;
    if (!m_layout || m_recordCount <= 0 || table.size() != static_cast<size_t>(m_recordCount) * stride)
        return false;
    m_numTable = std::move(table);
    m_numTableRevision = m_revision;
    m_numTableRecords = m_recordCount;
    m_numTableFrom = 0;
    return true;
}

void CStat::LoadNumTables(std::span<const NumTableNeed> needs)
{
    std::vector<NumTableNeed> missing;
    for (const NumTableNeed& need : needs) {
        if (!need.View || need.View->HoldsNumTable(need.From))
            continue;
        const auto same = std::find_if(missing.begin(), missing.end(),
                                       [&](const NumTableNeed& m) { return m.View == need.View; });
        if (same == missing.end())
            missing.push_back(need);
        else
            same->From = std::min(same->From, need.From);
    }
    // Each view on a thread of its own: every view reads its own file into
    // its own table.
    if (missing.size() < 2 || std::thread::hardware_concurrency() < 2) {
        for (const NumTableNeed& need : missing)
            need.View->NumTable(need.From);
        return;
    }
    std::vector<std::jthread> readers;
    for (size_t i = 1; i < missing.size(); ++i)
        readers.emplace_back([need = missing[i]] { need.View->NumTable(need.From); });
    missing[0].View->NumTable(missing[0].From);
}

void CStat::LoadNumTables(std::span<CStat* const> views)
{
    std::vector<NumTableNeed> needs;
    for (CStat* view : views)
        needs.push_back({view, 0});
    LoadNumTables(needs);
}

const std::vector<int16_t>& CStat::NumTable(int32_t from) const
{
    from = std::clamp(from, 0, std::max(m_recordCount, 0));
    if (HoldsNumTable(from))
        return m_numTable;
    const size_t stride = m_layout ? static_cast<size_t>(m_layout->BM() + 1) : 0;
    const bool partial = m_numTableRevision == m_revision && m_numTableRecords == m_recordCount &&
                         !m_numTable.empty();
    // Rows from..until are read: up to the rows held, or to the end.
    const int32_t until = partial ? m_numTableFrom : m_recordCount;
    if (!partial)
        m_numTable.clear();
    m_numTableRevision = m_revision;
    m_numTableRecords = m_recordCount;
    if (!m_layout || m_recordCount <= 0 || !FileReady()) {
        m_numTable.clear();
        m_numTableFrom = 0;
        return m_numTable;
    }
    std::vector<int16_t> table = partial ? std::move(m_numTable)
                                         : std::vector<int16_t>(static_cast<size_t>(m_recordCount) * stride);
    const int64_t recLen = m_layout->RecLen();
    const bool ok = m_file.ReadStrided(m_headerLen + int64_t(from) * recLen + 2 * int64_t(m_layout->Num), recLen,
                                       until - from, 2 * int64_t(stride),
                                       table.data() + static_cast<size_t>(from) * stride);
    if (ok) {
        m_numTable = std::move(table);
        m_numTableFrom = from;
    } else {
        m_numTable.clear();
        m_numTableFrom = 0;
    }
    return m_numTable;
}

} // namespace kelton
