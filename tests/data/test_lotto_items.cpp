#include "data/lotto_items.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

CLottoItem ThreeGames()
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_GROUP]\r\n3D\r\nPick\r\n"
                                    "[LOTTOITEM_DATA]\r\n0\tFC 3D\t/g/lottor1000\r\n"
                                    "1\tPick 3\t/g/lottor1001\r\n0 1\tShanghai\t/g/lottor1002\r\n"
                                    "[LOTTOITEM_SELECT]\r\n2"));
    return items;
}

TEST(LottoItemTest, ReadsGroupsGamesAndDefault)
{
    CLottoItem items = ThreeGames();
    EXPECT_EQ(items.LottoGroupCount(), 2);
    EXPECT_EQ(items.LottoGroupGet(1), u"Pick");
    ASSERT_EQ(items.LottoCount(), 3);
    EXPECT_EQ(items.LottoItemGet(2, 0), u" 0 1 ");
    EXPECT_EQ(items.LottoItemGet(2, 1), u"Shanghai");
    EXPECT_EQ(items.LottoItemGet(2, 2), u"/g/lottor1002");
    EXPECT_EQ(items.SelectItem(), 2);

    // Out of range.
    EXPECT_TRUE(items.LottoItemGet(0, 3).isEmpty());
    EXPECT_TRUE(items.LottoItemGet(-1, 1).isEmpty());
    EXPECT_TRUE(items.LottoItemGet(3, 1).isEmpty());
    EXPECT_TRUE(items.LottoGroupGet(2).isEmpty());
    EXPECT_TRUE(items.LottoGroupGet(-1).isEmpty());
}

TEST(LottoItemTest, WritesTheTextForm)
{
    CLottoItem items = ThreeGames();
    EXPECT_EQ(items.InfoStr(), QStringLiteral("[LOTTOITEM_GROUP]\r\n3D\r\nPick\r\n"
                                              "[LOTTOITEM_DATA]\r\n0\tFC 3D\t/g/lottor1000\r\n"
                                              "1\tPick 3\t/g/lottor1001\r\n0 1\tShanghai\t/g/lottor1002\r\n"
                                              "[LOTTOITEM_SELECT]\r\n2"));
}

TEST(LottoItemTest, EscapedFieldsSurviveARoundTrip)
{
    const QString names[] = {
        QStringLiteral("a=b"),        QStringLiteral("[x]"),        QStringLiteral("it's"),
        QStringLiteral("c:d,e"),      QStringLiteral("tab\there"),  QStringLiteral("line\r\nbreak"),
        QStringLiteral("lone\nfeed"), QStringLiteral("  blanks  "), QStringLiteral("福彩3D"),
    };
    CLottoItem items;
    for (const QString& name : names)
        ASSERT_TRUE(
            items.LottoAdd(QStringLiteral(" 0 "), name, QStringLiteral("/p/") + name + QStringLiteral(".d")));
    CLottoItem copy;
    copy.SetInfoStr(items.InfoStr());
    ASSERT_EQ(copy.LottoCount(), items.LottoCount());
    for (int16_t i = 0; i < copy.LottoCount(); ++i) {
        EXPECT_EQ(copy.LottoItemGet(i, 1), items.LottoItemGet(i, 1)) << i;
        EXPECT_EQ(copy.LottoItemGet(i, 2), items.LottoItemGet(i, 2)) << i;
        EXPECT_EQ(copy.LottoItemGet(i, 0), u" 0 ");
    }
}

TEST(LottoItemTest, GroupFieldWithCodesSurvivesARoundTrip)
{
    // The reader unescapes the groups field: codes 1 and 6 become a line
    // break and a TAB, which the text written must not split the line on.
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_DATA]\r\n\x01") + QStringLiteral("60\t福彩3D\t/games/a\r\n") +
                     QStringLiteral("0\x06") + QStringLiteral("1\tPick\t/games/b\r\n[LOTTOITEM_SELECT]\r\n1"));
    ASSERT_EQ(items.LottoCount(), 2);
    EXPECT_EQ(items.LottoItemGet(0, 0), u" \r\n60 ");
    EXPECT_EQ(items.LottoItemGet(1, 0), u" 0\t1 ");
    EXPECT_TRUE(items.LottoAdd(QStringLiteral("2=[x]"), QStringLiteral("Third"), QStringLiteral("/games/c")));

    const QString text = items.InfoStr();
    CLottoItem copy;
    copy.SetInfoStr(text);
    ASSERT_EQ(copy.LottoCount(), 3);
    for (int16_t i = 0; i < 3; ++i) {
        for (int16_t kind = 0; kind <= 2; ++kind)
            EXPECT_EQ(copy.LottoItemGet(i, kind), items.LottoItemGet(i, kind)) << i << " " << kind;
    }
    EXPECT_EQ(copy.SelectItem(), 1);
    EXPECT_EQ(copy.InfoStr(), text);
}

TEST(LottoItemTest, GroupNamesAreNotEscaped)
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_GROUP]\r\nkey=value\r\n[Sub]\r\nlost\r\n'comment\r\n"
                                    "[LOTTOITEM_GROUP]\r\n  spaced  \r\n"));
    ASSERT_EQ(items.LottoGroupCount(), 2);
    EXPECT_EQ(items.LottoGroupGet(0), u"value"); // the text after the first "="
    EXPECT_EQ(items.LottoGroupGet(1), u"spaced");
}

