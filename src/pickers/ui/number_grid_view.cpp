#include "pickers/ui/number_grid_view.h"

#include "pickers/number_grid.h"
#include "platform/ui/flex_grid.h"

namespace kelton {

namespace {
constexpr int kFontPoints = 9;
} // namespace

void SetUpNumberGrid(CFlexGrid* grid, int largest)
{
    using namespace number_grid;
    const int rows = RowsFor(largest);
    grid->SetRedraw(false);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->SetRows(rows);
    grid->SetCols(kCols);
    for (int c = 0; c < kCols; ++c) {
        grid->SetColWidth(c, kColWidth);
        grid->SetColAlignment(c, Qt::AlignCenter);
    }
    for (int r = 0; r < rows; ++r) {
        grid->SetRowHeight(r, kCellHeight);
        for (int c = 0; c < kCols; ++c) {
            const int value = ValueAt(r, c, rows);
            grid->SetTextMatrix(r, c, ShowsValue(value, largest) ? QString::number(value) : QString());
        }
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
    if (value < 0 || value >= grid->Rows() * number_grid::kCols)
        return;
    grid->SetCellBackColor(number_grid::RowOf(value), number_grid::ColOf(value), colour);
}

int NumberUnderMouse(const CFlexGrid* grid)
{
    return number_grid::ValueAt(grid->MouseRow(), grid->MouseCol(), grid->Rows());
}

} // namespace kelton
