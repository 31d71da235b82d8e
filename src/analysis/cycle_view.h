#pragma once

// The cycle view of an analysis window: the layout of the cycle grid (the
// blocks of the main positions from the highest place down, then the
// secondary numbers), the cycle list of a clicked cell and the cells of a
// highlighted cycle.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace kelton {

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

} // namespace kelton
