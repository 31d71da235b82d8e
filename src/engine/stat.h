#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include <QString>

#include "data/value_set.h"
#include "engine/indicators.h"
#include "engine/stat_file.h"
#include "engine/stat_record.h"

namespace kelton {

class CLottorHead;

// The statistics of one data view (0 raw numbers, 1..7 transformed): one
// record per draw plus one for the next issue, kept in the view's statistics
// file and read back one record at a time; the numbers of the last 301
// records are cached. The view also carries its shrink conditions.
class CStat {
public:
    static constexpr int16_t kViewCount = 8;
    static constexpr int32_t kCacheSize = 301;
    static constexpr int32_t kMaxRecords = 32767;

    CStat();
    ~CStat();
    CStat(const CStat&) = delete;
    CStat& operator=(const CStat&) = delete;

    // Writes a new file holding one blank record (Index 0) and opens the
    // view. False, with the view closed, for a definition that was not
    // accepted, a view index outside 0..7 or a file error.
    bool StatCreate(CLottorHead& sHeadData, const QString& sPath, int16_t sDataIndex);
    // Opens an existing file: the record count, or 0 when there is no file
    // or it is refused (wrong magic, other view, record length that does
    // not fit the game, count outside 0..32767, read error).
    int32_t StatOpen(CLottorHead& sHeadData, const QString& sPath, int16_t sDataIndex);
    // Closes the file and empties the view; always 0.
    int16_t StatClose();

    // Before the draws the view was built from are rewritten, the file is
    // marked stale (count 0, synced to the disk itself), so that a program
    // stopped between the two writes, or a power cut, rebuilds the view
    // instead of trusting old records. The
    // next StatEdit makes it valid again; RestoreValid undoes the mark when
    // the draws were not written after all. Both false on a write error.
    bool MarkStale();
    bool RestoreValid();

    // Computes and writes records sStart .. sStart + sNumCount - 1, the last
    // being the next issue, in one forward pass (progress "统计" and the
    // view's name, one step per record). Inputs by record sStart + j:
    //   sNumName  issue numbers, sNumCount entries (the last, the next
    //             issue, is 0)
    //   sNum      raw numbers, positions 0..BM per draw, at least
    //             sNumCount - 1 draws
    //   sData     keys, BcDataLen + 1 per record, sNumCount records; empty
    //             for the identity (view 0)
    // Returns the error flag: false on completion, true on failure. Bad
    // input (a number outside 0..BcDataLen, sStart beyond the records the
    // file holds, too many records) is refused before the file is touched.
    // Otherwise the header's count is zeroed before the first record is
    // written and set only when every record is out, so a failed call
    // leaves a file that every later open refuses.
    [[nodiscard]] bool StatEdit(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                                std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart);

    // The same, calling onRecord with every record as it is written (the
    // builder of the transformed views takes its keys from view 0 this way).
    using RecordObserver = std::function<void(const StatRecord&)>;
    [[nodiscard]] bool StatEdit(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                                std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart,
                                const RecordObserver& onRecord);

    // The key rows of a transformed view: row r (records sStart + r up to
    // the last) holds StatAll(sKind, 0, v) for every value, less the row's
    // smallest entry; flat, BcDataLen + 1 entries per row. Leaves oStat as
    // given when sStart is negative or not below the record count, or for a
    // kind outside 0..9. Always 0.
    int16_t StatArray(int16_t sKind, int32_t sStart, std::vector<int16_t>& oStat) const;

    // Puts record N into CurrentRecord (nothing to do when it is there
    // already). Any index outside the file, or a failed or mismatching read,
    // gives the blank record.
    const StatRecord& LoadRecord(int32_t N) const;
    const StatRecord& CurrentRecord() const { return m_current; }
    const StatRecord& BlankRecord() const { return m_blank; }

    // The game definition given to StatOpen or StatCreate; not owned, it
    // must outlive the view (its owner, the game, holds both).
    CLottorHead* HeadData() const { return m_head; }
    const QString& Path() const { return m_path; }
    int16_t DataIndex() const { return m_dataIndex; }
    // The custom statistics period (StatKind 4) the view counts with.
    int16_t CustomStat() const { return m_customStat; }
    int32_t RecordCount() const { return m_recordCount; }
    bool IsOpen() const { return m_isOpen; }
    const StatHeader& Header() const { return m_header; }
    const std::shared_ptr<const StatLayout>& Layout() const { return m_layout; }

