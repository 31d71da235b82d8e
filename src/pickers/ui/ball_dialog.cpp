#include "pickers/ui/ball_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "data/lottor_head.h"
#include "pickers/ui/number_grid_view.h"
#include "platform/string_table.h"
#include "platform/twips.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

fBall::fBall(QWidget* parent) : CNumberPickerDialog(parent, u"fBall"_s, u"投注号码编辑"_s)
{
    m_cmdOk = new QPushButton(LoadResString(Res::Ok), this);
    m_cmdOk->setObjectName(u"cmdOk"_s);
    m_cmdOk->setDefault(true);
    m_cmdCancel = new QPushButton(LoadResString(Res::Cancel), this);
    m_cmdCancel->setObjectName(u"cmdCancel"_s);
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(u"Cmdhelp"_s);
    connect(m_cmdOk, &QPushButton::clicked, this, &fBall::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &fBall::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &fBall::Cmdhelp_Click);
}

void fBall::SetHeadData(const CLottorHead& head)
{
    m_bet.SetHeadData(head);
    m_mainColour = ToQColor(head.BcMainColor);
    m_secondaryColour = ToQColor(head.MrMainColor);
}

QColor fBall::RowColour(int position) const
{
    return m_bet.IsSecondary(position) ? m_secondaryColour : m_mainColour;
}

void fBall::Form_Load()
{
    const int bcMain = m_bet.HasHead() ? m_bet.BcMain() : 0;
    const int mrMain = m_bet.HasHead() ? m_bet.BM() - bcMain : 0;
    // Each grid shows its position's whole range.
    const BetBallLayout layout = LayOutBetBall(bcMain, mrMain, m_bet.Bound(1), m_bet.Bound(m_bet.BM()));
    for (int i = 0; i < static_cast<int>(layout.Rows.size()); ++i) {
        const int position = i + 1;
        const auto [label, grid] =
            MakeNumberRow(i, m_bet.RowCaption(position), layout.Rows[static_cast<size_t>(i)].Caption,
                          layout.Rows[static_cast<size_t>(i)].Grid, m_bet.Bound(position));
        PaintNumberCell(grid, m_bet.Ball(position), RowColour(position));
        label->show();
        grid->show();
        connect(grid, &CFlexGrid::Click, this, [this, i] { msgBc_Click(i); });
        m_captions.push_back(label);
        m_grids.push_back(grid);
        if (i > 0)
            setTabOrder(m_grids[static_cast<size_t>(i) - 1], grid);
    }
    if (!m_grids.empty())
        setTabOrder(m_grids.back(), m_cmdOk);
    setTabOrder(m_cmdOk, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdHelp);
    SetTwipsGeometry(m_cmdHelp, layout.CmdHelp);
    SetTwipsGeometry(m_cmdCancel, layout.CmdCancel);
    SetTwipsGeometry(m_cmdOk, layout.CmdOk);
    SetFixedOuterSize(this, layout.Outer, kDialogFrame);
}

void fBall::msgBc_Click(int i)
{
    CFlexGrid* grid = m_grids[static_cast<size_t>(i)];
    const int v = NumberUnderMouse(grid);
    if (v < 0)
        return;
    const int position = i + 1;
    const int old = m_bet.Ball(position);
    switch (m_bet.ClickValue(position, v)) {
    case CBetBall::Click::OutOfRange:
        TellOutOfRange();
        break;
    case CBetBall::Click::Unchanged:
        break;
    case CBetBall::Click::Moved:
        PaintNumberCell(grid, old, QColor());
        PaintNumberCell(grid, v, RowColour(position));
        break;
    }
}

void fBall::cmdOk_Click()
{
    CloseConfirmed();
}

void fBall::cmdCancel_Click()
{
    CloseCancelled();
}

void fBall::Cmdhelp_Click()
{
    ShowHelpPage();
}

} // namespace kelton
