// Indicator series, the ranking chart and the combined tables' cell rules.

#include <gtest/gtest.h>

#include "analysis/indicator_series.h"
#include "analysis/infer_layout.h"
#include "analysis/ranking.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "small_history.h"

namespace kelton {
namespace {

using test::CellsOf;
using test::GridCells;
using test::SmallHistoryTest;

TEST_F(SmallHistoryTest, FilterArrayHoldsOneSeriesPerKind)
{
    ChartData data;
    const int16_t kinds[] = {43, 1};
    ASSERT_FALSE(GetFilterArray(View(), SecondaryDraws(), kinds, 10, 12, data));
    ASSERT_EQ(data.PointCount(), 3);
    ASSERT_EQ(data.SeriesCount(), 2);
    EXPECT_EQ(data.At(0, 1).toString(), QStringLiteral("个位号码"));
    EXPECT_EQ(data.At(0, 2).toString(), QStringLiteral("和值"));
    EXPECT_EQ(data.At(1, 0).toString(), QStringLiteral("2024011"));
    EXPECT_EQ(data.At(1, 1).toInt(), 5);
    EXPECT_EQ(data.At(2, 1).toInt(), 0);
    EXPECT_EQ(data.At(2, 2).toInt(), 7); // 1 + 6 + 0
    // The next issue: labelled, no values.
    EXPECT_EQ(data.At(3, 0).toString(), QStringLiteral("下期"));
    EXPECT_EQ(data.At(3, 1).toString(), QString());
    EXPECT_EQ(data.At(3, 2).toString(), QString());

    // A reversed range leaves the table as it was.
    ChartData kept = data;
    EXPECT_TRUE(GetFilterArray(View(), SecondaryDraws(), kinds, 5, 4, kept));
    EXPECT_EQ(kept.PointCount(), 3);
    const ChartData empty = HeaderOnlySeries(KindName(Head(), 43));
    EXPECT_EQ(empty.PointCount(), 0);
    EXPECT_EQ(empty.At(0, 1).toString(), QStringLiteral("个位号码"));
}

TEST_F(SmallHistoryTest, CycleArrayHasTheDrawnAndThePossibleCounts)
{
    ChartData data;
    ASSERT_FALSE(GetCycleArray(View(), 11, 12, data));
    EXPECT_EQ(data.At(0, 1).toString(), QStringLiteral("开出的循环个数"));
    EXPECT_EQ(data.At(0, 2).toString(), QStringLiteral("可能的循环个数"));
    // Draw 11 (1 6 0): none of its numbers continued a cycle.
    EXPECT_EQ(data.At(1, 1).toInt(), View().Filter(11, 19));
    EXPECT_EQ(data.At(2, 1).toString(), QString());
    EXPECT_EQ(data.At(2, 2).toInt(), View().CycleCount(12));
    EXPECT_TRUE(GetCycleArray(View(), 12, 11, data));
}

TEST_F(SmallHistoryTest, TrendTitleOfPatternKindsIsTheirLegend)
{
    m_game.HeadData.LottorName = QStringLiteral("G");
    EXPECT_TRUE(TrendTitle(Head(), 37, ChartData()).startsWith(QStringLiteral("0=热热热;1=热热温")));
    ChartData series;
    const int16_t kind[] = {19};
    ASSERT_FALSE(GetCycleArray(View(), 0, 12, series));
    EXPECT_EQ(TrendTitle(Head(), 19, series), QStringLiteral("开出的循环个数 G"));
    ASSERT_FALSE(GetFilterArray(View(), SecondaryDraws(), kind, 0, 12, series));
    EXPECT_EQ(TrendTitle(Head(), 19, series), QStringLiteral("循环个数 G"));
}

TEST_F(SmallHistoryTest, RankingChartInNumberAndRankOrder)
{
    for (const int16_t kind : {0, 3, 5, 6}) {
        const ChartData plain =
            RankChart(View(), SecondaryDraws(), kind, 12, RankArea{0, 9}, false, QString());
        const ChartData sorted =
            RankChart(View(), SecondaryDraws(), kind, 12, RankArea{0, 9}, true, QString());
        std::vector<bool> seen(10, false);
        for (int p = 1; p <= 10; ++p) {
            EXPECT_EQ(plain.At(p, 0).toInt(), p - 1);
            EXPECT_EQ(plain.At(p, 1).toInt(), View().Stat(12, 0, static_cast<int16_t>(p - 1), kind, 0));
            const int number = sorted.At(p, 0).toInt();
            seen[static_cast<size_t>(number)] = true;
            EXPECT_EQ(sorted.At(p, 1).toInt(), plain.At(number + 1, 1).toInt());
            if (p > 1) {
                // From the highest rank down: values never rise, and ties
                // keep the view's rank order.
                const int before = sorted.At(p - 1, 0).toInt();
                EXPECT_GE(sorted.At(p - 1, 1).toInt(), sorted.At(p, 1).toInt());
                EXPECT_GT(View().Stat(12, 0, static_cast<int16_t>(before), kind, 1),
                          View().Stat(12, 0, static_cast<int16_t>(number), kind, 1));
            }
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 10);
    }
    // History count of 3 over all positions before the next issue: 3 3 5
    // twice and 1 2 3 three times.
    EXPECT_GT(RankChart(View(), SecondaryDraws(), 0, 12, RankArea{0, 9}, false, QString()).At(4, 1).toInt(),
              0);

    // Periods outside the records: numbers 0..n, values 0.
    for (const int32_t period : {-1, 13}) {
        const ChartData none = RankChart(View(), SecondaryDraws(), 0, period, RankArea{1, 9}, true,
                                         QStringLiteral("号码:全部号码"));
        EXPECT_EQ(none.At(0, 1).toString(), QStringLiteral("号码:全部号码"));
        for (int p = 1; p <= 10; ++p) {
            EXPECT_EQ(none.At(p, 0).toInt(), p - 1);
            EXPECT_EQ(none.At(p, 1).toInt(), 0);
        }
    }
}

TEST_F(SmallHistoryTest, RankAreasAndTitles)
{
    EXPECT_EQ(RankChartArea(Head(), 0), (RankArea{0, 9}));
    EXPECT_EQ(RankChartArea(Head(), 1), (RankArea{3, 9}));
    EXPECT_EQ(RankChartArea(Head(), 3), (RankArea{1, 9}));
    EXPECT_EQ(RankChartArea(Head(), 4), (RankArea{0, 9}));
    EXPECT_EQ(RankTitle(4, 30), QStringLiteral("30出现次数排行"));
    EXPECT_EQ(RankTitle(7, 30), QStringLiteral("概率数排行"));
}

TEST_F(SmallHistoryTest, RankColoursSingleOutTheLowestAndHighestRanks)
{
    const int32_t low = ColorRgb(Head().RankColor(1));
    const int32_t high = ColorRgb(Head().RankColor(0));
    for (int16_t r = 0; r <= 9; ++r)
        EXPECT_EQ(RankCellStyle(Head(), r, 0, 9), (ViewCellStyle{kViewWhite, kViewBlack})) << r;
    const int32_t three[] = {low, low, low, kViewWhite, kViewWhite, kViewWhite, kViewWhite, high, high, high};
    const int32_t four[] = {low, low, low, low, kViewWhite, kViewWhite, high, high, high, high};
    for (int16_t r = 0; r <= 9; ++r) {
        EXPECT_EQ(RankCellStyle(Head(), r, 3, 9).Back, three[r]) << r;
        EXPECT_EQ(RankCellStyle(Head(), r, 4, 9).Back, four[r]) << r;
        EXPECT_EQ(RankCellStyle(Head(), r, 4, 9).Fore, four[r] == kViewWhite ? kViewGrey : kViewBlack) << r;
    }
    EXPECT_EQ(RankTablePeriodRow(1), 2);
    EXPECT_EQ(RankTableRankRow(1, 7), 10);
    EXPECT_EQ(RankTablePeriodRow(0), 10);
    EXPECT_EQ(RankTableRankRow(0, 0), 9);
}

TEST(UpDownColours, BothOrdersOfTheValues)
{
    EXPECT_EQ(UpDownColour(true, false, false, 3, 5), kViewBlue);
    EXPECT_EQ(UpDownColour(true, false, false, 5, 3), kViewRed);
    EXPECT_EQ(UpDownColour(true, false, false, 4, 4), std::nullopt);
    EXPECT_EQ(UpDownColour(true, true, false, 3, 5), kViewBlack);
    EXPECT_EQ(UpDownColour(true, false, true, 3, 5), kViewBlack);
    EXPECT_EQ(UpDownColour(false, false, false, 3, 5), kViewBlack);
}

TEST_F(SmallHistoryTest, CombinedIndicatorTableCells)
{
    ASSERT_EQ(IndicatorTableCols(Head()), 47);
    const char* const captions[] = {"期数", "百", "十", "个", "AC值"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(IndicatorTableCaption(Head(), c), QString::fromUtf8(captions[c])) << c;
    EXPECT_EQ(IndicatorTableCaption(Head(), 46), QStringLiteral("大中小"));
    // Draw 3 is 0 4 8: the hundreds first; view 0 shows the drawn numbers
    // in every mode but the key, which is the value itself.
    for (const int mode : {0, 1, 2, -1}) {
        EXPECT_EQ(IndicatorTableValue(View(), SecondaryDraws(), 3, 1, mode), 0);
        EXPECT_EQ(IndicatorTableValue(View(), SecondaryDraws(), 3, 3, mode), 8);
        EXPECT_EQ(IndicatorTableValue(View(), SecondaryDraws(), 3, 5, mode), View().Filter(3, 1)); // the sum
        EXPECT_EQ(IndicatorTableValue(View(), SecondaryDraws(), 12, 2, mode), std::nullopt);
    }
    // In a ranked view "原始号码" gives the drawn number, "排行序列" its rank.
    EXPECT_EQ(IndicatorTableValue(View(3), SecondaryDraws(), 3, 3, 2), 8);
    EXPECT_EQ(IndicatorTableValue(View(3), SecondaryDraws(), 3, 3, 1), View(3).Data(3, 8, 2));
}

// The table laid a row at a time: every value cell shows what
// IndicatorTableValue gives for its column, in every display mode and in a
// view whose ranks differ from the numbers.
TEST_F(SmallHistoryTest, CombinedIndicatorTableRowsShowEachColumnsValue)
{
    for (const int16_t view : {int16_t{0}, int16_t{3}}) {
        for (const int mode : {0, 1, 2, -1}) {
            SCOPED_TRACE(std::to_string(view) + " " + std::to_string(mode));
            IndicatorTableSetup setup;
            setup.RangeStart = 0;
            setup.RangeCount = View(view).BallCount();
            setup.Mode = mode;
            int rows = 0;
            IndicatorTableRows(View(view), SecondaryDraws(), Head(), setup, [&](const GridRow& row) {
                ++rows;
                if (row.Row == 0 || row.Col == 0)
                    return;
                const int32_t p = row.Row - 1;
                ASSERT_EQ(row.Texts.size(), size_t(46));
                for (int c = 1; c <= 46; ++c) {
                    const std::optional<int16_t> v = IndicatorTableValue(View(view), SecondaryDraws(), p, c, mode);
                    EXPECT_EQ(*row.Texts[static_cast<size_t>(c - 1)], v ? QString::number(*v) : QString())
                        << p << " " << c;
                }
            });
            EXPECT_EQ(rows, 1 + 2 * 13);
        }
    }
}

TEST_F(SmallHistoryTest, CombinedRankingPeriodRow)
{
    const int32_t main = ColorRgb(Head().BcMainColor);
    const int32_t row0 = ColorRgb(Head().RowColor(0));
    // Draw 0 is 3 3 5: area 0 highlights 3 and 5, the tens block only 3.
    std::vector<ViewCell> cells = RankPeriodCells(View(), m_game, 0, 0, 10, true, true);
    ASSERT_EQ(cells.size(), 10u);
    for (int d = 0; d <= 9; ++d) {
        const bool drawn = d == 3 || d == 5;
        const ViewCell want =
            drawn ? ViewCell{QString::number(d), main, kViewBlack} : ViewCell{QString(), row0, kViewGrey};
        EXPECT_EQ(cells[static_cast<size_t>(d)], want) << d;
    }
    cells = RankPeriodCells(View(), m_game, 0, 2, 10, true, false);
    EXPECT_EQ(cells[3].Back, main);
    EXPECT_EQ(cells[5], (ViewCell{QStringLiteral("5"), row0, kViewGrey}));

    // The next issue shows the marks of the area.
    m_game.SelectBall(1, 7, -1);
    cells = RankPeriodCells(View(), m_game, 12, 1, 2, true, true);
    EXPECT_EQ(cells[7], (ViewCell{QStringLiteral("7"), main, kViewBlack}));
    EXPECT_EQ(cells[6].Text, QString());
    EXPECT_EQ(RankPeriodCells(View(), m_game, 12, 2, 2, true, true)[7].Text, QString());
}

TEST_F(SmallHistoryTest, CombinedRankingRankRows)
{
    for (const bool byOrder : {true, false}) {
        const std::vector<ViewCell> cells = RankRowCells(View(), 12, 0, 6, byOrder, 3);
        for (int16_t d = 0; d <= 9; ++d) {
            const int16_t rank = View().Stat(12, 0, d, 6, 1);
            EXPECT_EQ(cells[static_cast<size_t>(d)].Text, QString::number(byOrder ? rank : View().Stat(12, 0, d, 6, 0)));
            EXPECT_EQ(cells[static_cast<size_t>(d)].Back, RankCellStyle(Head(), rank, 3, 9).Back);
        }
    }
}

// The cell a table writes at (row, col); nullptr when it writes none.
const GridCell* At(const GridCells& cells, int row, int col)
{
    for (const GridCell& cell : cells) {
        if (cell.Row == row && cell.Col == col)
            return &cell;
    }
    return nullptr;
}

TEST_F(SmallHistoryTest, CombinedIndicatorTableRowsInEitherOrder)
{
    const int32_t rows[2] = {ColorRgb(Head().RowColor(0)), ColorRgb(Head().RowColor(1))};
    ASSERT_NE(rows[0], rows[1]);
    // Records 9..12: 446, 555, 160 and the next issue.
    struct Case {
        bool ListAsc;
        bool RowColours;
        bool UpDown;
    };
    for (const Case c : {Case{false, true, true}, Case{true, true, false}, Case{false, false, true}}) {
        SCOPED_TRACE(std::to_string(c.ListAsc) + std::to_string(c.RowColours) + std::to_string(c.UpDown));
        IndicatorTableSetup setup;
        setup.RangeStart = 9;
        setup.RangeCount = 4;
        setup.ListAsc = c.ListAsc;
        setup.UpDown = c.UpDown;
        setup.RowColours = c.RowColours;
        const GridCells cells = CellsOf([&](const GridCellSink& out) {
            IndicatorTableCells(View(), SecondaryDraws(), Head(), setup, out);
        });
        EXPECT_EQ(cells.size(), size_t(5 * 47));
        ASSERT_NE(At(cells, 0, 4), nullptr);
        EXPECT_EQ(At(cells, 0, 4)->Text, QStringLiteral("AC值"));
        // Record 9 + m in row m + 1, or from the bottom up with the
        // newest on top.
        for (int m = 0; m < 4; ++m) {
            const int row = c.ListAsc ? 4 - m : m + 1;
            ASSERT_NE(At(cells, row, 0), nullptr) << m;
            EXPECT_EQ(At(cells, row, 0)->Text, View().NumName(9 + m));
            const GridCell& hundreds = *At(cells, row, 1);
            EXPECT_EQ(hundreds.Back, rows[c.RowColours ? row % 2 : 0]) << m;
            const char* const want[] = {"4", "5", "1", ""};
            EXPECT_EQ(hundreds.Text, QString::fromLatin1(want[m])) << m;
        }
        // The hundreds fall from 5 to 1; 4 to 5 rises. The first record
        // and the next issue are black.
        const auto fore = [&](int m) { return At(cells, c.ListAsc ? 4 - m : m + 1, 1)->Fore; };
        EXPECT_EQ(fore(0), kViewBlack);
        EXPECT_EQ(fore(1), c.UpDown ? kViewRed : kViewBlack);
        EXPECT_EQ(fore(2), c.UpDown ? kViewBlue : kViewBlack);
        EXPECT_EQ(fore(3), kViewBlack);
    }
    EXPECT_EQ(IndicatorColumnTwips(Head(), 0, 100), 1000);
    EXPECT_EQ(IndicatorColumnTwips(Head(), 4, 100), 350); // "AC值" and a half
}

TEST_F(SmallHistoryTest, CombinedRankingTableCells)
{
    const AreaNames names{QString()};
    for (const int16_t listAsc : {int16_t{0}, int16_t{-1}}) {
        m_game.HeadData.ListAsc = listAsc;
        for (const int32_t period : {3, 12}) {
            SCOPED_TRACE(std::to_string(listAsc) + " " + std::to_string(period));
            RankTableSetup setup;
            setup.Period = period;
            setup.AreaChoice = 0; // area 0 and every position
            setup.ByOrder = false;
            setup.Singled = 2;
            setup.RowColours = true;
            setup.ShowHit = false;
            const GridCells cells = CellsOf([&](const GridCellSink& out) {
                CombinedRankingCells(View(), m_game, SecondaryDraws(), SizesOf(Head()), names, setup, out);
            });
            const int r0 = RankTablePeriodRow(listAsc);
            ASSERT_NE(At(cells, r0, 0), nullptr);
            EXPECT_EQ(At(cells, 0, 0)->Text, QStringLiteral("位码"));
            EXPECT_EQ(At(cells, 1, 0)->Text, QStringLiteral("期数"));
            EXPECT_EQ(At(cells, r0, 0)->Text,
                      period == 12 ? QStringLiteral("下期") : QStringLiteral("2024004"));
            const NumberGridLayout layout = NumberGrid(SizesOf(Head()), 0, names);
            ASSERT_EQ(layout.Blocks.size(), 4u);
            for (const NumberBlock& block : layout.Blocks) {
                const std::vector<ViewCell> top =
                    RankPeriodCells(View(), m_game, period, block.Area, r0, true, false);
                for (int d = 0; d < block.Digits; ++d) {
                    const GridCell* cell = At(cells, r0, block.Start + d);
                    ASSERT_NE(cell, nullptr);
                    EXPECT_EQ(cell->Text, top[static_cast<size_t>(d)].Text);
                    EXPECT_EQ(cell->Back, top[static_cast<size_t>(d)].Back);
                }
                for (int16_t k = 0; k < 8; ++k) {
                    const int row = RankTableRankRow(listAsc, k);
                    EXPECT_EQ(At(cells, row, 0)->Text, RankTitle(k, Head().CustomStat));
                    const std::vector<ViewCell> rank = RankRowCells(View(), period, block.Area, k, false, 2);
                    for (int d = 0; d < block.Digits; ++d) {
                        const GridCell* cell = At(cells, row, block.Start + d);
                        ASSERT_NE(cell, nullptr);
                        EXPECT_EQ(cell->Text, rank[static_cast<size_t>(d)].Text) << k << " " << d;
                        EXPECT_EQ(cell->Fore, rank[static_cast<size_t>(d)].Fore) << k << " " << d;
                    }
                }
            }
            // Labels and 9 rows of the four blocks' digits, nothing more.
            EXPECT_EQ(cells.size(), size_t(11 + 9 * 40));
        }
    }
}

// A three-digit game with a secondary number 0..15.
class SecondaryRankingTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QString file = Path(QStringLiteral("g.dat"));
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(
                QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
                               "[MRDATANAME]\r\n特码\r\n[MRDATALEN]\r\n15\r\n[MRMAIN]\r\n1\r\n"),
                file, 1000));
        }
        ASSERT_FALSE(m_game.OpenData(8, file));
        const std::vector<Draw> draws = {
            {2024001, {0, 1, 2, 3, 12}}, {2024002, {0, 4, 5, 6, 0}}, {2024003, {0, 7, 8, 9, 12}}};
        ASSERT_EQ(m_game.Add(draws), 3);
        ASSERT_FALSE(m_game.UpData());
    }

    CLottorData m_game;
};

