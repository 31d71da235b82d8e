#pragma once

#include <functional>

class QWidget;

namespace kelton {

class IChildForm;
class MDIMain;
struct OtherFilterPickLists;

// The main window's docked other-filter panel.
class IOtherFilterPanel {
public:
    virtual ~IOtherFilterPanel() = default;
    virtual QWidget* PanelWidget() = 0;
    // Fills the panel's pick lists; called once at start-up.
    virtual void FillPickLists(const OtherFilterPickLists& lists) = 0;
};

// The windows of the rest of the program that the main window opens or
// docks. Each window installs its entry before the main window starts; an
// entry left empty means that window is not part of the program, and the
// main window does without it (no game is chosen, no child window opens,
// no panel is docked).
struct ShellWindows {
    // The game chooser, modal over owner. True when the user chose a game;
    // the game list's SelectItem then names it.
    std::function<bool(QWidget* owner)> ChooseGame;
    // The single filter, extreme-range and formula windows, created on the
    // first call.
    std::function<IChildForm*()> FilterForm;
    std::function<IChildForm*()> FilterBoundForm;
    std::function<IChildForm*()> WayForm;
    // The docked panels: the scheme-check result panel and the other-filter
    // panel, created with the main window as parent.
    std::function<QWidget*(QWidget* parent)> SchemePanel;
    std::function<IOtherFilterPanel*(QWidget* parent)> OtherFilterPanel;
    // The online information applied at the end of the start-up.
    std::function<void(MDIMain& main)> DataSetOther;
};

ShellWindows& NeighbourWindows();

} // namespace kelton
