// The analysis window's views on a small game: marks made in the next-period
// row, the condition box of a trend, and each chart and grid view.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/number_tables.h"
#include "analysis/relation_matrix.h"
#include "analysis/small_history.h"
#include "analysis/ui/infer_form.h"
#include "analysis/ui/infer_windows.h"
#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/picker_service.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/filter_windows.h"
#include "games/ui/game_window_test.h"
#include "host/ui/shell_windows.h"
#include "platform/name_tables.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/stored_colour.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"
#include "support/draw_rows.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class InferViewsTest : public test::GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        m_loader.emplace(&OpenLottorFile);
        InstallAnalysisWindows(Windows(), m_context.State);
        InstallFilterWindows(Windows(), m_context.State);
        const QString file = u"Lottor/lottor1000"_s;
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(
                u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s, file, 1000));
            ASSERT_FALSE(created.OpenData(8, file));
            ASSERT_EQ(created.Add(test::Draws(test::SmallDraws(), 2024001)), 12);
            ASSERT_FALSE(created.UpData());
        }
        MDIMain& main = Start();
        ASSERT_TRUE(main.LoadLottor(file));
        main.EnableLottoCommands();
    }

    CLottorData& Game() { return *m_context.State.CurLottorData; }
    FInfer& Window(int view)
    {
        auto* form = dynamic_cast<FInfer*>(m_context.State.InferForms[static_cast<size_t>(view)].get());
        form->ShowForm();
        return *form;
    }
    fFilter& Filter() { return *dynamic_cast<fFilter*>(Windows().FilterForm()); }
    // The row whose label is text.
    static int RowOf(const CFlexGrid& grid, const QString& text)
    {
        for (int row = 0; row < grid.Rows(); ++row) {
            if (grid.TextMatrix(row, 0) == text)
                return row;
        }
        return -1;
    }
    static void DoubleClick(FInfer& form, int row, int col)
    {
        form.Grid()->SetRow(row);
        form.Grid()->SetCol(col);
        Q_EMIT form.Grid()->DblClick();
    }
};

TEST_F(InferViewsTest, AMarkInViewThreeShowsInEveryWindowAndTheFilterWindow)
{
    fFilter& filter = Filter();
    filter.ShowForm();
    FInfer& view3 = Window(3);
    FInfer& view0 = Window(0);
    view3.ShowLay(u"历史分布图"_s);
    view0.ShowLay(u"历史分布图"_s);
    const CStat& stat3 = view3.Stat();
    const int32_t last = stat3.BallCount() - 1;
    CFlexGrid& grid3 = *view3.Grid();
    const int next = RowOf(grid3, u"下期"_s);
    ASSERT_GE(next, 2);
    // All blocks: the tens from column 23; view digit 4 of the tens.
    const int16_t raw = stat3.Data(last, 4, 0);
    ASSERT_EQ(Game().SelectBall(2, raw), 0);
    DoubleClick(view3, next, 23 + 4);
    EXPECT_NE(Game().SelectBall(2, raw), 0);

    const QColor main = ToQColor(ColorRgb(Game().HeadData.BcMainColor));
    EXPECT_EQ(grid3.CellBackColor(next, 23 + 4), main);
    // View 0 shows the raw number at its own column.
    const CFlexGrid& grid0 = *view0.Grid();
    EXPECT_EQ(grid0.CellBackColor(RowOf(grid0, u"下期"_s), 23 + raw), main);
    EXPECT_EQ(grid0.TextMatrix(RowOf(grid0, u"下期"_s), 23 + raw), QString::number(raw));
    // The filter window's tens grid shows it too.
    EXPECT_EQ(filter.Controls().msgBc[2]->CellBackColor(raw / 5, raw % 5), main);

    // A second double click takes the mark away; a period row, a separator
    // and the combined indicator table change nothing.
    DoubleClick(view3, next, 23 + 4);
    EXPECT_EQ(Game().SelectBall(2, raw), 0);
    EXPECT_NE(grid3.CellBackColor(next, 23 + 4), main);
    DoubleClick(view3, next == 2 ? 3 : next - 1, 23 + 4);
    DoubleClick(view3, next, 22);
    view3.ShowLay(u"综合"_s);
    DoubleClick(view3, RowOf(*view3.Grid(), u"下期"_s), 3);
    for (int16_t v = 0; v <= 9; ++v) {
        for (int16_t p = 0; p <= 3; ++p)
            EXPECT_EQ(Game().SelectBall(p, v), 0) << p << " " << v;
    }
}

