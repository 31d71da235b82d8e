#include "games/new_game.h"

#include <limits>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/first_start.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int16_t kFirstGameNumber = 1000;
// Templates are definition texts of a few kilobytes; anything far larger is
// no template.
constexpr qint64 kMaxTemplateBytes = 4 * 1024 * 1024;

QString TemplateFolder()
{
    return ProgramPath(QLatin1String(kTemplateFolder));
}

} // namespace

QString DefinitionText(const GameParams& p)
{
    const QString end = QStringLiteral("\r\n");
    QString text;
    const auto section = [&](const char* header, const QString& value) {
        text += QLatin1String(header) + end + value + end;
    };
    section("[LOTTONAME]", p.LottorName);
    section("[BCDATANAME]", p.BcDataName);
    section("[BCDATALEN]", p.BcDataLen);
    section("[BCMAIN]", p.BcMain);
    section("[MRDATANAME]", p.MrDataName);
    section("[MRDATALEN]", p.MrDataLen);
    section("[MRMAIN]", p.MrMain);
    return text + p.WinMod + end;
}

std::optional<GameParams> ParamsOfDefinition(const QString& text)
{
    CLottorHead head;
    head.SetHeadStr(text);
    if (!head.Enable())
        return std::nullopt;
    GameParams p;
    p.LottorName = head.LottorName;
    p.BcDataName = head.BcDataName;
    p.BcDataLen = QString::number(head.BcDataLen);
    p.BcMain = QString::number(head.BcMain);
    p.MrDataName = head.MrDataName;
    p.MrDataLen = QString::number(head.MrDataLen);
    p.MrMain = QString::number(head.MrMain);
    p.WinMod = head.InfoStr();
    return p;
}

QString NameProblem(const QString& sLabel, const QString& sName)
{
    const QString name = TrimBlanks(sName);
    if (name.startsWith(QLatin1Char('\'')))
        return u"“"_s + sLabel + u"”不能以 ' 开头，请修改后再确定！"_s;
    if (!GetSectionName(name).isEmpty())
        return u"“"_s + sLabel + u"”不能写成用 [ ] 括起来的样子，请修改后再确定！"_s;
    return QString();
}

QString GameDataPath(int16_t n)
{
    return QStringLiteral("Lottor/lottor") + QString::number(n);
}

int16_t FirstFreeGameNumber(const std::function<bool(int16_t)>& taken)
{
    for (int32_t n = kFirstGameNumber; n <= std::numeric_limits<int16_t>::max(); ++n) {
        if (!taken(static_cast<int16_t>(n)))
            return static_cast<int16_t>(n);
    }
    return -1;
}

int16_t FirstFreeGameNumber()
{
    return FirstFreeGameNumber([](int16_t n) {
        const QFileInfo file(ProgramPath(GameDataPath(n)));
        return file.exists() || file.isSymLink();
    });
}

std::optional<CreatedGame> CreateGame(const QString& definition)
{
    if (definition.isEmpty())
        return std::nullopt;
    const int16_t n = FirstFreeGameNumber();
    if (n < 0)
        return std::nullopt;
    const QString path = GameDataPath(n);
    CreatedGame created;
    {
        CLottorData data;
        if (data.CreateData(definition, ProgramPath(path), n))
            return std::nullopt;
        created.Name = data.HeadData.LottorName;
    } // released here: the definition is written back into the file
    created.Path = path;
    return created;
}

QStringList TemplateNames()
{
    const QDir folder(TemplateFolder());
    return folder.entryList({QStringLiteral("*.Ltr")}, QDir::Files, QDir::Name);
}

std::optional<QString> ReadTemplate(const QString& sName)
{
    if (sName.isEmpty() || sName.contains(QLatin1Char('/')))
        return std::nullopt;
    QFile file(TemplateFolder() + QLatin1Char('/') + sName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTemplateBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxTemplateBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return FromGbk(bytes);
}

} // namespace kelton
