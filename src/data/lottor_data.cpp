#include "data/lottor_data.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine/stat.h"
#include "engine/stat_views.h"
#include "platform/gbk.h"
#include "platform/little_endian.h"
#include "platform/program_folder.h"
#include "platform/save_file.h"

namespace kelton {

namespace {

constexpr int kDrawCountAt = 25;
constexpr int kHeadPosAt = 27;
constexpr int kHeadLenAt = 31;
constexpr int kFileTagAt = 35;
constexpr int kReservedAt = 37;

// Byte length of one draw record.
int64_t RecordLen(int16_t bm)
{
    return 4 + 2 * int64_t(bm);
}

// Whether the statistics of the game can be kept: the tables of a record
// grow with the square of the values, and a large shape would not fit.
bool StatsFit(const CLottorHead& head)
{
    return StatLayout::RecordBytes(head.BcDataLen, head.BcMain, head.BM) <= StatLayout::kMaxRecordBytes;
}

} // namespace

// ---------------------------------------------------------------------------
// Header

DataFileHeader DataFileHeader::Fresh()
{
    DataFileHeader h;
    h.Magic = QByteArray(kMagic, kMagicLen);
    return h;
}

bool DataFileHeader::RecordsFit(int16_t bm) const
{
    return DrawCount >= 0 && int64_t(HeadPos) - 1 == kSize + int64_t(DrawCount) * RecordLen(bm);
}

QByteArray DataFileHeader::ToBytes() const
{
    QByteArray out(kSize, '\0');
    char* p = out.data();
    std::memcpy(p, Magic.constData(), static_cast<size_t>(std::min<qsizetype>(Magic.size(), kMagicLen)));
    WriteLe<int16_t>(p + kDrawCountAt, DrawCount);
    WriteLe<int32_t>(p + kHeadPosAt, HeadPos);
    WriteLe<int32_t>(p + kHeadLenAt, HeadLen);
    WriteLe<int16_t>(p + kFileTagAt, FileTag);
    std::memcpy(p + kReservedAt, Reserved.data(), kReservedLen);
    return out;
}

bool DataFileHeader::FromBytes(QByteArrayView bytes, DataFileHeader& out)
{
    if (bytes.size() < kSize)
        return false;
    const char* p = bytes.data();
    out.Magic = QByteArray(p, kMagicLen);
    out.DrawCount = ReadLe<int16_t>(p + kDrawCountAt);
    out.HeadPos = ReadLe<int32_t>(p + kHeadPosAt);
    out.HeadLen = ReadLe<int32_t>(p + kHeadLenAt);
    out.FileTag = ReadLe<int16_t>(p + kFileTagAt);
    std::memcpy(out.Reserved.data(), p + kReservedAt, kReservedLen);
    return true;
}

// ---------------------------------------------------------------------------
// Life cycle

CLottorData::CLottorData() = default;

CLottorData::~CLottorData()
{
    // Edits of the definition (options, formats, formulas) are saved by
    // writing it back when the game is released.
    if (HeadData.Enable() && !m_filePath.isEmpty())
        SaveHeadStr();
    for (auto& view : m_views) {
        if (view)
            view->StatClose();
    }
}

void CLottorData::Clear()
{
    for (auto& view : m_views) {
        if (view)
            view->StatClose();
        view.reset();
    }
    HeadData = CLottorHead();
    m_filePath.clear();
    m_header = DataFileHeader::Fresh();
    m_numName.clear();
    m_num.clear();
    m_numCount = 0;
    m_upFrom = 0;
    m_viewCount = 0;
    m_selBc.clear();
    m_selMr.clear();
}

QString CLottorData::StatPath(const QString& dataFile, int16_t v)
{
    return dataFile + QLatin1Char('.') + QString::number(v);
}

QString CLottorData::FullDataPath(const QString& sFile)
{
    if (sFile.isEmpty() || !QDir::isRelativePath(sFile))
        return sFile;
    return ProgramPath(sFile);
}

QString CLottorData::CanonicalDataPath(const QString& sFile)
{
    const QFileInfo info(FullDataPath(sFile));
    return info.isFile() ? info.canonicalFilePath() : QString();
}

bool CLottorData::DeleteDataFiles(const QString& sFile, QString* oFailed)
{
    const QString path = FullDataPath(sFile);
    QStringList files;
    for (int16_t v = 0; v < kMaxViews; ++v)
        files << StatPath(path, v);
    files << path;
    for (const QString& file : std::as_const(files)) {
        const QFileInfo info(file);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (!QFile::remove(file)) {
            if (oFailed)
                *oFailed = file;
            return false;
        }
    }
    return true;
}

CStat* CLottorData::StatView(int16_t v) const
{
    if (v < 0 || v >= m_viewCount)
        return nullptr;
    return m_views[static_cast<size_t>(v)].get();
}

void CLottorData::SizeChooser()
{
    m_selBc.assign(static_cast<size_t>(HeadData.BcMain + 1),
                   std::vector<int16_t>(static_cast<size_t>(HeadData.BcDataLen + 1), 0));
    m_selMr.assign(static_cast<size_t>(HeadData.MrMain + 1),
                   std::vector<int16_t>(static_cast<size_t>(HeadData.MrDataLen + 1), 0));
}

void CLottorData::ResetTolerances()
{
    ShrinkAllErrVal = StrToRange(u"0", 0, 32676);
    ShrinkAllErrValUbound = 1;
    ShrinkOtherErrVal = StrToRange(u"0", 0, 32676);
    ShrinkOtherErrValUbound = 1;
}

// ---------------------------------------------------------------------------
// Creating and loading

bool CLottorData::ImportData(const QString& sStrData)
{
    Clear();
    if (!sStrData.isEmpty()) {
        HeadData.SetHeadStr(sStrData);
        if (HeadData.Enable())
            return false;
    }
    Clear();
    return true;
}

bool CLottorData::CreateData(const QString& sStrData, const QString& sFile, int16_t sFileTag,
                             const std::vector<Draw>& sDraws)
{
    Clear();
    if (sFile.isEmpty())
        return true;
    if (ImportData(sStrData))
        return true;
    if (!StatsFit(HeadData) || (!sDraws.empty() && Add(sDraws) <= 0)) {
        Clear();
        return true;
    }
    m_filePath = FullDataPath(sFile);
    m_header = DataFileHeader::Fresh();
    m_header.FileTag = sFileTag;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    // The whole file, definition text included, in one write.
    if (SaveNumData()) {
        Clear();
        return true;
    }
    SizeChooser();
    return false;
}

OpenFailure CLottorData::ReadDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OpenFailure::Unreadable;
    const int64_t size = file.size();
    if (size < DataFileHeader::kSize)
        return OpenFailure::Damaged;
    DataFileHeader h;
    if (!DataFileHeader::FromBytes(file.read(DataFileHeader::kSize), h) || !h.MagicOk())
        return OpenFailure::Damaged;

