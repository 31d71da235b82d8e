#pragma once

namespace kelton {

struct ShellWindows;

// Installs the analysis windows into the program's registry: every game the
// main window loads gets one FInfer per data view, made unloaded and built
// on first use.
void InstallAnalysisWindows(ShellWindows& windows);

} // namespace kelton
