#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

#include "data/draw_text.h"
#include "data/filter_items.h"
#include "data/lottor_head.h"
#include "data/value_set.h"

namespace kelton {

class CStat;
struct OtherFilterCache;

// The header at the start of a game data file, 137 bytes, little-endian,
// fields packed:
//   0  Magic     25  "QUORVEX-NUMBER-DATA-3.0.0"
//   25 DrawCount  2  number of draw records
//   27 HeadPos    4  1-based position of the definition text
//   31 HeadLen    4  byte length of the definition text (GBK)
//   35 FileTag    2  the number the game was created with
//   37 Reserved 100  kept as read
// The draw records follow from offset 137: issue (32-bit), then positions
// 1..BM (16-bit each); the definition text follows the last record.
struct DataFileHeader {
    static constexpr int kSize = 137;
    static constexpr int kMagicLen = 25;
    static constexpr int kReservedLen = 100;
    static constexpr char kMagic[] = "QUORVEX-NUMBER-DATA-3.0.0";
    // The longest definition text read or written: far above any real one
    // (formulas included), far below what a damaged length could claim.
    static constexpr int32_t kMaxHeadLen = 512 * 1024;

    QByteArray Magic;
    int16_t DrawCount = 0;
    int32_t HeadPos = 0;
    int32_t HeadLen = 0;
    int16_t FileTag = 0;
    std::array<char, kReservedLen> Reserved{};

    // A fresh header: the magic set, everything else zero.
    static DataFileHeader Fresh();
    bool MagicOk() const { return Magic == QByteArray(kMagic, kMagicLen); }

    // True when the draw count fills exactly the records in front of the
    // definition text, as every writer leaves it: the records of a game
    // whose positions are 1..bm take 4 + 2 * bm bytes each. A file where
    // they disagree is damaged.
    bool RecordsFit(int16_t bm) const;

    QByteArray ToBytes() const;
    // False when fewer than kSize bytes are given.
    static bool FromBytes(QByteArrayView bytes, DataFileHeader& out);
};

// Why a game data file could not be opened.
enum class OpenFailure : uint8_t {
    None,
    Missing,         // no file at the path (or no view asked for)
    Unreadable,      // the file cannot be read
    Damaged,         // header, records or definition are not those of a game
    StatsNotWritten, // the statistics files could not be built
};

// One loaded game: its definition, its draw history, the data file that
// stores both, the statistics of its data views, the number-chooser flags
// and the other-filter item lists with their tolerances.
//
// Draws are kept by index 0..NumCount()-1 in the order given (ascending
// issues in practice); positions 1..BcMain hold the main numbers from the
// lowest place up (position 1 = units), BcMain+1..BM the secondary numbers,
// position 0 is always 0. Data operations show no message: they return an
// error flag (true = failure) or a count.
class CLottorData {
public:
    // Statistics records hold the draws and the next issue within 16 bits.
    static constexpr int32_t kMaxDraws = 32766;
    static constexpr int16_t kMaxViews = 8;

    CLottorData();
    // Writes the definition back into the data file of a loaded game, then
    // closes the views.
    ~CLottorData();
    CLottorData(const CLottorData&) = delete;
    CLottorData& operator=(const CLottorData&) = delete;

    CLottorHead HeadData;
    CFilterMatch FilterMatch;
    CFilterHistory FilterHistory;
    CFilterGather FilterGather;

    // Tolerances of a filter run: the total over the views, and the three
    // other filters together.
    int16_t ShrinkAllErrSel = 0;
    int16_t ShrinkAllErrValUbound = 0;
    ValueSet ShrinkAllErrVal;
    int16_t ShrinkOtherErrSel = 0;
    int16_t ShrinkOtherErrValUbound = 0;
    ValueSet ShrinkOtherErrVal;

    // A fresh definition; draws, views and header emptied.
    void Clear();
    // Removes every draw, then UpData; its error flag.
    [[nodiscard]] bool DelAll();

