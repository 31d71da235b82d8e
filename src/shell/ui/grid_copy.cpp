#include "shell/ui/grid_copy.h"

#include <algorithm>

#include "host/ui/shell_windows.h"

namespace kelton {

QString GridSelectionText(const IGridCells& grid)
{
    const int firstRow = std::min(grid.Row(), grid.RowSel());
    const int lastRow = std::max(grid.Row(), grid.RowSel());
    const int firstCol = std::min(grid.Col(), grid.ColSel());
    const int lastCol = std::max(grid.Col(), grid.ColSel());
    const QString crlf = QStringLiteral("\r\n");

    const auto line = [&](int row) {
        QString text = grid.TextMatrix(row, 0);
        for (int col = firstCol; col <= lastCol; ++col)
            text += QLatin1Char('\t') + grid.TextMatrix(row, col);
        return text + crlf;
    };
    QString text = line(0);
    for (int row = firstRow; row <= lastRow; ++row)
        text += line(row);
    return text;
}

} // namespace kelton
