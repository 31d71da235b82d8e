#pragma once

#include <QRect>
#include <QString>

namespace kelton {

// The number grid of the two number pickers: rows of 5 columns without
// fixed cells, row r showing 5r to 5r + 4. A grid shows at least 0 to 9 in
// two rows, and as many rows more as the largest value of its row needs:
// 0 to 12 take three. Sizes in twips.
namespace number_grid {

inline constexpr int kRows = 2; // the fewest rows
inline constexpr int kCols = 5;
inline constexpr int kValues = kRows * kCols; // a grid shows at least 0..9
inline constexpr int kColWidth = 270;
inline constexpr int kWidth = kCols * kColWidth + 60; // the five columns and the frame
inline constexpr int kCellHeight = 225;               // one row of cells
inline constexpr int kHeight = kRows * kCellHeight + 45; // two rows and the frame
inline constexpr int kCaptionLeft = 240;
inline constexpr int kGridLeft = 960;
inline constexpr int kCaptionWidth = 495;
inline constexpr int kCaptionHeight = 540; // two lines of Chinese text, short of the next row
inline constexpr int kRowPitch = 600;
inline constexpr int kFirstRowTop = 240;
inline constexpr int kGridRaise = 45; // a grid's top lies this much above its caption's
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 375;

// The rows of a grid whose largest value is largest (at least two).
int RowsFor(int largest);
// The height of a grid of that many rows.
int HeightFor(int rows);
// Whether a cell shows its value: the first ten always do, as the
// pickers of a game of fewer numbers show all ten; cells past them only up
// to the largest value.
bool ShowsValue(int value, int largest);

// The value of a cell of a grid of rows rows; -1 outside the grid.
int ValueAt(int row, int col, int rows = kRows);
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

// The distance between the captions of two rows, the upper holding a grid
// of rows rows: 600 for two rows, a row of cells more for each row more.
int RowPitch(int rows);

// The caption's top of main position p of bcMain (highest place on top),
// every main grid having rows rows.
int PositionCaptionTop(int position, int bcMain, int rows = kRows);

// A row's caption and grid rectangles from the caption's top.
QRect CaptionRect(int captionTop);
QRect GridRect(int captionTop, int rows = kRows);

} // namespace number_grid

} // namespace kelton
