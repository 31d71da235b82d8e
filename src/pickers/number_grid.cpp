#include "pickers/number_grid.h"

#include "data/app_state.h"

namespace kelton::number_grid {

int ValueAt(int row, int col)
{
    if (row < 0 || row >= kRows || col < 0 || col >= kCols)
        return -1;
    return row * kCols + col;
}

QString PlaceCaption(int position)
{
    const auto& names = Mmain().PlaceName;
    if (position < 1 || position >= static_cast<int>(names.size()))
        return {};
    return names[static_cast<size_t>(position)] + QStringLiteral(u"位号码");
}

int PositionCaptionTop(int position, int bcMain)
{
    return (bcMain - position) * kRowPitch + kFirstRowTop;
}

QRect CaptionRect(int captionTop)
{
    return {kCaptionLeft, captionTop, kCaptionWidth, kCaptionHeight};
}

QRect GridRect(int captionTop)
{
    return {kGridLeft, captionTop - kGridRaise, kWidth, kHeight};
}

} // namespace kelton::number_grid
