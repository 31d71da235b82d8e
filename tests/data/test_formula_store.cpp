#include "data/formula_store.h"

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "platform/gbk.h"
#include "support/test_support.h"

namespace kelton {
namespace {

CLottorHead Game(const QString& options = QString(), int bcMain = 3, int mrMain = 0)
{
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\ng\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n%1\r\n"
                                   "[MRDATALEN]\r\n%2\r\n[MRMAIN]\r\n%2\r\n")
                        .arg(bcMain)
                        .arg(mrMain) +
                    options);
    EXPECT_TRUE(head.Enable());
    return head;
}

// The "[WAY]" section of an options text, without its section line.
QString WaySection(CLottorHead& head)
{
    const QString text = head.InfoStr();
    return text.mid(text.indexOf(QStringLiteral("[WAY]\r\n")) + 7);
}

// The size the formula commands check against the data file is the size
// of the text written, whatever the formulas hold: codes, line ends, GBK
// characters of two and of four bytes, deleted rows and groups.
TEST(FormulaStoreTest, DefinitionBytesAreThoseWritten)
{
    CLottorHead head = Game(QStringLiteral("[WINMOD]\r\nMODX=3,MODL0=0,MODL1=1040\r\n"));
    const auto expectSame = [&head](const char* when) {
        const int64_t counted = head.DefinitionBytes(head.Ways());
        EXPECT_EQ(counted, ToGbk(head.HeadStr()).size()) << when;
    };
    expectSame("no formula");
    head.WayGroupAdd(QStringLiteral("杀号"));
    head.WayGroupAdd(QStringLiteral("删掉的"));
    head.WayGroupAdd(QStringLiteral("g\r\n="));
    head.WayAdd(0, QStringLiteral("一"), QStringLiteral("a=[1]\r\nb='c\td:e,f\n\r\r\n"), 47,
                QStringLiteral("x=1\r\nx"));
    head.WayAdd(2, QStringLiteral("𠀀名"), QStringLiteral("Num(1,3,1) '公式"), 2, QString());
    head.WayAdd(1, QStringLiteral("删"), QStringLiteral("1"), 0, QString());
    head.WayDel(2);
    head.WayGroupDel(1);
    expectSame("codes, line ends, characters of four bytes, deleted rows");
    EXPECT_EQ(EncodedWayTextBytes(u"a\r\n公=\n"), ToGbk(EncodeWayText(QStringLiteral("a\r\n公=\n"))).size());
    EXPECT_EQ(EncodedWayTextBytes(u"g"), 1);
}

