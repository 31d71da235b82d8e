#include "results/print_plan.h"

#include <vector>

#include <gtest/gtest.h>

#include "core/bet_list.h"
#include "data/text_helpers.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const BetNumberFormat kThreeDigits{3, 0, 1, 1};

// n live three-digit bets: bet i reads i's last three decimal digits.
BetList LiveBets(int32_t n)
{
    std::vector<int16_t> digits;
    for (int32_t i = 0; i < n; ++i)
        digits.insert(digits.end(), {0, static_cast<int16_t>(i % 10), static_cast<int16_t>(i / 10 % 10),
                                     static_cast<int16_t>(i / 100 % 10)});
    BetList list(3);
    list.AssignBets(std::move(digits));
    return list;
}

// Removes the bets at the given list positions in one step.
void Remove(BetList& list, const std::vector<int32_t>& positions)
{
    ASSERT_EQ(list.BeginStep(), BetList::StepResult::Ok);
    for (int32_t i : positions)
        list.MarkRemoved(i);
    list.CloseStep();
}

TEST(PrintPlan, FullPageAndOneMore)
{
    const PrintPlan one = BuildPrintPlan(LiveBets(240), kThreeDigits);
    EXPECT_EQ(one.PageCount(), 1);
    EXPECT_EQ(one.PageBets(1), 240);

    const PrintPlan two = BuildPrintPlan(LiveBets(241), kThreeDigits);
    ASSERT_EQ(two.PageCount(), 2);
    EXPECT_EQ(two.PageBets(1), 240);
    EXPECT_EQ(two.PageBets(2), 1);
    // The second page's bet sits in the first row of its first pair.
    EXPECT_EQ(two.PageFirst(2), 240);
    EXPECT_EQ(two.SlotColumn(0), 0);
    EXPECT_EQ(two.SlotRow(0), 1);
    EXPECT_EQ(two.Serial(240), 241);
    // Pairs fill top to bottom, then the next pair.
    EXPECT_EQ(two.SlotColumn(39), 0);
    EXPECT_EQ(two.SlotRow(39), 40);
    EXPECT_EQ(two.SlotColumn(40), 2);
    EXPECT_EQ(two.SlotRow(40), 1);
}

TEST(PrintPlan, RemovedBetsTakeNoRowAndKeepTheSerials)
{
    // 245 bets, the first 5 removed: one full page, and the serials start at 6.
    BetList list = LiveBets(245);
    Remove(list, {0, 1, 2, 3, 4});
    const PrintPlan plan = BuildPrintPlan(list, kThreeDigits);
    ASSERT_EQ(plan.PageCount(), 1);
    EXPECT_EQ(plan.PageBets(1), 240);
    EXPECT_EQ(plan.Serial(0), 6);

    // A full page followed only by removed bets: one more page, header only.
    BetList tail = LiveBets(243);
    Remove(tail, {240, 241, 242});
    const PrintPlan withTail = BuildPrintPlan(tail, kThreeDigits);
    ASSERT_EQ(withTail.PageCount(), 2);
    EXPECT_EQ(withTail.PageBets(1), 240);
    EXPECT_EQ(withTail.PageBets(2), 0);

    // A gap in the middle keeps the bet's own serial.
    BetList gap = LiveBets(10);
    Remove(gap, {3});
    const PrintPlan gapPlan = BuildPrintPlan(gap, kThreeDigits);
    EXPECT_EQ(gapPlan.Serial(2), 3);
    EXPECT_EQ(gapPlan.Serial(3), 5);
}

TEST(PrintPlan, EmptyListAndNoLiveBets)
{
    const PrintPlan empty = BuildPrintPlan(BetList(3), kThreeDigits);
    EXPECT_EQ(empty.PageCount(), 0);
    EXPECT_EQ(PrintPageLine(0, empty.PageCount()), u"当前第0页   共0页"_s);

    BetList none = LiveBets(5);
    Remove(none, {0, 1, 2, 3, 4});
    const PrintPlan headerOnly = BuildPrintPlan(none, kThreeDigits);
    ASSERT_EQ(headerOnly.PageCount(), 1);
    EXPECT_EQ(headerOnly.PageBets(1), 0);
}

