#include "filter/ui/mr_replace_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/mr_replace.h"
#include "platform/help_pages.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The dialog (frame included) and its controls, in twips.
constexpr QSize kOuter{4785, 2520};
constexpr QRect kLblOld{120, 180, 900, 255};
constexpr QRect kTxtOld{1020, 120, 3495, 315};
constexpr QRect kLblNew{120, 600, 900, 255};
constexpr QRect kTxtNew{1020, 540, 3495, 315};
constexpr QRect kLblNote{120, 960, 4395, 510};
constexpr QRect kCmdOK{2160, 1590, 1095, 375};
constexpr QRect kCmdHelp{3420, 1590, 1095, 375};

void Tell(QWidget* owner, const QString& text)
{
    MsgBox(owner, QMessageBox::Information, u"系统提示"_s, text);
}

} // namespace

FMrReplace::FMrReplace(AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(u"FMrReplace"_s);
    setWindowTitle(u"批量替换"_s);
    QLabel* lblOld = MakeTwipsControl<QLabel>(this, {}, u"原号码："_s, kLblOld);
    QLabel* lblNew = MakeTwipsControl<QLabel>(this, {}, u"新号码："_s, kLblNew);
    QLabel* note = MakeTwipsControl<QLabel>(
        this, {},
        u"注意：替换之前请更新投注；选择多个蓝码时，以空格做为分开；替换时将按新号码轮流顺序投放。"_s,
        kLblNote);
    note->setWordWrap(true);
    m_txtOld = new QLineEdit(this);
    m_txtOld->setObjectName(u"txtOld"_s);
    SetTwipsGeometry(m_txtOld, kTxtOld);
    lblOld->setBuddy(m_txtOld);
    m_txtNew = new QLineEdit(this);
    m_txtNew->setObjectName(u"txtNew"_s);
    SetTwipsGeometry(m_txtNew, kTxtNew);
    lblNew->setBuddy(m_txtNew);
    m_cmdOK = new QPushButton(u"替换"_s, this);
    m_cmdOK->setObjectName(u"cmdOK"_s);
    m_cmdOK->setDefault(true);
    SetTwipsGeometry(m_cmdOK, kCmdOK);
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(u"CmdHelp"_s);
    SetTwipsGeometry(m_cmdHelp, kCmdHelp);
    connect(m_cmdOK, &QPushButton::clicked, this, &FMrReplace::cmdOK_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FMrReplace::CmdHelp_Click);
    SetFixedOuterSize(this, kOuter, kDialogFrame);
}

void FMrReplace::cmdOK_Click()
{
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (!game)
        return;
    const CLottorHead& head = game->HeadData;
    const auto oldNumbers = ParseMrNumbers(m_txtOld->text(), head.MrDataLen);
    const auto newNumbers = ParseMrNumbers(m_txtNew->text(), head.MrDataLen);
    if (!oldNumbers || !newNumbers) {
        Tell(this, u"请输入 0 到 %1 之间的号码，多个号码以空格分开！"_s.arg(head.MrDataLen));
        (oldNumbers ? m_txtNew : m_txtOld)->setFocus();
        return;
    }
    const int32_t replaced = m_app.Document.ChangeBets(
        [&](BetList& bets) { return ReplaceSecondary(bets, head.BcMain, *oldNumbers, *newNumbers); });
    Tell(this, u"共替换了 %1 个号码。"_s.arg(replaced));
    accept();
}

void FMrReplace::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + u".htm"_s);
}

void ShowMrReplace(AppState& app, QWidget* owner)
{
    const std::shared_ptr<CLottorData> game = app.CurLottorData;
    if (!game)
        return;
    if (game->HeadData.MrMain == 0) {
        Tell(owner, u"当前彩票没有特别号码，无需替换！"_s);
        return;
    }
    FMrReplace dialog(app, owner);
    ExecModal(dialog);
}

} // namespace kelton
