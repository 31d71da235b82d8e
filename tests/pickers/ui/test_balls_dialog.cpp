#include "pickers/ui/balls_dialog.h"

#include <optional>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "picker_test_support.h"
#include "pickers/quick_choice.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class BallsDialogTest : public ::testing::Test {
protected:
    // The picker for a game of three digits over 0..bcDataLen, starting from
    // text, shown.
    FBalls& Open(const QString& text, int bcDataLen = 9)
    {
        m_head = test::PickerHead(3, bcDataLen);
        m_dialog = std::make_unique<FBalls>();
        m_dialog->SetHeadData(m_head);
        m_dialog->SetBall(text);
        m_dialog->show();
        test::Settle();
        return *m_dialog;
    }
    QColor Selected() const { return ToQColor(m_head.BcMainColor); }
    // Which rows show: group row first, then positions 1..3.
    std::vector<bool> Shown() const
    {
        std::vector<bool> shown;
        for (int i = 0; i < m_dialog->RowCount(); ++i)
            shown.push_back(m_dialog->msgBc(i)->isVisible() && m_dialog->LblBc(i)->isVisible() &&
                            m_dialog->CboBc(i)->isVisible());
        return shown;
    }

    CLottorHead m_head;
    std::unique_ptr<FBalls> m_dialog;
    test::AnsweringBoxes m_boxes;
};

TEST_F(BallsDialogTest, BuildsTheRowsOfTheGame)
{
    FBalls& dialog = Open(u"1 2,3,4 5"_s);
    EXPECT_EQ(dialog.windowTitle(), u"号码选择"_s);
    ASSERT_EQ(dialog.RowCount(), 4);
    // Grids and lists are named after their captions.
    EXPECT_TRUE(dialog.LblBc(0)->text().contains(u"组选号码"_s));
    EXPECT_EQ(dialog.msgBc(0)->accessibleName(), u"组选号码"_s);
    EXPECT_EQ(dialog.CboBc(3)->accessibleName(), u"百位号码"_s);
    EXPECT_EQ(dialog.msgBc(1)->accessibleName(), u"个位号码"_s);
    EXPECT_TRUE(dialog.optSel(0)->isChecked());
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(3)), (std::vector<int>{1, 2}));
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(1)), (std::vector<int>{4, 5}));
    EXPECT_EQ(dialog.msgBc(3)->CellBackColor(0, 1), Selected());
    EXPECT_EQ(dialog.msgBc(3)->TextMatrix(1, 3), u"8"_s);
    EXPECT_EQ(dialog.msgBc(3)->ColWidth(0), 270);
    // Placed in twips: hundreds on top.
    const BallsLayout layout = LayOutBalls(3);
    EXPECT_EQ(dialog.msgBc(3)->geometry(), TwipsRectToScreen(layout.Rows[3].Grid, &dialog));
    EXPECT_EQ(dialog.CboBc(1)->geometry().topLeft(),
              TwipsRectToScreen(layout.Rows[1].List, &dialog).topLeft());
    EXPECT_EQ(dialog.cmdOK()->geometry(), TwipsRectToScreen(layout.CmdOk, &dialog));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialog.CboBc(i)->count(), kQuickChoiceCount);
        EXPECT_EQ(dialog.CboBc(i)->currentText(), u"重选"_s);
    }

    FBalls& group = Open(u" 3 1 3 "_s);
    EXPECT_TRUE(group.optSel(1)->isChecked());
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(test::ColouredNumbers(group.msgBc(0)), (std::vector<int>{1, 3}));
}

TEST_F(BallsDialogTest, ClicksToggleCells)
{
    FBalls& dialog = Open({});
    test::ClickNumber(dialog.msgBc(0), 3);
    test::ClickNumber(dialog.msgBc(0), 8);
    EXPECT_EQ(dialog.Ball(), u"3 8"_s);
    EXPECT_EQ(dialog.msgBc(0)->CellBackColor(1, 3), Selected());
    test::ClickNumber(dialog.msgBc(0), 3);
    EXPECT_EQ(dialog.Ball(), u"8"_s);
    EXPECT_FALSE(dialog.msgBc(0)->CellBackColor(0, 3).isValid()); // the grid's own colour again
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

TEST_F(BallsDialogTest, SwitchingModesKeepsBothSelections)
{
    FBalls& dialog = Open(u"1,2,3"_s);
    QTest::mouseClick(dialog.optSel(1), Qt::LeftButton);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false, false}));
    test::ClickNumber(dialog.msgBc(0), 7);
    EXPECT_EQ(dialog.Ball(), u"7"_s);
    QTest::mouseClick(dialog.optSel(0), Qt::LeftButton);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(3)), (std::vector<int>{1}));
    EXPECT_EQ(dialog.Ball(), u"1,2,3"_s);
    QTest::mouseClick(dialog.optSel(1), Qt::LeftButton);
    dialog.cmdOK()->click();
    EXPECT_TRUE(dialog.ClickOk());
    EXPECT_EQ(dialog.Ball(), u"7"_s);
}

