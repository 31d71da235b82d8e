#pragma once

#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kelton {

// Where a top-level window of the designed size `design` opens on a screen
// whose free area is `available` (pixels, the window's frame left out): in
// each direction of `grow` it takes nine tenths of the area when that is
// more than the design; it is never larger than the area, and centred on
// it.
QRect PlaceOnScreen(QSize design, const QRect& available, Qt::Orientations grow);

// Where a child window at `window` goes so that it lies inside a work area
// of `area` (pixels, from 0,0): moved left and up as far as it needs, never
// past the area's top left, so a window larger than the area starts there.
QPoint KeepInside(const QRect& window, QSize area);

// Where a child window at `window` goes when the work area becomes `area`:
// no larger than the area, then moved inside it as KeepInside does.
QRect FitInside(const QRect& window, QSize area);

// The places of cascaded child windows of the sizes given, in order (the
// last on top), in a work area of `area`: each keeps its size, no larger
// than the area, and lies `step` right of and below the one before, so that
// every title bar shows; a window is shortened where it would pass the
// area's right or bottom edge, and the cascade starts again at the top left
// before its offset passes half the area.
std::vector<QRect> CascadePlaces(const std::vector<QSize>& sizes, QSize area, int step);

// The places of `count` tiled child windows in a work area of `area`: in
// rows one above the other (bRows) or in columns side by side, sharing the
// area evenly, the rounding spread over them.
std::vector<QRect> TilePlaces(int count, QSize area, bool bRows);

// Where minimised child windows of the sizes given go, in order (the top
// left of each): in a row along the bottom of a work area of `area` from
// the left, a new row above the last once the next one would pass the
// right edge; the first of a row always takes its place, however wide.
std::vector<QPoint> IconPlaces(const std::vector<QSize>& sizes, QSize area);

} // namespace kelton
