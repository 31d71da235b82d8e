// Mouse, keyboard and tooltip handling of CFlexGrid.

#include <algorithm>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>

#include "platform/ui/flex_grid.h"
#include "platform/ui/flex_grid_views.h"

namespace kelton {

using grid_detail::CRegionView;

CRegionView* CFlexGrid::ViewOf(QObject* viewport) const
{
    for (CRegionView* view : m_views)
        if (view->viewport() == viewport)
            return view;
    return nullptr;
}

bool CFlexGrid::CellAt(Region region, QPoint viewportPos, int& row, int& col) const
{
    const CRegionView* view = m_views[region];
    const int r = view->rowAt(viewportPos.y());
    const int c = view->columnAt(viewportPos.x());
    if (r < 0 || c < 0)
        return false;
    row = view->Model()->RowBase() + r;
    col = view->Model()->ColBase() + c;
    return true;
}

bool CFlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_views[kCorner])
        return false; // torn down
    CRegionView* body = m_views[kBody];
    if (watched == body) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return KeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            if (body->accessibleName() != accessibleName())
                body->setAccessibleName(accessibleName());
            [[fallthrough]];
        case QEvent::FocusOut:
            if (m_highLight == GridHighLight::WithFocus)
                RepaintAll();
            return false;
        default:
            return false;
        }
    }
    CRegionView* view = ViewOf(watched);
    if (!view)
        return QWidget::eventFilter(watched, event);
    const Region region =
        static_cast<Region>(std::find(m_views.begin(), m_views.end(), view) - m_views.begin());
    QWidget* viewport = view->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return MouseEvent(region, viewport, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
        if (region == kBody)
            return false;
        QCoreApplication::sendEvent(body->viewport(), event);
        return true;
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowToolTip(viewport, help->pos(), help->globalPos());
        return true;
    }
    default:
        return false;
    }
}

bool CFlexGrid::MouseEvent(Region region, QWidget* viewport, QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    int row = -1;
    int col = -1;
    const bool onCell = CellAt(region, pos, row, col);
    m_mouseRow = onCell ? row : -1;
    m_mouseCol = onCell ? col : -1;
    const QPoint gridPos = viewport->mapTo(this, pos);
    const Qt::KeyboardModifiers shift = event->modifiers();

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_views[kBody]->setFocus(Qt::MouseFocusReason);
        if (event->button() == Qt::LeftButton) {
            m_pressed = true;
            m_doubleClicked = false;
            m_drag = Drag::None;
            if (onCell)
                PressCell(row, col, shift);
        }
        Q_EMIT MouseDown(event->button(), shift, gridPos);
        break;
    case QEvent::MouseButtonDblClick:
        if (event->button() == Qt::LeftButton) {
            m_pressed = true;
            m_doubleClicked = true;
            m_drag = Drag::None;
            Q_EMIT DblClick();
        } else {
            Q_EMIT MouseDown(event->button(), shift, gridPos);
        }
        break;
    case QEvent::MouseMove:
        if (m_pressed && (event->buttons() & Qt::LeftButton) && m_drag != Drag::None) {
            // Past the edge of the cells the selection follows the nearest
            // cell and the grid scrolls a row or column at a time.
            const QRect area = viewport->rect();
            QScrollBar* vertical = m_views[kBody]->verticalScrollBar();
            QScrollBar* horizontal = m_views[kBody]->horizontalScrollBar();
            if (pos.y() >= area.height() && region != kTop && region != kCorner)
                vertical->setValue(vertical->value() + 1);
            else if (pos.y() < 0 && region != kTop && region != kCorner)
                vertical->setValue(vertical->value() - 1);
            if (pos.x() >= area.width() && region != kLeft && region != kCorner)
                horizontal->setValue(horizontal->value() + 1);
            else if (pos.x() < 0 && region != kLeft && region != kCorner)
                horizontal->setValue(horizontal->value() - 1);
            const CRegionView* view = m_views[region];
            const QPoint inside(std::clamp(pos.x(), 0, std::max(area.width() - 1, 0)),
                                std::clamp(pos.y(), 0, std::max(area.height() - 1, 0)));
            int r = view->rowAt(inside.y());
            int c = view->columnAt(inside.x());
            r = r < 0 ? Rows() - 1 : view->Model()->RowBase() + r;
            c = c < 0 ? Cols() - 1 : view->Model()->ColBase() + c;
            DragTo(r, c);
        }
        Q_EMIT MouseMove(event->buttons(), shift, gridPos);
        break;
    case QEvent::MouseButtonRelease: {
        const bool click = event->button() == Qt::LeftButton && m_pressed && !m_doubleClicked;
        if (event->button() == Qt::LeftButton) {
            m_pressed = false;
            m_doubleClicked = false;
            m_drag = Drag::None;
        }
        const QPointer<CFlexGrid> alive(this); // a handler may close the window
        Q_EMIT MouseUp(event->button(), shift, gridPos);
        if (click && alive)
            Q_EMIT Click();
        break;
    }
    default:
        break;
    }
    return true;
}

