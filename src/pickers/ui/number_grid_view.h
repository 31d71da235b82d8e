#pragma once

#include <QColor>

namespace kelton {

class CFlexGrid;

// Sets a grid up as the number pickers' number grid for the values
// 0..largest: rows of 5 columns without fixed cells (two rows, 0 to 4 over
// 5 to 9, and more rows for larger values), every column 270 twips wide and
// centred, a pointing hand over it, no selection shown.
void SetUpNumberGrid(CFlexGrid* grid, int largest);

// Paints the cell of a value on the grid: the colour given, or the grid's
// own back colour for an invalid one.
void PaintNumberCell(CFlexGrid* grid, int value, const QColor& colour);

// The value under the mouse at its last press or release; -1 off the cells.
int NumberUnderMouse(const CFlexGrid* grid);

} // namespace kelton
