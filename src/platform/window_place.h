#pragma once

#include <QRect>
#include <QSize>

namespace kelton {

// Where a top-level window of the designed size `design` opens on a screen
// whose free area is `available` (pixels): in each direction of `grow` it
// takes nine tenths of the area when that is more than the design; it is
// centred on the area where it fits and starts at the area's edge where it
// does not.
QRect PlaceOnScreen(QSize design, const QRect& available, Qt::Orientations grow);

} // namespace kelton
