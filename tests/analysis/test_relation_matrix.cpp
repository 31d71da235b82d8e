// The digit-pair relation view: counting pairs, the cache, the chart of one
// digit's row.

#include <gtest/gtest.h>

#include "analysis/relation_matrix.h"
#include "data/lottor_head.h"
#include "small_history.h"

namespace kelton {
namespace {

using test::SmallHistoryTest;

// Cells that are not listed must be 0.
void ExpectOnly(const PairMatrix& m, std::initializer_list<std::tuple<int, int, int>> cells)
{
    for (int r = 0; r < m.Size(); ++r) {
        for (int c = 0; c < m.Size(); ++c) {
            int want = 0;
            for (const auto& [wr, wc, n] : cells) {
                if (wr == r && wc == c)
                    want = n;
            }
            EXPECT_EQ(m.At(r, c), want) << r << "," << c;
        }
    }
}

TEST_F(SmallHistoryTest, GroupPairsCountOncePerDraw)
{
    // 3 3 5: (3,3), (3,5), (5,3) once each, although 3 and 5 meet twice.
    ExpectOnly(GetPairMatrix(View(), 0, 0, 0), {{3, 3, 1}, {3, 5, 1}, {5, 3, 1}});
    // 7 7 7: only (7,7), once.
    ExpectOnly(GetPairMatrix(View(), 1, 1, 0), {{7, 7, 1}});
    // Hundreds 1, tens 2, units 3: kind 1 counts (1,2), never (2,1).
    ExpectOnly(GetPairMatrix(View(), 2, 2, 1), {{1, 2, 1}});
    ExpectOnly(GetPairMatrix(View(), 2, 2, 2), {{2, 3, 1}});
    ExpectOnly(GetPairMatrix(View(), 2, 2, 3), {{3, 1, 1}});
    // A reversed range counts nothing; the next issue never counts.
    ExpectOnly(GetPairMatrix(View(), 5, 4, 0), {});
    EXPECT_EQ(GetPairMatrix(View(), 11, 12, 1), GetPairMatrix(View(), 11, 11, 1));
}

TEST_F(SmallHistoryTest, PairsOverTheWholeHistoryAgreeWithADirectCount)
{
    for (int16_t kind = 0; kind < kRelationKinds; ++kind) {
        const PairMatrix m = GetPairMatrix(View(), 0, View().BallCount() - 1, kind);
        for (int x = 0; x <= 9; ++x) {
            for (int y = 0; y <= 9; ++y) {
                int want = 0;
                for (int d = 0; d < 12; ++d) {
                    const int u = Digit(d, 1), t = Digit(d, 2), h = Digit(d, 3);
                    if (kind == 0) {
                        const bool both = (x == y) ? (u == x) + (t == x) + (h == x) >= 2
                                                   : (u == x || t == x || h == x) && (u == y || t == y || h == y);
                        want += both ? 1 : 0;
                    } else {
                        const int first[] = {0, h, t, u};
                        const int second[] = {0, t, u, h};
                        want += first[kind] == x && second[kind] == y ? 1 : 0;
                    }
                }
                EXPECT_EQ(m.At(x, y), want) << kind << ": " << x << "," << y;
            }
        }
    }
}

TEST(RelationMatrix, NumbersOutsideTheDigitsAreSkipped)
{
    // Records of stride 4 (position 0 unused); the second holds 12 and -1.
    const std::vector<int16_t> numbers = {0, 1, 2, 3, 0, 12, 2, -1, 0, 4, 4, 4};
    const PairMatrix m = CountPairs(numbers, 4, 3, 9, 3, 0, 2, 0);
    EXPECT_EQ(m.At(1, 2), 1);
    EXPECT_EQ(m.At(2, 3), 1);
    EXPECT_EQ(m.At(4, 4), 1);
    EXPECT_EQ(m.At(2, 2), 0);
    // The range is held to the records there are.
    EXPECT_EQ(CountPairs(numbers, 4, 3, 9, 30, -5, 40, 1).At(4, 4), 1);
}

TEST(RelationMatrix, KindsNeedTheirPositions)
{
    EXPECT_TRUE(RelationKindAvailable(0, 3));
    EXPECT_TRUE(RelationKindAvailable(1, 3));
    EXPECT_TRUE(RelationKindAvailable(0, 2));
    EXPECT_TRUE(RelationKindAvailable(2, 2));
    EXPECT_FALSE(RelationKindAvailable(1, 2));
    EXPECT_FALSE(RelationKindAvailable(3, 2));
    EXPECT_FALSE(RelationKindAvailable(0, 1));
    EXPECT_FALSE(RelationKindAvailable(4, 3));
    // A game without the hundreds counts nothing for kind 1.
    const std::vector<int16_t> numbers = {0, 1, 2};
    EXPECT_EQ(CountPairs(numbers, 3, 2, 9, 1, 0, 0, 1), PairMatrix({9, std::vector<int32_t>(100, 0)}));
}

TEST_F(SmallHistoryTest, TheCacheCountsAgainOnlyWhenRangeKindOrDrawsChange)
{
    RelationCache cache;
    const PairMatrix first = cache.Matrix(View(), 0, 12, 0);
    EXPECT_TRUE(cache.Counted());
    cache.Matrix(View(), 0, 12, 0);
    EXPECT_FALSE(cache.Counted());
    cache.Matrix(View(), 0, 12, 1);
    EXPECT_TRUE(cache.Counted());
    cache.Matrix(View(), 1, 12, 1);
    EXPECT_TRUE(cache.Counted());
    cache.Matrix(View(), 0, 12, 0);
    EXPECT_TRUE(cache.Counted());

    // A draw changed in place: same range, same kind, new counts.
    std::vector<const char*> changed = test::SmallDraws();
    changed[0] = "339";
    ASSERT_EQ(m_game.Add(test::Draws(changed, 2024001)), 12);
    ASSERT_FALSE(m_game.UpData());
    const PairMatrix second = cache.Matrix(View(), 0, 12, 0);
    EXPECT_TRUE(cache.Counted());
    EXPECT_EQ(second.At(3, 5), first.At(3, 5) - 1);
    EXPECT_EQ(second.At(3, 9), first.At(3, 9) + 1);
}

TEST(RelationMatrix, ChartOfOneDigitSortedByCount)
{
    PairMatrix m{9, std::vector<int32_t>(100, 0)};
    m.Counts[4 * 10 + 0] = 5;
    m.Counts[4 * 10 + 1] = 7;
    m.Counts[4 * 10 + 2] = 5;
    const ChartData plain = RelationChart(m, 4, false, 1, QStringLiteral("号码4"));
    ASSERT_EQ(plain.PointCount(), 10);
    EXPECT_EQ(plain.At(0, 1).toString(), QStringLiteral("百位号码号码4与十位的号码相克情况"));
    EXPECT_EQ(plain.At(1, 0).toString(), QStringLiteral("0 "));
    EXPECT_EQ(plain.At(2, 1).toInt(), 7);

    const ChartData sorted = RelationChart(m, 4, true, 1, QStringLiteral("号码4"));
    const char* const labels[] = {"1 ", "2 ", "0 ", "9 ", "8 ", "7 ", "6 ", "5 ", "4 ", "3 "};
    const int values[] = {7, 5, 5, 0, 0, 0, 0, 0, 0, 0};
    for (int p = 1; p <= 10; ++p) {
        EXPECT_EQ(sorted.At(p, 0).toString(), QString::fromLatin1(labels[p - 1])) << p;
        EXPECT_EQ(sorted.At(p, 1).toInt(), values[p - 1]) << p;
    }
}

TEST_F(SmallHistoryTest, RelationGridCells)
{
    const PairMatrix m = GetPairMatrix(View(), 0, 11, 1);
    const int32_t rows[2] = {ColorRgb(Head().RowColor(0)), ColorRgb(Head().RowColor(1))};
    for (const bool rowColours : {true, false}) {
        const test::GridCells cells = test::CellsOf(
            [&](const GridCellSink& out) { RelationTableCells(m, Head(), 1, rowColours, out); });
        // Two label cells, four per digit, and the 10 x 10 counts.
        ASSERT_EQ(cells.size(), size_t(2 + 4 * 10 + 100));
        const RelationTexts texts = RelationKindTexts(1);
        int checked = 0;
        for (const GridCell& cell : cells) {
            if (cell.Row >= 2 && cell.Col >= 2) {
                EXPECT_EQ(cell.Text, QString::number(m.At(cell.Row - 2, cell.Col - 2)));
                EXPECT_EQ(cell.Back, rows[rowColours ? cell.Row % 2 : 0]);
                EXPECT_EQ(cell.Fore, std::nullopt);
                ++checked;
            } else if (cell.Row < 2 && cell.Col < 2) {
                EXPECT_EQ(cell.Text, QStringLiteral("号码"));
            } else if (cell.Row < 2) {
                EXPECT_EQ(cell.Text, cell.Row == 0 ? texts.ColLabel : QString::number(cell.Col - 2));
            } else {
                EXPECT_EQ(cell.Text, cell.Col == 0 ? texts.RowLabel : QString::number(cell.Row - 2));
            }
        }
        EXPECT_EQ(checked, 100);
    }
}

} // namespace
} // namespace kelton
