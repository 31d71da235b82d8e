#pragma once

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

} // namespace kelton