    // Everything the header promises must lie inside the file before any of
    // it is read: the definition text at HeadPos, the records in front of it.
    if (h.DrawCount < 0 || h.DrawCount > kMaxDraws || h.HeadLen <= 0 ||
        h.HeadLen > DataFileHeader::kMaxHeadLen || h.HeadPos <= DataFileHeader::kSize ||
        int64_t(h.HeadPos) - 1 + h.HeadLen > size)
        return OpenFailure::Damaged;
    if (!file.seek(int64_t(h.HeadPos) - 1))
        return OpenFailure::Damaged;
    const QByteArray text = file.read(h.HeadLen);
    if (text.size() != h.HeadLen)
        return OpenFailure::Damaged;
    HeadData.SetHeadStr(FromGbk(text));
    if (!HeadData.Enable() || !StatsFit(HeadData))
        return OpenFailure::Damaged;

    const int16_t bm = HeadData.BM;
    const int64_t recLen = RecordLen(bm);
    if (!h.RecordsFit(bm))
        return OpenFailure::Damaged;
    if (!file.seek(DataFileHeader::kSize))
        return OpenFailure::Damaged;
    const QByteArray records = file.read(int64_t(h.DrawCount) * recLen);
    if (records.size() != int64_t(h.DrawCount) * recLen)
        return OpenFailure::Damaged;

    const size_t stride = static_cast<size_t>(bm + 1);
    std::vector<int32_t> names(static_cast<size_t>(h.DrawCount));
    std::vector<int16_t> nums(static_cast<size_t>(h.DrawCount) * stride, 0);
    const char* p = records.constData();
    for (size_t d = 0; d < names.size(); ++d) {
        names[d] = ReadLe<int32_t>(p);
        p += 4;
        int16_t* row = nums.data() + d * stride;
        for (int pos = 1; pos <= bm; ++pos) {
            row[pos] = ReadLe<int16_t>(p);
            p += 2;
            const int16_t high = pos <= HeadData.BcMain ? HeadData.BcDataLen : HeadData.MrDataLen;
            if (row[pos] < 0 || row[pos] > high)
                return OpenFailure::Damaged;
        }
    }
    m_header = h;
    m_numName = std::move(names);
    m_num = std::move(nums);
    m_numCount = h.DrawCount;
    return OpenFailure::None;
}

