#include "games/ui/game_windows.h"

#include <memory>

#include <QPointer>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "games/ui/data_set_form.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/lotto_option.h"
#include "host/ui/shell_windows.h"
#include "platform/ui/modal_dialog.h"

namespace kelton {

bool RunGameChooser(AppState& app, QWidget* owner)
{
    const QString loaded = app.CurLottorData ? app.CurLottorData->FilePath() : QString();
    FLottoLogo chooser(app.LottoItems, app.SettingRecord, loaded, owner);
    ExecModal(chooser);
    return chooser.ClickOk();
}

void RunLottoOption(const AppState& app, QWidget* owner)
{
    // The game stays alive while its options are open.
    const std::shared_ptr<CLottorData> game = app.CurLottorData;
    if (!game)
        return;
    FLottoOption options(game->HeadData, owner);
    ExecModal(options);
}

void InstallGameWindows(ShellWindows& windows, AppState& app)
{
    windows.ChooseGame = [&app](QWidget* owner) { return RunGameChooser(app, owner); };
    windows.LottoOption = [&app](QWidget* owner) { RunLottoOption(app, owner); };
    // One draw editor for the run; it belongs to the main window it is
    // first shown over and is made anew should that window go. The
    // registry's entry keeps it (copies of the entry share it).
    windows.DataSetForm = [&app, form = std::make_shared<QPointer<FDataSet>>()]() -> IDataSetForm* {
        if (!*form)
            *form = new FDataSet(app);
        return form->data();
    };
}

} // namespace kelton
