#include <QApplication>

#include "analysis/ui/infer_windows.h"
#include "filter/ui/filter_windows.h"
#include "formula/ui/way_form.h"
#include "games/ui/game_windows.h"
#include "host/ui/app_context.h"
#include "host/ui/shell_windows.h"
#include "otherfilter/ui/other_filter_panel.h"
#include "pickers/ui/picker_dialogs.h"
#include "platform/gbk.h"
#include "platform/services.h"
#include "platform/termination_signals.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_translations.h"
#include "results/ui/hit_query_form.h"
#include "results/ui/printer_form.h"
#include "results/ui/results_windows.h"
#include "shell/lottor_loader.h"
#include "shell/ui/instance_lock.h"
#include "shell/ui/mdi_main.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelton"));
    QApplication::setOrganizationName(QStringLiteral("Kelton"));
    kelton::InstallQtTranslations(app);

    if (!kelton::GbkAvailable()) {
        kelton::MsgBox(nullptr, QMessageBox::Critical, QStringLiteral("Kelton"),
                       QStringLiteral("GB18030 text codec is not available."));
        return 1;
    }

    // One instance per program folder.
    kelton::CInstanceLock lock;
    if (!lock.Claim())
        return 1;

    const kelton::ScopedService<kelton::LottorLoader> loader(kelton::OpenLottorFile);
    kelton::InstallPickerDialogs();
    // The run's state and windows: the windows of the other parts of the
    // program join the main window's set.
    kelton::AppContext context;
    kelton::ShellWindows& windows = context.Windows;
    kelton::InstallGameWindows(windows, context.State);
    kelton::InstallFormulaWindows(windows, context.State);
    kelton::InstallFilterWindows(windows, context.State);
    kelton::InstallHitQueryWindow(windows, context.State);
    kelton::InstallResultsWindows(windows, context.State);
    kelton::InstallPrinterWindow(windows, context.State);
    kelton::InstallAnalysisWindows(windows, context.State);
    kelton::InstallOtherFilterWindows(windows, context.State);
    kelton::MDIMain window(context);
    // A logout, shutdown or Ctrl+C ends the program as closing it does.
    kelton::CTerminationSignals terminationSignals([&window] { window.RequestTermination(); });
    return window.Run();
}
