#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "analysis/infer_layout.h"
#include "analysis/secondary_area.h"
#include "analysis/view_cells.h"

namespace kelton {

class CLottorHead;
class CStat;

// What a cell of a number table shows (OptPTKind): 0 the statistic's value
// (the history table: the ranking key), 1 the rank (the history table: the
// number itself), 2 the raw number the digit stands for. Any other index
// shows the rank. A secondary number, never ranked, stands for itself: only
// a distribution's statistic and rank differ from it.
enum class CellMode : int16_t { Value = 0, Rank = 1, Raw = 2 };
CellMode CellModeOf(int optionIndex);

// How a cell of a period row is painted.
enum class CellPaint : int8_t {
    None,      // label column
    Base,      // grey text on the row colour
    Hit,       // black text on the main colour (drawn or marked)
    HitMr,     // black text on the secondary colour
    Separator, // empty, fixed-cell colour
};

// The colours of a game a number table is painted with.
struct NumberTablePalette {
    int32_t Row[2] = {kViewWhite, kViewWhite}; // the row colours 0 and 1
    int32_t Main = kViewWhite;                 // the main numbers' highlight
    int32_t Secondary = kViewWhite;            // the secondary numbers'
};
NumberTablePalette PaletteOf(const CLottorHead& head);
// The colours of a digit cell of a period row: a plain cell grey on its
// row colour (row 1 of every two with rowColours, else row 0), a
// highlighted one black on the main or the secondary colour. Nothing for
// the label column and the separators (which take the grid's fixed
// colour).
std::optional<ViewCellStyle> NumberCellStyle(const NumberTablePalette& palette, CellPaint paint, int row,
                                             bool rowColours);

// One distribution table (StatKind 0..7) or the history table
// ("历史分布图"), laid out on the number grid: everything a window needs to
// fill or repaint its cells, computed from the statistics view and, for the
// secondary blocks, from the secondary numbers of the history (a secondary
// column stands for its own value in every view). Texts are asked for one
// cell at a time, so a window can hand them out lazily.
class CNumberTable {
public:
    // kind: the ranking kind, or -1 for the history table.
    struct Setup {
        int16_t Kind = -1;
        CellMode Mode = CellMode::Rank;
        bool ShowHit = true;
        int16_t AreaChoice = 0;
        int32_t RangeStart = 0;
        int16_t RangeCount = 0;
        bool ListAsc = false;
    };
    // Marked(area, value): the chooser flag of a raw value for the
    // next-period row.
    using MarkedFn = std::function<bool(int16_t area, int16_t value)>;

    CNumberTable(const CStat& stat, const SecondaryDraws& secondary, const GameSizes& sizes,
                 const AreaNames& names, const Setup& setup, MarkedFn marked);

    const NumberGridLayout& Layout() const { return m_layout; }
    const Setup& Settings() const { return m_setup; }
    // RangeCount + 2.
    int Rows() const { return m_setup.RangeCount + 2; }
    // The record a row shows; -1 for the caption rows and rows past the end.
    int32_t RecordOfRow(int row) const;
    // The row of a record; -1 when outside the range.
    int RowOfRecord(int32_t record) const;
    bool IsNextIssue(int32_t record) const { return record == m_nextRecord; }

    // Caption rows and the label column ("位码", "期数", issue or "下期").
    QString FixedText(int row, int col) const;
    // The paint of a cell of a period row.
    CellPaint Paint(int row, int col) const;
    // The paint of every column of a row at once (out[col]).
    void PaintRow(int row, std::vector<CellPaint>& out) const;
    // The text of a cell as shown: empty for separators and, with ShowHit,
    // for cells that are not highlighted.
    QString Text(int row, int col) const;
    // The text of digit d of a block at record p by the display mode.
    QString CellText(int32_t p, const NumberBlock& block, int16_t d) const;
    // The longest text any digit cell of each block (in the order of
    // Layout().Blocks) shows over the range, whether ShowHit hides it or
    // not: for sizing the blocks' columns. Reads the range's records only
    // where the cells show a statistic's values.
    std::vector<QString> WidestTexts() const;

private:
    // What column col holds; nullptr for the label column and past the end.
    const GridColumn* Column(int col) const;
    bool Highlighted(int32_t p, const NumberBlock& block, int16_t d) const;
    // The number draw p holds at a position (main or secondary).
    int16_t DrawnNumber(int32_t p, int16_t area) const;
    int CellValue(int32_t p, const NumberBlock& block, int16_t d) const;

    const CStat& m_stat;
    GameSizes m_sizes;
    Setup m_setup;
    NumberGridLayout m_layout;
    std::vector<std::optional<GridColumn>> m_columns; // by column
    MarkedFn m_marked;
    int32_t m_nextRecord = 0;
    const std::vector<int16_t>* m_nums = nullptr; // BM + 1 per record
    SecondaryDraws m_secondary;
    SecondaryRanking m_secondaryRanking; // of Kind over the range, when a secondary block shows
};

} // namespace kelton
