#include "otherfilter/other_sections.h"

#include <QFile>

#include "data/filter_items.h"
#include "data/text_helpers.h"
#include "data/value_set.h"
#include "platform/gbk.h"
#include "platform/save_file.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

const QString kLineEnd = u"\r\n"_s;

size_t KindIndex(OtherFilterKind kind)
{
    return static_cast<size_t>(kind);
}

} // namespace

QString OtherSectionName(OtherFilterKind kind)
{
    static const QString names[kOtherFilterKinds] = {u"FilterMatch"_s, u"FilterHistory"_s, u"FilterGather"_s};
    return names[KindIndex(kind)];
}

QString OtherFileToleranceKey(OtherFilterKind kind)
{
    return kind == OtherFilterKind::Gather ? u"ErrVal"_s : u"SubErrVal"_s;
}

QString OtherFileFilter(OtherFilterKind kind, const QString& appTitle)
{
    static const QString filters[kOtherFilterKinds] = {
        u"匹配过滤(*.mth)|*.mth|文本文件(*.txt)|*.txt"_s,
        u"历史开奖过滤(*.hty)|*.hty|文本文件(*.txt)|*.txt"_s,
        u"相生相克过滤(*.gtr)|*.gtr|文本文件(*.txt)|*.txt"_s,
    };
    return appTitle + filters[KindIndex(kind)];
}

OtherFileTextSet OtherFileTexts(OtherFilterKind kind)
{
    static const QString names[kOtherFilterKinds] = {u"匹配过滤"_s, u"历史开奖过滤"_s, u"相生相克过滤"_s};
    const QString& name = names[KindIndex(kind)];
    return OtherFileTextSet{
        u"导出"_s + name + u"设置"_s,
        u"导入"_s + name,
        u"恭喜，成功导出"_s + name + u"设置！"_s,
        u"恭喜，成功导入"_s + name + u"！"_s,
        u"导入失败，请检查文件是否合法！"_s,
    };
}

QString OtherExportFailure(const QString& path, const QString& reason)
{
    return u"导出失败，无法写入文件："_s + path + u'\n' + reason;
}

QString OtherImportFailure(OtherFilterKind kind, OtherImportOutcome outcome)
{
    switch (outcome) {
    case OtherImportOutcome::TooLarge:
        return u"导入失败，文件大于 32 MB，不是有效的过滤文件！"_s;
    case OtherImportOutcome::TooManyItems:
        return u"导入失败，导入后将超过每页最多 32767 项！"_s;
    case OtherImportOutcome::ReadFailed:
        return u"导入失败，无法读取文件！"_s;
    case OtherImportOutcome::Imported:
    case OtherImportOutcome::NoSection:
        break;
    }
    return OtherFileTexts(kind).ImportFailed;
}

QString MarksToWords(QString line)
{
    line.replace(QChar(kMarkYes), u"True"_s, Qt::CaseInsensitive);
    line.replace(QChar(kMarkNo), u"False"_s, Qt::CaseInsensitive);
    return line;
}

QString WordsToMarks(QString line)
{
    line.replace(u"True"_s, QString(QChar(kMarkYes)), Qt::CaseInsensitive);
    line.replace(u"False"_s, QString(QChar(kMarkNo)), Qt::CaseInsensitive);
    return line;
}

QStringList OtherSectionLines(OtherFilterKind kind, const OtherSwitches& switches, int16_t subErrEnabled,
                              const QString& toleranceText, const QStringList& rows, QStringView toleranceKey)
{
    QStringList lines;
    lines.reserve(rows.size() + 5);
    lines << u'[' + OtherSectionName(kind) + u']';
    lines << u"Enabled="_s + QString::number(switches.Enabled);
    lines << u"ErrEnabled="_s + QString::number(switches.ErrEnabled);
    lines << u"SubErrEnabled="_s + QString::number(subErrEnabled);
    lines << toleranceKey.toString() + u'=' + toleranceText;
    for (const QString& row : rows)
        lines << u"Val="_s + MarksToWords(row);
    return lines;
}

QByteArray OtherFilterFileBytes(OtherFilterKind kind, const OtherSwitches& switches,
                                const OtherPageState& page)
{
    // Marks typed into the tolerance box are words in the file as well.
    QStringList lines =
        OtherSectionLines(kind, switches, page.SubErrEnabled ? 1 : 0, MarksToWords(page.SubErrText),
                          page.Rows, OtherFileToleranceKey(kind));
    return ToGbk(lines.join(kLineEnd) + kLineEnd);
}

SaveOutcome WriteOtherFilterFile(const QString& path, OtherFilterKind kind, const OtherSwitches& switches,
                          const OtherPageState& page)
{
    const QByteArray bytes = OtherFilterFileBytes(kind, switches, page);
    if (bytes.size() > kMaxOtherFilterFileBytes)
        return SaveOutcome{false, 0, u"文件将大于 32 MB，超过了可以导入的上限"_s};
    return SaveWholeFile(path, bytes);
}

