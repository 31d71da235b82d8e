#include "pickers/bet_ball.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "pickers/picker_head.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class BetBallTest : public ::testing::Test {};

TEST_F(BetBallTest, BallAcceptsOnlyInRangeValues)
{
    CBetBall bet;
    bet.SetBall(1, 3);
    EXPECT_EQ(bet.Ball(1), 0); // no game yet

    bet.SetHeadData(test::PickerHead(3, 5, 1, 12));
    struct Case {
        int position;
        int value;
        int stored; // what the position then holds; -1: position out of range
    };
    const Case cases[] = {
        {1, 5, 5},   {3, 0, 0},  {2, 6, 0}, // above BcDataLen
        {4, 12, 12}, {4, 13, 0},            // the secondary bound
        {1, -1, 0},  {0, 3, 0},  {5, 3, -1},
    };
    for (const Case& c : cases) {
        CBetBall fresh;
        fresh.SetHeadData(test::PickerHead(3, 5, 1, 12));
        fresh.SetBall(c.position, c.value);
        EXPECT_EQ(fresh.Ball(c.position), c.stored < 0 ? 0 : c.stored) << c.position << "=" << c.value;
    }
}

TEST_F(BetBallTest, ClicksMoveTheOneValue)
{
    CBetBall bet;
    bet.SetHeadData(test::PickerHead(3, 5));
    bet.SetBall(1, 4);
    EXPECT_EQ(bet.ClickValue(1, 4), CBetBall::Click::Unchanged);
    EXPECT_EQ(bet.ClickValue(1, 8), CBetBall::Click::OutOfRange);
    EXPECT_EQ(bet.Ball(1), 4);
    EXPECT_EQ(bet.ClickValue(1, 2), CBetBall::Click::Moved);
    EXPECT_EQ(bet.Ball(1), 2);
}

TEST_F(BetBallTest, EveryValueOfTheRangeCanBeShownAndTenPlaces)
{
    CBetBall bet;
    bet.SetHeadData(test::PickerHead(3, 12, 1, 16));
    bet.SetBall(2, 12);
    bet.SetBall(4, 16);
    EXPECT_TRUE(bet.CanShow());
    EXPECT_EQ(bet.ClickValue(2, 10), CBetBall::Click::Moved);
    EXPECT_EQ(bet.ClickValue(2, 13), CBetBall::Click::OutOfRange);
    EXPECT_EQ(bet.Ball(2), 10);

    CBetBall wide;
    wide.SetHeadData(test::PickerHead(10, 12));
    EXPECT_TRUE(wide.CanShow());
    EXPECT_EQ(wide.RowCaption(10), u"位号码"_s);
    wide.SetHeadData(test::PickerHead(11, 12));
    EXPECT_FALSE(wide.CanShow());
}

TEST_F(BetBallTest, CaptionsAndLayout)
{
    CBetBall bet;
    bet.SetHeadData(test::PickerHead(3, 9, 1, 12));
    EXPECT_EQ(bet.RowCaption(1), u"个位号码"_s);
    EXPECT_EQ(bet.RowCaption(3), u"百位号码"_s);
    EXPECT_EQ(bet.RowCaption(4), u"特别号码1"_s);

    struct Case {
        int mrMain;
        std::vector<int> captionTops; // by position
        int help, cancel, ok, outerHeight;
    };
    const Case cases[] = {
        {0, {1440, 840, 240}, 480, 960, 1440, 2440},
        {1, {1440, 840, 240, 2040}, 1080, 1560, 2040, 3040},
    };
    for (const Case& c : cases) {
        const BetBallLayout layout = LayOutBetBall(3, c.mrMain);
        ASSERT_EQ(layout.Rows.size(), c.captionTops.size());
        for (size_t i = 0; i < c.captionTops.size(); ++i) {
            EXPECT_EQ(layout.Rows[i].Caption, QRect(240, c.captionTops[i], 495, 540)) << i;
            EXPECT_EQ(layout.Rows[i].Grid, QRect(960, c.captionTops[i] - 45, 1410, 495)) << i;
        }
        EXPECT_EQ(layout.CmdHelp, QRect(3720, c.help, 975, 375));
        EXPECT_EQ(layout.CmdCancel.y(), c.cancel);
        EXPECT_EQ(layout.CmdOk.y(), c.ok);
        EXPECT_EQ(layout.Outer, QSize(4905 + 90, c.outerHeight));
    }
    // One row: the button column keeps its room.
    EXPECT_GE(LayOutBetBall(1, 0).CmdHelp.y(), 240);

    // Grids of larger ranges grow by a row of 225 for every five values
    // past 0..9, and the rows below them move down as much.
    struct RangeCase {
        int bcDataLen, mrDataLen;
        std::vector<int> captionTops, gridHeights; // by position
        int ok, outerHeight;
    };
    const RangeCase ranges[] = {
        {14, 9, {1890, 1065, 240, 2715}, {720, 720, 720, 495}, 2715, 3715},
        {9, 16, {1440, 840, 240, 2040}, {495, 495, 495, 945}, 2040, 3490},
        {15, 0, {2340, 1290, 240}, {945, 945, 945}, 2340, 3790},
    };
    for (const RangeCase& c : ranges) {
        const int mrMain = c.captionTops.size() > 3 ? 1 : 0;
        const BetBallLayout layout = LayOutBetBall(3, mrMain, c.bcDataLen, c.mrDataLen);
        ASSERT_EQ(layout.Rows.size(), c.captionTops.size());
        for (size_t i = 0; i < c.captionTops.size(); ++i) {
            EXPECT_EQ(layout.Rows[i].Caption.y(), c.captionTops[i]) << c.bcDataLen << " " << i;
            EXPECT_EQ(layout.Rows[i].Grid, QRect(960, c.captionTops[i] - 45, 1410, c.gridHeights[i]))
                << c.bcDataLen << " " << i;
        }
        EXPECT_EQ(layout.CmdOk.y(), c.ok) << c.bcDataLen;
        EXPECT_EQ(layout.Outer.height(), c.outerHeight) << c.bcDataLen;
        // No grid reaches the one below it.
        std::vector<QRect> grids;
        for (const BetBallLayout::Row& row : layout.Rows)
            grids.push_back(row.Grid);
        std::sort(grids.begin(), grids.end(), [](const QRect& a, const QRect& b) { return a.y() < b.y(); });
        for (size_t i = 1; i < grids.size(); ++i)
            EXPECT_LT(grids[i - 1].y() + grids[i - 1].height(), grids[i].y()) << c.bcDataLen << " " << i;
    }
}

} // namespace
} // namespace kelton
