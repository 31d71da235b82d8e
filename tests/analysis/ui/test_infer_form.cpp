#include "analysis/ui/infer_form.h"

#include <optional>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/number_tables.h"
#include "analysis/ui/infer_windows.h"
#include "chart/ui/qvx_chart.h"
#include "core/infer_form_factory.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "games/ui/game_window_test.h"
#include "games/ui/game_windows.h"
#include "games/ui/lotto_logo.h"
#include "host/ui/shell_windows.h"
#include "platform/name_tables.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "support/draw_rows.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

class InferFormTest : public test::GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        m_loader.emplace(&OpenLottorFile);
        InstallAnalysisWindows(Windows(), m_context.State);
    }

    // A small game with these draws (hundreds first), loaded in the main
    // window.
    MDIMain& OpenSmall(const std::vector<const char*>& draws, const QString& definition = kThreeDigits)
    {
        const QString file = u"Lottor/lottor1000"_s;
        {
            CLottorData created;
            EXPECT_FALSE(created.CreateData(definition, file, 1000));
        }
        {
            CLottorData game;
            EXPECT_FALSE(game.OpenData(8, file));
            EXPECT_EQ(game.Add(test::Draws(draws, 2024001)), static_cast<int>(draws.size()));
            EXPECT_FALSE(game.UpData());
        }
        MDIMain& main = Start();
        EXPECT_TRUE(main.LoadLottor(file));
        main.EnableLottoCommands();
        return main;
    }

    // The first start with the sample game "福彩3D" and its whole history.
    MDIMain& OpenSample()
    {
        Windows() = InitialShellWindows(m_context.State);
        Windows().DataSetOther = {}; // no web page on a test machine
        InstallGameWindows(Windows(), m_context.State);
        InstallAnalysisWindows(Windows(), m_context.State);
        OnModal<FLottoLogo>([](FLottoLogo& chooser) {
            for (int r = 0; r < chooser.RowCount(); ++r) {
                if (chooser.RowName(r) == u"福彩3D"_s)
                    chooser.SelectRow(r);
            }
            chooser.cmdSel()->click();
        });
        return Start();
    }

    FInfer* Window(int view)
    {
        return dynamic_cast<FInfer*>(m_context.State.InferForms[static_cast<size_t>(view)].get());
    }

    // The text and whether the cell stands out, of digit d of area a in the
    // row of the issue.
    static std::pair<QString, bool> Cell(const FInfer& form, const QString& issue, int16_t area, int16_t d)
    {
        const CFlexGrid* grid = form.Grid();
        for (int row = 2; row < grid->Rows(); ++row) {
            if (grid->TextMatrix(row, 0) != issue)
                continue;
            const int col = DigitColumn(form.NumberTable()->Layout(), area, d);
            return {grid->TextMatrix(row, col), form.NumberTable()->Paint(row, col) == CellPaint::Hit};
        }
        return {u"no row"_s, false};
    }

    std::optional<ScopedService<LottorLoader>> m_loader;
};

