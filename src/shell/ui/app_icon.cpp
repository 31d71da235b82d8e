#include "shell/ui/app_icon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace kelton {

namespace {

// The picture on a 64 by 64 canvas, scaled to `size` pixels.
QPixmap DrawAppIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The tile.
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(214, 48, 42));
    tile.setColorAt(1, QColor(150, 22, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);

    // The white ball with its letter.
    QRadialGradient ball(QPointF(22, 22), 30);
    ball.setColorAt(0, Qt::white);
    ball.setColorAt(1, QColor(222, 226, 232));
    p.setBrush(ball);
    p.drawEllipse(QRectF(8, 12, 42, 42));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(170, 26, 30));
    p.drawText(QRectF(8, 12, 42, 42), Qt::AlignCenter, QStringLiteral("K"));

    // The gold ball.
    QRadialGradient gold(QPointF(49, 13), 11);
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(1, QColor(232, 168, 20));
    p.setPen(QPen(QColor(150, 22, 26), 1.5));
    p.setBrush(gold);
    p.drawEllipse(QRectF(40, 5, 18, 18));
    return pixmap;
}

} // namespace

QIcon AppIcon()
{
    static const QIcon icon = [] {
        QIcon made;
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            made.addPixmap(DrawAppIcon(size));
        return made;
    }();
    return icon;
}

} // namespace kelton
