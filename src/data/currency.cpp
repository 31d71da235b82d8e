#include "data/currency.h"

#include <cmath>

#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

std::optional<Currency> Currency::FromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = value * 10000.0;
    if (std::fabs(scaled) >= 9.2e18)
        return std::nullopt;
    return FromRaw(RoundHalfEven(scaled));
}

std::optional<Currency> Currency::FromText(QStringView text)
{
    if (!IsNumberText(text))
        return std::nullopt;
    // Exact decimal arithmetic: whole part, then four decimals, the fifth and
    // later digits deciding the rounding (halves to even).
    const QString t = TrimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    int64_t raw = 0;
    for (; i < t.size() && t[i] != QLatin1Char('.'); ++i) {
        const int digit = t[i].unicode() - u'0';
        if (raw > 92233720368546)  // keeps raw * 10000 + 9999 + 1 in range
            return std::nullopt;
        raw = raw * 10 + digit;
    }
    raw *= 10000;
    int64_t fraction = 0;
    int fractionDigits = 0;
    bool restNonZero = false;
    int roundDigit = -1;
    if (i < t.size())
        ++i;  // the point
    for (; i < t.size(); ++i) {
        const int digit = t[i].unicode() - u'0';
        if (fractionDigits < 4) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else if (roundDigit < 0) {
            roundDigit = digit;
        } else if (digit != 0) {
            restNonZero = true;
        }
    }
    for (; fractionDigits < 4; ++fractionDigits)
        fraction *= 10;
    raw += fraction;
    if (roundDigit > 5 || (roundDigit == 5 && (restNonZero || (raw % 2) != 0))) {
        ++raw;
    }
    return FromRaw(negative ? -raw : raw);
}

QString Currency::ToText() const
{
    const bool negative = m_raw < 0;
    // Unsigned, so that the smallest value has a magnitude too.
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(m_raw) : static_cast<uint64_t>(m_raw);
    QString text = QString::number(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

}  // namespace kelton
