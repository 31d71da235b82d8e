#include "analysis/infer_layout.h"

#include <gtest/gtest.h>

#include "analysis/infer_frame.h"
#include "analysis/infer_views.h"
#include "platform/twips.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

AreaNames Names()
{
    return AreaNames{u"蓝球"_s};
}

struct BlockWant {
    int16_t Area;
    int16_t Start;
    bool Separator;
    const char16_t* Caption;
};

struct GridCase {
    const char* Name;
    GameSizes Sizes;
    int16_t Choice;
    int16_t Cols;
    std::vector<BlockWant> Blocks;
};

// Three digits 0..9; with two secondary numbers 0..12.
const GameSizes kPlain{9, 3, 0, 0};
const GameSizes kTwoMr{9, 3, 12, 2};

class NumberGridCases : public testing::TestWithParam<GridCase> {};

TEST_P(NumberGridCases, BlocksStartsSeparatorsAndCaptions)
{
    const GridCase& c = GetParam();
    const NumberGridLayout layout = NumberGrid(c.Sizes, c.Choice, Names());
    EXPECT_EQ(layout.Cols, c.Cols);
    ASSERT_EQ(layout.Blocks.size(), c.Blocks.size());
    for (size_t i = 0; i < c.Blocks.size(); ++i) {
        const NumberBlock& b = layout.Blocks[i];
        EXPECT_EQ(b.Area, c.Blocks[i].Area) << i;
        EXPECT_EQ(b.Start, c.Blocks[i].Start) << i;
        EXPECT_EQ(b.SeparatorAfter, c.Blocks[i].Separator) << i;
        EXPECT_EQ(b.Caption, QString::fromUtf16(c.Blocks[i].Caption)) << i;
    }

    // Every digit column maps to its area and digit and back; separators
    // hold no digit; column widths add up to the blocks.
    for (const NumberBlock& b : layout.Blocks) {
        for (int16_t d = 0; d < b.Digits; ++d) {
            const int col = DigitColumn(layout, b.Area, d);
            ASSERT_EQ(col, b.Start + d);
            const auto at = ColumnAt(layout, col);
            ASSERT_TRUE(at);
            EXPECT_EQ(at->Area, b.Area);
            EXPECT_EQ(at->Digit, d);
            EXPECT_EQ(ColumnTwips(layout, col), 270);
        }
        EXPECT_EQ(DigitColumn(layout, b.Area, b.Digits), -1);
        if (b.SeparatorAfter) {
            const auto sep = ColumnAt(layout, b.SeparatorCol());
            ASSERT_TRUE(sep);
            EXPECT_EQ(sep->Digit, -1);
            EXPECT_EQ(ColumnTwips(layout, b.SeparatorCol()), 30);
        }
    }
    EXPECT_FALSE(ColumnAt(layout, 0));
    EXPECT_FALSE(ColumnAt(layout, layout.Cols));
    EXPECT_EQ(ColumnTwips(layout, 0), 1000);
}

