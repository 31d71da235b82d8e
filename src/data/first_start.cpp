#include "data/first_start.h"

#include <algorithm>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/app_state.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "engine/stat.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"

namespace kelton {

namespace {

constexpr char kSettingsFile[] = "Kelt.dat";
constexpr char kHistoryFile[] = "sample/fc3d-history.csv";

// Copies the "*.Ltr" files of the defaults into the program folder's
// template folder, leaving any file of the same name alone.
void CopyTemplates()
{
    const QDir source(DefaultsFolder() + QLatin1Char('/') + QLatin1String(kTemplateFolder));
    const QString target = ProgramPath(QLatin1String(kTemplateFolder));
    if (!QDir().mkpath(target))
        return;
    const QStringList names = source.entryList({QStringLiteral("*.Ltr")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString to = target + QLatin1Char('/') + name;
        if (!QFileInfo::exists(to))
            QFile::copy(source.filePath(name), to);
    }
}

bool ReadTemplate(QString& oText)
{
    QFile file(DefaultsFolder() + QLatin1Char('/') + QLatin1String(kTemplateFolder) + QLatin1Char('/') +
               QLatin1String(kSampleTemplate));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    oText = FromGbk(file.readAll());
    return !oText.isEmpty();
}

} // namespace

bool ProgramFolderHasGames(const CLottoItem& items, SettingsFileState settings)
{
    if (items.LottoCount() > 0)
        return true;
    if (QFileInfo::exists(ProgramPath(QLatin1String(kSettingsFile))) &&
        settings != SettingsFileState::Loaded)
        return true;
    const QDir games(ProgramPath(QStringLiteral("Lottor")));
    if (!games.exists())
        return false;
    // The sample game's data file, its statistics files and what a write
    // cut short leaves beside them.
    const QString sample = QFileInfo(QLatin1String(kSampleGamePath)).fileName();
    const QStringList names =
        games.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return name != sample && !name.startsWith(sample + QLatin1Char('.'));
    });
}

namespace {

// One line of the history read as text: the issue and the digits, or
// nothing for a line that is not a draw.
std::optional<Draw> DrawOfLine(const QString& line, int16_t bcMain)
{
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() < 3)
        return std::nullopt;
    bool ok = false;
    const int32_t issue = fields[0].trimmed().toInt(&ok);
    const QString digits = fields[2].trimmed();
    if (!ok || issue <= 0 || digits.size() != bcMain)
        return std::nullopt;
    Draw draw;
    draw.Issue = issue;
    draw.Num.assign(static_cast<size_t>(bcMain + 1), 0);
    for (int m = 0; m < bcMain && ok; ++m) {
        ok = digits[m].isDigit() && digits[m].unicode() < 128;
        draw.Num[static_cast<size_t>(m + 1)] = static_cast<int16_t>(digits[m].unicode() - u'0');
    }
    return ok ? std::optional<Draw>(std::move(draw)) : std::nullopt;
}

bool AsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

QByteArrayView TrimAscii(QByteArrayView v)
{
    while (!v.isEmpty() && AsciiSpace(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && AsciiSpace(v.back()))
        v.chop(1);
    return v;
}

// The same for a line of ASCII whose issue is plain digits, as the lines
// of a history are; nullopt with `plain` false for any other line, which
// is read as text.
std::optional<Draw> DrawOfPlainLine(QByteArrayView line, int16_t bcMain, bool& plain)
{
    plain = false;
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
    }
    const qsizetype first = line.indexOf(',');
    const qsizetype second = first < 0 ? -1 : line.indexOf(',', first + 1);
    const QByteArrayView issueText = TrimAscii(line.first(std::max<qsizetype>(first, 0)));
    if (second < 0 || issueText.isEmpty() || issueText.size() > 9)
        return std::nullopt;
    int32_t issue = 0;
    for (const char c : issueText) {
        if (c < '0' || c > '9')
            return std::nullopt;
        issue = issue * 10 + (c - '0');
    }
    plain = true;
    const qsizetype third = line.indexOf(',', second + 1);
    const QByteArrayView digits =
        TrimAscii(line.sliced(second + 1, (third < 0 ? line.size() : third) - second - 1));
    if (issue <= 0 || digits.size() != bcMain)
        return std::nullopt;
    Draw draw;
    draw.Issue = issue;
    draw.Num.assign(static_cast<size_t>(bcMain + 1), 0);
    for (int m = 0; m < bcMain; ++m) {
        if (digits[m] < '0' || digits[m] > '9')
            return std::nullopt;
        draw.Num[static_cast<size_t>(m + 1)] = static_cast<int16_t>(digits[m] - '0');
    }
    return draw;
}

} // namespace