TEST_F(BallsDialogTest, NumbersAboveTheGameAreRefused)
{
    FBalls& dialog = Open({}, 5);
    test::ClickNumber(dialog.msgBc(0), 7);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"号码超出范围"_s});
    EXPECT_EQ(m_boxes.Titles, QStringList{u"操作提示"_s});
    EXPECT_EQ(m_boxes.Buttons.front(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(dialog.Ball(), u""_s);
    EXPECT_TRUE(test::ColouredNumbers(dialog.msgBc(0)).empty());
}

TEST_F(BallsDialogTest, GamesAboveNineShowAndChooseTheirWholeRange)
{
    FBalls& dialog = Open(u"10 12"_s, 12);
    const BallsLayout layout = LayOutBalls(3, 12);
    for (int i = 0; i < dialog.RowCount(); ++i) {
        ASSERT_EQ(dialog.msgBc(i)->Rows(), 3) << i;
        EXPECT_EQ(dialog.msgBc(i)->geometry(),
                  TwipsRectToScreen(layout.Rows[static_cast<size_t>(i)].Grid, &dialog))
            << i;
    }
    EXPECT_EQ(dialog.cmdOK()->geometry(), TwipsRectToScreen(layout.CmdOk, &dialog));
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(0)), (std::vector<int>{10, 12}));
    EXPECT_EQ(dialog.msgBc(0)->TextMatrix(2, 4), QString());

    // "全选" marks every value the grid shows, and only those.
    QComboBox* group = dialog.CboBc(0);
    group->setCurrentIndex(static_cast<int>(QuickChoice::All));
    Q_EMIT group->activated(group->currentIndex());
    EXPECT_EQ(dialog.Ball(), u"00 01 02 03 04 05 06 07 08 09 10 11 12"_s);
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(0)).size(), 13u);
    test::ClickNumber(dialog.msgBc(0), 11);
    test::ClickNumber(dialog.msgBc(0), 13);
    EXPECT_EQ(m_boxes.Texts, QStringList{u"号码超出范围"_s});
    EXPECT_EQ(dialog.Ball(), u"00 01 02 03 04 05 06 07 08 09 10 12"_s);
}

TEST_F(BallsDialogTest, QuickChoicesReplaceARow)
{
    FBalls& dialog = Open(u"0,9,0"_s);
    QComboBox* tens = dialog.CboBc(2);
    tens->setCurrentIndex(static_cast<int>(QuickChoice::Prime));
    Q_EMIT tens->activated(tens->currentIndex());
    EXPECT_EQ(dialog.Ball(), u"0,1 2 3 5 7,0"_s);
    EXPECT_EQ(test::ColouredNumbers(dialog.msgBc(2)), (std::vector<int>{1, 2, 3, 5, 7}));
    EXPECT_EQ(tens->currentText(), u"质数"_s);
}

TEST_F(BallsDialogTest, CancelCloseAndHelp)
{
    QString asked;
    std::optional<ScopedService<HelpShower>> help;
    help.emplace([&asked](const QString&, const QString& topic) { asked = topic; });
    FBalls& dialog = Open(u"1 2"_s);
    dialog.CmdHelp()->click();
    EXPECT_EQ(asked, u"FBalls.htm"_s);
    EXPECT_TRUE(dialog.isVisible());
    help.reset();

    test::ClickNumber(dialog.msgBc(0), 5);
    dialog.cmdCancel()->click();
    EXPECT_FALSE(dialog.ClickOk());
    FBalls& closed = Open(u"1 2"_s);
    closed.close();
    EXPECT_FALSE(closed.ClickOk());
}

TEST_F(BallsDialogTest, WithoutAGameOnlyTheButtons)
{
    m_dialog = std::make_unique<FBalls>();
    m_dialog->SetBall(u"1 2"_s);
    m_dialog->show();
    test::Settle();
    EXPECT_FALSE(m_dialog->msgBc(0)->isVisible());
    EXPECT_FALSE(m_dialog->optSel(0)->isVisible());
    EXPECT_TRUE(m_dialog->cmdOK()->isVisible());
    m_dialog->cmdOK()->click();
    EXPECT_EQ(m_dialog->Ball(), u""_s);
}

} // namespace
} // namespace kelton
