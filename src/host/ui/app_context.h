#pragma once

#include "data/app_state.h"
#include "host/ui/shell_windows.h"

namespace kelton {

// What the windows of one run share: the application's state (current
// game, settings, server information, game list, bets) and the registry of
// the windows the main window opens or docks. main owns the one of the
// program and hands it to the main window and the windows' installers; a
// test builds a fresh one.
class AppContext {
public:
    // Windows: the shell's own dialogs and start-up steps
    // (InitialShellWindows), or none at all for a test's bare context.
    enum class Start { Program, Bare };
    explicit AppContext(Start start = Start::Program)
        : Windows(start == Start::Program ? InitialShellWindows(State) : ShellWindows{})
    {
    }
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    AppState State;
    ShellWindows Windows;
};

} // namespace kelton
