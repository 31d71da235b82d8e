#pragma once

#include <compare>
#include <cstdint>
#include <optional>

#include <QString>
#include <QStringView>

namespace kelton {

// A money amount in fixed point with four decimals, kept as a count of
// ten-thousandths (the prize table's type).
class Currency {
public:
    constexpr Currency() = default;

    static constexpr Currency FromRaw(int64_t tenThousandths)
    {
        Currency c;
        c.m_raw = tenThousandths;
        return c;
    }
    static constexpr Currency FromUnits(int64_t units) { return FromRaw(units * 10000); }
    // Rounded to four decimals, halves to even; nullopt beyond the range.
    static std::optional<Currency> FromDouble(double value);
    // Plain decimal text (blanks around it, an optional sign, digits and an
    // optional fraction), rounded to four decimals with halves to even;
    // nullopt when the text is not such a number or does not fit.
    static std::optional<Currency> FromText(QStringView text);

    constexpr int64_t Raw() const { return m_raw; }
    double ToDouble() const { return static_cast<double>(m_raw) / 10000.0; }
    // The shortest decimal form: "1000", "0.5", "-12.3456".
    QString ToText() const;

    friend constexpr auto operator<=>(const Currency&, const Currency&) = default;

private:
    int64_t m_raw = 0;
};

}  // namespace kelton
