#include "games/game_list.h"

#include <gtest/gtest.h>

#include "data/lotto_items.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

CLottoItem Games(const QString& groups, const QString& data)
{
    CLottoItem items;
    items.SetInfoStr(u"[LOTTOITEM_GROUP]\r\n"_s + groups + u"\r\n[LOTTOITEM_DATA]\r\n"_s + data);
    return items;
}

TEST(GameListTest, GroupMembershipIsByWholeIndex)
{
    const CLottoItem items = Games(u"全部\r\n一\r\n十"_s, u"0 10\tA\ta\r\n1\tB\tb\r\n0 1\tC\tc"_s);
    EXPECT_EQ(GamesOfGroup(items, 0), (std::vector<int16_t>{0, 2}));
    EXPECT_EQ(GamesOfGroup(items, 1), (std::vector<int16_t>{1, 2})); // " 10 " is not group 1
    EXPECT_EQ(GamesOfGroup(items, 10), (std::vector<int16_t>{0}));
    EXPECT_TRUE(GamesOfGroup(items, 5).empty());
    EXPECT_EQ(GameGroupText(items, 2), u"全部一"_s);
    EXPECT_EQ(GameGroupText(items, 0), u"全部"_s); // group 10 has no name
    EXPECT_EQ(AddedGameGroups(3), u"0 3"_s);
}

TEST(GameListTest, SearchScores)
{
    // Games 0 and 1 hold "3D" in their groups only and in their name only.
    const CLottoItem items = Games(u"全部彩票\r\n3D玩法\r\nxy"_s,
                                   u"0 1\t排列三\tp\r\n0\t福彩3D\tf\r\n0\tPick AB\tq\r\n2\tzz\tz"_s);
    struct Case {
        QString keyword;
        std::vector<int32_t> scores;
    };
    const Case cases[] = {
        // Two letters found in the name in the other case: 2 * 2 whole, 2 + 2 by character.
        {u"ab"_s, {0, 0, 8, 0}},
        // In the name: 2 * 2 + 2 + 2; in the group names: 2 + 1 + 1.
        {u"3d"_s, {4, 8, 0, 0}},
        // The inner blank counts in the whole keyword only.
        {u"3 D"_s, {2, 4, 0, 0}},
        {u"  3D  "_s, {4, 8, 0, 0}},
        // A group name "xy": whole keyword (2) and two characters (1 each).
        {u"XY"_s, {0, 0, 0, 4}},
        // One character: the whole keyword and the character both count.
        {u"彩"_s, {2, 6, 2, 0}},
        {u"q"_s, {0, 0, 0, 0}},
        {u""_s, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GameSearchScores(items, c.keyword), c.scores) << c.keyword.toStdString();
}

TEST(GameListTest, SearchListsBestFirstInIndexOrderAmongEquals)
{
    CLottoItem items = Games(u"全部彩票\r\n3D玩法"_s,
                             u"0 1\t排列三\tp\r\n0\t福彩3D\tf\r\n0\t3D\tg\r\n0\t彩\th\r\n0\t3D乐\ti"_s);
    // A name match outranks a group match; equal scores keep index order.
    EXPECT_EQ(SearchGames(items, u"3D"_s), (std::vector<int16_t>{1, 2, 4, 0}));
    // A deleted game is listed by no search.
    ASSERT_TRUE(items.LottoDel(2));
    EXPECT_EQ(SearchGames(items, u"3D"_s), (std::vector<int16_t>{1, 4, 0}));
    EXPECT_TRUE(SearchGames(items, u"nothing"_s).empty());
}

} // namespace
} // namespace kelton
