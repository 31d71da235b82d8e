// The other filters of a filter run: match, history draw and
// generating/restraining, each a list of items with its own tolerance, and
// the tolerance over the three filters together.

#include <algorithm>
#include <array>
#include <cstring>

#include "data/lottor_data.h"
#include "engine/stat.h"

namespace kelton {

// What the history and gather items derive from the views for one target
// issue: the rank of every raw value in a view, and per history span the
// draws counted by their numbers. Entries are keyed by the view and its
// revision (unique over all views ever opened), so a rebuilt or reopened
// view never answers from old tables.
struct OtherFilterCache {
    struct RankMap {
        int16_t View = 0;
        uint64_t Revision = 0;
        int32_t Index = 0;
        std::vector<int16_t> Rank;
    };

    // The draws of issues First..Last of a view, counted by their numbers
    // in place (Straight, key = sum of d(p) * N^(p-1)) and ascending
    // (Group, the same key over the sorted numbers). AnyButOne memoises the
    // count of draws sharing all but one number with a sorted candidate.
    struct HistoryTable {
        int16_t View = 0;
        uint64_t Revision = 0;
        int32_t First = 0;
        int32_t Last = 0;
        std::vector<int32_t> Straight;
        std::vector<int32_t> Group;
        std::vector<int32_t> GroupKeys; // the keys present in Group
        std::vector<int32_t> AnyButOne; // -1 until computed
        bool Valid = true;              // every number of the span in range
    };

    std::vector<RankMap> Ranks;
    std::vector<HistoryTable> Tables;
    std::vector<int16_t> Scratch;
};

namespace {

enum class Outcome { Pass, Fail, Skip, Error };

// Tables larger than this many candidates are not kept; the history items
// of such games compare the draws one by one.
constexpr int64_t kMaxTableKeys = 16384;
// Bytes the kept spans may take: far more spans than a run has history
// items, so a run never builds a span twice.
constexpr int64_t kMaxTableBytes = int64_t(32) << 20;

// The largest allowed count of a set: the upper end of its last range.
int LargestAllowed(const ValueSet& set, int ranges)
{
    return ranges > 0 ? set[ranges].High : 0;
}

// An item fails when the measured quantity misses its set while it keeps,
// or lies in it while it removes.
Outcome Decide(bool inSet, int16_t remove)
{
    return (!inSet && remove == 0) || (inSet && remove == 1) ? Outcome::Fail : Outcome::Pass;
}

// The list test: stops at the first failure that is not tolerated and as
// soon as the tolerated failures exceed the list's largest allowed count.
template <class Item, class Rule> bool ListTest(const FilterItemList<Item>& list, Rule&& rule)
{
    const bool tolerate = list.SubErrSel == 1;
    const int allowed = LargestAllowed(list.SubErrVal, list.SubErrVal.Count());
    const std::vector<Item>& items = list.ValData();
    int count = 0;
    for (size_t i = 1; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.Active != 1)
            continue;
        switch (rule(item)) {
        case Outcome::Pass:
        case Outcome::Skip:
            break;
        case Outcome::Error:
            return false;
        case Outcome::Fail:
            if (item.Tolerant != 1 || !tolerate)
                return false;
            if (++count > allowed)
                return false;
            break;
        }
    }
    return !tolerate || list.SubErrVal.Contains(count);
}

// The verification count: every active item that fails, without any
// tolerance or switch. 0, with oStr unchanged, when an item cannot be
// evaluated.
template <class Item, class Rule>
int16_t ListVerify(const FilterItemList<Item>& list, Rule&& rule, QString& oStr)
{
    const std::vector<Item>& items = list.ValData();
    int16_t count = 0;
    QString text;
    for (size_t i = 1; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.Active != 1)
            continue;
        const Outcome outcome = rule(item);
        if (outcome == Outcome::Error)
            return 0;
        if (outcome == Outcome::Fail) {
            ++count;
            text += QStringLiteral("第") + QString::number(i) + QStringLiteral("项；");
        }
    }
    oStr = text;
    return count;
}

