#include "pickers/bet_ball.h"

#include <algorithm>

#include "data/lottor_head.h"
#include "pickers/number_grid.h"
#include "platform/twips.h"

namespace kelton {

namespace {
constexpr int kMaxPlaces = 10; // place names go up to position 10
} // namespace

void CBetBall::SetHeadData(const CLottorHead& head)
{
    m_hasHead = true;
    m_bcMain = head.BcMain;
    m_bm = head.BM;
    m_bcDataLen = head.BcDataLen;
    m_mrDataLen = head.MrDataLen;
    m_mrDataName = head.MrDataName;
    m_balls.assign(static_cast<size_t>(std::max<int>(m_bm, 0)) + 1, 0);
}

int CBetBall::Bound(int position) const
{
    return IsSecondary(position) ? m_mrDataLen : m_bcDataLen;
}

void CBetBall::SetBall(int position, int value)
{
    if (!m_hasHead || position < 1 || position > m_bm || value < 0 || value > Bound(position))
        return;
    m_balls[static_cast<size_t>(position)] = static_cast<int16_t>(value);
}

int16_t CBetBall::Ball(int position) const
{
    if (!m_hasHead || position < 0 || position > m_bm)
        return 0;
    return m_balls[static_cast<size_t>(position)];
}

bool CBetBall::CanShow() const
{
    if (!m_hasHead)
        return true; // only the buttons
    return m_bcMain <= kMaxPlaces;
}

CBetBall::Click CBetBall::ClickValue(int position, int value)
{
    if (!m_hasHead || position < 1 || position > m_bm)
        return Click::Unchanged;
    if (value < 0 || value > Bound(position))
        return Click::OutOfRange;
    if (Ball(position) == value)
        return Click::Unchanged;
    m_balls[static_cast<size_t>(position)] = static_cast<int16_t>(value);
    return Click::Moved;
}

QString CBetBall::RowCaption(int position) const
{
    if (IsSecondary(position))
        return m_mrDataName + QStringLiteral(u"号码") + QString::number(position - m_bcMain);
    return number_grid::PlaceCaption(position);
}

namespace {
constexpr int kClientWidth = 4905;
constexpr int kButtonsLeft = 3720;
constexpr int kButtonPitch = 480;
constexpr int kLowestOkTop = 1200;   // three buttons above it fit in the window
constexpr int kHeightBelowOk = 1000; // the outer height below the last row's caption top
} // namespace

BetBallLayout LayOutBetBall(int bcMain, int mrMain, int bcDataLen, int mrDataLen)
{
    using namespace number_grid;
    const int mainRows = RowsFor(bcDataLen);
    const int secondaryRows = RowsFor(mrDataLen);
    BetBallLayout layout;
    for (int p = 1; p <= bcMain; ++p) {
        const int top = PositionCaptionTop(p, bcMain, mainRows);
        layout.Rows.push_back({CaptionRect(top), GridRect(top, mainRows)});
    }
    // The secondary rows follow below the units row.
    int top = PositionCaptionTop(0, bcMain, mainRows);
    for (int j = 1; j <= mrMain; ++j) {
        layout.Rows.push_back({CaptionRect(top), GridRect(top, secondaryRows)});
        top += RowPitch(secondaryRows);
    }
    // Main rows run upwards from the units row; the last row is the units
    // row or the last secondary row.
    const int lastTop = mrMain > 0 ? layout.Rows.back().Caption.y() : PositionCaptionTop(1, bcMain, mainRows);
    const int lastHeight = HeightFor(mrMain > 0 ? secondaryRows : mainRows);
    // A game of one or two rows keeps room for the button column.
    const int okTop = std::max(lastTop, kLowestOkTop);
    layout.CmdOk = QRect(kButtonsLeft, okTop, kButtonWidth, kButtonHeight);
    layout.CmdCancel = QRect(kButtonsLeft, okTop - kButtonPitch, kButtonWidth, kButtonHeight);
    layout.CmdHelp = QRect(kButtonsLeft, okTop - 2 * kButtonPitch, kButtonWidth, kButtonHeight);
    // A taller last grid lowers the window's bottom by its extra rows.
    layout.Outer = QSize(kClientWidth + kDialogFrame.Width, okTop + kHeightBelowOk + lastHeight - kHeight);
    return layout;
}

} // namespace kelton
