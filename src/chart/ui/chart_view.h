#pragma once

#include <QWidget>

#include "chart/chart_picture.h"
#include "chart/ui/chart_painter.h"

namespace kelton {

// The drawing surface of the chart control: paints one picture with
// QPainter and leaves a band at its bottom free for the title box that lies
// over it. It takes no keyboard focus.
class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    void SetPicture(ChartPicture picture);
    const ChartPicture& Picture() const { return m_picture; }

    void SetBottomReserve(int pixels);
    int BottomReserve() const { return m_bottomReserve; }

    // The style the view paints with: its font and the screen's resolution.
    ChartPaintStyle PaintStyle() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartPicture m_picture;
    int m_bottomReserve = 0;
};

} // namespace kelton
