#include "results/ui/results_windows.h"

#include "host/ui/shell_windows.h"
#include "results/ui/data_in_out.h"

namespace kelton {

void InstallResultsWindows(ShellWindows& windows, AppState& app)
{
    windows.DataInOut = [&app](QWidget* owner, int16_t sShowTag) { ShowDataInOut(app, owner, sShowTag); };
}

} // namespace kelton
