#include "data/lottor_head.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

const QString kBase = QStringLiteral(
    "[LOTTONAME]\r\n福彩3D\r\n[BCDATANAME]\r\n常规\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
    "[MRDATANAME]\r\n特别\r\n[MRDATALEN]\r\n0\r\n[MRMAIN]\r\n0\r\n");

// The options text of a game with every display option at its default.
QString DefaultOptions(const QString& sources = QString(), const QString& formats = QString(),
                       const QString& winMod = QString())
{
    return QStringLiteral("[WWWNUM]\r\n") + sources + QStringLiteral("[FORMAT]\r\n") + formats +
           QStringLiteral("[WINMOD]\r\n") + winMod +
           QStringLiteral("[CUSTOMSTAT]\r\n10\r\n[ROWCOLOR1]\r\n16777215\r\n[ROWCOLOR2]\r\n13172680\r\n"
                          "[RANKCOLOR1]\r\n6579455\r\n[RANKCOLOR2]\r\n16737380\r\n[CYCLECOLOR]\r\n13172680\r\n"
                          "[INFERSHOWCOURSE]\r\n40\r\n[BCMAINCOLOR]\r\n255\r\n[MRMAINCOLOR]\r\n16750080\r\n"
                          "[ListAsc]\r\n0\r\n[WAY_GROUP]\r\n[WAY]\r\n");
}

CLottorHead Accepted(const QString& options, const QString& base = kBase)
{
    CLottorHead head;
    head.SetHeadStr(base + options);
    EXPECT_TRUE(head.Enable());
    return head;
}

TEST(LottorOptionsTest, WholeDefinitionTextRoundTripsByteForByte)
{
    const QString text =
        kBase + DefaultOptions(QStringLiteral("URL=http://example.com/3d.txt?a=1\r\nFORMAT=N:X X X\r\n"
                                              "CAPTION=福彩3D开奖\r\n"),
                               QStringLiteral("N X X X\r\n"),
                               QStringLiteral("MODX=3,MODL0=0,MODL1=160\r\nMODX=2,MODL0=0,MODL1=320\r\n"
                                              "MODX=1,MODL0=0,MODL1=1000\r\n"));
    CLottorHead head = Accepted(QString(), text);
    EXPECT_EQ(head.WwwNumLink(0), QStringLiteral("http://example.com/3d.txt?a=1"));
    EXPECT_EQ(head.WwwNumFormat(0), QStringLiteral("N:X X X"));
    EXPECT_EQ(head.NumFormatStr(1), QStringLiteral("N X X X"));
    EXPECT_EQ(head.WinMod(1, 0, 1), Currency::FromUnits(1000));
    EXPECT_EQ(head.WinMod(2, 0, 1), Currency::FromUnits(320));
    EXPECT_EQ(head.WinMod(3, 0, 1), Currency::FromUnits(160));
    EXPECT_EQ(head.HeadStr(), text);
    EXPECT_EQ(head.HeadStr(), text);
}

struct WinModCase {
    const char* label;
    const char* lines;  // under [WINMOD]; null: no section at all
    int16_t x;
    const char* amount;  // expected WinMod(x, 0, 1)
    int level;           // expected WinMod(x, 0, 0)
};

class WinModTest : public ::testing::TestWithParam<WinModCase> {};

