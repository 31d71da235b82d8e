#include "chart/ui/chart_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPaintEvent>
#include <QPainter>

#include "chart/ui/chart_painter.h"

namespace kelton {

namespace {

// Screen readers meet the drawing as a chart, named by its title and
// described by what it shows.
QAccessibleInterface* ChartAccessible(const QString& key, QObject* object)
{
    if (key == QLatin1String(ChartView::staticMetaObject.className()) && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(ChartAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("chMain"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("图表"));
    setAccessibleDescription(DescribeChart(m_picture));
}

void ChartView::SetPicture(ChartPicture picture)
{
    m_picture = std::move(picture);
    setAccessibleDescription(DescribeChart(m_picture));
    update();
}

void ChartView::SetBottomReserve(int pixels)
{
    if (m_bottomReserve == pixels)
        return;
    m_bottomReserve = pixels;
    update();
}

ChartPaintStyle ChartView::PaintStyle() const
{
    ChartPaintStyle style;
    style.Font = font();
    style.Dpi = logicalDpiX();
    style.BottomReserve = m_bottomReserve;
    return style;
}

void ChartView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    PaintChart(painter, size(), m_picture, PaintStyle());
}

} // namespace kelton
