#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "platform/grid_data.h"
#include "platform/ui/grid_cells.h"
#include "platform/ui/plain_text_widths.h"

namespace kelton {

namespace grid_detail {
class CRegionModel;
class CRegionView;
} // namespace grid_detail

// How the selected block is shown (HighLight).
enum class GridHighLight : int { Never = 0, Always = 1, WithFocus = 2 };

// What a mouse selection covers (SelectionMode).
enum class GridSelectionMode : int { Free = 0, ByRow = 1, ByColumn = 2 };

// The table of every window: cells addressed by row and column from 0, the
// first FixedRows rows and FixedCols columns fixed (they stay in place while
// the rest scrolls, are painted in the button colour and are never selected)
// and the rest scrolling. The cells live in flat arrays (CGridData); the
// grid shows them through item views over its own table model, so a large
// table costs its text and nothing per cell on screen.
//
// Filling a table:
//
//   grid->SetRedraw(false);
//   grid->SetRows(1);                       // drops the old body
//   grid->SetCols(2);
//   grid->SetTextMatrix(0, 0, u"序号"_s);
//   grid->SetColWidth(0, 800);              // twips
//   grid->SetColAlignment(1, Qt::AlignCenter);
//   for (...) {
//       grid->AddItem(id + u'\t' + text);   // or SetRows once, then SetTextMatrix
//       grid->SetRowData(grid->Rows() - 1, position);
//   }
//   grid->SetRedraw(true);                  // paints once
//
// Cell colours go either through the current cell, as the windows' code
// paints cell by cell (SetRow, SetCol, SetCellBackColor(colour)), or
// straight to a cell (SetCellBackColor(row, col, colour)).
//
// Out-of-range reads give the empty text, 0 or an invalid colour and
// out-of-range writes do nothing, so a handler may ask about MouseRow -1.
//
// Events: MouseDown, MouseMove and MouseUp with the button, the modifier
// keys and the position in the grid's pixels; Click on the release of the
// left button, DblClick on a double click (which is followed by a MouseUp
// and no Click). A left press moves the current cell (or, on a fixed cell,
// selects the whole row or column); other buttons leave it.
class CFlexGrid : public QWidget, public IGridCells {
    Q_OBJECT

public:
    explicit CFlexGrid(QWidget* parent = nullptr);
    ~CFlexGrid() override;

    // Shape. New grids have 2 rows, 2 columns, 1 fixed row and 1 fixed
    // column. Rows (Cols) below the fixed count reduce it, so Rows = 1
    // clears a table down to its header row.
    int Rows() const { return m_data.Rows(); }
    void SetRows(int rows);
    int Cols() const { return m_data.Cols(); }
    void SetCols(int cols);
    int FixedRows() const { return m_data.FixedRows(); }
    void SetFixedRows(int rows);
    int FixedCols() const { return m_data.FixedCols(); }
    void SetFixedCols(int cols);
    // Empties every cell's text and colours.
    void Clear();

    // Text.
    QString TextMatrix(int row, int col) const override { return m_data.Text(row, col); }
    void SetTextMatrix(int row, int col, const QString& text);
    QString Text() const { return TextMatrix(Row(), Col()); }
    void SetText(const QString& text) { SetTextMatrix(Row(), Col(), text); }
    // Inserts a row at index (-1: at the end) filled from the TAB-separated
    // fields of item, column 0 first. False when index is out of 0 .. Rows.
    bool AddItem(QString item, int index = -1);
    // Inserts many rows in one pass (CGridData::InsertRows).
    bool InsertRows(std::span<const int> before, std::span<const QString> texts);
    // Removes a row with everything kept for it (text, colours, RowData).
    bool RemoveItem(int index);
    // Lazy text: a cell that holds no text shows and reads
    // source(row, col), asked only for cells that are read or on screen.
    void SetTextSource(GridTextSource source);
    // What a cell shows when that differs from what it holds: shown(row,
    // col, text) gives the text drawn and read out for a cell holding text
    // (a code shown by its name). TextMatrix still reads what it holds.
    using ShownText = std::function<QString(int row, int col, const QString& text)>;
    void SetShownText(ShownText shown);
    QString ShownTextOf(int row, int col) const;

    // A number kept with each row; it moves with its row.
    int32_t RowData(int row) const { return m_data.RowData(row); }
    void SetRowData(int row, int32_t value) { m_data.SetRowData(row, value); }