TEST_F(InferViewsTest, AMarkMadeWhileAWindowIsClosedOrMinimizedShowsWhenItComesBack)
{
    // Closing only hides a window, and a minimized one hides its grid too:
    // its table must still take the mark, or it comes back without it (and
    // a user marking it again would take the mark away).
    const QColor main = ToQColor(ColorRgb(Game().HeadData.BcMainColor));
    struct Case {
        const char16_t* view;
        bool minimize;
    };
    for (const Case c : {Case{u"历史分布图", false}, Case{u"综合排行", false}, Case{u"历史分布图", true}}) {
        const QString name = QString::fromUtf16(c.view);
        SCOPED_TRACE(name.toStdString() + (c.minimize ? " minimized" : " closed"));
        FInfer& form = Window(0);
        form.ShowLay(name);
        CFlexGrid& grid = *form.Grid();
        const int next = RowOf(grid, u"下期"_s);
        ASSERT_GE(next, 2);
        if (c.minimize)
            form.SubWindow()->showMinimized();
        else
            form.SubWindow()->close();
        Settle();
        ASSERT_FALSE(grid.isVisible());
        m_context.State.Document.ToggleMark(0, 6);
        form.ShowForm();
        if (c.minimize)
            form.SubWindow()->showNormal();
        Settle();
        EXPECT_EQ(grid.CellBackColor(next, 1 + 6), main);
        EXPECT_EQ(grid.TextMatrix(next, 1 + 6), u"6"_s);
        m_context.State.Document.ToggleMark(0, 6);
        EXPECT_NE(grid.CellBackColor(next, 1 + 6), main);
    }
    // A window showing a chart leaves its hidden grid alone.
    FInfer& form = Window(0);
    form.ShowLay(u"历史分布图"_s);
    CFlexGrid& grid = *form.Grid();
    const int next = RowOf(grid, u"下期"_s);
    form.ShowLay(u"和值"_s);
    m_context.State.Document.ToggleMark(0, 6);
    EXPECT_NE(grid.CellBackColor(next, 1 + 6), main);
    m_context.State.Document.ToggleMark(0, 6);
}

