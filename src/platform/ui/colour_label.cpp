#include "platform/ui/colour_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kelton {

CColourLabel::CColourLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    SetColour(Qt::white);
}

void CColourLabel::SetColour(const QColor& colour)
{
    m_colour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    const int luminance = (299 * colour.red() + 587 * colour.green() + 114 * colour.blue()) / 1000;
    palette.setColor(QPalette::WindowText, luminance < 128 ? Qt::white : Qt::black);
    setPalette(palette);
    setAccessibleDescription(colour.name());
}

void CColourLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT Clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CColourLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT Clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

} // namespace kelton
