#include "pickers/ball_list.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "pickers/number_grid.h"
#include "pickers/quick_choice.h"
#include "platform/twips.h"

namespace kelton {

namespace {
// The fixed thirds of a digit grid: "小数" 0-2, "中数" 3-6, "大数" 7-9.
constexpr int kSmallEnd = 3;
constexpr int kLargeStart = 7;
} // namespace

void CBallList::SetHeadData(const CLottorHead& head)
{
    m_hasHead = true;
    m_bcMain = head.BcMain;
    m_bm = head.BM;
    m_bcDataLen = head.BcDataLen;
    m_bcNumMaxLen = head.BcNumMaxLen;
    ClsBall();
}

void CBallList::ClsBall()
{
    if (!m_hasHead)
        return;
    m_rows.assign(static_cast<size_t>(std::max<int>(m_bm, 0)) + 1,
                  std::vector<bool>(static_cast<size_t>(std::max<int>(m_bcDataLen, 0)) + 1, false));
}

bool CBallList::Selected(int row, int value) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || value < 0 || value > m_bcDataLen)
        return false;
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(value)];
}

void CBallList::SetSelected(int row, int value, bool selected)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || value < 0 || value > m_bcDataLen)
        return;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(value)] = selected;
}

bool CBallList::Toggle(int row, int value)
{
    if (value < 0 || value > m_bcDataLen)
        return false;
    SetSelected(row, value, !Selected(row, value));
    return true;
}

void CBallList::ApplyQuickChoice(int row, int entry)
{
    for (int v = 0; v <= m_bcDataLen; ++v) {
        if (const std::optional<bool> verdict = QuickChoiceVerdict(entry, v, v, kSmallEnd, kLargeStart))
            SetSelected(row, v, *verdict);
    }
}

void CBallList::SetBall(const QString& text)
{
    if (!m_hasHead)
        return;
    ClsBall();
    const QString trimmed = TrimBlanks(text);
    if (trimmed.isEmpty())
        return;
    const QStringList parts = trimmed.split(QLatin1Char(','));
    m_single = parts.size() > 1;
    const int rows = m_single ? std::min<int>(static_cast<int>(parts.size()), m_bcMain) : 1;
    for (int k = 0; k < rows; ++k) {
        const int row = m_single ? m_bcMain - k : 0;
        for (const QString& piece : parts[k].split(QLatin1Char(' '))) {
            const std::optional<double> value = NumberTextValue(piece);
            if (!value || !std::isfinite(*value) || *value < -1 || *value > m_bcDataLen + 1)
                continue;
            const int64_t whole = RoundHalfEven(*value);
            if (whole >= 0 && whole <= m_bcDataLen)
                SetSelected(row, static_cast<int>(whole), true);
        }
    }
}

QString CBallList::RowText(int row) const
{
    QStringList values;
    for (int v = 0; v <= m_bcDataLen; ++v) {
        if (Selected(row, v))
            values << QString::number(v).rightJustified(m_bcNumMaxLen, QLatin1Char('0'));
    }
    return values.join(QLatin1Char(' '));
}

QString CBallList::Ball() const
{
    if (!m_hasHead)
        return {};
    if (!m_single)
        return RowText(0);
    QStringList parts;
    for (int row = m_bcMain; row >= 1; --row)
        parts << RowText(row);
    return parts.join(QLatin1Char(','));
}

namespace {
constexpr int kGroupCaptionTop = 885;
constexpr int kGroupGridTop = 840;
constexpr int kGroupListTop = 900;
constexpr int kListLeft = 3000;
constexpr int kListWidth = 1215;
constexpr int kListHeight = 330;
constexpr int kOptionLeft = 4455;
constexpr int kOptionWidth = 855;
constexpr int kOptionHeight = 300;
constexpr int kOptSingleTop = 600;
constexpr int kOptGroupTop = 1020;
constexpr int kClientWidth = 5550;
constexpr int kMargin = 240;
constexpr int kButtonSpacing = 120;
constexpr int kButtonsBelowGroup = 1200; // the buttons' top below the group caption's
constexpr int kHeightBelowGroup = 2300;  // the outer height below the group caption's top
constexpr int kButtonsBelowRows = 195;   // room kept between the last grid and the buttons
} // namespace

BallsLayout LayOutBalls(int bcMain, int bcDataLen)
{
    using namespace number_grid;
    const int rows = RowsFor(bcDataLen);
    BallsLayout layout;
    layout.Rows.push_back({QRect(kCaptionLeft, kGroupCaptionTop, kCaptionWidth, kCaptionHeight),
                           QRect(kGridLeft, kGroupGridTop, kWidth, HeightFor(rows)),
                           QRect(kListLeft, kGroupListTop, kListWidth, kListHeight)});
    for (int i = 1; i <= bcMain; ++i) {
        const int top = PositionCaptionTop(i, bcMain, rows);
        layout.Rows.push_back(
            {CaptionRect(top), GridRect(top, rows), QRect(kListLeft, top, kListWidth, kListHeight)});
    }
    layout.OptSingle = QRect(kOptionLeft, kOptSingleTop, kOptionWidth, kOptionHeight);
    layout.OptGroup = QRect(kOptionLeft, kOptGroupTop, kOptionWidth, kOptionHeight);

    // Games of more than three positions, and grids of more than two rows,
    // push the buttons below the rows.
    const QRect group = layout.Rows.front().Grid;
    int buttonsTop =
        std::max(kGroupCaptionTop + kButtonsBelowGroup, group.y() + group.height() + kButtonsBelowRows);
    if (bcMain >= 1) {
        const QRect units = layout.Rows[1].Grid;
        buttonsTop = std::max(buttonsTop, units.y() + units.height() + kButtonsBelowRows);
    }
    const int okLeft = kClientWidth - kMargin - kButtonWidth;
    const int cancelLeft = okLeft - kButtonSpacing - kButtonWidth;
    const int helpLeft = cancelLeft - kButtonSpacing - kButtonWidth;
    layout.CmdOk = QRect(okLeft, buttonsTop, kButtonWidth, kButtonHeight);
    layout.CmdCancel = QRect(cancelLeft, buttonsTop, kButtonWidth, kButtonHeight);
    layout.CmdHelp = QRect(helpLeft, buttonsTop, kButtonWidth, kButtonHeight);
    const int grown = buttonsTop - (kGroupCaptionTop + kButtonsBelowGroup);
    layout.Outer = QSize(kClientWidth + kDialogFrame.Width, kGroupCaptionTop + kHeightBelowGroup + grown);
    return layout;
}

} // namespace kelton