    // Colours of one cell, or of the current cell. An invalid colour
    // returns the cell to the grid's colours.
    QColor CellForeColor(int row, int col) const;
    QColor CellBackColor(int row, int col) const;
    void SetCellForeColor(int row, int col, const QColor& color);
    void SetCellBackColor(int row, int col, const QColor& color);
    QColor CellForeColor() const { return CellForeColor(Row(), Col()); }
    QColor CellBackColor() const { return CellBackColor(Row(), Col()); }
    void SetCellForeColor(const QColor& color) { SetCellForeColor(Row(), Col(), color); }
    void SetCellBackColor(const QColor& color) { SetCellBackColor(Row(), Col(), color); }
    // The colour of fixed cells (the palette's button colour).
    QColor BackColorFixed() const;
    // A cell's text and colours in one change, for a table filled cell by
    // cell: a colour left out keeps the cell's, one given shows opaque.
    void SetCell(int row, int col, const QString& text, std::optional<QRgb> back, std::optional<QRgb> fore);
    // A run of a row's cells in one change (CGridData::SetRowCells), for a
    // table filled row by row; the colours given show opaque.
    void SetRowCells(int row, int col, std::span<const QString* const> texts, std::optional<QRgb> back,
                     std::span<const std::optional<QRgb>> fore);
    // The colours of a run of a row's cells in one change
    // (CGridData::SetRowColors), for a table painted row by row; the colours
    // given show opaque.
    void SetRowColors(int row, int col, std::span<const std::optional<QRgb>> back,
                      std::span<const std::optional<QRgb>> fore);

    // Alignment of a column's cells, and of its fixed cells where it differs
    // (fixed cells without one of their own take the column's).
    // Qt::Alignment() (the default) aligns text left and numbers right.
    Qt::Alignment ColAlignment(int col) const { return m_data.ColAlignment(col); }
    void SetColAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment FixedAlignment(int col) const { return m_data.FixedAlignment(col); }
    void SetFixedAlignment(int col, Qt::Alignment alignment);

    // Sizes in twips, shown through the screen's dots per inch; -1 sets the
    // default size back. A width of 0 hides the column.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    // The width, in twips, a column needs to show text whole in its cells.
    int TextTwips(const QString& text) const;
    // Widens a column, never narrowing it, so that text shows whole in it:
    // for a column whose widest text its window knows.
    void FitColWidth(int col, const QString& text);
    // Widens every column, never narrowing one, to the widest text of its
    // cells; a text merged across columns counts for none of them. Asks
    // the text source for every cell: for tables filled cell by cell.
    void FitColsToTexts();

    // Merging of equal neighbours (see GridMerge).
    GridMerge MergeCells() const { return m_data.MergeCells(); }
    void SetMergeCells(GridMerge merge);
    bool MergeRow(int row) const { return m_data.MergeRow(row); }
    void SetMergeRow(int row, bool merge);
    bool MergeCol(int col) const { return m_data.MergeCol(col); }
    void SetMergeCol(int col, bool merge);

    // Current cell and selection. Setting Row (Col) collapses the selection
    // onto it; set RowSel and ColSel afterwards for a block. Neither scrolls.
    // The selected block is highlighted except its current cell, which
    // shows the focus frame (by-row and by-column selections highlight it
    // too); fixed cells are never highlighted.
    int Row() const override { return m_data.Row(); }
    void SetRow(int row);
    int Col() const override { return m_data.Col(); }
    void SetCol(int col);
    int RowSel() const override { return m_data.RowSel(); }
    void SetRowSel(int row);
    int ColSel() const override { return m_data.ColSel(); }
    void SetColSel(int col);
    GridHighLight HighLight() const { return m_highLight; }
    void SetHighLight(GridHighLight highLight);
    GridSelectionMode SelectionMode() const { return m_selectionMode; }
    void SetSelectionMode(GridSelectionMode mode);

    // The first scrolling row on screen. Setting it scrolls as far towards
    // that row as the table allows (the last rows fill the view).
    int TopRow() const;
    void SetTopRow(int row);

    // Off: changes are kept but nothing is painted; on again paints once.
    bool Redraw() const { return m_redraw; }
    void SetRedraw(bool redraw);