    // Writes a new data file holding the definition sStrData and the draws
    // sDraws (in Add's form; none by default), in one write. A relative path
    // is taken under the program folder; missing folders are made. No
    // statistics file is written: the first OpenData builds them. A game
    // whose statistics record would pass StatLayout::kMaxRecordBytes is
    // refused, as it is by OpenData, and so are draws of which Add keeps none.
    [[nodiscard]] bool CreateData(const QString& sStrData, const QString& sFile, int16_t sFileTag,
                                  const std::vector<Draw>& sDraws = {});

    // Loads a data file and opens its first sRegCount (1..8) views; all views
    // are rebuilt when one is missing, refused, or holds a record count other
    // than draws + 1. A relative path is taken under the program folder. Any
    // failure leaves the object cleared and the file as it was. Makes no
    // window: the main window makes the analysis windows of the game it
    // loads.
    [[nodiscard]] bool OpenData(int16_t sRegCount, const QString& sFile);
    // Why the last OpenData failed; None after a success.
    OpenFailure OpenFailureReason() const { return m_openFailure; }

    // Writes the draws and brings every view up to date from UpFrom. Fails
    // when the game is not loaded, the draws cannot be written (the file then
    // stays as it was and no view is touched) or a view cannot be built.
    [[nodiscard]] bool UpData();
    // Rebuilds every view over all draws.
    [[nodiscard]] bool CreatStat();
    // Clear, then takes the definition text; true (failure) for a refused
    // text.
    [[nodiscard]] bool ImportData(const QString& sStrData);

    // Parses a draw text with a number format and replaces the history with
    // it. 0, with the history unchanged, when no line reads as a draw.
    int16_t AddStrNum(const QString& sFormat, const QString& sStr);
    // Replaces the history: issues sName and per draw the positions 0..BM in
    // reading order (LineToNum's form). Rows with an issue <= 0 or a number
    // out of range are dropped. Returns the count of draws kept. A call whose
    // rows do not fit the game, or that keeps no row, changes nothing and
    // returns 0; only an empty list empties the history.
    int16_t Add(std::span<const int32_t> sName, std::span<const std::vector<int16_t>> sNum);
    int16_t Add(const std::vector<Draw>& sDraws);

    // The number at position sPos (0..BM) of draw sIssue (an index, not an
    // issue number); -1 out of range.
    int16_t Num(int16_t sPos, int32_t sIssue) const;
    int16_t NumCount() const { return m_numCount; }
    // The issue number of draw sIndex; -1 out of range.
    int32_t NumName(int32_t sIndex) const;
    // The stored positions 0..BM of every draw, one draw after another.
    std::span<const int16_t> NumData() const { return m_num; }
    std::span<const int32_t> NameData() const { return m_numName; }

    // UpFrom = 0, then UpData.
    [[nodiscard]] bool ReStat();

    QString FilePath() const { return m_filePath; }
    // Why the last write of the data file failed (a full disk, a file made
    // read-only); empty after one that succeeded.
    const QString& WriteFailure() const { return m_writeFailure; }
    int16_t UpFrom() const { return m_upFrom; }
    int16_t ViewCount() const { return m_viewCount; }
    const DataFileHeader& Header() const { return m_header; }
    // The statistics of view v (0..ViewCount()-1); nullptr otherwise.
    CStat* StatView(int16_t v) const;

    // Number-chooser grids: SelBc rows 0..BcMain by values 0..BcDataLen,
    // SelMr rows 0..MrMain by values 0..MrDataLen; 0 off, -1 on.
    std::vector<std::vector<int16_t>>& SelBc() { return m_selBc; }
    std::vector<std::vector<int16_t>>& SelMr() { return m_selMr; }

