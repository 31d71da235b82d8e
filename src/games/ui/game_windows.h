#pragma once

class QWidget;

namespace kelton {

struct ShellWindows;

// The game chooser over the program's game list and settings record, modal
// over owner; true when the user chose a game (the list's SelectItem names
// it).
bool RunGameChooser(QWidget* owner);

// The options of the current game, modal over owner; nothing without a
// current game.
void RunLottoOption(QWidget* owner);

// Installs the game windows in the main window's set: the chooser (which
// reaches the new-game dialog and the templates), the game options and the
// draw editor.
void InstallGameWindows(ShellWindows& windows);

} // namespace kelton
