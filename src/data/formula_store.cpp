#include "data/formula_store.h"

#include <optional>

#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/string_table.h"

namespace kelton {

namespace {

constexpr int kIndicatorCount = 43;
constexpr int kPlaceNameBase = 50;  // string ids 51..59: the digit places

struct Code {
    QLatin1StringView plain;
    char16_t code;
};

const Code kCodes[] = {
    {QLatin1StringView("\r\n"), u'\x01'}, {QLatin1StringView("="), u'\x02'},
    {QLatin1StringView("["), u'\x03'},    {QLatin1StringView("]"), u'\x04'},
    {QLatin1StringView("'"), u'\x05'},    {QLatin1StringView("\t"), u'\x06'},
};

QString PlaceNameOf(int place)
{
    return place >= 1 && place <= 9 ? LoadResString(kPlaceNameBase + place) : QString();
}

// The integer of a stored index field: its first five characters, rounded.
std::optional<int16_t> IndexValue(const QString& field)
{
    return NumberTextToInt16(QStringView(field).left(5));
}

}  // namespace

QString CleanFormulaText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\t') || c.category() != QChar::Other_Control) {
            out += c;
        }
    }
    return out;
}

QString EncodeWayText(const QString& text)
{
    QString out = text;
    for (const Code& c : kCodes) {
        out.replace(c.plain, QString(QChar(c.code)));
        // A line feed alone (as text boxes end their lines) would end the
        // row's line too and lose the row: it is written as a line end.
        if (c.code == u'\x01')
            out.replace(QLatin1Char('\n'), QChar(c.code));
    }
    return out;
}

namespace {

// Adds EncodeWayText(text) to count: every code takes the one byte of the
// character it stands for, but CR LF becomes one.
void AddEncoded(GbkByteCount& count, QStringView text, int64_t& lineEnds)
{
    count.Add(text);
    lineEnds += text.count(QStringView(u"\r\n"));
}

}  // namespace

int64_t EncodedWayTextBytes(QStringView text)
{
    GbkByteCount count;
    int64_t lineEnds = 0;
    AddEncoded(count, text, lineEnds);
    return count.Bytes() - lineEnds;
}

QString DecodeWayText(const QString& text)
{
    QString out = text;
    for (const Code& c : kCodes)
        out.replace(QChar(c.code), c.plain);
    return out;
}

void FormulaStore::Clear()
{
    m_groups.clear();
    m_ways.clear();
    m_consult.clear();
    m_bm = 0;
}

void FormulaStore::BuildConsult(int16_t bcMain, int16_t mrMain)
{
    m_bm = static_cast<int16_t>(bcMain + mrMain);
    m_consult.clear();
    m_consult.reserve(static_cast<size_t>(m_bm) + kIndicatorCount + 1);
    m_consult.push_back({QStringLiteral("组选号码"), QStringLiteral("num(1,%1,0)").arg(bcMain)});
    for (int i = 1; i <= bcMain; ++i)
        m_consult.push_back({PlaceNameOf(bcMain - i + 1), QStringLiteral("num(%1,%1,0)").arg(i)});
    for (int j = 1; j <= mrMain; ++j) {
        m_consult.push_back(
            {QStringLiteral("特别号%1").arg(j), QStringLiteral("num(%1,%1,0)").arg(bcMain + j)});
    }
    for (int k = 0; k < kIndicatorCount; ++k)
        m_consult.push_back({LoadResString(k), QStringLiteral("fil(%1,0)").arg(k)});
}

int32_t FormulaStore::OwnConsultIndex() const
{
    return m_bm + kIndicatorCount + 1;
}

QString FormulaStore::WayGet(int16_t sIndex, int16_t sKind) const
{
    if (sIndex < 0 || sIndex >= WayCount())
        return QString();
    const Way& way = m_ways[static_cast<size_t>(sIndex)];
    switch (sKind) {
    case 0:
        return way.Group;
    case 1:
        return way.Name;
    case 2:
        return way.Formula;
    case 3:
        return way.ConsultIndex;
    case 4: {
        const std::optional<int16_t> index = IndexValue(way.ConsultIndex);
        if (!index)
            return QString();
        if (*index == OwnConsultIndex())
            return way.Consult;
        return WayDefConsult(*index, 1);
    }
    default:
        return QString();
    }
}

void FormulaStore::WaySet(int16_t sIndex, int16_t sKind, const QString& sNewValue)
{
    if (sIndex < 0 || sIndex >= WayCount())
        return;
    Way& way = m_ways[static_cast<size_t>(sIndex)];
    switch (sKind) {
    case 0:
    case 3: {
        if (!IsNumberText(sNewValue))
            return;
        const std::optional<int16_t> value = IndexValue(sNewValue);
        if (!value || *value < 0)
            return;
        if (sKind == 0 && *value < WayGroupCount())
            way.Group = QString::number(*value);
        else if (sKind == 3 && *value <= OwnConsultIndex())
            way.ConsultIndex = QString::number(*value);
        return;
    }
    case 1: {
        const QString name = TrimBlanks(sNewValue);
        if (!name.isEmpty())
            way.Name = name;
        return;
    }
    case 2:
        way.Formula = TrimBlanks(CleanFormulaText(sNewValue));
        return;
    case 4:
        way.Consult = TrimBlanks(CleanFormulaText(sNewValue));
        return;
    default:
        return;
    }
}

bool FormulaStore::WayAdd(int16_t sWayGroupIndex, const QString& sName, const QString& sWay,
                          int16_t sConsultIndex, const QString& sConsult)
{
    if (m_ways.size() >= static_cast<size_t>(kMaxEntries))
        return false;
    m_ways.push_back(
        {QString::number(sWayGroupIndex), sName, sWay, QString::number(sConsultIndex), sConsult});
    return true;
}