TEST(PrintPlan, PagesAfterTheFirstPassThroughTheHook)
{
    int calls = 0;
    BetList list = LiveBets(500);
    const PrintPlan plan = BuildPrintPlan(list, kThreeDigits, [&] {
        ++calls;
        list = BetList(3); // changing the list meanwhile changes nothing
    });
    EXPECT_EQ(plan.PageCount(), 3);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(plan.PageBets(3), 20);
    EXPECT_EQ(plan.NumberText(499), u"4 9 9 "_s);
}

TEST(PrintPlan, ColumnsByNumbersPerBet)
{
    struct Case {
        int32_t n, pairs, serial, number;
    } cases[] = {{1, 6, 600, 1100}, {3, 6, 600, 1100},  {4, 3, 700, 2800},  {7, 3, 700, 2800},
                 {8, 3, 700, 2800}, {12, 3, 700, 2800}, {13, 1, 700, 9800}, {20, 1, 700, 9800}};
    for (const Case& c : cases) {
        const PrintColumns cols = PrintColumnsFor(c.n);
        EXPECT_EQ(cols.Pairs, c.pairs) << c.n;
        EXPECT_EQ(cols.SerialWidth, c.serial) << c.n;
        EXPECT_EQ(cols.NumberWidth, c.number) << c.n;
        // Every pair lies inside the table.
        EXPECT_LE(cols.ColumnLeft(2 * cols.Pairs), kPrintTableWidth) << c.n;
    }
    EXPECT_EQ(PrintColumnsFor(5).BetsPerPage(), 120);
    EXPECT_EQ(PrintColumnsFor(3).ColumnLeft(3), 2300);
}

// The serial column widens to what its largest serial needs, taken from the
// number column: the pair, and so the table, keeps its width.
TEST(PrintPlan, SerialColumnFitsItsLargestSerial)
{
    struct Case {
        int32_t numbers, need, serial, number;
    } cases[] = {
        {3, 400, 600, 1100},  // four digits fit as designed
        {3, 600, 600, 1100},
        {3, 760, 760, 940},   // five digits
        {3, 2000, 1700, 0},   // never past the pair
        {7, 900, 900, 2600},
    };
    for (const Case& c : cases) {
        const PrintColumns fitted = FitPrintColumns(PrintColumnsFor(c.numbers), c.need);
        EXPECT_EQ(fitted.SerialWidth, c.serial) << c.need;
        EXPECT_EQ(fitted.NumberWidth, c.number) << c.need;
        EXPECT_EQ(fitted.PairWidth(), PrintColumnsFor(c.numbers).PairWidth()) << c.need;
        EXPECT_EQ(fitted.Pairs, PrintColumnsFor(c.numbers).Pairs) << c.need;
    }
}

TEST(PrintPlan, NumberCellReadsOnlyTheBetsOwnNumbers)
{
    const int16_t threeDigits[] = {0, 5, 3, 7};
    EXPECT_EQ(BetNumberText(threeDigits, 4, kThreeDigits), u"7 3 5 "_s);

    // Secondary numbers first, from the last; each padded to its width.
    const int16_t withSecondary[] = {0, 5, 3, 7, 4, 12};
    EXPECT_EQ(BetNumberText(withSecondary, 6, {3, 2, 2, 2}), u"12 04 07 03 05 "_s);
    // A longer number is not cut.
    const int16_t wide[] = {0, 123};
    EXPECT_EQ(BetNumberText(wide, 2, {1, 0, 2, 1}), u"123 "_s);
    // A bet holding fewer positions than the game has: only what it holds.
    EXPECT_EQ(BetNumberText(withSecondary, 4, {3, 2, 1, 2}), u"7 3 5 "_s);

    // A list narrower than the game: the plan never reads past a bet.
    BetList narrow(3);
    narrow.AssignBets({0, 1, 2, 3});
    const PrintPlan plan = BuildPrintPlan(narrow, {3, 1, 1, 2});
    EXPECT_EQ(plan.NumberText(0), u"3 2 1 "_s);
}

