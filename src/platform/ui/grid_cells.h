#pragma once

#include <QString>

namespace kelton {

// What a reader of a grid's selected block needs (the grid-copy command, a
// test fake): the selection corners and the cell texts, row 0 and column 0
// being the header cells. CFlexGrid implements it.
class IGridCells {
public:
    virtual ~IGridCells() = default;
    virtual int Row() const = 0;
    virtual int RowSel() const = 0;
    virtual int Col() const = 0;
    virtual int ColSel() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
};

} // namespace kelton
