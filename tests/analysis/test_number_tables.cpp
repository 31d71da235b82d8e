// The number tables of every data view: cell texts by display mode and the
// cells that stand out. In view 0 a number, its rank and its key coincide,
// so only the transformed views tell the display modes apart.

#include <gtest/gtest.h>

#include "analysis/infer_layout.h"
#include "analysis/number_tables.h"
#include "data/lottor_head.h"
#include "small_history.h"

namespace kelton {
namespace {

using test::SmallHistoryTest;

class NumberTableTest : public SmallHistoryTest {
protected:
    CNumberTable Table(int16_t view, int16_t kind, CellMode mode, CNumberTable::MarkedFn marked = {}) const
    {
        return Table(view, kind, mode, 0, static_cast<int16_t>(View(view).BallCount()), false,
                     std::move(marked));
    }
    CNumberTable Table(int16_t view, int16_t kind, CellMode mode, int32_t rangeStart, int16_t rangeCount,
                       bool listAsc, CNumberTable::MarkedFn marked = {}) const
    {
        CNumberTable::Setup setup;
        setup.Kind = kind;
        setup.Mode = mode;
        setup.ShowHit = false;
        setup.AreaChoice = 0;
        setup.RangeStart = rangeStart;
        setup.RangeCount = rangeCount;
        setup.ListAsc = listAsc;
        const AreaNames names{QString()};
        return CNumberTable(View(view), SecondaryDraws(), SizesOf(Head()), names, setup, std::move(marked));
    }
};

// A part of the history in either order: each row names the record the
// window's row order puts there and shows that record's numbers.
TEST_F(NumberTableTest, RowsHoldTheRecordsTheListOrderPutsThere)
{
    const CStat& s = View(0);
    constexpr int32_t kStart = 3;
    constexpr int16_t kCount = 6;
    for (const bool asc : {false, true}) {
        const CNumberTable table = Table(0, -1, CellMode::Raw, kStart, kCount, asc);
        ASSERT_EQ(table.Rows(), kCount + 2);
        for (int m = 0; m < kCount; ++m) {
            const int row = PeriodRow(m, kCount, asc);
            EXPECT_EQ(table.RecordOfRow(row), kStart + m) << "ascending " << asc << " period " << m;
            EXPECT_EQ(table.RowOfRecord(kStart + m), row) << "ascending " << asc << " period " << m;
            EXPECT_EQ(table.Text(row, 0), s.NumName(kStart + m)) << "ascending " << asc << " period " << m;
            EXPECT_EQ(table.Text(row, table.Layout().Blocks[0].Start),
                      QString::number(s.Data(kStart + m, 0, 0)));
        }
    }
}

TEST_F(NumberTableTest, CellTextsFollowTheDisplayModeInEveryView)
{
    // What a cell of digit d of area a at record p shows: the history table
    // (kind -1) the key, the number itself or the raw number; a
    // distribution the statistic, its rank or the raw number.
    const auto want = [](const CStat& s, int16_t kind, CellMode mode, int32_t p, int16_t a, int16_t d) {
        switch (mode) {
        case CellMode::Value:
            return kind < 0 ? s.Data(p, d, 1) : s.Stat(p, a, d, kind, 0);
        case CellMode::Rank:
            return kind < 0 ? d : s.Stat(p, a, d, kind, 1);
        case CellMode::Raw:
            return s.Data(p, d, 0);
        }
        return int16_t{-1};
    };
    for (int16_t view = 0; view < 8; ++view) {
        const CStat& s = View(view);
        for (int16_t kind = -1; kind <= 7; ++kind) {
            for (const CellMode mode : {CellMode::Value, CellMode::Rank, CellMode::Raw}) {
                const CNumberTable table = Table(view, kind, mode);
                for (int row = 2; row < table.Rows(); ++row) {
                    const int32_t p = table.RecordOfRow(row);
                    for (const NumberBlock& block : table.Layout().Blocks) {
                        for (int16_t d = 0; d < block.Digits; ++d) {
                            ASSERT_EQ(table.Text(row, block.Start + d),
                                      QString::number(want(s, kind, mode, p, block.Area, d)))
                                << "view " << view << " kind " << kind << " mode " << int(mode) << " record "
                                << p << " area " << block.Area << " digit " << d;
                        }
                    }
                }
            }
        }
    }
    // The transformed views really differ: view 3's raw numbers of one
    // column change from period to period.
    const CNumberTable raw = Table(3, -1, CellMode::Raw);
    QStringList column;
    for (int row = 2; row < raw.Rows(); ++row)
        column << raw.Text(row, 1 + 4);
    column.removeDuplicates();
    EXPECT_GT(column.size(), 1);
}

TEST_F(NumberTableTest, TheViewsNumbersStandOutAndTheNextIssueShowsTheMarkedRawNumbers)
{
    // Marked: raw 2 in the tens, raw 7 in area 0.
    const auto marked = [](int16_t area, int16_t value) {
        return (area == 2 && value == 2) || (area == 0 && value == 7);
    };
    for (int16_t view = 0; view < 8; ++view) {
        SCOPED_TRACE(view);
        const CStat& s = View(view);
        const CNumberTable table = Table(view, 5, CellMode::Rank, marked);
        const int32_t last = s.BallCount() - 1;
        for (int row = 2; row < table.Rows(); ++row) {
            const int32_t p = table.RecordOfRow(row);
            for (const NumberBlock& block : table.Layout().Blocks) {
                for (int16_t d = 0; d < block.Digits; ++d) {
                    bool hit = false;
                    if (p == last) {
                        hit = marked(block.Area, s.Data(last, d, 0));
                    } else if (block.Area == 0) {
                        for (int16_t k = 1; k <= 3; ++k)
                            hit = hit || s.Num(p, k, 0) == d;
                    } else {
                        hit = s.Num(p, block.Area, 0) == d;
                    }
                    const CellPaint want = hit ? CellPaint::Hit : CellPaint::Base;
                    ASSERT_EQ(table.Paint(row, block.Start + d), want) << p << " " << block.Area << " " << d;
                    std::vector<CellPaint> paints;
                    table.PaintRow(row, paints);
                    ASSERT_EQ(paints[static_cast<size_t>(block.Start + d)], want)
                        << p << " " << block.Area << " " << d;
                }
                if (block.SeparatorAfter) {
                    EXPECT_EQ(table.Paint(row, block.SeparatorCol()), CellPaint::Separator);
                }
            }
        }
        // The marked tens value 2 stands where the view ranks it.
        const int next = table.RowOfRecord(last);
        EXPECT_EQ(table.Paint(next, DigitColumn(table.Layout(), 2, s.Data(last, 2, 2))), CellPaint::Hit);
    }
}

TEST(NumberCellStyle, EachPaintHasItsColours)
{
    NumberTablePalette palette;
    palette.Row[0] = 1;
    palette.Row[1] = 2;
    palette.Main = 3;
    palette.Secondary = 4;
    struct Case {
        CellPaint Paint;
        int Row;
        bool RowColours;
        std::optional<ViewCellStyle> Want;
    };
    const Case cases[] = {
        {CellPaint::Base, 3, true, ViewCellStyle{2, kViewGrey}},
        {CellPaint::Base, 4, true, ViewCellStyle{1, kViewGrey}},
        {CellPaint::Base, 3, false, ViewCellStyle{1, kViewGrey}},
        {CellPaint::Hit, 3, true, ViewCellStyle{3, kViewBlack}},
        {CellPaint::HitMr, 4, false, ViewCellStyle{4, kViewBlack}},
        {CellPaint::Separator, 3, true, std::nullopt},
        {CellPaint::None, 3, true, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberCellStyle(palette, c.Paint, c.Row, c.RowColours), c.Want)
            << static_cast<int>(c.Paint) << " row " << c.Row << " " << c.RowColours;
    }
}

} // namespace
} // namespace kelton
