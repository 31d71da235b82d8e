#pragma once

#include <QStringList>
#include <QWidget>

#include "pickers/sel_val.h"

namespace kelton {

// The value picker's cell box: one coloured cell per value, ten to a row,
// drawn at their twips places. The left button marks and the right button
// unmarks, by dragging a band over cells (the pointer stays within the box
// until the release) or by double-clicking a cell; a plain click changes
// nothing. For screen readers the box is a table of the cells, each named
// after its label, selected when marked and toggled by its action.
class CSelValBox : public QWidget {
    Q_OBJECT

public:
    explicit CSelValBox(QWidget* parent = nullptr);

    // The cells to show and change (not owned), their labels and width W in
    // twips.
    void SetCells(CSelValCells* cells, const QStringList& labels, int cellWidth);
    CSelValCells* Cells() const { return m_cells; }
    int CellWidth() const { return m_cellWidth; }
    QString CellName(int k) const;

    // Where cell k is drawn, in the box's pixels.
    QRect CellPixels(int k) const;
    // The band while it is shown, in the box's pixels.
    const CSelValDrag& Drag() const { return m_drag; }

    // Marks or unmarks cells and draws them again.
    void SetCellStates(const std::vector<int>& cells, bool mark);
    // Draws every cell again after the marking changed as a whole.
    void Refresh();

    // The box's own font, in which W is measured.
    static QFont CellFont(const QFont& base);

Q_SIGNALS:
    void CellsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPointF ToTwips(QPointF pixels) const;
    QPoint Confined(QPoint pixels) const;
    static CSelValDrag::Button ButtonOf(Qt::MouseButton button);
    void Announce(int k);

    CSelValCells* m_cells = nullptr;
    QStringList m_labels;
    int m_cellWidth = sel_val::kMinCellWidth;
    CSelValDrag m_drag;
};

} // namespace kelton
