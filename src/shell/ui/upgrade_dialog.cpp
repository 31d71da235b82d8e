#include "shell/ui/upgrade_dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "platform/help_pages.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/help_viewer.h"
#include "platform/string_table.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "shell/http_request.h"
#include "shell/net/downloader.h"
#include "shell/process_start.h"
#include "shell/ui/shell_open.h"

namespace kelton {

using namespace Qt::StringLiterals;

FUpgrade::FUpgrade(const AppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setObjectName(QStringLiteral("FUpgrade"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(u"发现新版本"_s);

    m_label4 = new QLabel(u"按确定下载并安装新版本（这个过程不会影响你的分析和操作）"_s, this);
    m_label4->setWordWrap(true);
    m_lblCurrent = new QLabel(this);
    m_lblNew = new QLabel(this);
    QHBoxLayout* buttons = MakeDialogButtons(this, m_cmdOK, m_cmdCancel, m_cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label4);
    layout->addWidget(m_lblCurrent);
    layout->addWidget(m_lblNew);
    layout->addLayout(buttons);

    m_timer1.setInterval(kPollInterval);
    connect(&m_timer1, &QTimer::timeout, this, &FUpgrade::Timer1_Timer);
    connect(m_cmdOK, &QPushButton::clicked, this, &FUpgrade::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FUpgrade::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FUpgrade::CmdHelp_Click);

    Form_Load();
}

// The downloader goes with the dialog; files already downloaded stay.
FUpgrade::~FUpgrade() = default;

void FUpgrade::Form_Load()
{
    m_cmdCancel->setText(LoadResString(Res::Cancel));
    m_cmdOK->setText(LoadResString(Res::Ok));
    const QString version = QString::fromLatin1(kVersionText);
    m_lblCurrent->setText(u"当前版本："_s + version);

    const QString& edition = m_app.SysInfo.SysNewEdition;
    switch (CompareEdition(edition)) {
    case EditionOffer::Newer:
        m_lblNew->setText(u"最新版本："_s + edition);
        m_cmdOK->setEnabled(true);
        break;
    case EditionOffer::NotNewer:
        m_lblNew->setText(u"最新版本："_s + version);
        m_cmdOK->setEnabled(false);
        setWindowTitle(u"没有发现更新版本"_s);
        break;
    case EditionOffer::NotNumber:
        m_lblNew->setText(u"最新版本："_s + version);
        m_cmdOK->setEnabled(false);
        break;
    }
}

void FUpgrade::cmdOK_Click()
{
    hide();
    RunUpgrade();
}

void FUpgrade::cmdCancel_Click()
{
    m_timer1.stop();
    m_downloader.reset();
    reject();
}

void FUpgrade::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

void FUpgrade::RunUpgrade()
{
    m_timer1.stop();
    m_downloader = std::make_unique<Downloader>();
    if (m_downloaderSetup)
        m_downloaderSetup(*m_downloader);
    m_upgradeFiles.clear();
    m_nextUpgrade = 0;
    m_upgradeStep = 1;
    // The proxy settings are read for every download, so changes made in
    // the options meanwhile apply to the next file.
    m_upgradeDownId = m_downloader->AddDownFile(m_app.SysInfo.SysNewEditionList, 0, QString(),
                                                ProxyFromSettings(m_app.SettingRecord));
    m_timer1.start();
}

void FUpgrade::Timer1_Timer()
{
    m_timer1.stop();
    if (!m_downloader || m_upgradeStep < 1)
        return;
    QByteArray data;
    int32_t dataCount = -1;
    const int16_t status = m_downloader->GetDown(m_upgradeDownId, data, dataCount);
    if (status < 0) {
        // Failed, refused, cancelled: this download will never arrive.
        EndWithFailure();
        return;
    }
    if (status == DownloadStatus::Done) {
        if (m_upgradeStep == 1) {
            const UpgradeList list = ParseUpgradeList(data);
            // A list naming any file outside the upgrade folder is not trusted at all.
            if (list.Entries.isEmpty() || list.Refused > 0) {
                EndWithFailure();
                return;
            }
            m_upgradeFiles = list.Entries;
            m_upgradeStep = 2;
            QueueNextEntry();
        } else if (m_nextUpgrade < UpgradeCount()) {
            QueueNextEntry();
        } else {
            StartMarkedFile();
            return;
        }
    }
    m_timer1.start();
}

void FUpgrade::QueueNextEntry()
{
    const UpgradeEntry& entry = m_upgradeFiles[m_nextUpgrade];
    m_upgradeDownId = m_downloader->AddDownFile(entry.FileUrl, 0, UpgradeTargetPath(entry),
                                                ProxyFromSettings(m_app.SettingRecord));
    ++m_nextUpgrade;
}

void FUpgrade::EndWithFailure()
{
    m_timer1.stop();
    m_downloader.reset();
    MsgBox(parentWidget(), QMessageBox::Information, LoadResString(Res::SystemPrompt),
           LoadResString(Res::UpgradeFailed), QMessageBox::Ok);
    EndUpgrade();
}

// The first file marked "1" is started once the user agrees, its full path
// shown. A list that marks none has nothing to start.
void FUpgrade::StartMarkedFile()
{
    m_timer1.stop();
    m_downloader.reset();
    for (const UpgradeEntry& entry : std::as_const(m_upgradeFiles)) {
        if (!entry.IsMarkedToRun())
            continue;
        const QString path = UpgradeTargetPath(entry);
        if (MsgBox(parentWidget(), QMessageBox::Question, LoadResString(Res::SystemPrompt), UpgradeRunQuestion(path),
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok)
            StartProgram(path); // a file that cannot be started ends the upgrade all the same
        break;
    }
    EndUpgrade();
}

void FUpgrade::EndUpgrade()
{
    m_timer1.stop();
    m_downloader.reset();
    m_upgradeStep = 0;
    close();
}

void ShowUpgradeDialog(const AppState& app, QWidget* owner)
{
    auto* dialog = new FUpgrade(app, owner);
    ExecModal(*dialog);
    // After OK the upgrade goes on while the dialog is hidden; it deletes
    // itself when it closes. Otherwise it is done now.
    if (dialog->UpgradeStep() != 0)
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    else
        delete dialog;
}

} // namespace kelton