bool CLottorData::OpenData(int16_t sRegCount, const QString& sFile)
{
    m_openFailure = OpenFailure::None;
    const QString path = FullDataPath(sFile);
    if (sRegCount < 1 || sRegCount > kMaxViews || path.isEmpty() || !QFileInfo(path).isFile()) {
        Clear();
        m_openFailure = OpenFailure::Missing;
        return true;
    }
    if (HeadData.Enable())
        Clear();
    if (const OpenFailure failure = ReadDataFile(path); failure != OpenFailure::None) {
        Clear();
        m_openFailure = failure;
        return true;
    }
    m_upFrom = static_cast<int16_t>(m_numCount - 1);
    m_filePath = path;
    m_viewCount = sRegCount;

    bool rebuild = false;
    for (int16_t i = 0; i < m_viewCount && !rebuild; ++i) {
        auto& view = m_views[static_cast<size_t>(i)];
        view = std::make_unique<CStat>();
        if (view->StatOpen(HeadData, StatPath(path, i), i) != int32_t(m_numCount) + 1) {
            view->StatClose();
            rebuild = true;
        }
    }
    if (rebuild && CreatStat()) {
        Clear();
        m_openFailure = OpenFailure::StatsNotWritten;
        return true;
    }

    SizeChooser();
    ResetTolerances();
    FilterMatch.IniClass(&HeadData);
    FilterHistory.IniClass(&HeadData);
    FilterGather.IniClass(&HeadData);
    return false;
}

// ---------------------------------------------------------------------------
// The data file

bool CLottorData::WriteFile(const QByteArray& bytes) const
{
    // A file the user made read-only is left alone, whoever runs the
    // program (an administrator may write it all the same).
    const QFileInfo info(m_filePath);
    constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & kAnyWrite))) {
        m_writeFailure = QStringLiteral("文件是只读的");
        return false;
    }
    // The new content reaches the disk in full before it replaces the old,
    // so neither a failed write, a full disk nor a power cut leaves a
    // half-written file.
    const SaveOutcome saved = SaveWholeFile(m_filePath, bytes);
    m_writeFailure = saved.Reason;
    return saved.Ok;
}

std::optional<CLottorData::DataFileImage> CLottorData::DataFileBytes()
{
    if (!HeadData.Enable() || m_filePath.isEmpty())
        return std::nullopt;
    const QByteArray text = ToGbk(HeadData.HeadStr());
    if (text.size() > DataFileHeader::kMaxHeadLen)
        return std::nullopt;
    const int64_t recLen = RecordLen(HeadData.BM);
    const int64_t textAt = DataFileHeader::kSize + int64_t(m_numCount) * recLen;

    DataFileImage image;
    DataFileHeader& h = image.Header;
    h = m_header;
    h.DrawCount = m_numCount;
    h.HeadPos = static_cast<int32_t>(textAt + 1);
    h.HeadLen = static_cast<int32_t>(text.size());

    QByteArray& out = image.Bytes;
    out = h.ToBytes();
    out.resize(static_cast<qsizetype>(textAt));
    char* p = out.data() + DataFileHeader::kSize;
    const size_t stride = static_cast<size_t>(Stride());
    for (size_t d = 0; d < static_cast<size_t>(m_numCount); ++d) {
        WriteLe<int32_t>(p, m_numName[d]);
        p += 4;
        const int16_t* row = m_num.data() + d * stride;
        for (size_t pos = 1; pos < stride; ++pos) {
            WriteLe<int16_t>(p, row[pos]);
            p += 2;
        }
    }
    out += text;
    // Draws rewritten as they stand (a rebuild of the statistics) leave the
    // file unwritten.
    QFile file(m_filePath);
    image.Unchanged = file.open(QIODevice::ReadOnly) && file.size() == out.size() && file.readAll() == out;
    return image;
}

bool CLottorData::SaveNumData()
{
    const std::optional<DataFileImage> image = DataFileBytes();
    return !image || SaveNumData(*image);
}

bool CLottorData::SaveNumData(const DataFileImage& image)
{
    // The whole file is written anew and replaces the old one only when
    // complete, so a failed write leaves the stored draws as they were.
    if (!image.Unchanged && !WriteFile(image.Bytes))
        return true;
    m_header = image.Header;
    return false;
}