TEST_F(InferFormTest, TheDataCommandsOpenEachViewOnItsHistoryTable)
{
    MDIMain& main = OpenSample();
    ASSERT_TRUE(m_context.State.CurLottorData);
    ASSERT_EQ(m_context.State.CurLottorData->NumCount(), 8374);
    for (int i = 0; i < 8; ++i) {
        QAction* entry = main.Controls().mnuDataInfer[i];
        ASSERT_TRUE(entry->isEnabled()) << i;
        entry->trigger();
        FInfer* form = Window(i);
        ASSERT_NE(form, nullptr) << i;
        EXPECT_TRUE(form->Visible());
        EXPECT_EQ(form->Caption(), ViewName(i));
        EXPECT_TRUE(entry->isChecked());
        EXPECT_EQ(form->CurrentViewName(), u"历史分布图"_s);
        EXPECT_EQ(form->SelectedTab(), 1);
        EXPECT_TRUE(form->Grid()->isVisibleTo(form));
        EXPECT_FALSE(form->IsBusy());
    }
    EXPECT_FALSE(m_context.State.CurLottorData->HeadData.msg.IsBusy());
    main.findChild<QMdiArea*>()->tileSubWindows();
    Settle();

    // View 0 over its last 40 periods: the last draw 2025217 is 8 9 4.
    FInfer& form = *Window(0);
    EXPECT_EQ(form.Range().RangeCount, 40);
    EXPECT_EQ(form.Grid()->Rows(), 42);
    EXPECT_EQ(Cell(form, u"2025217"_s, 3, 8), std::make_pair(u"8"_s, true));
    EXPECT_EQ(Cell(form, u"2025217"_s, 2, 9), std::make_pair(u"9"_s, true));
    EXPECT_EQ(Cell(form, u"2025217"_s, 1, 4), std::make_pair(u"4"_s, true));
    EXPECT_EQ(Cell(form, u"2025217"_s, 0, 9), std::make_pair(u"9"_s, true));
    EXPECT_EQ(Cell(form, u"2025217"_s, 1, 8), std::make_pair(QString(), false));
    EXPECT_EQ(Cell(form, u"2025217"_s, 0, 5), std::make_pair(QString(), false));
    const int32_t mainColour = ColorRgb(m_context.State.CurLottorData->HeadData.BcMainColor);
    const int hitCol = DigitColumn(form.NumberTable()->Layout(), 1, 4);
    for (int row = 2; row < form.Grid()->Rows(); ++row) {
        if (form.Grid()->TextMatrix(row, 0) == u"2025217"_s) {
            EXPECT_EQ(form.Grid()->CellBackColor(row, hitCol),
                      QColor(mainColour & 0xFF, (mainColour >> 8) & 0xFF, (mainColour >> 16) & 0xFF));
        }
    }
    // The next issue closes the range.
    int nextRow = -1;
    for (int row = 2; row < form.Grid()->Rows(); ++row)
        if (form.Grid()->TextMatrix(row, 0) == u"下期"_s)
            nextRow = row;
    EXPECT_EQ(nextRow, m_context.State.CurLottorData->HeadData.ListAsc ? 2 : 41);
}

TEST_F(InferFormTest, FindClickDispatchesByCaption)
{
    OpenSmall({"507", "123", "888"});
    // A window never shown opens on the view asked for.
    FInfer& other = *Window(1);
    other.ShowLay(u"和值"_s);
    EXPECT_TRUE(other.Visible());
    EXPECT_EQ(other.CurrentView(), (ViewId{ViewFamily::Filter, 1}));
    EXPECT_EQ(other.TabViewName(1), u"历史分布图"_s);

    FInfer& form = *Window(0);
    form.ShowForm();
    ASSERT_TRUE(form.Loaded());
    EXPECT_EQ(form.Controls().OptList[4]->text(), u"10期出数分布"_s);

    // An empty name and a piece of the custom caption open the same view.
    form.SetCurrentViewName(QString());
    form.FindClick();
    EXPECT_EQ(form.CurrentView(), (ViewId{ViewFamily::List, 4}));
    EXPECT_EQ(form.CurrentViewName(), u"10期出数分布"_s);
    form.SetCurrentViewName(u"期出数分布"_s);
    form.FindClick();
    EXPECT_EQ(form.CurrentView(), (ViewId{ViewFamily::List, 4}));
    EXPECT_TRUE(form.Controls().OptList[4]->isChecked());

    // An indicator opens its tab; an unknown name falls back to tab 1.
    form.ShowLay(u"和值"_s);
    EXPECT_EQ(form.SelectedTab(), 2);
    EXPECT_EQ(form.CurrentView(), (ViewId{ViewFamily::Filter, 1}));
    EXPECT_TRUE(form.chMain()->isVisibleTo(&form));
    form.SetCurrentViewName(u"没有这个视图"_s);
    form.FindClick();
    EXPECT_EQ(form.SelectedTab(), 1);
    EXPECT_EQ(form.CurrentViewName(), u"历史分布图"_s);

    // The data tab remembers "和值".
    form.Controls().Tsp1->setCurrentIndex(1);
    EXPECT_EQ(form.CurrentViewName(), u"和值"_s);
    EXPECT_EQ(form.TabViewName(1), u"历史分布图"_s);

    // Two options with one caption: the earlier runs, once.
    form.Controls().OptFilter[5]->setText(form.Controls().OptFilter[3]->text());
    const int runs = form.ViewRuns();
    form.SetCurrentViewName(form.Controls().OptFilter[3]->text());
    form.FindClick();
    EXPECT_EQ(form.ViewRuns(), runs + 1);
    EXPECT_EQ(form.CurrentView(), (ViewId{ViewFamily::Filter, 3}));

    // "隐藏分析栏" draws nothing; a top-bar change opens the view's tab again.
    const int before = form.ViewRuns();
    form.Controls().Tsp1->setCurrentIndex(kHideTab - 1);
    EXPECT_EQ(form.ViewRuns(), before);
    // (a click on the bar itself)
    QTest::mouseClick(form.Controls().picTop, Qt::LeftButton, {},
                      QPoint(form.Controls().picTop->width() - 3, 3));
    EXPECT_EQ(form.SelectedTab(), 2);
    EXPECT_EQ(form.ViewRuns(), before + 1);
}

