#pragma once

// The rules of the extreme-range window: conditions set from the lowest and
// highest values a data view took over a span of drawn issues, and the
// back-test that counts, for each recent issue, the conditions it would have
// broken had they been set from the extremes of the N issues before it.

#include <cstdint>
#include <span>

#include <QString>

#include "chart/chart_data.h"

namespace kelton {

class CLottorData;
class CStat;

// The start issue the slider picks: N issues up to and including the end
// issue, the first issue when there are fewer; -1 when nothing can be
// selected (an empty list, or a position past the last item).
int32_t SliderStartIndex(int32_t endIndex, int32_t n, int32_t itemCount);

// Every condition 0..BcMain+42 of the view gets the range from its lowest
// to its highest value over the drawn issues start..end and is switched on;
// the view's own tolerance and the tolerance flags stay. False, and nothing
// changed, when the game has no drawn issue.
bool SetConditionsToExtremes(CStat& stat, int16_t bcMain, int32_t start, int32_t end);

// The message after the conditions were set.
QString ExtremesSetMessage(const QString& tabCaption, const QString& startText, const QString& endText);

// How many conditions 0..BcMain+42 of the view drawn issue p lies outside
// of, the conditions set from the extremes of the N issues before it (a
// bound itself is inside). Every condition counts, switched on or not.
int16_t OutOfRangeCount(const CStat& stat, int16_t bcMain, int32_t p, int32_t n);

// The chart of the last (at most 100) drawn issues, oldest first: per issue
// the out-of-range counts of the views given, added up. Row 0 holds " " and
// the series name "错误数".
ChartData OutOfRangeChart(const CLottorData& game, std::span<const CStat* const> views, int32_t n);

// The chart's title for the game.
QString OutOfRangeTitle(const QString& lottorName);

// The window's layout in twips from its outer width and its inner size.
struct FilterBoundLayout {
    int32_t TabWidth = 0;
    int32_t TabTop = 0;
    int32_t FrameLeft = 50;
    int32_t FrameTop = 0;
    int32_t FrameWidth = 0;
    int32_t ChartWidth = 0;
    int32_t ChartHeight = 0;
};
FilterBoundLayout LayOutFilterBound(int32_t outerWidth, int32_t innerWidth, int32_t innerHeight,
                                    int32_t tabHeight);

} // namespace kelton