// The secondary number's column stands between the main numbers and the
// indicators, the table laid a row at a time.
TEST_F(SecondaryRankingTest, CombinedIndicatorTableRowsShowTheSecondaryNumber)
{
    const CStat& view = *m_game.StatView(0);
    const CLottorHead& head = m_game.HeadData;
    const SecondaryDraws secondary(m_game, head.CustomStat);
    ASSERT_EQ(IndicatorTableCols(head), 48);
    IndicatorTableSetup setup;
    setup.RangeCount = view.BallCount();
    setup.Mode = 2;
    std::vector<QStringList> texts(static_cast<size_t>(setup.RangeCount + 1));
    IndicatorTableRows(view, secondary, head, setup, [&](const GridRow& row) {
        for (const QString* text : row.Texts)
            texts[static_cast<size_t>(row.Row)].append(*text);
    });
    // Secondary numbers 12, 0 and 12, none on the next issue.
    const char* const issues[] = {"2024001", "2024002", "2024003", "下期"};
    const char* const numbers[] = {"12", "0", "12", ""};
    for (int m = 0; m < 4; ++m) {
        const QStringList& row = texts[static_cast<size_t>(m + 1)];
        ASSERT_EQ(row.size(), 48) << m;
        EXPECT_EQ(row[0], QString::fromUtf8(issues[m])) << m;
        EXPECT_EQ(row[4], QString::fromUtf8(numbers[m])) << m;
        EXPECT_EQ(row[5], m < 3 ? QString::number(view.Filter(m, 0)) : QString()) << m;
    }
    EXPECT_EQ(texts[0][4], head.MrDataName.left(1) + u'1');
}

