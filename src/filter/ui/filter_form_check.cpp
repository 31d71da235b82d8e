// The filter window's checks of its scheme, reported in the main window's
// side panel, and the commands that open the neighbouring windows.

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/filter_run.h"
#include "filter/scheme_check.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/scheme_panel.h"
#include "host/ui/shell_windows.h"
#include "host/ui/window_host.h"
#include "platform/services.h"

namespace kelton {

SchemePanel* fFilter::SidePanel() const
{
    return m_sidePanel ? m_sidePanel->data() : nullptr;
}

void fFilter::VerifyScheme()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!m_loaded || !game)
        return;
    // The issues listed: every draw, then "下期".
    const GameDocument& doc = m_app.Document;
    const PanelContent content =
        kelton::VerifyScheme(*game, doc.TargetIssue(), game->NumCount() + 1, doc.TargetIssueText());
    if (SchemePanel* panel = SidePanel())
        panel->Fill(content);
}

bool fFilter::CheckFilterSettings()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return false;
    const PanelContent content = SettingsCheckPanel(kelton::CheckFilterSettings(*game));
    if (SchemePanel* panel = SidePanel())
        panel->Fill(content);
    return content.Total == 0;
}

void fFilter::cmdChipInNearLay_Click()
{
    const ShellWindows& windows = m_windows;
    if (!windows.FilterBoundForm)
        return;
    CMsg msg;
    const MsgBusyGuard wait(msg);
    if (IChildForm* form = windows.FilterBoundForm())
        form->ShowForm();
}

void fFilter::ShowOtherFilterPage(int page)
{
    const IWindowHost* host = Service<IWindowHost>();
    IOtherFilterPanel* pages = host ? host->PicOtherFilter() : nullptr;
    if (!pages)
        return;
    pages->CmdOtherFilterClose_Click();
    if (page == 0)
        pages->ShowMatch();
    else if (page == 1)
        pages->ShowHistory();
    else
        pages->ShowGather();
}

void fFilter::cmdMatch_Click()
{
    ShowOtherFilterPage(0);
}

void fFilter::cmdHistory_Click()
{
    ShowOtherFilterPage(1);
}

void fFilter::cmdGather_Click()
{
    ShowOtherFilterPage(2);
}

} // namespace kelton
