#pragma once

// Marking numbers in the next-period row ("下期") of the number tables:
// which number a clicked cell stands for and how a repainted cell looks.

#include <cstdint>
#include <optional>

#include <QString>

#include "analysis/infer_layout.h"
#include "analysis/secondary_area.h"
#include "analysis/view_cells.h"

namespace kelton {

class CLottorHead;
class CStat;

// The chooser flag a double click on column col of the next-period row
// toggles: its area and the raw number the column's digit stands for at
// the next issue (a secondary column: its own number); nullopt for column
// 0 and separators.
struct BallMark {
    int16_t Pos = 0;
    int16_t Ball = 0;
    friend bool operator==(const BallMark&, const BallMark&) = default;
};
std::optional<BallMark> NextRowMark(const CStat& stat, const NumberGridLayout& layout, int col);

// The table a repainted cell belongs to; the distribution tables name
// their ranking kind.
enum class NextTable { Distribution, History, CombinedRanking, Cycle };

// The text of digit d of area sPos in the next-period row under the
// display mode (0 "号码数值", 1 "排行序列", 2 "原始号码"), as the table's
// build writes it; the statistics of a secondary number are counted from
// the history's secondary numbers.
QString NextCellText(const CStat& stat, const SecondaryDraws& secondary, NextTable table, int16_t rankKind,
                     int16_t sPos, int16_t d, int mode);

// How a next-period cell is repainted after its mark changed.
struct NextCellPaint {
    std::optional<int32_t> Back; // nullopt: the back colour stays
    int32_t Fore = kViewBlack;
    bool WithText = true;        // false: the cell is emptied
};
// The number tables: the row colour first (RowColor(row mod 2) with row
// colours on, RowColor(0) without), the main colour when marked. The
// cycle grid keeps its back colour and colours the text only, black
// inside the highlight (back = BcMainColor).
NextCellPaint NextCellPaintOf(const CLottorHead& head, NextTable table, int16_t sPos, bool marked, bool showHitOnly,
                              bool rowColours, int row, int32_t currentBack);

} // namespace kelton
