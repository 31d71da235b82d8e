#include "data/lottor_head.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

// A definition text from (section, value) pairs; a null value writes only the
// section line.
QString Definition(std::initializer_list<std::pair<const char*, const char*>> items, const char* end = "\r\n")
{
    QString text;
    for (const auto& [section, value] : items) {
        text += QLatin1Char('[') + QString::fromUtf8(section) + QLatin1Char(']') + QString::fromUtf8(end);
        if (value)
            text += QString::fromUtf8(value) + QString::fromUtf8(end);
    }
    return text;
}

QString ThreeDigits()
{
    return Definition({{"LOTTONAME", "福彩3D"},
                       {"BCDATANAME", "常规"},
                       {"BCDATALEN", "9"},
                       {"BCMAIN", "3"},
                       {"MRDATANAME", "特别"},
                       {"MRDATALEN", "0"},
                       {"MRMAIN", "0"}});
}

TEST(LottorHeadTest, ThreeDigitGameIsAcceptedWithEveryDefault)
{
    CLottorHead head;
    EXPECT_FALSE(head.Enable());
    EXPECT_EQ(head.HeadStr(), QString());
    EXPECT_EQ(head.GetDefFormat(), QString());

    head.SetHeadStr(ThreeDigits());
    ASSERT_TRUE(head.Enable());
    EXPECT_EQ(head.LottorName, QStringLiteral("福彩3D"));
    EXPECT_EQ(head.BcDataLen, 9);
    EXPECT_EQ(head.BcMain, 3);
    EXPECT_EQ(head.MrDataLen, 0);
    EXPECT_EQ(head.MrMain, 0);
    EXPECT_EQ(head.BM, 3);
    EXPECT_EQ(head.BcNumMaxLen, 1);
    EXPECT_EQ(head.MrNumMaxLen, 1);
    EXPECT_EQ(head.CustomStat, 10);
    EXPECT_EQ(head.InferShowCourse, 40);
    EXPECT_EQ(head.ListAsc, 0);
    EXPECT_EQ(head.RowColor(0), Rgb(255, 255, 255));
    EXPECT_EQ(head.RowColor(1), Rgb(200, 255, 200));
    EXPECT_EQ(head.RankColor(0), Rgb(255, 100, 100));
    EXPECT_EQ(head.RankColor(1), Rgb(100, 100, 255));
    EXPECT_EQ(head.CycleColor, Rgb(200, 255, 200));
    EXPECT_EQ(head.BcMainColor, 255);
    EXPECT_EQ(head.MrMainColor, Rgb(0, 150, 255));
    EXPECT_EQ(head.DefNumFormat, QStringLiteral("N:X X X"));
    EXPECT_EQ(head.NumFormatStr(0), QStringLiteral("N:X X X"));
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(head.NumFormatStr(static_cast<int16_t>(i)), QString());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(head.WwwNumLink(static_cast<int16_t>(i)), QString());
    EXPECT_EQ(head.WayCount(), 0);
    EXPECT_EQ(head.WayGroupCount(), 0);

    // The prize table is 4 x 1 x 2 entries, all zero, and exactly that shape.
    for (int16_t x = 0; x <= 3; ++x) {
        for (int16_t l = 0; l <= 1; ++l) {
            head.SetWinMod(x, 0, l, Currency::FromUnits(7));
            EXPECT_EQ(head.WinMod(x, 0, l), Currency::FromUnits(7)) << x << ',' << l;
        }
    }
    head.SetWinMod(4, 0, 1, Currency::FromUnits(7));
    head.SetWinMod(1, 1, 1, Currency::FromUnits(7));
    head.SetWinMod(1, 0, 2, Currency::FromUnits(7));
    EXPECT_EQ(head.WinMod(4, 0, 1), Currency());
    EXPECT_EQ(head.WinMod(1, 1, 1), Currency());
    EXPECT_EQ(head.WinMod(1, 0, 2), Currency());
}

TEST(LottorHeadTest, ThreeDigitConditionBounds)
{
    CLottorHead head;
    head.SetHeadStr(ThreeDigits());
    ASSERT_TRUE(head.Enable());

    struct Rows {
        int first;
        int last;
        int low;
        int high;
    };
    const Rows expected[] = {
        {0, 0, 1, 3},    {1, 1, 0, 27},  {2, 3, 0, 100},  {4, 4, 0, 54},  {5, 5, 0, 18},
        {6, 6, 0, 9},    {7, 11, 0, 9},  {12, 36, 0, 3},  {37, 42, 0, 26}, {43, 45, 0, 9},
        {46, 46, 0, 45},
    };
    for (const Rows& rows : expected) {
        for (int row = rows.first; row <= rows.last; ++row) {
            EXPECT_EQ(head.ShrinkHL(static_cast<int16_t>(row), 0), rows.low) << "row " << row;
            EXPECT_EQ(head.ShrinkHL(static_cast<int16_t>(row), 1), rows.high) << "row " << row;
        }
    }
    EXPECT_EQ(head.ShrinkHL(47, 0), 0);
    EXPECT_EQ(head.ShrinkHL(47, 1), 0);
    EXPECT_EQ(head.ShrinkHL(-1, 0), 0);
    EXPECT_EQ(head.ShrinkHL(0, 2), 0);
}

