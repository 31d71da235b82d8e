#include "formula/way_file.h"

#include <optional>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "data/formula_store.h"
#include "data/lottor_data.h"
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

// The text of a formula file; nothing when the bytes are no GBK text: a
// NUL byte, or a sequence GBK has no character for.
std::optional<QString> FormulaFileText(QByteArrayView bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    return text;
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
    const std::optional<QString> text = FormulaFileText(bytes);
    if (!text)
        return read;
    const QStringList lines = SplitLines(*text);
    qsizetype first = 0;
    while (first < lines.size() && TrimBlanksView(lines[first]).isEmpty())
        ++first;
    if (first == lines.size()) {
        // Kelton writes a group without formulas as one line end.
        if (!bytes.isEmpty())
            read.Layout = WayFileLayout::Empty;
        return read;
    }

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

WayFileRead ReadWayFile(const QString& sPath, int32_t sMaxConsult)
{
    WayFileRead read;
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly)) {
        read.Trouble = WayFileRead::Problem::CannotRead;
        return read;
    }
    if (file.size() > kMaxWayFileBytes) {
        read.Trouble = WayFileRead::Problem::TooLarge;
        return read;
    }
    const QByteArray bytes = file.read(kMaxWayFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        read.Trouble = WayFileRead::Problem::CannotRead;
        return read;
    }
    if (bytes.size() > kMaxWayFileBytes) {
        read.Trouble = WayFileRead::Problem::TooLarge;
        return read;
    }
    return ReadWayFileBytes(bytes, sMaxConsult);
}

bool WaysFitDefinition(const CLottorHead& head, const FormulaStore& ways)
{
    return head.DefinitionBytes(ways) <= DataFileHeader::kMaxHeadLen;
}

bool WayEditFits(const CLottorHead& head, int16_t sIndex, int16_t sKind, const QString& sText)
{
    if (sIndex < 0 || sIndex >= head.WayCount())
        return true;
    // The field as the store keeps it (kind 4 the row's own consult
    // formula, whichever is in force).
    const auto field = [sIndex, sKind](const FormulaStore& ways) -> const QString& {
        const Way& way = ways.Ways()[static_cast<size_t>(sIndex)];
        return sKind == 1 ? way.Name : sKind == 2 ? way.Formula : way.Consult;
    };
    FormulaStore ways = head.Ways();
    ways.WaySet(sIndex, sKind, sText);
    // A field that grows no longer cannot take the text past the limit.
    if (EncodedWayTextBytes(field(ways)) <= EncodedWayTextBytes(field(head.Ways())))
        return true;
    return WaysFitDefinition(head, ways);
}

bool WayChangeFits(const CLottorHead& head, const std::function<void(FormulaStore&)>& change)
{
    FormulaStore ways = head.Ways();
    change(ways);
    return WaysFitDefinition(head, ways);
}

QString WayDefinitionFullText()
{
    return QStringLiteral("彩票的设置将超过数据文件容许的%1字节，无法保存！").arg(DataFileHeader::kMaxHeadLen);
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
    if (read.Records.empty() && read.Layout != WayFileLayout::Empty)
        return import;
    // Tried on a copy of the store first: what the data file cannot hold is
    // never added.
    FormulaStore tried = head.Ways();
    if (tried.WayGroupAdd(sGroupName)) {
        const auto group = static_cast<int16_t>(tried.WayGroupCount() - 1);
        for (const WayFileRecord& r : read.Records)
            tried.WayAdd(group, r.Name, r.Formula, r.ConsultIndex, r.Consult);
        if (!WaysFitDefinition(head, tried)) {
            import.TooLarge = true;
            return import;
        }
    }
    if (!head.WayGroupAdd(sGroupName))
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
    switch (read.Trouble) {
    case WayFileRead::Problem::CannotRead:
        return QStringLiteral("导入失败，无法读取文件！");
    case WayFileRead::Problem::TooLarge:
        return QStringLiteral("导入失败，文件超过%1MB，不是公式文件！").arg(kMaxWayFileBytes >> 20);
    case WayFileRead::Problem::None:
        break;
    }
    if (import.TooLarge)
        return QStringLiteral("导入失败，公式太多或太长：导入后") + WayDefinitionFullText();
    if (import.Group >= 0) {
        return QStringLiteral("恭喜，成功导入公式！共导入%1个公式").arg(import.Formulas.size()) + skipped +
               QStringLiteral("。");
    }
    if (read.Layout == WayFileLayout::None)
        return QStringLiteral("导入失败，这不是公式文件！");
    if (!read.Records.empty() || read.Layout == WayFileLayout::Empty)
        return QStringLiteral("导入失败，无法增加新类别！");
    return QStringLiteral("导入失败，文件中没有公式") + skipped + QStringLiteral("。");
}

}  // namespace kelton
