#include "shell/ui/option_dialog.h"

#include <optional>

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "platform/help_pages.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/help_viewer.h"
#include "platform/string_table.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/shell_open.h"

namespace kelton {

using namespace Qt::StringLiterals;

FOption::FOption(AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(QStringLiteral("FOption"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_fraProxy = new QGroupBox(u"网络设置"_s, this);
    auto* picProxy = new QWidget(m_fraProxy);
    picProxy->setObjectName(QStringLiteral("PicProxy"));

    m_chkProxy = new QCheckBox(u"使用代理服务器"_s, picProxy);
    m_lblIP = new QLabel(u"地址："_s, picProxy);
    m_txtIP = new QLineEdit(picProxy);
    m_lblPort = new QLabel(u"端口"_s, picProxy);
    m_txtPort = new QLineEdit(picProxy);
    m_txtPort->setMaximumWidth(80);
    m_chkVail = new QCheckBox(u"需验证"_s, picProxy);
    m_lblUser = new QLabel(u"用户："_s, picProxy);
    m_txtUser = new QLineEdit(picProxy);
    m_lblPassWord = new QLabel(u"密码"_s, picProxy);
    m_txtPassWord = new QLineEdit(picProxy);
    m_txtPassWord->setEchoMode(QLineEdit::Password);
    // Every typed character shows as an asterisk, whatever the style's own.
    m_txtPassWord->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_lblIP->setBuddy(m_txtIP);
    m_lblPort->setBuddy(m_txtPort);
    m_lblUser->setBuddy(m_txtUser);
    m_lblPassWord->setBuddy(m_txtPassWord);

    auto* grid = new QGridLayout(picProxy);
    grid->addWidget(m_chkProxy, 0, 0, 1, 4);
    grid->addWidget(m_lblIP, 1, 0);
    grid->addWidget(m_txtIP, 1, 1);
    grid->addWidget(m_lblPort, 1, 2);
    grid->addWidget(m_txtPort, 1, 3);
    grid->addWidget(m_chkVail, 2, 0, 1, 4);
    grid->addWidget(m_lblUser, 3, 0);
    grid->addWidget(m_txtUser, 3, 1);
    grid->addWidget(m_lblPassWord, 3, 2);
    grid->addWidget(m_txtPassWord, 3, 3);
    auto* frame = new QVBoxLayout(m_fraProxy);
    frame->addWidget(picProxy);

    QHBoxLayout* buttons = MakeDialogButtons(this, m_cmdOK, m_cmdCancel, m_cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fraProxy);
    layout->addLayout(buttons);

    connect(m_chkProxy, &QCheckBox::toggled, this, &FOption::chkProxy_Click);
    connect(m_chkVail, &QCheckBox::toggled, this, &FOption::chkVail_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &FOption::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FOption::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FOption::CmdHelp_Click);

    Form_Load();
}

void FOption::Form_Load()
{
    setWindowTitle(LoadResString(Res::MainOptions));
    m_cmdOK->setText(LoadResString(Res::Ok));
    m_cmdCancel->setText(LoadResString(Res::Cancel));

    const SettingRecordType& record = m_app.SettingRecord;
    m_txtIP->setText(record.ProxyHost());
    m_txtUser->setText(record.ProxyUser());
    m_txtPassWord->setText(record.ProxyPassword());
    m_txtPort->setText(QString::number(record.ProxyPort()));
    {
        const QSignalBlocker blockVail(m_chkVail);
        const QSignalBlocker blockProxy(m_chkProxy);
        m_chkVail->setChecked(record.ProxyAuth() != 0);
        m_chkProxy->setChecked(record.UseProxy() != 0);
    }
    ApplyEnabling();
}

void FOption::chkProxy_Click()
{
    ApplyEnabling();
}

void FOption::chkVail_Click()
{
    ApplyEnabling();
}

// The proxy boxes follow chkProxy; user and password also need chkVail.
// Disabled boxes keep their contents.
void FOption::ApplyEnabling()
{
    const bool proxy = m_chkProxy->isChecked();
    const bool credentials = proxy && m_chkVail->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(m_lblIP), static_cast<QWidget*>(m_txtIP), static_cast<QWidget*>(m_lblPort),
          static_cast<QWidget*>(m_txtPort), static_cast<QWidget*>(m_chkVail)})
        w->setEnabled(proxy);
    for (QWidget* w : {static_cast<QWidget*>(m_lblUser), static_cast<QWidget*>(m_txtUser),
                       static_cast<QWidget*>(m_lblPassWord), static_cast<QWidget*>(m_txtPassWord)})
        w->setEnabled(credentials);
}

void FOption::cmdOK_Click()
{
    SettingRecordType& record = m_app.SettingRecord;
    record.SetUseProxy(Flag(m_chkProxy->isChecked()));
    record.SetProxyAuth(Flag(m_chkVail->isChecked()));
    // The record keeps at most 25 characters of each text.
    record.SetProxyHost(TrimBlanks(m_txtIP->text()));
    const std::optional<int32_t> port = NumberTextToInt32(m_txtPort->text());
    if (port && *port >= kMinPort && *port <= kMaxPort)
        record.SetProxyPort(*port);
    record.SetProxyUser(TrimBlanks(m_txtUser->text()));
    record.SetProxyPassword(TrimBlanks(m_txtPassWord->text()));
    accept();
}

void FOption::cmdCancel_Click()
{
    reject();
}

void FOption::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

void ShowOptionDialog(AppState& app, QWidget* owner)
{
    FOption dialog(app, owner);
    ExecModal(dialog);
}

} // namespace kelton
