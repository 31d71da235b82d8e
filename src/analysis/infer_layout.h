#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>
#include <QStringList>

namespace kelton {

class CLottorHead;

// The sizes of a game that the number tables are laid out from.
struct GameSizes {
    int16_t L = 9; // largest main value (BcDataLen)
    int16_t B = 3; // main numbers per draw (BcMain)
    int16_t M = 0; // largest secondary value (MrDataLen)
    int16_t R = 0; // secondary numbers per draw (MrMain)
};
GameSizes SizesOf(const CLottorHead& head);

// The names the analysis window's captions are made of beyond the fixed
// place names: the secondary area's name.
struct AreaNames {
    QString MrDataName;
    // Place name of position p followed by "位号码"; "" for a position
    // without a name.
    QString PositionCaption(int16_t p) const;
    // The secondary area's name, followed by j when the game has more than
    // one secondary number (R > 1).
    QString SecondaryCaption(int16_t j, int16_t R) const;
};

// ---------------------------------------------------------------------------
// The number grid: a label column, then one block of digit columns per shown
// area (area 0 = all main positions together, k = 1..B main position k,
// B + j = secondary number j), with a separator column between blocks.

inline constexpr int kLabelColTwips = 1000;
inline constexpr int kDigitColTwips = 270;
inline constexpr int kSeparatorColTwips = 30;

struct NumberBlock {
    int16_t Area = 0;
    int16_t Start = 1;  // column of digit 0
    int16_t Digits = 0; // L + 1 or M + 1
    bool Secondary = false;
    bool SeparatorAfter = false;
    QString Caption;
    int16_t SeparatorCol() const { return SeparatorAfter ? static_cast<int16_t>(Start + Digits) : -1; }
};

struct NumberGridLayout {
    int16_t Cols = 1;
    std::vector<NumberBlock> Blocks;
};

// The areas shown, left to right, for an item of the area choice
// (cboPTSubarea): 0 everything, 1 area 0 alone, 2 all positions, 3..B+2 one
// main position from the highest down, B+3..B+2+R one secondary number.
// Any other choice shows nothing.
std::vector<int16_t> SubareaAreas(const GameSizes& g, int16_t choice);

// The grid of an area choice: blocks, their first columns, separators and
// captions, and the column count.
NumberGridLayout NumberGrid(const GameSizes& g, int16_t choice, const AreaNames& names);

// What a column holds: its block (index into Blocks) and digit; a separator
// has digit -1. Nothing for the label column or a column past the grid.
struct GridColumn {
    int16_t Block = 0;
    int16_t Area = 0;
    int16_t Digit = -1;
};
std::optional<GridColumn> ColumnAt(const NumberGridLayout& layout, int col);
// The column of digit d of area a; -1 when that area is not shown or d lies
// outside its block.
int DigitColumn(const NumberGridLayout& layout, int16_t area, int16_t d);
// Width of column col in twips.
int ColumnTwips(const NumberGridLayout& layout, int col);

// Row order: period m (0 .. rangeCount - 1) goes in grid row PeriodRow. With
// ListAsc the newest period stands in row 2, otherwise the oldest.
int PeriodRow(int m, int rangeCount, bool listAsc);
// The first scrolled row after a build (rows = RangeCount + 2, fitRows the
// rows the grid's height shows); -1: leave the grid where it is (an empty
// table has no row 2 to scroll to).
int BuildTopRow(bool listAsc, int rows, int fitRows);

// ---------------------------------------------------------------------------
// The top bar's lists.

// The period lists hold one item per record (listCount = draws + 1, the last
// "下期"). The default choices: the range starts showCourse items before the
// end (item 0 when the list is shorter; a course of 0 or less shows the last
// item alone) and ends, like the statistics period, at "下期".
struct PeriodChoice {
    int Start = -1;
    int End = -1;
    int Index = -1;
};
PeriodChoice DefaultPeriods(int listCount, int showCourse);

// Range fields as the top bar stores them: RangeCount is End - Start + 1,
// 0 when that is negative.
struct TopBarRange {
    int16_t RangeStart = -1;
    int16_t RangeEnd = -1;
    int16_t RangeCount = 0;
    int16_t StatPeriod = -1;
};
TopBarRange StoreRange(int start, int end, int index);

// cboPTBcTaxis: 0 .. L \ 2; the item selected at construction is B, held to
// the last item for games whose B exceeds L \ 2.
QStringList BcTaxisItems(const GameSizes& g);
int BcTaxisDefault(const GameSizes& g);
// cboPTSubarea and cboPTSubarea2.
QStringList SubareaItems(const GameSizes& g, const AreaNames& names);
QStringList Subarea2Items(const GameSizes& g, const AreaNames& names);
// cboPTFilter and cboPTFilter2: the indicator names, then the main positions
// units first (the item index is the indicator number).
QStringList IndicatorItems(const GameSizes& g, const AreaNames& names);
// LstRelate: "全部号码", then "号码0" .. "号码L".
QStringList RelateItems(const GameSizes& g);

// Captions of the option families that construction sets.
QString OptListCaption(int16_t k, int16_t customStat);
QString OptStatCaption(int16_t k, int16_t customStat);
// OptFilter(k) for k = 43 .. 42 + B + R: the positions, then the secondary
// numbers ("<MrDataName>号码<j>").
QString RunTimeOptionCaption(int16_t k, const GameSizes& g, const AreaNames& names);

// The construction's progress maximum: draws + 40 + 5 × BM.
int32_t ConstructionProgressMax(int32_t draws, const GameSizes& g);

} // namespace kelton
