#include "platform/ui/flex_grid_views.h"

#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>

#include "platform/ui/flex_grid.h"

namespace kelton::grid_detail {

namespace {

// Text left, numbers right, as a grid aligns cells nobody aligned.
Qt::Alignment GeneralAlignment(const QString& text)
{
    bool number = false;
    text.trimmed().toDouble(&number);
    return number ? Qt::AlignRight : Qt::AlignLeft;
}

} // namespace

CRegionModel::CRegionModel(CFlexGrid* grid, bool fixedRows, bool fixedCols, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_fixedRows(fixedRows), m_fixedCols(fixedCols)
{
}

int CRegionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CRegionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

void CRegionModel::SetWindow(int rowBase, int rows, int colBase, int cols)
{
    m_rowBase = rowBase;
    m_rows = rows;
    m_colBase = colBase;
    m_cols = cols;
}

void CRegionModel::AllChanged()
{
    if (m_rows > 0 && m_cols > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

QVariant CRegionModel::data(const QModelIndex& index, int role) const
{
    const CGridData& cells = m_grid->Data();
    const int row = m_rowBase + index.row();
    const int col = m_colBase + index.column();
    if (!index.isValid() || !cells.Contains(row, col))
        return QVariant();
    const bool fixed = m_fixedRows || m_fixedCols;
    switch (role) {
    case Qt::DisplayRole:
        return m_grid->ShownTextOf(row, col);
    case Qt::TextAlignmentRole: {
        Qt::Alignment alignment = fixed ? cells.FixedAlignment(col) : Qt::Alignment();
        if (!alignment)
            alignment = cells.ColAlignment(col);
        if (!(alignment & Qt::AlignHorizontal_Mask))
            alignment |= GeneralAlignment(cells.Text(row, col));
        if (!(alignment & Qt::AlignVertical_Mask))
            alignment |= Qt::AlignVCenter;
        return QVariant::fromValue(alignment);
    }
    case Qt::BackgroundRole: {
        const GridColor color = cells.BackColor(row, col);
        if (color != kNoGridColor)
            return QColor::fromRgb(color);
        // Painted over whatever the view drew beneath a cell.
        return fixed ? m_grid->BackColorFixed() : m_grid->palette().color(QPalette::Base);
    }
    case Qt::ForegroundRole: {
        const GridColor color = cells.ForeColor(row, col);
        if (color != kNoGridColor)
            return QColor::fromRgb(color);
        return fixed ? QVariant(m_grid->palette().color(QPalette::ButtonText)) : QVariant();
    }
    default:
        return QVariant();
    }
}

Qt::ItemFlags CRegionModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_fixedRows || m_fixedCols)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant CRegionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    const int base = orientation == Qt::Horizontal ? m_colBase : m_rowBase;
    return m_grid->HeaderText(orientation, base + section);
}

CCellDelegate::CCellDelegate(CFlexGrid* grid, const CRegionModel* model, QObject* parent)
    : QStyledItemDelegate(parent), m_grid(grid), m_model(model)
{
}

void CCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    QStyleOptionViewItem cell(option);
    const int row = m_model->RowBase() + index.row();
    const int col = m_model->ColBase() + index.column();
    cell.state.setFlag(QStyle::State_Selected, m_grid->Highlighted(row, col));
    const CGridData& cells = m_grid->Data();
    if (row != cells.Row() || col != cells.Col())
        cell.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, cell, index);
}

CRegionView::CRegionView(CFlexGrid* grid, CRegionModel* model, bool body, QWidget* parent)
    : QTableView(parent), m_grid(grid), m_model(model), m_body(body)
{
    if (body) {
        setHorizontalHeader(new CRoomHeader(Qt::Horizontal, this));
        setVerticalHeader(new CRoomHeader(Qt::Vertical, this));
    }
    setModel(model);
    setItemDelegate(new CCellDelegate(grid, model, this));
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setVisible(body);
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::NoSelection); // the grid selects, see CFlexGrid
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setAutoScroll(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    viewport()->setMouseTracking(true);
    if (!body) {
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        viewport()->setFocusPolicy(Qt::NoFocus);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

bool CRegionView::SetRoom(int left, int top)
{
    // Both headers take their room, whether or not the first changed.
    const bool rows = static_cast<CRoomHeader*>(verticalHeader())->SetRoom(left);
    const bool cols = static_cast<CRoomHeader*>(horizontalHeader())->SetRoom(top);
    return rows || cols;
}

void CRegionView::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_body)
        m_grid->BodyLaidOut();
    else
        m_grid->FollowBody();
}

} // namespace kelton::grid_detail
