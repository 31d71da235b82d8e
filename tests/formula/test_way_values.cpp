// Number items, number-set texts and the order table of the formula engine.

#include <gtest/gtest.h>

#include "formula/way.h"
#include "formula/way_number.h"
#include "formula/way_values.h"
#include "support/test_support.h"

namespace kelton {
namespace {

QString Items(QStringView text)
{
    QStringList out;
    for (QStringView item : StrToNums(text))
        out << QLatin1Char('[') + item.toString() + QLatin1Char(']');
    return out.join(QString());
}

TEST(WayNumberTest, NumberItemsAcceptedAndRefused)
{
    for (const char* yes : {"7", " 7 ", "+5", "-5", "1.50", "1e3", "05", ".5", "5.", "2.5E-2", "1e+3", "0"})
        EXPECT_TRUE(IsWayNumber(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "x", "{1", "1,000", "0x10", "inf", "nan", "1e", "--1", "+-1", ".", "1e+",
                           "1 000", "- 5", "1.2.3", "1e3.5", "\t7", "７"})
        EXPECT_FALSE(IsWayNumber(QString::fromUtf8(no))) << no;
}

// Whole numbers and fixed-point values, halves to even.
TEST(WayNumberTest, Rounding)
{
    const struct {
        const char* text;
        int64_t whole;
        int64_t fixed;  // ten-thousandths
    } cases[] = {
        {"2.5", 2, 25000},
        {"3.5", 4, 35000},
        {"-2.5", -2, -25000},
        {"2.50001", 3, 25000},
        {"0.00005", 0, 0},
        {"0.00015", 0, 2},
        {"0.000150001", 0, 2},
        {"1.23456", 1, 12346},
        {"1e3", 1000, 10000000},
        {"25e-1", 2, 25000},
        {"-0", 0, 0},
        {"000123.4500", 123, 1234500},
        {"922337203685477.5807", 922337203685478, INT64_MAX},
    };
    for (const auto& c : cases) {
        WayDecimal d;
        ASSERT_TRUE(WayDecimal::Scan(QString::fromLatin1(c.text), d)) << c.text;
        EXPECT_EQ(WayIntegerOf(d, INT64_MIN, INT64_MAX), c.whole) << c.text;
        EXPECT_EQ(WayFixedOf(d), c.fixed) << c.text;
    }
    // Beyond the ranges.
    for (const char* text : {"922337203685477.5808", "1e15", "1e999999999999", "-1e300"}) {
        WayDecimal d;
        ASSERT_TRUE(WayDecimal::Scan(QString::fromLatin1(text), d));
        EXPECT_FALSE(WayFixedOf(d)) << text;
    }
    WayDecimal d;
    ASSERT_TRUE(WayDecimal::Scan(u"32767.4", d));
    EXPECT_EQ(WayIntegerOf(d, -32768, 32767), 32767);
    ASSERT_TRUE(WayDecimal::Scan(u"32767.5", d));
    EXPECT_FALSE(WayIntegerOf(d, -32768, 32767));
    ASSERT_TRUE(WayDecimal::Scan(u"1e-999999999", d));
    EXPECT_EQ(WayFixedOf(d), 0);
}

TEST(WayNumberTest, FixedArithmeticAndTexts)
{
    EXPECT_EQ(WayMul(4000000000, 4000000000), 1600000000000000);  // 400000 * 400000
    EXPECT_EQ(WayMul(5000, 5000), 2500);
    EXPECT_EQ(WayMul(1, 5000), 0);   // 0.00005 to even
    EXPECT_EQ(WayMul(3, 5000), 2);   // 0.00015 to even
    EXPECT_FALSE(WayMul(INT64_MAX, 20000));
    EXPECT_FALSE(WayAdd(INT64_MAX, 1));
    EXPECT_EQ(WayFixedText(35000), QStringLiteral("3.5"));
    EXPECT_EQ(WayFixedText(-2500), QStringLiteral("-0.25"));
    EXPECT_EQ(WayFixedText(30000), QStringLiteral("3"));
    EXPECT_EQ(WayDoubleText(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(WayDoubleText(-0.0), QStringLiteral("0"));
    EXPECT_TRUE(IsWayNumber(WayDoubleText(1e20)));
    EXPECT_TRUE(IsWayNumber(WayDoubleText(1.5e-7)));
    EXPECT_EQ(WayWholeText(1e20), QStringLiteral("100000000000000000000"));
}

TEST(WayValuesTest, ReadingAndWriting)
{
    const struct {
        const char* text;
        const char* items;
    } cases[] = {
        {"", ""},
        {"{}", ""},
        {"{1;5;9}", "[1][5][9]"},
        {"1;5;9", "[1][5][9]"},
        {" 7 ", "[7]"},
        {"{1;;2}", "[1][2]"},
        {"{1;x;2}", "[1][2]"},
        {"{1;2}{3}", ""},
        {"1; 2", "[1][ 2]"},
        {"{ 05 ;1.50}", "[05 ][1.50]"},
        {"{{1}}", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Items(QString::fromLatin1(c.text)), QString::fromLatin1(c.items)) << c.text;

    EXPECT_EQ(NumsToStr(StrToNums(u"1; 2")), QStringLiteral("{1; 2}"));
    EXPECT_EQ(NumsToStr({}), QString());
    const QStringView mixed[] = {u"1", u"x", u"", u"2"};
    EXPECT_EQ(NumsToStr(mixed), QStringLiteral("{1;2}"));

    EXPECT_EQ(OnlyNums(u"{1;2;1;3}"), QStringLiteral("{2;1;3}"));
    EXPECT_EQ(OnlyNums(u"{5;5;5}"), QStringLiteral("{5}"));
    EXPECT_EQ(OnlyNums(u"{1;1.0}"), QStringLiteral("{1;1.0}"));
    EXPECT_EQ(OnlyNums(u""), QString());

    EXPECT_EQ(CutBrace(u" {1;2} "), QStringLiteral("1;2"));
    EXPECT_EQ(CutBrace(u"{1}{2}"), QStringLiteral("{1}{2}"));
    EXPECT_EQ(FirstNum(u"{x;05;7}"), QStringLiteral("05"));
    EXPECT_TRUE(FirstNum(u"{}").isEmpty());
}

TEST(WayOrderTableTest, NamesCountsAndHelp)
{
    const CWay way;
    EXPECT_EQ(CWay::OrderCount, 34);
    EXPECT_EQ(way.OrderName(0), QString());
    EXPECT_EQ(way.OrderName(9), QStringLiteral("\\"));
    EXPECT_EQ(way.OrderName(10), QStringLiteral("Mod"));
    EXPECT_EQ(way.OrderName(33), QStringLiteral("Onl"));
    EXPECT_EQ(way.OrderName(34), QString());
    EXPECT_EQ(way.OrderName(-1), QString());
    EXPECT_EQ(way.OrderParaCount(22), 29);
    EXPECT_EQ(way.OrderParaCount(14), 7);
    EXPECT_EQ(way.OrderParaCount(25), 0);
    EXPECT_EQ(way.OrderParaCount(34), 0);

    EXPECT_EQ(way.OrderParaHelp(1, 0), QStringLiteral(" + 进行加法运算"));
    EXPECT_EQ(way.OrderParaHelp(1, 1), QString());
    EXPECT_EQ(way.OrderParaHelp(11, 0), QStringLiteral("Num(第几位,至第几位,第前几期,某种转换数据)"));
    EXPECT_TRUE(way.OrderParaHelp(11, 5).startsWith(QStringLiteral("某种转换数据")));
    EXPECT_EQ(way.OrderParaHelp(11, 6), QString());
    EXPECT_EQ(way.OrderParaHelp(22, 30), way.OrderParaHelp(22, 5));
    EXPECT_FALSE(way.OrderParaHelp(22, 30).isEmpty());
    EXPECT_EQ(way.OrderParaHelp(22, 31), QString());
    EXPECT_TRUE(way.OrderParaHelp(25, 1).startsWith(QStringLiteral("函数Iss()")));
    EXPECT_EQ(way.OrderParaHelp(25, 2), QString());
    EXPECT_EQ(way.OrderParaHelp(0, 0), QString());
    EXPECT_EQ(way.OrderParaHelp(-1, 0), QString());
    EXPECT_EQ(way.OrderParaHelp(10, -1), QString());
    // Every function has its signature, description and parameter helps.
    for (int16_t i = 10; i < CWay::OrderCount; ++i) {
        for (int16_t j = 0; j < way.OrderParaCount(i) + 2; ++j)
            EXPECT_FALSE(way.OrderParaHelp(i, j).isEmpty()) << i << ' ' << j;
        EXPECT_TRUE(way.OrderParaHelp(i, 0).startsWith(way.OrderName(i) + QLatin1Char('('))) << i;
    }
}

}  // namespace
}  // namespace kelton