void ReadOtherSectionLine(OtherSectionRead& read, QStringView key, QStringView value,
                          QStringView toleranceKey)
{
    if (key.isEmpty() || value.isEmpty())
        return;
    const bool one = value == u"1";
    if (key == u"Enabled") {
        read.EnabledOn = read.EnabledOn || one;
    } else if (key == u"ErrEnabled") {
        read.ErrEnabledOn = read.ErrEnabledOn || one;
    } else if (key == u"SubErrEnabled") {
        read.SubErrEnabled = one;
        read.SubErrEnabledOn = read.SubErrEnabledOn || one;
    } else if (key == toleranceKey) {
        read.Tolerance = value.toString();
    } else if (key == u"Val") {
        read.Rows << WordsToMarks(value.toString());
    }
}

OtherSectionRead ReadOtherSectionText(QStringView text, OtherFilterKind kind)
{
    OtherSectionRead read;
    const QString section = OtherSectionName(kind);
    const QString toleranceKey = OtherFileToleranceKey(kind);
    QStringList lines = SplitLines(text);
    for (QString& line : lines)
        line = TrimBlanks(line);
    // The reader stops at key lines only; a section line of the page's name
    // with nothing under it still counts as found.
    for (const QString& line : lines) {
        if (GetSectionName(line) == section) {
            read.Found = true;
            break;
        }
    }
    IniReader reader(std::move(lines));
    while (reader.Next()) {
        if (reader.Section() != section)
            continue;
        const QString& line = reader.Line();
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || eq == line.size() - 1)
            continue;
        ReadOtherSectionLine(read, QStringView(line).left(eq), TrimBlanksView(QStringView(line).mid(eq + 1)),
                             toleranceKey);
    }
    return read;
}

OtherImportOutcome ApplyOtherSection(const OtherSectionRead& read, OtherPageState& page, bool append)
{
    if (!read.Found)
        return OtherImportOutcome::NoSection;
    if ((append ? page.Rows.size() : 0) + read.Rows.size() > kMaxFilterItems)
        return OtherImportOutcome::TooManyItems;
    if (append) {
        page.Rows += read.Rows;
        return OtherImportOutcome::Imported;
    }
    page.Rows = read.Rows;
    if (read.SubErrEnabled)
        page.SubErrEnabled = *read.SubErrEnabled;
    if (read.Tolerance)
        page.SubErrText = *read.Tolerance;
    return OtherImportOutcome::Imported;
}

OtherImportOutcome ImportOtherSectionText(QStringView text, OtherFilterKind kind, OtherPageState& page,
                                          bool append)
{
    return ApplyOtherSection(ReadOtherSectionText(text, kind), page, append);
}

OtherImportOutcome ImportOtherFilterFile(const QString& path, OtherFilterKind kind, OtherPageState& page,
                                         bool append)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OtherImportOutcome::ReadFailed;
    if (file.size() > kMaxOtherFilterFileBytes)
        return OtherImportOutcome::TooLarge;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return OtherImportOutcome::ReadFailed;
    return ImportOtherSectionText(FromGbk(bytes), kind, page, append);
}

template <class Item> void FillOtherList(const OtherSectionRead& read, FilterItemList<Item>& list)
{
    if (read.EnabledOn)
        list.Sel = 1;
    if (read.ErrEnabledOn)
        list.ErrSel = 1;
    if (read.SubErrEnabledOn)
        list.SubErrSel = 1;
    if (read.Tolerance)
        list.SubErrVal = StrToRange(*read.Tolerance, 0, kSchemeValueHigh);
    for (const QString& row : read.Rows)
        (void)list.AddPerVal(row); // a refused row is dropped
}

template <class Item>
QStringList OtherListSectionLines(OtherFilterKind kind, const FilterItemList<Item>& list)
{
    QStringList rows;
    rows.reserve(list.ItemCount());
    // An int counter: a list at its limit holds the largest 16-bit count.
    for (int i = 1; i <= list.ItemCount(); ++i)
        rows << list.PerVal(static_cast<int16_t>(i));
    return OtherSectionLines(kind, {list.Sel, list.ErrSel}, list.SubErrSel, RangeToStr(list.SubErrVal), rows,
                             kSchemeToleranceKey);
}

template void FillOtherList(const OtherSectionRead&, FilterItemList<MatchItem>&);
template void FillOtherList(const OtherSectionRead&, FilterItemList<HistoryItem>&);
template void FillOtherList(const OtherSectionRead&, FilterItemList<GatherItem>&);
template QStringList OtherListSectionLines(OtherFilterKind, const FilterItemList<MatchItem>&);
template QStringList OtherListSectionLines(OtherFilterKind, const FilterItemList<HistoryItem>&);
template QStringList OtherListSectionLines(OtherFilterKind, const FilterItemList<GatherItem>&);

} // namespace kelton