    // The cell under the mouse at its last move, press or release over the
    // grid; -1 where there is no cell.
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }
    // The tip shown over the grid; changing it while the mouse rests on the
    // grid shows the new text at once, so a MouseMove handler can give each
    // cell its own tip.
    QString ToolTipText() const { return m_toolTip; }
    void SetToolTipText(const QString& text);
    Qt::CursorShape MousePointer() const { return m_pointer; }
    void SetMousePointer(Qt::CursorShape shape);

    // Where a cell (a merged block: the whole block) is drawn, with its grid
    // line at the right and bottom, in the grid's pixels; for placing an
    // editor or a drop-down list at a cell. Empty for a cell that does not
    // exist or lies in a hidden row or column.
    QRect CellRect(int row, int col) const;
    QRect CellRect() const { return CellRect(Row(), Col()); }

    // Used by the grid's own views.
    const CGridData& Data() const { return m_data; }
    bool Highlighted(int row, int col) const;
    QString HeaderText(Qt::Orientation orientation, int section) const;

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPoint pos);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void Click();
    void DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class grid_detail::CRegionView;

    enum Region { kBody, kTop, kLeft, kCorner, kRegionCount };
    struct Shape {
        int rows = 0;
        int cols = 0;
        int fixedRows = 0;
        int fixedCols = 0;
    };

    // Keeping the views in step with the data.
    bool Live() const;
    void ShapeChanged();
    void SizesChanged();
    void CellChanged(int row, int col);
    void SelectionChanged();
    void Schedule();
    void Sync() const;
    void FlushNow();
    void Publish();
    void ApplySizes();
    void ApplySpans();
    void ApplySelection();
    void ApplyTopRow();
    void PlaceRegions();
    void BodyLaidOut();
    void FollowBody();
    void RepaintAll();
    int DefaultRowPixels() const;
    int DefaultColPixels() const;
    int ColPixels(int col) const;
    int RowPixels(int row) const;

    // Mapping between the regions and the grid.
    Region RegionOf(int row, int col) const;
    grid_detail::CRegionView* ViewOf(QObject* viewport) const;
    bool CellAt(Region region, QPoint viewportPos, int& row, int& col) const;

    // Input.
    bool MouseEvent(Region region, QWidget* viewport, QMouseEvent* event);
    void PressCell(int row, int col, Qt::KeyboardModifiers shift);
    void DragTo(int row, int col);
    bool KeyPress(QKeyEvent* event);
    void ShowToolTip(QWidget* viewport, QPoint viewportPos, QPoint globalPos);
    void ScrollIntoView(int row, int col);

    CGridData m_data;
    std::array<grid_detail::CRegionModel*, kRegionCount> m_models{};
    std::array<grid_detail::CRegionView*, kRegionCount> m_views{};
    Shape m_shown; // what the views were last told

    // The colours of SetRowCells and SetRowColors, kept for the next row.
    std::vector<std::optional<GridColor>> m_rowFore;
    std::vector<std::optional<GridColor>> m_rowBack;

    bool m_redraw = true;
    bool m_shapeDirty = true;
    bool m_sizesDirty = true;
    bool m_cellsDirty = false;   // texts, colours or alignment
    bool m_repaintDirty = false; // only the look (selection, highlight, palette)
    bool m_selectionDirty = true;
    bool m_flushPosted = false;
    int m_pendingTopRow = -1;
    bool m_applyingTopRow = false;
    // The views are being reshaped: a scroll position they clamp to their
    // new rows is no scrolling by the user.
    bool m_reshaping = false;
    std::vector<GridSpan> m_spansShown;

    ShownText m_shownText;
    // The widths of the texts FitColsToTexts has measured, in m_widthsFont;
    // dropped when the font changes or they grow too many.
    static constexpr qsizetype kMaxKnownWidths = 1 << 16;
    QHash<QString, int> m_widths;
    QFont m_widthsFont;
    // Numeric texts are added up rather than measured; made for m_widthsFont.
    std::optional<CPlainTextWidths> m_plainWidths;
    GridHighLight m_highLight = GridHighLight::Always;
    GridSelectionMode m_selectionMode = GridSelectionMode::Free;
    QString m_toolTip;
    Qt::CursorShape m_pointer = Qt::ArrowCursor;
    int m_mouseRow = -1;
    int m_mouseCol = -1;

    enum class Drag { None, Cells, Rows, Cols };
    Drag m_drag = Drag::None;
    bool m_pressed = false;
    bool m_doubleClicked = false;
};

} // namespace kelton
