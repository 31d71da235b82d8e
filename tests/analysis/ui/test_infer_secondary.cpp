// The analysis windows of a game with a secondary number 0..15: the drawn
// secondary numbers come from the history, and a secondary column always
// stands for its own number.

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "analysis/number_tables.h"
#include "analysis/ui/infer_form.h"
#include "analysis/ui/infer_windows.h"
#include "chart/ui/qvx_chart.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "games/ui/game_window_test.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/stored_colour.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// Positions 0, hundreds, tens, units, the secondary number.
const std::vector<Draw> kDraws = {
    {2024001, {0, 1, 2, 3, 12}}, {2024002, {0, 4, 5, 6, 0}}, {2024003, {0, 7, 8, 9, 12}},
    {2024004, {0, 0, 1, 2, 15}}, {2024005, {0, 3, 4, 5, 7}}, {2024006, {0, 6, 7, 8, 12}},
};
constexpr int16_t kSecondary = 4; // the area of the secondary number

class InferSecondaryTest : public test::GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        m_loader.emplace(&OpenLottorFile);
        InstallAnalysisWindows(Windows(), m_context.State);
        const QString file = u"Lottor/lottor1000"_s;
        {
            CLottorData created;
            ASSERT_FALSE(
                created.CreateData(u"[LOTTONAME]\r\n特别号\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
                                   u"[MRDATANAME]\r\n特码\r\n[MRDATALEN]\r\n15\r\n[MRMAIN]\r\n1\r\n"_s,
                                   file, 1000, kDraws));
        }
        MDIMain& main = Start();
        ASSERT_TRUE(main.LoadLottor(file));
        ASSERT_EQ(Game().NumCount(), 6);
    }

    CLottorData& Game() { return *m_context.State.CurLottorData; }
    FInfer& Window(int view)
    {
        auto* form = dynamic_cast<FInfer*>(m_context.State.InferForms[static_cast<size_t>(view)].get());
        form->ShowForm();
        return *form;
    }
    static int RowOf(const CFlexGrid& grid, const QString& label)
    {
        for (int row = 0; row < grid.Rows(); ++row) {
            if (grid.TextMatrix(row, 0) == label)
                return row;
        }
        return -1;
    }
    // The column of secondary number d in the number table on show.
    static int SecondaryColumn(const FInfer& form, int16_t d)
    {
        return DigitColumn(form.NumberTable()->Layout(), kSecondary, d);
    }
    QColor Secondary() { return ToQColor(ColorRgb(Game().HeadData.MrMainColor)); }

    std::optional<ScopedService<LottorLoader>> m_loader;
};

TEST_F(InferSecondaryTest, EveryViewsTablesLightTheDrawnSecondaryNumber)
{
    for (const int view : {0, 3}) {
        SCOPED_TRACE(view);
        FInfer& form = Window(view);
        form.ShowLay(u"历史分布图"_s);
        const CFlexGrid& grid = *form.Grid();
        for (size_t i = 0; i < kDraws.size(); ++i) {
            const int row = RowOf(grid, QString::number(kDraws[i].Issue));
            ASSERT_GE(row, 2);
            const int16_t drawn = kDraws[i].Num[4];
            for (int16_t d = 0; d <= 15; ++d) {
                const int col = SecondaryColumn(form, d);
                EXPECT_EQ(form.NumberTable()->Paint(row, col) == CellPaint::HitMr, d == drawn)
                    << i << " " << d;
                EXPECT_EQ(grid.TextMatrix(row, col), d == drawn ? QString::number(d) : QString())
                    << i << " " << d;
            }
            EXPECT_EQ(grid.CellBackColor(row, SecondaryColumn(form, drawn)), Secondary());
        }
        // "原始号码" shows the number itself as well.
        form.Controls().OptPTKind[2]->click();
        const int row = RowOf(grid, u"2024004"_s);
        EXPECT_EQ(grid.TextMatrix(row, SecondaryColumn(form, 15)), u"15"_s);
        form.Controls().OptPTKind[1]->click();
    }
}

