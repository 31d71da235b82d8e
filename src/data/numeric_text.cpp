#include "data/numeric_text.h"

#include <cmath>
#include <limits>

#include "data/text_helpers.h"

namespace kelton {

bool IsNumberText(QStringView text)
{
    const QStringView t = TrimBlanksView(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

namespace {

// A plain whole number (blanks around it, an optional sign, up to 15
// digits): its value exactly as the decimal reading gives it; nullopt for
// any other text.
std::optional<int64_t> PlainInteger(QStringView text)
{
    const QStringView t = TrimBlanksView(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    const qsizetype digits = t.size() - i;
    if (digits < 1 || digits > 15)
        return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> NumberTextValue(QStringView text)
{
    // Whole numbers, the common case, are read without the locale's parser;
    // a zero goes the long way to keep the sign it was written with.
    if (const std::optional<int64_t> plain = PlainInteger(text); plain && *plain != 0)
        return static_cast<double>(*plain);
    if (!IsNumberText(text))
        return std::nullopt;
    bool ok = false;
    const double value = TrimBlanks(text).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

template <typename T>
std::optional<T> ToInteger(QStringView text)
{
    if (const std::optional<int64_t> plain = PlainInteger(text)) {
        if (*plain < std::numeric_limits<T>::min() || *plain > std::numeric_limits<T>::max())
            return std::nullopt;
        return static_cast<T>(*plain);
    }
    const std::optional<double> value = NumberTextValue(text);
    if (!value)
        return std::nullopt;
    // Beyond this the rounding below could not be trusted; it is out of range
    // for every integer type used here anyway.
    if (std::fabs(*value) > 1e15)
        return std::nullopt;
    const int64_t rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(rounded);
}

}  // namespace

std::optional<int16_t> NumberTextToInt16(QStringView text)
{
    return ToInteger<int16_t>(text);
}

std::optional<int32_t> NumberTextToInt32(QStringView text)
{
    return ToInteger<int32_t>(text);
}

}  // namespace kelton
