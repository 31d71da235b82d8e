#pragma once

namespace kelton {

// The pages of the main window's other-filter panel, as the filter window's
// "设置" buttons and the side panel's links open them. The panel implements
// it beside IOtherFilterPanel; a panel without it opens nothing.
class IOtherFilterPages {
public:
    virtual ~IOtherFilterPages() = default;
    // Stores the grid of the open page in its item list, then hides the
    // panel and its pages.
    virtual void CmdOtherFilterClose_Click() = 0;
    // Fill a page from its item list and show it in the panel.
    virtual void ShowMatch() = 0;
    virtual void ShowHistory() = 0;
    virtual void ShowGather() = 0;
};

} // namespace kelton
