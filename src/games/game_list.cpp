#include "games/game_list.h"

#include <algorithm>
#include <numeric>

#include "data/lotto_items.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

QString GroupKey(int16_t g)
{
    return QLatin1Char(' ') + QString::number(g) + QLatin1Char(' ');
}

std::vector<int16_t> GamesOfGroup(const CLottoItem& items, int16_t g)
{
    const QString key = GroupKey(g);
    std::vector<int16_t> games;
    for (int16_t i = 0; i < items.LottoCount(); ++i) {
        if (items.LottoItemGet(i, CLottoItem::kItemGroups).contains(key))
            games.push_back(i);
    }
    return games;
}

QString GameGroupText(const CLottoItem& items, int16_t index)
{
    QString text;
    const QString field = items.LottoItemGet(index, CLottoItem::kItemGroups);
    for (const QString& entry : field.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (const std::optional<int16_t> g = NumberTextToInt16(entry))
            text += items.LottoGroupGet(*g);
    }
    return text;
}

std::vector<int32_t> GameSearchScores(const CLottoItem& items, QStringView keyword)
{
    const QString s = TrimBlanks(keyword);
    const int16_t n = items.LottoCount();
    std::vector<int32_t> scores(static_cast<size_t>(std::max<int16_t>(n, 0)), 0);
    if (s.isEmpty())
        return scores;
    // Characters, not UTF-16 units: a character outside the basic plane is
    // one character of the keyword.
    const QList<uint> characters = s.toUcs4();
    const auto length = static_cast<int32_t>(characters.size());

    for (int16_t i = 0; i < n; ++i) {
        const QString name = TrimBlanks(items.LottoItemGet(i, CLottoItem::kItemName));
        if (name.isEmpty())
            continue;
        const QString groups = GameGroupText(items, i);
        int32_t& score = scores[static_cast<size_t>(i)];
        if (name.contains(s, Qt::CaseInsensitive))
            score += 2 * length;
        if (!groups.isEmpty() && groups.contains(s, Qt::CaseInsensitive))
            score += length;
        for (const uint c : characters) {
            if (c == u' ')
                continue;
            const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
            if (name.contains(one, Qt::CaseInsensitive))
                score += 2;
            if (!groups.isEmpty() && groups.contains(one, Qt::CaseInsensitive))
                score += 1;
        }
    }
    return scores;
}

std::vector<int16_t> SearchGames(const CLottoItem& items, QStringView keyword)
{
    const std::vector<int32_t> scores = GameSearchScores(items, keyword);
    std::vector<int16_t> order(scores.size());
    std::iota(order.begin(), order.end(), int16_t(0));
    std::stable_sort(order.begin(), order.end(), [&scores](int16_t a, int16_t b) {
        return scores[static_cast<size_t>(a)] > scores[static_cast<size_t>(b)];
    });
    std::erase_if(order, [&](int16_t i) {
        return scores[static_cast<size_t>(i)] <= 0 || items.LottoItemGet(i, CLottoItem::kItemName).isEmpty();
    });
    return order;
}

QString AddedGameGroups(int16_t g)
{
    return QStringLiteral("0 ") + QString::number(g);
}

} // namespace kelton
