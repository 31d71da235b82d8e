#pragma once

#include <cstdint>
#include <optional>

namespace kelton {

// The pixel sizes the chart control lays itself out by.
struct ChartGeometry {
    static constexpr int kBarWidth = 59;     // the option column
    static constexpr int kScrollHeight = 17; // the horizontal scroll bar
    static constexpr int kTitleHeight = 41;  // the title box
    static constexpr int kTitleLeft = 10;

    int Width = 0;  // the control's inner size
    int Height = 0;
    int BarWidth = kBarWidth;
    int ScrollHeight = kScrollHeight;
    int TitleHeight = kTitleHeight;

    // The width left for the chart beside the option column; may be negative.
    int Available() const { return Width - BarWidth; }
};

// A chart gets 20 pixels per point or category, never more than this.
inline constexpr int kMaxChartWidth = 4000;
inline constexpr int kPixelsPerCategory = 20;

int WantedChartWidth(int count);

struct ScrollRange {
    int Maximum = 0;
    int SmallChange = 1;
    int LargeChange = 1;
    bool operator==(const ScrollRange&) const = default;
};

// The scroll bar's numbers for a chart `wanted` pixels wide in a view
// `available` pixels wide (wanted > available).
ScrollRange ScrollNumbers(int wanted, int available);

// Where the control's parts go. The chart's left edge is 0 unless the chart
// scrolls (then it is minus the scroll bar's value) or KeepScrollBar is set.
struct ChartLayout {
    int ChartWidth = 0;
    int ChartHeight = 0;
    // The scroll bar, its visibility and the chart's left edge stay as they are.
    bool KeepScrollBar = false;
    // Set when the chart is wider than the view: show the bar with this range.
    std::optional<ScrollRange> Scroll;
    std::optional<int> ScrollTop;
    std::optional<int> ScrollWidth;
    int TitleTop = 0;
    std::optional<int> TitleWidth;
    // A label and a tick mark every this many categories; 0 (few
    // categories) labels every one. Set by DrawLayout only.
    int LabelStep = 1;
};

// The layout when the host resizes the control: the chart fits (`fit`) or
// gets 20 pixels per point.
ChartLayout ResizeLayout(const ChartGeometry& geometry, bool fit, int pointCount);

// The layout a drawing applies: `count` is the number of points (line
// chart) or categories (bar chart) the width and label step go by.
ChartLayout DrawLayout(const ChartGeometry& geometry, bool fit, int count, int16_t dataKind);

// The label step of a chart that fits the view: every category for values
// per category (data kind 0); about one in 18 of the categories for a series
// over periods.
int FitLabelStep(int16_t dataKind, int count);

// The hand-made value axis.
struct ValueScale {
    int Minimum = 0;
    int Maximum = 1;
    int Divisions = 1;
    bool operator==(const ValueScale&) const = default;
};

// A line chart's axis: one below the smallest value to past the largest.
ValueScale TrendValueScale(int largest, int smallest);
// A bar chart's axis: the same, but a bottom of 0 or less is not lowered.
ValueScale CountValueScale(int largest, int smallest);

} // namespace kelton
