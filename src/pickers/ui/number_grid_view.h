#pragma once

#include <QColor>

namespace kelton {

class CFlexGrid;

// Sets a grid up as the number pickers' number grid: 2 rows by 5 columns
// without fixed cells, 0 to 4 over 5 to 9, every column 270 twips wide and
// centred, a pointing hand over it, no selection shown.
void SetUpNumberGrid(CFlexGrid* grid);

// Paints the cell of a value 0..9: the colour given, or the grid's own back
// colour for an invalid one.
void PaintNumberCell(CFlexGrid* grid, int value, const QColor& colour);

// The value under the mouse at its last press or release; -1 off the cells.
int NumberUnderMouse(const CFlexGrid* grid);

} // namespace kelton
