#include "games/ui/lotto_template.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/app_state.h"
#include "games/new_game.h"
#include "games/ui/shown_text.h"
#include "platform/help_pages.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

FLottoTemplate::FLottoTemplate(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FLottoTemplate"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(u"彩票类型选择"_s);

    auto* lblTemplate = new QLabel(u"模板："_s, this);
    m_lstTemplate = new QListWidget(this);
    m_lstTemplate->setObjectName(QStringLiteral("LstTemplate"));
    m_lstTemplate->setMinimumWidth(TwipsToScreenPixels(2400, this));
    lblTemplate->setBuddy(m_lstTemplate);
    auto* lblInfo = new QLabel(u"彩票类型描述："_s, this);
    m_txtLottorInfo = new QPlainTextEdit(this);
    m_txtLottorInfo->setObjectName(QStringLiteral("TxtLottorInfo"));
    m_txtLottorInfo->setReadOnly(true);
    m_txtLottorInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtLottorInfo->setMinimumSize(TwipsToScreenPixels(4000, this), TwipsToScreenPixels(4000, this));
    lblInfo->setBuddy(m_txtLottorInfo);

    m_cmdOK = new QPushButton(LoadResString(Res::Ok), this);
    m_cmdOK->setObjectName(QStringLiteral("CmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdHelp);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblTemplate, 0, 0);
    layout->addWidget(lblInfo, 0, 1);
    layout->addWidget(m_lstTemplate, 1, 0);
    layout->addWidget(m_txtLottorInfo, 1, 1);
    layout->setColumnStretch(1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(m_lstTemplate, &QListWidget::currentRowChanged, this, &FLottoTemplate::LstTemplate_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &FLottoTemplate::CmdOK_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FLottoTemplate::CmdHelp_Click);

    Form_Load();
}

QString FLottoTemplate::LottorInfo()
{
    return std::exchange(m_lottorInfo, QString());
}

void FLottoTemplate::Form_Load()
{
    m_lstTemplate->clear();
    m_lstTemplate->addItems(TemplateNames());
}

void FLottoTemplate::LstTemplate_Click()
{
    const QListWidgetItem* item = m_lstTemplate->currentItem();
    if (!item || item->text().isEmpty())
        return;
    if (const std::optional<QString> text = ReadTemplate(item->text()))
        SetBoxText(*m_txtLottorInfo, *text);
}

void FLottoTemplate::CmdOK_Click()
{
    m_lottorInfo = BoxText(*m_txtLottorInfo);
    accept();
}

void FLottoTemplate::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

} // namespace kelton