void CFlexGrid::PressCell(int row, int col, Qt::KeyboardModifiers shift)
{
    const int fixedRows = FixedRows();
    const int fixedCols = FixedCols();
    const bool extend = shift & Qt::ShiftModifier;
    const bool bodyRow = row >= fixedRows;
    const bool bodyCol = col >= fixedCols;
    if (bodyRow && bodyCol)
        m_drag = Drag::Cells;
    else if (bodyRow && Cols() > fixedCols)
        m_drag = Drag::Rows; // a fixed column selects whole rows
    else if (bodyCol && Rows() > fixedRows)
        m_drag = Drag::Cols; // a fixed row whole columns
    else
        return;
    if (!extend) {
        const bool wholeRows = m_drag == Drag::Rows || m_selectionMode == GridSelectionMode::ByRow;
        const bool wholeCols = m_drag == Drag::Cols || m_selectionMode == GridSelectionMode::ByColumn;
        m_data.SetRow(wholeCols ? fixedRows : row);
        m_data.SetCol(wholeRows ? fixedCols : col);
    }
    DragTo(row, col);
}

void CFlexGrid::DragTo(int row, int col)
{
    row = std::clamp(row, FixedRows(), std::max(Rows() - 1, FixedRows()));
    col = std::clamp(col, FixedCols(), std::max(Cols() - 1, FixedCols()));
    if (m_drag == Drag::Rows || m_selectionMode == GridSelectionMode::ByRow)
        col = Cols() - 1;
    if (m_drag == Drag::Cols || m_selectionMode == GridSelectionMode::ByColumn)
        row = Rows() - 1;
    m_data.SetRowSel(row);
    m_data.SetColSel(col);
    SelectionChanged();
}

bool CFlexGrid::KeyPress(QKeyEvent* event)
{
    const int fixedRows = FixedRows();
    const int fixedCols = FixedCols();
    if (Rows() <= fixedRows || Cols() <= fixedCols)
        return false;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    int row = extend ? RowSel() : Row();
    int col = extend ? ColSel() : Col();
    const int page = std::max(m_views[kBody]->viewport()->height() / std::max(DefaultRowPixels(), 1) - 1, 1);
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        (control ? row : col) = 0;
        break;
    case Qt::Key_End:
        (control ? row : col) = (control ? Rows() : Cols()) - 1;
        break;
    default:
        return false;
    }
    row = std::clamp(row, fixedRows, Rows() - 1);
    col = std::clamp(col, fixedCols, Cols() - 1);
    if (extend) {
        m_data.SetRowSel(row);
        m_data.SetColSel(col);
    } else {
        m_data.SetRow(row);
        m_data.SetCol(col);
    }
    if (m_selectionMode == GridSelectionMode::ByRow) {
        if (!extend)
            m_data.SetCol(fixedCols);
        m_data.SetColSel(Cols() - 1);
    } else if (m_selectionMode == GridSelectionMode::ByColumn) {
        if (!extend)
            m_data.SetRow(fixedRows);
        m_data.SetRowSel(Rows() - 1);
    }
    ScrollIntoView(row, col);
    SelectionChanged();
    return true;
}

void CFlexGrid::ScrollIntoView(int row, int col)
{
    Sync();
    if (m_data.IsFixed(row, col) || !m_data.Contains(row, col))
        return;
    m_pendingTopRow = -1;
    m_views[kBody]->scrollTo(m_models[kBody]->index(row - m_shown.fixedRows, col - m_shown.fixedCols));
}

void CFlexGrid::ShowToolTip(QWidget* viewport, QPoint viewportPos, QPoint globalPos)
{
    if (m_toolTip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // The tip stays while the mouse stays on its cell.
    QRect area = viewport->rect();
    const CRegionView* view = ViewOf(viewport);
    const int r = view->rowAt(viewportPos.y());
    const int c = view->columnAt(viewportPos.x());
    if (r >= 0 && c >= 0)
        area = view->visualRect(view->model()->index(r, c));
    QToolTip::showText(globalPos, m_toolTip, viewport, area);
}

} // namespace kelton