INSTANTIATE_TEST_SUITE_P(
    AreaChoices, NumberGridCases,
    testing::Values(
        GridCase{"AllPlain", kPlain, 0, 44,
                 {{0, 1, true, u"0至9号码"}, {3, 12, true, u"百位号码"}, {2, 23, true, u"十位号码"},
                  {1, 34, false, u"个位号码"}}},
        GridCase{"AreaZeroPlain", kPlain, 1, 11, {{0, 1, false, u"0至9号码"}}},
        GridCase{"PositionsPlain", kPlain, 2, 33,
                 {{3, 1, true, u"百位号码"}, {2, 12, true, u"十位号码"}, {1, 23, false, u"个位号码"}}},
        GridCase{"HundredsPlain", kPlain, 3, 11, {{3, 1, false, u"百位号码"}}},
        GridCase{"UnitsPlain", kPlain, 5, 11, {{1, 1, false, u"个位号码"}}},
        GridCase{"NoSuchChoicePlain", kPlain, 6, 1, {}},
        // (L + 2)(B + 1) + (M + 2)R = 44 + 30
        GridCase{"AllTwoMr", kTwoMr, 0, 72,
                 {{0, 1, true, u"0至9号码"}, {3, 12, true, u"百位号码"}, {2, 23, true, u"十位号码"},
                  {1, 34, true, u"个位号码"}, {4, 45, true, u"蓝球1"}, {5, 59, false, u"蓝球2"}}},
        GridCase{"AreaZeroTwoMr", kTwoMr, 1, 11, {{0, 1, false, u"0至9号码"}}},
        GridCase{"PositionsTwoMr", kTwoMr, 2, 61,
                 {{3, 1, true, u"百位号码"}, {2, 12, true, u"十位号码"}, {1, 23, true, u"个位号码"},
                  {4, 34, true, u"蓝球1"}, {5, 48, false, u"蓝球2"}}},
        GridCase{"TensTwoMr", kTwoMr, 4, 11, {{2, 1, false, u"十位号码"}}},
        GridCase{"FirstMrAlone", kTwoMr, 6, 14, {{4, 1, false, u"蓝球1"}}},
        GridCase{"SecondMrAlone", kTwoMr, 7, 14, {{5, 1, false, u"蓝球2"}}}),
    [](const testing::TestParamInfo<GridCase>& info) { return std::string(info.param.Name); });

TEST(InferLayout, OneSecondaryNumberIsCaptionedByTheAreaAlone)
{
    const GameSizes g{9, 3, 15, 1};
    const NumberGridLayout layout = NumberGrid(g, 0, Names());
    EXPECT_EQ(layout.Blocks.back().Caption, u"蓝球"_s);
    EXPECT_EQ(RunTimeOptionCaption(46, g, Names()), u"蓝球号码1"_s);
    EXPECT_EQ(SubareaItems(g, Names()),
              (QStringList{u"全部号码"_s, u"0至9分布"_s, u"全部位码"_s, u"百位号码"_s, u"十位号码"_s, u"个位号码"_s,
                           u"蓝球"_s}));
    EXPECT_EQ(Subarea2Items(kTwoMr, Names()),
              (QStringList{u"全部号码"_s, u"百位号码"_s, u"十位号码"_s, u"个位号码"_s, u"蓝球1"_s, u"蓝球2"_s}));
}

TEST(InferLayout, RowOrderFollowsListAsc)
{
    // Five periods: oldest first from row 2, or newest in row 2.
    EXPECT_EQ(PeriodRow(0, 5, false), 2);
    EXPECT_EQ(PeriodRow(4, 5, false), 6);
    EXPECT_EQ(PeriodRow(0, 5, true), 6);
    EXPECT_EQ(PeriodRow(4, 5, true), 2);
    // Scrolled to the end when the rows do not fit, to row 2 otherwise; an
    // empty table is left alone.
    EXPECT_EQ(BuildTopRow(false, 100, 20), 99);
    EXPECT_EQ(BuildTopRow(false, 10, 20), 2);
    EXPECT_EQ(BuildTopRow(true, 100, 20), 2);
    EXPECT_EQ(BuildTopRow(true, 2, 20), -1);
    EXPECT_EQ(BuildTopRow(false, 2, 20), -1);
}

TEST(InferLayout, PeriodDefaultsAndRange)
{
    // 500 draws and "下期": the last 40 items.
    const PeriodChoice c = DefaultPeriods(501, 40);
    EXPECT_EQ(c.Start, 461);
    EXPECT_EQ(c.End, 500);
    EXPECT_EQ(c.Index, 500);
    EXPECT_EQ(DefaultPeriods(30, 40).Start, 0);
    EXPECT_EQ(DefaultPeriods(1, 40).Start, 0);
    // A course of nothing stays inside the list.
    EXPECT_EQ(DefaultPeriods(501, 0).Start, 500);
    EXPECT_EQ(DefaultPeriods(501, -3).Start, 500);

    EXPECT_EQ(StoreRange(461, 500, 500).RangeCount, 40);
    EXPECT_EQ(StoreRange(7, 7, 0).RangeCount, 1);
    EXPECT_EQ(StoreRange(8, 7, 0).RangeCount, 0);
    EXPECT_EQ(StoreRange(-1, -1, -1).StatPeriod, -1);
}