TEST(FormulaStoreTest, ConsultTableOfThreeDigits)
{
    CLottorHead head = Game();
    const struct {
        int row;
        const char* caption;
        const char* expression;
    } rows[] = {
        {0, "组选号码", "num(1,3,0)"}, {1, "百", "num(1,1,0)"}, {2, "十", "num(2,2,0)"},
        {3, "个", "num(3,3,0)"},       {4, "AC值", "fil(0,0)"}, {5, "和值", "fil(1,0)"},
        {46, "大中小", "fil(42,0)"},   {47, "", ""},           {-1, "", ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(head.WayDefConsult(static_cast<int16_t>(r.row), 0), QString::fromUtf8(r.caption)) << r.row;
        EXPECT_EQ(head.WayDefConsult(static_cast<int16_t>(r.row), 1), QString::fromUtf8(r.expression)) << r.row;
    }
    EXPECT_EQ(head.WayDefConsult(0, 2), QString());
    EXPECT_EQ(head.Ways().OwnConsultIndex(), 47);

    CLottorHead special = Game(QString(), 3, 2);
    EXPECT_EQ(special.WayDefConsult(4, 0), QStringLiteral("特别号1"));
    EXPECT_EQ(special.WayDefConsult(5, 1), QStringLiteral("num(5,5,0)"));
    EXPECT_EQ(special.WayDefConsult(6, 1), QStringLiteral("fil(0,0)"));
}

TEST(FormulaStoreTest, DeletedGroupTakesItsPlaceAway)
{
    CLottorHead head = Game();
    head.WayGroupAdd(QStringLiteral("A"));
    head.WayGroupAdd(QStringLiteral("B"));
    head.WayGroupAdd(QStringLiteral("C"));
    head.WayAdd(0, QStringLiteral("a1"), QStringLiteral("num(1,1,0)"), 1, QString());
    head.WayAdd(2, QStringLiteral("c1"), QStringLiteral("num(2,2,0)"), 2, QString());
    head.WayAdd(2, QStringLiteral("c2"), QStringLiteral("num(3,3,0)"), 3, QString());
    EXPECT_TRUE(head.WayGroupDel(1));
    EXPECT_EQ(head.WayGroupCount(), 3);

    EXPECT_EQ(WaySection(head),
              QStringLiteral("0\ta1\tnum(1,1,0)\t1\t\r\n1\tc1\tnum(2,2,0)\t2\t\r\n1\tc2\tnum(3,3,0)\t3\t\r\n"));
    EXPECT_EQ(head.WayGroupCount(), 2);
    EXPECT_EQ(head.WayGroupGet(1), QStringLiteral("C"));
    EXPECT_EQ(head.WayGet(2, 0), QStringLiteral("1"));
}

TEST(FormulaStoreTest, DeletedRowStaysUntilTheTextIsProduced)
{
    CLottorHead head = Game();
    head.WayGroupAdd(QStringLiteral("A"));
    head.WayAdd(0, QStringLiteral("only"), QStringLiteral("x"), 1, QString());
    EXPECT_TRUE(head.WayDel(0));
    EXPECT_FALSE(head.WayDel(1));
    EXPECT_EQ(head.WayCount(), 1);
    EXPECT_EQ(head.WayGet(0, 1), QString());
    head.InfoStr();
    EXPECT_EQ(head.WayCount(), 0);
    EXPECT_EQ(head.WayGroupCount(), 1);
}

TEST(FormulaStoreTest, FormulaTextIsEncodedOnOneLine)
{
    CLottorHead head = Game();
    head.WayGroupAdd(QStringLiteral("A"));
    const QString formula = QStringLiteral("a=num(1,1,0)\r\n[b]'c'\td");
    head.WayAdd(0, QStringLiteral("f"), formula, 47, QStringLiteral("x=[1]"));
    EXPECT_EQ(WaySection(head), QStringLiteral("0\tf\ta\x02num(1,1,0)\x01\x03"
                                               "b\x04\x05"
                                               "c\x05\x06"
                                               "d\t47\tx\x02\x03"
                                               "1\x04\r\n"));
    CLottorHead back = Game(head.InfoStr());
    EXPECT_EQ(back.WayGet(0, 2), formula);
    EXPECT_EQ(back.WayGet(0, 4), QStringLiteral("x=[1]"));
    EXPECT_EQ(back.InfoStr(), head.InfoStr());
}

TEST(FormulaStoreTest, BareLineFeedDoesNotSplitTheRow)
{
    // Text boxes end lines with LF alone; the readers end a line there too.
    CLottorHead head = Game();
    head.WayGroupAdd(QStringLiteral("A"));
    head.WayAdd(0, QStringLiteral("f"), QStringLiteral("a\nb"), 47, QStringLiteral("c\nd"));
    CLottorHead back = Game(head.InfoStr());
    ASSERT_EQ(back.WayCount(), 1);
    EXPECT_EQ(back.WayGet(0, 2), QStringLiteral("a\r\nb"));
    EXPECT_EQ(back.WayGet(0, 4), QStringLiteral("c\r\nd"));
}

TEST(FormulaStoreTest, NamesThatWouldBreakTheirLineReadBack)
{
    CLottorHead head = Game();
    const QString names[] = {QStringLiteral("'quoted"), QStringLiteral("[G]"), QStringLiteral("a=b"),
                             QStringLiteral("tab\there")};
    for (const QString& name : names)
        head.WayGroupAdd(name);
    for (int16_t i = 0; i < 4; ++i)
        head.WayAdd(i, names[i], QStringLiteral("num(1,1,0)"), 0, QString());
    CLottorHead back = Game(head.InfoStr());
    ASSERT_EQ(back.WayGroupCount(), 4);
    ASSERT_EQ(back.WayCount(), 4);
    for (int16_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.WayGroupGet(i), names[i]);
        EXPECT_EQ(back.WayGet(i, 1), names[i]);
        EXPECT_EQ(back.WayGet(i, 0), QString::number(i));
    }
}

struct WayLineCase {
    const char* label;
    const char* line;
    bool kept;
    const char* group = nullptr;
    const char* consultIndex = nullptr;
    const char* consult = nullptr; // WayGet(0, 4)
    const char* formula = nullptr; // WayGet(0, 2)
};

class WayLineTest : public ::testing::TestWithParam<WayLineCase> {};

