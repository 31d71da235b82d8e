#include "filter/ui/filter_windows.h"

#include <memory>

#include <QPointer>

#include "data/app_state.h"
#include "filter/ui/filter_bound_form.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/mr_replace_dialog.h"
#include "filter/ui/scheme_panel.h"
#include "host/ui/shell_windows.h"

namespace kelton {

namespace {

// The filter window of the registry's entry (copies of the entry share
// it). One the main window never took in (its commands can use the window
// unshown) goes with the entry.
struct FilterWindowSlot {
    FilterWindowSlot() = default;
    FilterWindowSlot(const FilterWindowSlot&) = delete;
    FilterWindowSlot& operator=(const FilterWindowSlot&) = delete;
    ~FilterWindowSlot()
    {
        if (Form && !Form->parent())
            delete Form.data();
    }

    // The window while it is loaded; nullptr before its first use and once
    // it has been unloaded for real.
    fFilter* Loaded() const { return Form && Form->FormOpen() ? Form.data() : nullptr; }

    QPointer<fFilter> Form;
};

} // namespace

void InstallFilterWindows(ShellWindows& windows, AppState& app)
{
    // The side panel the main window docks is the one the filter window
    // reports to; its links to the other filters open them through the
    // filter window while it is loaded.
    auto sidePanel = std::make_shared<QPointer<SchemePanel>>();
    auto filter = std::make_shared<FilterWindowSlot>();
    windows.FilterForm = [&windows, &app, sidePanel, filter]() -> IChildForm* {
        if (!filter->Loaded())
            filter->Form = new fFilter(app, windows, sidePanel);
        return filter->Form.data();
    };
    // Unloaded whenever it is closed: made anew with its defaults. The
    // registry's entry keeps the window (copies of the entry share it).
    windows.FilterBoundForm = [&app, form = std::make_shared<QPointer<FFilterBound>>()]() -> IChildForm* {
        if (!*form || !(*form)->FormOpen())
            *form = new FFilterBound(app);
        return form->data();
    };
    windows.MrReplace = [&app](QWidget* owner) { ShowMrReplace(app, owner); };
    windows.SchemePanel = [&app, sidePanel, filter](QWidget* parent) -> QWidget* {
        const auto openOtherFilterPage = [filter](int page) {
            if (fFilter* form = filter->Loaded())
                form->ShowOtherFilterPage(page);
        };
        *sidePanel = new SchemePanel(app, openOtherFilterPage, parent);
        return *sidePanel;
    };
}

} // namespace kelton
