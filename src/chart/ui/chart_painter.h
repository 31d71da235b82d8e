#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStringList>

#include "chart/chart_picture.h"

class QImage;
class QPainter;

namespace kelton {

// How a picture is put on a surface.
struct ChartPaintStyle {
    QFont Font;
    double Dpi = 96;      // turns chart units into pixels
    int BottomReserve = 0; // pixels at the bottom left free (the title box lies over them)
};

// Where the parts of a picture go in a chart of a given size.
struct ChartFrame {
    QRectF Plot;   // inside the axes
    QRectF Legend; // empty without a legend
    // Where each series' name goes in the legend, and the name as drawn
    // there (cut short with an ellipsis where it is too long); its sample
    // line is drawn left of it.
    std::vector<QRectF> LegendEntries;
    QStringList LegendNames;
    QRectF Caption; // empty without a caption
    int Categories = 0;
    double Minimum = 0;
    double Maximum = 1;

    double CategoryWidth() const { return Categories > 0 ? Plot.width() / Categories : Plot.width(); }
    // The centre of category 1..M.
    double X(double category) const { return Plot.left() + (category - 0.5) * CategoryWidth(); }
    double Y(double value) const;
};

ChartFrame LayOutChart(const ChartPicture& picture, QSize size, const ChartPaintStyle& style);

// The colour a series is drawn in: its own, or the chart's for series n.
QColor SeriesColor(const ChartPicture& picture, int series);

// Where series s of a line chart gets its markers: each numeric point in
// category order, but one on a pixel that already has its marker (a long
// history in a narrow chart), as it would look the same.
std::vector<QPointF> MarkedPoints(const ChartPicture& picture, const ChartFrame& frame, int series);

// Draws the whole picture into the rectangle (0, 0, size).
void PaintChart(QPainter& painter, QSize size, const ChartPicture& picture, const ChartPaintStyle& style);

// The picture drawn into a fresh image, for tests and snapshots.
QImage RenderChart(const ChartPicture& picture, QSize size, const ChartPaintStyle& style);

} // namespace kelton
