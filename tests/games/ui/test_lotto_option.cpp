#include "games/ui/lotto_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "data/lottor_head.h"
#include "game_window_test.h"
#include "platform/string_table.h"
#include "platform/ui/colour_label.h"

namespace kelton::test {
namespace {

using namespace Qt::StringLiterals;

class LottoOptionTest : public GameWindowTest {
protected:
    static CLottorHead Head(int16_t mrMain, const QString& extra = QString())
    {
        CLottorHead head;
        head.SetHeadStr(u"[LOTTONAME]\r\nG\r\n[BCDATANAME]\r\n红球\r\n[BCDATALEN]\r\n33\r\n[BCMAIN]\r\n6\r\n"
                        "[MRDATANAME]\r\n蓝球\r\n[MRDATALEN]\r\n16\r\n[MRMAIN]\r\n"_s +
                        QString::number(mrMain) + u"\r\n"_s + extra);
        EXPECT_TRUE(head.Enable());
        return head;
    }
};

TEST_F(LottoOptionTest, ShowsTheOptionsOfTheDefinition)
{
    CLottorHead head = Head(1, u"[CUSTOMSTAT]\r\n30\r\n[INFERSHOWCOURSE]\r\n120\r\n[ListAsc]\r\n1\r\n"
                               "[CYCLECOLOR]\r\n65280\r\n"_s);
    FLottoOption dlg(head);
    EXPECT_EQ(dlg.windowTitle(), u"彩票选项"_s);
    EXPECT_EQ(dlg.cboCustomStat()->count(), 200);
    EXPECT_EQ(dlg.cboCustomStat()->itemText(199), u"200"_s);
    EXPECT_EQ(dlg.cboCustomStat()->currentText(), u"30"_s);
    EXPECT_EQ(dlg.cboShowCourse()->currentText(), u"120"_s);
    EXPECT_TRUE(dlg.ChkListAsc()->isChecked());
    EXPECT_EQ(dlg.ColourLabel(kCycleColour)->Colour(), QColor(0, 255, 0));
    EXPECT_EQ(dlg.ColourLabel(kBcColour)->text(), u"红球号码颜色"_s);
    EXPECT_EQ(dlg.ColourLabel(kMrColour)->text(), u"蓝球号码颜色"_s);
    EXPECT_FALSE(dlg.ColourLabel(kMrColour)->isHidden());
    EXPECT_EQ(dlg.Label1()->text(), u"必须更新分析数据才能生效"_s);
    EXPECT_EQ(dlg.cmdDefault()->text(), u"恢复默认"_s);
    EXPECT_EQ(dlg.Shown(), ReadGameOptions(head));
    // The program is busy only while the dialog loads.
    EXPECT_FALSE(CMsg().IsBusy());
}

TEST_F(LottoOptionTest, PeriodsOutOfRangeAreRepairedEvenWhenCancelled)
{
    CLottorHead head = Head(0, u"[CUSTOMSTAT]\r\n250\r\n"_s);
    head.InferShowCourse = 0;
    FLottoOption dlg(head);
    EXPECT_EQ(dlg.cboCustomStat()->currentIndex(), 9);
    EXPECT_EQ(dlg.cboShowCourse()->currentIndex(), 39);
    dlg.cboCustomStat()->setCurrentIndex(99);
    dlg.cmdCancel()->click();
    EXPECT_EQ(head.CustomStat, 10);
    EXPECT_EQ(head.InferShowCourse, 40);
}

TEST_F(LottoOptionTest, ColourChoiceStartsFromTheShownColourAndKeepsBlack)
{
    CLottorHead head = Head(1);
    FLottoOption dlg(head);
    m_colours.Answers = {QColor(Qt::black), std::nullopt, QColor(10, 20, 30)};
    dlg.ColourLabel_Click(kCycleColour);
    dlg.ColourLabel_Click(kRowColour1); // cancelled
    dlg.ColourLabel_Click(kMrColour);
    EXPECT_EQ(m_colours.Titles, (QStringList{u"循环号码颜色"_s, u"行交替的颜色一"_s, u"蓝球号码颜色"_s}));
    EXPECT_EQ(m_colours.Initial,
              (std::vector<QColor>{QColor(200, 255, 200), QColor(255, 255, 255), QColor(0, 150, 255)}));
    EXPECT_EQ(dlg.ColourLabel(kRowColour1)->Colour(), QColor(255, 255, 255));
    dlg.ColourLabel_Click(kCycleColour); // starts from black now
    EXPECT_EQ(m_colours.Initial.back(), QColor(Qt::black));

    dlg.CmdOk()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ColorRgb(head.CycleColor), 0);
    EXPECT_EQ(head.MrMainColor, Rgb(10, 20, 30));
    // Black stays black in the stored definition too.
    CLottorHead stored;
    stored.SetHeadStr(head.HeadStr());
    EXPECT_EQ(ColorRgb(stored.CycleColor), 0);
}

TEST_F(LottoOptionTest, TitlesOfTheColourChoices)
{
    CLottorHead head = Head(1);
    FLottoOption dlg(head);
    const QString titles[kGameColourCount] = {u"行交替的颜色一"_s, u"行交替的颜色二"_s, u"前十位的颜色"_s,
                                              u"后十位的颜色"_s,   u"循环号码颜色"_s,   u"红球号码颜色"_s,
                                              u"蓝球号码颜色"_s};
    for (int c = 0; c < kGameColourCount; ++c)
        EXPECT_EQ(dlg.ColourTitle(static_cast<GameColour>(c)), titles[c]);
}

TEST_F(LottoOptionTest, NoSecondaryAreaHidesAndKeepsItsColour)
{
    CLottorHead head = Head(0, u"[MRMAINCOLOR]\r\n255\r\n"_s);
    FLottoOption dlg(head);
    EXPECT_TRUE(dlg.ColourLabel(kMrColour)->isHidden());
    dlg.cmdDefault()->click();
    dlg.CmdOk()->click();
    EXPECT_EQ(head.MrMainColor, 255);
}

TEST_F(LottoOptionTest, RestoreDefaultsSetsTheControlsOnly)
{
    CLottorHead head = Head(1, u"[CUSTOMSTAT]\r\n30\r\n[ListAsc]\r\n1\r\n[ROWCOLOR1]\r\n255\r\n"_s);
    const GameOptions before = ReadGameOptions(head);
    {
        FLottoOption dlg(head);
        dlg.cmdDefault()->click();
        EXPECT_EQ(dlg.Shown(), DefaultGameOptions());
        dlg.cmdCancel()->click();
        EXPECT_EQ(ReadGameOptions(head), before);
    }
    FLottoOption dlg(head);
    dlg.cmdDefault()->click();
    dlg.CmdOk()->click();
    EXPECT_EQ(ReadGameOptions(head), DefaultGameOptions());
    EXPECT_EQ(head.ListAsc, 0);
}

} // namespace
} // namespace kelton::test
