#include "data/filter_items.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

namespace {

constexpr int16_t kMaxIssues = 301;
constexpr int16_t kMaxMatchCount = 50;
constexpr int16_t kMaxPartner = 20;

const QString& AllIssuesText()
{
    static const QString text = QString::fromUtf8("全部");
    return text;
}

int16_t ReadMark(const QString& field)
{
    return field == QChar(kMarkYes) ? 1 : 0;
}

QString WriteMark(int16_t flag)
{
    return QString(QChar(flag != 0 ? kMarkYes : kMarkNo));
}

// A number field: non-numeric or empty reads as 0; false when the rounded
// value does not fit 16 bits.
bool ReadNumberField(const QString& field, int16_t& out)
{
    if (!IsNumberText(field)) {
        out = 0;
        return true;
    }
    const std::optional<int16_t> value = NumberTextToInt16(field);
    if (!value)
        return false;
    out = *value;
    return true;
}

// Flags the numbers of one blank-separated group in row. Non-numeric parts
// and numbers outside the row are skipped; false on a 16-bit overflow.
bool ReadNumberGroup(QStringView group, std::vector<int16_t>& row)
{
    for (QStringView part : group.split(QLatin1Char(' '))) {
        if (!IsNumberText(part))
            continue;
        const std::optional<int16_t> value = NumberTextToInt16(part);
        if (!value)
            return false;
        if (*value >= 0 && static_cast<size_t>(*value) < row.size())
            row[static_cast<size_t>(*value)] = 1;
    }
    return true;
}

QString WriteNumberRow(const std::vector<int16_t>& row)
{
    QStringList numbers;
    for (size_t v = 0; v < row.size(); ++v) {
        if (row[v] != 0)
            numbers << QString::number(v);
    }
    return numbers.join(QLatin1Char(' '));
}

}  // namespace

// ---- the shared list ----

template <class Item>
void FilterItemList<Item>::IniClass(const CLottorHead* head)
{
    if (head == nullptr)
        return;
    m_bound = true;
    m_bcMain = head->BcMain;
    m_bcDataLen = head->BcDataLen;
    m_template = IniItemTemplate();
    m_items.assign(1, Item{});
}

template <class Item>
bool FilterItemList<Item>::AddPerVal(QStringView line)
{
    if (!m_bound)
        return false;
    if (m_items.size() - 1 >= static_cast<size_t>(kMaxFilterItems))
        return false;

    Item item = m_template;
    QString text = TrimBlanks(line);
    if (text.isEmpty())
        text = QString(FieldCount() - 1, QLatin1Char('\t'));

    QStringList fields = text.split(QLatin1Char('\t'));
    if (fields.size() != FieldCount())
        return false;
    for (QString& field : fields)
        field = TrimBlanks(field);

    if (!ParseItem(fields, item))
        return false;
    m_items.push_back(std::move(item));
    return true;
}

template <class Item>
QString FilterItemList<Item>::PerVal(int16_t i) const
{
    if (i < 1 || i > ItemCount())
        return QString();
    return PrintItem(m_items[static_cast<size_t>(i)]).join(QLatin1Char('\t'));
}

template class FilterItemList<MatchItem>;
template class FilterItemList<HistoryItem>;
template class FilterItemList<GatherItem>;

// ---- match ----

MatchItem CFilterMatch::IniItemTemplate() const
{
    MatchItem item;
    const size_t rows = static_cast<size_t>(std::max<int>(m_bcMain, 0)) + 1;
    const size_t flags = static_cast<size_t>(std::max<int>(m_bcDataLen, 0)) + 1;
    item.Numbers.assign(rows, std::vector<int16_t>(flags, 0));
    return item;
}

bool CFilterMatch::ParseItem(const QStringList& fields, MatchItem& item) const
{
    item.Active = ReadMark(fields[0]);

    const QString& numbers = fields[1];
    if (!numbers.contains(QLatin1Char(','))) {
        item.AnyPosition = 1;
        if (!ReadNumberGroup(numbers, item.Numbers[0]))
            return false;
    } else {
        item.AnyPosition = 0;
        const QStringList groups = numbers.split(QLatin1Char(','));
        // The first group is the highest position; groups past position 1 are ignored.
        for (int g = 0; g < groups.size() && g < m_bcMain; ++g) {
            if (!ReadNumberGroup(groups[g], item.Numbers[static_cast<size_t>(m_bcMain - g)]))
                return false;
        }
    }

    item.Counts = StrToRange(fields[2], 0, m_bcMain);
    item.Remove = ReadMark(fields[3]);
    item.Tolerant = ReadMark(fields[4]);
    return true;
}

QStringList CFilterMatch::PrintItem(const MatchItem& item) const
{
    QString numbers;
    if (item.AnyPosition != 0) {
        numbers = WriteNumberRow(item.Numbers[0]);
    } else {
        QStringList groups;
        for (int p = m_bcMain; p >= 1; --p)
            groups << WriteNumberRow(item.Numbers[static_cast<size_t>(p)]);
        numbers = groups.join(QLatin1Char(','));
    }
    return {WriteMark(item.Active), numbers, RangeToStr(item.Counts), WriteMark(item.Remove),
            WriteMark(item.Tolerant)};
}

// ---- history draw ----

bool CFilterHistory::ParseItem(const QStringList& fields, HistoryItem& item) const
{
    item.Active = ReadMark(fields[0]);
    if (!ReadNumberField(fields[1], item.View))
        return false;
    if (!ReadNumberField(fields[2], item.Issues))
        return false;
    if (item.Issues > kMaxIssues)
        item.Issues = kMaxIssues;
    item.Counts = StrToRange(fields[3], 0, kMaxMatchCount);

    // Only a numeric kind within 0..2 is taken; anything else keeps the default.
    if (IsNumberText(fields[4])) {
        const std::optional<int16_t> kind = NumberTextToInt16(fields[4]);
        if (!kind)
            return false;
        if (*kind >= 0 && *kind <= 2)
            item.Kind = *kind;
    }

    item.Remove = ReadMark(fields[5]);
    item.Tolerant = ReadMark(fields[6]);
    return true;
}

QStringList CFilterHistory::PrintItem(const HistoryItem& item) const
{
    return {WriteMark(item.Active),
            QString::number(item.View),
            item.Issues > 0 ? QString::number(item.Issues) : AllIssuesText(),
            RangeToStr(item.Counts),
            QString::number(item.Kind),
            WriteMark(item.Remove),
            WriteMark(item.Tolerant)};
}

// ---- generating/restraining ----

bool CFilterGather::ParseItem(const QStringList& fields, GatherItem& item) const
{
    item.Active = ReadMark(fields[0]);
    if (!ReadNumberField(fields[1], item.View) || !ReadNumberField(fields[2], item.Kind) ||
        !ReadNumberField(fields[3], item.Master))
        return false;
    item.Partners = StrToRange(fields[4], 0, kMaxPartner);
    item.Remove = ReadMark(fields[5]);
    item.Tolerant = ReadMark(fields[6]);
    return true;
}

QStringList CFilterGather::PrintItem(const GatherItem& item) const
{
    return {WriteMark(item.Active),         QString::number(item.View), QString::number(item.Kind),
            QString::number(item.Master),   RangeToStr(item.Partners),  WriteMark(item.Remove),
            WriteMark(item.Tolerant)};
}

}  // namespace kelton
