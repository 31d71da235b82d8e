#include "chart/chart_model.h"

#include <cmath>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "chart/series_table.h"
#include "support/test_support.h"

namespace kelton {
namespace {


std::vector<QVariant> Values(std::initializer_list<double> values)
{
    std::vector<QVariant> out;
    for (double v : values)
        out.emplace_back(v);
    return out;
}

ChartGeometry Geometry(int available, int height = 318)
{
    ChartGeometry g;
    g.Width = available + ChartGeometry::kBarWidth;
    g.Height = height;
    return g;
}

ChartOptions Kind(int16_t kind)
{
    ChartOptions o;
    o.Kind = kind;
    return o;
}

// Counts or values as drawn, -1 where nothing is drawn.
std::vector<double> Drawn(const ChartCache& cache, int series = 1)
{
    std::vector<double> out;
    for (int c = 1; c <= cache.Categories(); ++c) {
        const double v = cache.Value(c, series);
        out.push_back(std::isnan(v) ? -1 : v);
    }
    return out;
}

TEST(ChartLayoutTest, ResizeScrollsAWideChartAndFitsANarrowOne)
{
    struct Case {
        int points;
        int available;
        bool fit;
        int chartWidth;
        int chartHeight;
        std::optional<ScrollRange> scroll;
    };
    const Case cases[] = {
        {300, 341, false, 4000, 301, ScrollRange{3659, 74, 366}},
        {5000, 341, false, 4000, 301, ScrollRange{3659, 74, 366}},
        {200, 341, false, 4000, 301, ScrollRange{3659, 74, 366}},
        {10, 341, false, 341, 318, std::nullopt},
        {300, 341, true, 341, 318, std::nullopt},
        {300, -19, false, 4000, 301, ScrollRange{4019, 81, 402}},
        {300, -19, true, 0, 318, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " points, " << c.available << " px, fit " << c.fit);
        const ChartLayout l = ResizeLayout(Geometry(c.available), c.fit, c.points);
        EXPECT_EQ(l.ChartWidth, c.chartWidth);
        EXPECT_EQ(l.ChartHeight, c.chartHeight);
        EXPECT_EQ(l.Scroll, c.scroll);
        EXPECT_EQ(l.KeepScrollBar, c.fit);
        EXPECT_EQ(l.TitleWidth, std::max(c.available - 20, 0));
        EXPECT_EQ(l.TitleTop, c.chartHeight - 41);
        if (!c.fit) {
            EXPECT_EQ(l.ScrollTop, 301);
            EXPECT_EQ(l.ScrollWidth, std::max(c.available, 0));
        }
    }
}

TEST(ChartLayoutTest, DrawingLaysOutByWhatItDraws)
{
    struct Case {
        int count;
        int available;
        bool fit;
        int16_t dataKind;
        int chartWidth;
        std::optional<ScrollRange> scroll;
        int labelStep;
    };
    const Case cases[] = {
        {100, 500, false, 1, 2000, ScrollRange{1500, 31, 151}, 2},
        {250, 800, false, 1, 4000, ScrollRange{3200, 65, 321}, 2},
        {250, 800, false, 0, 4000, ScrollRange{3200, 65, 321}, 1},
        {30, 800, false, 1, 800, std::nullopt, 2},
        {28, 800, true, 1, 800, std::nullopt, 2},
        {500, 800, true, 1, 800, std::nullopt, 28},
        {500, 800, true, 0, 800, std::nullopt, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " categories, " << c.available << " px");
        const ChartLayout l = DrawLayout(Geometry(c.available), c.fit, c.count, c.dataKind);
        EXPECT_EQ(l.ChartWidth, c.chartWidth);
        EXPECT_EQ(l.Scroll, c.scroll);
        EXPECT_EQ(l.LabelStep, c.labelStep);
        EXPECT_FALSE(l.KeepScrollBar);
        EXPECT_FALSE(l.TitleWidth.has_value());
    }
}

TEST(ChartLayoutTest, FitLabelStepRoundsHalvesToEven)
{
    const std::pair<int, int> cases[] = {{1, 0},   {11, 0},  {12, 1},  {20, 1},  {21, 2},   {37, 2},
                                         {38, 2},  {47, 2},  {48, 3},  {500, 28}, {1000, 55}};
    for (const auto& [count, step] : cases)
        EXPECT_EQ(FitLabelStep(1, static_cast<int16_t>(count)), step) << count;
    EXPECT_EQ(FitLabelStep(0, 500), 1);
}

TEST(ChartModelTest, StatDataNormalisesItsArguments)
{
    struct Case {
        const char* name;
        int16_t dataKind, showKind, all, labelLen;
        int16_t wantShowKind;
        std::optional<int16_t> wantSelect;
        std::optional<bool> wantAll;
        int16_t wantDataKind;
        int16_t wantLabelLen;
    };
    // Each call follows one that set data kind 1.
    const Case cases[] = {
        {"defaults", -1, -1, -1, 5, -1, std::nullopt, std::nullopt, 1, 5},
        {"unknown data kind", 5, -1, -1, 5, -1, std::nullopt, std::nullopt, 1, 5},
        {"data kind 0", 0, -1, -1, 5, -1, std::nullopt, std::nullopt, 0, 5},
        {"bars", 1, 1, 1, 12, 1, int16_t{1}, true, 1, 12},
        {"kind too large", 1, 7, 2, 0, 0, int16_t{0}, false, 1, 5},
        {"kind negative", 1, -3, 0, -4, 0, int16_t{0}, false, 1, 5},
        {"no such chart", 1, 2, -1, 3, -1, std::nullopt, std::nullopt, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartModel model;
        model.StatData(test::SeriesTable(Values({1, 2})), 1);
        const ChartAccept a =
            model.StatData(test::SeriesTable(Values({1, 2, 3})), c.dataKind, c.showKind, QStringLiteral("和值"), c.all, 255,
                           c.labelLen);
        EXPECT_TRUE(a.Accepted);
        EXPECT_EQ(a.ShowKind, c.wantShowKind);
        EXPECT_EQ(a.Select, c.wantSelect);
        EXPECT_EQ(a.All, c.wantAll);
        EXPECT_EQ(model.DataKind(), c.wantDataKind);
        EXPECT_EQ(model.LabelLen(), c.wantLabelLen);
        EXPECT_EQ(model.PointCount(), 3);
    }
}

TEST(ChartModelTest, TheDataAloneResetsTitleColourAndLabelLength)
{
    ChartModel model;
    model.StatData(test::SeriesTable(Values({1, 2})), 1, 1, QStringLiteral("和值"), 2, 0x00FF00, 3);
    model.StatData(test::SeriesTable(Values({4})));
    EXPECT_EQ(model.DataKind(), 1);
    EXPECT_EQ(model.ChartTitle(), QString());
    EXPECT_EQ(model.ChartColor(), 255);
    EXPECT_EQ(model.LabelLen(), 5);
}

TEST(ChartModelTest, ATableWithoutPointsOrSeriesChangesNothing)
{
    ChartModel model;
    model.StatData(test::SeriesTable(Values({1, 2})), 1, 0, QStringLiteral("和值"));
    ASSERT_TRUE(model.DrawTrend(Kind(0), Geometry(400)).Drawn);
    for (const ChartData& bad : {ChartData(), ChartData(0, 3), ChartData(3, 0)}) {
        const ChartAccept a = model.StatData(bad, 0, 1, QStringLiteral("新"));
        EXPECT_FALSE(a.Accepted);
        EXPECT_FALSE(a.Select.has_value());
        EXPECT_EQ(model.PointCount(), 2);
        EXPECT_EQ(model.ChartTitle(), QStringLiteral("和值"));
        EXPECT_EQ(model.DataKind(), 1);
        EXPECT_FALSE(model.TrendCache().Empty());
    }
}

TEST(ChartModelTest, NothingIsDrawnBeforeTheFirstData)
{
    ChartModel model;
    EXPECT_FALSE(model.Draw(Kind(0), Geometry(400)).Drawn);
    EXPECT_FALSE(model.Draw(Kind(1), Geometry(400)).Drawn);
}

TEST(ChartModelTest, ValueScalesOfBothCharts)
{
    struct Case {
        const char* name;
        int16_t chart;
        int16_t dataKind;
        std::vector<QVariant> values;
        ValueScale want;
    };
    const Case cases[] = {
        {"line 0..9", 0, 1, Values({0, 9, 4}), {-1, 10, 11}},
        {"line 3..20", 0, 1, Values({3, 20}), {2, 22, 10}},
        {"line 0..14", 0, 1, Values({14, 0}), {-1, 17, 9}},
        {"line, one point", 0, 1, Values({7}), {6, 8, 2}},
        {"line, halves to even", 0, 1, Values({2.5, 5.5}), {1, 7, 6}},
        {"line, first value text", 0, 1, {QStringLiteral("x"), 5, 9, 7}, {-1, 10, 11}},
        {"line, empty cell counts 0", 0, 1, {5, QVariant(), 9}, {-1, 10, 11}},
        {"line, text that reads as a number", 0, 1, {QStringLiteral("12"), 5}, {4, 13, 9}},
        {"bars of values 10, 12, 8", 1, 0, Values({10, 12, 8}), {7, 13, 6}},
        {"bars of values -5..40", 1, 0, Values({-5, 40, 3}), {-5, 43, 12}},
        {"bars of values -3, 4", 1, 0, Values({-3, 4}), {-3, 5, 8}},
        {"counts of 3, 5, 5, 7", 1, 1, Values({3, 5, 5, 7}), {0, 3, 3}},
        {"counts of twenty 5s", 1, 1, std::vector<QVariant>(20, 5), {19, 21, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartModel model;
        model.StatData(test::SeriesTable(c.values), c.dataKind, c.chart);
        const ChartDrawing d = model.Draw(Kind(c.chart), Geometry(400));
        ASSERT_TRUE(d.Drawn);
        EXPECT_EQ(d.Picture.Scale, c.want);
    }
}

TEST(ChartModelTest, CountsEveryValueFromTheSmallestToTheLargest)
{
    struct Case {
        const char* name;
        std::vector<QVariant> values;
        QStringList labels;
        std::vector<double> counts; // -1: no bar
        int16_t most, least;
    };
    const Case cases[] = {
        {"gaps", Values({3, 5, 5, 7}), {" 3 ", " 4 ", " 5 ", " 6 ", " 7 "}, {1, -1, 2, -1, 1}, 2, 0},
        {"negative", Values({-2, 1}), {" -2 ", " -1 ", " 0 ", " 1 "}, {1, -1, -1, 1}, 1, 0},
        {"text and empty", {4, QStringLiteral("abc"), QVariant(), 0}, {" 0 ", " 1 ", " 2 ", " 3 ", " 4 "},
         {2, -1, -1, -1, 1}, 2, 0},
        // Each value is rounded once: 3.5 and 4.4 both count as 4.
        {"fractions", Values({3.5, 5, 4.4}), {" 4 ", " 5 "}, {2, 1}, 2, 1},
        {"fraction below", Values({5, 3.5}), {" 4 ", " 5 "}, {1, 1}, 1, 1},
        {"fraction above", Values({5, 6.5, 7.5}), {" 5 ", " 6 ", " 7 ", " 8 "}, {1, 1, -1, 1}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartModel model;
        // A second series is neither counted nor drawn.
        ChartData data = test::SeriesTable(c.values, 2);
        data.Set(1, 2, 1000);
        model.StatData(data, 1, 1, QStringLiteral("和值"));
        const ChartDrawing d = model.DrawCount(Kind(1), Geometry(400));
        ASSERT_EQ(d.Picture.Kind, ChartKind::Bar);
        EXPECT_EQ(model.CountCache().Labels, c.labels);
        EXPECT_EQ(model.CountCache().Series, 1);
        EXPECT_EQ(Drawn(model.CountCache()), c.counts);
        EXPECT_EQ(model.ValueRange()[2], c.most);
        EXPECT_EQ(model.ValueRange()[3], c.least);
        EXPECT_EQ(d.Title, QStringLiteral("和值  每个值的出现次数"));
    }
}

TEST(ChartModelTest, LabelsAreCutToTheirLastCharacters)
{
    // Whole numbers of either sign and size, and repeated labels, read as
    // their decimal text does.
    const QVariant labels[] = {2007, 123, QStringLiteral("abc"), 12, QStringLiteral("第2007001期开奖"),
                               -5, 0, qlonglong{-9000000000}, 3007, 1.25, -12};
    constexpr int kPoints = static_cast<int>(std::size(labels));
    ChartData data(kPoints, 1);
    for (int p = 1; p <= kPoints; ++p) {
        data.Set(p, 0, labels[p - 1]);
        data.Set(p, 1, p);
    }
    ChartModel model;
    model.StatData(data, 0, 0, QString(), -1, 255, 3);
    model.DrawTrend(Kind(0), Geometry(400));
    EXPECT_EQ(model.TrendCache().Labels,
              QStringList({" ", " 007 ", " 123 ", " abc ", " 12 ", " 期开奖 ", " -5 ", " 0 ", " 000 ", " 007 ",
                           " .25 ", " -12 ", " "}));

    model.StatData(data, 0, 1, QString(), -1, 255, 2);
    model.DrawCount(Kind(1), Geometry(400));
    // Bar labels get the blanks only when they read as a number.
    EXPECT_EQ(model.CountCache().Labels, QStringList({" 07 ", " 23 ", "bc", " 12 ", "开奖", " -5 ", " 0 ", " 00 ",
                                                            " 07 ", " 25 ", " 12 "}));
}

TEST(ChartModelTest, TheLineChartFramesThePointsWithTwoEmptyCategories)
{
    ChartModel model;
    ChartData data = test::SeriesTable({4, QStringLiteral("缺"), QVariant(), 6}, 3);
    model.StatData(data, 1, 0, QStringLiteral("和值"));
    const ChartDrawing d = model.DrawTrend(Kind(0), Geometry(400));
    const ChartCache& cache = model.TrendCache();
    EXPECT_EQ(cache.Categories(), 6);
    EXPECT_EQ(cache.SeriesNames, QStringList({"系列1", "系列2", "系列3"}));
    EXPECT_EQ(Drawn(cache, 1), std::vector<double>({-1, 4, -1, -1, 6, -1}));
    EXPECT_EQ(d.Title, QStringLiteral("和值  走势图"));
    ASSERT_EQ(d.Picture.Styles.size(), 3u);
    EXPECT_EQ(d.Picture.Styles[0].Color, (ChartRgb{255, 0, 0}));
    EXPECT_EQ(d.Picture.Styles[2].Color, (ChartRgb{0, 0, 255}));
    EXPECT_EQ(d.Picture.Styles[1].MarkerFill, (ChartRgb{0, 50, 200}));
    EXPECT_TRUE(d.Picture.Legend);

    model.StatData(data, 0, -1, QStringLiteral("和值"));
    EXPECT_EQ(model.DrawTrend(Kind(0), Geometry(400)).Title, QStringLiteral("和值"));
}

TEST(ChartModelTest, ADrawingAfterAClickReusesTheCache)
{
    ChartModel model;
    model.StatData(test::SeriesTable(Values({1, 2, 3})), 1);
    ChartOptions o = Kind(0);
    model.Draw(o, Geometry(400));
    o.Mean = true;
    o.LineY = false;
    const ChartDrawing again = model.Draw(o, Geometry(400));
    EXPECT_TRUE(again.Picture.MeanLine);
    EXPECT_FALSE(again.Picture.GridY);
    EXPECT_EQ(model.TrendFills(), 1);

    model.Draw(Kind(1), Geometry(400));
    model.Draw(Kind(0), Geometry(400));
    model.Draw(Kind(1), Geometry(400));
    EXPECT_EQ(model.TrendFills(), 1);
    EXPECT_EQ(model.CountFills(), 1);

    model.StatData(test::SeriesTable(Values({5})));
    EXPECT_TRUE(model.TrendCache().Empty());
    EXPECT_TRUE(model.CountCache().Empty());
    model.Draw(Kind(0), Geometry(400));
    EXPECT_EQ(model.TrendFills(), 2);
}

TEST(ChartModelTest, BarsOfAFirstTextValueShowAnEmptyChartTitledForTheNewData)
{
    ChartModel model;
    model.StatData(test::SeriesTable(Values({1, 2, 2})), 1, 1, QStringLiteral("旧"));
    ASSERT_EQ(model.DrawCount(Kind(1), Geometry(400)).Picture.Kind, ChartKind::Bar);

    for (int16_t dataKind : {int16_t{1}, int16_t{0}}) {
        SCOPED_TRACE(dataKind);
        model.StatData(test::SeriesTable({QStringLiteral("无"), 3, 4}), dataKind, 1, QStringLiteral("新"));
        const ChartDrawing d = model.DrawCount(Kind(1), Geometry(400));
        EXPECT_TRUE(d.Drawn);
        EXPECT_EQ(d.Picture.Kind, ChartKind::Empty);
        EXPECT_EQ(d.Title, model.CountTitle());
        EXPECT_TRUE(d.Title.startsWith(QStringLiteral("新")));
        EXPECT_FALSE(d.Layout.Scroll.has_value());
        EXPECT_TRUE(model.CountCache().Empty());
    }
    // The line chart of the same data is drawn as usual.
    EXPECT_EQ(model.DrawTrend(Kind(0), Geometry(400)).Picture.Kind, ChartKind::Line);
}

TEST(ChartModelTest, ValuesBeyondSixteenBitsGiveAnEmptyChart)
{
    for (int16_t chart : {int16_t{0}, int16_t{1}}) {
        ChartModel model;
        model.StatData(test::SeriesTable(Values({1, 40000})), 1, chart);
        EXPECT_EQ(model.Draw(Kind(chart), Geometry(400)).Picture.Kind, ChartKind::Empty) << chart;
    }
}

TEST(ChartModelTest, BarColourComesFromTheHostOnlyForSeriesOne)
{
    ChartModel model;
    model.StatData(test::SeriesTable(Values({1, 2}), 3), 0, 1, QString(), -1, 128 * 256 + 255 * 65536);
    const ChartDrawing bars = model.DrawCount(Kind(1), Geometry(400));
    ASSERT_EQ(bars.Picture.Styles.size(), 3u);
    EXPECT_EQ(bars.Picture.Styles[0].Color, (ChartRgb{0, 128, 255}));
    EXPECT_FALSE(bars.Picture.Styles[1].Color.has_value());
    EXPECT_FALSE(bars.Picture.Legend);
    // The line chart keeps its own colours.
    EXPECT_EQ(model.DrawTrend(Kind(0), Geometry(400)).Picture.Styles[0].Color, (ChartRgb{255, 0, 0}));
}

TEST(ChartModelTest, StatisticLinesOfSeriesOneSkipGaps)
{
    ChartModel model;
    model.StatData(test::SeriesTable({1, QStringLiteral("-"), 3, 5}, 2), 1);
    ChartOptions o = Kind(0);
    o.Back = true;
    const SeriesStats s = model.DrawTrend(o, Geometry(400)).Picture.Stats;
    // Points at categories 2, 4 and 5.
    EXPECT_EQ(s.Count, 3);
    EXPECT_DOUBLE_EQ(s.Mean, 3);
    EXPECT_DOUBLE_EQ(s.StdDev, std::sqrt(8.0 / 3));
    EXPECT_NEAR(s.Slope, 9.0 / 7, 1e-12);
    EXPECT_NEAR(s.Intercept, -12.0 / 7, 1e-12);
}

} // namespace
} // namespace kelton