    // The statistics file of view v beside a data file.
    static QString StatPath(const QString& dataFile, int16_t v);
    // A relative path resolved under the program folder; others unchanged.
    static QString FullDataPath(const QString& sFile);
    // The canonical path of an existing data file (FullDataPath, links
    // resolved), by which two names of one game are told to be the same;
    // empty when there is no such file.
    static QString CanonicalDataPath(const QString& sFile);
    // Removes a data file (FullDataPath) and its statistics files; missing
    // files are skipped. The statistics go first, so that a failure leaves a
    // game that still opens (its statistics are rebuilt). False when a file
    // stays; oFailed then names it.
    static bool DeleteDataFiles(const QString& sFile, QString* oFailed = nullptr);

    // Number chooser (lottor_data_chooser.cpp). Position sPos addresses
    // SelBc row sPos up to BcMain and SelMr row sPos - BcMain above. The
    // getter answers 0 out of range; the setter stores sV, and the toggle
    // flips 0 and -1; both answer true, and out of range they change
    // nothing and answer false. The windows change marks through the game
    // document (data/game_document.h), which announces them.
    int16_t SelectBall(int16_t sPos, int16_t sBall) const;
    bool SelectBall(int16_t sPos, int16_t sBall, int16_t sV);
    bool AutoSelectBall(int16_t sPos, int16_t sBall);

    // Other filters (lottor_data_filter.cpp). sNum holds a candidate's raw
    // numbers by position 1..BcMain, sIndex the target issue index (NumCount
    // for the next issue). FilterOther: true when the candidate passes the
    // match, history-draw and generating/restraining filters within their
    // tolerances. The Vail counts: how many active items of one list the
    // numbers fail, ignoring every switch and tolerance; oStr receives
    // "第n项；" per failing item. 0, oStr unchanged, when they cannot evaluate.
    bool FilterOther(std::span<const int16_t> sNum, int32_t sIndex);
    int16_t VailOtherMatch(std::span<const int16_t> sNum, QString& oStr);
    int16_t VailOtherHistory(std::span<const int16_t> sNum, int32_t sIndex, QString& oStr);
    int16_t VailOtherGather(std::span<const int16_t> sNum, int32_t sIndex, QString& oStr);

private:
    bool MatchFilterTest(std::span<const int16_t> sNum);
    bool HistoryFilterTest(std::span<const int16_t> sNum, int32_t sIndex);
    bool GatherFilterTest(std::span<const int16_t> sNum, int32_t sIndex);
    void LoadHistoryViews(int32_t sIndex);
    int16_t* ChooserFlag(int16_t sPos, int16_t sBall);
    // Tables the other filters derive from the views, kept between calls.
    OtherFilterCache& OtherCache();
    std::shared_ptr<OtherFilterCache> m_otherCache;

private:
    template <class IssueOf, class RowOf> int16_t AddRows(size_t n, IssueOf issueOf, RowOf rowOf);
    // The data file as the draws and the definition make it, and whether
    // the file on disk holds exactly that; none for an unloaded game or a
    // definition too long to store.
    struct DataFileImage {
        DataFileHeader Header;
        QByteArray Bytes;
        bool Unchanged = false;
    };
    std::optional<DataFileImage> DataFileBytes();
    bool SaveNumData();
    bool SaveNumData(const DataFileImage& image);
    bool SaveHeadStr();
    bool WriteFile(const QByteArray& bytes) const;
    OpenFailure ReadDataFile(const QString& path);
    void SizeChooser();
    void ResetTolerances();
    int32_t Stride() const { return HeadData.BM + 1; }
    bool BuildViews(int32_t sStart);

    QString m_filePath;
    mutable QString m_writeFailure;
    OpenFailure m_openFailure = OpenFailure::None;
    DataFileHeader m_header = DataFileHeader::Fresh();
    std::vector<int32_t> m_numName;
    std::vector<int16_t> m_num; // (BM + 1) per draw
    int16_t m_numCount = 0;
    int16_t m_upFrom = 0;
    std::array<std::unique_ptr<CStat>, kMaxViews> m_views;
    int16_t m_viewCount = 0;
    std::vector<std::vector<int16_t>> m_selBc;
    std::vector<std::vector<int16_t>> m_selMr;
};

} // namespace kelton
