#include "chart/ui/chart_view.h"

#include <QPaintEvent>
#include <QPainter>

#include "chart/ui/chart_painter.h"

namespace kelton {

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
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
