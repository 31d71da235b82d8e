#include "filter/ui/filter_windows.h"

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

IChildForm* FilterFormOnUse()
{
    QPointer<fFilter>& form = Instance();
    if (!form || !form->FormOpen())
        form = new fFilter;
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
    windows.FilterForm = &FilterFormOnUse;
    windows.FilterBoundForm = &FilterBoundFormOnUse;
    windows.MrReplace = &ShowMrReplace;
    windows.SchemePanel = [](QWidget* parent) -> QWidget* { return new SchemePanel(parent); };
}

} // namespace kelton