TEST_F(InferViewsTest, TheNumberTablesArePaintedByTheirRules)
{
    // Grey on the row colour, black on the main colour where a number
    // stands out, the fixed-cell colour between blocks; without row colours
    // every plain cell lies on the first.
    const CLottorHead& head = Game().HeadData;
    const QColor rows[2] = {ToQColor(ColorRgb(head.RowColor(0))), ToQColor(ColorRgb(head.RowColor(1)))};
    ASSERT_NE(rows[0], rows[1]);
    const QColor main = ToQColor(ColorRgb(head.BcMainColor));
    const QColor grey(150, 150, 150);
    const QColor black(0, 0, 0);
    FInfer& form = Window(3);
    m_context.State.Document.ToggleMark(1, 4);
    for (const char16_t* view : {u"历史分布图", u"遗漏分布"}) {
        for (const bool rowColours : {true, false}) {
            SCOPED_TRACE(QString::fromUtf16(view).toStdString() + (rowColours ? " row colours" : " plain"));
            form.Controls().chkPTColor->setChecked(rowColours);
            form.ShowLay(QString::fromUtf16(view));
            const CFlexGrid& grid = *form.Grid();
            const CNumberTable& table = *form.NumberTable();
            int hits = 0;
            for (int row = 2; row < grid.Rows(); ++row) {
                for (int col = 1; col < grid.Cols(); ++col) {
                    switch (table.Paint(row, col)) {
                    case CellPaint::Base:
                        ASSERT_EQ(grid.CellForeColor(row, col), grey) << row << " " << col;
                        ASSERT_EQ(grid.CellBackColor(row, col), rows[rowColours ? row % 2 : 0])
                            << row << " " << col;
                        break;
                    case CellPaint::Hit:
                        ++hits;
                        ASSERT_EQ(grid.CellForeColor(row, col), black) << row << " " << col;
                        ASSERT_EQ(grid.CellBackColor(row, col), main) << row << " " << col;
                        break;
                    case CellPaint::Separator:
                        ASSERT_EQ(grid.CellBackColor(row, col), grid.BackColorFixed()) << row << " " << col;
                        break;
                    default:
                        FAIL() << row << " " << col;
                    }
                }
            }
            // Twelve draws of up to three numbers in area 0 and one in each
            // position, and the two marks of the next issue.
            EXPECT_GE(hits, 12 * 4 + 2);
        }
    }
    m_context.State.Document.ToggleMark(1, 4);
}

TEST_F(InferViewsTest, TheCombinedRankingTableShowsMarksWhateverTheRangeLists)
{
    FInfer& form = Window(0);
    form.ShowLay(u"综合排行"_s);
    CFlexGrid& grid = *form.Grid();
    ASSERT_EQ(grid.Rows(), 11);
    const int next = RowOf(grid, u"下期"_s);
    ASSERT_TRUE(next == 2 || next == 10);
    // The range's end moved off the next issue in another view.
    form.Controls().cboPTEnd->setCurrentIndex(5);
    m_context.State.Document.ToggleMark(0, 6);
    EXPECT_EQ(grid.CellBackColor(next, 1 + 6), ToQColor(ColorRgb(Game().HeadData.BcMainColor)));
    EXPECT_EQ(grid.TextMatrix(next, 1 + 6), u"6"_s);
    // The rank rows carry the statistics' ranks.
    const int row0 = next == 2 ? 3 : 9;
    EXPECT_EQ(grid.TextMatrix(row0, 0), u"历史出现次数排行"_s);
    EXPECT_EQ(grid.TextMatrix(row0, 1 + 3), QString::number(form.Stat().Stat(12, 0, 3, 0, 1)));
}

TEST_F(InferViewsTest, TickingAConditionInATrendTicksItInTheFilterWindow)
{
    fFilter& filter = Filter();
    filter.ShowForm();
    filter.SelectTab(2); // view 0
    FInfer& form = Window(0);
    form.ShowLay(u"和值"_s);
    ASSERT_TRUE(form.Controls().chkFilter->isEnabled());
    EXPECT_FALSE(form.Controls().chkFilter->isChecked());
    form.Controls().chkFilter->click();
    EXPECT_EQ(form.Stat().ShrinkSel(1), 1);
    EXPECT_TRUE(form.Controls().TxtFilter->isEnabled());
    EXPECT_TRUE(filter.Controls().chkFilter[1]->isChecked());

    // And back: the filter window's change shows in the trend's box.
    form.Stat().SetShrinkVal(1, StrToRange(u"10-12", 0, 100));
    filter.Controls().chkFilter[1]->click();
    EXPECT_FALSE(form.Controls().chkFilter->isChecked());
    EXPECT_FALSE(form.Controls().TxtFilter->isEnabled());
    EXPECT_EQ(form.Controls().TxtFilter->text(), u"10-12"_s);
    // Typing never survives.
    form.Controls().TxtFilter->setText(u"1"_s);
    Q_EMIT form.Controls().TxtFilter->textEdited(u"1"_s);
    EXPECT_EQ(form.Controls().TxtFilter->text(), u"10-12"_s);

    // A change neither window made shows in both.
    m_context.State.Document.ChangeConditions([&form](CLottorData&) { form.Stat().SetShrinkSel(1, 1); });
    EXPECT_TRUE(form.Controls().chkFilter->isChecked());
    EXPECT_TRUE(form.Controls().TxtFilter->isEnabled());
    EXPECT_TRUE(filter.Controls().chkFilter[1]->isChecked());

    // With group bets the sum can still be switched, the sum of misses not;
    // a window showing a condition follows the bet type offered.
    form.ShowLay(u"遗漏和"_s);
    ASSERT_TRUE(form.Controls().chkFilter->isEnabled());
    filter.SelectBetType(1);
    EXPECT_FALSE(form.Controls().chkFilter->isEnabled());
    form.ShowLay(u"和值"_s);
    EXPECT_TRUE(form.Controls().chkFilter->isEnabled());
}