// The shape every rule works with, taken once per call.
struct Shape {
    int BcMain = 0;
    int N = 0;        // BcDataLen + 1
    int64_t Keys = 0; // N^BcMain, or 0 when too many for a table
    int Stride = 0;   // numbers per record in a view's number table
};

Shape ShapeOf(const CLottorHead& head)
{
    Shape s;
    s.BcMain = head.BcMain;
    s.N = head.BcDataLen + 1;
    s.Stride = head.BM + 1;
    int64_t keys = 1;
    for (int p = 0; p < s.BcMain && keys <= kMaxTableKeys; ++p)
        keys *= s.N;
    s.Keys = keys <= kMaxTableKeys ? keys : 0;
    return s;
}

bool RawOk(const Shape& shape, std::span<const int16_t> sNum)
{
    if (shape.BcMain < 1 || sNum.size() < static_cast<size_t>(shape.BcMain) + 1)
        return false;
    for (int p = 1; p <= shape.BcMain; ++p) {
        if (sNum[static_cast<size_t>(p)] < 0 || sNum[static_cast<size_t>(p)] >= shape.N)
            return false;
    }
    return true;
}

int32_t KeyOf(const int16_t* numbers, int count, int n)
{
    int32_t key = 0;
    for (int p = count; p >= 1; --p)
        key = key * n + numbers[p];
    return key;
}

// Sorts numbers[1..count] ascending (a few entries).
void SortSmall(int16_t* numbers, int count)
{
    for (int p = 2; p <= count; ++p) {
        const int16_t x = numbers[p];
        int j = p;
        while (j > 1 && numbers[j - 1] > x) {
            numbers[j] = numbers[j - 1];
            --j;
        }
        numbers[j] = x;
    }
}

// Numbers two sorted lists have in common, repeats counted as often as both
// hold them.
int CommonSorted(const int16_t* a, const int16_t* b, int count)
{
    int i = 1, j = 1, common = 0;
    while (i <= count && j <= count) {
        if (a[i] == b[j]) {
            ++common;
            ++i;
            ++j;
        } else if (a[i] < b[j]) {
            ++i;
        } else {
            ++j;
        }
    }
    return common;
}

void DecodeKey(int32_t key, int count, int n, int16_t* numbers)
{
    for (int p = 1; p <= count; ++p) {
        numbers[p] = static_cast<int16_t>(key % n);
        key /= n;
    }
}

// Whether draw d matches candidate c under a history kind; the common count
// as the item defines it (a number of c meets one unused equal number of d).
bool DrawMatches(int kind, const int16_t* c, const int16_t* d, int count, int n, int16_t* scratch)
{
    if (kind == 0) {
        for (int p = 1; p <= count; ++p) {
            if (c[p] != d[p])
                return false;
        }
        return true;
    }
    if (kind != 1 && kind != 2)
        return false;
    std::fill(scratch, scratch + n, int16_t(0));
    for (int p = 1; p <= count; ++p)
        ++scratch[d[p]];
    int common = 0;
    for (int p = 1; p <= count; ++p) {
        if (scratch[c[p]] > 0) {
            --scratch[c[p]];
            ++common;
        }
    }
    return kind == 1 ? common == count : common >= count - 1;
}

// True when numbers[1..BcMain] can index the game's tables.
bool NumbersOk(const int16_t* numbers, const Shape& shape)
{
    for (int p = 1; p <= shape.BcMain; ++p) {
        if (numbers[p] < 0 || numbers[p] >= shape.N)
            return false;
    }
    return true;
}

// The numbers of record k of a view's number table; the zero draw past its
// end (the blank record).
const int16_t* DrawAt(const std::vector<int16_t>& table, const Shape& shape, int32_t k,
                      const std::vector<int16_t>& zeros)
{
    const size_t at = static_cast<size_t>(k) * static_cast<size_t>(shape.Stride);
    return at + static_cast<size_t>(shape.Stride) <= table.size() ? table.data() + at : zeros.data();
}

