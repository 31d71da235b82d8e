#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

namespace kelton {

// The value picker's rules: the cells of a value range, ten to a row, laid
// out in twips; their marking, the quick choices, the drag band and the
// value-set text that comes back. The dialog (pickers/ui/sel_val_dialog.h)
// only applies them.
namespace sel_val {

inline constexpr int kMaxCells = 930; // the box stays below 32768 twips high
inline constexpr int kColumns = 10;
inline constexpr int kMinCellWidth = 400;
inline constexpr int kCellHeight = 200;
inline constexpr int kCellGap = 250; // before each column, and left of the first
inline constexpr int kRowPitch = 350;
inline constexpr int kFirstRowTop = 150;
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 375;

// The three lines of the instruction label.
QString Instructions();

// The cell width W: the width of the last label in twips, at least 400.
int CellWidth(std::optional<double> lastLabelTwips);

// Cell k's box in the cell box: column k mod 10, row k div 10, W x 200.
QRect CellRect(int k, int cellWidth);

// The cell box of a number of cells (one row at least).
QSize BoxSize(int cells, int cellWidth);

// Where everything of the window goes, in twips. Outer is the window's size
// frame included.
struct Layout {
    QRect LblMsg;
    QRect PicVal;
    QRect TxtMsg; // empty without a hint
    QRect CboChoose;
    QRect CmdOk;
    QRect CmdCancel;
    QSize Outer;
};
Layout LayOut(int cells, int cellWidth, bool withHint);

// The labels of ValName: trimmed and cut at every ";"; none for the empty text.
QStringList Labels(const QString& valName);

// What cell k shows: its label, or its value without labels; one- and
// two-character texts are indented to end where three characters end.
QString CellText(int k, const QStringList& labels, int minVal);

} // namespace sel_val

// The marking of the cells of MinVal..MaxVal, one cell per value. Only the
// first kMaxCells cells are shown and take the user's changes; values past
// them keep what the text given to Load said.
class CSelValCells {
public:
    CSelValCells(int16_t minVal, int16_t maxVal);

    int Count() const { return static_cast<int>(m_marked.size()); }
    int Shown() const { return std::min<int>(Count(), sel_val::kMaxCells); }
    int16_t MinVal() const { return m_min; }
    int16_t MaxVal() const { return m_max; }

    bool Marked(int k) const { return k >= 0 && k < Count() && m_marked[static_cast<size_t>(k)]; }
    void SetMarked(int k, bool marked);

    // Unmarks every cell, then marks the values of the value-set text (read
    // within MinVal..MaxVal, so values beyond the range mark the end cells).
    void Load(const QString& strVal);

    // The shown cells whose boxes the rectangle (in twips) touches, an edge
    // included; a rectangle within the gaps touches none.
    std::vector<int> TouchedCells(const QRectF& twips, int cellWidth) const;
    // The shown cell whose box holds the point; -1 in a gap.
    int CellAt(QPointF twips, int cellWidth) const;

    // Replaces the marking of the shown cells by a quick choice's verdicts
    // (thirds counted in cells: n div 3); cells without a verdict keep
    // their state.
    void ApplyQuickChoice(int entry);

    // The marked values as value-set text: "3-5 7"; empty when none.
    QString Result() const;

private:
    int16_t m_min;
    int16_t m_max;
    std::vector<bool> m_marked;
};

// The band the user drags over the cell box with the left (mark) or the
// right (unmark) button. A press arms the drag at its point; every move
// while armed stretches the band between the press point and the pointer;
// the release hides the band and hands it on when the pointer moved since
// the press. The release does not disarm: moves after it go on stretching
// the hidden band, until the next press arms it afresh.
class CSelValDrag {
public:
    enum class Button { Other, Left, Right };
    struct Apply {
        QRectF Band;
        bool Mark;
    };

    void Press(Button button, QPointF at);
    void Move(QPointF to);
    std::optional<Apply> Release(Button button);

    bool Armed() const { return m_armed; }
    bool BandVisible() const { return m_visible; }
    QRectF Band() const { return m_band; }

private:
    Button m_button = Button::Other;
    QPointF m_start;
    QRectF m_band;
    bool m_armed = false;
    bool m_moved = false;
    bool m_visible = false;
};

} // namespace kelton