TEST(PrintPlan, PageSizeAndSheet)
{
    EXPECT_EQ(PageSizeFromPaper(std::nullopt).Width, 11899);
    EXPECT_EQ(PageSizeFromPaper(std::nullopt).Height, 16838);
    const PageSizeTwips upright = PageSizeFromPaper(PrinterPaper{12000, 17000, true});
    EXPECT_EQ(upright.Width, 12000);
    EXPECT_EQ(upright.Height, 17000);
    // Landscape: taken crosswise, the page's height is the paper's width.
    const PageSizeTwips cross = PageSizeFromPaper(PrinterPaper{17000, 12000, false});
    EXPECT_EQ(cross.Width, 12000);
    EXPECT_EQ(cross.Height, 17000);

    // The same sheet: as it is.
    const SheetPlacement same = PlacePageOnSheet(upright, 12000, 17000);
    EXPECT_DOUBLE_EQ(same.Scale, 1);
    EXPECT_DOUBLE_EQ(same.Left, 0);
    // A landscape sheet: the upright page shrunk to its height and centred.
    const SheetPlacement land = PlacePageOnSheet(cross, 17000, 12000);
    EXPECT_DOUBLE_EQ(land.Scale, 12000.0 / 17000);
    EXPECT_DOUBLE_EQ(land.Top, 0);
    EXPECT_DOUBLE_EQ(land.Left, (17000 - 12000 * land.Scale) / 2);
    EXPECT_LE(land.Top + (kPrintTableHeight + (17000 - kPrintTableHeight) / 2.0) * land.Scale, 12000);
}

TEST(PrintPlan, TextsAndTheirPlaces)
{
    EXPECT_EQ(PrintTitleText(u"福彩3D"_s), u"福彩3D投注打印单"_s);
    // The date as a Chinese user writes it, whatever the system's locale
    // (the tests run under the C locale, which wrote "4 Mar 2025").
    EXPECT_EQ(PrintDateText(u"彩"_s, QDate(2025, 3, 4)), u"彩  时间:2025/3/4"_s);
    EXPECT_EQ(PrintPageLine(2, 3), u"当前第2页   共3页"_s);

    const PrintPageLayout l = LayOutPrintPage(kDefaultPrintPage, {3000, 400}, {2000, 200}, {1800, 200});
    EXPECT_DOUBLE_EQ(l.Table.X, 699.5);
    EXPECT_DOUBLE_EQ(l.Table.Y, 1594);
    EXPECT_DOUBLE_EQ(l.Title.X, (11899 - 3000) / 2.0);
    EXPECT_DOUBLE_EQ(l.Title.Y, 1594 - 800);
    EXPECT_DOUBLE_EQ(l.Date.X, 699.5 + 10500 - 2000);
    EXPECT_DOUBLE_EQ(l.Date.Y, 1594 + 13650 + 200);
    EXPECT_DOUBLE_EQ(l.PageLine.X, 699.5 + 10500 - 1800);
    EXPECT_DOUBLE_EQ(l.PageLine.Y, 1594 + 13650 + 600);
}

