#pragma once

// The inside of CFlexGrid: four table views over four windows on the one
// CGridData. The scrolling cells fill the grid; the fixed rows, the fixed
// columns and their corner lie over its margins and follow its scrolling.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace kelton {

class CFlexGrid;

namespace grid_detail {

// One region of the grid as a table model: the rows from RowBase and the
// columns from ColBase, as many as the views were last told. Fixed cells are
// enabled but not selectable. The scrolling region names its columns and
// rows after their fixed cells, which is what a screen reader announces as
// the headers.
class CRegionModel : public QAbstractTableModel {
public:
    CRegionModel(CFlexGrid* grid, bool fixedRows, bool fixedCols, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int RowBase() const { return m_rowBase; }
    int ColBase() const { return m_colBase; }
    bool FixedRows() const { return m_fixedRows; }
    bool FixedCols() const { return m_fixedCols; }

    void BeginReset() { beginResetModel(); }
    void SetWindow(int rowBase, int rows, int colBase, int cols);
    void EndReset() { endResetModel(); }
    // Tells the views that every cell may have changed.
    void AllChanged();

private:
    CFlexGrid* m_grid;
    bool m_fixedRows;
    bool m_fixedCols;
    int m_rowBase = 0;
    int m_rows = 0;
    int m_colBase = 0;
    int m_cols = 0;
};

// Paints the grid's own selection instead of the view's.
class CCellDelegate : public QStyledItemDelegate {
public:
    CCellDelegate(CFlexGrid* grid, const CRegionModel* model, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    CFlexGrid* m_grid;
    const CRegionModel* m_model;
};

// The scrolling view's headers only keep the room for the fixed rows and
// columns, which the fixed views cover; they draw nothing themselves but
// still hold the row heights and column widths, as a table view's headers
// do.
class CRoomHeader : public QHeaderView {
public:
    CRoomHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {}
    QSize sizeHint() const override
    {
        return orientation() == Qt::Vertical ? QSize(m_room, 0) : QSize(0, m_room);
    }
    // True when the room changed.
    bool SetRoom(int pixels)
    {
        if (pixels == m_room)
            return false;
        m_room = pixels;
        return true;
    }

protected:
    void paintEvent(QPaintEvent*) override {}

private:
    int m_room = 0;
};

class CRegionView : public QTableView {
public:
    CRegionView(CFlexGrid* grid, CRegionModel* model, bool body, QWidget* parent);

    CRegionModel* Model() const { return m_model; }
    // Keeps room for the fixed columns at the left and the fixed rows at the
    // top (the scrolling view only); true when the room changed.
    bool SetRoom(int left, int top);
    // Brings the scroll ranges up to date now.
    void Refit() { updateGeometries(); }

    // Typing does not move the current cell.
    void keyboardSearch(const QString&) override {}

protected:
    void updateGeometries() override;

private:
    CFlexGrid* m_grid;
    CRegionModel* m_model;
    bool m_body;
};

} // namespace grid_detail
} // namespace kelton
