#include "shell/upgrade_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "data/app_tables.h"
#include "data/currency.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "platform/string_table.h"

namespace kelton {

namespace {

bool IsSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

// The longest file or folder name most file systems take, in the bytes of
// the local file name encoding.
constexpr qsizetype kMaxNameBytes = 255;

// A blank, whatever its width.
bool IsBlank(char32_t c)
{
    return QChar::category(c) == QChar::Separator_Space;
}

// Letters that show as nothing at all: the Hangul fillers and the blank
// Braille pattern.
bool IsBlankLetter(char32_t c)
{
    return c == U'\u115F' || c == U'\u1160' || c == U'\u3164' || c == U'\uFFA0' || c == U'\u2800';
}

// A component of a path below the upgrade folder: no separator, no colon
// (drive letters, alternate streams), no hidden or blank-looking character,
// not longer than a file name may be, and nothing that hides what the name
// is: no "." in front (hidden files, "." and ".."), no "-" in front (read as
// an option when started), no blank in front or behind, and no run of
// blanks that pushes the real ending out of sight.
bool IsPlainComponent(const QString& part)
{
    if (part.isEmpty() || part.front() == QLatin1Char('.') || part.front() == QLatin1Char('-'))
        return false;
    if (QFile::encodeName(part).size() > kMaxNameBytes)
        return false;
    const QList<uint> chars = part.toUcs4();
    if (IsBlank(chars.front()) || IsBlank(chars.back()))
        return false;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (c == U'\\' || c == U'/' || c == U':' || IsHiddenCharacter(c) || IsBlankLetter(c))
            return false;
        if (IsBlank(c) && i > 0 && IsBlank(chars[i - 1]))
            return false;
    }
    return true;
}

} // namespace

UpgradeList ParseUpgradeList(QByteArrayView bytes)
{
    UpgradeList list;
    const QString text = FromGbk(bytes);
    if (text.isEmpty())
        return list;
    for (const QString& line : SplitLines(text)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 4)
            continue;
        UpgradeEntry entry;
        entry.FileName = TrimBlanks(fields[0]);
        entry.FileUrl = TrimBlanks(fields[1]);
        entry.Folder = TrimBlanks(fields[2]);
        entry.RunFlag = TrimBlanks(fields[3]);
        if (UpgradeRelativePath(entry).isEmpty() || list.Entries.size() >= UpgradeList::kMaxEntries) {
            if (list.Refused < UpgradeList::kMaxEntries)
                ++list.Refused;
            continue;
        }
        list.Entries.append(std::move(entry));
    }
    return list;
}

QString UpgradeRelativePath(const UpgradeEntry& entry)
{
    // The folder goes between "\Upgrade" and the name as written, so it has
    // to begin with a separator; without one the name would be glued onto
    // "Upgrade" and land beside the upgrade folder.
    const QString& folder = entry.Folder;
    if (folder.isEmpty() || !IsSeparator(folder.front()) || !IsPlainComponent(entry.FileName))
        return {};
    QStringList parts;
    // Every component between the leading separator and the name; a folder
    // that does not end in a separator joins its last component to the name.
    const QString path = folder.mid(1) + entry.FileName;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            const QString part = path.mid(start, i - start);
            if (!IsPlainComponent(part))
                return {};
            parts << part;
            start = i + 1;
        }
    }
    return parts.join(QLatin1Char('/'));
}

QString UpgradeRunQuestion(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return LoadResString(Res::UpgradeRunAsk) + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
           QStringLiteral("\n文件类型：") + (suffix.isEmpty() ? QStringLiteral("（无扩展名）") : QLatin1Char('.') + suffix);
}

QString UpgradeFolder()
{
    return ProgramPath(QStringLiteral("Upgrade"));
}

QString UpgradeTargetPath(const UpgradeEntry& entry)
{
    const QString relative = UpgradeRelativePath(entry);
    if (relative.isEmpty())
        return {};
    return QDir(UpgradeFolder()).filePath(relative);
}

EditionOffer CompareEdition(const QString& sNewEdition)
{
    if (!IsNumberText(sNewEdition))
        return EditionOffer::NotNumber;
    const std::optional<Currency> offered = Currency::FromText(sNewEdition);
    const std::optional<Currency> running = Currency::FromText(QString::fromLatin1(kVersionText));
    if (!offered) {
        // Too large for four decimal places: compare the plain values.
        const std::optional<double> value = NumberTextValue(sNewEdition);
        const std::optional<double> version = NumberTextValue(QString::fromLatin1(kVersionText));
        return value && version && *value > *version ? EditionOffer::Newer : EditionOffer::NotNewer;
    }
    return running && *offered > *running ? EditionOffer::Newer : EditionOffer::NotNewer;
}

} // namespace kelton