TEST_P(WayLineTest, ReadsOrIgnores)
{
    const WayLineCase& c = GetParam();
    CLottorHead head = Game(QStringLiteral("[WAY_GROUP]\r\nA\r\n[WAY]\r\n") + QString::fromUtf8(c.line) +
                            QStringLiteral("\r\n"));
    ASSERT_EQ(head.WayCount(), c.kept ? 1 : 0) << c.label;
    if (!c.kept)
        return;
    EXPECT_EQ(head.WayGet(0, 0), QString::fromUtf8(c.group)) << c.label;
    EXPECT_EQ(head.WayGet(0, 3), QString::fromUtf8(c.consultIndex)) << c.label;
    EXPECT_EQ(head.WayGet(0, 4), QString::fromUtf8(c.consult)) << c.label;
    EXPECT_EQ(head.WayGet(0, 2), QString::fromUtf8(c.formula)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WayLineTest,
    ::testing::Values(
        WayLineCase{"four fields", "0\tn\tf\t1", false},
        WayLineCase{"six fields", "0\tn\tf\t1\tc\tx", false},
        WayLineCase{"group not a number", "g\tn\tf\t1\tc", false},
        WayLineCase{"consult not a number", "0\tn\tf\tc\tc", false},
        WayLineCase{"table consult ignores own text", "0\tn\tf\t5\town", true, "0", "5", "fil(1,0)", "f"},
        WayLineCase{"own consult", "0\tn\tf\t47\town", true, "0", "47", "own", "f"},
        WayLineCase{"group normalised", "0.0\tn\tf\t1\t", true, "0", "1", "num(1,1,0)", "f"},
        WayLineCase{"index cut to five characters", "0\tn\tf\t00047123\tx", true, "0", "00047", "x", "f"},
        WayLineCase{"tilde is a line end", "0\tn\ta~b\t1\t", true, "0", "1", "num(1,1,0)", "a\r\nb"},
        WayLineCase{"group not checked", "9\tn\tf\t99\t", true, "9", "99", "", "f"}));

TEST(FormulaStoreTest, WaySetRefusals)
{
    CLottorHead head = Game();
    head.WayGroupAdd(QStringLiteral("A"));
    head.WayGroupAdd(QStringLiteral("B"));
    head.WayAdd(0, QStringLiteral("name"), QStringLiteral("f"), 1, QStringLiteral("own"));

    const struct {
        int16_t kind;
        const char* value;
        const char* expected;  // WayGet(0, kind) afterwards (kind 4: the stored own formula shows at 47)
    } steps[] = {
        {0, "3", "0"},       {0, "x", "0"},        {0, "1", "1"},       {0, "-1", "1"},
        {0, "0.4", "0"},     {3, "48", "1"},       {3, "47", "47"},     {3, "x", "47"},
        {1, "   ", "name"},  {1, " new ", "new"},  {2, "  ", ""},       {4, " c ", "c"},
        {5, "v", ""},
        // Formulas: line ends made CR LF, control characters but TAB dropped.
        {2, " a\nb\x01" "c\td\re\x7f ", "a\r\nbc\td\r\ne"}, {4, "x\r\n\x05y", "x\r\ny"},
    };
    for (const auto& s : steps) {
        head.WaySet(0, s.kind, QString::fromUtf8(s.value));
        EXPECT_EQ(head.WayGet(0, s.kind), QString::fromUtf8(s.expected))
            << "kind " << s.kind << " := " << s.value;
    }
    head.WaySet(1, 1, QStringLiteral("nobody"));
    EXPECT_EQ(head.WayGet(1, 1), QString());
    EXPECT_EQ(head.WayGet(0, -1), QString());
}

TEST(FormulaStoreTest, AddingStopsAtTheLastIndex)
{
    CLottorHead head = Game();
    for (int32_t i = 0; i < FormulaStore::kMaxEntries; ++i) {
        ASSERT_TRUE(head.WayGroupAdd(QStringLiteral("g")));
        ASSERT_TRUE(head.WayAdd(0, QStringLiteral("f"), QString(), 0, QString()));
    }
    EXPECT_FALSE(head.WayGroupAdd(QStringLiteral("g")));
    EXPECT_FALSE(head.WayAdd(0, QStringLiteral("f"), QString(), 0, QString()));
    EXPECT_EQ(head.WayGroupCount(), 32767);
    EXPECT_EQ(head.WayCount(), 32767);
}

TEST(FormulaStoreTest, GroupMembers)
{
    CLottorHead head = Game();
    EXPECT_TRUE(head.WayGroupAdd(QStringLiteral(" A ")));
    EXPECT_EQ(head.WayGroupGet(0), QStringLiteral(" A "));
    head.WayGroupSet(0, QStringLiteral("  "));
    EXPECT_EQ(head.WayGroupGet(0), QStringLiteral(" A "));
    head.WayGroupSet(0, QStringLiteral(" B "));
    EXPECT_EQ(head.WayGroupGet(0), QStringLiteral("B"));
    head.WayGroupSet(1, QStringLiteral("C"));
    EXPECT_EQ(head.WayGroupCount(), 1);
    EXPECT_FALSE(head.WayGroupDel(head.WayGroupCount()));
    EXPECT_FALSE(head.WayGroupDel(-1));
    EXPECT_EQ(head.WayGroupGet(5), QString());
    EXPECT_EQ(head.WayDefConsult(static_cast<int16_t>(head.BM + 44), 0), QString());
}

}  // namespace
}  // namespace kelton
