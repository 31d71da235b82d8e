#include "formula/way_values.h"

#include <QSet>

#include "data/text_helpers.h"
#include "formula/way_number.h"

namespace kelton {

QStringView CutBrace(QStringView text)
{
    const QStringView t = TrimBlanksView(text);
    if (t.size() >= 2 && t.front() == QLatin1Char('{') && t.indexOf(QLatin1Char('}')) == t.size() - 1)
        return t.sliced(1, t.size() - 2);
    return t;
}

void StrToNums(QStringView text, std::vector<QStringView>& out)
{
    out.clear();
    const QStringView t = TrimBlanksView(CutBrace(text));
    if (t.isEmpty())
        return;
    ForEachPiece(t, [&out](QStringView piece) {
        if (IsWayNumber(piece))
            out.push_back(piece);
        return true;
    });
}

QStringView FirstNum(QStringView text)
{
    QStringView first;
    ForEachPiece(TrimBlanksView(CutBrace(text)), [&first](QStringView piece) {
        if (!IsWayNumber(piece))
            return true;
        first = piece;
        return false;
    });
    return first;
}

std::vector<QStringView> StrToNums(QStringView text)
{
    std::vector<QStringView> out;
    StrToNums(text, out);
    return out;
}

QString JoinNums(std::span<const QStringView> items)
{
    if (items.empty())
        return QString();
    qsizetype size = 1 + static_cast<qsizetype>(items.size());
    for (QStringView item : items)
        size += item.size();
    QString out;
    out.reserve(size);
    out += QLatin1Char('{');
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += QLatin1Char(';');
        out += items[i];
    }
    out += QLatin1Char('}');
    return out;
}

QString NumsToStr(std::span<const QStringView> items)
{
    std::vector<QStringView> numbers;
    numbers.reserve(items.size());
    for (QStringView item : items) {
        if (IsWayNumber(item))
            numbers.push_back(item);
    }
    return JoinNums(numbers);
}

QString OnlyNums(QStringView text)
{
    const std::vector<QStringView> items = StrToNums(text);
    std::vector<bool> keep(items.size(), false);
    QSet<QStringView> later;
    for (size_t i = items.size(); i-- > 0;) {
        if (!later.contains(items[i])) {
            keep[i] = true;
            later.insert(items[i]);
        }
    }
    std::vector<QStringView> kept;
    for (size_t i = 0; i < items.size(); ++i) {
        if (keep[i])
            kept.push_back(items[i]);
    }
    return JoinNums(kept);
}

}  // namespace kelton
