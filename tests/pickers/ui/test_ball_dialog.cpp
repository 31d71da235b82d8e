#include "pickers/ui/ball_dialog.h"

#include <optional>

#include <QLabel>
#include <QPushButton>

#include "picker_test_support.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class BallDialogTest : public ::testing::Test {
protected:
    // The picker for a three-digit game over 0..bcDataLen (with one
    // secondary number over 0..12 when asked) holding the bet, shown.
    fBall& Open(const std::vector<int>& bet, int bcDataLen = 9, bool secondary = false)
    {
        m_head = test::PickerHead(3, bcDataLen, secondary ? 1 : 0, 12);
        m_dialog = std::make_unique<fBall>();
        m_dialog->SetHeadData(m_head);
        for (size_t i = 0; i < bet.size(); ++i)
            m_dialog->SetBall(static_cast<int>(i) + 1, bet[i]);
        m_dialog->show();
        test::Settle();
        return *m_dialog;
    }
    // The highlighted value of each row, first row first.
    std::vector<std::vector<int>> Highlighted() const
    {
        std::vector<std::vector<int>> rows;
        for (int i = 0; i < m_dialog->RowCount(); ++i)
            rows.push_back(test::ColouredNumbers(m_dialog->msgBc(i)));
        return rows;
    }

    CLottorHead m_head;
    std::unique_ptr<fBall> m_dialog;
    test::AnsweringBoxes m_boxes;
};

TEST_F(BallDialogTest, RowsShowTheBetHighestPlaceFirst)
{
    // Units 4, tens 0, hundreds 9.
    fBall& dialog = Open({4, 0, 9}, 9, true);
    EXPECT_EQ(dialog.windowTitle(), u"投注号码编辑"_s);
    ASSERT_EQ(dialog.RowCount(), 4);
    EXPECT_EQ(Highlighted(), (std::vector<std::vector<int>>{{4}, {0}, {9}, {0}}));
    EXPECT_EQ(dialog.msgBc(2)->accessibleName(), u"百位号码"_s);
    EXPECT_EQ(dialog.msgBc(3)->accessibleName(), u"特别号码1"_s);
    EXPECT_EQ(dialog.msgBc(0)->CellBackColor(0, 4), ToQColor(m_head.BcMainColor));
    EXPECT_EQ(dialog.msgBc(3)->CellBackColor(0, 0), ToQColor(m_head.MrMainColor));
    // Hundreds on the first row, the secondary row last, the buttons beside.
    const BetBallLayout layout = LayOutBetBall(3, 1, 9, 12);
    EXPECT_LT(dialog.msgBc(2)->y(), dialog.msgBc(0)->y());
    EXPECT_GT(dialog.msgBc(3)->y(), dialog.msgBc(0)->y());
    EXPECT_EQ(dialog.msgBc(3)->geometry(), TwipsRectToScreen(layout.Rows[3].Grid, &dialog));
    EXPECT_EQ(dialog.cmdOk()->geometry(), TwipsRectToScreen(layout.CmdOk, &dialog));
    EXPECT_EQ(dialog.Cmdhelp()->y(), TwipsRectToScreen(layout.CmdHelp, &dialog).y());
}

TEST_F(BallDialogTest, ClicksMoveTheOneHighlight)
{
    fBall& dialog = Open({0, 0, 0});
    test::ClickNumber(dialog.msgBc(0), 7);
    test::ClickNumber(dialog.msgBc(1), 3);
    test::ClickNumber(dialog.msgBc(2), 5);
    test::ClickNumber(dialog.msgBc(2), 5); // the highlighted cell again
    EXPECT_EQ(Highlighted(), (std::vector<std::vector<int>>{{7}, {3}, {5}}));
    dialog.cmdOk()->click();
    EXPECT_TRUE(dialog.ClickOk());
    EXPECT_EQ(dialog.Ball(1), 7);
    EXPECT_EQ(dialog.Ball(2), 3);
    EXPECT_EQ(dialog.Ball(3), 5);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

TEST_F(BallDialogTest, NumbersAboveTheGameAreRefused)
{
    fBall& dialog = Open({2, 0, 0}, 5);
    test::ClickNumber(dialog.msgBc(0), 8);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"号码超出范围"_s});
    EXPECT_EQ(m_boxes.Titles, QStringList{u"操作提示"_s});
    EXPECT_EQ(dialog.Ball(1), 2);
    EXPECT_EQ(Highlighted().front(), std::vector<int>{2});
}

TEST_F(BallDialogTest, EveryGridShowsItsPositionsWholeRange)
{
    // Main numbers 0..9 on two rows; the secondary one over 0..12 on three,
    // the cells past 12 empty.
    fBall& dialog = Open({4, 0, 9, 11}, 9, true);
    EXPECT_EQ(dialog.msgBc(0)->Rows(), 2);
    ASSERT_EQ(dialog.msgBc(3)->Rows(), 3);
    EXPECT_EQ(dialog.msgBc(3)->TextMatrix(2, 2), u"12"_s);
    EXPECT_EQ(dialog.msgBc(3)->TextMatrix(2, 3), QString());
    EXPECT_EQ(Highlighted().back(), std::vector<int>{11});
    test::ClickNumber(dialog.msgBc(3), 12);
    EXPECT_EQ(dialog.Ball(4), 12);
    test::ClickNumber(dialog.msgBc(3), 14);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"号码超出范围"_s});
    EXPECT_EQ(Highlighted().back(), std::vector<int>{12});
    dialog.cmdOk()->click();
    EXPECT_EQ(dialog.Ball(4), 12);
}

TEST_F(BallDialogTest, CancelCloseAndHelp)
{
    QString asked;
    std::optional<ScopedService<HelpShower>> help;
    help.emplace([&asked](const QString&, const QString& topic) { asked = topic; });
    fBall& dialog = Open({1, 2, 3});
    dialog.Cmdhelp()->click();
    EXPECT_EQ(asked, u"fBall.htm"_s);
    help.reset();
    dialog.cmdCancel()->click();
    EXPECT_FALSE(dialog.ClickOk());
    fBall& closed = Open({1, 2, 3});
    closed.close();
    EXPECT_FALSE(closed.ClickOk());
}

} // namespace
} // namespace kelton