Outcome MatchRule(const MatchItem& item, std::span<const int16_t> sNum, const Shape& shape)
{
    if (item.Numbers.size() < static_cast<size_t>(shape.BcMain) + 1)
        return Outcome::Error;
    int hits = 0;
    if (item.AnyPosition == 1) {
        // Each listed number counts once, however often the candidate holds it.
        const std::vector<int16_t>& row = item.Numbers[0];
        for (int p = 1; p <= shape.BcMain; ++p) {
            const int16_t x = sNum[static_cast<size_t>(p)];
            if (static_cast<size_t>(x) >= row.size())
                return Outcome::Error;
            if (row[static_cast<size_t>(x)] == 0)
                continue;
            bool seen = false;
            for (int q = 1; q < p && !seen; ++q)
                seen = sNum[static_cast<size_t>(q)] == x;
            if (!seen)
                ++hits;
        }
    } else {
        for (int p = 1; p <= shape.BcMain; ++p) {
            const std::vector<int16_t>& row = item.Numbers[static_cast<size_t>(p)];
            const int16_t x = sNum[static_cast<size_t>(p)];
            if (static_cast<size_t>(x) >= row.size())
                return Outcome::Error;
            if (row[static_cast<size_t>(x)] != 0)
                ++hits;
        }
    }
    return Decide(item.Counts.Contains(hits), item.Remove);
}

// The candidate in a view: c(p) = the rank of sNum(p) at the target.
void ToView(const std::vector<int16_t>& rank, std::span<const int16_t> sNum, int count, int16_t* c)
{
    c[0] = 0;
    for (int p = 1; p <= count; ++p)
        c[p] = rank[static_cast<size_t>(sNum[static_cast<size_t>(p)])];
}

Outcome GatherRule(const GatherItem& item, const int16_t* c, int count)
{
    std::array<int16_t, 64> partners; // the first np are set
    int np = 0;
    auto at = [&](int p) { return p >= 1 && p <= count; };
    switch (item.Kind) {
    case 0: {
        bool master = false;
        for (int p = 1; p <= count; ++p)
            master = master || c[p] == item.Master;
        if (!master)
            return Outcome::Skip;
        // Every place of the master takes the last number; the partners are
        // the places before the last.
        if (count - 1 > static_cast<int>(partners.size()))
            return Outcome::Error;
        for (int p = 1; p <= count - 1; ++p)
            partners[static_cast<size_t>(np++)] = c[p] == item.Master ? c[count] : c[p];
        break;
    }
    case 1:
    case 2:
    case 3: {
        static constexpr int kMasterAt[] = {0, 3, 2, 1};
        static constexpr int kPartnerAt[] = {0, 2, 1, 3};
        const int m = kMasterAt[item.Kind];
        const int q = kPartnerAt[item.Kind];
        if (!at(m) || !at(q))
            return Outcome::Error;
        if (c[m] != item.Master)
            return Outcome::Skip;
        partners[static_cast<size_t>(np++)] = c[q];
        break;
    }
    default:
        break;
    }
    bool inSet = false;
    for (int i = 0; i < np && !inSet; ++i)
        inSet = item.Partners.Contains(partners[static_cast<size_t>(i)]);
    return Decide(inSet, item.Remove);
}

// The rank of every raw value at target issue sIndex in view v: Data(sIndex,
// value, 2), read once per view and target.
const std::vector<int16_t>& RankMapOf(OtherFilterCache& cache, int16_t v, CStat& view, int32_t sIndex, int n)
{
    OtherFilterCache::RankMap* slot = nullptr;
    for (auto& m : cache.Ranks) {
        if (m.View != v)
            continue;
        if (m.Revision == view.Revision() && m.Index == sIndex)
            return m.Rank;
        slot = &m;
    }
    if (!slot) {
        cache.Ranks.emplace_back();
        slot = &cache.Ranks.back();
    }
    const StatRecord& rec = view.LoadRecord(sIndex);
    slot->View = v;
    slot->Revision = view.Revision();
    slot->Index = sIndex;
    slot->Rank.assign(static_cast<size_t>(n), 0);
    for (int x = 0; x < n; ++x) {
        const int16_t r = rec.Data(2, x);
        slot->Rank[static_cast<size_t>(x)] = r >= 0 && r < n ? r : int16_t(0);
    }
    return slot->Rank;
}

