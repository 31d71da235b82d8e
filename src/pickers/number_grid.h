#pragma once

#include <QRect>
#include <QString>

namespace kelton {

// The number grid of the two number pickers: 2 rows by 5 columns without
// fixed cells, row 0 showing 0 to 4 and row 1 showing 5 to 9. Sizes in twips.
namespace number_grid {

inline constexpr int kRows = 2;
inline constexpr int kCols = 5;
inline constexpr int kValues = kRows * kCols; // the grid shows 0..9
inline constexpr int kColWidth = 270;
inline constexpr int kWidth = kCols * kColWidth + 60; // the five columns and the frame
inline constexpr int kHeight = 495;
inline constexpr int kCaptionLeft = 240;
inline constexpr int kGridLeft = 960;
inline constexpr int kCaptionWidth = 495;
inline constexpr int kCaptionHeight = 540; // two lines of Chinese text, short of the next row
inline constexpr int kRowPitch = 600;
inline constexpr int kFirstRowTop = 240;
inline constexpr int kGridRaise = 45; // a grid's top lies this much above its caption's
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 375;

// The value of a cell; -1 outside the grid.
int ValueAt(int row, int col);
inline int RowOf(int value)
{
    return value / kCols;
}
inline int ColOf(int value)
{
    return value % kCols;
}

// The caption of main position p (1 = units): the place name and "位号码".
// Place names go up to position 10 (whose name is empty); beyond, and for
// position 0, the empty text.
QString PlaceCaption(int position);

// The caption's top of main position p of bcMain (highest place on top).
int PositionCaptionTop(int position, int bcMain);

// A row's caption and grid rectangles from the caption's top.
QRect CaptionRect(int captionTop);
QRect GridRect(int captionTop);

} // namespace number_grid

} // namespace kelton
