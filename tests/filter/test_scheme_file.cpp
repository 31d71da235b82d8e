#include "filter/scheme_file.h"

#include <memory>

#include <QFile>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/gbk.h"
#include "support/draw_rows.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

class SchemeFile : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Open(kThreeDigits, test::Draws({"507", "123", "888"}));
    }
    void Open(const QString& definition, const std::vector<Draw>& draws)
    {
        const QString file = Path(u"game%1"_s.arg(++m_opened));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(definition, file, 1000));
        }
        m_game = std::make_unique<CLottorData>();
        ASSERT_FALSE(m_game->OpenData(8, file));
        ASSERT_EQ(m_game->Add(draws), static_cast<int16_t>(draws.size()));
        ASSERT_FALSE(m_game->UpData());
    }
    CLottorData& G() { return *m_game; }

    // Reads and applies a text as the filter window does; the window part,
    // or nothing when the text was refused.
    std::optional<SchemeWindowPart> Load(const QString& text)
    {
        std::optional<FilterScheme> scheme = ReadSchemeText(text, G());
        if (!scheme)
            return std::nullopt;
        SchemeWindowPart window = scheme->Window;
        window.IssuePosition = SchemeIssuePosition(*scheme, G().NumCount());
        ApplySchemeToGame(std::move(*scheme), G());
        return window;
    }

    // A setting with something in every part.
    void SetEverything()
    {
        G().SelectBall(0, 1, -1);
        G().SelectBall(0, 2, -1);
        G().SelectBall(1, 3, -1);
        G().SelectBall(3, 9, -1);
        G().ShrinkAllErrSel = 1;
        G().ShrinkAllErrVal = StrToRange(u"0-2"_s, 0, 100);
        G().ShrinkOtherErrSel = 1;
        G().ShrinkOtherErrVal = StrToRange(u"1 3"_s, 0, 100);
        CStat* v0 = G().StatView(0);
        v0->SetShrinkSel(0, 1);
        v0->SetShrinkVal(0, StrToRange(u"1-2"_s, 0, 100));
        v0->SetShrinkSel(44, 1);
        v0->SetShrinkVal(44, StrToRange(u"3 5"_s, 0, 9));
        v0->SetShrinkErr(44, 1);
        v0->SetShrinkSel(46, 1);
        v0->SetShrinkVal(46, StrToRange(u"0-1"_s, 0, 100));
        CStat* v5 = G().StatView(5);
        v5->SetShrinkSel(12, 1);
        v5->SetShrinkVal(12, StrToRange(u"2"_s, 0, 100));
        v5->SetShrinkErr(12, 1);
        for (int16_t v = 0; v < 8; ++v)
            G().StatView(v)->IniShrinkData();
        G().FilterMatch.Sel = 1;
        G().FilterMatch.SubErrSel = 1;
        G().FilterMatch.SubErrVal = StrToRange(u"0-1"_s, 0, 100);
        ASSERT_TRUE(G().FilterMatch.AddPerVal(u"√\t1 2 3\t1-3\tХ\t√"));
        ASSERT_TRUE(G().FilterMatch.AddPerVal(u"Х\t4,5,6\t0\t√\tХ"));
        G().FilterHistory.ErrSel = 1;
        ASSERT_TRUE(G().FilterHistory.AddPerVal(u"√\t2\t30\t0-1\t1\tХ\t√"));
        G().FilterGather.Sel = 1;
        ASSERT_TRUE(G().FilterGather.AddPerVal(u"√\t0\t1\t7\t0-2\t√\tХ"));
    }

    std::unique_ptr<CLottorData> m_game;
    int m_opened = 0;
};

