#pragma once

namespace kelton {

struct AppState;
struct ShellWindows;

// Installs the analysis windows into the program's registry: every game the
// main window loads gets one FInfer per data view, made unloaded and built
// on first use, over app (which outlives the registry).
void InstallAnalysisWindows(ShellWindows& windows, AppState& app);

} // namespace kelton
