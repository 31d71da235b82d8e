#include "data/text_helpers.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

TEST(TextHelpersTest, TrimBlanksKeepsTabs)
{
    EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
    EXPECT_EQ(TrimBlanks(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(TrimBlanks(u"   "), u"");
}

TEST(TextHelpersTest, RoundHalfEven)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST(TextHelpersTest, SplitLinesAcceptsCrLfAndLf)
{
    EXPECT_EQ(SplitLines(u"a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitLines(u"a\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitLines(u"a\r\n\r\nb"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(SplitLines(u""), QStringList{});
}

struct RadixCase {
    const char* digits;
    int16_t from;
    int16_t to;
    const char* expected;
};

class ChangeRadixTest : public ::testing::TestWithParam<RadixCase> {};

TEST_P(ChangeRadixTest, Converts)
{
    const RadixCase& c = GetParam();
    EXPECT_EQ(ChangeRadix(QString::fromUtf8(c.digits), c.from, c.to), QString::fromUtf8(c.expected))
        << c.digits << " from " << c.from << " to " << c.to;
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangeRadixTest,
                         ::testing::Values(RadixCase{"2 1 0", 3, 10, "2 1"},
                                           RadixCase{"1 0", 3, 10, "3"},
                                           RadixCase{"1 0 0", 3, 10, "9"},
                                           RadixCase{"2 2 2", 3, 10, "2 6"},
                                           RadixCase{"1 0", 10, 10, "1 0"},  // equal to the radix
                                           RadixCase{" 0 0 0 ", 3, 10, "0"},
                                           RadixCase{"", 3, 10, "0"},
                                           RadixCase{"1  0", 3, 10, ""},      // empty token
                                           RadixCase{"1 x", 3, 10, ""},
                                           RadixCase{"9 9 9 9 9 9 9 9 9 9 9", 10, 2, ""},  // overflow
                                           RadixCase{"5", 10, 1, ""},          // radix 1 would never end
                                           RadixCase{"5", 0, 10, "5"},         // 5 x 0^0
                                           RadixCase{"1 2 3", 1, 10, "6"},     // radix 1: the sum
                                           RadixCase{"1 5", 10, 16, "15"}));

TEST(CodeIniStrTest, EscapesEveryBreakingCharacterAndRoundTrips)
{
    const QString value = QStringLiteral("a=b[c]d'e\tf:g,h\r\ni");
    const QString escaped = CodeIniStr(value, false);
    for (char16_t c : {u'=', u'[', u']', u'\'', u'\t', u':', u',', u'\r', u'\n'})
        EXPECT_FALSE(escaped.contains(QChar(c))) << int(c);
    EXPECT_EQ(CodeIniStr(escaped, true), value);
    EXPECT_EQ(CodeIniStr(QStringLiteral("x=y"), false), QString::fromUtf16(u"x\x01\x02y"));
}

TEST(CodeIniStrTest, LoneLineBreaksStayAndOldCodesDecode)
{
    EXPECT_EQ(CodeIniStr(QStringLiteral("a\rb\nc"), false), QStringLiteral("a\rb\nc"));
    EXPECT_EQ(CodeIniStr(QString::fromUtf16(u"a\x02" u"b\x06" u"c\x01" u"d"), true),
              QStringLiteral("a=b\tc\r\nd"));
    // Control characters already in a value are not preserved.
    const QString raw = QString::fromUtf16(u"a\x03z");
    EXPECT_NE(CodeIniStr(CodeIniStr(raw, false), true), raw);
}

TEST(GetSectionNameTest, Cases)
{
    EXPECT_EQ(GetSectionName(u"  [Notify]  "), u"Notify");
    EXPECT_EQ(GetSectionName(u"[]"), u"");
    EXPECT_EQ(GetSectionName(u"[ ]"), u" ");
    EXPECT_EQ(GetSectionName(u"[Notify] x"), u"");
    EXPECT_EQ(GetSectionName(u"[[Notify]]"), u"[Notify]");
    EXPECT_EQ(GetSectionName(u"\t[Notify]"), u"");
    EXPECT_EQ(GetSectionName(u"[notify]"), u"notify");
}

}  // namespace
}  // namespace kelton