    // The numbers cache: Num of records CacheStart() .. RecordCount()-1.
    int32_t CacheStart() const { return m_cacheStart; }
    // Num (positions 0..BM) of a cached record, nullptr when not cached.
    const int16_t* CachedNum(int32_t index) const;

    // The condition set, slots 0..BcMain+43 (FilterKind numbering); 0 or the
    // empty set out of range.
    int16_t ConditionCount() const { return static_cast<int16_t>(m_shrinkSel.size()); }
    int16_t ShrinkSel(int16_t sFilter) const;
    int16_t ShrinkValUbound(int16_t sFilter) const;
    ValueSet ShrinkVal(int16_t sFilter) const;
    int16_t ShrinkErr(int16_t sFilter) const;

    // The read side of a data view. Issue indexes run 0..BallCount()-2 for the
    // drawn issues and BallCount()-1 for the next one; record i holds the view's
    // state before draw i with draw i's numbers and indicators. Every query that
    // takes an index reads that record (once, while the same record is asked
    // for again); an index outside the view reads the blank record. None fails
    // towards the caller: a bad subscript or a failed read answers the value
    // each query names.

    // Records in the view: draws + 1.
    int32_t BallCount() const;

    // "下期" for the next issue, else the record's issue number in decimal ("0"
    // for the blank record); "" on failure.
    QString NumName(int32_t sIndex) const;

    // Draw sIndex's number at position sX (0..BM) in this view; 0 for the next
    // issue and for a negative index; -1 for a position out of range. sKind is
    // always 0.
    int16_t Num(int32_t sIndex, int16_t sX, int16_t sKind = 0) const;

    // Statistic sKind (StatKind) before draw sIndex at position sX (0 = all
    // positions together): sSort 0 the statistic of value sY, 1 the rank of
    // value sY, 2 the value at rank sY. 0 on failure.
    int16_t Stat(int32_t sIndex, int16_t sX, int16_t sY, int16_t sKind, int16_t sSort) const;

    // The ranking table of record sIndex: sSort 0 value at rank sY, 1 key at
    // rank sY, 2 rank of value sY, 3 key of value sY. 0 on failure. DataMr
    // answers the same.
    int16_t Data(int32_t sIndex, int16_t sY, int16_t sSort) const;
    int16_t DataMr(int32_t sIndex, int16_t sY, int16_t sSort) const;

    // Indicator sKind (0..42) of draw sIndex; 0 on failure.
    int16_t Filter(int32_t sIndex, int16_t sKind) const;

    // The cycles (0..14) of value sY at position sX before draw sIndex; oSP
    // receives their periods and oSPCount their run counts. 0 on failure.
    int16_t Cycle(int32_t sIndex, int16_t sX, int16_t sY, std::array<int16_t, kCycleSlots>& oSP,
                  std::array<int16_t, kCycleSlots>& oSPCount) const;

    // How many (main position, value) pairs have at least one cycle before draw
    // sIndex. oHCycle and sArea are always 0. 0 on failure.
    int16_t CycleCount(int32_t sIndex, int16_t oHCycle = 0, int16_t sArea = 0) const;

    // Flags over the values 0..BcDataLen (1 = flagged), all 0 for an index out
    // of range or a class out of 0..2:
    // GetHWC: by Recent7 of draw sIndex: 0 hot (3 or more of the last 7 draws),
    //         1 warm (2), 2 cold (0 or 1); index 0..BallCount()-1.
    // GetNAP: by the previous draw's numbers: 0 their neighbours (not
    //         themselves, no wrap-around), 1 isolated (neither a number nor its
    //         neighbour), 2 pass (the numbers); index 1..BallCount()-1.
    // GetPSN: 0 repeat (the previous draw's numbers), 1 gap (those of the draw
    //         before it, not in the previous one; index 2 on), 2 middle
    //         (neither); index 1..BallCount()-1.
    std::vector<int16_t> GetHWC(int32_t sIndex, int16_t sHWC) const;
    std::vector<int16_t> GetNAP(int32_t sIndex, int16_t sNAP) const;
    std::vector<int16_t> GetPSN(int32_t sIndex, int16_t sPSN) const;

