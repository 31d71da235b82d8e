// The cycle view: list entries of a cell, clicks, highlight rows; and the
// next-period row's cells.

#include <map>

#include <gtest/gtest.h>

#include "analysis/cycle_view.h"
#include "analysis/next_marks.h"
#include "data/lottor_head.h"
#include "small_history.h"

namespace kelton {
namespace {

using test::SmallHistoryTest;

TEST_F(SmallHistoryTest, CycleEntriesOfACell)
{
    // 1 2 3 was drawn at draws 2, 5 and 8: before draw 11 each of its
    // digits runs three times at distance 3.
    const std::vector<CycleEntry> units = CycleEntries(View(), 11, 1, 3);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0], (CycleEntry{QStringLiteral("隔3期循环3次"), 300003}));
    EXPECT_EQ(CycleEntries(View(), 11, 3, 1), units);
    // The first four records have none; a separator or another area none.
    for (int32_t p = 0; p < 4; ++p) {
        for (int16_t d = 0; d <= 9; ++d)
            EXPECT_TRUE(CycleEntries(View(), p, 1, d).empty()) << p << " " << d;
    }
    EXPECT_TRUE(CycleEntries(View(), 11, 1, -1).empty());
    EXPECT_TRUE(CycleEntries(View(), 11, 4, 3).empty());
}

TEST_F(SmallHistoryTest, CycleGridClicks)
{
    EXPECT_EQ(CycleGridCols(Head()), 33);
    EXPECT_EQ(CycleColumn(Head(), 1, 0), 1);
    EXPECT_EQ(CycleColumn(Head(), 3, 9), 32);
    EXPECT_EQ(LocateCycleClick(Head(), 1), (CycleClick{1, 0}));
    EXPECT_EQ(LocateCycleClick(Head(), 11), (CycleClick{2, -1})); // separator
    EXPECT_EQ(LocateCycleClick(Head(), 12), (CycleClick{2, 0}));
    EXPECT_EQ(LocateCycleClick(Head(), 32), (CycleClick{3, 9}));
    EXPECT_EQ(LocateCycleClick(Head(), 0), std::nullopt);
    EXPECT_EQ(LocateCycleClick(Head(), 33), std::nullopt);
}

TEST(CycleHighlight, TagsAndRows)
{
    const std::optional<CycleHighlight> h = HighlightFromTags(QStringLiteral("10"), QStringLiteral("2|3"), 300004);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->AnchorRow, 10);
    EXPECT_EQ(h->Block, 2);
    EXPECT_EQ(h->Digit, 3);
    EXPECT_EQ(h->Distance, 3);
    EXPECT_EQ(h->Repeats, 4);
    EXPECT_FALSE(HighlightFromTags(QStringLiteral("x"), QStringLiteral("2|3"), 300004));
    EXPECT_FALSE(HighlightFromTags(QStringLiteral("10"), QString(), 300004));
    EXPECT_FALSE(HighlightFromTags(QStringLiteral("10"), QStringLiteral("2"), 300004));
    EXPECT_FALSE(HighlightFromTags(QStringLiteral("10"), QStringLiteral("2|a"), 300004));

    // Oldest period at the top: the cycle runs upward; rows above 2 are
    // left out.
    EXPECT_EQ(CycleHighlightRows(*h, false, 14), (std::vector<int>{10, 7, 4}));
    // Newest at the top: downward, up to the grid's last row.
    CycleHighlight top = *h;
    top.AnchorRow = 2;
    EXPECT_EQ(CycleHighlightRows(top, true, 14), (std::vector<int>{2, 5, 8, 11}));
    EXPECT_EQ(CycleHighlightRows(top, true, 15), (std::vector<int>{2, 5, 8, 11, 14}));
    // The last row is a period row (the next issue) and is painted.
    CycleHighlight last = *h;
    last.AnchorRow = 13;
    EXPECT_EQ(CycleHighlightRows(last, false, 14), (std::vector<int>{13, 10, 7, 4}));
    EXPECT_TRUE(CycleHighlightRows(CycleHighlight{}, false, 14).empty());
}

