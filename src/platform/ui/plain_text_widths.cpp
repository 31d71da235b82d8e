#include "platform/ui/plain_text_widths.h"

#include <cmath>
#include <string_view>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>

namespace kelton {

namespace {

constexpr bool AllInRange(std::u16string_view chars, char16_t first, char16_t last)
{
    for (const char16_t c : chars)
        if (c < first || c > last)
            return false;
    return true;
}

} // namespace

CPlainTextWidths::CPlainTextWidths(const QFont& font)
{
    static_assert(AllInRange(kChars, kFirst, kLast));
    m_advance64.fill(kUnknown);
    const QFontMetricsF metrics(font);
    for (const char16_t c : std::u16string_view(kChars)) {
        const double advance = metrics.horizontalAdvance(QChar(c)) * 64.0;
        // The layout adds advances in 64ths of a pixel; one that is not a
        // whole number of them, or none at all, cannot be added up here.
        if (!(advance > 0) || advance > 1 << 20 || std::fabs(advance - std::round(advance)) > 1e-6)
            return;
        m_advance64[c - kFirst] = static_cast<int>(std::lround(advance));
    }
    m_usable = Check(font);
}

bool CPlainTextWidths::Check(const QFont& font) const
{
    // Kerning acts between neighbours and rounding shows over a run, so
    // every pair and a few runs of each character stand for all texts.
    const QFontMetrics metrics(font);
    const std::u16string_view chars(kChars);
    const auto agrees = [&](const QString& text) {
        int64_t sum = 0;
        for (const QChar c : text)
            sum += m_advance64[c.unicode() - kFirst];
        return Summed(sum) == metrics.horizontalAdvance(text);
    };
    for (const char16_t a : chars)
        for (const char16_t b : chars)
            if (!agrees(QString(QChar(a)) + QChar(b)))
                return false;
    for (const char16_t c : chars)
        for (const int run : {3, 6, 9, 12})
            if (!agrees(QString(run, QChar(c))))
                return false;
    return true;
}

std::optional<int> CPlainTextWidths::Of(QStringView text) const
{
    if (!m_usable)
        return std::nullopt;
    int64_t sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < kFirst || u > kLast)
            return std::nullopt;
        const int advance = m_advance64[u - kFirst];
        if (advance == kUnknown)
            return std::nullopt;
        sum += advance;
    }
    return Summed(sum);
}

} // namespace kelton
