#include "pickers/ball_list.h"

#include <gtest/gtest.h>

#include "pickers/picker_head.h"
#include "pickers/quick_choice.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// A game of bcMain digits over 0..bcDataLen whose numbers are written
// bcNumMaxLen characters wide.
CLottorHead Head(int bcMain, int bcDataLen, int bcNumMaxLen = 1)
{
    CLottorHead head = test::PickerHead(bcMain, bcDataLen);
    head.BcNumMaxLen = static_cast<int16_t>(bcNumMaxLen);
    return head;
}

// The selected values of a row, ascending.
std::vector<int> Row(const CBallList& list, int row)
{
    std::vector<int> values;
    for (int v = 0; v <= list.BcDataLen(); ++v)
        if (list.Selected(row, v))
            values.push_back(v);
    return values;
}

TEST(BallList, TextInAndOut)
{
    struct Case {
        QString in;
        int bcNumMaxLen;
        bool single;
        QString out;
    };
    const Case cases[] = {
        {u""_s, 1, false, u""_s},
        {u" 3 1 3 "_s, 1, false, u"1 3"_s},
        {u"1 2,3,4 5"_s, 1, true, u"1 2,3,4 5"_s},
        {u"1,2,3,4"_s, 1, true, u"1,2,3"_s}, // parts past the positions are ignored
        {u"1,2"_s, 1, true, u"1,2,"_s},      // missing parts stay empty
        {u",,"_s, 1, true, u",,"_s},
        {u"x 5 12 -1 2.5 99999"_s, 1, false, u"2 5"_s},
        {u"1  5"_s, 1, false, u"1 5"_s}, // repeated blanks
        {u"01 05"_s, 2, false, u"01 05"_s},
        {u"1 5"_s, 2, false, u"01 05"_s},
        {u"3.5 -0.4 1e3"_s, 1, false, u"0 4"_s}, // halves to even; no exponent
    };
    for (const Case& c : cases) {
        CBallList list;
        list.SetHeadData(Head(3, 9, c.bcNumMaxLen));
        list.SetBall(c.in);
        EXPECT_EQ(list.IsSingle(), c.single) << c.in.toStdString();
        EXPECT_EQ(list.Ball(), c.out) << c.in.toStdString();
    }

    CBallList list;
    list.SetHeadData(Head(3, 9));
    list.SetBall(u"1 2,3,4 5"_s);
    EXPECT_EQ(Row(list, 3), (std::vector<int>{1, 2})); // hundreds first
    EXPECT_EQ(Row(list, 2), (std::vector<int>{3}));
    EXPECT_EQ(Row(list, 1), (std::vector<int>{4, 5}));
    EXPECT_TRUE(Row(list, 0).empty());
    // An empty text empties the table and keeps the mode.
    list.SetBall(u"  "_s);
    EXPECT_TRUE(list.IsSingle());
    EXPECT_EQ(list.Ball(), u",,"_s);
}

TEST(BallList, BothModesKeepTheirSelection)
{
    CBallList list;
    list.SetHeadData(Head(3, 9));
    list.SetBall(u"1,2,3"_s);
    list.SetIsSingle(false);
    ASSERT_TRUE(list.Toggle(0, 7));
    EXPECT_EQ(list.Ball(), u"7"_s);
    list.SetIsSingle(true);
    EXPECT_EQ(list.Ball(), u"1,2,3"_s);
    // A second click undoes the first.
    ASSERT_TRUE(list.Toggle(3, 1));
    EXPECT_EQ(list.Ball(), u",2,3"_s);
    ASSERT_TRUE(list.Toggle(3, 1));
    EXPECT_EQ(list.Ball(), u"1,2,3"_s);
    list.ClsBall();
    EXPECT_EQ(list.Ball(), u",,"_s);
}

TEST(BallList, WithoutAGame)
{
    CBallList list;
    list.SetBall(u"1 2"_s);
    EXPECT_EQ(list.Ball(), u""_s);
    EXPECT_FALSE(list.IsSingle());
    EXPECT_FALSE(list.Toggle(0, 1));
}