    // The view names' string ids: 138 + view.
    static QString ViewName(int16_t view);

    // Changing the condition set (stat_shrink.cpp). A slot outside
    // 0..BcMain+43 changes nothing. SetShrinkSel and SetShrinkErr store the
    // value unchanged; SetShrinkVal stores a copy of the set and makes the
    // slot's ShrinkValUbound its range count.
    void SetShrinkSel(int16_t sFilter, int16_t sValue);
    void SetShrinkVal(int16_t sFilter, const ValueSet& sValue);
    void SetShrinkErr(int16_t sFilter, int16_t sValue);

    // Normalises the condition set: on and tolerance flags to 0/1, every
    // value set sorted, merged and clamped to the slot's bounds (ShrinkHL of
    // the game definition). Called before a filter run and after a scheme
    // has set the conditions.
    void IniShrinkData();

    // Prepares the candidate test for target issue sIssueIndex: copies of
    // records n, n-1 and n-2 (the previous two only for n > 0). An index
    // outside the records prepares the blank record (Index -1).
    void GetFilterIni(int32_t sIssueIndex);

    // Tests a candidate (raw numbers by position, sNum[1..BcMain]) against
    // the conditions for the prepared target: the count of failed tolerated
    // conditions, or -1 when a hard condition or the view's own tolerance
    // rejects it. A candidate that is too short or holds a number outside
    // 0..BcDataLen is rejected. Reads no record: only the prepared copies.
    int16_t GetShrinkErr(std::span<const int16_t> sNum);

    // The lowest (element 0) and highest (element 1) value of every
    // FilterKind 0..BcMain+42 over the drawn issues nStart..nEnd; indexes are
    // held to 0..the last drawn issue, and a start above the end reports the
    // end alone. All zeros when there is no draw or a record cannot be read.
    std::vector<std::array<int16_t, 2>> GetShrinkLowHigh(int32_t nStart, int32_t nEnd) const;

    // The numbers (positions 0..BM) of every record, BM + 1 per record, read
    // from the file and kept until the records change. The records from
    // `from` on are read (those before it are zero until a call asks for
    // them); only what was not read before is. Empty when the file cannot be
    // read.
    const std::vector<int16_t>& NumTable(int32_t from = 0) const;
    // True when NumTable(from) answers without reading the file.
    bool HoldsNumTable(int32_t from = 0) const;
    // Takes the number table from a caller that knows the numbers without
    // the file (view 0's are the draws themselves): one row of BM + 1 per
    // record. False, with nothing taken, for a table of another size.
    bool AdoptNumTable(std::vector<int16_t> table) const;
    // Reads the number tables of the views given from the records given on,
    // where they do not hold them, the views side by side on threads of
    // their own; returns once all are read. Nothing else may touch those
    // views meanwhile.
    struct NumTableNeed {
        CStat* View = nullptr;
        int32_t From = 0;
    };
    static void LoadNumTables(std::span<const NumTableNeed> needs);
    static void LoadNumTables(std::span<CStat* const> views);
    // Changes whenever the records may have changed (open, create, close,
    // rebuild), so that tables derived from them can tell they are stale.
    // Unique across all views of the process: no two states share one.
    uint64_t Revision() const { return m_revision; }

private:
    void InitStatArrays();
    bool ReadRecordAt(int32_t index, StatRecord& into) const;
    bool ReadRecords(int32_t first, int32_t count,
                     const std::function<bool(int32_t, const int16_t*)>& each) const;
    // The file, opened on the first read when it is closed.
    bool FileReady() const;
    bool CheckEditInput(std::span<const int32_t> sNumName, std::span<const int16_t> sNum,
                        std::span<const int16_t> sData, int32_t sNumCount, int32_t sStart) const;
    // One edit in three steps, so that BuildStatViews can run the middle
    // one of several views on worker threads. BeginEdit marks the file stale
    // and gathers what the records before the start leave to the builder;
    // BuildRecords computes and writes the records and touches nothing of
    // the view but its file; EndEdit cuts the file, makes it valid and takes
    // over count, numbers cache and number table (or leaves the view empty
    // when the records were not built). The first and last run on the
    // thread that owns the view.
    struct EditRun;
    bool BeginEdit(EditRun& run);
    bool BuildRecords(EditRun& run);
    bool EndEdit(EditRun& run, bool built);
    friend bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                               std::span<const int16_t> numbers, int32_t sStart, int workers);