bool CLottorData::SaveHeadStr()
{
    if (!HeadData.Enable() || m_filePath.isEmpty())
        return true;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    if (file.size() < DataFileHeader::kSize)
        return true;
    DataFileHeader h;
    // A file whose header disagrees with itself is not written over.
    const QByteArray stored = file.read(DataFileHeader::kSize);
    if (!DataFileHeader::FromBytes(stored, h) || !h.MagicOk() || !h.RecordsFit(HeadData.BM) ||
        int64_t(h.HeadPos) - 1 > file.size())
        return true;
    // The records in front of the text stay as they are on disk.
    const QByteArray records = file.read(int64_t(h.HeadPos) - 1 - DataFileHeader::kSize);
    const QByteArray storedText = file.readAll();
    file.close();
    if (records.size() != int64_t(h.HeadPos) - 1 - DataFileHeader::kSize)
        return true;
    const QByteArray text = ToGbk(HeadData.HeadStr());
    if (text.size() > DataFileHeader::kMaxHeadLen)
        return true;
    h.HeadLen = static_cast<int32_t>(text.size());
    const QByteArray head = h.ToBytes();
    // A definition that did not change leaves the file unwritten: a game is
    // released, and its definition saved, far more often than it is edited.
    if (head == stored && storedText == text) {
        m_header = h;
        return false;
    }
    if (!WriteFile(head + records + text))
        return true;
    m_header = h;
    return false;
}

// ---------------------------------------------------------------------------
// The draw history

int16_t CLottorData::Num(int16_t sPos, int32_t sIssue) const
{
    if (sPos < 0 || sPos > HeadData.BM || sIssue < 0 || sIssue >= m_numCount)
        return -1;
    return m_num[static_cast<size_t>(sIssue) * static_cast<size_t>(Stride()) + static_cast<size_t>(sPos)];
}

int32_t CLottorData::NumName(int32_t sIndex) const
{
    if (sIndex < 0 || sIndex >= m_numCount)
        return -1;
    return m_numName[static_cast<size_t>(sIndex)];
}

int16_t CLottorData::Add(std::span<const int32_t> sName, std::span<const std::vector<int16_t>> sNum)
{
    if (sName.size() != sNum.size())
        return 0;
    return AddRows(
        sName.size(), [&](size_t i) { return sName[i]; },
        [&](size_t i) -> const std::vector<int16_t>& { return sNum[i]; });
}

int16_t CLottorData::Add(const std::vector<Draw>& sDraws)
{
    return AddRows(
        sDraws.size(), [&](size_t i) { return sDraws[i].Issue; },
        [&](size_t i) -> const std::vector<int16_t>& { return sDraws[i].Num; });
}

template <class IssueOf, class RowOf> int16_t CLottorData::AddRows(size_t n, IssueOf issueOf, RowOf rowOf)
{
    if (!HeadData.Enable())
        return 0;
    if (n == 0) {
        // Only an explicit empty list empties the history.
        m_numName.clear();
        m_num.clear();
        m_numCount = 0;
        m_upFrom = 0;
        return 0;
    }
    const int16_t bcMain = HeadData.BcMain;
    const int16_t bm = HeadData.BM;
    const size_t stride = static_cast<size_t>(bm + 1);
    for (size_t i = 0; i < n; ++i) {
        if (rowOf(i).size() != stride)
            return 0;
    }

    std::vector<int32_t> names(n);
    std::vector<int16_t> nums(n * stride, 0);
    size_t k = 0; // the draws taken
    for (size_t i = 0; i < n; ++i) {
        const int32_t issue = issueOf(i);
        const int16_t* row = rowOf(i).data();
        if (issue <= 0)
            continue;
        bool ok = true;
        for (int e = 1; e <= bm && ok; ++e) {
            const int16_t high = e <= bcMain ? HeadData.BcDataLen : HeadData.MrDataLen;
            ok = row[e] >= 0 && row[e] <= high;
        }
        if (!ok)
            continue;
        names[k] = issue;
        int16_t* to = nums.data() + k * stride;
        // Main numbers are read highest place first and stored units first.
        for (int m = 1; m <= bcMain; ++m)
            to[bcMain - m + 1] = row[m];
        for (int e = bcMain + 1; e <= bm; ++e)
            to[e] = row[e];
        ++k;
    }
    names.resize(k);
    nums.resize(k * stride);
    if (k == 0 || k > static_cast<size_t>(kMaxDraws))
        return 0;

    // The first draw that differs from the stored history is where the file
    // and the views must be brought up to date from.
    int32_t upFrom = static_cast<int32_t>(std::min<size_t>(n - 1, 32767));
    const size_t c = static_cast<size_t>(m_numCount);
    for (size_t d = 0; d < k; ++d) {
        if (d >= c || names[d] != m_numName[d] ||
            !std::equal(nums.begin() + static_cast<ptrdiff_t>(d * stride),
                        nums.begin() + static_cast<ptrdiff_t>((d + 1) * stride),
                        m_num.begin() + static_cast<ptrdiff_t>(d * stride))) {
            upFrom = std::min(upFrom, static_cast<int32_t>(d));
            break;
        }
    }
    m_numName = std::move(names);
    m_num = std::move(nums);
    m_numCount = static_cast<int16_t>(k);
    m_upFrom = static_cast<int16_t>(upFrom);
    return m_numCount;
}

