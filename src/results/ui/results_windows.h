#pragma once

namespace kelton {

struct AppState;
struct ShellWindows;

// Installs the bet-result windows in the main window's set: the bet and
// history file dialog over the bets and game of app.
void InstallResultsWindows(ShellWindows& windows, AppState& app);

} // namespace kelton
