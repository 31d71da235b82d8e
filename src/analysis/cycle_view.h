#pragma once

// The cycle view of an analysis window: the layout of the cycle grid (the
// blocks of the main positions from the highest place down, then the
// secondary numbers), the cycle list of a clicked cell and the cells of a
// highlighted cycle.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "analysis/infer_layout.h"
#include "analysis/view_cells.h"

namespace kelton {

class CLottorData;
class CLottorHead;
class CStat;

// One entry of the cycle list: "隔" n "期循环" m "次", ItemData n·100000 + m.
struct CycleEntry {
    QString Text;
    int32_t ItemData = 0;
    friend bool operator==(const CycleEntry&, const CycleEntry&) = default;
};

// The cycles of digit d at main position k before record p, in ascending
// order of distance; none for a digit outside the area.
std::vector<CycleEntry> CycleEntries(const CStat& stat, int32_t p, int16_t k, int16_t d);

// The cells of one block of the cycle grid at record p: position pos
// (main 1..B, or B + j for secondary j), digits 0..L (0..M). Digits in a
// cycle lie on the cycle colour when cycleColour is on, the others on
// white (the secondary area holds no cycles); text by the display mode (0
// the key, 2 the raw number, else the digit; a secondary number always
// itself), empty with showHitOnly; the drawn number (a secondary one from
// the history), or at the next issue the marked ones, carry their text in
// the main colour, on the back colour the base paint gave them.
std::vector<ViewCell> CycleRowCells(const CStat& stat, const CLottorData& game, int32_t p, int16_t pos, int mode,
                                    bool showHitOnly, bool cycleColour);
// What the cycle grid shows: the records RangeStart on, one row each, in
// the game's list order, over the blocks of the grid of all positions.
struct CycleTableSetup {
    int32_t RangeStart = 0;
    int RangeCount = 0;
    bool ListAsc = false; // the newest record at the top
    int Mode = 1;         // the display mode, as CycleRowCells takes it
    bool ShowHit = true;
    bool CycleColour = true;
};
// Lays the cells of the cycle grid (RangeCount + 2 rows) into out: column
// 0 ("位码", "期数", the issue or "下期") and every digit cell of a period
// row by CycleRowCells; the captions over the digits and the separators are
// the grid's. Returns the record of every row (-1 for the caption rows).
std::vector<int32_t> CycleTableCells(const CStat& stat, const CLottorData& game, const GameSizes& sizes,
                                     const AreaNames& names, const CycleTableSetup& setup,
                                     const GridCellSink& out);
// The same cells a block of a row at a time.
std::vector<int32_t> CycleTableRows(const CStat& stat, const CLottorData& game, const GameSizes& sizes,
                                    const AreaNames& names, const CycleTableSetup& setup, const GridRowSink& out);

// The base back colour of a main digit cell (the highlight's removal
// paints it again).
int32_t CycleCellBack(const CStat& stat, int32_t p, int16_t pos, int16_t d, bool cycleColour);

// Grid columns: (L + 2)·B + (M + 2)·R.
int CycleGridCols(const CLottorHead& head);
// The column of digit d in block b (1 = the highest main place).
int CycleColumn(const CLottorHead& head, int block, int digit);

// A click on a main-area column: its block and digit (digit -1 on a
// separator); nullopt for column 0 and the secondary blocks.
struct CycleClick {
    int16_t Block = 0;
    int16_t Digit = 0;
    friend bool operator==(const CycleClick&, const CycleClick&) = default;
};
std::optional<CycleClick> LocateCycleClick(const CLottorHead& head, int col);

// The highlighted cycle; AnchorRow 0 = none.
struct CycleHighlight {
    int16_t AnchorRow = 0;
    int16_t Block = 0;
    int16_t Digit = 0;
    int16_t Distance = 0;
    int16_t Repeats = 0;
};

// Reads the click state the grid click left in the tags (the row in the
// option's tag, "block|digit" in the list's tag) and the chosen entry's
// ItemData; nullopt when a tag does not hold its numbers.
std::optional<CycleHighlight> HighlightFromTags(const QString& rowTag, const QString& cellTag, int32_t itemData);

// The rows of the highlight's cells, the clicked row first, then every
// Distance rows towards earlier periods (downward when the newest period
// is at the top); rows outside the period rows 2 .. rows - 1 are left out.
std::vector<int> CycleHighlightRows(const CycleHighlight& h, bool newestOnTop, int rows);
// The text colour of a cell of the highlighted cycle: laid on (on), the
// main colour's text turns black, on the main colour; taken off, black
// text turns back to the main colour. Any other colour stays.
int32_t CycleHighlightFore(int32_t fore, int32_t mainColour, bool on);

} // namespace kelton
