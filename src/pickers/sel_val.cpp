#include "pickers/sel_val.h"

#include <algorithm>
#include <cmath>

#include "data/text_helpers.h"
#include "data/value_set.h"
#include "pickers/quick_choice.h"

namespace kelton {

namespace sel_val {

namespace {
constexpr int kBoxLeft = 120;
constexpr int kBoxTop = 840;
constexpr int kLabelLeft = 240;
constexpr int kLabelTop = 60;
constexpr int kLabelHeight = 765; // three lines of Chinese text, down to just above the box
constexpr int kHintHeight = 615;
constexpr int kSpacing = 120; // between the box, the hint and the buttons
constexpr int kChooseWidth = 1695;
constexpr int kChooseHeight = 330;
constexpr int kChooseDrop = 20; // the list sits this much below the buttons' top
constexpr int kButtonSpacing = 250;
constexpr int kButtonsInset = 500; // "取消" starts 2 buttons and this much short of the box's end
constexpr int kExtraWidth = 350;
constexpr int kExtraHeight = 460;
} // namespace

QString Instructions()
{
    return QStringLiteral(u"双击鼠标左键选择，双击右键取消选择。\r\n"
                          u"大范围选值：按下鼠标左键，然后拖向所要选择的区域，再放开鼠标左键。\r\n"
                          u"大范围取消选值：按下鼠标右键，然后拖向所要选择的区域，再放开鼠标右键。");
}

int CellWidth(std::optional<double> lastLabelTwips)
{
    if (!lastLabelTwips || *lastLabelTwips < kMinCellWidth)
        return kMinCellWidth;
    return static_cast<int>(std::ceil(*lastLabelTwips));
}

QRect CellRect(int k, int cellWidth)
{
    const int column = k % kColumns;
    const int row = k / kColumns;
    return {column * (cellWidth + kCellGap) + kCellGap, row * kRowPitch + kFirstRowTop, cellWidth,
            kCellHeight};
}

QSize BoxSize(int cells, int cellWidth)
{
    const int rows = std::max(cells - 1, 0) / kColumns + 1;
    return {(cellWidth + kCellGap) * kColumns + kCellGap, rows * kRowPitch + kFirstRowTop};
}

Layout LayOut(int cells, int cellWidth, bool withHint)
{
    Layout layout;
    const QSize box = BoxSize(cells, cellWidth);
    layout.PicVal = QRect(QPoint(kBoxLeft, kBoxTop), box);
    layout.LblMsg = QRect(kLabelLeft, kLabelTop, kBoxLeft + box.width() - kLabelLeft, kLabelHeight);
    int buttonsTop = kBoxTop + box.height() + kSpacing;
    if (withHint) {
        layout.TxtMsg = QRect(kBoxLeft, buttonsTop, box.width(), kHintHeight);
        buttonsTop += kHintHeight + kSpacing;
    }
    const int cancelLeft = kBoxLeft + box.width() - 2 * kButtonWidth - kButtonsInset;
    layout.CmdCancel = QRect(cancelLeft, buttonsTop, kButtonWidth, kButtonHeight);
    layout.CmdOk = QRect(cancelLeft + kButtonWidth + kButtonSpacing, buttonsTop, kButtonWidth, kButtonHeight);
    layout.CboChoose = QRect(kBoxLeft, buttonsTop + kChooseDrop, kChooseWidth, kChooseHeight);
    layout.Outer = QSize(box.width() + kExtraWidth, buttonsTop + kButtonHeight + kExtraHeight);
    return layout;
}

QStringList Labels(const QString& valName)
{
    const QString trimmed = TrimBlanks(valName);
    if (trimmed.isEmpty())
        return {};
    return trimmed.split(QLatin1Char(';'));
}

QString CellText(int k, const QStringList& labels, int minVal)
{
    QString text = k >= 0 && k < labels.size() ? labels[k] : QString::number(minVal + k);
    if (text.size() == 1)
        text.prepend(QStringLiteral("  "));
    else if (text.size() == 2)
        text.prepend(QLatin1Char(' '));
    return text;
}

} // namespace sel_val

CSelValCells::CSelValCells(int16_t minVal, int16_t maxVal)
    : m_min(minVal), m_max(maxVal), m_marked(static_cast<size_t>(std::max(int{maxVal} - int{minVal} + 1, 0)))
{
}

void CSelValCells::SetMarked(int k, bool marked)
{
    if (k >= 0 && k < Count())
        m_marked[static_cast<size_t>(k)] = marked;
}

void CSelValCells::Load(const QString& strVal)
{
    std::fill(m_marked.begin(), m_marked.end(), false);
    if (m_marked.empty())
        return;
    const ValueSet set = StrToRange(strVal, m_min, m_max);
    for (int i = 1; i <= set.Count(); ++i) {
        for (int v = set[i].Low; v <= set[i].High; ++v)
            SetMarked(v - m_min, true);
    }
}

std::vector<int> CSelValCells::TouchedCells(const QRectF& twips, int cellWidth) const
{
    const QRectF band = twips.normalized();
    std::vector<int> cells;
    for (int k = 0; k < Shown(); ++k) {
        const QRect cell = sel_val::CellRect(k, cellWidth);
        const double left = cell.x();
        const double top = cell.y();
        const double right = left + cell.width();
        const double bottom = top + cell.height();
        const bool apart = right < band.left() || left > band.left() + band.width() || bottom < band.top() ||
                           top > band.top() + band.height();
        if (!apart)
            cells.push_back(k);
    }
    return cells;
}

int CSelValCells::CellAt(QPointF twips, int cellWidth) const
{
    const std::vector<int> cells = TouchedCells(QRectF(twips, QSizeF(0, 0)), cellWidth);
    return cells.empty() ? -1 : cells.front();
}

void CSelValCells::ApplyQuickChoice(int entry)
{
    const int third = Count() / 3;
    for (int k = 0; k < Shown(); ++k) {
        if (const std::optional<bool> verdict = QuickChoiceVerdict(entry, k, m_min + k, third, 2 * third))
            m_marked[static_cast<size_t>(k)] = *verdict;
    }
}

QString CSelValCells::Result() const
{
    QStringList values;
    for (int k = 0; k < Count(); ++k) {
        if (m_marked[static_cast<size_t>(k)])
            values << QString::number(m_min + k);
    }
    return RangeToStr(StrToRange(values.join(QLatin1Char(' ')), m_min, m_max));
}

void CSelValDrag::Press(Button button, QPointF at)
{
    if (button == Button::Other)
        return;
    m_button = button;
    m_start = at;
    m_band = QRectF(at, QSizeF(0, 0));
    m_visible = true;
    m_armed = true;
    m_moved = false;
}

void CSelValDrag::Move(QPointF to)
{
    if (!m_armed)
        return;
    m_moved = true;
    m_band = QRectF(QPointF(std::min(m_start.x(), to.x()), std::min(m_start.y(), to.y())),
                    QSizeF(std::abs(to.x() - m_start.x()), std::abs(to.y() - m_start.y())));
}

std::optional<CSelValDrag::Apply> CSelValDrag::Release(Button button)
{
    if (!m_armed || button != m_button)
        return std::nullopt;
    m_visible = false;
    if (!m_moved)
        return std::nullopt;
    return Apply{m_band, m_button == Button::Left};
}

} // namespace kelton
