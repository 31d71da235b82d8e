#include "pickers/ui/sel_val_box.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <qdrawutil.h>

#include "data/text_helpers.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

namespace {

constexpr int kFontPoints = 9;
constexpr int kFrameWidth = 2;
const QColor kUnmarked(255, 200, 200);
const QColor kMarked(255, 100, 0);

// Qt has no way to confine the pointer to a rectangle. The drag keeps its
// band within the box whatever the pointer does; under X11 the pointer is
// also put back onto the box's edge when it leaves it while a button is
// held. Other window systems do not let a program move the pointer.
bool MovesThePointer()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// One cell of the box for screen readers: named after its label, selected
// and checked when marked; its toggle action marks or unmarks it.
class CSelValCellAccessible : public QAccessibleInterface,
                              public QAccessibleTableCellInterface,
                              public QAccessibleActionInterface {
public:
    CSelValCellAccessible(CSelValBox* box, int k) : m_box(box), m_k(k) {}

    bool isValid() const override { return m_box && m_box->Cells() && m_k < m_box->Cells()->Shown(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_box ? m_box->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_box.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_box->CellName(m_k) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = m_box->CellPixels(m_k);
        return QRect(m_box->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.checkable = true;
        state.selected = state.checked = isSelected();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return isValid() && m_box->Cells()->Marked(m_k); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_k % sel_val::kColumns; }
    int rowIndex() const override { return m_k / sel_val::kColumns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override
    {
        if (name == toggleAction() && isValid())
            m_box->SetCellStates({m_k}, !isSelected());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CSelValBox> m_box;
    int m_k;
};

// The box for screen readers: a table of its cells, ten columns wide.
class CSelValBoxAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CSelValBoxAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Table) {}
    ~CSelValBoxAccessible() override
    {
        for (QAccessible::Id id : m_cells) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return Shown(); }
    QAccessibleInterface* child(int index) const override { return Cell(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (size_t k = 0; k < m_cells.size(); ++k) {
            if (m_cells[k] && QAccessible::accessibleInterface(m_cells[k]) == child)
                return static_cast<int>(k);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const CSelValBox* box = Box();
        if (!box->Cells())
            return nullptr;
        const QPoint local = box->mapFromGlobal(QPoint(x, y));
        for (int k = 0; k < Shown(); ++k) {
            if (box->CellPixels(k).contains(local))
                return Cell(k);
        }
        return nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || column >= sel_val::kColumns)
            return nullptr;
        return Cell(row * sel_val::kColumns + column);
    }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (int k = 0; k < Shown(); ++k) {
            if (Box()->Cells()->Marked(k))
                cells << Cell(k);
        }
        return cells;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return std::min(Shown(), sel_val::kColumns); }
    int rowCount() const override { return (Shown() + sel_val::kColumns - 1) / sel_val::kColumns; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    CSelValBox* Box() const { return static_cast<CSelValBox*>(widget()); }
    int Shown() const { return Box()->Cells() ? Box()->Cells()->Shown() : 0; }
    QAccessibleInterface* Cell(int k) const
    {
        if (k < 0 || k >= Shown())
            return nullptr;
        if (m_cells.size() <= static_cast<size_t>(k))
            m_cells.resize(static_cast<size_t>(k) + 1, 0);
        QAccessible::Id& id = m_cells[static_cast<size_t>(k)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CSelValCellAccessible(Box(), k));
        return QAccessible::accessibleInterface(id);
    }

    mutable std::vector<QAccessible::Id> m_cells;
};

QAccessibleInterface* BoxAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(CSelValBox::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new CSelValBoxAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

CSelValBox::CSelValBox(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&BoxAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QStringLiteral("PicVal"));
    setFont(CellFont(font()));
    // Moves after a release go on stretching the hidden band.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont CSelValBox::CellFont(const QFont& base)
{
    QFont font = base;
    font.setPointSize(kFontPoints);
    return font;
}

void CSelValBox::SetCells(CSelValCells* cells, const QStringList& labels, int cellWidth)
{
    m_cells = cells;
    m_labels = labels;
    m_cellWidth = cellWidth;
    update();
}

QString CSelValBox::CellName(int k) const
{
    return m_cells ? TrimBlanks(sel_val::CellText(k, m_labels, m_cells->MinVal())) : QString();
}

QRect CSelValBox::CellPixels(int k) const
{
    return TwipsRectToScreen(sel_val::CellRect(k, m_cellWidth), this);
}

void CSelValBox::SetCellStates(const std::vector<int>& cells, bool mark)
{
    if (!m_cells)
        return;
    for (int k : cells) {
        m_cells->SetMarked(k, mark);
        Announce(k);
    }
    update();
    Q_EMIT CellsChanged();
}

void CSelValBox::Refresh()
{
    update();
    Q_EMIT CellsChanged();
}

void CSelValBox::Announce(int k)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    event.setChild(k);
    QAccessible::updateAccessibility(&event);
}

void CSelValBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    qDrawShadePanel(&painter, rect(), palette(), true, kFrameWidth);
    if (!m_cells)
        return;
    const QFontMetrics metrics(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (int k = 0; k < m_cells->Shown(); ++k) {
        const QRect cell = CellPixels(k);
        painter.fillRect(cell, m_cells->Marked(k) ? kMarked : kUnmarked);
        painter.drawText(QPointF(cell.x(), cell.y() + metrics.ascent()),
                         sel_val::CellText(k, m_labels, m_cells->MinVal()));
    }
    if (m_drag.BandVisible()) {
        const QRectF band = m_drag.Band();
        const QRect pixels = TwipsRectToScreen(
            QRect(qRound(band.x()), qRound(band.y()), qRound(band.width()), qRound(band.height())), this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(pixels);
    }
}

QPointF CSelValBox::ToTwips(QPointF pixels) const
{
    return {ScreenPixelsToTwips(pixels.x(), this), ScreenPixelsToTwips(pixels.y(), this)};
}

QPoint CSelValBox::Confined(QPoint pixels) const
{
    return {std::clamp(pixels.x(), 0, std::max(width() - 1, 0)),
            std::clamp(pixels.y(), 0, std::max(height() - 1, 0))};
}

CSelValDrag::Button CSelValBox::ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return CSelValDrag::Button::Left;
    case Qt::RightButton:
        return CSelValDrag::Button::Right;
    default:
        return CSelValDrag::Button::Other;
    }
}

void CSelValBox::mousePressEvent(QMouseEvent* event)
{
    const CSelValDrag::Button button = ButtonOf(event->button());
    if (button == CSelValDrag::Button::Other)
        return;
    m_drag.Press(button, ToTwips(Confined(event->position().toPoint())));
    update();
}

void CSelValBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_drag.Armed())
        return;
    QPoint at = event->position().toPoint();
    if (event->buttons() & (Qt::LeftButton | Qt::RightButton)) {
        // From the press to the release the pointer stays within the box.
        const QPoint inside = Confined(at);
        if (inside != at && MovesThePointer())
            QCursor::setPos(mapToGlobal(inside));
        at = inside;
    }
    m_drag.Move(ToTwips(at));
    if (m_drag.BandVisible())
        update();
}

void CSelValBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool shown = m_drag.BandVisible();
    const std::optional<CSelValDrag::Apply> apply = m_drag.Release(ButtonOf(event->button()));
    if (apply && m_cells)
        SetCellStates(m_cells->TouchedCells(apply->Band, m_cellWidth), apply->Mark);
    else if (shown)
        update();
}

// A double click marks (left) or unmarks (right) the cell under the
// pointer, as the instructions say; it does not start a drag.
void CSelValBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const CSelValDrag::Button button = ButtonOf(event->button());
    if (button == CSelValDrag::Button::Other || !m_cells)
        return;
    const int k = m_cells->CellAt(ToTwips(event->position()), m_cellWidth);
    if (k >= 0)
        SetCellStates({k}, button == CSelValDrag::Button::Left);
}

} // namespace kelton
