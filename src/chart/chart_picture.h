#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariant>

#include "chart/chart_layout.h"
#include "platform/twips.h"

namespace kelton {

// A colour by its red, green and blue parts.
struct ChartRgb {
    int R = 0;
    int G = 0;
    int B = 0;
    // An RGB number: red + 256 × green + 65536 × blue.
    static constexpr ChartRgb FromNumber(int32_t rgb)
    {
        return {rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF};
    }
    bool operator==(const ChartRgb&) const = default;
};

// Marker sizes, statistic-line widths and tick lengths are given in chart
// units, which are twips (100 units are 5 points). They stay fractional:
// a line 1.5 pixels wide is drawn 1.5 pixels wide.
inline double ChartUnitsToPixels(int units, double dpi)
{
    return units * dpi / kTwipsPerInch;
}

// The prepared data of one chart kind: the categories along the chart with
// their labels and, per series, the value drawn at each (NaN where nothing
// is drawn: a text that is no number, an empty cell or an empty count).
struct ChartCache {
    QVariant Corner;
    QStringList SeriesNames; // series 1..S at 0..S-1
    QStringList Labels;      // categories 1..M at 0..M-1
    int Series = 0;
    std::vector<double> Values; // category by category, S values each

    int Categories() const { return static_cast<int>(Labels.size()); }
    bool Empty() const { return Labels.isEmpty(); }
    // Category 1..M, series 1..S; NaN out of range.
    double Value(int category, int series) const;
};

// Mean, population standard deviation and least-squares line of one series
// over the categories where it has a value (x = category 1..M).
struct SeriesStats {
    int Count = 0;
    double Mean = 0;
    double StdDev = 0;
    double Slope = 0;
    double Intercept = 0;
    double At(double category) const { return Intercept + Slope * category; }
};
SeriesStats ComputeSeriesStats(const ChartCache& cache, int series);

enum class ChartKind { Empty, Line, Bar };

struct ChartSeriesStyle {
    // Unset: the chart's own colour for that series.
    std::optional<ChartRgb> Color;
    int LineWidth = 1; // pixels
    bool Markers = false;
    int MarkerSize = 100; // chart units
    ChartRgb MarkerFill;
    int MarkerOutline = 1; // pixels
};

// Everything the renderer draws; how it is placed in pixels is the
// renderer's business.
struct ChartPicture {
    ChartKind Kind = ChartKind::Empty;
    std::shared_ptr<const ChartCache> Data;
    std::vector<ChartSeriesStyle> Styles; // per series

    // Category axis: a label and a tick mark every LabelStep categories (0
    // labels every one), labels centred on their ticks.
    int LabelStep = 1;
    int TickLength = 100; // chart units, both axes; value-axis ticks point inward
    ValueScale Scale;

    bool GridX = false; // vertical grid lines at the category ticks
    bool GridY = false; // horizontal grid lines at the value divisions
    ChartRgb GridColor{150, 150, 150};

    bool Legend = false; // series names at the bottom right
    QString Caption;     // the caption line; nothing is shown for blanks
    ChartRgb CaptionColor;
    bool PointLabels = true; // each value above its point or bar, where it fits

    // Statistic lines of series 1.
    bool MeanLine = false;      // solid
    bool StdDevLines = false;   // finely dotted, at the mean plus and minus one deviation
    bool RegressionLine = false; // dash-dot-dot
    ChartRgb StatColor;
    int StatWidth = 50; // chart units
    SeriesStats Stats;
};

// A sentence for screen readers: the chart kind, the series, the number of
// categories and the value axis.
QString DescribeChart(const ChartPicture& picture);

} // namespace kelton