// The value picker answers with Answer and notes what it was given.
class NotingPicker : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& names,
                       const QString& hint) override
    {
        Given = {strVal, QString::number(minVal), QString::number(maxVal), names, hint};
        return Answer;
    }
    QString Answer;
    QStringList Given;
};

TEST_F(InferViewsTest, TheValueBoxPicksWithTheFilterWindowsHint)
{
    fFilter& filter = Filter();
    filter.ShowForm();
    filter.SelectTab(2); // view 0
    FInfer& form = Window(0);
    NotingPicker picker;
    const ScopedService<IPickerService> installed(&picker);
    // The hot, warm and cold pattern (37), its condition on.
    form.Stat().SetShrinkSel(37, 1);
    form.ShowLay(IndicatorName(37));
    ASSERT_TRUE(form.Controls().TxtFilter->isEnabled());
    picker.Answer = u"3 5-7"_s;
    QTest::mouseClick(form.Controls().TxtFilter, Qt::LeftButton);
    ASSERT_EQ(picker.Given.size(), 5);
    EXPECT_EQ(picker.Given[1], u"0"_s);
    EXPECT_EQ(picker.Given[2], u"26"_s);
    EXPECT_TRUE(picker.Given[3].startsWith(u"0=热热热;"_s));
    EXPECT_TRUE(picker.Given[4].startsWith(u"期号：下期\n热号："_s));
    EXPECT_EQ(RangeToStr(form.Stat().ShrinkVal(37)), u"3 5-7"_s);
    EXPECT_EQ(form.Controls().TxtFilter->text(), u"3 5-7"_s);
    EXPECT_EQ(filter.Controls().TxtFilter[37]->text(), u"3 5-7"_s);

    // A drawn issue chosen in the filter window is the hint's issue.
    filter.SelectTargetIssue(0);
    QTest::mouseClick(form.Controls().TxtFilter, Qt::LeftButton);
    ASSERT_EQ(picker.Given.size(), 5);
    EXPECT_TRUE(picker.Given[4].startsWith(u"期号："_s + filter.Controls().cboNumName->itemText(0) + u'\n'));
}

TEST_F(InferViewsTest, ChartViewsKeepTheUsersChartKind)
{
    FInfer& form = Window(0);
    // The trend's first chart is a line chart, the ranking chart's a bar
    // chart; after the user picks lines, the ranking chart stays a line.
    form.ShowLay(u"和值"_s);
    EXPECT_TRUE(form.chMain()->OptKind(0)->isChecked());
    EXPECT_EQ(form.chMain()->Model().Data().PointCount(),
              form.Stat().BallCount() - form.Controls().cboPTStart->currentIndex());
    form.ShowLay(u"历史出数排行"_s);
    EXPECT_TRUE(form.chMain()->OptKind(1)->isChecked());
    EXPECT_EQ(form.chMain()->Model().Data().PointCount(), 10);
    form.chMain()->OptKind(0)->click();
    form.Controls().cboPTIndex->setCurrentIndex(3);
    Q_EMIT form.Controls().cboPTIndex->activated(3);
    EXPECT_TRUE(form.chMain()->OptKind(0)->isChecked());

    // A reversed range: an empty chart titled for the view asked for.
    form.ShowLay(u"AC值"_s);
    form.Controls().cboPTStart->setCurrentIndex(8);
    form.Controls().cboPTEnd->setCurrentIndex(2);
    Q_EMIT form.Controls().cboPTEnd->activated(2);
    EXPECT_EQ(form.chMain()->Model().Data().PointCount(), 1);
    EXPECT_TRUE(form.chMain()->Model().Data().At(0, 1).toString().startsWith(u"AC值"_s));
}