TEST_P(WinModTest, ReadsPrizeLines)
{
    const WinModCase& c = GetParam();
    const QString options =
        c.lines ? QStringLiteral("[WINMOD]\r\n") + QString::fromUtf8(c.lines) : QString();
    CLottorHead head = Accepted(options);
    EXPECT_EQ(head.WinMod(c.x, 0, 1).ToText(), QString::fromUtf8(c.amount)) << c.label;
    EXPECT_EQ(head.WinMod(c.x, 0, 0), Currency::FromUnits(c.level)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WinModTest,
    ::testing::Values(WinModCase{"no section", nullptr, 1, "0", 0},
                      WinModCase{"zero amount", "MODX=1,MODL0=0,MODL1=0\r\n", 1, "0", 0},
                      WinModCase{"stored", "MODX=1,MODL0=7,MODL1=1000\r\n", 1, "1000", 7},
                      WinModCase{"x beyond positions", "MODX=4,MODL0=0,MODL1=10\r\n", 3, "0", 0},
                      WinModCase{"level beyond 100", "MODX=1,MODL0=101,MODL1=10\r\n", 1, "0", 0},
                      WinModCase{"no secondary area", "MODX=1,MODZ=1,MODL0=0,MODL1=10\r\n", 1, "0", 0},
                      WinModCase{"later line wins", "MODX=2,MODL1=10\r\nMODX=2,MODL0=3,MODL1=20\r\n", 2, "20",
                                 3},
                      WinModCase{"four decimals, half to even", "MODX=1,MODL1=0.12345\r\n", 1, "0.1234", 0},
                      WinModCase{"rounded up", "MODX=1,MODL1=0.12355\r\n", 1, "0.1236", 0},
                      WinModCase{"not a number", "MODX=1,MODL1=ten\r\n", 1, "0", 0},
                      WinModCase{"keys are not trimmed", "MODX=1, MODL1=5\r\n", 1, "0", 0},
                      WinModCase{"default x is 0", "MODL1=5\r\n", 0, "5", 0},
                      WinModCase{"third = ignored", "MODX=1,MODL1=5=6\r\n", 1, "5", 0}));

TEST(LottorOptionsTest, SecondaryAreaWritesAndReadsMODZ)
{
    const QString base = QStringLiteral(
        "[LOTTONAME]\r\nx\r\n[BCDATALEN]\r\n35\r\n[BCMAIN]\r\n5\r\n[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n2\r\n");
    CLottorHead head = Accepted(QStringLiteral("[WINMOD]\r\nMODX=5,MODZ=2,MODL0=0,MODL1=5000000\r\n"
                                               "MODX=0,MODZ=1,MODL0=100,MODL1=5.5\r\n"),
                                base);
    EXPECT_EQ(head.WinMod(5, 2, 1), Currency::FromUnits(5000000));
    EXPECT_EQ(head.WinMod(0, 1, 0), Currency::FromUnits(100));
    EXPECT_TRUE(head.InfoStr().contains(QStringLiteral(
        "[WINMOD]\r\nMODX=5,MODZ=2,MODL0=0,MODL1=5000000\r\nMODX=0,MODZ=1,MODL0=100,MODL1=5.5\r\n[CUSTOMSTAT]")));

    CLottorHead plain = Accepted(QStringLiteral("[WINMOD]\r\nMODX=1,MODL1=2\r\n"));
    EXPECT_TRUE(plain.InfoStr().contains(QStringLiteral("[WINMOD]\r\nMODX=1,MODL0=0,MODL1=2\r\n[")));
}

TEST(LottorOptionsTest, DownloadSources)
{
    QString sources;
    for (int i = 0; i < 10; ++i)
        sources += QStringLiteral("URL=http://h/%1\r\nFORMAT=N X X X\r\nCAPTION=c%1\r\n").arg(i);
    CLottorHead ten = Accepted(QStringLiteral("[WWWNUM]\r\n") + sources);
    for (int16_t i = 0; i < 10; ++i) {
        EXPECT_EQ(ten.WwwNumLink(i), QStringLiteral("http://h/%1").arg(i));
        EXPECT_EQ(ten.WwwNumCaption(i), QStringLiteral("c%1").arg(i));
    }
    EXPECT_TRUE(ten.InfoStr().startsWith(QStringLiteral("[WWWNUM]\r\n") + sources + QStringLiteral("[FORMAT]")));

    // A source with neither address nor format is not written; the ones after
    // it move up.
    ten.SetWwwNumLink(3, QString());
    ten.SetWwwNumFormat(3, QString());
    ten.SetWwwNumCaption(3, QString());
    CLottorHead moved = Accepted(ten.InfoStr());
    EXPECT_EQ(moved.WwwNumLink(3), QStringLiteral("http://h/4"));
    EXPECT_EQ(moved.WwwNumLink(9), QString());
}

TEST(LottorOptionsTest, SourceLinesAreKeptWithTheirOwnSource)
{
    CLottorHead head = Accepted(QStringLiteral("[WWWNUM]\r\nCAPTION=early\r\nFORMAT=N X X X\r\n"
                                               "URL=http://a\r\nFORMAT=N:X X X\r\nCAPTION=first\r\n"
                                               "URL=\r\nFORMAT=X X X\r\nCAPTION=second\r\nURL=http://c\r\n"));
    EXPECT_EQ(head.WwwNumLink(0), QStringLiteral("http://a"));
    EXPECT_EQ(head.WwwNumFormat(0), QStringLiteral("N:X X X"));
    EXPECT_EQ(head.WwwNumCaption(0), QStringLiteral("first"));
    EXPECT_EQ(head.WwwNumLink(1), QString());
    EXPECT_EQ(head.WwwNumFormat(1), QStringLiteral("X X X"));
    EXPECT_EQ(head.WwwNumCaption(1), QStringLiteral("second"));
    EXPECT_EQ(head.WwwNumLink(2), QStringLiteral("http://c"));

    // A source without an address, or with a title alone, reads back as written.
    CLottorHead edited = Accepted(QString());
    edited.SetWwwNumLink(0, QStringLiteral("http://a"));
    edited.SetWwwNumFormat(0, QStringLiteral("N:X X X"));
    edited.SetWwwNumFormat(1, QStringLiteral("X X X"));
    edited.SetWwwNumCaption(2, QStringLiteral("title only"));
    CLottorHead back = Accepted(edited.InfoStr());
    for (int16_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.WwwNumLink(i), edited.WwwNumLink(i)) << i;
        EXPECT_EQ(back.WwwNumFormat(i), edited.WwwNumFormat(i)) << i;
        EXPECT_EQ(back.WwwNumCaption(i), edited.WwwNumCaption(i)) << i;
    }
    EXPECT_EQ(back.InfoStr(), edited.InfoStr());

    // URL lines past the tenth are ignored, and so are the lines after them.
    QString eleven;
    for (int i = 0; i < 11; ++i)
        eleven += QStringLiteral("URL=u%1\r\nFORMAT=f%1\r\n").arg(i);
    CLottorHead full = Accepted(QStringLiteral("[WWWNUM]\r\n") + eleven);
    EXPECT_EQ(full.WwwNumLink(9), QStringLiteral("u9"));
    EXPECT_EQ(full.WwwNumFormat(9), QStringLiteral("f9"));
}

