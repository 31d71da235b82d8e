#pragma once

namespace kelton {

struct ShellWindows;

// Installs the bet-result windows in the main window's set: the bet and
// history file dialog.
void InstallResultsWindows(ShellWindows& windows);

} // namespace kelton