bool ReadSampleHistory(const QString& path, int16_t bcMain, std::vector<Draw>& oDraws)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Lines end at LF, a CR before it dropped; both are single bytes in
    // UTF-8, so the bytes split as the decoded text would.
    const QByteArray bytes = file.readAll();
    const QByteArrayView all(bytes);
    std::vector<Draw> draws;
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        const qsizetype next = end < 0 ? all.size() : end + 1;
        if (end < 0)
            end = all.size();
        else if (end > start && all[end - 1] == '\r')
            --end;
        const QByteArrayView line = all.sliced(start, end - start);
        start = next;
        bool plain = false;
        std::optional<Draw> draw = DrawOfPlainLine(line, bcMain, plain);
        if (!plain)
            draw = DrawOfLine(QString::fromUtf8(line), bcMain);
        if (draw)
            draws.push_back(std::move(*draw));
    }
    oDraws = std::move(draws);
    return true;
}

QString SeedFailureMessage(const SeedOutcome& outcome)
{
    return QStringLiteral("示例彩票未能安装：") + outcome.Reason +
           QStringLiteral("\n腾出磁盘空间后，下次启动时将再次安装。");
}

SeedOutcome SeedProgramFolder(CLottoItem& items, SettingsFileState settings, const std::function<void()>& registered)
{
    SeedOutcome out;
    if (ProgramFolderHasGames(items, settings))
        return out;
    out.Code = SeedOutcome::Result::Failed;
    CopyTemplates();

    QString definition;
    CLottorHead head;
    if (ReadTemplate(definition))
        head.SetHeadStr(definition);
    if (!head.Enable()) {
        out.Reason = QStringLiteral("缺少彩票模板 ") + QLatin1String(kSampleTemplate);
        return out;
    }

    const QString path = ProgramPath(QLatin1String(kSampleGamePath));
    if (!QFileInfo::exists(path)) {
        std::vector<Draw> draws;
        const QString history = DefaultsFolder() + QLatin1Char('/') + QLatin1String(kHistoryFile);
        if (!ReadSampleHistory(history, head.BcMain, draws) || draws.empty()) {
            out.Reason = QStringLiteral("缺少示例开奖数据");
            return out;
        }
        CLottorData created;
        if (created.CreateData(definition, path, kSampleFileTag, draws)) {
            out.Reason = created.WriteFailure().isEmpty() ? QStringLiteral("无法写入文件 ") + path
                                                          : created.WriteFailure() + QStringLiteral("（") + path +
                                                                QStringLiteral("）");
            CLottorData::DeleteDataFiles(path);
            return out;
        }
    }

    if (items.LottoGroupCount() == 0)
        items.LottoGroupAdd(QString::fromUtf8(kAllGamesGroup));
    if (!items.LottoAdd(QStringLiteral("0"), head.LottorName, QLatin1String(kSampleGamePath))) {
        out.Reason = QStringLiteral("无法加入彩票列表");
        CLottorData::DeleteDataFiles(path);
        return out;
    }
    out.Code = SeedOutcome::Result::Seeded;
    items.SetSelectItem(static_cast<int16_t>(items.LottoCount() - 1));
    if (registered)
        registered();

    // The statistics take the longest; a start stopped while they are built
    // finds them unfinished and has them rebuilt when the game opens. So
    // does one whose statistics could not be written, and the opening then
    // tells the user.
    CLottorData game;
    static_cast<void>(game.OpenData(CStat::kViewCount, path));
    return out;
}

} // namespace kelton
