#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringView>

namespace kelton {

// A number item of the formula language, read exactly: blanks, an optional
// sign, digits with an optional decimal point and fraction (".5" and "5."
// too), an optional exponent ("1e3", "2.5E-2"), blanks. Nothing else is a
// number: no "inf", "nan", hexadecimal, thousands separator or currency sign.
//
// The value is Digits x 10^Exponent, with Sticky set when non-zero digits
// beyond the kept ones were dropped (they only decide a rounding: a number
// that needs them is far outside every range the language reads into).
struct WayDecimal {
    static constexpr int kKeep = 20;

    bool Negative = false;
    uint8_t Digits[kKeep] = {};
    int8_t DigitCount = 0;
    bool Sticky = false;
    int32_t Exponent = 0;

    bool IsZero() const { return DigitCount == 0; }

    // Reads a number item; false for any other text.
    static bool Scan(QStringView text, WayDecimal& out);
};

bool IsWayNumber(QStringView text);

enum class WayRounding : uint8_t { HalfEven, TowardZero };

// The value times 10^scale as a whole number in lo..hi; nullopt when it
// does not fit.
std::optional<int64_t> WayScaled(const WayDecimal& d, int scale, WayRounding rounding, int64_t lo, int64_t hi);

// Fixed-point decimal of the language: a 64-bit count of ten-thousandths.
using WayFixed = int64_t;
inline constexpr int64_t kWayFixedOne = 10000;

// The item's value rounded to four decimals (halves to even); nullopt
// outside the 64-bit range.
std::optional<WayFixed> WayFixedOf(const WayDecimal& d);
// The item's value rounded to a whole number (halves to even) in lo..hi.
std::optional<int64_t> WayIntegerOf(const WayDecimal& d, int64_t lo, int64_t hi);
// The item's value in double precision; nullopt beyond the double range.
std::optional<double> WayDoubleOf(QStringView item);

// The plain decimal form: "3", "3.5", "-0.25".
QString WayFixedText(WayFixed value);
// A double with up to 15 significant digits ("0.333333333333333"); far from
// 1 in exponent form ("1e+20"), which reads back as a number item.
QString WayDoubleText(double value);
// A whole double in plain decimal form, all its digits.
QString WayWholeText(double value);

// Fixed-point arithmetic with 128-bit intermediates; nullopt on overflow. A
// product is rounded to four decimals, halves to even.
std::optional<WayFixed> WayAdd(WayFixed a, WayFixed b);
std::optional<WayFixed> WaySub(WayFixed a, WayFixed b);
std::optional<WayFixed> WayMul(WayFixed a, WayFixed b);

}  // namespace kelton