TEST(InferLayout, BcTaxisHoldsItsDefaultInsideTheList)
{
    EXPECT_EQ(BcTaxisItems(kPlain), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(BcTaxisDefault(kPlain), 3);
    // Five positions over 0..5: items 0..2, the last selected.
    EXPECT_EQ(BcTaxisDefault(GameSizes{5, 5, 0, 0}), 2);
}

TEST(InferViews, FindViewByCaption)
{
    ViewCaptions c;
    c.ListAll = u"历史分布图"_s;
    for (int16_t k = 0; k < 8; ++k) {
        c.List[static_cast<size_t>(k)] = OptListCaption(k, 10);
        c.Stat[static_cast<size_t>(k)] = OptStatCaption(k, 10);
    }
    c.StatAll = u"综合排行"_s;
    c.All = u"综合"_s;
    c.Filter = {u"AC值"_s, u"和值"_s};
    c.Cycle = u"循环分布数据"_s;
    c.Gather = {u"组选号码生克"_s, u"百位与十位生克"_s, u"十位与个位生克"_s, u"个位与百位生克"_s};
    c.FilterMiss = {u"遗漏值"_s, u"最大遗漏"_s, u"平均遗漏"_s, u"出现概率"_s};
    c.FilterMiss2 = {u"遗漏组值"_s, u"最大遗漏组"_s, u"平均遗漏组值"_s, u"出现概率组值"_s, u"次数统计组值"_s};

    EXPECT_EQ(FindView(c, u"10期出数分布"_s).Id, (ViewId{ViewFamily::List, 4}));
    EXPECT_EQ(FindView(c, u""_s).Id, (ViewId{ViewFamily::List, 4}));
    EXPECT_EQ(FindView(c, u"期出数分布"_s).Id, (ViewId{ViewFamily::List, 4}));
    const ViewOption unknown = FindView(c, u"没有这个"_s);
    EXPECT_EQ(unknown.Id, (ViewId{ViewFamily::ListAll, 0}));
    EXPECT_EQ(unknown.Tab, 1);
    EXPECT_EQ(FindView(c, u"和值"_s).Id, (ViewId{ViewFamily::Filter, 1}));
    EXPECT_EQ(FindView(c, u"和值"_s).Tab, 2);
    EXPECT_EQ(FindView(c, u"综合"_s).Id, (ViewId{ViewFamily::All, 0}));
    // Of two equal captions the earlier in the order wins.
    c.Filter[1] = u"综合排行"_s;
    EXPECT_EQ(FindView(c, u"综合排行"_s).Id, (ViewId{ViewFamily::Filter, 1}));
}

TEST(InferViews, TopBarKindZeroAfterKindFive)
{
    const TopBarPlan five = PlanTopBar(5, TopBarDesign());
    EXPECT_EQ(five.ColorCaption, u"突出循环码"_s);
    EXPECT_EQ(five.Geometry[size_t(TopCtl::chkPTColor)].width(), 2000);
    const TopBarPlan zero = PlanTopBar(0, five.Geometry);
    EXPECT_EQ(zero.ColorCaption, u"行颜色"_s);
    const QRect color = zero.Geometry[size_t(TopCtl::chkPTColor)];
    EXPECT_EQ(color.width(), 1000);
    EXPECT_EQ(color.left(), 10280);
    EXPECT_EQ(zero.Geometry[size_t(TopCtl::chkPTShowHit)].left(), 8480);
    EXPECT_EQ(zero.Geometry[size_t(TopCtl::cboPTSubarea)].left(), 11290);
    EXPECT_TRUE(zero.Shown[size_t(TopCtl::cboPTSubarea)]);
    EXPECT_FALSE(zero.Shown[size_t(TopCtl::lblPT4)]);

    // Kinds 1 and 3 from the design places.
    const TopBarPlan one = PlanTopBar(1, TopBarDesign());
    EXPECT_TRUE(one.ColorCaption.isEmpty());
    EXPECT_EQ(one.Geometry[size_t(TopCtl::chkPTSort)].left(), 2655);
    EXPECT_EQ(one.Geometry[size_t(TopCtl::cboPTSubarea2)].left(), 4260);
    const TopBarPlan three = PlanTopBar(3, TopBarDesign());
    EXPECT_EQ(three.Geometry[size_t(TopCtl::chkPTSort)].left(), 4590);
    EXPECT_EQ(three.Geometry[size_t(TopCtl::chkPTColor)].left(), 4590);
    EXPECT_EQ(PlanTopBar(2, TopBarDesign()).Geometry[size_t(TopCtl::cboPTSubarea)].left(), 7120);
    EXPECT_TRUE(PlanTopBar(4, TopBarDesign()).ShowChart);
    for (int kind = -1; kind <= 9; ++kind)
        EXPECT_FALSE(PlanTopBar(kind, TopBarDesign()).Shown[size_t(TopCtl::lblPT4)]) << kind;
}

TEST(InferViews, TopBarControlsKeepClearOfEachOtherAndOfTheLabelWords)
{
    // The words after the lists stand just right of them; a following
    // control leaves room for one word (330 twips).
    const TopBarLabelMarks marks = TopBarMarks();
    const TopBarGeometry design = TopBarDesign();
    const auto right = [&](TopCtl c) { return design[size_t(c)].left() + design[size_t(c)].width(); };
    EXPECT_EQ(marks.RangeTo, right(TopCtl::cboPTStart) + 30);
    EXPECT_EQ(marks.RangeEnd, right(TopCtl::cboPTEnd) + 30);
    EXPECT_EQ(marks.PeriodEnd, right(TopCtl::cboPTIndex) + 30);
    EXPECT_EQ(marks.PlacesEnd, 1365);
    EXPECT_LE(marks.RangeTo + 330, design[size_t(TopCtl::cboPTEnd)].left());
    EXPECT_LE(marks.RangeEnd + 330, design[size_t(TopCtl::LblPT1)].width());

    struct Word {
        TopCtl Label;
        int At;
    };
    const Word words[] = {{TopCtl::LblPT1, marks.RangeTo}, {TopCtl::LblPT1, marks.RangeEnd},
                          {TopCtl::LblPT2, marks.PeriodEnd}, {TopCtl::LblPT3, marks.PlacesEnd}};
    const auto isLabel = [](TopCtl c) {
        return c == TopCtl::LblPT1 || c == TopCtl::LblPT2 || c == TopCtl::LblPT3 || c == TopCtl::lblPT4;
    };
    const auto overlap = [](int a0, int a1, int b0, int b1) { return a0 < b1 && b0 < a1; };
    for (int kind = 0; kind <= 8; ++kind) {
        const TopBarPlan plan = PlanTopBar(kind, TopBarDesign());
        for (int c = 0; c < kTopCtlCount; ++c) {
            if (plan.Shown[size_t(c)]) {
                EXPECT_LE(plan.Geometry[size_t(c)].left() + plan.Geometry[size_t(c)].width(), TopBarExtent()) << kind;
            }
        }
        for (int a = 0; a < kTopCtlCount; ++a) {
            const auto ca = static_cast<TopCtl>(a);
            if (!plan.Shown[size_t(a)] || isLabel(ca))
                continue;
            const QRect ra = plan.Geometry[size_t(a)];
            for (const Word& w : words) {
                if (!plan.Shown[size_t(w.Label)])
                    continue;
                const int at = design[size_t(w.Label)].left() + w.At;
                EXPECT_FALSE(overlap(ra.left(), ra.left() + ra.width(), at, at + 330)) << kind << " " << a;
            }
            for (int b = a + 1; b < kTopCtlCount; ++b) {
                const auto cb = static_cast<TopCtl>(b);
                if (!plan.Shown[size_t(b)] || isLabel(cb))
                    continue;
                if (kind == 3 && ca == TopCtl::chkPTColor && cb == TopCtl::chkPTSort)
                    continue; // one place, the relation view shows one of the two
                const QRect rb = plan.Geometry[size_t(b)];
                EXPECT_FALSE(overlap(ra.left(), ra.left() + ra.width(), rb.left(), rb.left() + rb.width()))
                    << kind << " " << a << " " << b;
            }
        }
    }
}

TEST(InferFrame, PageSizingAndScrollBar)
{
    // Holder V = W - 190 for a window of width W.
    FrameInput in;
    in.H = 8000;
    in.Key = u"Sort"_s;
    in.W = 9240 + 190;
    FrameLayout out = LayoutFrame(in);
    EXPECT_EQ(out.Holder.width(), 9240);
    EXPECT_EQ(out.PageWidth, 9000);
    EXPECT_FALSE(out.BarVisible);
    in.W = 8000 + 190;
    out = LayoutFrame(in);
    EXPECT_TRUE(out.BarVisible);
    EXPECT_EQ(out.BarMax, 880);
    EXPECT_EQ(out.BarSmallChange, 89);
    in.W = 10000 + 190;
    out = LayoutFrame(in);
    EXPECT_EQ(out.PageWidth, 9760);
    EXPECT_EQ(out.PageLeft, 120);

    in.Key = u"Data"_s;
    in.W = 8000 + 190;
    out = LayoutFrame(in);
    EXPECT_EQ(out.PageWidth, 7260);
    EXPECT_EQ(out.BarMax, 760);
    EXPECT_EQ(out.BarSmallChange, 77);

    EXPECT_EQ(PosPageWidth(3), 5700);
    in.Key = u"Character"_s;
    in.W = 7440 + 190;
    out = LayoutFrame(in);
    // The character page keeps its six columns clear of each other and
    // scrolls instead; the relation page keeps its list whole.
    EXPECT_EQ(out.PageWidth, kCharacterPageMin);
    EXPECT_TRUE(out.BarVisible);
    EXPECT_EQ(out.BarMax, kCharacterPageMin - (7440 - 1500));
    // The bar stands below the options' last row and inside the window.
    EXPECT_GE(out.BarTop, out.Holder.top() + 840 + kOptionHeight);
    EXPECT_LE(out.BarTop + 255, in.H - kDialogFrame.Height);
    EXPECT_EQ(CharacterPage(kCharacterPageMin)[4].x() - CharacterPage(kCharacterPageMin)[1].x(), 1215 + 105);
    in.Key = u"Relate"_s;
    out = LayoutFrame(in);
    EXPECT_EQ(out.PageWidth, kRelatePageMin);
    EXPECT_FALSE(out.BarVisible);
    in.Key = u"Pos"_s;
    out = LayoutFrame(in);
    EXPECT_EQ(out.PageWidth, 3960);
    in.Key = u"Character"_s;

    // A low window: no view area, the tabs 60 below its top.
    in.H = kTopBarHeight + kTabOpenHeight + 580;
    out = LayoutFrame(in);
    EXPECT_EQ(out.View.height(), 0);
    EXPECT_EQ(out.Tabs.top(), 360 + 60);
    // Four numbers: four columns on the position page.
    const std::vector<QPoint> pos = PosPage(4240, 4);
    ASSERT_EQ(pos.size(), 10u);
    EXPECT_EQ(pos[9].x(), 120 + 1000 * 3);
}

} // namespace
} // namespace kelton
