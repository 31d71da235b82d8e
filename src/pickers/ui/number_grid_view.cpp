#include "pickers/ui/number_grid_view.h"

#include "pickers/number_grid.h"
#include "platform/ui/flex_grid.h"

namespace kelton {

namespace {
constexpr int kRowHeight = 225; // twips: both rows inside the grid's 495
constexpr int kFontPoints = 9;
} // namespace

void SetUpNumberGrid(CFlexGrid* grid)
{
    using namespace number_grid;
    grid->SetRedraw(false);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->SetRows(kRows);
    grid->SetCols(kCols);
    for (int c = 0; c < kCols; ++c) {
        grid->SetColWidth(c, kColWidth);
        grid->SetColAlignment(c, Qt::AlignCenter);
    }
    for (int r = 0; r < kRows; ++r) {
        grid->SetRowHeight(r, kRowHeight);
        for (int c = 0; c < kCols; ++c)
            grid->SetTextMatrix(r, c, QString::number(ValueAt(r, c)));
    }
    grid->SetHighLight(GridHighLight::Never);
    grid->SetMousePointer(Qt::PointingHandCursor);
    QFont font = grid->font();
    font.setPointSize(kFontPoints);
    grid->setFont(font);
    grid->SetRedraw(true);
}

void PaintNumberCell(CFlexGrid* grid, int value, const QColor& colour)
{
    if (value < 0 || value >= number_grid::kValues)
        return;
    grid->SetCellBackColor(number_grid::RowOf(value), number_grid::ColOf(value), colour);
}

int NumberUnderMouse(const CFlexGrid* grid)
{
    return number_grid::ValueAt(grid->MouseRow(), grid->MouseCol());
}

} // namespace kelton