TEST_F(SecondaryRankingTest, CombinedRankingSecondaryBlockStandsOutOnTheSecondaryColour)
{
    const CStat& view = *m_game.StatView(0);
    const CLottorHead& head = m_game.HeadData;
    const AreaNames names{head.MrDataName};
    const NumberGridLayout layout = NumberGrid(SizesOf(head), 6, names); // the secondary number alone
    ASSERT_EQ(layout.Blocks.size(), 1u);
    ASSERT_TRUE(layout.Blocks[0].Secondary);
    RankTableSetup setup;
    setup.Period = 2; // draw 3: 12
    setup.AreaChoice = 6;
    setup.ShowHit = true;
    for (const bool rowColours : {true, false}) {
        setup.RowColours = rowColours;
        const GridCells cells = CellsOf([&](const GridCellSink& out) {
            CombinedRankingCells(view, m_game, SecondaryDraws(m_game, head.CustomStat), SizesOf(head), names,
                                 setup, out);
        });
        const int r0 = RankTablePeriodRow(head.ListAsc);
        const int32_t plain = ColorRgb(head.RowColor(rowColours ? static_cast<int16_t>(r0 % 2) : 0));
        for (int16_t d = 0; d <= 15; ++d) {
            const GridCell* cell = At(cells, r0, layout.Blocks[0].Start + d);
            ASSERT_NE(cell, nullptr) << d;
            const GridCell want = d == 12 ? GridCell{r0, cell->Col, QStringLiteral("12"),
                                                     ColorRgb(head.MrMainColor), kViewBlack}
                                          : GridCell{r0, cell->Col, QString(), plain, kViewGrey};
            EXPECT_EQ(*cell, want) << d << " " << rowColours;
        }
        // A rank row (odd) lies on the second row colour where it has row
        // colours; its highlighted numbers are black on the secondary colour.
        const int row = RankTableRankRow(head.ListAsc, 0);
        const int32_t rowBack = ColorRgb(head.RowColor(rowColours ? 1 : 0));
        for (int16_t d = 0; d <= 15; ++d) {
            const GridCell& cell = *At(cells, row, layout.Blocks[0].Start + d);
            const bool hit = cell.Back == ColorRgb(head.MrMainColor);
            EXPECT_EQ(cell.Back, hit ? ColorRgb(head.MrMainColor) : rowBack) << d;
            EXPECT_EQ(cell.Fore, hit ? kViewBlack : kViewGrey) << d;
        }
    }
}

} // namespace
} // namespace kelton