// The count table of a history span, built on first use.
OtherFilterCache::HistoryTable& TableOf(OtherFilterCache& cache, int16_t v, CStat& view, int32_t first,
                                        int32_t last, const Shape& shape)
{
    for (auto& t : cache.Tables) {
        if (t.View == v && t.Revision == view.Revision() && t.First == first && t.Last == last)
            return t;
    }
    // Spans of a view that changed since are of no further use; a long list
    // of old ones is dropped whole.
    std::erase_if(cache.Tables, [&](const auto& t) { return t.View == v && t.Revision != view.Revision(); });
    const int64_t tableBytes = 3 * int64_t(sizeof(int32_t)) * shape.Keys;
    if (int64_t(cache.Tables.size()) * tableBytes >= kMaxTableBytes)
        cache.Tables.clear();
    cache.Tables.emplace_back();
    auto& t = cache.Tables.back();
    t.View = v;
    t.Revision = view.Revision();
    t.First = first;
    t.Last = last;
    t.Straight.assign(static_cast<size_t>(shape.Keys), 0);
    t.Group.assign(static_cast<size_t>(shape.Keys), 0);
    t.AnyButOne.assign(static_cast<size_t>(shape.Keys), -1);

    const std::vector<int16_t>& table = view.NumTable(first);
    const std::vector<int16_t> zeros(static_cast<size_t>(shape.Stride), 0);
    std::vector<int16_t> sorted(static_cast<size_t>(shape.BcMain) + 1, 0);
    for (int32_t k = first; k <= last; ++k) {
        const int16_t* d = DrawAt(table, shape, k, zeros);
        if (!NumbersOk(d, shape)) {
            t.Valid = false;
            break;
        }
        ++t.Straight[static_cast<size_t>(KeyOf(d, shape.BcMain, shape.N))];
        std::memcpy(sorted.data() + 1, d + 1, sizeof(int16_t) * static_cast<size_t>(shape.BcMain));
        SortSmall(sorted.data(), shape.BcMain);
        const int32_t key = KeyOf(sorted.data(), shape.BcMain, shape.N);
        if (t.Group[static_cast<size_t>(key)]++ == 0)
            t.GroupKeys.push_back(key);
    }
    return t;
}

struct HistoryContext {
    OtherFilterCache* Cache = nullptr;
    const Shape* Form = nullptr;
    std::span<const int16_t> Raw;
    int32_t Index = 0;
    int16_t ViewCount = 0;
};

// The history-draw rule for one item: the number of earlier issues of its
// span that match the candidate in the item's view, held against Counts.
Outcome HistoryRule(const HistoryItem& item, HistoryContext& ctx, CLottorData& game)
{
    if (item.View >= ctx.ViewCount)
        return Outcome::Skip;
    CStat* view = item.View >= 0 ? game.StatView(item.View) : nullptr;
    if (!view)
        return Outcome::Error;
    const Shape& shape = *ctx.Form;
    const std::vector<int16_t>& rank = RankMapOf(*ctx.Cache, item.View, *view, ctx.Index, shape.N);
    std::array<int16_t, 64> cBuf; // 0..BcMain set by ToView; left uncleared on this hot path
    if (shape.BcMain + 1 > static_cast<int>(cBuf.size()))
        return Outcome::Error;
    int16_t* c = cBuf.data();
    ToView(rank, ctx.Raw, shape.BcMain, c);

    const int32_t first = item.Issues > 0 ? std::max<int32_t>(0, ctx.Index - item.Issues) : 0;
    const int32_t last = ctx.Index - 1;
    int32_t matches = 0;
    if (last >= first) {
        if (shape.Keys > 0) {
            auto& t = TableOf(*ctx.Cache, item.View, *view, first, last, shape);
            if (!t.Valid)
                return Outcome::Error;
            if (item.Kind == 0) {
                matches = t.Straight[static_cast<size_t>(KeyOf(c, shape.BcMain, shape.N))];
            } else if (item.Kind == 1 || item.Kind == 2) {
                std::array<int16_t, 64> sBuf; // 0..BcMain copied in
                std::memcpy(sBuf.data(), c, sizeof(int16_t) * static_cast<size_t>(shape.BcMain + 1));
                SortSmall(sBuf.data(), shape.BcMain);
                const int32_t key = KeyOf(sBuf.data(), shape.BcMain, shape.N);
                if (item.Kind == 1) {
                    matches = t.Group[static_cast<size_t>(key)];
                } else {
                    int32_t& memo = t.AnyButOne[static_cast<size_t>(key)];
                    if (memo < 0) {
                        std::array<int16_t, 64> dBuf; // 1..BcMain decoded
                        memo = 0;
                        for (const int32_t g : t.GroupKeys) {
                            DecodeKey(g, shape.BcMain, shape.N, dBuf.data());
                            if (CommonSorted(sBuf.data(), dBuf.data(), shape.BcMain) >= shape.BcMain - 1)
                                memo += t.Group[static_cast<size_t>(g)];
                        }
                    }
                    matches = memo;
                }
            }
        } else {
            // Too many candidates for a table: compare the kept draws.
            const std::vector<int16_t>& table = view->NumTable(first);
            const std::vector<int16_t> zeros(static_cast<size_t>(shape.Stride), 0);
            ctx.Cache->Scratch.resize(static_cast<size_t>(shape.N));
            for (int32_t k = first; k <= last; ++k) {
                const int16_t* d = DrawAt(table, shape, k, zeros);
                if (!NumbersOk(d, shape))
                    return Outcome::Error;
                if (DrawMatches(item.Kind, c, d, shape.BcMain, shape.N, ctx.Cache->Scratch.data()))
                    ++matches;
            }
        }
    }
    return Decide(item.Counts.Contains(matches), item.Remove);
}

