#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kelton {

// The address put into an empty address list: the maker's site.
inline constexpr char kDefaultSiteAddress[] = "http://www.kelton.example/";

// One notice of the status-bar ticker.
struct SysNotice {
    QString NotifyText;
    QString NotifyLink;
    friend bool operator==(const SysNotice&, const SysNotice&) = default;
};

// The server information: an INI-like text the maker's server supplies,
// kept parsed and written back into the settings file. Lists keep the order
// of the text; single values hold the last value read.
//
// Sections: "Address", "Notify" (text TAB link), "News", "Field", "Email",
// "QQ", "Tel", "NewEdition3" (version TAB new edition TAB upgrade-list
// address), "ShowPage", "SendInfo", "LottoDataWebPath", "MenuSever",
// "MenuNew". A value line is the value itself or "Data=" and the value.
// Sections of other names are kept in SysOther and written back at the end.
struct ServerInfo {
    QList<SysNotice> SysNotify;
    QStringList SysNews;
    QStringList SysAddress;
    QStringList SysField;
    QStringList SysEmail;
    QStringList SysQQ;
    QStringList SysTel;
    QString SysNewEdition;     // the edition offered to this version
    QString SysNewEditionList; // the address of its upgrade list
    QStringList SysShowPage;
    QString SysSendInfo;
    QString SysLottoDataWebPath;
    QString SysMenuSever;
    QString SysMenuNew;
    QString SysOther; // unknown sections, as text

    // Replaces the lists by the content of the text. SysLottoDataWebPath,
    // SysMenuSever and SysMenuNew keep their values unless the text sets
    // them. An empty address list gets the maker's site.
    void FromText(const QString& text);

    // The lists as text, CR LF line ends.
    QString ToText() const;

    friend bool operator==(const ServerInfo&, const ServerInfo&) = default;
};

// Whether a text is server information at all: it holds at least one
// section line of a section named above. A page that is not (an error page
// answered with status 200, an empty body) would otherwise replace every
// list with nothing.
bool IsServerInfoText(QStringView text);

} // namespace kelton