int16_t CLottorData::AddStrNum(const QString& sFormat, const QString& sStr)
{
    std::vector<Draw> draws;
    if (!HeadData.Enable() || StrToNum(HeadData, sFormat, sStr, draws, false) <= 0)
        return 0;
    return Add(draws);
}

bool CLottorData::DelAll()
{
    m_numName.clear();
    m_num.clear();
    m_numCount = 0;
    m_upFrom = 0;
    return UpData();
}

// ---------------------------------------------------------------------------
// The statistics views

bool CLottorData::BuildViews(int32_t sStart)
{
    std::array<CStat*, kMaxViews> views{};
    for (int16_t v = 0; v < m_viewCount; ++v) {
        views[static_cast<size_t>(v)] = m_views[static_cast<size_t>(v)].get();
        if (!views[static_cast<size_t>(v)])
            return true;
    }
    // A worker thread that cannot be started fails the build.
    try {
        return BuildStatViews(std::span<CStat* const>(views.data(), static_cast<size_t>(m_viewCount)),
                              std::span<const int32_t>(m_numName.data(), static_cast<size_t>(m_numCount)),
                              m_num, sStart);
    } catch (const std::system_error&) {
        return true;
    }
}

bool CLottorData::UpData()
{
    if (!HeadData.Enable() || m_viewCount < 1)
        return true;
    if (m_upFrom > m_numCount || m_upFrom < 0)
        m_upFrom = 0;
    // The views are marked stale, on the disk itself, before the draws
    // change there, so that neither a stop nor a power cut between the two
    // writes leaves views that pass for the new draws. A view whose record
    // count no longer fits the draws (an append, a deletion) is refused by
    // the next open as it stands, and needs no mark; nor do views of draws
    // that stay as they are on disk (a rebuild of the statistics), which
    // the build writes again byte for byte. Draws that cannot be written,
    // or views that cannot be marked, leave file and views as they were;
    // UpFrom stays, so the next call writes them again.
    const std::optional<DataFileImage> image = DataFileBytes();
    const bool drawsChange = image && !image->Unchanged;
    auto needsMark = [&](const CStat* view) {
        return drawsChange && view && view->RecordCount() > 0 && view->RecordCount() == int32_t(m_numCount) + 1;
    };
    bool marked = true;
    for (int16_t v = 0; v < m_viewCount; ++v) {
        if (CStat* view = m_views[static_cast<size_t>(v)].get(); needsMark(view))
            marked = view->MarkStale() && marked;
    }
    if (!marked || !image || SaveNumData(*image)) {
        for (int16_t v = 0; v < m_viewCount; ++v) {
            if (CStat* view = m_views[static_cast<size_t>(v)].get(); needsMark(view))
                view->RestoreValid();
        }
        return true;
    }
    // A view left short by an earlier failure is rebuilt from where its
    // records are still good.
    int32_t start = m_upFrom;
    for (int16_t v = 0; v < m_viewCount; ++v) {
        const CStat* view = m_views[static_cast<size_t>(v)].get();
        if (!view)
            return true;
        start = std::min(start, std::max(0, view->RecordCount() - 1));
    }
    return BuildViews(start);
}

bool CLottorData::CreatStat()
{
    if (!HeadData.Enable() || m_viewCount < 1)
        return true;
    for (int16_t v = 0; v < m_viewCount; ++v) {
        auto& view = m_views[static_cast<size_t>(v)];
        if (!view)
            view = std::make_unique<CStat>();
        const bool created = view->StatCreate(HeadData, StatPath(m_filePath, v), v);
        // A view that cannot be created fails the build below; view 0 fails
        // at once.
        if (v == 0 && !created)
            return true;
    }
    return BuildViews(0);
}

bool CLottorData::ReStat()
{
    m_upFrom = 0;
    return UpData();
}

} // namespace kelton
