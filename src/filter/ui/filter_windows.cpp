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

IChildForm* FilterFormOnUse(const ShellWindows& windows, const SchemePanelLink& sidePanel)
{
    QPointer<fFilter>& form = Instance();
    if (!form || !form->FormOpen())
        form = new fFilter(windows, sidePanel);
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
    windows.FilterForm = [&windows, sidePanel] { return FilterFormOnUse(windows, sidePanel); };
    // Unloaded whenever it is closed: made anew with its defaults. The
    // registry's entry keeps the window (copies of the entry share it).
    windows.FilterBoundForm = [form = std::make_shared<QPointer<FFilterBound>>()]() -> IChildForm* {
        if (!*form || !(*form)->FormOpen())
            *form = new FFilterBound;
        return form->data();
    };
    windows.MrReplace = &ShowMrReplace;
    windows.SchemePanel = [sidePanel](QWidget* parent) -> QWidget* {
        *sidePanel = new SchemePanel(parent);
        return *sidePanel;
    };
}

} // namespace kelton