    CLottorHead* m_head = nullptr;
    QString m_path;
    StatHeader m_header;
    // Queries read through it: opening it on demand and reading change the
    // file's state, not the view's.
    mutable StatFile m_file;

    int16_t m_bcDataLen = 0;
    int16_t m_bcMain = 0;
    int16_t m_mrDataLen = 0;
    int16_t m_mrMain = 0;
    int16_t m_bm = 0;
    int16_t m_customStat = 0;
    int16_t m_dataIndex = 0;
    int32_t m_recordCount = 0;
    bool m_isOpen = false;
    bool m_markedStale = false; // the header on disk holds count 0
    int32_t m_headerLen = kStatHeaderLen;

    std::shared_ptr<const StatLayout> m_layout;
    StatRecord m_blank;
    mutable StatRecord m_current; // the one-record read cache (LoadRecord)
    // The records read ahead when LoadRecord walks the file forward: records
    // m_aheadFirst .. m_aheadFirst + m_aheadCount - 1, word for word as
    // stored, good while the revision is m_aheadRevision.
    mutable std::vector<int16_t> m_ahead;
    mutable int32_t m_aheadFirst = 0;
    mutable int32_t m_aheadCount = 0;
    mutable uint64_t m_aheadRevision = 0;
    bool ReadAhead(int32_t index) const;

    std::vector<int16_t> m_numCache; // kCacheSize entries of BM + 1
    int32_t m_cacheStart = 0;

    std::vector<int16_t> m_shrinkSel;
    std::vector<int16_t> m_shrinkValUbound;
    std::vector<ValueSet> m_shrinkVal;
    std::vector<int16_t> m_shrinkErr;

    // The candidate test's prepared state (stat_shrink.cpp).
    void ResetShrinkState();
    void FlattenConditions();
    bool CandidateValues(std::span<const int16_t> sNum);
    StatRecord m_filterTarget;
    StatRecord m_filterPrev;
    StatRecord m_filterPrev2;
    std::vector<int16_t> m_rankOf;     // value -> rank in the target record
    std::vector<int16_t> m_candNum;    // the candidate's view numbers, 1..BcMain
    std::vector<int16_t> m_candSorted; // the same ascending
    std::vector<int16_t> m_candValues; // FilterKind 0..BcMain+42
    // The live conditions of one range, by slot: a value fails when it lies
    // outside Low..Low + Span (16-bit, compared unsigned); a slot without
    // such a condition has Span 65535 and never fails. Rebuilt after any
    // change, and tested for all slots at once.
    std::vector<int16_t> m_rangeLow;
    std::vector<uint16_t> m_rangeSpan;
    std::vector<uint16_t> m_rangeTolerated; // 1 tolerated
    std::vector<uint16_t> m_rangeHard;      // 1 hard
    // The others, one run per slot tested: slot, tolerance flag, range
    // count, then the ranges low/high.
    std::vector<int16_t> m_condFlat;
    std::vector<int16_t> m_tolRanges; // the view tolerance's ranges, low/high
    bool m_tolActive = false;
    bool m_needIndicators = false;
    bool m_condDirty = true;
    int16_t Verdict() const;
    int32_t CandidateKey(std::span<const int16_t> sNum) const;
    // The indicators of the prepared target, worked out per position and
    // value; and per candidate (raw numbers as a base-N key) the answer once
    // given, while target and conditions stay (games of few candidates).
    IndicatorTable m_indicatorTable;
    std::vector<int16_t> m_verdicts;

    static uint64_t NewRevision();
    uint64_t m_revision = NewRevision();
    // The number table, read once (NumTable).
    mutable std::vector<int16_t> m_numTable;
    mutable uint64_t m_numTableRevision = ~uint64_t(0);
    mutable int32_t m_numTableRecords = -1;
    mutable int32_t m_numTableFrom = 0; // the rows before it are not read
};

// The statistic kind whose view-0 ranking makes each transformed view:
// views 1..7 take kinds 7, 1, 6, 0, 2, 5, 3; -1 for view 0.
int16_t ViewStatKind(int16_t view);

} // namespace kelton
