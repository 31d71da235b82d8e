#include "games/ui/game_windows.h"

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "games/ui/lotto_logo.h"
#include "games/ui/lotto_option.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/shell_windows.h"

namespace kelton {

bool RunGameChooser(QWidget* owner)
{
    AppState& app = Mmain();
    const QString loaded = app.CurLottorData ? app.CurLottorData->FilePath() : QString();
    FLottoLogo chooser(app.LottoItems, app.SettingRecord, loaded, owner);
    ExecModal(chooser);
    return chooser.ClickOk();
}

void RunLottoOption(QWidget* owner)
{
    // The game stays alive while its options are open.
    const std::shared_ptr<CLottorData> game = Mmain().CurLottorData;
    if (!game)
        return;
    FLottoOption options(game->HeadData, owner);
    ExecModal(options);
}

void InstallGameWindows(ShellWindows& windows)
{
    windows.ChooseGame = &RunGameChooser;
    windows.LottoOption = &RunLottoOption;
}

} // namespace kelton
