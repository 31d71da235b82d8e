#pragma once

#include <QSize>

#include "host/ui/main_commands.h"

class QAction;
class QMdiSubWindow;
class QMenu;
class QWidget;

namespace kelton {

class ChildFormList;
class CWinHistory;
class IChildForm;
class IOtherFilterPanel;

// What the windows ask of the main window that hosts them: a frame in the
// work area, the entries of its menus by command, its popups, its docked
// other-filter panel and the list of its loaded child windows. The main
// window implements it and is the service in force while it lives
// (Service<IWindowHost>()); without one a window shows no frame, finds no
// entry and joins no list.
class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    // The main window as the owner of the dialogs the windows open.
    virtual QWidget* HostWidget() = 0;
    // Puts what holds a child window into a frame of the work area, the
    // client area sized for the window's client size; returns the frame.
    virtual QMdiSubWindow* AddChildWindow(QWidget* holder, QSize client) = 0;
    // The Window-menu entry of a child window, and for an analysis window
    // its data-menu entry; nullptr when it has none.
    virtual QAction* WindowEntry(const IChildForm& form) const = 0;
    virtual QAction* DataEntry(const IChildForm& form) const = 0;
    // The entry of a command.
    virtual QAction* Entry(MainCommand command) const = 0;
    // A menu of the menu bar or a popup.
    virtual QMenu* Menu(MainMenu menu) const = 0;
    // The loaded child windows, which a child window joins when it is made
    // while the host is in force; the list tells them when the host unloads
    // them.
    virtual ChildFormList& ChildForms() = 0;
    // The history of the child windows the Prev and Next buttons walk,
    // which a child window joins when it is shown and leaves when closed.
    virtual CWinHistory& WindowHistory() = 0;
    // The docked other-filter panel; nullptr when it is not part of the
    // program.
    virtual IOtherFilterPanel* PicOtherFilter() const = 0;
};

} // namespace kelton
