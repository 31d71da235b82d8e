#include "pickers/ui/sel_val_dialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "picker_test_support.h"
#include "pickers/quick_choice.h"
#include "pickers/ui/sel_val_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class SelValDialogTest : public ::testing::Test {
protected:
    // The picker over minVal..maxVal starting from text, shown.
    FSelVal& Open(const QString& text, int16_t minVal, int16_t maxVal, const QString& valName = {},
                  const QString& showMsg = {})
    {
        m_dialog = std::make_unique<FSelVal>();
        m_dialog->SetStrVal(text);
        m_dialog->SetMinVal(minVal);
        m_dialog->SetMaxVal(maxVal);
        m_dialog->SetShowMsg(showMsg);
        m_dialog->SetValName(valName);
        m_dialog->show();
        test::Settle();
        return *m_dialog;
    }
    CSelValBox* Box() const { return m_dialog->PicVal(); }
    QPoint Centre(int k) const { return Box()->CellPixels(k).center(); }
    // The marked values as the picker would hand them back.
    QString Marked() const { return m_dialog->Cells()->Result(); }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(Box(), button, {}, from);
        QTest::mouseMove(Box(), (from + to) / 2);
        QTest::mouseMove(Box(), to);
        QTest::mouseRelease(Box(), button, {}, to);
    }
    // A double click as the window system reports it: a press and release,
    // then the second press as a double click and its release.
    void DoubleClick(Qt::MouseButton button, QPoint at)
    {
        QTest::mouseClick(Box(), button, {}, at);
        QTest::mouseDClick(Box(), button, {}, at);
        QTest::mouseRelease(Box(), button, {}, at);
    }

    std::unique_ptr<FSelVal> m_dialog;
};

TEST_F(SelValDialogTest, BuildsTheWindowInTwips)
{
    FSelVal& dialog = Open(u"5 3 4 9"_s, 0, 27, {}, u"上期：12"_s);
    EXPECT_EQ(dialog.windowTitle(), u"快捷选值器"_s);
    EXPECT_TRUE(dialog.windowFlags() & Qt::Tool);
    EXPECT_TRUE(dialog.LblMsg()->text().contains(u"双击鼠标左键选择，双击右键取消选择。"_s));
    EXPECT_TRUE(dialog.LblMsg()->text().contains(u"再放开鼠标右键。"_s));
    const sel_val::Layout& layout = dialog.Layout();
    EXPECT_EQ(layout.PicVal.size(), QSize(6750, 1200)); // three rows of ten
    EXPECT_EQ(Box()->geometry(), TwipsRectToScreen(layout.PicVal, Box()));
    EXPECT_EQ(dialog.CmdOk()->geometry(), TwipsRectToScreen(layout.CmdOk, Box()));
    EXPECT_EQ(dialog.CmdCancel()->text(), u"取消"_s);
    EXPECT_TRUE(dialog.TxtMsg()->isVisible());
    EXPECT_EQ(dialog.TxtMsg()->toPlainText(), u"上期：12"_s);
    EXPECT_EQ(dialog.size(),
              QSize(TwipsToScreenPixels(layout.Outer.width() - kToolWindowFrame.Width, &dialog),
                    TwipsToScreenPixels(layout.Outer.height() - kToolWindowFrame.Height, &dialog)));
    EXPECT_EQ(Marked(), u"3-5 9"_s);
    // The list shows "重选" without applying it.
    EXPECT_EQ(dialog.CboChoose()->count(), kQuickChoiceCount);
    EXPECT_EQ(dialog.CboChoose()->currentText(), u"重选"_s);

    FSelVal& plain = Open({}, 0, 3);
    EXPECT_FALSE(plain.TxtMsg()->isVisible());
    EXPECT_EQ(plain.Layout().PicVal.height(), 500);
    EXPECT_EQ(Box()->CellName(3), u"3"_s);
}

TEST_F(SelValDialogTest, CellsAsWideAsTheLastLabel)
{
    QStringList legend;
    for (int i = 0; i <= 26; ++i)
        legend << u"%1=冷冷冷"_s.arg(i);
    Open({}, 0, 26, legend.join(u';'));
    const double textWidth = QFontMetricsF(Box()->font()).horizontalAdvance(legend.last());
    EXPECT_GE(Box()->CellPixels(0).width() + 1, textWidth);
    EXPECT_EQ(Box()->CellName(5), u"5=冷冷冷"_s);
}

