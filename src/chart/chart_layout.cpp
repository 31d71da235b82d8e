#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace kelton {

int WantedChartWidth(int count)
{
    if (count <= 0)
        return 0;
    return count >= kMaxChartWidth / kPixelsPerCategory ? kMaxChartWidth : kPixelsPerCategory * count;
}

ScrollRange ScrollNumbers(int wanted, int available)
{
    const int maximum = std::max(wanted - available, 0);
    return {maximum, maximum / 50 + 1, maximum / 10 + 1};
}

namespace {

int TitleTop(const ChartGeometry& g, int chartHeight)
{
    return chartHeight > g.TitleHeight ? chartHeight - g.TitleHeight : 0;
}

// The part both layouts share: the scroll bar's place and whether the chart
// scrolls or fits.
void ScrollOrFit(const ChartGeometry& g, int count, ChartLayout& out)
{
    const int a = g.Available();
    out.ScrollTop = g.Height > g.ScrollHeight ? g.Height - g.ScrollHeight : 0;
    out.ScrollWidth = std::max(a, 0);
    const int wanted = WantedChartWidth(count);
    if (a < wanted) {
        out.ChartWidth = wanted;
        out.ChartHeight = std::max(g.Height - g.ScrollHeight, 0);
        out.Scroll = ScrollNumbers(wanted, a);
    } else {
        out.ChartWidth = a;
        out.ChartHeight = g.Height;
    }
}

} // namespace

ChartLayout ResizeLayout(const ChartGeometry& g, bool fit, int pointCount)
{
    ChartLayout out;
    const int a = g.Available();
    if (fit) {
        out.ChartHeight = g.Height;
        out.ChartWidth = std::max(a, 0);
        out.KeepScrollBar = true;
    } else {
        ScrollOrFit(g, pointCount, out);
    }
    out.TitleWidth = a > 20 ? a - 20 : 0;
    out.TitleTop = TitleTop(g, out.ChartHeight);
    return out;
}

ChartLayout DrawLayout(const ChartGeometry& g, bool fit, int count, int16_t dataKind)
{
    ChartLayout out;
    if (fit) {
        out.ChartWidth = std::max(g.Available(), 0);
        out.ChartHeight = g.Height;
    } else {
        ScrollOrFit(g, count, out);
    }
    out.TitleTop = TitleTop(g, out.ChartHeight);
    if (out.Scroll)
        out.LabelStep = dataKind == 1 ? 2 : 1;
    else
        out.LabelStep = FitLabelStep(dataKind, count);
    return out;
}

int FitLabelStep(int16_t dataKind, int count)
{
    if (dataKind != 1)
        return 1;
    const int n = count - 2;
    const double q = n / 18.0;
    if (q >= 2 || n <= 18)
        return static_cast<int>(std::nearbyint(q)); // halves to the even one
    return 2;
}

namespace {

ValueScale Scale(int top, int bottom)
{
    const int d = top - bottom;
    if (d <= 15)
        return {bottom, top, d};
    const int step = d / 15 + 1;
    const int divisions = d / step + 1;
    return {bottom, bottom + divisions * step, divisions};
}

} // namespace

ValueScale TrendValueScale(int largest, int smallest)
{
    return Scale(largest + 1, smallest - 1);
}

ValueScale CountValueScale(int largest, int smallest)
{
    return Scale(largest + 1, smallest > 0 ? smallest - 1 : smallest);
}

} // namespace kelton