Outcome GatherItemRule(const GatherItem& item, HistoryContext& ctx, CLottorData& game)
{
    CStat* view = item.View >= 0 && item.View < ctx.ViewCount ? game.StatView(item.View) : nullptr;
    if (!view)
        return Outcome::Error;
    const Shape& shape = *ctx.Form;
    std::array<int16_t, 64> cBuf; // 0..BcMain set by ToView; left uncleared on this hot path
    if (shape.BcMain + 1 > static_cast<int>(cBuf.size()))
        return Outcome::Error;
    ToView(RankMapOf(*ctx.Cache, item.View, *view, ctx.Index, shape.N), ctx.Raw, shape.BcMain, cBuf.data());
    return GatherRule(item, cBuf.data(), shape.BcMain);
}

} // namespace

OtherFilterCache& CLottorData::OtherCache()
{
    if (!m_otherCache)
        m_otherCache = std::make_shared<OtherFilterCache>();
    return *m_otherCache;
}

bool CLottorData::FilterOther(std::span<const int16_t> sNum, int32_t sIndex)
{
    const bool tolerate = ShrinkOtherErrSel == 1;
    const int ranges = std::max<int>(0, ShrinkOtherErrValUbound);
    if (tolerate && ranges > ShrinkOtherErrVal.Count())
        return false; // a range count the set does not hold
    const int allowed = tolerate ? LargestAllowed(ShrinkOtherErrVal, ranges) : 0;
    int count = 0;

    struct Filter {
        int16_t Sel;
        int16_t ErrSel;
        int Which;
    };
    const Filter filters[] = {{FilterMatch.Sel, FilterMatch.ErrSel, 0},
                              {FilterHistory.Sel, FilterHistory.ErrSel, 1},
                              {FilterGather.Sel, FilterGather.ErrSel, 2}};
    for (const Filter& f : filters) {
        if (f.Sel != 1)
            continue;
        const bool passed = f.Which == 0   ? MatchFilterTest(sNum)
                            : f.Which == 1 ? HistoryFilterTest(sNum, sIndex)
                                           : GatherFilterTest(sNum, sIndex);
        if (passed)
            continue;
        if (f.ErrSel != 1 || !tolerate)
            return false;
        if (++count > allowed)
            return false;
    }
    return !tolerate || ShrinkOtherErrVal.ContainsInFirst(ranges, count);
}

bool CLottorData::MatchFilterTest(std::span<const int16_t> sNum)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return false;
    return ListTest(FilterMatch, [&](const MatchItem& item) { return MatchRule(item, sNum, shape); });
}

