#include "data/number_format.h"

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "support/test_support.h"

namespace kelton {
namespace {

CLottorHead Game(int bcMain, int mrMain)
{
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\ng\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n%1\r\n"
                                   "[MRDATALEN]\r\n9\r\n[MRMAIN]\r\n%2\r\n")
                        .arg(bcMain)
                        .arg(mrMain));
    EXPECT_TRUE(head.Enable());
    return head;
}

TEST(NumberFormatTest, DefaultFormat)
{
    EXPECT_EQ(Game(3, 0).GetDefFormat(), QStringLiteral("N:X X X"));
    EXPECT_EQ(Game(3, 1).GetDefFormat(), QStringLiteral("N:X X X Y"));
    EXPECT_EQ(Game(1, 2).GetBDefFormat(), QStringLiteral("N:X Y Y"));
    CLottorHead empty;
    EXPECT_EQ(empty.GetDefFormat(), QString());
    EXPECT_FALSE(empty.FormatVail(QStringLiteral("N")));
}

struct FormatCase {
    const char* format;
    int bcMain;
    int mrMain;
    bool valid;   // FormatVail
    bool usable;  // StrToFormat
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, ValidatesAndTokenizes)
{
    const FormatCase& c = GetParam();
    CLottorHead head = Game(c.bcMain, c.mrMain);
    const QString format = QString::fromUtf8(c.format);
    EXPECT_EQ(head.FormatVail(format), c.valid) << c.format;

    FormatTokens tokens{QLatin1Char('?')};
    EXPECT_EQ(head.StrToFormat(format, tokens), c.usable) << c.format;
    if (!c.usable) {
        EXPECT_EQ(tokens, FormatTokens{QLatin1Char('?')}) << "left untouched: " << c.format;
        return;
    }
    const QString upper = format.toUpper();
    ASSERT_EQ(tokens.size(), static_cast<size_t>(upper.size()) + 1);
    EXPECT_TRUE(tokens[0].isNull());
    for (qsizetype k = 0; k < upper.size(); ++k)
        EXPECT_EQ(tokens[static_cast<size_t>(k) + 1], upper[k]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTest,
    ::testing::Values(FormatCase{"N:X X X", 3, 0, true, true},
                      FormatCase{"n:x x x", 3, 0, false, true},   // no upper-case letter to count
                      FormatCase{"N:X X x", 3, 0, false, true},   // counts two
                      FormatCase{"N:x X X", 3, 0, true, true},
                      FormatCase{"N:X X X Y", 3, 1, true, true},
                      FormatCase{"Y N:X X X", 3, 1, false, true},  // Y before the first X is not counted
                      FormatCase{"N:X X X", 3, 1, false, true},   // fewer Y is usable
                      FormatCase{"XX", 3, 0, false, false},       // shorter than the draw
                      FormatCase{"N T X X X", 3, 0, true, true},
                      FormatCase{"NTX X X", 3, 0, true, false},   // X after T
                      FormatCase{"N:XT X X", 3, 0, true, false},  // T after X
                      FormatCase{"NT X X X", 3, 0, true, false},  // T after N
                      FormatCase{"N:TT X X X", 3, 0, true, false},
                      FormatCase{"Y:X X XT", 3, 1, false, false},
                      // More "X" than main numbers are usable (the extra
                      // ones take the secondary positions) but not valid.
                      FormatCase{"N:X X X X", 3, 1, false, true},
                      FormatCase{"N:X X X X", 3, 0, false, false},  // more numbers than positions
                      FormatCase{"N:X X X x", 3, 0, false, false},
                      // More letters than the draw holds are not valid.
                      FormatCase{"N:X X X Y", 3, 0, false, false},
                      FormatCase{"N:X X X y Y", 3, 1, false, false},
                      FormatCase{"N:X X X y", 3, 0, false, false}));

TEST(NumberFormatTest, FreeFunctionsNeedNoDefinition)
{
    EXPECT_EQ(DefaultNumFormat(2, 0), QStringLiteral("N:X X"));
    EXPECT_TRUE(NumFormatValid(u"X-X", 2, 0));
    FormatTokens tokens;
    EXPECT_TRUE(ParseNumFormat(u"x-x", 2, 0, tokens));
    EXPECT_EQ(tokens.size(), 4u);
}

TEST(NumberFormatTest, DefaultFormatOfTheWidestGameIsValid)
{
    // 30000 main numbers: the default format is 60001 characters long. The
    // check used to copy the rest of it for every letter (gigabytes copied,
    // seconds spent); it is one pass now.
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\nA\r\n[BCDATALEN]\r\n30000\r\n[BCMAIN]\r\n30000\r\n"));
    ASSERT_TRUE(head.Enable());
    const QString format = head.GetDefFormat();
    ASSERT_EQ(format.size(), 60001);
    EXPECT_TRUE(head.FormatVail(format));
    EXPECT_FALSE(head.FormatVail(format + QStringLiteral(" x")));
    EXPECT_FALSE(NumFormatValid(format, 29999, 0));
    FormatTokens tokens;
    EXPECT_TRUE(head.StrToFormat(format, tokens));
}

}  // namespace
}  // namespace kelton
