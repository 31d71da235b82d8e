#include "engine/stat.h"

#include <algorithm>
#include <cstring>

#include <QFile>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "engine/stat_builder.h"
#include "engine/stat_edit.h"
#include "platform/string_table.h"

namespace kelton {

namespace {

constexpr int16_t kViewNameId = 138;
// Bytes read at a time when a run of records is read whole.
constexpr int32_t kReadChunkBytes = 64 * 1024;

// True when the numbers of a stored record (Num 1..bcMain, Sorted 1..bcMain)
// are view numbers, so that the builder may index with them.
bool NumbersInRange(const StatLayout& L, const int16_t* words)
{
    for (int p = 1; p <= L.BcMain(); ++p) {
        const int16_t num = words[L.Num + p];
        const int16_t sorted = words[L.Sorted + p];
        if (num < 0 || num > L.BcDataLen() || sorted < 0 || sorted > L.BcDataLen())
            return false;
    }
    return true;
}

int32_t StoredIndex(const int16_t* words)
{
    int32_t index = 0;
    std::memcpy(&index, words, 4);
    return index;
}

} // namespace

int16_t ViewStatKind(int16_t view)
{
    static constexpr int16_t kKinds[CStat::kViewCount] = {-1, 7, 1, 6, 0, 2, 5, 3};
    return view >= 0 && view < CStat::kViewCount ? kKinds[view] : int16_t(-1);
}

CStat::CStat() = default;

CStat::~CStat()
{
    m_file.Close();
}

QString CStat::ViewName(int16_t view)
{
    if (view < 0 || view >= kViewCount)
        return QString();
    return LoadResString(kViewNameId + view);
}

void CStat::InitStatArrays()
{
    const CLottorHead& head = *m_head;
    m_bcDataLen = head.BcDataLen;
    m_bcMain = head.BcMain;
    m_mrDataLen = head.MrDataLen;
    m_mrMain = head.MrMain;
    m_bm = static_cast<int16_t>(m_bcMain + m_mrMain);
    m_customStat = head.CustomStat;

    m_markedStale = false;
    m_layout = std::make_shared<const StatLayout>(m_bcDataLen, m_bcMain, head.BM);
    m_blank = StatRecord(m_layout);
    m_current = m_blank;

    // The condition set: every slot off and hard, with the default range
    // from 30% to 60% of the definition's bounds.
    const int slots = m_bcMain + 44;
    m_shrinkSel.assign(static_cast<size_t>(slots), 0);
    m_shrinkErr.assign(static_cast<size_t>(slots), 0);
    m_shrinkValUbound.assign(static_cast<size_t>(slots), 0);
    m_shrinkVal.assign(static_cast<size_t>(slots), ValueSet());
    for (int k = 0; k < slots - 1; ++k) {
        const int lo = head.ShrinkHL(static_cast<int16_t>(k), 0);
        const int hi = head.ShrinkHL(static_cast<int16_t>(k), 1);
        int64_t low = RoundHalfEven(lo + (hi - lo) * 0.3);
        int64_t high = RoundHalfEven(lo + (hi - lo) * 0.6);
        if (low < lo || low > hi)
            low = lo;
        if (high < lo || high > hi)
            high = hi;
        ValueSet set;
        set.Append({static_cast<int16_t>(low), static_cast<int16_t>(high)});
        m_shrinkVal[static_cast<size_t>(k)] = set;
        m_shrinkValUbound[static_cast<size_t>(k)] = 1;
    }
    m_shrinkVal[static_cast<size_t>(slots - 1)] = StrToRange(u"0", 0, 32676);
    m_shrinkValUbound[static_cast<size_t>(slots - 1)] = 1;

    m_numCache.assign(static_cast<size_t>(kCacheSize) * static_cast<size_t>(m_layout->BM() + 1), 0);
    m_cacheStart = 0;
    ResetShrinkState();
}

bool CStat::StatCreate(CLottorHead& sHeadData, const QString& sPath, int16_t sDataIndex)
{
    if (m_isOpen)
        StatClose();
    if (!sHeadData.Enable()) {
        StatClose();
        return false;
    }
    m_head = &sHeadData;
    m_path = sPath;
    if (sDataIndex < 0 || sDataIndex >= kViewCount) {
        StatClose();
        return false;
    }
    m_header = StatHeader();
    m_header.SetMagic();
    m_header.View = sDataIndex;
    m_header.Count = 1;
    InitStatArrays();
    m_dataIndex = sDataIndex;
    m_recordCount = 1;

    StatRecord first = m_blank;
    first.SetIndex(0);
    m_header.RecLen = m_layout->RecLen();
    m_headerLen = kStatHeaderLen;
    const bool ok = m_file.Create(sPath) && m_file.WriteHeader(m_header) && m_file.Seek(kStatHeaderLen) &&
                    m_file.Append(first.Words(), m_layout->RecLen()) && m_file.Flush();
    if (!ok) {
        StatClose();
        return false;
    }
    m_cacheStart = 0;
    m_isOpen = true;
    return true;
}

int32_t CStat::StatOpen(CLottorHead& sHeadData, const QString& sPath, int16_t sDataIndex)
{
    if (m_isOpen)
        StatClose();
    m_head = &sHeadData;
    InitStatArrays();
    if (!QFile::exists(sPath)) {
        m_isOpen = true;
        return 0;
    }
    if (!m_file.Open(sPath) || !m_file.ReadHeader(m_header)) {
        StatClose();
        return 0;
    }
    // A file of another game shape cannot be read record by record with this
    // view's layout; it is refused like a file of another view, and rebuilt.
    if (!m_header.MagicOk() || m_header.View != sDataIndex || m_header.RecLen != m_layout->RecLen() ||
        m_header.Count < 0 || m_header.Count > kMaxRecords ||
        m_file.Size() < kStatHeaderLen + int64_t(m_header.Count) * m_header.RecLen) {
        StatClose();
        return 0;
    }
    m_dataIndex = sDataIndex;
    m_recordCount = m_header.Count;
    m_headerLen = kStatHeaderLen;
    m_cacheStart = m_header.Count - 1 >= kCacheSize - 1 ? m_header.Count - kCacheSize : 0;

    if (m_header.Count >= 1) {
        const size_t entry = static_cast<size_t>(m_layout->BM() + 1);
        const bool ok =
            ReadRecords(m_cacheStart, m_recordCount - m_cacheStart, [&](int32_t index, const int16_t* words) {
                std::memcpy(&m_numCache[static_cast<size_t>(index - m_cacheStart) * entry],
                            words + m_layout->Num, 2 * entry);
                return true;
            });
        if (!ok) {
            StatClose();
            return 0;
        }
    }
    m_head->msg.DoEvents();
    m_path = sPath;
    m_isOpen = true;
    return m_recordCount;
}

int16_t CStat::StatClose()
{
    m_markedStale = false;
    m_recordCount = 0;
    m_current = m_blank;
    m_file.Close();
    m_revision = NewRevision();
    return 0;
}

bool CStat::MarkStale()
{
    if (!m_file.IsOpen())
        return false;
    StatHeader stale = m_header;
    stale.Count = 0;
    m_markedStale = m_file.WriteHeader(stale) && m_file.Sync();
    return m_markedStale;
}

bool CStat::RestoreValid()
{
    if (!m_file.IsOpen())
        return false;
    m_header.Count = m_recordCount;
    m_markedStale = false;
    return m_file.WriteHeader(m_header);
}

bool CStat::ReadRecordAt(int32_t index, StatRecord& into) const
{
    const int32_t len = m_layout->RecLen();
    if (!m_file.ReadAt(m_headerLen + int64_t(index) * len, into.Words(), len) ||
        !m_layout->DescriptorsMatch(into.Words())) {
        into.Reset();
        return false;
    }
    return true;
}

bool CStat::ReadRecords(int32_t first, int32_t count,
                        const std::function<bool(int32_t, const int16_t*)>& each) const
{
    if (count <= 0)
        return true;
    // A small chunk, allocated once per call and never cleared: only the
    // bytes read into it are touched.
    const int32_t recLen = m_layout->RecLen();
    const int32_t perChunk = std::max<int32_t>(1, kReadChunkBytes / recLen);
    const int words = m_layout->Words();
    std::unique_ptr<int16_t[]> chunk(new int16_t[static_cast<size_t>(perChunk) * static_cast<size_t>(words)]);
    for (int32_t done = 0; done < count;) {
        const int32_t take = std::min<int32_t>(perChunk, count - done);
        if (!m_file.ReadAt(m_headerLen + int64_t(first + done) * recLen, chunk.get(), int64_t(take) * recLen))
            return false;
        for (int32_t r = 0; r < take; ++r) {
            const int16_t* rec = chunk.get() + static_cast<size_t>(r) * static_cast<size_t>(words);
            if (!m_layout->DescriptorsMatch(rec) || !each(first + done + r, rec))
                return false;
        }
        done += take;
    }
    return true;
}

bool CStat::FileReady() const
{
    return m_file.IsOpen() || m_file.Open(m_path);
}

bool CStat::ReadAhead(int32_t index) const
{
    const int32_t recLen = m_layout->RecLen();
    const int32_t count = std::min<int32_t>(std::max<int32_t>(1, kReadChunkBytes / recLen), m_recordCount - index);
    const size_t words = static_cast<size_t>(m_layout->Words());
    m_ahead.resize(static_cast<size_t>(count) * words);
    m_aheadCount = 0;
    if (!m_file.ReadAt(m_headerLen + int64_t(index) * recLen, m_ahead.data(), int64_t(count) * recLen))
        return false;
    m_aheadFirst = index;
    m_aheadCount = count;
    m_aheadRevision = m_revision;
    return true;
}

const StatRecord& CStat::LoadRecord(int32_t N) const
{
    if (!m_layout)
        return m_current;
    if (N == m_current.Index())
        return m_current;
    if (N >= 0 && N < m_recordCount) {
        if (!FileReady()) {
            m_current = m_blank;
            return m_current;
        }
        // A walk forward through the records (a table of a run of issues)
        // reads them a chunk at a time, not one read each.
        const bool held = m_aheadRevision == m_revision && N >= m_aheadFirst && N - m_aheadFirst < m_aheadCount;
        if (held || (N == m_current.Index() + 1 && ReadAhead(N))) {
            const int words = m_layout->Words();
            const int16_t* rec = m_ahead.data() + static_cast<size_t>(N - m_aheadFirst) * static_cast<size_t>(words);
            if (m_layout->DescriptorsMatch(rec))
                std::copy_n(rec, words, m_current.Words());
            else
                m_current.Reset();
        } else {
            ReadRecordAt(N, m_current);
        }
    } else {
        m_current = m_blank;
    }
    return m_current;
}

const int16_t* CStat::CachedNum(int32_t index) const
{
    if (index < m_cacheStart || index >= m_recordCount || index - m_cacheStart >= kCacheSize)
        return nullptr;
    return m_numCache.data() + static_cast<size_t>(index - m_cacheStart) * static_cast<size_t>(m_bm + 1);
}

int16_t CStat::ShrinkSel(int16_t sFilter) const
{
    return sFilter >= 0 && sFilter < ConditionCount() ? m_shrinkSel[static_cast<size_t>(sFilter)]
                                                      : int16_t(0);
}

int16_t CStat::ShrinkValUbound(int16_t sFilter) const
{
    return sFilter >= 0 && sFilter < ConditionCount() ? m_shrinkValUbound[static_cast<size_t>(sFilter)]
                                                      : int16_t(0);
}

ValueSet CStat::ShrinkVal(int16_t sFilter) const
{
    return sFilter >= 0 && sFilter < ConditionCount() ? m_shrinkVal[static_cast<size_t>(sFilter)]
                                                      : ValueSet();
}

int16_t CStat::ShrinkErr(int16_t sFilter) const
{
    return sFilter >= 0 && sFilter < ConditionCount() ? m_shrinkErr[static_cast<size_t>(sFilter)]
                                                      : int16_t(0);
}

int16_t CStat::StatArray(int16_t sKind, int32_t sStart, std::vector<int16_t>& oStat) const
{
    const int32_t k = m_recordCount - sStart;
    if (!m_layout || k < 1 || sStart < 0 || sKind < 0 || sKind >= StatKind::Kinds)
        return 0;
    const int n = m_layout->Values();
    std::vector<int16_t> rows(static_cast<size_t>(k) * static_cast<size_t>(n));
    const int column = m_layout->StatAll + sKind;
    const bool ok = ReadRecords(sStart, k, [&](int32_t index, const int16_t* words) {
        int16_t* row = rows.data() + static_cast<size_t>(index - sStart) * static_cast<size_t>(n);
        int16_t least = words[column];
        for (int v = 0; v < n; ++v) {
            row[v] = words[column + 30 * v];
            least = std::min(least, row[v]);
        }
        for (int v = 0; v < n; ++v)
            row[v] = static_cast<int16_t>(row[v] - least);
        return true;
    });
    if (ok)
        oStat = std::move(rows);
    return 0;
}

bool CStat::StatEdit(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                     std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart)
{
    return StatEdit(sNumName, sNum, sData, sNumCount, sStart, RecordObserver());
}

bool CStat::StatEdit(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                     std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart,
                     const RecordObserver& onRecord)
{
    if (!CheckEditInput(sNumName, sNum, sData, sNumCount, sStart))
        return true;
    EditRun run;
    run.Names = sNumName;
    run.Nums = sNum;
    run.Keys = sData;
    run.Count = sNumCount;
    run.Start = sStart;
    run.AfterRecord = [&](int32_t j, const StatRecord& rec) {
        if (onRecord)
            onRecord(rec);
        m_head->msg.prgValue(j);
        m_head->msg.DoEvents();
    };
    MsgProgressGuard progress(m_head->msg, QStringLiteral("统计") + ViewName(m_dataIndex), sNumCount, 0, 0,
                              false);
    m_head->msg.DoEvents();
    const bool built = BeginEdit(run) && BuildRecords(run);
    return !EndEdit(run, built);
}

bool CStat::CheckEditInput(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                           std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart) const
{
    if (!m_layout || !m_head || !m_file.IsOpen() || m_dataIndex < 0 || m_dataIndex >= kViewCount)
        return false;
    if (sNumCount < 1 || sStart < 0 || int64_t(sStart) + sNumCount > kMaxRecords)
        return false;
    // Building on from a record needs its predecessor, a drawn record of
    // this file; record 0 needs none.
    if (sStart > 0 && sStart > m_recordCount - 1)
        return false;
    const size_t stride = static_cast<size_t>(m_layout->BM() + 1);
    const size_t draws = static_cast<size_t>(sNumCount - 1);
    const size_t n = static_cast<size_t>(m_layout->Values());
    if (sNumName.size() < static_cast<size_t>(sNumCount) || sNum.size() < draws * stride)
        return false;
    if (!sData.empty() && sData.size() < static_cast<size_t>(sNumCount) * n)
        return false;
    for (size_t j = 0; j < draws; ++j) {
        for (int p = 1; p <= m_layout->BcMain(); ++p) {
            const int16_t raw = sNum[j * stride + static_cast<size_t>(p)];
            if (raw < 0 || raw > m_layout->BcDataLen())
                return false;
        }
    }
    return true;
}

bool CStat::BeginEdit(EditRun& run)
{
    const StatLayout& L = *m_layout;
    run.KeepTable = m_numTableRevision == m_revision && m_numTableRecords == m_recordCount;
    m_revision = NewRevision();
    m_current = m_blank;
    run.Builder.emplace(m_layout, m_customStat);
    run.Prev = m_blank;
    run.Rec = m_blank;
    StatRecordBuilder& builder = *run.Builder;
    const int32_t sStart = run.Start;

    // From here on the file is being rewritten: a zero count makes every
    // later open refuse it until the last record is out (a view marked
    // stale has that header on disk already).
    const bool onDisk = m_markedStale && m_header.RecLen == L.RecLen();
    m_header.RecLen = L.RecLen();
    m_header.Count = 0;
    if (!onDisk && !m_file.WriteHeader(m_header))
        return false;
    m_markedStale = true;

    // The numbers of the records before sStart that the look-backs and the
    // new numbers cache reach: from the cache where it holds them, else only
    // their Num words from the file (Sorted is Num in order). Then the whole
    // record before sStart.
    const int32_t depth = std::max(builder.LookBack(), kCacheSize - 1);
    const int32_t base = std::max(0, sStart - depth);
    builder.StartHistory(base, sStart - base + run.Count);
    const size_t entry = static_cast<size_t>(L.BM() + 1);
    const int32_t fromFile = std::clamp(m_cacheStart, base, sStart);
    std::vector<int16_t> stored(static_cast<size_t>(fromFile - base) * entry);
    if (!m_file.ReadStrided(m_headerLen + int64_t(base) * L.RecLen() + 2 * int64_t(L.Num), L.RecLen(),
                            fromFile - base, 2 * int64_t(entry), stored.data()))
        return false;
    std::vector<int16_t> sorted(entry, 0);
    for (int32_t k = base; k < sStart; ++k) {
        const int16_t* num = k < fromFile ? stored.data() + static_cast<size_t>(k - base) * entry : CachedNum(k);
        if (!num)
            return false;
        for (int p = 1; p <= L.BcMain(); ++p) {
            if (num[p] < 0 || num[p] > L.BcDataLen())
                return false;
            sorted[static_cast<size_t>(p)] = num[p];
        }
        std::sort(sorted.begin() + 1, sorted.begin() + 1 + L.BcMain());
        builder.AddNumbers(num, sorted.data());
    }
    if (sStart > 0) {
        if (!ReadRecordAt(sStart - 1, run.Prev) || StoredIndex(run.Prev.Words()) != sStart - 1 ||
            !NumbersInRange(L, run.Prev.Words()))
            return false;
    }
    return m_file.Seek(m_headerLen + int64_t(sStart) * L.RecLen());
}

bool CStat::BuildRecords(EditRun& run)
{
    const StatLayout& L = *m_layout;
    const int32_t recLen = L.RecLen();
    const size_t stride = static_cast<size_t>(L.BM() + 1);
    const size_t n = static_cast<size_t>(L.Values());
    StatRecordBuilder& builder = *run.Builder;
    for (int32_t j = 0; j < run.Count; ++j) {
        if (run.BeforeRecord && !run.BeforeRecord(j))
            return false;
        const int32_t i = run.Start + j;
        const bool drawn = j < run.Count - 1;
        const int16_t* raw = drawn ? run.Nums.data() + static_cast<size_t>(j) * stride : nullptr;
        const int16_t* keys = run.Keys.empty() ? nullptr : run.Keys.data() + static_cast<size_t>(j) * n;
        if (!builder.Build(i, drawn, run.Names[static_cast<size_t>(j)], raw, keys, run.Prev, run.Rec))
            return false;
        if (!m_file.Append(run.Rec.Words(), recLen))
            return false;
        if (run.AfterRecord)
            run.AfterRecord(j, run.Rec);
        std::swap(run.Prev, run.Rec);
    }
    return m_file.Flush();
}

bool CStat::EndEdit(EditRun& run, bool built)
{
    const StatLayout& L = *m_layout;
    const int32_t newCount = run.Start + run.Count;
    // Records a longer history left behind are cut off; then the count makes
    // the file valid again.
    bool done = false;
    if (built) {
        m_header.Count = newCount;
        const int64_t end = m_headerLen + int64_t(newCount) * L.RecLen();
        const int64_t size = m_file.Size();
        done = size >= end && (size == end || m_file.Truncate(end)) && m_file.WriteHeader(m_header);
        m_markedStale = !done;
    }
    // Again once the records are out: anything read while they were being
    // written is stale, the read buffer included.
    m_revision = NewRevision();
    m_current = m_blank;
    if (!done) {
        // The header keeps the zero count written before the first record;
        // the view answers like an empty one until it is rebuilt.
        m_recordCount = 0;
        m_cacheStart = 0;
        return false;
    }

    const StatRecordBuilder& builder = *run.Builder;
    const size_t stride = static_cast<size_t>(L.BM() + 1);
    const size_t kept = static_cast<size_t>(L.BcMain() + 1);
    m_recordCount = newCount;
    m_cacheStart = std::max(0, newCount - kCacheSize);
    std::fill(m_numCache.begin(), m_numCache.end(), int16_t(0));
    for (int32_t k = m_cacheStart; k < newCount; ++k)
        std::memcpy(&m_numCache[static_cast<size_t>(k - m_cacheStart) * stride], builder.NumOf(k), 2 * kept);

    // The numbers of every record, where the builder holds all it did not
    // take from an up-to-date table.
    if (run.Start == 0 || run.KeepTable) {
        m_numTable.resize(static_cast<size_t>(newCount) * stride);
        std::fill(m_numTable.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(run.Start) * stride),
                  m_numTable.end(), int16_t(0));
        for (int32_t k = run.Start; k < newCount; ++k)
            std::memcpy(&m_numTable[static_cast<size_t>(k) * stride], builder.NumOf(k), 2 * kept);
        m_numTableRevision = m_revision;
        m_numTableRecords = newCount;
        m_numTableFrom = run.Start == 0 ? 0 : std::min(m_numTableFrom, run.Start);
    }
    return true;
}

} // namespace kelton