TEST_F(SelValDialogTest, DragsMarkWithTheLeftButtonAndUnmarkWithTheRight)
{
    Open({}, 0, 29);
    Drag(Qt::LeftButton, Centre(0), Centre(12));
    EXPECT_EQ(Marked(), u"0-2 10-12"_s);
    EXPECT_FALSE(Box()->Drag().BandVisible());
    Drag(Qt::RightButton, Centre(12) + QPoint(2, 2), Centre(11));
    EXPECT_EQ(Marked(), u"0-2 10"_s);
    // The middle button does nothing.
    Drag(Qt::MiddleButton, Centre(20), Centre(29));
    EXPECT_EQ(Marked(), u"0-2 10"_s);
}

TEST_F(SelValDialogTest, APressAndReleaseWithoutAMoveChangeNothing)
{
    Open(u"3"_s, 0, 9);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        for (int k : {3, 4}) {
            QTest::mousePress(Box(), button, {}, Centre(k));
            QTest::mouseRelease(Box(), button, {}, Centre(k));
        }
    }
    EXPECT_EQ(Marked(), u"3"_s);
}

TEST_F(SelValDialogTest, DoubleClicksMarkAndUnmarkTheCellUnderThePointer)
{
    Open(u"3"_s, 0, 9);
    DoubleClick(Qt::LeftButton, Centre(5));
    EXPECT_EQ(Marked(), u"3 5"_s);
    DoubleClick(Qt::RightButton, Centre(3));
    EXPECT_EQ(Marked(), u"5"_s);
    DoubleClick(Qt::LeftButton, Centre(5));                   // stays marked
    DoubleClick(Qt::LeftButton, (Centre(6) + Centre(7)) / 2); // in a gap
    EXPECT_EQ(Marked(), u"5"_s);
}

TEST_F(SelValDialogTest, TheBandStaysWithinTheBox)
{
    Open({}, 0, 29);
    const QPoint outside(Box()->width() + 300, Box()->height() + 300);
    QTest::mousePress(Box(), Qt::LeftButton, {}, Centre(0));
    QTest::mouseMove(Box(), outside);
    const QRectF band = Box()->Drag().Band();
    EXPECT_LE(band.x() + band.width(), ScreenPixelsToTwips(Box()->width(), Box()));
    EXPECT_LE(band.y() + band.height(), ScreenPixelsToTwips(Box()->height(), Box()));
    QTest::mouseRelease(Box(), Qt::LeftButton, {}, outside);
    EXPECT_EQ(Marked(), u"0-29"_s);
}

TEST_F(SelValDialogTest, QuickChoicesReplaceTheMarking)
{
    FSelVal& dialog = Open(u"0-9"_s, 0, 9);
    dialog.CboChoose()->setCurrentIndex(static_cast<int>(QuickChoice::Middle));
    Q_EMIT dialog.CboChoose()->activated(dialog.CboChoose()->currentIndex());
    EXPECT_EQ(Marked(), u"3-5"_s);
    EXPECT_EQ(dialog.CboChoose()->currentText(), u"中数"_s);
}

TEST_F(SelValDialogTest, OkHandsBackTheMarkingCancelTheGivenText)
{
    FSelVal& dialog = Open(u"5 3 4 9"_s, 0, 9);
    dialog.CmdOk()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.StrVal(), u"3-5 9"_s);

    FSelVal& empty = Open({}, 0, 9);
    empty.CmdOk()->click();
    EXPECT_EQ(empty.StrVal(), u""_s);

    for (bool closeBox : {false, true}) {
        FSelVal& changed = Open(u"7 x"_s, 0, 9);
        Drag(Qt::LeftButton, Centre(0), Centre(2));
        if (closeBox)
            changed.close();
        else
            changed.CmdCancel()->click();
        EXPECT_EQ(changed.result(), QDialog::Rejected);
        EXPECT_EQ(changed.StrVal(), u"7 x"_s);
    }
}

TEST_F(SelValDialogTest, ScreenReadersSeeATableOfCells)
{
    Open(u"12"_s, 0, 24);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(Box());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::Table);
    EXPECT_EQ(box->text(QAccessible::Name), u"快捷选值器"_s);
    EXPECT_EQ(box->childCount(), 25);
    QAccessibleTableInterface* table = box->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->cellAt(2, 5), nullptr); // past the last cell
    QAccessibleInterface* cell = table->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), u"12"_s);
    EXPECT_TRUE(cell->state().selected);
    EXPECT_EQ(box->indexOfChild(cell), 12);
    EXPECT_EQ(table->selectedCellCount(), 1);

    QAccessibleInterface* other = table->cellAt(0, 4);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(other->state().checked);
    other->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(Marked(), u"4 12"_s);
    const QRect place = other->rect();
    EXPECT_EQ(box->childAt(place.center().x(), place.center().y()), other);
}

} // namespace
} // namespace kelton