TEST(PrintPlan, PagingWrapsRound)
{
    struct Case {
        bool next;
        int32_t current, count, page;
        bool message;
    } cases[] = {
        {true, 1, 3, 2, false}, {true, 3, 3, 1, true},   {false, 2, 3, 1, false}, {false, 1, 3, 3, true},
        {true, 1, 1, 1, false}, {false, 1, 1, 1, false}, {true, 0, 0, 0, false},  {false, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        const PageStep step = c.next ? NextPrintPage(c.current, c.count) : PrevPrintPage(c.current, c.count);
        EXPECT_EQ(step.Page, c.page) << c.next << c.current << c.count;
        EXPECT_EQ(!step.Message.isEmpty(), c.message) << c.next << c.current << c.count;
    }
    EXPECT_EQ(NextPrintPage(3, 3).Message, u"已到最后一页,跳到最前一页"_s);
    EXPECT_EQ(PrevPrintPage(1, 3).Message, u"已到最前一页,跳到最后一页"_s);
}

TEST(PrintPlan, FitFollowsThePagesShape)
{
    EXPECT_FALSE(LayOutPreview(true, kDefaultPrintPage, 0, 5000, 240, 240));
    EXPECT_FALSE(LayOutPreview(false, kDefaultPrintPage, 5000, -1, 240, 240));

    // Upright: 98% of the view's height, centred across, even when too wide.
    const auto up = LayOutPreview(true, {10000, 20000}, 4000, 10000, 240, 240);
    ASSERT_TRUE(up);
    EXPECT_FALSE(up->ScrollBars);
    EXPECT_DOUBLE_EQ(up->Frame.Height, 9800);
    EXPECT_DOUBLE_EQ(up->Scale, 0.49);
    EXPECT_DOUBLE_EQ(up->Frame.Width, 4900);
    EXPECT_DOUBLE_EQ(up->Frame.Top, 100);
    EXPECT_DOUBLE_EQ(up->Frame.Left, -450);

    // Landscape: 98% of the width, centred down.
    const auto land = LayOutPreview(true, {20000, 10000}, 10000, 8000, 240, 240);
    ASSERT_TRUE(land);
    EXPECT_DOUBLE_EQ(land->Frame.Width, 9800);
    EXPECT_DOUBLE_EQ(land->Scale, 0.49);
    EXPECT_DOUBLE_EQ(land->Frame.Left, 100);
    EXPECT_DOUBLE_EQ(land->Frame.Top, (8000 - 4900) / 2.0);
    EXPECT_DOUBLE_EQ(land->ShadowBottom.Left, 150);
    EXPECT_DOUBLE_EQ(land->ShadowRight.Left, 9900);
}

TEST(PrintPlan, ActualSizeScrolling)
{
    // A page smaller than the view: centred both ways.
    const auto small = LayOutPreview(false, {10000, 12000}, 14000, 15000, 240, 300);
    ASSERT_TRUE(small);
    EXPECT_DOUBLE_EQ(small->MarginX, 2000);
    EXPECT_EQ(small->Horizontal.Maximum, 4000);
    EXPECT_EQ(small->Horizontal.Value, 2000);
    EXPECT_DOUBLE_EQ(small->Frame.Left, 2000);
    EXPECT_DOUBLE_EQ(small->Frame.Top, 1500);
    EXPECT_EQ(small->Horizontal.SmallStep, 400);
    EXPECT_EQ(small->Horizontal.LargeStep, 800);
    EXPECT_DOUBLE_EQ(small->Horizontal.Place.Width, 13700);
    EXPECT_DOUBLE_EQ(small->Horizontal.Place.Top, 14760);
    EXPECT_DOUBLE_EQ(small->Vertical.Place.Left, 13700);
    EXPECT_DOUBLE_EQ(small->Vertical.Place.Height, 14760);

    // A page larger than the view: a tenth of the view as margin; the top
    // shows MarginY below the view's top, and scrolled down to the end the
    // bottom edge sits MarginY above the view's bottom.
    const PageSizeTwips page = kDefaultPrintPage;
    const auto large = LayOutPreview(false, page, 5000, 6000, 240, 240);
    ASSERT_TRUE(large);
    EXPECT_DOUBLE_EQ(large->MarginX, 500);
    EXPECT_DOUBLE_EQ(large->MarginY, 600);
    EXPECT_EQ(large->Vertical.Maximum, 16838 - 6000 + 1200);
    EXPECT_EQ(large->Horizontal.Maximum, 11899 - 5000 + 1000);
    EXPECT_EQ(large->Horizontal.Value, RoundHalfEven(7899 / 2.0));
    EXPECT_DOUBLE_EQ(large->Frame.Top, 600);
    const double bottomAtEnd = FrameTopForScroll(large->MarginY, large->Vertical.Maximum) + page.Height;
    EXPECT_DOUBLE_EQ(bottomAtEnd, 6000 - 600);
    EXPECT_DOUBLE_EQ(FrameLeftForScroll(large->MarginX, 0), 1000);
}

} // namespace
} // namespace kelton
