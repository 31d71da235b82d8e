#include "formula/way_number.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "data/currency.h"

namespace kelton {

namespace {

__extension__ using u128 = unsigned __int128;
__extension__ using i128 = __int128;

constexpr int32_t kExponentClamp = 1000000;

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

u128 Pow10(int n)
{
    u128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

std::optional<int64_t> Fit(i128 v, int64_t lo, int64_t hi)
{
    if (v < lo || v > hi)
        return std::nullopt;
    return static_cast<int64_t>(v);
}

// Divides with rounding to the nearest, halves to even.
i128 DivideHalfEven(i128 num, i128 den)
{
    i128 q = num / den;
    i128 r = num % den;
    if (r == 0)
        return q;
    const bool negative = (num < 0) != (den < 0);
    const i128 twice = (r < 0 ? -r : r) * 2;
    const i128 absDen = den < 0 ? -den : den;
    if (twice > absDen || (twice == absDen && (q % 2) != 0))
        q += negative ? -1 : 1;
    return q;
}

}  // namespace

bool WayDecimal::Scan(QStringView text, WayDecimal& out)
{
    out = WayDecimal();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        out.Negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int digits = 0;
    auto take = [&out](int digit, bool fraction) {
        if (out.DigitCount == 0 && digit == 0) {
            if (fraction)
                --out.Exponent;  // a leading zero after the point
            return;
        }
        if (out.DigitCount < kKeep) {
            out.Digits[out.DigitCount++] = static_cast<uint8_t>(digit);
            if (fraction)
                --out.Exponent;
            return;
        }
        if (digit != 0)
            out.Sticky = true;
        if (!fraction)
            ++out.Exponent;  // a whole digit beyond those kept
    };
    for (; i < n && IsDigit(text[i]); ++i, ++digits)
        take(text[i].unicode() - u'0', false);
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        for (; i < n && IsDigit(text[i]); ++i, ++digits)
            take(text[i].unicode() - u'0', true);
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool negative = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            negative = text[i] == QLatin1Char('-');
            ++i;
        }
        int32_t e = 0;
        int expDigits = 0;
        for (; i < n && IsDigit(text[i]); ++i, ++expDigits)
            e = std::min(kExponentClamp, e * 10 + (text[i].unicode() - u'0'));
        if (expDigits == 0)
            return false;
        out.Exponent += negative ? -e : e;
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return false;
    if (out.DigitCount == 0) {
        out.Negative = false;
        out.Exponent = 0;
    }
    return true;
}

bool IsWayNumber(QStringView text)
{
    WayDecimal d;
    return WayDecimal::Scan(text, d);
}

std::optional<int64_t> WayScaled(const WayDecimal& d, int scale, WayRounding rounding, int64_t lo, int64_t hi)
{
    if (d.IsZero())
        return Fit(0, lo, hi);
    u128 whole = 0;
    for (int k = 0; k < d.DigitCount; ++k)
        whole = whole * 10 + d.Digits[k];
    const int64_t shift = int64_t{d.Exponent} + scale;
    int first = 0;          // the first digit dropped
    bool rest = d.Sticky;   // a non-zero digit after it
    if (shift >= 0) {
        // At least 10^(DigitCount - 1 + shift): beyond 64 bits past 20 digits.
        if (d.DigitCount + shift > 20)
            return std::nullopt;
        whole *= Pow10(static_cast<int>(shift));
    } else if (-shift > d.DigitCount) {
        rest = rest || whole != 0;
        whole = 0;
    } else {
        const int cut = static_cast<int>(-shift);
        const u128 below = Pow10(cut - 1);
        first = static_cast<int>((whole / below) % 10);
        rest = rest || (whole % below) != 0;
        whole /= below * 10;
    }
    if (rounding == WayRounding::HalfEven && (first > 5 || (first == 5 && (rest || (whole % 2) != 0))))
        ++whole;
    const i128 signedValue = d.Negative ? -static_cast<i128>(whole) : static_cast<i128>(whole);
    return Fit(signedValue, lo, hi);
}

std::optional<WayFixed> WayFixedOf(const WayDecimal& d)
{
    return WayScaled(d, 4, WayRounding::HalfEven, std::numeric_limits<int64_t>::min(),
                     std::numeric_limits<int64_t>::max());
}

std::optional<int64_t> WayIntegerOf(const WayDecimal& d, int64_t lo, int64_t hi)
{
    return WayScaled(d, 0, WayRounding::HalfEven, lo, hi);
}

std::optional<double> WayDoubleOf(QStringView item)
{
    // The item was scanned already: only blanks, a sign, digits, a point and
    // an exponent, all ASCII.
    char buffer[128];
    std::string big;
    char* begin = buffer;
    qsizetype len = 0;
    QStringView t = item.trimmed();
    if (!t.isEmpty() && t.front() == QLatin1Char('+'))
        t = t.mid(1);
    if (t.size() >= qsizetype(sizeof buffer)) {
        big.resize(static_cast<size_t>(t.size()));
        begin = big.data();
    }
    for (QChar c : t)
        begin[len++] = static_cast<char>(c.unicode());
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, begin + len, value);
    if (end != begin + len)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range of doubles: too large does not fit, too small is 0.
        WayDecimal d;
        if (!WayDecimal::Scan(item, d) || int64_t{d.Exponent} + d.DigitCount > 0)
            return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString WayFixedText(WayFixed value)
{
    return Currency::FromRaw(value).ToText();
}

QString WayDoubleText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString WayWholeText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (std::fabs(value) < 9.0e15)
        return QString::number(static_cast<int64_t>(value));
    return QString::number(value, 'f', 0);
}

std::optional<WayFixed> WayAdd(WayFixed a, WayFixed b)
{
    return Fit(i128{a} + b, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
}

std::optional<WayFixed> WaySub(WayFixed a, WayFixed b)
{
    return Fit(i128{a} - b, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
}

std::optional<WayFixed> WayMul(WayFixed a, WayFixed b)
{
    return Fit(DivideHalfEven(i128{a} * b, kWayFixedOne), std::numeric_limits<int64_t>::min(),
               std::numeric_limits<int64_t>::max());
}

}  // namespace kelton
