// The main window's status bar with the notice ticker, and the online
// information applied at the end of the start-up.

#include <QLabel>
#include <QRandomGenerator>
#include <QStatusBar>

#include "data/app_state.h"
#include "data/text_helpers.h"
#include "host/ui/app_context.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/web_open.h"
#include "shell/upgrade_list.h"

namespace kelton {

// ---------------------------------------------------------------------------
// Notice ticker

void MDIMain::tmrStatus_Timer()
{
    const QList<SysNotice>& notices = m_context.State.SysInfo.SysNotify;
    if (notices.isEmpty()) {
        // The list was emptied under the running ticker.
        m_tmrStatus.stop();
        m_ticker.Clear();
        m_notice->clear();
        return;
    }
    const QString shown = m_ticker.Tick(notices);
    if (!statusBar()->isHidden())
        m_notice->setText(shown);
}

void MDIMain::UpdateTicker()
{
    const bool run = !m_context.State.SysInfo.SysNotify.isEmpty() && !statusBar()->isHidden();
    if (!run)
        m_tmrStatus.stop();
    else if (!m_tmrStatus.isActive())
        m_tmrStatus.start();
}

void MDIMain::StbNews_PanelClick(const QString& sKey)
{
    if (sKey != QLatin1String("Notify"))
        return;
    const QList<SysNotice>& notices = m_context.State.SysInfo.SysNotify;
    const int index = m_ticker.Index();
    if (notices.isEmpty() || index < 0 || index >= notices.size())
        return;
    OpenWebAddress(this, notices[index].NotifyLink);
}

// ---------------------------------------------------------------------------
// Start-up online information

void MDIMain::DataSetOther()
{
    ShowNewEditionDownList();
    UpdateTicker();
}

void MDIMain::ShowNewEditionDownList()
{
    const ServerInfo& info = m_context.State.SysInfo;
    if (CompareEdition(info.SysNewEdition) == EditionOffer::Newer &&
        !TrimBlanks(info.SysNewEditionList).isEmpty()) {
        mnuOnlineUpgrade_Click();
        return;
    }
    ShowPage();
}

void MDIMain::ShowPage()
{
    const QStringList& pages = m_context.State.SysInfo.SysShowPage;
    if (pages.isEmpty())
        return;
    const auto index =
        static_cast<qsizetype>(QRandomGenerator::global()->bounded(static_cast<quint32>(pages.size())));
    OpenWebAddress(this, pages[index]);
}

} // namespace kelton