TEST(LottorHeadTest, BoundsOfLargeGamesDoNotWrap)
{
    struct Case {
        const char* len;
        const char* main;
        int row;
        int high;
    };
    const Case cases[] = {
        {"1", "1", 0, 0},            // one position: AC low 1, high 0
        {"999", "100", 0, 4950},     // 100 x 99 / 2
        {"999", "100", 1, 32767},    // 99900 is held at the 16-bit top
        {"999", "100", 4, 32767},    // 999 x 5050
        {"32000", "300", 5, 32767},  // 2 x 32000
        {"32000", "300", 300 + 43, 342},
        {"32000", "300", 300 + 42, 32000},
    };
    for (const Case& c : cases) {
        CLottorHead head;
        head.SetHeadStr(Definition({{"LOTTONAME", "big"}, {"BCDATALEN", c.len}, {"BCMAIN", c.main}}));
        ASSERT_TRUE(head.Enable()) << c.len << '/' << c.main;
        EXPECT_EQ(head.ShrinkHL(static_cast<int16_t>(c.row), 1), c.high) << c.len << '/' << c.main;
        for (int row = 0; row <= head.BcMain + 43; ++row) {
            EXPECT_GE(head.ShrinkHL(static_cast<int16_t>(row), 1), 0) << "row " << row;
        }
    }
    CLottorHead one;
    one.SetHeadStr(Definition({{"LOTTONAME", "one"}, {"BCDATALEN", "1"}, {"BCMAIN", "1"}}));
    EXPECT_EQ(one.ShrinkHL(0, 0), 1);
}

TEST(LottorHeadTest, LargestShapeKeepsOnlyThePrizesSet)
{
    // 16383 main and 16384 secondary numbers are a shape the rules accept
    // (BM 32767); its whole prize table would take 4 GB.
    CLottorHead head;
    head.SetHeadStr(Definition({{"LOTTONAME", "A"},
                                {"BCDATALEN", "16383"},
                                {"BCMAIN", "16383"},
                                {"MRDATALEN", "16384"},
                                {"MRMAIN", "16384"},
                                {"WINMOD", "MODX=16383,MODZ=16384,MODL0=7,MODL1=100"}}));
    ASSERT_TRUE(head.Enable());
    EXPECT_EQ(head.BM, 32767);
    EXPECT_EQ(head.WinMod(16383, 16384, 1), Currency::FromUnits(100));
    EXPECT_EQ(head.WinMod(16383, 16384, 0), Currency::FromUnits(7));
    EXPECT_EQ(head.WinMod(0, 0, 1), Currency());
    head.SetWinMod(1, 2, 1, Currency::FromUnits(5));
    head.SetWinMod(16383, 16384, 0, Currency());
    EXPECT_EQ(head.WinMod(16383, 16384, 0), Currency());

    CLottorHead again;
    again.SetHeadStr(head.HeadStr());
    ASSERT_TRUE(again.Enable());
    EXPECT_TRUE(again.HeadStr().contains(
        QStringLiteral("[WINMOD]\r\nMODX=16383,MODZ=16384,MODL0=0,MODL1=100\r\nMODX=1,MODZ=2,MODL0=0,MODL1=5\r\n[")));
    EXPECT_EQ(again.WinMod(1, 2, 1), Currency::FromUnits(5));
}

struct AcceptCase {
    const char* label;
    QString text;
    bool accepted;
    int bcDataLen = 0;
    int bcNumMaxLen = 0;
    int mrDataLen = 0;
    int mrMain = 0;
    int bm = 0;
};

class AcceptanceTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(AcceptanceTest, AcceptsOrRefuses)
{
    const AcceptCase& c = GetParam();
    CLottorHead head;
    head.SetHeadStr(c.text);
    ASSERT_EQ(head.Enable(), c.accepted) << c.label;
    if (!c.accepted) {
        EXPECT_EQ(head.HeadStr(), QString()) << c.label;
        return;
    }
    EXPECT_EQ(head.BcDataLen, c.bcDataLen) << c.label;
    EXPECT_EQ(head.BcNumMaxLen, c.bcNumMaxLen) << c.label;
    EXPECT_EQ(head.MrDataLen, c.mrDataLen) << c.label;
    EXPECT_EQ(head.MrMain, c.mrMain) << c.label;
    EXPECT_EQ(head.BM, c.bm) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AcceptanceTest,
    ::testing::Values(
        AcceptCase{"3d", ThreeDigits(), true, 9, 1, 0, 0, 3},
        AcceptCase{"LF only", Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}}, "\n"),
                   true, 9, 1, 0, 0, 3},
        AcceptCase{"secondary needs values",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}, {"MRDATALEN", "0"},
                               {"MRMAIN", "1"}}),
                   false},
        AcceptCase{"no secondary count",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}, {"MRDATALEN", "10"},
                               {"MRMAIN", "0"}}),
                   true, 9, 1, 0, 0, 3},
        AcceptCase{"secondary area",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "35"}, {"BCMAIN", "5"}, {"MRDATALEN", "12"},
                               {"MRMAIN", "2"}}),
                   true, 35, 2, 12, 2, 7},
        AcceptCase{"negative secondary",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}, {"MRDATALEN", "-1"},
                               {"MRMAIN", "-2"}}),
                   false},
        AcceptCase{"more positions than values",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "10"}}), false},
        AcceptCase{"no positions", Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "0"}}),
                   false},
        AcceptCase{"letters for a length",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "nine"}, {"BCMAIN", "3"}}), false},
        AcceptCase{"lower-case section",
                   Definition({{"lottoname", "a"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}}), false},
        AcceptCase{"no name", Definition({{"BCDATALEN", "9"}, {"BCMAIN", "3"}}), false},
        AcceptCase{"half up to even", Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "9.5"}, {"BCMAIN", "3"}}),
                   true, 10, 2, 0, 0, 3},
        AcceptCase{"half down to even",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "8.5"}, {"BCMAIN", "3"}}), true, 8, 1, 0,
                   0, 3},
        AcceptCase{"three digits wide",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "100"}, {"BCMAIN", "3"}}), true, 100, 3, 0,
                   0, 3},
        AcceptCase{"beyond 16 bits",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "40000"}, {"BCMAIN", "3"}}), false},
        AcceptCase{"last value wins",
                   Definition({{"LOTTONAME", "a"}, {"BCDATALEN", "20"}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}}),
                   true, 9, 1, 0, 0, 3},
        AcceptCase{"comment lines skipped",
                   QStringLiteral("'[LOTTONAME]\r\n[LOTTONAME]\r\n'x\r\nname\r\n\r\n[BCDATALEN]\r\n  9  \r\n"
                                  "[BCMAIN]\r\n3\r\n"),
                   true, 9, 1, 0, 0, 3}));

TEST(LottorHeadTest, EmptyAreaNamesGetTheirDefaults)
{
    CLottorHead head;
    head.SetHeadStr(Definition({{"LOTTONAME", "a"}, {"BCDATANAME", nullptr}, {"BCDATALEN", "9"}, {"BCMAIN", "3"}}));
    ASSERT_TRUE(head.Enable());
    EXPECT_EQ(head.BcDataName, QStringLiteral("常规"));
    EXPECT_EQ(head.MrDataName, QStringLiteral("特别"));
}

TEST(LottorHeadTest, RefusedTextLeavesNothingForTheNext)
{
    CLottorHead head;
    head.SetHeadStr(Definition({{"BCDATANAME", "Old"},
                                {"MRDATANAME", "OldSpecial"},
                                {"BCDATALEN", "9"},
                                {"BCMAIN", "3"},
                                {"MRDATALEN", "12"},
                                {"MRMAIN", "1"},
                                {"CUSTOMSTAT", "77"},
                                {"FORMAT", "X X X"},
                                {"WAY_GROUP", "g"}}));
    ASSERT_FALSE(head.Enable());  // no name

    head.SetHeadStr(Definition({{"LOTTONAME", "new"}, {"BCDATALEN", "5"}, {"BCMAIN", "2"}}));
    ASSERT_TRUE(head.Enable());
    EXPECT_EQ(head.BcDataName, QStringLiteral("常规"));
    EXPECT_EQ(head.MrDataName, QStringLiteral("特别"));
    EXPECT_EQ(head.MrMain, 0);
    EXPECT_EQ(head.MrDataLen, 0);
    EXPECT_EQ(head.BM, 2);
    EXPECT_EQ(head.CustomStat, 10);
    EXPECT_EQ(head.NumFormatStr(1), QString());
    EXPECT_EQ(head.WayGroupCount(), 0);
}