bool FormulaStore::WayDel(int16_t sIndex)
{
    if (sIndex < 0 || sIndex >= WayCount())
        return false;
    m_ways[static_cast<size_t>(sIndex)] = Way{};
    return true;
}

QString FormulaStore::WayGroupGet(int16_t sIndex) const
{
    if (sIndex < 0 || sIndex >= WayGroupCount())
        return QString();
    return m_groups[static_cast<size_t>(sIndex)];
}

void FormulaStore::WayGroupSet(int16_t sIndex, const QString& sNewValue)
{
    const QString name = TrimBlanks(sNewValue);
    if (name.isEmpty() || sIndex < 0 || sIndex >= WayGroupCount())
        return;
    m_groups[static_cast<size_t>(sIndex)] = name;
}

bool FormulaStore::WayGroupAdd(const QString& sName)
{
    if (m_groups.size() >= static_cast<size_t>(kMaxEntries))
        return false;
    m_groups.push_back(sName);
    return true;
}

bool FormulaStore::WayGroupDel(int16_t sIndex)
{
    if (sIndex < 0 || sIndex >= WayGroupCount())
        return false;
    m_groups[static_cast<size_t>(sIndex)].clear();
    return true;
}

QString FormulaStore::WayDefConsult(int16_t sRow, int16_t sCol) const
{
    if (sRow < 0 || static_cast<size_t>(sRow) >= m_consult.size())
        return QString();
    const ConsultRow& row = m_consult[static_cast<size_t>(sRow)];
    switch (sCol) {
    case 0:
        return row.Caption;
    case 1:
        return row.Expression;
    default:
        return QString();
    }
}

void FormulaStore::CompactWays()
{
    std::erase_if(m_ways, [](const Way& way) { return way.Group.isEmpty(); });

    size_t k = 0;
    for (size_t l = 0; l < m_groups.size(); ++l) {
        if (l != k) {
            for (Way& way : m_ways) {
                const std::optional<int16_t> group = IndexValue(way.Group);
                if (group && static_cast<size_t>(*group) == l && *group >= 0)
                    way.Group = QString::number(k);
            }
            m_groups[k] = m_groups[l];
        }
        if (!m_groups[k].isEmpty())
            ++k;
    }
    m_groups.resize(k);
}

QString FormulaStore::SectionsText() const
{
    static const QString kEnd = QStringLiteral("\r\n");
    static const QChar kTab = QLatin1Char('\t');
    // Names are written through the same encoding as the formulas, so that a
    // name holding "=", "[", "'" or a TAB cannot break its line; names
    // without such characters are written as they are.
    QString out = QStringLiteral("[WAY_GROUP]") + kEnd;
    for (const QString& group : m_groups) {
        if (!group.isEmpty())
            out += EncodeWayText(group) + kEnd;
    }
    out += QStringLiteral("[WAY]") + kEnd;
    for (const Way& way : m_ways) {
        if (!IsNumberText(way.Group) || !IsNumberText(way.ConsultIndex))
            continue;
        out += way.Group + kTab + EncodeWayText(way.Name) + kTab + EncodeWayText(way.Formula) + kTab +
               way.ConsultIndex + kTab + EncodeWayText(way.Consult) + kEnd;
    }
    return out;
}

int64_t FormulaStore::SectionsBytes() const
{
    // As SectionsText writes them: a TAB and a CR LF are one byte each.
    GbkByteCount count;
    int64_t lineEnds = 0;
    int64_t separators = 0;
    count.Add(QStringLiteral("[WAY_GROUP]\r\n[WAY]\r\n"));
    for (const QString& group : m_groups) {
        if (group.isEmpty())
            continue;
        AddEncoded(count, group, lineEnds);
        separators += 2;
    }
    for (const Way& way : m_ways) {
        if (!IsNumberText(way.Group) || !IsNumberText(way.ConsultIndex))
            continue;
        count.Add(way.Group);
        AddEncoded(count, way.Name, lineEnds);
        AddEncoded(count, way.Formula, lineEnds);
        count.Add(way.ConsultIndex);
        AddEncoded(count, way.Consult, lineEnds);
        separators += 4 + 2;
    }
    return count.Bytes() - lineEnds + separators;
}

void FormulaStore::ReadGroupValue(const QString& value)
{
    if (m_groups.size() < static_cast<size_t>(kMaxEntries))
        m_groups.push_back(DecodeWayText(value));
}

void FormulaStore::ReadWayValue(const QString& value)
{
    if (m_ways.size() >= static_cast<size_t>(kMaxEntries))
        return;
    const QStringList fields = value.split(QLatin1Char('\t'));
    if (fields.size() != 5)
        return;
    if (!IsNumberText(fields[0]) || !IsNumberText(fields[3]))
        return;
    const QString groupText = fields[0].left(5);
    const QString consultText = fields[3].left(5);
    const std::optional<int16_t> group = NumberTextToInt16(groupText);
    const std::optional<int16_t> consult = NumberTextToInt16(consultText);
    if (!group || !consult)
        return;
    Way way;
    way.Group = QString::number(*group);
    way.Name = DecodeWayText(fields[1]);
    way.Formula = DecodeWayText(fields[2]);
    way.Formula.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    way.ConsultIndex = consultText;
    if (*consult == OwnConsultIndex())
        way.Consult = DecodeWayText(fields[4]);
    m_ways.push_back(way);
}

}  // namespace kelton
