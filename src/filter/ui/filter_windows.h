#pragma once

namespace kelton {

struct AppState;
struct ShellWindows;

// Installs the filter window, the extreme-range window, the batch
// replacement and the side panel of the scheme checks in the main window's
// set, all over app (which outlives the set). The filter window is made on
// first use, and made anew after it has been unloaded for real.
void InstallFilterWindows(ShellWindows& windows, AppState& app);

} // namespace kelton
