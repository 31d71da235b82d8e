#pragma once

namespace kelton {

// Installs the analysis windows: every game the main window loads gets one
// FInfer per data view, made unloaded and built on first use.
void InstallAnalysisWindows();

} // namespace kelton
