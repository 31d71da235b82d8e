#include "platform/name_tables.h"

#include <QStringList>

namespace kelton {

namespace {

template <size_t N>
QString NameOf(const std::array<const char16_t*, N>& table, int i)
{
    return i >= 0 && static_cast<size_t>(i) < N ? QString::fromUtf16(table[static_cast<size_t>(i)]) : QString();
}

}  // namespace

QString IndicatorName(int k) { return NameOf(kIndicatorNames, k); }
QString PlaceName(int p) { return NameOf(kPlaceNames, p); }
QString RankName(int k) { return NameOf(kRankNames, k); }
QString ViewName(int v) { return NameOf(kViewNames, v); }

QString FeatureLegend(int i)
{
    if (i < 0 || static_cast<size_t>(i) >= kFeatureLetters.size())
        return {};
    const auto& letters = kFeatureLetters[static_cast<size_t>(i)];
    QStringList items;
    items.reserve(27);
    for (int k = 0; k < 27; ++k) {
        const int a = k / 9, b = (k / 3) % 3, c = k % 3;
        items << QString::number(k) + QLatin1Char('=') + QString::fromUtf16(letters[static_cast<size_t>(a)])
                     + QString::fromUtf16(letters[static_cast<size_t>(b)])
                     + QString::fromUtf16(letters[static_cast<size_t>(c)]);
    }
    return items.join(QLatin1Char(';'));
}

}  // namespace kelton
