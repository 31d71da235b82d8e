#include "data/currency.h"

#include <gtest/gtest.h>

#include "data/numeric_text.h"
#include "support/test_support.h"

namespace kelton {
namespace {

TEST(CurrencyTest, ReadsAndWritesDecimalText)
{
    const struct {
        const char* text;
        bool ok;
        int64_t raw;
        const char* written;
    } cases[] = {
        {"1000", true, 10000000, "1000"},
        {" 320 ", true, 3200000, "320"},
        {"0.5", true, 5000, "0.5"},
        {".25", true, 2500, "0.25"},
        {"-12.3456", true, -123456, "-12.3456"},
        {"+7.", true, 70000, "7"},
        {"0.00005", true, 0, "0"},          // half to even: down to 0
        {"0.00015", true, 2, "0.0002"},     // half to even: up to 2
        {"0.000051", true, 1, "0.0001"},    // above half
        {"922337203685469.9999", true, 9223372036854699999, "922337203685469.9999"},
        {"922337203685477", false, 0, ""},  // beyond the range
        {"1e3", false, 0, ""},
        {"12,5", false, 0, ""},
        {"", false, 0, ""},
        {"-", false, 0, ""},
        {"1.2.3", false, 0, ""},
    };
    for (const auto& c : cases) {
        const std::optional<Currency> value = Currency::FromText(QString::fromUtf8(c.text));
        ASSERT_EQ(value.has_value(), c.ok) << c.text;
        if (!c.ok)
            continue;
        EXPECT_EQ(value->Raw(), c.raw) << c.text;
        EXPECT_EQ(value->ToText(), QString::fromUtf8(c.written)) << c.text;
    }
    EXPECT_EQ(Currency::FromRaw(INT64_MIN).ToText(), QStringLiteral("-922337203685477.5808"));
}

TEST(NumericTextTest, ConvertsToIntegers)
{
    const struct {
        const char* text;
        std::optional<int16_t> int16;
        std::optional<int32_t> int32;
    } cases[] = {
        {"9.5", 10, 10},          {"8.5", 8, 8},        {"-0.5", 0, 0},
        {"32767.4", 32767, 32767}, {"32767.5", std::nullopt, 32768},
        {"-32768", -32768, -32768}, {"70000", std::nullopt, 70000},
        {"99999999999", std::nullopt, std::nullopt}, {"abc", std::nullopt, std::nullopt},
        {"1 2", std::nullopt, std::nullopt}, {"\t1", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberTextToInt16(QString::fromUtf8(c.text)), c.int16) << c.text;
        EXPECT_EQ(NumberTextToInt32(QString::fromUtf8(c.text)), c.int32) << c.text;
    }
}

}  // namespace
}  // namespace kelton
