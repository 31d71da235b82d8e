#include "games/game_options.h"

#include <gtest/gtest.h>

#include "data/lottor_head.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

CLottorHead Head(int16_t mrMain, const QString& extra = QString())
{
    CLottorHead head;
    head.SetHeadStr(
        u"[LOTTONAME]\r\nG\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATALEN]\r\n9\r\n[MRMAIN]\r\n"_s +
        QString::number(mrMain) + u"\r\n"_s + extra);
    EXPECT_TRUE(head.Enable());
    return head;
}

TEST(GameOptionsTest, PeriodsOutOfRangeAreRepaired)
{
    struct Case {
        int16_t custom, shown, customAfter, shownAfter;
    };
    const Case cases[] = {
        {250, 40, 10, 40}, {0, 201, 10, 40}, {-3, 0, 10, 40}, {1, 200, 1, 200}, {200, 1, 200, 1},
    };
    for (const Case& c : cases) {
        CLottorHead head = Head(0);
        head.CustomStat = c.custom;
        head.InferShowCourse = c.shown;
        RepairGamePeriods(head);
        EXPECT_EQ(head.CustomStat, c.customAfter) << c.custom;
        EXPECT_EQ(head.InferShowCourse, c.shownAfter) << c.shown;
    }
}

TEST(GameOptionsTest, ANewDefinitionShowsTheDefaults)
{
    EXPECT_EQ(ReadGameOptions(Head(1)), DefaultGameOptions());
}

TEST(GameOptionsTest, WrittenOptionsReadBackThroughTheDefinitionText)
{
    CLottorHead head = Head(1);
    GameOptions options = DefaultGameOptions();
    options.CustomStat = 7;
    options.InferShowCourse = 150;
    options.ListAsc = true;
    options.Colours[kRowColour2] = 0; // black is a colour, not "unset"
    options.Colours[kCycleColour] = 0;
    options.Colours[kBcColour] = Rgb(1, 2, 3);
    options.Colours[kMrColour] = 0;
    WriteGameOptions(head, options);
    EXPECT_EQ(ReadGameOptions(head), options);

    CLottorHead again;
    again.SetHeadStr(head.HeadStr());
    ASSERT_TRUE(again.Enable());
    EXPECT_EQ(ReadGameOptions(again), options);
    EXPECT_EQ(again.ListAsc, 1);
}

TEST(GameOptionsTest, SecondaryColourOnlyForASecondaryArea)
{
    CLottorHead head = Head(0, u"[MRMAINCOLOR]\r\n255\r\n"_s);
    GameOptions options = ReadGameOptions(head);
    options.Colours[kMrColour] = Rgb(9, 9, 9);
    WriteGameOptions(head, options);
    EXPECT_EQ(head.MrMainColor, 255);
}

TEST(GameOptionsTest, AnyListDirectionButZeroReadsAsOn)
{
    CLottorHead head = Head(0, u"[ListAsc]\r\n5\r\n"_s);
    GameOptions options = ReadGameOptions(head);
    EXPECT_TRUE(options.ListAsc);
    WriteGameOptions(head, options);
    EXPECT_EQ(head.ListAsc, 1);
}

} // namespace
} // namespace kelton
