#include "pickers/number_grid.h"

#include <algorithm>

#include "platform/name_tables.h"

namespace kelton::number_grid {

int RowsFor(int largest)
{
    return std::max(kRows, largest / kCols + 1);
}

int HeightFor(int rows)
{
    return kHeight + (rows - kRows) * kCellHeight;
}

bool ShowsValue(int value, int largest)
{
    return value >= 0 && (value < kValues || value <= largest);
}

int ValueAt(int row, int col, int rows)
{
    if (row < 0 || row >= rows || col < 0 || col >= kCols)
        return -1;
    return row * kCols + col;
}

QString PlaceCaption(int position)
{
    if (position < 1 || position >= static_cast<int>(kPlaceNames.size()))
        return {};
    return PlaceName(position) + QStringLiteral(u"位号码");
}

int RowPitch(int rows)
{
    return kRowPitch + (rows - kRows) * kCellHeight;
}

int PositionCaptionTop(int position, int bcMain, int rows)
{
    return (bcMain - position) * RowPitch(rows) + kFirstRowTop;
}

QRect CaptionRect(int captionTop)
{
    return {kCaptionLeft, captionTop, kCaptionWidth, kCaptionHeight};
}

QRect GridRect(int captionTop, int rows)
{
    return {kGridLeft, captionTop - kGridRaise, kWidth, HeightFor(rows)};
}

} // namespace kelton::number_grid
