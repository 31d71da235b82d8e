#include "shell/ui/shell_windows.h"

#include "data/first_start.h"
#include "data/settings.h"

#include "shell/ui/about_dialog.h"
#include "shell/ui/mdi_main.h"
#include "shell/ui/option_dialog.h"
#include "shell/ui/upgrade_dialog.h"

namespace kelton {

namespace {

// The shell's own dialogs and the start-up online information; the windows
// of the other parts of the program install themselves.
ShellWindows InitialWindows()
{
    ShellWindows windows;
    windows.DataSetOther = [](MDIMain& main) { main.DataSetOther(); };
    // The settings file records the sample game as soon as its data file is
    // complete, before its statistics are built.
    windows.SeedFirstStart = [](CLottoItem& items) {
        return SeedProgramFolder(items, [] { SaveSetFile(QString::fromLatin1(kSetFileKey)); });
    };
    windows.OptionDialog = &ShowOptionDialog;
    windows.UpgradeDialog = &ShowUpgradeDialog;
    windows.AboutBox = &ShowAboutBox;
    return windows;
}

} // namespace

ShellWindows& NeighbourWindows()
{
    static ShellWindows windows = InitialWindows();
    return windows;
}

} // namespace kelton
