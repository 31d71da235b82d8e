#include "filter/ui/filter_windows.h"

#include <memory>

#include <QPointer>

#include "filter/ui/filter_bound_form.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/mr_replace_dialog.h"
#include "filter/ui/scheme_panel.h"
#include "host/ui/shell_windows.h"

namespace kelton {

namespace {

QPointer<fFilter>& Instance()
{
    static QPointer<fFilter> form;
    return form;
}

IChildForm* FilterFormOnUse(const SchemePanelLink& sidePanel)
{
    QPointer<fFilter>& form = Instance();
    if (!form || !form->FormOpen())
        form = new fFilter(sidePanel);
    return form;
}

IChildForm* FilterBoundFormOnUse()
{
    // Unloaded whenever it is closed: made anew with its defaults.
    static QPointer<FFilterBound> form;
    if (!form || !form->FormOpen())
        form = new FFilterBound;
    return form;
}

} // namespace

fFilter* FilterWindow()
{
    fFilter* form = Instance();
    return form && form->FormOpen() ? form : nullptr;
}

void InstallFilterWindows(ShellWindows& windows)
{
    // The side panel the main window docks is the one the filter window
    // reports to.
    auto sidePanel = std::make_shared<QPointer<SchemePanel>>();
    windows.FilterForm = [sidePanel] { return FilterFormOnUse(sidePanel); };
    windows.FilterBoundForm = &FilterBoundFormOnUse;
    windows.MrReplace = &ShowMrReplace;
    windows.SchemePanel = [sidePanel](QWidget* parent) -> QWidget* {
        *sidePanel = new SchemePanel(parent);
        return *sidePanel;
    };
}

} // namespace kelton