TEST_F(InferFormTest, ViewsNeverWriteAConditionAndAlwaysReleaseTheBusyState)
{
    OpenSmall({"507", "123", "888", "123"});
    FInfer& form = *Window(0);
    form.ShowForm();
    CStat& stat = form.Stat();
    stat.SetShrinkSel(1, 1);
    const int16_t slots = stat.ConditionCount();
    std::vector<int16_t> before;
    for (int16_t k = 0; k < slots; ++k)
        before.push_back(stat.ShrinkSel(k));
    form.Controls().chkFilter->setChecked(true);
    for (const char16_t* name : {u"和值", u"历史分布图", u"综合", u"循环分布数据", u"遗漏值", u"组选号码生克",
                                 u"遗漏组值", u"综合排行", u"历史出数排行", u"和值"}) {
        form.ShowLay(QString::fromUtf16(name));
        EXPECT_FALSE(form.IsBusy()) << QString::fromUtf16(name).toStdString();
        EXPECT_FALSE(m_context.State.CurLottorData->HeadData.msg.IsBusy());
        // Only the trend of the sum shows its condition (which is on).
        const bool sum = QString::fromUtf16(name) == u"和值"_s;
        EXPECT_EQ(form.Controls().chkFilter->isChecked(), sum);
        EXPECT_EQ(form.Controls().TxtFilter->isEnabled(), sum);
    }
    for (int16_t k = 0; k < slots; ++k)
        EXPECT_EQ(stat.ShrinkSel(k), before[static_cast<size_t>(k)]) << k;
}

TEST_F(InferFormTest, AMissViewOfAKindWithoutValuesShowsAnEmptyChartOfItsOwn)
{
    // One position: the AC value has no value at all.
    OpenSmall({"5", "1", "8"}, u"[LOTTONAME]\r\n一位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n1\r\n"_s);
    FInfer& form = *Window(0);
    form.ShowLay(u"和值"_s);
    ASSERT_GT(form.chMain()->Model().Data().PointCount(), 1);
    for (const char16_t* name : {u"遗漏值", u"出现概率", u"遗漏组值"}) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        form.ShowLay(QString::fromUtf16(name));
        ASSERT_EQ(form.Controls().cboPTFilter->currentIndex(), 0);
        const ChartData& data = form.chMain()->Model().Data();
        EXPECT_EQ(data.PointCount(), 1);
        EXPECT_EQ(ChartCellText(data.At(1, 0)), QString());
        EXPECT_EQ(ChartCellText(data.At(1, 1)), QString());
        const QString series = ChartCellText(data.At(0, 1));
        EXPECT_TRUE(series == QString::fromUtf16(name) || series.startsWith(u"A代表AC值"_s))
            << series.toStdString();
        EXPECT_TRUE(form.chMain()->Model().ChartTitle().startsWith(series))
            << form.chMain()->Model().ChartTitle().toStdString();
    }
}

