#pragma once

class QWidget;

namespace kelton {

struct AppState;
struct ShellWindows;

// The game chooser over app's game list and settings record, modal over
// owner; true when the user chose a game (the list's SelectItem names it).
bool RunGameChooser(AppState& app, QWidget* owner);

// The options of app's current game, modal over owner; nothing without a
// current game.
void RunLottoOption(const AppState& app, QWidget* owner);

// Installs the game windows in the main window's set: the chooser (which
// reaches the new-game dialog and the templates), the game options and the
// draw editor, over app (which outlives the set).
void InstallGameWindows(ShellWindows& windows, AppState& app);

} // namespace kelton