TEST(LottorOptionsTest, UserFormats)
{
    QString lines;
    for (int i = 1; i <= 12; ++i)
        lines += QStringLiteral("F%1\r\n").arg(i);
    CLottorHead head = Accepted(QStringLiteral("[FORMAT]\r\n") + lines);
    for (int16_t i = 1; i <= 8; ++i)
        EXPECT_EQ(head.NumFormatStr(i), QStringLiteral("F%1").arg(i));
    EXPECT_EQ(head.NumFormatStr(9), QStringLiteral("F12"));
    EXPECT_EQ(head.NumFormatStr(0), QStringLiteral("N:X X X"));  // never read, always derived

    // A format holding "=" reads back whole.
    CLottorHead edited = Accepted(QString());
    edited.SetNumFormatStr(1, QStringLiteral("N=X X X"));
    ASSERT_EQ(edited.NumFormatStr(1), QStringLiteral("N=X X X"));
    CLottorHead back = Accepted(edited.InfoStr());
    EXPECT_EQ(back.NumFormatStr(1), QStringLiteral("N=X X X"));
}

struct OptionCase {
    const char* label;
    const char* options;
    int customStat;
    int inferShowCourse;
    int32_t rowColor0;
    int16_t listAsc;
};

class DisplayOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(DisplayOptionTest, ReadsOrFallsBackToDefault)
{
    const OptionCase& c = GetParam();
    CLottorHead head = Accepted(QString::fromUtf8(c.options));
    EXPECT_EQ(head.CustomStat, c.customStat) << c.label;
    EXPECT_EQ(head.InferShowCourse, c.inferShowCourse) << c.label;
    EXPECT_EQ(head.RowColor(0), c.rowColor0) << c.label;
    EXPECT_EQ(head.ListAsc, c.listAsc) << c.label;
}

