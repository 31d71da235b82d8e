#pragma once

#include <QColor>
#include <QLabel>

namespace kelton {

// A label that shows a colour as its background and is clicked to change
// it: by the mouse, or by Space or Enter once it has the keyboard focus.
// Its caption stays readable on any colour (black on light colours, white
// on dark ones).
class CColourLabel : public QLabel {
    Q_OBJECT

public:
    explicit CColourLabel(const QString& caption, QWidget* parent = nullptr);

    QColor Colour() const { return m_colour; }
    void SetColour(const QColor& colour);

Q_SIGNALS:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_colour;
};

} // namespace kelton
