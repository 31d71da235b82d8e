#include "data/value_set.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include <QRegularExpression>

#include "data/text_helpers.h"

namespace kelton {

namespace {

bool IsNumericToken(const QString& token)
{
    static const QRegularExpression kNumber(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return kNumber.match(token).hasMatch();
}

// Converts one numeric token: the fraction is cut off, only the last five
// characters count, the absolute value is clamped to the bounds. A cut that
// leaves a bare sign (as "-.5" does) reads as 0. A text the cut leaves
// unreadable yields no number.
std::optional<int16_t> NumberToken(QString token, int16_t sLow, int16_t sHigh)
{
    const qsizetype dot = token.indexOf(QLatin1Char('.'));
    if (dot == 0)
        token = QStringLiteral("0");
    else if (dot > 0)
        token.truncate(dot);
    if (token.size() > 5)
        token = token.right(5);

    double value = 0;
    if (token != QLatin1String("-") && token != QLatin1String("+") && !token.isEmpty()) {
        bool ok = false;
        value = token.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    value = std::fabs(value);
    int64_t whole;
    if (!std::isfinite(value) || value > static_cast<double>(std::numeric_limits<int32_t>::max()))
        whole = sHigh;  // too large for any bound: the high bound
    else
        whole = RoundHalfEven(value);
    whole = std::max<int64_t>(whole, sLow);
    whole = std::min<int64_t>(whole, sHigh);
    return static_cast<int16_t>(whole);
}

}  // namespace

ValueSet StrToRange(QStringView text, int16_t sLow, int16_t sHigh)
{
    ValueSet result;
    const QString trimmed = TrimBlanks(text);
    if (trimmed.isEmpty())
        return result;

    std::vector<ValueRange> pairs;
    for (const QString& piece : trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString token = TrimBlanks(piece);
        int lo = -1;
        int hi = -1;
        if (IsNumericToken(token)) {
            if (auto v = NumberToken(token, sLow, sHigh))
                lo = hi = *v;
        } else {
            const QStringList parts = token.split(QLatin1Char('-'));
            for (int k = 0; k < 2 && k < parts.size(); ++k) {
                const QString part = TrimBlanks(parts[k]);
                if (!IsNumericToken(part))
                    continue;
                if (auto v = NumberToken(part, sLow, sHigh))
                    (k == 0 ? lo : hi) = *v;
            }
        }
        if (lo == -1 && hi != -1)
            lo = hi;
        else if (hi == -1 && lo != -1)
            hi = lo;
        if (lo == -1 && hi == -1)
            break;
        if (lo > hi)
            std::swap(lo, hi);
        pairs.push_back({static_cast<int16_t>(lo), static_cast<int16_t>(hi)});
    }

    std::sort(pairs.begin(), pairs.end(), [](const ValueRange& a, const ValueRange& b) {
        return a.Low != b.Low ? a.Low < b.Low : a.High < b.High;
    });

    // Join overlapping and touching ranges; the +1 is taken in 32 bits so a
    // range ending at 32767 cannot wrap.
    for (size_t i = 0; i < pairs.size();) {
        ValueRange current = pairs[i++];
        while (i < pairs.size() && int32_t{pairs[i].Low} <= int32_t{current.High} + 1) {
            current.High = std::max(current.High, pairs[i].High);
            ++i;
        }
        result.Append(current);
    }
    return result;
}

QString RangeToStr(const ValueSet& set)
{
    QString out;
    for (int i = 1; i <= set.Count(); ++i) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        const ValueRange& r = set[i];
        out += QString::number(r.Low);
        if (r.Low != r.High)
            out += QLatin1Char('-') + QString::number(r.High);
    }
    return out;
}

}  // namespace kelton