TEST_F(SmallHistoryTest, NextRowCellPaint)
{
    const int32_t main = ColorRgb(Head().BcMainColor);
    const int32_t row0 = ColorRgb(Head().RowColor(0));
    const int32_t row1 = ColorRgb(Head().RowColor(1));
    NextCellPaint p = NextCellPaintOf(Head(), NextTable::History, 1, true, true, true, 3, 0);
    EXPECT_EQ(p.Back, main);
    EXPECT_EQ(p.Fore, kViewBlack);
    EXPECT_TRUE(p.WithText);
    p = NextCellPaintOf(Head(), NextTable::Distribution, 1, false, true, true, 3, 0);
    EXPECT_EQ(p.Back, row1);
    EXPECT_FALSE(p.WithText);
    // Without row colours the cell takes the first row colour, as the
    // builds paint it.
    p = NextCellPaintOf(Head(), NextTable::CombinedRanking, 1, false, false, false, 3, 0);
    EXPECT_EQ(p.Back, row0);
    EXPECT_EQ(p.Fore, kViewGrey);
    EXPECT_TRUE(p.WithText);
    // The cycle grid keeps its back colour; black text inside the highlight.
    p = NextCellPaintOf(Head(), NextTable::Cycle, 1, true, true, true, 3, ColorRgb(Head().CycleColor));
    EXPECT_FALSE(p.Back);
    EXPECT_EQ(p.Fore, main);
    EXPECT_EQ(NextCellPaintOf(Head(), NextTable::Cycle, 1, true, true, true, 3, main).Fore, kViewBlack);
}

TEST_F(SmallHistoryTest, NextRowCellTexts)
{
    // View 3 ranks the numbers: a column stands for another raw number.
    const CStat& v = View(3);
    const int32_t last = v.BallCount() - 1;
    for (int16_t d = 0; d <= 9; ++d) {
        EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::History, 0, 1, d, 0),
                  QString::number(v.Data(last, d, 1)));
        EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::History, 0, 1, d, 1), QString::number(d));
        EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::Cycle, 0, 1, d, 2),
                  QString::number(v.Data(last, d, 0)));
        EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::Distribution, 6, 1, d, 0),
                  QString::number(v.Stat(last, 1, d, 6, 0)));
        EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::Distribution, 6, 1, d, 2),
                  QString::number(v.Data(last, d, 0)));
        for (const int mode : {0, 1, 2})
            EXPECT_EQ(NextCellText(v, SecondaryDraws(), NextTable::CombinedRanking, 0, 2, d, mode),
                      QString::number(d));
    }
}


TEST_F(SmallHistoryTest, CycleGridRows)
{
    const int32_t cycle = ColorRgb(Head().CycleColor);
    const int32_t main = ColorRgb(Head().BcMainColor);
    // Record 11, units: 3 is in a cycle; the drawn 0 is not.
    std::vector<ViewCell> cells = CycleRowCells(View(), m_game, 11, 1, 1, false, true);
    EXPECT_EQ(cells[3], (ViewCell{QStringLiteral("3"), cycle, kViewGrey}));
    EXPECT_EQ(cells[0], (ViewCell{QStringLiteral("0"), kViewWhite, main}));
    // Hundreds of record 11: 1 is in a cycle and drawn: cycle colour,
    // main-colour text; only drawn cells carry text with showHitOnly.
    cells = CycleRowCells(View(), m_game, 11, 3, 1, true, true);
    EXPECT_EQ(cells[1], (ViewCell{QStringLiteral("1"), cycle, main}));
    EXPECT_EQ(cells[2].Text, QString());
    // Colouring off: every cell white.
    for (const ViewCell& c : CycleRowCells(View(), m_game, 11, 1, 1, false, false))
        EXPECT_EQ(c.Back, kViewWhite);
    // The next issue shows the marks in the main colour.
    m_game.SelectBall(2, 4, -1);
    cells = CycleRowCells(View(), m_game, 12, 2, 2, true, false);
    EXPECT_EQ(cells[4].Fore, main);
    EXPECT_EQ(cells[4].Text, QStringLiteral("4"));
    EXPECT_EQ(cells[5].Text, QString());
    EXPECT_EQ(CycleCellBack(View(), 11, 1, 3, true), cycle);
    EXPECT_EQ(CycleCellBack(View(), 11, 1, 3, false), kViewWhite);
}

