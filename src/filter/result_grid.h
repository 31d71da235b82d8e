#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace kelton {

class BetList;
class CLottorHead;

// The filter window's result grid as a table: its columns, and the text of
// a bet's cell. The grid keeps only each row's place in the bet list; its
// cells read their text from the list when they are shown.

// A column of the grid: its heading, its width in twips, and the colour
// (as RGB) in which the bets' rows show it; none for the default colour.
struct ResultColumn {
    QString Title;
    int16_t Width = 0;
    std::optional<int32_t> RowColour;
    friend bool operator==(const ResultColumn&, const ResultColumn&) = default;
};

// "序号", the main numbers (one number's width per main position, in the
// game's main colour), and for a game with secondary numbers a column of
// their own (in the secondary colour).
std::vector<ResultColumn> ResultGridColumns(const CLottorHead& head);

// How wide each number of a bet's text is written.
struct ResultTextWidths {
    int16_t BcMain = 0;  // main positions
    int16_t BcWidth = 0; // digits of a main number
    int16_t MrWidth = 0; // digits of a secondary number
};

// The text of column col for the bet at place `place` of the list: its id,
// its main numbers or its secondary numbers. Empty for a place outside the
// list and for any other column.
QString ResultCellText(const BetList& bets, int32_t place, int col, const ResultTextWidths& widths);

} // namespace kelton
