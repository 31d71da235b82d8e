#pragma once

#include <cstdint>

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kelton {

// One file of an upgrade list: its name, the address to fetch it from, the
// folder below the upgrade folder it goes into ("\" for the upgrade folder
// itself, "\sub\" for a folder below it) and the run mark ("1": start this
// file once every file has arrived).
struct UpgradeEntry {
    QString FileName;
    QString FileUrl;
    QString Folder;
    QString RunFlag;

    bool IsMarkedToRun() const { return RunFlag == QLatin1String("1"); }
    friend bool operator==(const UpgradeEntry&, const UpgradeEntry&) = default;
};

// A parsed upgrade list. Refused counts the lines that had four fields but
// named a file outside the upgrade folder or a name that cannot be shown as
// it is (or too many lines).
struct UpgradeList {
    static constexpr int16_t kMaxEntries = 32767;

    QList<UpgradeEntry> Entries;
    int16_t Refused = 0;
};

// Reads an upgrade list: GBK text, lines split at CR LF (or LF), fields at
// TAB; a line with fewer than four fields is skipped, fields after the
// fourth are ignored, and every field is trimmed of blanks.
UpgradeList ParseUpgradeList(QByteArrayView bytes);

// The path of an entry's file relative to the upgrade folder, with "/"
// separators ("sub/setup.exe"); empty when the folder and the name would
// lead anywhere else or hide what the file is: a folder that does not begin
// with "\" or "/", a name holding a separator, empty components (doubled
// separators), a component starting with "." (so "." and "..") or "-", or
// with a blank in front or behind, two blanks in a row, a drive or stream
// colon, control, format (Cf) or line and paragraph separator characters,
// letters that show as nothing (U+3164 and its kin), a name longer than 255
// bytes, or an empty name.
QString UpgradeRelativePath(const UpgradeEntry& entry);

// The question before a downloaded file is started: the path, and the
// file's real ending on a line of its own, however long the name.
QString UpgradeRunQuestion(const QString& path);

// The upgrade folder: "Upgrade" under the program folder.
QString UpgradeFolder();

// The full path an entry's file is downloaded to and started from; empty
// when the entry is refused (see UpgradeRelativePath).
QString UpgradeTargetPath(const UpgradeEntry& entry);

// How an offered edition compares with the running version.
enum class EditionOffer {
    Newer,     // a number above the running version
    NotNewer,  // a number, but not above it
    NotNumber, // no number at all
};

// Compares the edition text with the running version, both read as decimal
// numbers with four places.
EditionOffer CompareEdition(const QString& sNewEdition);

} // namespace kelton