TEST_F(InferFormTest, AViewOpensOnItsNewestRowsInEitherOrder)
{
    std::vector<std::string> digits;
    for (int i = 0; i < 60; ++i)
        digits.push_back(std::to_string(100 + (i * 37) % 900));
    std::vector<const char*> draws;
    for (const std::string& d : digits)
        draws.push_back(d.c_str());
    OpenSmall(draws);
    FInfer& form = *Window(0);
    form.ShowForm();
    Settle();
    const CFlexGrid& grid = *form.Grid();
    // Whether a row stands in the grid's visible cells.
    const auto shown = [&grid](int row) {
        const QRect cell = grid.CellRect(row, 1);
        return !cell.isEmpty() && grid.rect().contains(cell.center());
    };
    // At its size and so small that the combined ranking's eleven rows do
    // not fit.
    for (const int height : {form.SubWindow()->height(), 260}) {
        form.SubWindow()->resize(form.SubWindow()->width(), height);
        for (const int16_t listAsc : {int16_t{-1}, int16_t{0}}) {
            m_context.State.CurLottorData->HeadData.ListAsc = listAsc;
            for (const char16_t* view :
                 {u"历史分布图", u"遗漏分布", u"循环分布数据", u"综合", u"综合排行", u"组选号码生克"}) {
                const QString name = QString::fromUtf16(view);
                SCOPED_TRACE(name.toStdString() + (listAsc ? " newest on top" : " oldest on top") +
                             " height " + std::to_string(height));
                // The history table over every period, scrolled to its
                // middle.
                form.Controls().cboPTStart->setCurrentIndex(0);
                form.ShowLay(u"历史分布图"_s);
                form.Grid()->SetTopRow(30);
                Settle();
                ASSERT_EQ(grid.TopRow(), 30);
                form.ShowLay(name);
                Settle();
                // The next issue's row, or the relations' first row.
                int newest = grid.FixedRows();
                for (int row = 0; row < grid.Rows(); ++row) {
                    if (grid.TextMatrix(row, 0) == u"下期"_s)
                        newest = row;
                }
                EXPECT_TRUE(shown(newest)) << "row " << newest << ", top row " << grid.TopRow();
            }
        }
    }
}

TEST_F(InferFormTest, TheTopBarAndTheTableAgreeOnTheDefaultCourse)
{
    std::vector<const char*> draws(60, "123");
    MDIMain& main = OpenSmall(draws);
    FInfer& form = *Window(0);
    form.ShowForm();
    CLottorHead& head = m_context.State.CurLottorData->HeadData;
    ASSERT_EQ(head.InferShowCourse, 40);
    // The periods of the table, and those the range lists stand for.
    const auto agree = [&form](int course) {
        EXPECT_EQ(form.Controls().cboPTStart->currentIndex(), 61 - course);
        EXPECT_EQ(form.Controls().cboPTEnd->currentIndex(), 60);
        EXPECT_EQ(form.Range().RangeCount, course);
        EXPECT_EQ(form.Grid()->Rows(), course + 2);
    };
    agree(40);

    // 彩票选项 sets 20: the next view shows 20 periods, lists and table.
    head.InferShowCourse = 20;
    form.Controls().chkPTShowHit->click();
    agree(20);
    // A range the user picks then stays.
    form.Controls().cboPTStart->setCurrentIndex(50);
    form.TopBarChanged();
    form.ShowLay(u"遗漏分布"_s);
    EXPECT_EQ(form.Range().RangeCount, 11);

    // After a statistics rebuild the lists start again from the default,
    // and the table with them.
    head.InferShowCourse = 10;
    main.Entry(MainCommand::DataRefresh)->trigger();
    form.ShowForm();
    agree(10);
    EXPECT_EQ(form.CurrentViewName(), u"遗漏分布"_s);
}

TEST_F(InferFormTest, TopBarPlacesKindZeroAfterKindFive)
{
    OpenSmall({"507", "123"});
    FInfer& form = *Window(0);
    form.ShowForm();
    form.ShowLay(u"循环分布数据"_s);
    EXPECT_EQ(form.Controls().chkPTColor->text(), u"突出循环码"_s);
    form.ShowLay(u"历史分布图"_s);
    EXPECT_EQ(form.Controls().chkPTColor->text(), u"行颜色"_s);
    const TopBarGeometry& at = form.TopBarPlaces();
    EXPECT_EQ(at[size_t(TopCtl::chkPTColor)], QRect(10280, 40, 1000, 255));
    EXPECT_EQ(at[size_t(TopCtl::cboPTSubarea)].left(), 11290);
    EXPECT_EQ(form.Controls().chkPTColor->geometry(), TwipsRectToScreen(QRect(10280, 40, 1000, 255), &form));
    EXPECT_TRUE(form.Controls().cboPTSubarea->isVisibleTo(&form));
    EXPECT_FALSE(form.Controls().Top[size_t(TopCtl::lblPT4)]->isVisibleTo(&form));
    EXPECT_FALSE(form.Controls().cboPTIndex->isVisibleTo(&form));
}