TEST(LottorHeadTest, AcceptedDefinitionIgnoresLaterTexts)
{
    CLottorHead head;
    head.SetHeadStr(ThreeDigits());
    const QString first = head.HeadStr();
    head.SetHeadStr(Definition({{"LOTTONAME", "other"}, {"BCDATALEN", "35"}, {"BCMAIN", "5"}}));
    EXPECT_EQ(head.LottorName, QStringLiteral("福彩3D"));
    EXPECT_EQ(head.BcMain, 3);
    EXPECT_EQ(head.HeadStr(), first);
    EXPECT_TRUE(first.startsWith(ThreeDigits() + QStringLiteral("[WWWNUM]\r\n")));
}

TEST(LottorHeadTest, NameWithALineBreakCannotInjectSections)
{
    CLottorHead head;
    head.SetHeadStr(ThreeDigits());
    head.LottorName = QStringLiteral("a\r\n[BCMAIN]\r\n2");
    CLottorHead back;
    back.SetHeadStr(head.HeadStr());
    ASSERT_TRUE(back.Enable());
    EXPECT_EQ(back.BcMain, 3);
    EXPECT_EQ(back.LottorName, QStringLiteral("a  [BCMAIN]  2"));
}

TEST(LottorHeadTest, NamesReadBackAfterASave)
{
    // A carriage return inside a name line is read as the blank a save
    // writes for it, and a name starting with "'" is not saved as a comment:
    // either way the saved text was refused on the next reading.
    struct Case {
        const char* label;
        QString nameLine;
        QString name;
    };
    const Case cases[] = {
        {"section after a save", QStringLiteral("[BCDATANAME]\r"), QString()},
        {"carriage return inside", QStringLiteral("a\rb"), QStringLiteral("a b")},
        {"comment after trimming", QStringLiteral("  'quoted"), QStringLiteral("'quoted")},
    };
    for (const Case& c : cases) {
        CLottorHead head;
        head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n福彩3D\r\n") + c.nameLine +
                        QStringLiteral("\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
        ASSERT_TRUE(head.Enable()) << c.label;
        EXPECT_EQ(head.LottorName, c.name.isEmpty() ? QStringLiteral("福彩3D") : c.name) << c.label;
        CLottorHead back;
        back.SetHeadStr(head.HeadStr());
        ASSERT_TRUE(back.Enable()) << c.label;
        EXPECT_EQ(back.LottorName, head.LottorName) << c.label;
        EXPECT_EQ(back.HeadStr(), head.HeadStr()) << c.label;
    }
}

TEST(LottorHeadTest, PropertiesRefuseBadIndexesAndValues)
{
    CLottorHead head;
    head.SetHeadStr(ThreeDigits());

    head.SetRowColor(1, 0);
    head.SetRowColor(1, -5);
    EXPECT_EQ(head.RowColor(1), Rgb(200, 255, 200));
    head.SetRowColor(1, 12);
    EXPECT_EQ(head.RowColor(1), 12);
    head.SetRowColor(2, 12);
    EXPECT_EQ(head.RowColor(2), 0);
    head.SetRankColor(0, -1);
    EXPECT_EQ(head.RankColor(0), Rgb(255, 100, 100));
    EXPECT_EQ(head.RankColor(-1), 0);

    head.SetWinMod(1, 0, 1, Currency::FromUnits(5));
    head.SetWinMod(1, 0, 1, Currency::FromUnits(-1));
    EXPECT_EQ(head.WinMod(1, 0, 1), Currency::FromUnits(5));
    head.SetWinMod(1, 0, 1, Currency());
    EXPECT_EQ(head.WinMod(1, 0, 1), Currency());
    head.SetWinMod(4, 0, 1, Currency::FromUnits(10));
    EXPECT_EQ(head.WinMod(4, 0, 1), Currency());

    head.SetWwwNumLink(9, QStringLiteral(" x "));
    EXPECT_EQ(head.WwwNumLink(9), QStringLiteral(" x "));
    head.SetWwwNumLink(10, QStringLiteral("y"));
    EXPECT_EQ(head.WwwNumLink(10), QString());

    head.SetNumFormatStr(1, QStringLiteral("N X X X"));
    EXPECT_EQ(head.NumFormatStr(1), QStringLiteral("N X X X"));
    head.SetNumFormatStr(1, QStringLiteral("N X X"));  // refused: two main numbers
    EXPECT_EQ(head.NumFormatStr(1), QStringLiteral("N X X X"));
    head.SetNumFormatStr(10, QStringLiteral("N X X X"));
    EXPECT_EQ(head.NumFormatStr(10), QString());
}

}  // namespace
}  // namespace kelton