TEST_F(InferSecondaryTest, ADoubleClickMarksTheSecondaryNumberItShows)
{
    FInfer& view3 = Window(3);
    FInfer& view0 = Window(0);
    view3.ShowLay(u"历史分布图"_s);
    view0.ShowLay(u"循环分布数据"_s);
    CFlexGrid& grid = *view3.Grid();
    const int next = RowOf(grid, u"下期"_s);
    ASSERT_GE(next, 2);
    grid.SetRow(next);
    grid.SetCol(SecondaryColumn(view3, 12));
    Q_EMIT grid.DblClick();
    EXPECT_NE(Game().SelectBall(kSecondary, 12), 0);
    for (int16_t d = 0; d <= 15; ++d) {
        if (d != 12) {
            EXPECT_EQ(Game().SelectBall(kSecondary, d), 0) << d;
        }
    }
    EXPECT_EQ(grid.CellBackColor(next, SecondaryColumn(view3, 12)), Secondary());
    EXPECT_EQ(grid.TextMatrix(next, SecondaryColumn(view3, 12)), u"12"_s);
    // The cycle grid of view 0 colours the number's own column: the
    // secondary block follows the three positions of ten columns.
    const CFlexGrid& cycle = *view0.Grid();
    const int cycleNext = RowOf(cycle, u"下期"_s);
    const int cycleCol = 3 * 11 + 1 + 12;
    EXPECT_EQ(cycle.CellForeColor(cycleNext, cycleCol), Secondary());
    EXPECT_EQ(cycle.TextMatrix(cycleNext, cycleCol), u"12"_s);
    // So does its next build, in every display mode.
    for (const int mode : {0, 2}) {
        view0.Controls().OptPTKind[mode]->click();
        EXPECT_EQ(cycle.CellForeColor(cycleNext, cycleCol), Secondary()) << mode;
        EXPECT_EQ(cycle.TextMatrix(cycleNext, cycleCol), u"12"_s) << mode;
    }
    // And the cycle grid lights the drawn secondary numbers.
    EXPECT_EQ(cycle.CellForeColor(RowOf(cycle, u"2024004"_s), 3 * 11 + 1 + 15), Secondary());
    EXPECT_EQ(cycle.TextMatrix(RowOf(cycle, u"2024004"_s), 3 * 11 + 1 + 15), u"15"_s);
    EXPECT_EQ(cycle.TextMatrix(RowOf(cycle, u"2024004"_s), 3 * 11 + 1 + 0), QString());
}

TEST_F(InferSecondaryTest, TrendsAndTheCombinedTableReadTheDrawnSecondaryNumbers)
{
    FInfer& form = Window(0);
    ASSERT_EQ(static_cast<int>(form.Controls().OptFilter.size()), 47);
    EXPECT_EQ(form.Controls().OptFilter[46]->text(), u"特码号码1"_s);
    form.ShowLay(u"特码号码1"_s);
    const ChartData& data = form.chMain()->Model().Data();
    ASSERT_EQ(data.PointCount(), 7);
    for (size_t i = 0; i < kDraws.size(); ++i)
        EXPECT_EQ(data.At(static_cast<int>(i) + 1, 1).toInt(), kDraws[i].Num[4]) << i;
    EXPECT_EQ(data.At(7, 1).toString(), QString());

    form.ShowLay(u"综合"_s);
    const CFlexGrid& grid = *form.Grid();
    ASSERT_EQ(grid.TextMatrix(0, 4), u"特1"_s);
    for (int mode = 0; mode < 3; ++mode) {
        form.Controls().OptPTKind[mode]->click();
        for (size_t i = 0; i < kDraws.size(); ++i)
            EXPECT_EQ(grid.TextMatrix(RowOf(grid, QString::number(kDraws[i].Issue)), 4),
                      QString::number(kDraws[i].Num[4]))
                << mode << " " << i;
    }
}

TEST_F(InferSecondaryTest, DistributionsAndRankingsCountTheSecondaryNumbers)
{
    FInfer& form = Window(0);
    form.Controls().chkPTShowHit->click(); // every cell with its text
    form.Controls().OptPTKind[0]->click(); // the statistic's value
    form.ShowLay(u"历史出数分布"_s);
    const CFlexGrid& grid = *form.Grid();
    // Before the sixth draw 12 was drawn twice, 15 and 0 once, 3 never.
    const int row = RowOf(grid, u"2024006"_s);
    EXPECT_EQ(grid.TextMatrix(row, SecondaryColumn(form, 12)), u"2"_s);
    EXPECT_EQ(grid.TextMatrix(row, SecondaryColumn(form, 15)), u"1"_s);
    EXPECT_EQ(grid.TextMatrix(row, SecondaryColumn(form, 3)), u"0"_s);
    // The miss of 15 before the next issue: two draws.
    form.ShowLay(u"遗漏分布"_s);
    EXPECT_EQ(grid.TextMatrix(RowOf(grid, u"下期"_s), SecondaryColumn(form, 15)), u"2"_s);
    // Ranks: 12, the most drawn, holds the highest rank.
    form.Controls().OptPTKind[1]->click();
    form.ShowLay(u"历史出数分布"_s);
    EXPECT_EQ(grid.TextMatrix(RowOf(grid, u"下期"_s), SecondaryColumn(form, 12)), u"15"_s);

    // The ranking chart of the secondary number, in number order.
    form.Controls().cboPTSubarea2->setCurrentIndex(4);
    ASSERT_EQ(form.Controls().cboPTSubarea2->currentText(), u"特码"_s);
    form.ShowLay(u"历史出数排行"_s);
    const ChartData& chart = form.chMain()->Model().Data();
    ASSERT_EQ(chart.PointCount(), 16);
    EXPECT_EQ(chart.At(12 + 1, 1).toInt(), 3);
    EXPECT_EQ(chart.At(15 + 1, 1).toInt(), 1);
    EXPECT_EQ(chart.At(7 + 1, 1).toInt(), 1);
    EXPECT_EQ(chart.At(1 + 1, 1).toInt(), 0);

    // The combined ranking table's secondary block at the next issue.
    form.ShowLay(u"综合排行"_s);
    const int rankRow = form.Stat().HeadData()->ListAsc ? 3 : 9; // the count over all draws
    const int col = 4 * 11 + 1 + 12;
    EXPECT_EQ(grid.TextMatrix(rankRow, col), u"15"_s);
}

} // namespace
} // namespace kelton
