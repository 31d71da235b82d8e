#include "pickers/ui/balls_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "data/lottor_head.h"
#include "pickers/number_grid.h"
#include "pickers/quick_choice.h"
#include "pickers/ui/number_grid_view.h"
#include "platform/string_table.h"
#include "platform/twips.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

FBalls::FBalls(QWidget* parent) : CNumberPickerDialog(parent, u"FBalls"_s, u"号码选择"_s)
{
    const BallsLayout design = LayOutBalls(0);
    AddRow(0, u"组选号码"_s, design.Rows[0]);

    m_optSel[0] = new QRadioButton(u"单选"_s, this);
    m_optSel[0]->setObjectName(u"optSel0"_s);
    m_optSel[1] = new QRadioButton(u"组选"_s, this);
    m_optSel[1]->setObjectName(u"optSel1"_s);
    SetTwipsGeometry(m_optSel[0], design.OptSingle);
    SetTwipsGeometry(m_optSel[1], design.OptGroup);
    for (int index = 0; index < 2; ++index)
        connect(m_optSel[static_cast<size_t>(index)], &QRadioButton::clicked, this,
                [this, index] { optSel_Click(index); });

    m_cmdHelp = MakeButton(this, u"CmdHelp"_s, u"帮助"_s);
    m_cmdCancel = MakeButton(this, u"cmdCancel"_s, LoadResString(Res::Cancel));
    m_cmdOK = MakeButton(this, u"cmdOK"_s, LoadResString(Res::Ok));
    m_cmdOK->setDefault(true);
    SetTwipsGeometry(m_cmdHelp, design.CmdHelp);
    SetTwipsGeometry(m_cmdCancel, design.CmdCancel);
    SetTwipsGeometry(m_cmdOK, design.CmdOk);
    // Tab order: the rows, the modes, then OK, Cancel and Help.
    setTabOrder(m_optSel[1], m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdHelp);
    connect(m_cmdOK, &QPushButton::clicked, this, &FBalls::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FBalls::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FBalls::CmdHelp_Click);
    SetFixedOuterSize(this, design.Outer, kDialogFrame);
}

void FBalls::SetHeadData(const CLottorHead& head)
{
    m_list.SetHeadData(head);
    m_selectedColour = ToQColor(head.BcMainColor);
}

// A row's caption, grid and quick-choice list, made hidden.
void FBalls::AddRow(int i, const QString& caption, const BallsLayout::Row& place)
{
    const auto [label, grid] = MakeNumberRow(i, caption, place.Caption, place.Grid, m_list.BcDataLen());
    // Unselected cells show the button face, as the grid's empty area does.
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    grid->setPalette(palette);
    auto* list = new QComboBox(this);
    list->setObjectName(u"CboBc%1"_s.arg(i));
    list->setAccessibleName(caption);
    label->setBuddy(list);
    SetTwipsGeometry(list, place.List);
    label->hide();
    grid->hide();
    list->hide();
    connect(grid, &CFlexGrid::Click, this, [this, i] { msgBc_Click(i); });
    connect(list, &QComboBox::activated, this, [this, i] { CboBc_Click(i); });
    m_captions.push_back(label);
    m_grids.push_back(grid);
    m_lists.push_back(list);
}

void FBalls::Form_Load()
{
    const QScopedValueRollback<bool> busy(m_isBusy, true);
    if (!m_list.HasHead()) {
        m_optSel[0]->hide();
        m_optSel[1]->hide();
        return;
    }
    const int bcMain = m_list.BcMain();
    // Every grid shows the game's whole range: the group row made with the
    // design grows to it.
    const BallsLayout layout = LayOutBalls(bcMain, m_list.BcDataLen());
    SetUpNumberGrid(m_grids[0], m_list.BcDataLen());
    SetTwipsGeometry(m_grids[0], layout.Rows[0].Grid);
    for (int i = 1; i <= bcMain; ++i)
        AddRow(i, number_grid::PlaceCaption(i), layout.Rows[static_cast<size_t>(i)]);
    // Tab order: top to bottom, each row's grid then its list.
    QWidget* previous = nullptr;
    for (int i = bcMain; i >= 0; --i) {
        if (previous)
            setTabOrder(previous, m_grids[static_cast<size_t>(i)]);
        setTabOrder(m_grids[static_cast<size_t>(i)], m_lists[static_cast<size_t>(i)]);
        previous = m_lists[static_cast<size_t>(i)];
    }
    setTabOrder(previous, m_optSel[0]);
    setTabOrder(m_optSel[0], m_optSel[1]);

    const QStringList choices = QuickChoiceTexts();
    for (int i = 0; i < RowCount(); ++i) {
        PaintRow(i);
        m_lists[static_cast<size_t>(i)]->addItems(choices);
        m_lists[static_cast<size_t>(i)]->setCurrentIndex(0);
    }
    SetTwipsGeometry(m_cmdHelp, layout.CmdHelp);
    SetTwipsGeometry(m_cmdCancel, layout.CmdCancel);
    SetTwipsGeometry(m_cmdOK, layout.CmdOk);
    SetFixedOuterSize(this, layout.Outer, kDialogFrame);

    const int mode = m_list.IsSingle() ? 0 : 1;
    m_optSel[static_cast<size_t>(mode)]->setChecked(true);
    optSel_Click(mode);
}

void FBalls::PaintRow(int i)
{
    CFlexGrid* grid = m_grids[static_cast<size_t>(i)];
    for (int v = 0; v < grid->Rows() * number_grid::kCols; ++v)
        PaintNumberCell(grid, v, m_list.Selected(i, v) ? m_selectedColour : QColor());
}

void FBalls::msgBc_Click(int i)
{
    const int v = NumberUnderMouse(m_grids[static_cast<size_t>(i)]);
    if (v < 0)
        return;
    if (!m_list.Toggle(i, v)) {
        TellOutOfRange();
        return;
    }
    PaintNumberCell(m_grids[static_cast<size_t>(i)], v, m_list.Selected(i, v) ? m_selectedColour : QColor());
}

void FBalls::CboBc_Click(int i)
{
    if (m_isBusy)
        return;
    const QScopedValueRollback<bool> busy(m_isBusy, true);
    m_list.ApplyQuickChoice(i, m_lists[static_cast<size_t>(i)]->currentIndex());
    PaintRow(i);
}

void FBalls::optSel_Click(int index)
{
    const bool single = index == 0;
    for (int i = 0; i < RowCount(); ++i) {
        const bool shown = (i == 0) != single;
        m_captions[static_cast<size_t>(i)]->setVisible(shown);
        m_grids[static_cast<size_t>(i)]->setVisible(shown);
        m_lists[static_cast<size_t>(i)]->setVisible(shown);
    }
    m_list.SetIsSingle(single);
}

void FBalls::cmdOK_Click()
{
    CloseConfirmed();
}

void FBalls::cmdCancel_Click()
{
    CloseCancelled();
}

void FBalls::CmdHelp_Click()
{
    ShowHelpPage();
}

} // namespace kelton