TEST_F(InferViewsTest, MissViewsAndTheirRefusals)
{
    FInfer& form = Window(0);
    form.Controls().cboPTStart->setCurrentIndex(0);
    form.ShowLay(u"遗漏值"_s);
    const ChartData& data = form.chMain()->Model().Data();
    // The AC value of three digits runs 1..3.
    ASSERT_EQ(data.PointCount(), 3);
    EXPECT_EQ(data.At(1, 0).toInt(), 1);
    EXPECT_TRUE(form.chMain()->OptKind(1)->isChecked());

    form.ShowLay(u"遗漏组值"_s);
    form.Controls().cboPTFilter->setCurrentIndex(12);
    Q_EMIT form.Controls().cboPTFilter->activated(12);
    form.Controls().cboPTFilter2->setCurrentIndex(13);
    Q_EMIT form.Controls().cboPTFilter2->activated(13);
    EXPECT_EQ(form.chMain()->Model().Data().PointCount(), 16);
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
    // The sum of misses is refused as a member of a pair.
    form.Controls().cboPTFilter->setCurrentIndex(3);
    Q_EMIT form.Controls().cboPTFilter->activated(3);
    ASSERT_EQ(m_boxes.Texts.size(), 1);
    EXPECT_EQ(m_boxes.Texts[0], u"不能对<遗漏和>或<间隔和>进行组合"_s);
    EXPECT_EQ(form.Controls().cboPTFilter->currentIndex(), 0);
    EXPECT_FALSE(form.IsBusy());
}

TEST_F(InferViewsTest, CycleViewListsAndHighlightsACycle)
{
    FInfer& form = Window(0);
    form.Controls().cboPTStart->setCurrentIndex(0);
    form.ShowLay(u"循环分布数据"_s);
    CFlexGrid& grid = *form.Grid();
    const int row = RowOf(grid, u"2024012"_s); // draw 11
    ASSERT_GE(row, 2);
    // The units block is the last: 3 in the units runs at distance 3.
    const int col = 2 * 11 + 1 + 3;
    // A digit in a cycle lies on the cycle colour, one outside on white.
    const QColor cycle = ToQColor(ColorRgb(Game().HeadData.CycleColor));
    EXPECT_EQ(grid.CellBackColor(row, col), cycle);
    EXPECT_EQ(grid.CellBackColor(row, col + 1), QColor(Qt::white));
    grid.SetRow(row);
    grid.SetCol(col);
    Q_EMIT grid.Click();
    ASSERT_EQ(form.Controls().LstCycle->count(), 1);
    EXPECT_EQ(form.Controls().LstCycle->item(0)->text(), u"隔3期循环3次"_s);
    const QColor main = ToQColor(ColorRgb(Game().HeadData.BcMainColor));
    const int step = form.Stat().HeadData()->ListAsc ? 3 : -3;
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(grid.CellBackColor(row + i * step, col), main) << i;
    // A click on a cell without cycles takes the highlight away.
    grid.SetCol(1);
    Q_EMIT grid.Click();
    EXPECT_EQ(form.Controls().LstCycle->count(), 0);
    EXPECT_NE(grid.CellBackColor(row, col), main);
}

