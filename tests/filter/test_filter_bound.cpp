#include "filter/filter_bound.h"

#include <memory>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "support/small_game.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class FilterBound : public test::ProgramFolderTest {
protected:
    void Open(const std::vector<const char*>& draws)
    {
        m_game = test::SmallGame(Path(u"game"_s), draws);
    }
    CStat& View(int16_t v) const { return *m_game->StatView(v); }
    std::unique_ptr<CLottorData> m_game;
};

TEST(FilterBoundRules, TheSliderSpansTheLastNIssuesUpToTheEnd)
{
    struct Case {
        int32_t End, N, Count, Start;
    } const cases[] = {
        {99, 20, 100, 80}, {99, 1, 100, 99}, {10, 20, 100, 0}, // fewer issues: the first
        {99, 0, 100, -1},                                      // past the last item
        {50, 0, 100, 51},                                      // the issue after the end
        {-1, 20, 0, -1},                                       // an empty list
    };
    for (const Case& c : cases)
        EXPECT_EQ(SliderStartIndex(c.End, c.N, c.Count), c.Start) << c.End << " " << c.N;
}

TEST(FilterBoundRules, TextsAndLayout)
{
    EXPECT_EQ(ExtremesSetMessage(u"原始数据"_s, u"2024001"_s, u"2024003"_s),
              u"已经把<原始数据>的过滤值设置为第2024001期到第2024003期间的极值。"_s);
    EXPECT_EQ(OutOfRangeTitle(u"福彩3D"_s),
              u"福彩3D过滤容错设置走势图：0表示当期数据包含在过滤设置范围内，大于0表示超过范围的个数。"_s);
    const FilterBoundLayout wide = LayOutFilterBound(10215, 10095, 6000, 1815);
    EXPECT_EQ(wide.TabTop, 4185);
    EXPECT_EQ(wide.FrameTop, 4505);
    EXPECT_EQ(wide.TabWidth, 10095); // the inside, not the outer width
    EXPECT_EQ(wide.FrameWidth, 9895);
    EXPECT_EQ(wide.ChartHeight, 4185);
    EXPECT_EQ(wide.ChartWidth, 10095);
    const FilterBoundLayout small = LayOutFilterBound(150, 100, 1000, 1815);
    EXPECT_EQ(small.TabTop, 0);
    EXPECT_EQ(small.FrameWidth, 0);
}

TEST_F(FilterBound, SettingGivesEveryConditionItsRangeAndLeavesTheTolerances)
{
    Open({"123", "456", "581", "000"});
    CStat& view = View(0);
    view.SetShrinkErr(1, 1);
    view.SetShrinkSel(46, 1);
    view.SetShrinkVal(46, StrToRange(u"2", 0, 45));
    ASSERT_TRUE(SetConditionsToExtremes(view, 3, 0, 2));
    EXPECT_EQ(RangeToStr(view.ShrinkVal(1)), u"6-15"_s); // sums 6, 15, 14
    EXPECT_EQ(RangeToStr(view.ShrinkVal(45)), u"1-5"_s); // hundreds 1, 4, 5
    for (int16_t k = 0; k <= 45; ++k)
        ASSERT_EQ(view.ShrinkSel(k), 1) << k;
    EXPECT_EQ(view.ShrinkErr(1), 1);
    EXPECT_EQ(RangeToStr(view.ShrinkVal(46)), u"2"_s);
    // A start after the end: the end issue alone.
    ASSERT_TRUE(SetConditionsToExtremes(view, 3, 3, 1));
    EXPECT_EQ(RangeToStr(view.ShrinkVal(1)), u"15"_s);
    EXPECT_EQ(View(1).ShrinkSel(1), 0);
}

TEST_F(FilterBound, SettingWithoutDrawsIsRefused)
{
    Open({});
    CStat& view = View(0);
    ASSERT_TRUE(view.IsOpen());
    ASSERT_FALSE(SetConditionsToExtremes(view, 3, 0, 0));
    for (int16_t k = 0; k <= 45; ++k)
        ASSERT_EQ(view.ShrinkSel(k), 0) << k;
    EXPECT_EQ(OutOfRangeChart(*m_game, std::vector<const CStat*>{&view}, 20).PointCount(), 0);
}

TEST_F(FilterBound, OutOfRangeCountsUseTheExtremesOfTheIssuesBefore)
{
    Open({"123", "123", "124", "999"});
    const CStat& view = View(0);
    // The first issue is its own window.
    EXPECT_EQ(OutOfRangeCount(view, 3, 0, 20), 0);
    // With N = 1 a count is the number of conditions whose value changed
    // to outside the single previous value.
    int16_t changed = 0;
    for (int16_t k = 0; k <= 45; ++k) {
        const int16_t now = k <= 42 ? view.Filter(3, k) : view.Num(3, static_cast<int16_t>(k - 42), 0);
        const int16_t before = k <= 42 ? view.Filter(2, k) : view.Num(2, static_cast<int16_t>(k - 42), 0);
        changed = static_cast<int16_t>(changed + (now != before ? 1 : 0));
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(OutOfRangeCount(view, 3, 3, 1), changed);

    // The chart: every issue of a short history, oldest first; all views add up.
    const std::vector<const CStat*> one{&view};
    const ChartData chart = OutOfRangeChart(*m_game, one, 1);
    ASSERT_EQ(chart.PointCount(), 4);
    EXPECT_EQ(chart.At(0, 0).toString(), u" "_s);
    EXPECT_EQ(chart.At(0, 1).toString(), u"错误数"_s);
    EXPECT_EQ(chart.At(1, 0).toString(), u"2024001"_s);
    EXPECT_EQ(chart.At(1, 1).toInt(), 0);
    EXPECT_EQ(chart.At(4, 0).toString(), u"2024004"_s);
    EXPECT_EQ(chart.At(4, 1).toInt(), changed);
    std::vector<const CStat*> all;
    int16_t sum = 0;
    for (int16_t v = 0; v < AppState::InferCount; ++v) {
        all.push_back(&View(v));
        sum = static_cast<int16_t>(sum + OutOfRangeCount(View(v), 3, 3, 1));
    }
    EXPECT_EQ(OutOfRangeChart(*m_game, all, 1).At(4, 1).toInt(), sum);
}

TEST_F(FilterBound, ALongHistoryChartsItsLastHundredIssues)
{
    std::vector<const char*> draws(130, "123");
    Open(draws);
    const std::vector<const CStat*> one{&View(0)};
    const ChartData chart = OutOfRangeChart(*m_game, one, 20);
    ASSERT_EQ(chart.PointCount(), 100);
    EXPECT_EQ(chart.At(1, 0).toString(), QString::number(2024001 + 30));
    EXPECT_EQ(chart.At(100, 0).toString(), QString::number(2024001 + 129));
}

} // namespace
} // namespace kelton
