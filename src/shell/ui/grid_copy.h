#pragma once

#include <QString>

namespace kelton {

class IGridCells;

// The selected block of a grid as text for the clipboard: the header line
// (cell 0,0, then row 0 of each selected column), then each selected row
// with its column 0 first; cells joined by TAB, every line ending with
// CR LF. The selection runs between Row/RowSel and Col/ColSel in either
// direction.
QString GridSelectionText(const IGridCells& grid);

} // namespace kelton
