#include "data/first_start.h"

#include <algorithm>

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

bool ReadSampleHistory(const QString& path, int16_t bcMain, std::vector<Draw>& oDraws)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    std::vector<Draw> draws;
    for (const QString& line : SplitLines(text)) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 3)
            continue;
        bool ok = false;
        const int32_t issue = fields[0].trimmed().toInt(&ok);
        const QString digits = fields[2].trimmed();
        if (!ok || issue <= 0 || digits.size() != bcMain)
            continue;
        Draw draw;
        draw.Issue = issue;
        draw.Num.assign(static_cast<size_t>(bcMain + 1), 0);
        for (int m = 0; m < bcMain && ok; ++m) {
            ok = digits[m].isDigit() && digits[m].unicode() < 128;
            draw.Num[static_cast<size_t>(m + 1)] = static_cast<int16_t>(digits[m].unicode() - u'0');
        }
        if (ok)
            draws.push_back(std::move(draw));
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