TEST_F(SchemeFile, ASavedSchemeLoadsBackWhole)
{
    SetEverything();
    const SchemeWindowPart window{1, 3};
    const QString text = SchemeText(G(), window);
    const QStringList lines = text.split(u"\r\n"_s);
    EXPECT_EQ(lines.mid(0, 6),
              QStringList({u"[Issue]"_s, u"1"_s, u"[Ball]"_s, u"1 2, 3,, 9"_s, u"[Throw]"_s, u"3"_s}));
    EXPECT_TRUE(lines.contains(u"0=1,1-2,0'AC值"_s));
    EXPECT_TRUE(lines.contains(u"Pos2=1,3 5,1"_s));
    EXPECT_TRUE(lines.contains(u"Err=1,0-1,0"_s));
    EXPECT_TRUE(lines.contains(u"Val=True\t1 2 3\t1-3\tFalse\tTrue"_s));
    // Eight views of 47 lines and a section line each, besides the rest.
    EXPECT_EQ(lines.size(), 6 + 3 + 8 * 48 + 3 + 3 * 5 + 4);
    EXPECT_FALSE(text.endsWith(u"\r\n"_s));

    // Loaded over an emptied setting, it gives the same text again.
    ASSERT_TRUE(Load(u"[Issue]"_s));
    EXPECT_EQ(G().FilterMatch.ItemCount(), 0);
    EXPECT_EQ(G().SelectBall(0, 1), 0);
    const std::optional<SchemeWindowPart> loaded = Load(text);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->IssuePosition, 1);
    EXPECT_EQ(loaded->BetType, 3);
    EXPECT_EQ(SchemeText(G(), *loaded), text);
    EXPECT_EQ(G().ShrinkAllErrValUbound, 1);
    EXPECT_EQ(G().ShrinkOtherErrValUbound, 2);

    // The file holds the text, a final CR LF and GBK.
    const QString path = Path(u"s.voskc"_s);
    ASSERT_TRUE(WriteSchemeFile(path, text));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ToGbk(text + u"\r\n"_s));
    EXPECT_FALSE(WriteSchemeFile(Path(u"no/folder/s.voskc"_s), text));
}

// Lists at their limit once hung the save (a 16-bit counter that wrapped)
// and an item more was dropped without a word; a scheme is refused whole
// when a list passes the limit, saying which.
TEST_F(SchemeFile, ListsAtTheLimitRoundTripAndOneMoreRefusesTheScheme)
{
    for (int i = 0; i < kMaxFilterItems; ++i) {
        ASSERT_TRUE(G().FilterHistory.AddPerVal(u"√\t0\t5\t1\t0\tХ\tХ"_s));
        ASSERT_TRUE(G().FilterGather.AddPerVal(u"√\t0\t0\t1\t0-2\tХ\tХ"_s));
    }
    const QString text = SchemeText(G(), SchemeWindowPart{});
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(G().FilterHistory.ItemCount(), kMaxFilterItems);
    EXPECT_EQ(G().FilterGather.ItemCount(), kMaxFilterItems);
    EXPECT_EQ(SchemeText(G(), SchemeWindowPart{}), text);

    QString refusal;
    const QString tooMany = text + u"\r\n[FilterGather]\r\nVal=√\t0\t0\t1\t0-2\tХ\tХ"_s;
    EXPECT_FALSE(ReadSchemeText(tooMany, G(), &refusal));
    EXPECT_EQ(refusal, u"导入方案失败，方案中的相生相克过滤有 32768 项，最多 32767 项！"_s);
}

TEST_F(SchemeFile, ATextOverTheCapIsNotWritten)
{
    const QString path = Path(u"big.voskc"_s);
    const SaveOutcome out = WriteSchemeFile(path, QString(kMaxSchemeFileBytes, u'1'));
    EXPECT_FALSE(out.Ok);
    EXPECT_EQ(out.Reason, u"文件将大于 32 MB，超过了可以导入的上限"_s);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SchemeFile, ASchemeOfOnlyItsIssueSectionResetsEverything)
{
    SetEverything();
    const std::optional<SchemeWindowPart> window = Load(u"[Issue]"_s);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->IssuePosition, 2); // the last draw, not the next issue
    EXPECT_EQ(window->BetType, 0);
    for (int16_t p = 0; p <= 3; ++p)
        for (int16_t d = 0; d <= 9; ++d)
            EXPECT_EQ(G().SelectBall(p, d), 0);
    for (int16_t v = 0; v < 8; ++v)
        for (int16_t k = 0; k <= 46; ++k) {
            EXPECT_EQ(G().StatView(v)->ShrinkSel(k), 0);
            EXPECT_EQ(G().StatView(v)->ShrinkErr(k), 0);
            EXPECT_EQ(G().StatView(v)->ShrinkVal(k).Count(), 0) << v << ' ' << k;
        }
    EXPECT_EQ(G().ShrinkAllErrSel, 0);
    EXPECT_EQ(G().ShrinkOtherErrSel, 0);
    EXPECT_TRUE(G().ShrinkAllErrVal.IsEmpty());
    EXPECT_TRUE(G().ShrinkOtherErrVal.IsEmpty());
    EXPECT_EQ(G().FilterMatch.ItemCount() + G().FilterHistory.ItemCount() + G().FilterGather.ItemCount(), 0);
    EXPECT_EQ(
        G().FilterMatch.Sel + G().FilterMatch.SubErrSel + G().FilterHistory.ErrSel + G().FilterGather.Sel, 0);
    EXPECT_TRUE(G().FilterMatch.SubErrVal.IsEmpty());
}

