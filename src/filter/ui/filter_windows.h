#pragma once

namespace kelton {

class fFilter;
struct ShellWindows;

// The filter window while it is loaded; nullptr before its first use and
// once it has been unloaded for real.
fFilter* FilterWindow();

// Installs the filter window in the main window's set: made on first use,
// and made anew after it has been unloaded for real.
void InstallFilterWindows(ShellWindows& windows);

} // namespace kelton