constexpr int32_t kWhite = Rgb(255, 255, 255);

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayOptionTest,
    ::testing::Values(OptionCase{"custom 0", "[CUSTOMSTAT]\r\n0\r\n", 10, 40, kWhite, 0},
                      OptionCase{"custom 500", "[CUSTOMSTAT]\r\n500\r\n", 10, 40, kWhite, 0},
                      OptionCase{"custom 70000", "[CUSTOMSTAT]\r\n70000\r\n", 10, 40, kWhite, 0},
                      OptionCase{"custom 499", "[CUSTOMSTAT]\r\n499\r\n", 499, 40, kWhite, 0},
                      OptionCase{"custom 1.5", "[CUSTOMSTAT]\r\n1.5\r\n", 2, 40, kWhite, 0},
                      OptionCase{"course 25", "[INFERSHOWCOURSE]\r\n25\r\n", 10, 25, kWhite, 0},
                      OptionCase{"course -3", "[INFERSHOWCOURSE]\r\n-3\r\n", 10, 40, kWhite, 0},
                      OptionCase{"colour 0", "[ROWCOLOR1]\r\n0\r\n", 10, 40, kWhite, 0},
                      OptionCase{"colour -1", "[ROWCOLOR1]\r\n-1\r\n", 10, 40, kWhite, 0},
                      OptionCase{"colour 123", "[ROWCOLOR1]\r\n123\r\n", 10, 40, 123, 0},
                      OptionCase{"colour beyond 32 bits", "[ROWCOLOR1]\r\n99999999999\r\n", 10, 40, kWhite, 0},
                      OptionCase{"key ignored", "[ROWCOLOR1]\r\nv = 77\r\n", 10, 40, 77, 0},
                      OptionCase{"list ascending", "[ListAsc]\r\n-1\r\n", 10, 40, kWhite, -1},
                      OptionCase{"list in another case", "[listasc]\r\n-1\r\n[CustomStat]\r\n20\r\n", 10, 40,
                                 kWhite, 0},
                      OptionCase{"bad value, then a good one", "[CUSTOMSTAT]\r\nx\r\n[CUSTOMSTAT]\r\n30\r\n", 30,
                                 40, kWhite, 0}));

TEST(LottorOptionsTest, SectionNamesAreCaseSensitive)
{
    CLottorHead head = Accepted(QStringLiteral("[Wwwnum]\r\nURL=http://a\r\n[format]\r\nN X X X\r\n"));
    EXPECT_EQ(head.WwwNumLink(0), QString());
    EXPECT_EQ(head.NumFormatStr(1), QString());
}

TEST(LottorOptionsTest, ReadingIsIdempotent)
{
    CLottorHead head = Accepted(QStringLiteral("[WAY_GROUP]\r\nA\r\nB\r\n[WAY]\r\n0\tf\tnum(1,1,0)\t1\t\r\n"
                                               "1\tg\tnum(2,2,0)\t47\tfil(1,0)\r\n"));
    head.WayGroupDel(0);
    head.WayDel(0);
    const QString first = head.InfoStr();
    EXPECT_EQ(head.InfoStr(), first);
    EXPECT_EQ(head.WayGroupCount(), 1);
    EXPECT_EQ(head.WayCount(), 1);
    EXPECT_LT(DefaultOptions().size(), first.size());
    CLottorHead back = Accepted(first);
    EXPECT_EQ(back.InfoStr(), first);
}

TEST(LottorOptionsTest, DefaultOptionsText)
{
    CLottorHead head = Accepted(QString());
    EXPECT_EQ(head.InfoStr(), DefaultOptions());
}

}  // namespace
}  // namespace kelton