TEST(BallList, QuickChoicesUseFixedThirds)
{
    struct Case {
        int bcDataLen;
        QuickChoice choice;
        std::vector<int> selected;
    };
    const Case cases[] = {
        {9, QuickChoice::Small, {0, 1, 2}},           {9, QuickChoice::Middle, {3, 4, 5, 6}},
        {9, QuickChoice::Large, {7, 8, 9}},           {9, QuickChoice::Prime, {1, 2, 3, 5, 7}},
        {9, QuickChoice::Composite, {0, 4, 6, 8, 9}}, {9, QuickChoice::Even, {0, 2, 4, 6, 8}},
        {9, QuickChoice::Rest2, {2, 5, 8}},           {9, QuickChoice::Clear, {}},
        {5, QuickChoice::All, {0, 1, 2, 3, 4, 5}},    {5, QuickChoice::Large, {}},
        {5, QuickChoice::Middle, {3, 4, 5}},
    };
    for (const Case& c : cases) {
        CBallList list;
        list.SetHeadData(Head(3, c.bcDataLen));
        list.SetBall(u"0 9"_s); // replaced, not added to
        list.ApplyQuickChoice(0, static_cast<int>(c.choice));
        EXPECT_EQ(Row(list, 0), c.selected) << static_cast<int>(c.choice) << " over 0.." << c.bcDataLen;
        EXPECT_TRUE(Row(list, 1).empty());
    }
}

TEST(BallList, ValuesAboveTheGameAreRefused)
{
    CBallList list;
    list.SetHeadData(Head(3, 5));
    EXPECT_FALSE(list.Toggle(0, 7));
    EXPECT_TRUE(Row(list, 0).empty());
    EXPECT_TRUE(list.Toggle(0, 5));
    EXPECT_EQ(list.Ball(), u"5"_s);
}

TEST(BallList, Layout)
{
    const BallsLayout three = LayOutBalls(3);
    ASSERT_EQ(three.Rows.size(), 4u);
    // The group row keeps its place; hundreds, tens, units 600 apart.
    EXPECT_EQ(three.Rows[0].Caption.topLeft(), QPoint(240, 885));
    EXPECT_EQ(three.Rows[0].Grid, QRect(960, 840, 1410, 495));
    EXPECT_EQ(three.Rows[0].List.topLeft(), QPoint(3000, 900));
    for (int i = 1; i <= 3; ++i) {
        const int top = (3 - i) * 600 + 240;
        EXPECT_EQ(three.Rows[static_cast<size_t>(i)].Caption.topLeft(), QPoint(240, top)) << i;
        EXPECT_EQ(three.Rows[static_cast<size_t>(i)].Grid, QRect(960, top - 45, 1410, 495)) << i;
        EXPECT_EQ(three.Rows[static_cast<size_t>(i)].List.topLeft(), QPoint(3000, top)) << i;
    }
    // The buttons in one row 1200 below the group caption: help, cancel, OK.
    EXPECT_EQ(three.CmdOk.y(), 2085);
    EXPECT_LT(three.CmdHelp.x(), three.CmdCancel.x());
    EXPECT_LT(three.CmdCancel.x(), three.CmdOk.x());
    EXPECT_EQ(three.Outer.height(), 885 + 2300);
    EXPECT_LT(three.OptSingle.y(), three.OptGroup.y());
    EXPECT_GE(three.OptSingle.x(), three.Rows[0].List.x() + three.Rows[0].List.width());

    // Four positions: the buttons move below the units row.
    const BallsLayout four = LayOutBalls(4);
    const QRect units = four.Rows[1].Grid;
    EXPECT_GT(four.CmdOk.y(), units.y() + units.height());
    EXPECT_EQ(four.Outer.height() - four.CmdOk.y(), three.Outer.height() - three.CmdOk.y());

    // Numbers up to 16: grids of four rows, the position rows 1050 apart,
    // the buttons below the taller grids.
    const BallsLayout large = LayOutBalls(3, 16);
    EXPECT_EQ(large.Rows[0].Grid, QRect(960, 840, 1410, 945));
    for (int i = 1; i <= 3; ++i) {
        const int top = (3 - i) * 1050 + 240;
        EXPECT_EQ(large.Rows[static_cast<size_t>(i)].Grid, QRect(960, top - 45, 1410, 945)) << i;
    }
    const QRect lowest = large.Rows[1].Grid;
    EXPECT_EQ(large.CmdOk.y(), lowest.y() + lowest.height() + 195);
    EXPECT_EQ(large.Outer.height() - large.CmdOk.y(), three.Outer.height() - three.CmdOk.y());
}

} // namespace
} // namespace kelton
