#include "host/ui/tool_icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRadialGradient>

namespace kelton {

namespace {

constexpr int kSize = 32;

void DrawBall(QPainter& p)
{
    QRadialGradient g(QPointF(12, 11), 16);
    g.setColorAt(0, QColor(255, 180, 170));
    g.setColorAt(1, QColor(200, 30, 30));
    p.setBrush(g);
    p.setPen(QPen(QColor(130, 20, 20), 1));
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("3D"));
}

void DrawSheet(QPainter& p)
{
    p.setPen(QPen(QColor(70, 90, 120), 1.2));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(6, 3, 18, 25));
    p.setPen(QPen(QColor(60, 110, 190), 1.5));
    for (int y = 9; y <= 23; y += 5)
        p.drawLine(QPointF(9, y), QPointF(21, y));
    // pencil
    p.setPen(QPen(QColor(120, 70, 20), 1));
    p.setBrush(QColor(240, 190, 60));
    QPolygonF pencil;
    pencil << QPointF(28, 12) << QPointF(31, 15) << QPointF(19, 27) << QPointF(15, 29) << QPointF(16, 24);
    p.drawPolygon(pencil);
}

void DrawMagnifier(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(QColor(50, 80, 140), 2.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(210, 150, 0), 1.5));
    p.setFont([&] {
        QFont f = p.font();
        f.setPixelSize(11);
        f.setBold(true);
        return f;
    }());
    p.drawText(QRectF(4, 4, 17, 17), Qt::AlignCenter, QStringLiteral("￥"));
}

void DrawBars(QPainter& p)
{
    p.setPen(QPen(QColor(80, 80, 80), 1.2));
    p.drawLine(QPointF(4, 28), QPointF(29, 28));
    p.drawLine(QPointF(4, 28), QPointF(4, 4));
    const QColor colours[] = {QColor(60, 130, 220), QColor(230, 120, 40), QColor(70, 170, 80),
                              QColor(200, 60, 60)};
    const int heights[] = {10, 18, 13, 22};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.setPen(colours[i].darker(140));
        p.drawRect(QRectF(7 + i * 5.5, 27 - heights[i], 4, heights[i]));
    }
}

void DrawFormula(QPainter& p)
{
    p.setPen(QPen(QColor(40, 90, 160), 1.2));
    p.setBrush(QColor(235, 242, 255));
    p.drawRoundedRect(QRectF(2, 5, 28, 22), 4, 4);
    QFont f = p.font();
    f.setPixelSize(14);
    f.setItalic(true);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(150, 30, 120));
    p.drawText(QRectF(2, 5, 28, 22), Qt::AlignCenter, QStringLiteral("f(x)"));
}

void DrawFunnel(QPainter& p)
{
    QLinearGradient g(0, 0, kSize, 0);
    g.setColorAt(0, QColor(90, 170, 230));
    g.setColorAt(1, QColor(30, 90, 170));
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 60, 120), 1.2));
    QPolygonF funnel;
    funnel << QPointF(3, 5) << QPointF(29, 5) << QPointF(19, 17) << QPointF(19, 27) << QPointF(13, 30)
           << QPointF(13, 17);
    p.drawPolygon(funnel);
}

void DrawFolder(QPainter& p)
{
    p.setPen(QPen(QColor(150, 110, 20), 1.2));
    p.setBrush(QColor(250, 210, 90));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(14, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(255, 230, 140));
    QPolygonF front;
    front << QPointF(3, 26) << QPointF(7, 15) << QPointF(31, 15) << QPointF(27, 26);
    p.drawPolygon(front);
}

void DrawDisk(QPainter& p)
{
    p.setPen(QPen(QColor(30, 40, 90), 1.2));
    p.setBrush(QColor(60, 80, 170));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(8, 17, 16, 11));
    p.setBrush(QColor(60, 80, 170));
    p.drawRect(QRectF(18, 5.5, 3, 6));
}

void DrawHelp(QPainter& p)
{
    QRadialGradient g(QPointF(12, 11), 16);
    g.setColorAt(0, QColor(170, 220, 255));
    g.setColorAt(1, QColor(30, 110, 200));
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 70, 140), 1));
    p.drawEllipse(QRectF(4, 4, 24, 24));
    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawGlobe(QPainter& p)
{
    p.setBrush(QColor(120, 200, 240));
    p.setPen(QPen(QColor(20, 90, 150), 1.4));
    const QRectF r(4, 4, 24, 24);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 4, 12, 24));
    p.drawLine(QPointF(16, 4), QPointF(16, 28));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.drawLine(QPointF(6, 10), QPointF(26, 10));
    p.drawLine(QPointF(6, 22), QPointF(26, 22));
}

void DrawArrow(QPainter& p, bool right)
{
    p.setPen(QPen(QColor(20, 110, 40), 1.2));
    p.setBrush(QColor(60, 180, 80));
    QPolygonF arrow;
    arrow << QPointF(4, 12) << QPointF(16, 12) << QPointF(16, 5) << QPointF(29, 16) << QPointF(16, 27)
          << QPointF(16, 20) << QPointF(4, 20);
    if (!right) {
        for (QPointF& pt : arrow)
            pt.setX(kSize - pt.x());
    }
    p.drawPolygon(arrow);
}

// A circular arrow: the list renewed.
void DrawRenew(QPainter& p)
{
    p.setPen(QPen(QColor(30, 90, 170), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 6, 20, 20), 100 * 16, 280 * 16);
    p.setPen(QPen(QColor(30, 90, 170), 1));
    p.setBrush(QColor(30, 90, 170));
    QPolygonF head;
    head << QPointF(15, 1) << QPointF(23, 6) << QPointF(15, 11);
    p.drawPolygon(head);
}

} // namespace

QIcon ToolIcon(const QString& sKey)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (sKey == QLatin1String("Lottor"))
        DrawBall(p);
    else if (sKey == QLatin1String("Edit"))
        DrawSheet(p);
    else if (sKey == QLatin1String("Query"))
        DrawMagnifier(p);
    else if (sKey == QLatin1String("Data"))
        DrawBars(p);
    else if (sKey == QLatin1String("Way"))
        DrawFormula(p);
    else if (sKey == QLatin1String("Filter"))
        DrawFunnel(p);
    else if (sKey == QLatin1String("Open"))
        DrawFolder(p);
    else if (sKey == QLatin1String("Save"))
        DrawDisk(p);
    else if (sKey == QLatin1String("Help"))
        DrawHelp(p);
    else if (sKey == QLatin1String("Online"))
        DrawGlobe(p);
    else if (sKey == QLatin1String("Prev"))
        DrawArrow(p, false);
    else if (sKey == QLatin1String("Next"))
        DrawArrow(p, true);
    else if (sKey == QLatin1String("Refresh"))
        DrawRenew(p);
    p.end();
    return QIcon(pixmap);
}

} // namespace kelton
