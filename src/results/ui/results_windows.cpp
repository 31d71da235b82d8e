#include "results/ui/results_windows.h"

#include "results/ui/data_in_out.h"
#include "shell/ui/shell_windows.h"

namespace kelton {

void InstallResultsWindows(ShellWindows& windows)
{
    windows.DataInOut = &ShowDataInOut;
}

} // namespace kelton
