#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QString>
#include <QtCore/qnamespace.h>

#include "platform/huge_pages.h"

namespace kelton {

// A cell colour as 0xAARRGGBB; kNoGridColor means the cell has no colour of
// its own and shows the grid's.
using GridColor = uint32_t;
inline constexpr GridColor kNoGridColor = 0;

// How cells of equal text merge into one (the grid's MergeCells). Only rows
// with MergeRow set merge across their columns and only columns with
// MergeCol set merge down their rows; fixed and scrolling cells never merge
// with each other.
//   Never            no merging
//   Free             equal neighbours merge
//   RestrictRows     a row's cells merge only where the cells above them
//                    are merged too (the top row is free)
//   RestrictColumns  a column's cells merge only where the cells to their
//                    left are merged too (the first column is free)
//   RestrictAll      both restrictions
// Where a cell could merge both ways, the merge across its row wins.
enum class GridMerge : int { Never = 0, Free = 1, RestrictRows = 2, RestrictColumns = 3, RestrictAll = 4 };

// A block of merged cells: its top-left cell and its size in cells.
struct GridSpan {
    int row = 0;
    int col = 0;
    int rows = 1;
    int cols = 1;
    friend bool operator==(const GridSpan&, const GridSpan&) = default;
};

// Supplies the text of cells that hold none, asked by row and column when
// the cell is read or shown; lets a window show a large table without
// writing every cell.
using GridTextSource = std::function<QString(int row, int col)>;

// The cells of a grid and everything it keeps per row, column and cell, in
// flat arrays (row-major text, colours allocated on first use), with the
// indexing of the grid control: rows 0 .. Rows-1, columns 0 .. Cols-1, the
// first FixedRows rows and FixedCols columns fixed. Reads out of range give
// the empty text, 0 or no colour; writes out of range do nothing.
//
// It also keeps the current cell (Row, Col) and the other corner of the
// selection (RowSel, ColSel); the selection is the block between them.
class CGridData {
public:
    CGridData();

    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    // New rows and columns are empty; fewer rows or columns than fixed ones
    // reduce the fixed count. Negative counts are ignored.
    void SetRows(int rows);
    void SetCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }
    // 0 .. Rows (Cols); a current cell inside the new fixed area moves to
    // the first scrolling row (column) when there is one.
    void SetFixedRows(int rows);
    void SetFixedCols(int cols);
    bool IsFixed(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }
    bool Contains(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

    // The cell's text; a cell without text takes the text source's.
    QString Text(int row, int col) const;
    void SetText(int row, int col, const QString& text);
    // The text a cell holds, without asking the text source (the empty
    // text out of range).
    const QString& HeldText(int row, int col) const { return Contains(row, col) ? m_text[Index(row, col)] : kNoText; }
    // A cell's text and colours in one write; a colour left out keeps the
    // cell's.
    void SetCell(int row, int col, const QString& text, std::optional<GridColor> back,
                 std::optional<GridColor> fore);
    // A run of a row's cells in one write, for a table filled row by row:
    // *texts[i] goes to column col + i, back (where given) to every one of
    // them, fore[i] (where given) to the cell of texts[i]; fore is empty or
    // as long as texts. Cells past the last column are dropped; a row
    // outside the grid or a negative col changes nothing. The texts come by
    // address: a table's rows repeat a few shared texts, and each is then
    // copied once, into its cell.
    void SetRowCells(int row, int col, std::span<const QString* const> texts, std::optional<GridColor> back,
                     std::span<const std::optional<GridColor>> fore);
    // The colours of a run of a row's cells in one write, for a table
    // painted row by row: back[i] and fore[i] (where given) to the cell of
    // column col + i; either span is empty or as long as the run. Cells past
    // the last column are dropped; a row outside the grid or a negative col
    // changes nothing.
    void SetRowColors(int row, int col, std::span<const std::optional<GridColor>> back,
                      std::span<const std::optional<GridColor>> fore);
    void SetTextSource(GridTextSource source);
    bool HasTextSource() const { return static_cast<bool>(m_source); }

    // Inserts a row at index (-1: after the last row) whose columns 0, 1, ..
    // take the TAB-separated fields of item; fields past the last column are
    // dropped. False, and nothing changes, when index is out of 0 .. Rows.
    // The last field keeps item's buffer, so pass an item you no longer need
    // as a temporary or with std::move.
    bool AddItem(QString item, int index = -1);
    // Inserts before.size() rows in one pass: new row i takes the texts
    // texts[i * Cols()] .. (Cols() of them) and goes in front of row
    // before[i] of the grid as it was (Rows(): after the last row). before
    // must not decrease; rows in front of the same row keep their order.
    // False, and nothing changes, when the counts or positions are wrong.
    // The grid is rebuilt aside and swapped in, so either every row goes in
    // or, when memory runs out, none.
    bool InsertRows(std::span<const int> before, std::span<const QString> texts);
    // Removes a row with its text, colours, row data and row settings. False
    // when the row does not exist.
    bool RemoveItem(int index);
    // Empties every cell's text and colours; sizes, row data and settings
    // stay.
    void Clear();

    int32_t RowData(int row) const;
    void SetRowData(int row, int32_t value);

    GridColor ForeColor(int row, int col) const;
    GridColor BackColor(int row, int col) const;
    void SetForeColor(int row, int col, GridColor color);
    void SetBackColor(int row, int col, GridColor color);

    // Alignment of a column's cells and, where set, of its fixed cells; none
    // set means text left and numbers right, centred vertically.
    Qt::Alignment ColAlignment(int col) const;
    void SetColAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment FixedAlignment(int col) const;
    void SetFixedAlignment(int col, Qt::Alignment alignment);

    // Sizes in twips; -1 is the grid's default size.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    bool HasRowHeights() const { return !m_rowHeight.empty(); }

    GridMerge MergeCells() const { return m_merge; }
    void SetMergeCells(GridMerge merge);
    bool MergeRow(int row) const;
    void SetMergeRow(int row, bool merge);
    bool MergeCol(int col) const;
    void SetMergeCol(int col, bool merge);
    // The merged blocks (two cells or more) under the current settings.
    const std::vector<GridSpan>& Merges() const;
    // True when something that decides the merges has changed since Merges
    // was last computed.
    bool MergesStale() const { return m_mergesStale; }

    int Row() const { return m_row; }
    int Col() const { return m_col; }
    int RowSel() const { return m_rowSel; }
    int ColSel() const { return m_colSel; }
    // Setting Row (Col) also moves RowSel (ColSel) there, collapsing the
    // selection; set RowSel and ColSel afterwards to select a block.
    void SetRow(int row);
    void SetCol(int col);
    void SetRowSel(int row);
    void SetColSel(int col);
    // Inside the selected block (fixed cells included).
    bool InSelection(int row, int col) const;

private:
    // A cell per row and column: a big table's cells come on large pages,
    // so filling them the first time costs few page faults.
    template <class T> using Cells = std::vector<T, HugePageAllocator<T>>;

    static inline const QString kNoText;
    qsizetype Index(int row, int col) const { return static_cast<qsizetype>(row) * m_cols + col; }
    void ClampCursor();
    // Writes the colours given of a run of cells from cell at on; the array
    // is made on the first colour.
    void WriteColors(Cells<GridColor>& colors, qsizetype at, std::span<const std::optional<GridColor>> run);
    void MergesChanged() { m_mergesStale = true; }
    bool MergesOn(int row, int col) const;
    void ComputeMerges() const;

    struct Column {
        int width = -1;
        Qt::Alignment alignment;
        Qt::Alignment fixedAlignment;
        bool merge = false;
    };

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    Cells<QString> m_text;
    Cells<GridColor> m_fore; // empty until a cell gets a colour
    Cells<GridColor> m_back;
    std::vector<int32_t> m_rowData;
    std::vector<int> m_rowHeight; // empty until a row gets a height
    std::vector<uint8_t> m_mergeRow;
    std::vector<Column> m_columns;
    GridMerge m_merge = GridMerge::Never;
    GridTextSource m_source;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    mutable bool m_mergesStale = true;
    mutable std::vector<GridSpan> m_merges;
};

} // namespace kelton
