#pragma once

#include <QRect>

namespace kelton {

// Where the main window opens on a screen whose free area is `available`:
// nine tenths of it, centred, on a screen large enough; the designed
// 1024 x 720 at the area's top left on a smaller one.
QRect MainWindowStartGeometry(const QRect& available);

} // namespace kelton