TEST_F(InferViewsTest, RelationGridAndChart)
{
    FInfer& form = Window(0);
    form.Controls().cboPTStart->setCurrentIndex(0);
    form.ShowLay(u"组选号码生克"_s);
    CFlexGrid& grid = *form.Grid();
    ASSERT_EQ(grid.Rows(), 12);
    const PairMatrix m = GetPairMatrix(form.Stat(), 0, 12, 0);
    EXPECT_EQ(grid.TextMatrix(3 + 2, 5 + 2), QString::number(m.At(3, 5)));
    EXPECT_EQ(grid.TextMatrix(7 + 2, 7 + 2), u"1"_s);
    form.Controls().LstRelate->setCurrentRow(4); // digit 3
    form.FindClick();
    const ChartData& data = form.chMain()->Model().Data();
    EXPECT_EQ(data.At(0, 1).toString(), u"组选号码号码3与其它号码相克情况"_s);
    EXPECT_EQ(data.At(6, 1).toInt(), m.At(3, 5));
    // The arrow keys move through the list as clicks do.
    QTest::keyClick(form.Controls().LstRelate, Qt::Key_Down);
    EXPECT_EQ(form.chMain()->Model().Data().At(0, 1).toString(), u"组选号码号码4与其它号码相克情况"_s);
    QTest::keyClick(form.Controls().LstRelate, Qt::Key_Home);
    EXPECT_TRUE(form.Grid()->isVisibleTo(&form));
    EXPECT_FALSE(form.chMain()->isVisibleTo(&form));
    // A game of three positions has all four kinds.
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(form.Controls().OptGather[k]->isEnabled());
}

TEST_F(InferViewsTest, ARelationChartLeavesTheHiddenGridWithoutTheOldTablesTexts)
{
    // The history table hands its texts out as they are shown; a relation
    // chart hides the grid and lets the table go. The grid then answers
    // from its own cells (a grid still reading the table read freed memory).
    FInfer& form = Window(0);
    form.ShowLay(u"历史分布图"_s);
    CFlexGrid& grid = *form.Grid();
    const int row = RowOf(grid, u"2024012"_s);
    ASSERT_GE(row, 2);
    form.Controls().LstRelate->setCurrentRow(4);
    form.ShowLay(u"组选号码生克"_s);
    ASSERT_TRUE(form.chMain()->isVisibleTo(&form));
    EXPECT_EQ(form.NumberTable(), nullptr);
    EXPECT_EQ(grid.TextMatrix(row, 0), QString());
    EXPECT_EQ(grid.TextMatrix(row, 2), QString());
}

TEST_F(InferViewsTest, CombinedIndicatorTable)
{
    FInfer& form = Window(0);
    form.Controls().chkPTColorUpDown->setChecked(true);
    form.ShowLay(u"组选号码生克"_s); // leaves two fixed columns
    form.ShowLay(u"综合"_s);
    CFlexGrid& grid = *form.Grid();
    EXPECT_EQ(grid.Cols(), 47);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 4), u"AC值"_s);
    const int next = RowOf(grid, u"下期"_s);
    ASSERT_GE(next, 1);
    EXPECT_EQ(grid.TextMatrix(next, 1), QString());
    const int row = RowOf(grid, u"2024012"_s);
    EXPECT_EQ(grid.TextMatrix(row, 1), u"1"_s);
    EXPECT_EQ(grid.TextMatrix(row, 3), u"0"_s);
    // Each value on its row's colour; 5 5 5 to 1 6 0 falls, rises and falls.
    const int16_t shade = form.Controls().chkPTColor->isChecked() ? static_cast<int16_t>(row % 2) : 0;
    const QColor back = ToQColor(ColorRgb(Game().HeadData.RowColor(shade)));
    const int32_t fore[] = {kViewBlue, kViewRed, kViewBlue};
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(grid.CellBackColor(row, c), back) << c;
        EXPECT_EQ(grid.CellForeColor(row, c), ToQColor(fore[c - 1])) << c;
    }
}

} // namespace
} // namespace kelton