TEST_F(InferFormTest, PeriodListsAndTheNumberTable)
{
    OpenSmall({"507", "123", "388"});
    FInfer& form = *Window(0);
    HeadlessMsgDisplay shown;
    {
        const ScopedService<IMsgDisplay> display(&shown);
        form.ShowForm();
    }
    // Built under progress: three draws and three positions.
    EXPECT_TRUE(shown.StatusTexts.contains(u"加载原始数据"_s));
    EXPECT_EQ(shown.ShownMax, 3 + 40 + 5 * 3);
    EXPECT_EQ(shown.Values.back(), 58);
    // The busy state of the first view is left again.
    EXPECT_FALSE(shown.BusyCalls.empty());
    EXPECT_FALSE(shown.BusyCalls.back());
    // Three draws and "下期", all within the default course.
    EXPECT_EQ(form.Controls().cboPTStart->count(), 4);
    EXPECT_EQ(form.Controls().cboPTStart->currentIndex(), 0);
    EXPECT_EQ(form.Controls().cboPTEnd->currentText(), u"下期"_s);
    EXPECT_EQ(form.Controls().cboPTBcTaxis->currentText(), u"3"_s);
    EXPECT_EQ(form.Controls().cboPTSubarea->count(), 6);
    EXPECT_EQ(form.Controls().OptFilter[43]->text(), u"个位号码"_s);
    EXPECT_EQ(static_cast<int>(form.Controls().OptFilter.size()), 46);

    // A draw with a repeated digit stands out once in the area-0 block.
    EXPECT_EQ(Cell(form, u"2024003"_s, 0, 8), std::make_pair(u"8"_s, true));
    EXPECT_EQ(Cell(form, u"2024003"_s, 0, 3), std::make_pair(u"3"_s, true));
    // The rank mode off: every cell carries its number.
    form.Controls().chkPTShowHit->click();
    EXPECT_EQ(Cell(form, u"2024003"_s, 0, 5), std::make_pair(u"5"_s, false));

    // A distribution table counts the earlier draws: before 2024003 the
    // hundreds digit 5 was drawn once.
    form.Controls().OptPTKind[0]->click();
    form.ShowLay(u"历史出数分布"_s);
    EXPECT_EQ(Cell(form, u"2024003"_s, 3, 5).first, u"1"_s);
    EXPECT_EQ(Cell(form, u"2024003"_s, 3, 3).first, u"0"_s);

    // An end before the start: the caption rows alone.
    form.Controls().cboPTStart->setCurrentIndex(3);
    form.Controls().cboPTEnd->setCurrentIndex(1);
    form.TopBarChanged();
    EXPECT_EQ(form.Range().RangeCount, 0);
    EXPECT_EQ(form.Grid()->Rows(), 2);
    EXPECT_EQ(form.Grid()->TextMatrix(0, 1), u"0至9号码"_s);

    // Rebuilt statistics reset the lists and draw the view once with them.
    const int runs = form.ViewRuns();
    ASSERT_FALSE(m_context.State.Document.RebuildStatistics());
    EXPECT_EQ(form.Controls().cboPTEnd->currentIndex(), 3);
    EXPECT_EQ(form.ViewRuns(), runs + 1);
    EXPECT_EQ(form.Grid()->Rows(), 4 + 2);
}

TEST_F(InferFormTest, AWindowThatCannotBeBuiltDrawsNothing)
{
    OpenSmall({"507"});
    CStat closed;
    FInfer form(m_context.State, 0, closed);
    form.FindClick(); // loads the window without showing it
    EXPECT_TRUE(form.Loaded());
    EXPECT_EQ(form.ViewRuns(), 0);
    EXPECT_FALSE(form.IsBusy());
    EXPECT_TRUE(m_boxes.Texts.isEmpty()); // no game definition: nothing to report

    // A view that cannot be read is reported, and no view is drawn.
    CStat& unread = *m_context.State.CurLottorData->StatView(7);
    unread.StatClose();
    FInfer broken(m_context.State, 7, unread);
    broken.FindClick();
    EXPECT_EQ(broken.ViewRuns(), 0);
    EXPECT_FALSE(broken.IsBusy());
    EXPECT_FALSE(broken.Controls().Tsp1->isVisibleTo(&broken));
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_TRUE(m_boxes.Texts[0].contains(u"转换数据七"_s));
}

TEST_F(InferFormTest, TheRightButtonOnTheGridOpensTheCopyMenu)
{
    MDIMain& main = OpenSmall({"507", "123"});
    FInfer& form = *Window(0);
    form.ShowForm();
    QMenu* menu = main.Menu(MainMenu::List);
    ASSERT_NE(menu, nullptr);
    Q_EMIT form.Grid()->MouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(menu->isVisible());
    Q_EMIT form.Grid()->MouseDown(Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

} // namespace
} // namespace kelton
