#include "formula/way_file.h"

#include <optional>

#include <QFileInfo>

#include "data/formula_store.h"
#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/save_file.h"

namespace kelton {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
constexpr QChar kTab = QLatin1Char('\t');

// A name fit for its field of the line.
QString LineSafeName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == kTab || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            out += QLatin1Char(' ');
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out;
}

QString WrittenFormula(const QString& text)
{
    return CodeIniStr(CleanFormulaText(text), false);
}

QString ReadFormula(const QString& field)
{
    return CleanFormulaText(CodeIniStr(field, true));
}

int16_t ConsultIndexOf(QStringView field, int32_t maxConsult)
{
    if (!IsNumberText(field))
        return 0;
    const std::optional<int16_t> index = NumberTextToInt16(field);
    return index && *index >= 0 && *index <= maxConsult ? *index : int16_t(0);
}

}  // namespace

QByteArray WayFileBytes(const FormulaStore& store, int16_t sGroup)
{
    QString text;
    for (int16_t i = 0; i < store.WayCount(); ++i) {
        const Way& way = store.Ways()[static_cast<size_t>(i)];
        if (way.Group.isEmpty() || NumberTextToInt16(way.Group) != sGroup)
            continue;
        text += kLineEnd + LineSafeName(way.Name) + kTab + WrittenFormula(way.Formula) + kTab +
                way.ConsultIndex + kTab + WrittenFormula(store.WayGet(i, 4));
    }
    text += kLineEnd;
    return ToGbk(text);
}

bool WriteWayFile(const QString& sPath, const FormulaStore& store, int16_t sGroup)
{
    return SaveWholeFile(sPath, WayFileBytes(store, sGroup)).Ok;
}

WayFileRead ReadWayFileBytes(QByteArrayView bytes, int32_t sMaxConsult)
{
    WayFileRead read;
    const QStringList lines = SplitLines(FromGbk(bytes));
    qsizetype first = 0;
    while (first < lines.size() && TrimBlanksView(lines[first]).isEmpty())
        ++first;
    if (first == lines.size())
        return read;

    const qsizetype fields = lines[first].count(kTab) + 1;
    if (fields == 1) {
        read.Layout = WayFileLayout::OldList;
        for (qsizetype i = first + 1; i < lines.size(); ++i) {
            const QString& line = lines[i];
            if (!line.startsWith(QLatin1String("Val="), Qt::CaseInsensitive))
                continue;
            const QStringList pieces = line.mid(4).split(QLatin1Char(','));
            if (pieces.size() < 2) {
                ++read.Skipped;
                continue;
            }
            WayFileRecord record;
            record.Name = QStringLiteral("末命名%1").arg(read.Records.size() + 1);
            record.Formula = ReadFormula(pieces[1]);
            read.Records.push_back(std::move(record));
        }
        return read;
    }
    if (fields != 2 && fields != 4)
        return read;

    read.Layout = WayFileLayout::Current;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (!line.contains(kTab)) {
            if (!TrimBlanksView(line).isEmpty())
                ++read.Skipped;
            continue;
        }
        const QStringList parts = line.split(kTab);
        WayFileRecord record;
        record.Name = LineSafeName(parts[0]);
        record.Formula = ReadFormula(parts[1]);
        if (parts.size() == 4) {
            record.ConsultIndex = ConsultIndexOf(parts[2], sMaxConsult);
            record.Consult = ReadFormula(parts[3]);
        }
        read.Records.push_back(std::move(record));
    }
    return read;
}

QString WayGroupNameOfFile(const QString& sPath)
{
    const QString name = QFileInfo(sPath).fileName();
    const QString cut = name.section(QLatin1Char('.'), 0, 0);
    return TrimBlanksView(cut).isEmpty() ? name : cut;
}

WayImport ImportWayRecords(CLottorHead& head, const QString& sGroupName, const WayFileRead& read)
{
    WayImport import;
    import.Skipped = read.Skipped;
    if (read.Records.empty() || !head.WayGroupAdd(sGroupName))
        return import;
    import.Group = static_cast<int16_t>(head.WayGroupCount() - 1);
    for (const WayFileRecord& r : read.Records) {
        if (head.WayAdd(import.Group, r.Name, r.Formula, r.ConsultIndex, r.Consult))
            import.Formulas.push_back(static_cast<int16_t>(head.WayCount() - 1));
        else
            ++import.Skipped;
    }
    return import;
}

QString WayImportMessage(const WayFileRead& read, const WayImport& import)
{
    const QString skipped =
        import.Skipped > 0 ? QStringLiteral("，跳过%1行").arg(import.Skipped) : QString();
    if (!import.Formulas.empty()) {
        return QStringLiteral("恭喜，成功导入公式！共导入%1个公式").arg(import.Formulas.size()) + skipped +
               QStringLiteral("。");
    }
    if (read.Layout == WayFileLayout::None)
        return QStringLiteral("导入失败，这不是公式文件！");
    if (!read.Records.empty())
        return QStringLiteral("导入失败，无法增加新类别！");
    return QStringLiteral("导入失败，文件中没有公式") + skipped + QStringLiteral("。");
}

}  // namespace kelton
