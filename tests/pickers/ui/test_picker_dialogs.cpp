#include "pickers/ui/picker_dialogs.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "data/lottor_data.h"
#include "picker_test_support.h"
#include "pickers/ui/ball_dialog.h"
#include "pickers/ui/pick.h"
#include "pickers/ui/balls_dialog.h"
#include "pickers/ui/sel_val_box.h"
#include "pickers/ui/sel_val_dialog.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// The pickers as the model opens them: fresh dialogs, read after they close.
class PickerDialogsTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        test::ProgramFolderTest::SetUp();
        InstallPickerDialogs();
        ASSERT_FALSE(m_game.CreateData(
            u"[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n1\r\n"_s,
            Path(u"game"_s), 1000));
    }
    void TearDown() override
    {
        InstallService<IPickerService>(nullptr);
        test::ProgramFolderTest::TearDown();
    }

    CLottorData m_game;
    test::AnsweringBoxes m_boxes;
};

TEST_F(PickerDialogsTest, ValuePickerGivesTheEditedTextAfterOk)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) {
        auto& picker = dynamic_cast<FSelVal&>(dialog);
        EXPECT_TRUE(picker.TxtMsg()->isVisible());
        CSelValBox* box = picker.PicVal();
        QTest::mousePress(box, Qt::LeftButton, {}, box->CellPixels(6).center());
        QTest::mouseMove(box, box->CellPixels(7).center());
        QTest::mouseRelease(box, Qt::LeftButton, {}, box->CellPixels(7).center());
        picker.CmdOk()->click();
    });
    EXPECT_EQ(ShowSelVal(u"5 3 4 9"_s, 0, 9, {}, u"上期：5"_s), u"3-7 9"_s);
    EXPECT_EQ(dialogs.Shown, 1);
}

TEST_F(PickerDialogsTest, ValuePickerGivesTheTextBackAfterCancel)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) { dynamic_cast<FSelVal&>(dialog).CmdCancel()->click(); });
    EXPECT_EQ(ShowSelVal(u"250 x"_s, 0, 200, {}, {}), u"250 x"_s);
    // A dialog left open is closed as its close box would.
    test::WorkedDialogs leftOpen([](QDialog&) {});
    EXPECT_EQ(ShowSelVal(u"1"_s, 0, 9, {}, {}), u"1"_s);
}

TEST_F(PickerDialogsTest, DialogsArriveBuilt)
{
    test::WorkedDialogs values(
        [](QDialog& dialog) {
            auto& picker = dynamic_cast<FSelVal&>(dialog);
            ASSERT_NE(picker.Cells(), nullptr);
            picker.CmdOk()->click();
        },
        false);
    EXPECT_EQ(ShowSelVal(u"5 3 4 9"_s, 0, 9, {}, {}), u"3-5 9"_s);

    test::WorkedDialogs lists(
        [](QDialog& dialog) {
            auto& picker = dynamic_cast<FBalls&>(dialog);
            EXPECT_EQ(picker.RowCount(), 4);
            picker.cmdOK()->click();
        },
        false);
    QString text = u" 3 1 3 "_s;
    EXPECT_TRUE(PickNumberList(m_game.HeadData, text));
    EXPECT_EQ(text, u"1 3"_s);

    test::WorkedDialogs bets(
        [](QDialog& dialog) {
            auto& picker = dynamic_cast<fBall&>(dialog);
            EXPECT_EQ(picker.RowCount(), 4);
            picker.cmdOk()->click();
        },
        false);
    std::vector<int16_t> bet = {0, 1, 2, 3, 4};
    EXPECT_TRUE(PickBetNumber(m_game.HeadData, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 1, 2, 3, 4}));
}

TEST_F(PickerDialogsTest, NumberListPicker)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) {
        auto& picker = dynamic_cast<FBalls&>(dialog);
        test::ClickNumber(picker.msgBc(2), 8);
        picker.cmdOK()->click();
    });
    QString text = u"1 2,3,4 5"_s;
    EXPECT_TRUE(PickNumberList(m_game.HeadData, text));
    EXPECT_EQ(text, u"1 2,3 8,4 5"_s);

    test::WorkedDialogs cancelled([](QDialog& dialog) {
        auto& picker = dynamic_cast<FBalls&>(dialog);
        test::ClickNumber(picker.msgBc(2), 0);
        picker.cmdCancel()->click();
    });
    EXPECT_FALSE(PickNumberList(m_game.HeadData, text));
    EXPECT_EQ(text, u"1 2,3 8,4 5"_s);
}

TEST_F(PickerDialogsTest, BetNumberPicker)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) {
        auto& picker = dynamic_cast<fBall&>(dialog);
        test::ClickNumber(picker.msgBc(0), 7);
        test::ClickNumber(picker.msgBc(1), 3);
        test::ClickNumber(picker.msgBc(2), 5);
        test::ClickNumber(picker.msgBc(3), 9);
        picker.cmdOk()->click();
    });
    std::vector<int16_t> bet = {0, 0, 0, 0, 0};
    EXPECT_TRUE(PickBetNumber(m_game.HeadData, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 7, 3, 5, 9}));
    EXPECT_EQ(dialogs.Shown, 1);
}

TEST_F(PickerDialogsTest, BetNumberPickerCancelledOrUnableToShow)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) {
        auto& picker = dynamic_cast<fBall&>(dialog);
        test::ClickNumber(picker.msgBc(0), 7);
        picker.cmdCancel()->click();
    });
    std::vector<int16_t> bet = {0, 1, 2, 3, 4};
    EXPECT_FALSE(PickBetNumber(m_game.HeadData, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(dialogs.Shown, 1);

    // A number outside the game has no cell: no dialog, the bet unchanged.
    for (const std::vector<int16_t>& unshown : {std::vector<int16_t>{0, 1, 2, 3, 13}, {0, 10, 2, 3, 4}}) {
        std::vector<int16_t> kept = unshown;
        EXPECT_FALSE(PickBetNumber(m_game.HeadData, kept));
        EXPECT_EQ(kept, unshown);
    }
    EXPECT_EQ(dialogs.Shown, 1);
}

TEST_F(PickerDialogsTest, SecondaryNumbersAboveNineAreEditedOnTheirGrid)
{
    test::WorkedDialogs dialogs([](QDialog& dialog) {
        auto& picker = dynamic_cast<fBall&>(dialog);
        ASSERT_EQ(picker.msgBc(3)->Rows(), 3); // 0..12
        EXPECT_EQ(test::ColouredNumbers(picker.msgBc(3)), std::vector<int>{10});
        test::ClickNumber(picker.msgBc(3), 12);
        picker.cmdOk()->click();
    });
    std::vector<int16_t> bet = {0, 1, 2, 3, 10};
    EXPECT_TRUE(PickBetNumber(m_game.HeadData, bet));
    EXPECT_EQ(bet, (std::vector<int16_t>{0, 1, 2, 3, 12}));
    EXPECT_EQ(dialogs.Shown, 1);
}

} // namespace
} // namespace kelton