struct DataLineCase {
    const char* line;
    int games;
};

class LottoDataLineTest : public ::testing::TestWithParam<DataLineCase> {};

TEST_P(LottoDataLineTest, OnlyThreeFieldsMakeAGame)
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_DATA]\r\n") + QString::fromUtf8(GetParam().line));
    EXPECT_EQ(items.LottoCount(), GetParam().games) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Cases, LottoDataLineTest,
                         ::testing::Values(DataLineCase{"0\tA\t/p", 1}, DataLineCase{"0\tA", 0},
                                           DataLineCase{"0\tA\t/p\tx", 0}, DataLineCase{"\tA\t/p", 1},
                                           DataLineCase{"0\t\t/p", 1}, // no name: a deleted game
                                           DataLineCase{"'0\tA\t/p", 0}, DataLineCase{"", 0}));

TEST(LottoItemTest, DeletedGamesLeaveAtCompaction)
{
    CLottoItem items = ThreeGames();
    EXPECT_TRUE(items.LottoDel(1));
    EXPECT_FALSE(items.LottoDel(3));
    EXPECT_FALSE(items.LottoDel(-1));
    EXPECT_EQ(items.LottoCount(), 3);
    EXPECT_TRUE(items.LottoItemGet(1, 1).isEmpty());

    const QString text = items.InfoStr();
    EXPECT_FALSE(text.contains(u"Pick 3"));
    EXPECT_EQ(items.LottoCount(), 2);
    EXPECT_EQ(items.LottoItemGet(1, 1), u"Shanghai");
    EXPECT_EQ(items.SelectItem(), 1); // the default game moved with it
    EXPECT_TRUE(text.endsWith(u"[LOTTOITEM_SELECT]\r\n1"));
}

TEST(LottoItemTest, DeletedGameInTheTextKeepsTheDefaultOnItsGame)
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_DATA]\r\n0\t\t/gone\r\n0\tB\t/b\r\n0\tC\t/c\r\n"
                                    "[LOTTOITEM_SELECT]\r\n1"));
    ASSERT_EQ(items.LottoCount(), 3);
    EXPECT_TRUE(items.LottoItemGet(0, 1).isEmpty());
    EXPECT_EQ(items.SelectItem(), 1);
    EXPECT_EQ(items.LottoItemGet(items.SelectItem(), 1), u"B");

    const QString text = items.InfoStr();
    EXPECT_EQ(items.LottoCount(), 2);
    EXPECT_EQ(items.SelectItem(), 0);
    EXPECT_FALSE(text.contains(u"/gone"));
}

TEST(LottoItemTest, DeletingTheDefaultGameMovesTheDefaultToAGameThatExists)
{
    CLottoItem items = ThreeGames();
    ASSERT_TRUE(items.LottoDel(2));
    items.InfoStr();
    EXPECT_EQ(items.LottoCount(), 2);
    EXPECT_EQ(items.SelectItem(), 0);

    CLottoItem single;
    single.LottoAdd(QStringLiteral("0"), QStringLiteral("Only"), QStringLiteral("/p"));
    single.LottoDel(0);
    single.InfoStr();
    EXPECT_EQ(single.LottoCount(), 0);
    EXPECT_EQ(single.SelectItem(), 0);
}

TEST(LottoItemTest, SelectItemAcceptsOnlyGames)
{
    CLottoItem items = ThreeGames();
    items.SetSelectItem(1);
    EXPECT_EQ(items.SelectItem(), 1);
    for (int16_t bad : {int16_t(3), int16_t(-1), int16_t(32767)}) {
        items.SetSelectItem(bad);
        EXPECT_EQ(items.SelectItem(), 1) << bad;
    }
    items.LottoDel(0);
    items.SetSelectItem(0);
    EXPECT_EQ(items.SelectItem(), 1);
}

struct SelectCase {
    const char* value;
    int16_t select;
};

class LottoSelectTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(LottoSelectTest, ReadDefaultPointsAtAGame)
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_DATA]\r\n0\tA\t/a\r\n0\tB\t/b\r\n[LOTTOITEM_SELECT]\r\n") +
                     QString::fromUtf8(GetParam().value));
    EXPECT_EQ(items.SelectItem(), GetParam().select) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, LottoSelectTest,
                         ::testing::Values(SelectCase{"1", 1}, SelectCase{"0", 0}, SelectCase{"2", 0},
                                           SelectCase{"-1", 0}, SelectCase{"x", 0}, SelectCase{"99999", 0},
                                           SelectCase{"Item=1", 1}));

TEST(LottoItemTest, ReadingAppends)
{
    CLottoItem items = ThreeGames();
    const QString text = items.InfoStr();
    items.SetInfoStr(text);
    EXPECT_EQ(items.LottoCount(), 6);
    EXPECT_EQ(items.LottoGroupCount(), 4);
    items.SetInfoStr(QString());
    EXPECT_EQ(items.LottoCount(), 6);
}

TEST(LottoItemTest, AddTrimsTheGroups)
{
    CLottoItem items;
    EXPECT_TRUE(items.LottoAdd(QStringLiteral("  0 3  "), QStringLiteral("G"), QStringLiteral("/p")));
    EXPECT_EQ(items.LottoItemGet(0, 0), u" 0 3 ");
    EXPECT_TRUE(items.InfoStr().contains(u"\r\n0 3\tG\t/p\r\n"));
}

} // namespace
} // namespace kelton
