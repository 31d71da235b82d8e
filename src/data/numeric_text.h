#pragma once

#include <cstdint>
#include <optional>

#include <QStringView>

namespace kelton {

// Whether a text reads as a plain decimal number: blanks around it, an
// optional sign, digits with an optional decimal fraction ("12", "-3.5",
// ".5", "7."). Nothing else counts: no exponent, no thousands separator.
bool IsNumberText(QStringView text);

// The value of a number text; nullopt when it is not one.
std::optional<double> NumberTextValue(QStringView text);

// A number text converted to a 16-bit / 32-bit integer, rounded to the
// nearest whole number with halves to even; nullopt when it is not a number
// or does not fit.
std::optional<int16_t> NumberTextToInt16(QStringView text);
std::optional<int32_t> NumberTextToInt32(QStringView text);

}  // namespace kelton
