#include "data/server_info.h"

#include <limits>

#include <QLocale>

#include "data/app_state.h"
#include "data/text_helpers.h"

namespace kelton {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr qsizetype kMaxListCount = std::numeric_limits<int16_t>::max();

template <typename List, typename Item> void AppendCapped(List& list, const Item& item)
{
    if (list.size() < kMaxListCount)
        list.append(item);
}

// A version field read as a decimal number, so that "2.040" matches "2.04".
bool SameVersion(const QString& field)
{
    bool ok = false;
    const double offered = QLocale::c().toDouble(TrimBlanks(field), &ok);
    return ok && offered == QLocale::c().toDouble(QString::fromLatin1(kVersionText));
}

void AppendLines(QString& out, const QString& section, const QStringList& values)
{
    out += QLatin1Char('[') + section + QLatin1Char(']') + kCrLf;
    for (const QString& value : values)
        out += value + kCrLf;
}

} // namespace

void ServerInfo::FromText(const QString& text)
{
    SysNotify.clear();
    SysNews.clear();
    SysAddress.clear();
    SysField.clear();
    SysEmail.clear();
    SysQQ.clear();
    SysTel.clear();
    SysShowPage.clear();
    SysNewEdition.clear();
    SysNewEditionList.clear(); // an offer only stands while the server repeats it
    SysSendInfo.clear();
    SysOther.clear();

    IniReader reader(SplitLines(text));
    while (reader.Next()) {
        const QString& section = reader.Section();
        const QString& line = reader.Line();
        // Values before the first section line belong to no section.
        if (section.isEmpty())
            continue;

        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString value = (eq >= 0 && QStringView(line).left(eq) == QLatin1String("Data"))
                                  ? TrimBlanks(QStringView(line).mid(eq + 1))
                                  : TrimBlanks(line);
        if (value.isEmpty())
            continue;

        if (section == QLatin1String("Notify")) {
            const QStringList fields = value.split(QLatin1Char('\t'));
            SysNotice notice;
            notice.NotifyText = fields[0];
            if (fields.size() >= 2)
                notice.NotifyLink = fields[1];
            AppendCapped(SysNotify, notice);
        } else if (section == QLatin1String("News")) {
            AppendCapped(SysNews, value);
        } else if (section == QLatin1String("Address")) {
            AppendCapped(SysAddress, value);
        } else if (section == QLatin1String("Field")) {
            AppendCapped(SysField, value);
        } else if (section == QLatin1String("Email")) {
            AppendCapped(SysEmail, value);
        } else if (section == QLatin1String("QQ")) {
            AppendCapped(SysQQ, value);
        } else if (section == QLatin1String("Tel")) {
            AppendCapped(SysTel, value);
        } else if (section == QLatin1String("ShowPage")) {
            AppendCapped(SysShowPage, value);
        } else if (section == QLatin1String("NewEdition3")) {
            // Only the offer made to this version counts; other lines,
            // malformed ones included, are passed over.
            const QStringList fields = value.split(QLatin1Char('\t'));
            if (fields.size() >= 3 && SameVersion(fields[0])) {
                SysNewEdition = TrimBlanks(fields[1]);
                SysNewEditionList = TrimBlanks(fields[2]);
            }
        } else if (section == QLatin1String("SendInfo")) {
            SysSendInfo = value;
        } else if (section == QLatin1String("LottoDataWebPath")) {
            SysLottoDataWebPath = value;
        } else if (section == QLatin1String("MenuSever")) {
            SysMenuSever = value;
        } else if (section == QLatin1String("MenuNew")) {
            SysMenuNew = value;
        } else {
            SysOther += QLatin1Char('[') + section + QLatin1Char(']') + kCrLf + QLatin1String("Data=") +
                        value + kCrLf;
        }
    }

    if (SysAddress.isEmpty())
        SysAddress.append(QString::fromLatin1(kDefaultSiteAddress));
}

QString ServerInfo::ToText() const
{
    QString out;
    AppendLines(out, QStringLiteral("Address"), SysAddress);
    QStringList notices;
    for (const SysNotice& notice : SysNotify)
        notices.append(notice.NotifyText + QLatin1Char('\t') + notice.NotifyLink);
    AppendLines(out, QStringLiteral("Notify"), notices);
    AppendLines(out, QStringLiteral("News"), SysNews);
    AppendLines(out, QStringLiteral("Field"), SysField);
    AppendLines(out, QStringLiteral("Email"), SysEmail);
    AppendLines(out, QStringLiteral("QQ"), SysQQ);
    AppendLines(out, QStringLiteral("Tel"), SysTel);
    AppendLines(out, QStringLiteral("NewEdition3"),
                {QString::fromLatin1(kVersionText) + QLatin1Char('\t') + SysNewEdition + QLatin1Char('\t') +
                 SysNewEditionList});
    AppendLines(out, QStringLiteral("ShowPage"), SysShowPage);
    if (!SysSendInfo.isEmpty())
        AppendLines(out, QStringLiteral("SendInfo"), {SysSendInfo});
    if (!SysLottoDataWebPath.isEmpty())
        AppendLines(out, QStringLiteral("LottoDataWebPath"), {SysLottoDataWebPath});
    AppendLines(out, QStringLiteral("MenuSever"), {SysMenuSever});
    AppendLines(out, QStringLiteral("MenuNew"), {SysMenuNew});
    out += SysOther + kCrLf;
    return out;
}

bool IsServerInfoText(QStringView text)
{
    static const QStringList kSections = {
        QStringLiteral("Address"),    QStringLiteral("Notify"),      QStringLiteral("News"),
        QStringLiteral("Field"),      QStringLiteral("Email"),       QStringLiteral("QQ"),
        QStringLiteral("Tel"),        QStringLiteral("NewEdition3"), QStringLiteral("ShowPage"),
        QStringLiteral("SendInfo"),   QStringLiteral("LottoDataWebPath"),
        QStringLiteral("MenuSever"),  QStringLiteral("MenuNew")};
    for (const QString& line : SplitLines(text)) {
        if (kSections.contains(GetSectionName(line)))
            return true;
    }
    return false;
}

} // namespace kelton