TEST_F(SmallHistoryTest, NextRowMarkStandsForTheRawNumber)
{
    const CStat& v = View(3);
    const int32_t last = v.BallCount() - 1;
    const AreaNames names{QString()};
    const NumberGridLayout all = NumberGrid(SizesOf(Head()), 0, names);
    for (int16_t d = 0; d <= 9; ++d) {
        // All blocks: area 0 from column 1, the tens from column 23.
        EXPECT_EQ(NextRowMark(v, all, 23 + d), (BallMark{2, v.Data(last, d, 0)}));
        EXPECT_EQ(NextRowMark(v, all, 1 + d), (BallMark{0, v.Data(last, d, 0)}));
    }
    EXPECT_FALSE(NextRowMark(v, all, 0));
    EXPECT_FALSE(NextRowMark(v, all, 22)); // a separator
    EXPECT_FALSE(NextRowMark(v, NumberGrid(SizesOf(Head()), 1, names), 12));
}

TEST_F(SmallHistoryTest, CycleTableInEitherOrder)
{
    const AreaNames names{QString()};
    const NumberGridLayout layout = NumberGrid(SizesOf(Head()), 2, names);
    for (const bool listAsc : {false, true}) {
        SCOPED_TRACE(listAsc);
        CycleTableSetup setup;
        setup.RangeStart = 10;
        setup.RangeCount = 3; // records 10, 11 and the next issue
        setup.ListAsc = listAsc;
        setup.ShowHit = false;
        std::vector<int32_t> records;
        const test::GridCells laid = test::CellsOf([&](const GridCellSink& out) {
            records = CycleTableCells(View(), m_game, SizesOf(Head()), names, setup, out);
        });
        const std::vector<int32_t> rows =
            listAsc ? std::vector<int32_t>{-1, -1, 12, 11, 10} : std::vector<int32_t>{-1, -1, 10, 11, 12};
        EXPECT_EQ(records, rows);
        std::map<std::pair<int, int>, GridCell> cells;
        const auto cell = [&cells](int row, int col) { return cells[std::make_pair(row, col)]; };
        for (const GridCell& c : laid)
            cells[std::make_pair(c.Row, c.Col)] = c;
        // Labels and the digit cells of three blocks in three rows.
        EXPECT_EQ(cells.size(), laid.size());
        EXPECT_EQ(cells.size(), size_t(2 + 3 + 3 * 30));
        EXPECT_EQ(cell(0, 0).Text, QStringLiteral("位码"));
        EXPECT_EQ(cell(1, 0).Text, QStringLiteral("期数"));
        for (int r = 2; r < 5; ++r) {
            const int32_t p = records[static_cast<size_t>(r)];
            EXPECT_EQ(cell(r, 0).Text, p == 12 ? QStringLiteral("下期") : QString::number(m_game.NumName(p)));
            for (const NumberBlock& block : layout.Blocks) {
                const std::vector<ViewCell> row =
                    CycleRowCells(View(), m_game, p, block.Area, 1, false, true);
                for (int d = 0; d < block.Digits; ++d) {
                    const ViewCell& want = row[static_cast<size_t>(d)];
                    EXPECT_EQ(cell(r, block.Start + d),
                              (GridCell{r, block.Start + d, want.Text, want.Back, want.Fore}))
                        << r << " " << d;
                }
            }
        }
    }
}

TEST(CycleHighlight, TextColourOnAndOff)
{
    const int32_t main = 0x123456;
    struct Case {
        int32_t Fore;
        bool On;
        int32_t Want;
    };
    const Case cases[] = {
        {main, true, kViewBlack},  {kViewGrey, true, kViewGrey},  {kViewBlack, true, kViewBlack},
        {kViewBlack, false, main}, {kViewGrey, false, kViewGrey}, {main, false, main},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CycleHighlightFore(c.Fore, main, c.On), c.Want) << c.Fore << " " << c.On;
}

} // namespace
} // namespace kelton