TEST_F(SchemeFile, WindowPartsAndDigits)
{
    struct Case {
        const char* Text;
        int32_t Issue;
        int16_t BetType;
    };
    const Case cases[] = {
        {"[Throw]\r\n5", 2, 0},         {"[Throw]\r\n-1", 2, 0},
        {"[Throw]\r\n2\r\nx", 2, 2},                            // not a number: ignored
        {"[Throw]\r\n4'comment", 2, 4}, {"[Issue]\r\n3", 3, 0}, // the next issue
        {"[Issue]\r\n4", 3, 0},                                 // beyond it: the next issue
        {"[Issue]\r\n-1", 3, 0},        {"[Issue]\r\n0\r\nx", 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<SchemeWindowPart> window = Load(QString::fromUtf8(c.Text));
        ASSERT_TRUE(window) << c.Text;
        EXPECT_EQ(window->IssuePosition, c.Issue) << c.Text;
        EXPECT_EQ(window->BetType, c.BetType) << c.Text;
    }

    // Digits out of range, non-numbers and groups beyond the last position
    // are ignored; lines add up.
    ASSERT_TRUE(Load(u"[Ball]\r\n1 2, 3 10 -1 x,,\r\n,,7,,9\r\n"_s));
    EXPECT_EQ(G().SelectBall(0, 1), -1);
    EXPECT_EQ(G().SelectBall(0, 2), -1);
    EXPECT_EQ(G().SelectBall(1, 3), -1);
    EXPECT_EQ(G().SelectBall(2, 7), -1);
    int marked = 0;
    for (int16_t p = 0; p <= 3; ++p)
        for (int16_t d = 0; d <= 9; ++d)
            marked += G().SelectBall(p, d) != 0;
    EXPECT_EQ(marked, 4);
}

TEST_F(SchemeFile, SecondaryDigitsKeepTheirOwnRange)
{
    std::vector<Draw> draws = test::Draws({"507", "123"});
    for (Draw& draw : draws)
        draw.Num.push_back(11);
    Open(u"[LOTTONAME]\r\nS\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATANAME]\r\nB\r\n"
         u"[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n"_s,
         draws);
    ASSERT_EQ(G().HeadData.BM, 4);
    G().SelectBall(4, 11, -1);
    G().SelectBall(4, 2, -1);
    const QString text = SchemeText(G(), {0, 0});
    EXPECT_TRUE(text.contains(u"\r\n[Ball]\r\n,,,, 2 11\r\n"_s));
    ASSERT_TRUE(Load(u"[Issue]"_s));
    EXPECT_EQ(G().SelectBall(4, 11), 0);
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(G().SelectBall(4, 11), -1);
    EXPECT_EQ(G().SelectBall(4, 2), -1);
    ASSERT_TRUE(Load(u"[Ball]\r\n12,,,,13 12"_s));
    EXPECT_EQ(G().SelectBall(0, 12), 0); // main digits end at 9
    EXPECT_EQ(G().SelectBall(4, 12), -1);
}

TEST_F(SchemeFile, ConditionLines)
{
    ASSERT_TRUE(Load(u"[Stat1]\r\n"
                     u"0=1,1-2\r\n"     // two fields
                     u"1=1,1-2,0,1\r\n" // four
                     u"2 =1,3,1\r\n"    // a blank before "="
                     u"3=1,5, 1\r\n"    // " 1" is no flag
                     u"4=1,6,1'名字\r\n"
                     u"Pos3=1,7,0\r\n"
                     u"Pos4=1,8,1\r\n" // no fourth position here
                     u"Err=1,40000,1\r\n"
                     u"[Stat8]\r\n"
                     u"5=1,1,1\r\n"
                     u"[AllErr]\r\n"
                     u"Enabled=1\r\n"
                     u"Val=40000\r\n"_s));
    const CStat& v1 = *G().StatView(1);
    for (int16_t k : {0, 1, 2})
        EXPECT_EQ(v1.ShrinkSel(k), 0) << k;
    EXPECT_EQ(v1.ShrinkSel(3), 1);
    EXPECT_EQ(v1.ShrinkErr(3), 0);
    EXPECT_EQ(RangeToStr(v1.ShrinkVal(3)), u"5"_s);
    EXPECT_EQ(v1.ShrinkSel(4), 1);
    EXPECT_EQ(v1.ShrinkErr(4), 1);
    EXPECT_EQ(RangeToStr(v1.ShrinkVal(45)), u"7"_s);
    EXPECT_EQ(v1.ShrinkSel(46), 1);
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(G().StatView(v)->ShrinkSel(5), 0) << v;
    EXPECT_EQ(G().ShrinkAllErrSel, 1);
    EXPECT_EQ(RangeToStr(G().ShrinkAllErrVal), u"32676"_s);
}

TEST_F(SchemeFile, ItemListsTakeTheirSectionsWithMarksInAnyCase)
{
    ASSERT_TRUE(Load(u"[FilterMatch]\r\n"
                     u"Enabled=1\r\n"
                     u"ErrEnabled=0\r\n"
                     u"SubErrEnabled=1\r\n"
                     u"SubErrVal=0-40000\r\n"
                     u"Val=TRUE\t1 2\t1\tfalse\tTrue\r\n"
                     u"Val=True\ttoo few fields\r\n"
                     u"[FilterGather]\r\n"
                     u"ErrEnabled=1\r\n"
                     u"ErrVal=9\r\n"
                     u"Val=true\t0\t1\t7\t0-2\tFALSE\tfalse\r\n"_s));
    EXPECT_EQ(G().FilterMatch.Sel, 1);
    EXPECT_EQ(G().FilterMatch.ErrSel, 0);
    EXPECT_EQ(G().FilterMatch.SubErrSel, 1);
    EXPECT_EQ(RangeToStr(G().FilterMatch.SubErrVal), u"0-32676"_s);
    ASSERT_EQ(G().FilterMatch.ItemCount(), 1);
    EXPECT_EQ(G().FilterMatch.PerVal(1), u"√\t1 2\t1\tХ\t√"_s);
    EXPECT_EQ(G().FilterGather.ErrSel, 1);
    EXPECT_TRUE(G().FilterGather.SubErrVal.IsEmpty());
    EXPECT_EQ(G().FilterGather.PerVal(1), u"√\t0\t1\t7\t0-2\tХ\tХ"_s);
    EXPECT_EQ(G().FilterHistory.ItemCount(), 0);
}

TEST_F(SchemeFile, TextsThatAreNoSchemeChangeNothing)
{
    SetEverything();
    const QString before = SchemeText(G(), {1, 3});
    const char* refused[] = {
        "",
        "[Stat8]\r\n0=1,1,1",
        "0=1,1,1\r\n[Unknown]\r\nVal=1",
        "'[Issue]",
        "[Issue]\r\n99999999999",
        "[Throw]\r\n70000",
        "[Ball]\r\n1 70000",
    };
    for (const char* text : refused) {
        EXPECT_FALSE(ReadSchemeText(QString::fromUtf8(text), G())) << text;
        EXPECT_EQ(SchemeText(G(), {1, 3}), before) << text;
    }
    // Lines ended by LF alone are lines as well.
    const std::optional<SchemeWindowPart> window = Load(u"[Issue]\n0\n[Throw]\n2\n"_s);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->IssuePosition, 0);
    EXPECT_EQ(window->BetType, 2);
}

} // namespace
} // namespace kelton
