#include "data/lotto_items.h"

#include <limits>

#include "data/text_helpers.h"

namespace kelton {

namespace {

constexpr qsizetype kMaxCount = std::numeric_limits<int16_t>::max();
const QString kCrLf = QStringLiteral("\r\n");

} // namespace

bool CLottoItem::IsGame(int index) const
{
    return index >= 0 && index < static_cast<int>(m_items.size()) &&
           !m_items[static_cast<size_t>(index)].Name.isEmpty();
}

void CLottoItem::CheckSelectItem()
{
    if (IsGame(m_select))
        return;
    m_select = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (IsGame(static_cast<int>(i))) {
            m_select = static_cast<int16_t>(i);
            return;
        }
    }
}

void CLottoItem::CompactLottoItems()
{
    std::vector<Item> kept;
    int16_t select = m_select;
    bool selectKept = false;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Name.isEmpty())
            continue;
        if (static_cast<int>(i) == m_select) {
            select = static_cast<int16_t>(kept.size());
            selectKept = true;
        }
        kept.push_back(m_items[i]);
    }
    m_items = std::move(kept);
    m_select = selectKept ? select : int16_t(-1);
    CheckSelectItem();
}

QString CLottoItem::InfoStr()
{
    CompactLottoItems();
    QString out = QStringLiteral("[LOTTOITEM_GROUP]") + kCrLf;
    for (const QString& group : m_groups) {
        if (!group.isEmpty())
            out += group + kCrLf;
    }
    out += QStringLiteral("[LOTTOITEM_DATA]") + kCrLf;
    // The reader unescapes all three fields: the groups are escaped too, so
    // that a TAB or line break in them cannot split the game's line (indexes
    // and blanks are written as they are).
    for (const Item& item : m_items)
        out += CodeIniStr(TrimBlanks(item.Groups), false) + QLatin1Char('\t') + CodeIniStr(item.Name, false) +
               QLatin1Char('\t') + CodeIniStr(item.Path, false) + kCrLf;
    out += QStringLiteral("[LOTTOITEM_SELECT]") + kCrLf + QString::number(m_select);
    return out;
}

void CLottoItem::SetInfoStr(const QString& text)
{
    if (text.isEmpty())
        return;
    // Our own text, always CR LF: a lone LF inside a name is part of it.
    IniReader reader(text.split(kCrLf));
    while (reader.Next()) {
        const QString& section = reader.Section();
        const QString& line = reader.Line();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString value = eq >= 0 ? TrimBlanks(QStringView(line).mid(eq + 1)) : TrimBlanks(line);
        if (value.isEmpty())
            continue;

        if (section == QLatin1String("LOTTOITEM_GROUP")) {
            if (m_groups.size() < kMaxCount)
                m_groups.append(value);
        } else if (section == QLatin1String("LOTTOITEM_DATA")) {
            const QStringList fields = value.split(QLatin1Char('\t'));
            if (fields.size() != 3)
                continue;
            // A game without a name is a deleted one: it keeps its place, so
            // that the default game's index still names the same game, and
            // leaves at the next compaction.
            LottoAdd(CodeIniStr(fields[0], true), CodeIniStr(fields[1], true), CodeIniStr(fields[2], true));
        } else if (section == QLatin1String("LOTTOITEM_SELECT")) {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (ok && number >= std::numeric_limits<int16_t>::min() &&
                number <= std::numeric_limits<int16_t>::max())
                m_select = static_cast<int16_t>(RoundHalfEven(number));
        }
    }
    CheckSelectItem();
}

QString CLottoItem::LottoItemGet(int16_t sIndex, int16_t sKind) const
{
    if (sIndex < 0 || sIndex >= LottoCount())
        return QString();
    const Item& item = m_items[static_cast<size_t>(sIndex)];
    switch (sKind) {
    case kItemGroups:
        return item.Groups;
    case kItemName:
        return item.Name;
    case kItemPath:
        return item.Path;
    default:
        return QString();
    }
}

bool CLottoItem::LottoAdd(const QString& sLottoGroup, const QString& sName, const QString& sLottoPath)
{
    if (static_cast<qsizetype>(m_items.size()) >= kMaxCount)
        return false;
    m_items.push_back(Item{QLatin1Char(' ') + TrimBlanks(sLottoGroup) + QLatin1Char(' '), sName, sLottoPath});
    return true;
}

bool CLottoItem::LottoDel(int16_t sIndex)
{
    if (sIndex < 0 || sIndex >= LottoCount())
        return false;
    m_items[static_cast<size_t>(sIndex)] = Item{};
    return true;
}

QString CLottoItem::LottoGroupGet(int16_t sIndex) const
{
    if (sIndex < 0 || sIndex >= LottoGroupCount())
        return QString();
    return m_groups[sIndex];
}

bool CLottoItem::LottoGroupAdd(const QString& sName)
{
    if (sName.isEmpty() || m_groups.size() >= kMaxCount)
        return false;
    m_groups.append(sName);
    return true;
}

void CLottoItem::SetSelectItem(int16_t index)
{
    if (IsGame(index))
        m_select = index;
}

} // namespace kelton
