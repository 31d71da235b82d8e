#include "data/numeric_text.h"

#include <cmath>
#include <optional>

#include <QString>

#include <gtest/gtest.h>

namespace kelton {
namespace {

// Whole numbers take a quick path, everything else the decimal reading: both
// must agree on what a text is worth.
TEST(NumericText, IntegersReadAsTheDecimalReadingDoes)
{
    struct Row {
        const char16_t* Text;
        std::optional<int16_t> Int16;
        std::optional<int32_t> Int32;
        std::optional<double> Value;
    };
    const Row rows[] = {
        {u"12", 12, 12, 12},
        {u"  -3 ", -3, -3, -3},
        {u"+5", 5, 5, 5},
        {u"007", 7, 7, 7},
        {u"-0", 0, 0, -0.0},
        {u"32767", 32767, 32767, 32767},
        {u"32768", std::nullopt, 32768, 32768},
        {u"-32769", std::nullopt, -32769, -32769},
        {u"2147483648", std::nullopt, std::nullopt, 2147483648.0},
        {u"999999999999999", std::nullopt, std::nullopt, 999999999999999.0},
        {u"1234567890123456", std::nullopt, std::nullopt, 1234567890123456.0},
        {u"1.5", 2, 2, 1.5},
        {u"2.5", 2, 2, 2.5},
        {u"-2.5", -2, -2, -2.5},
        {u"", std::nullopt, std::nullopt, std::nullopt},
        {u"-", std::nullopt, std::nullopt, std::nullopt},
        {u"1e3", std::nullopt, std::nullopt, std::nullopt},
        {u"1 2", std::nullopt, std::nullopt, std::nullopt},
        {u"\t1", std::nullopt, std::nullopt, std::nullopt},
        {u"１", std::nullopt, std::nullopt, std::nullopt}, // a full-width digit
    };
    for (const Row& r : rows) {
        const QString text = QString::fromUtf16(r.Text);
        EXPECT_EQ(NumberTextToInt16(text), r.Int16) << text.toStdString();
        EXPECT_EQ(NumberTextToInt32(text), r.Int32) << text.toStdString();
        const std::optional<double> value = NumberTextValue(text);
        EXPECT_EQ(value, r.Value) << text.toStdString();
        if (value && r.Value) {
            EXPECT_EQ(std::signbit(*value), std::signbit(*r.Value)) << text.toStdString();
        }
    }
}

} // namespace
} // namespace kelton
