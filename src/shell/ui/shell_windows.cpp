#include "host/ui/shell_windows.h"

#include "data/first_start.h"
#include "data/settings.h"

#include "shell/ui/about_dialog.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/option_dialog.h"
#include "shell/ui/upgrade_dialog.h"

namespace kelton {

ShellWindows InitialShellWindows(AppState& app)
{
    ShellWindows windows;
    windows.DataSetOther = [](MDIMain& main) { main.DataSetOther(); };
    // The settings file records the sample game as soon as its data file is
    // complete, before its statistics are built.
    windows.SeedFirstStart = [](AppState& app) {
        return SeedProgramFolder(app.LottoItems, app.SetFileState,
                                 [&app] { SaveSetFile(app, QString::fromLatin1(kSetFileKey)); });
    };
    windows.OptionDialog = [&app](QWidget* owner) { ShowOptionDialog(app, owner); };
    windows.UpgradeDialog = [&app](QWidget* owner) { ShowUpgradeDialog(app, owner); };
    windows.AboutBox = [&app](QWidget* owner) { ShowAboutBox(app, owner); };
    return windows;
}

} // namespace kelton