int16_t CLottorData::VailOtherMatch(std::span<const int16_t> sNum, QString& oStr)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return 0;
    return ListVerify(
        FilterMatch, [&](const MatchItem& item) { return MatchRule(item, sNum, shape); }, oStr);
}

// The views the active history items read, their number tables read at
// once (on first use after an open they come from the files).
void CLottorData::LoadHistoryViews(int32_t sIndex)
{
    // Per view, the earliest record the active items look back to.
    std::array<CStat::NumTableNeed, kMaxViews> needs{};
    size_t count = 0;
    const std::vector<HistoryItem>& items = FilterHistory.ValData();
    for (size_t i = 1; i < items.size(); ++i) {
        const HistoryItem& item = items[i];
        const int16_t v = item.View;
        if (item.Active != 1 || v < 0 || v >= m_viewCount)
            continue;
        CStat* view = StatView(v);
        if (!view)
            continue;
        const int32_t from = item.Issues > 0 ? std::max<int32_t>(0, sIndex - item.Issues) : 0;
        auto same = std::find_if(needs.begin(), needs.begin() + static_cast<ptrdiff_t>(count),
                                 [&](const CStat::NumTableNeed& n) { return n.View == view; });
        if (same != needs.begin() + static_cast<ptrdiff_t>(count))
            same->From = std::min(same->From, from);
        else if (count < needs.size())
            needs[count++] = {view, from};
    }
    for (size_t i = 0; i < count; ++i) {
        // View 0 numbers the draws as they are: its table is the draws'
        // main positions, the next issue's row empty.
        CStat* view = needs[i].View;
        if (view->DataIndex() != 0 || view->HoldsNumTable(needs[i].From) || view->RecordCount() != m_numCount + 1)
            continue;
        const size_t stride = static_cast<size_t>(Stride());
        std::vector<int16_t> table(static_cast<size_t>(m_numCount + 1) * stride, 0);
        for (size_t d = 0; d < static_cast<size_t>(m_numCount); ++d) {
            for (int16_t p = 1; p <= HeadData.BcMain; ++p)
                table[d * stride + static_cast<size_t>(p)] = m_num[d * stride + static_cast<size_t>(p)];
        }
        view->AdoptNumTable(std::move(table));
    }
    if (count > 0)
        CStat::LoadNumTables(std::span<const CStat::NumTableNeed>(needs.data(), count));
}

bool CLottorData::HistoryFilterTest(std::span<const int16_t> sNum, int32_t sIndex)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return false;
    LoadHistoryViews(sIndex);
    HistoryContext ctx{&OtherCache(), &shape, sNum, sIndex, ViewCount()};
    return ListTest(FilterHistory, [&](const HistoryItem& item) { return HistoryRule(item, ctx, *this); });
}

int16_t CLottorData::VailOtherHistory(std::span<const int16_t> sNum, int32_t sIndex, QString& oStr)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return 0;
    LoadHistoryViews(sIndex);
    HistoryContext ctx{&OtherCache(), &shape, sNum, sIndex, ViewCount()};
    return ListVerify(
        FilterHistory, [&](const HistoryItem& item) { return HistoryRule(item, ctx, *this); }, oStr);
}

bool CLottorData::GatherFilterTest(std::span<const int16_t> sNum, int32_t sIndex)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return false;
    HistoryContext ctx{&OtherCache(), &shape, sNum, sIndex, ViewCount()};
    return ListTest(FilterGather, [&](const GatherItem& item) { return GatherItemRule(item, ctx, *this); });
}

int16_t CLottorData::VailOtherGather(std::span<const int16_t> sNum, int32_t sIndex, QString& oStr)
{
    const Shape shape = ShapeOf(HeadData);
    if (!HeadData.Enable() || !RawOk(shape, sNum))
        return 0;
    HistoryContext ctx{&OtherCache(), &shape, sNum, sIndex, ViewCount()};
    return ListVerify(
        FilterGather, [&](const GatherItem& item) { return GatherItemRule(item, ctx, *this); }, oStr);
}

} // namespace kelton
