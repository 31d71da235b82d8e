#pragma once

// The program on the real history: the windows installed as main installs
// them (no web page on a test machine), and a start whose game chooser is
// answered with the sample game "福彩3D" (8374 draws, the last issue 2025217
// drew 8 9 4).

#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include "core/bet_list.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "filter/ui/filter_windows.h"
#include "games/ui/game_window_test.h"
#include "games/ui/game_windows.h"
#include "games/ui/lotto_logo.h"
#include "host/ui/shell_windows.h"
#include "pickers/ui/picker_dialogs.h"
#include "shell/lottor_loader.h"
#include "shell/ui/mdi_main.h"

namespace kelton::test {

class RealHistoryTest : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        Windows() = InitialShellWindows(m_context.State);
        Windows().DataSetOther = {};
        InstallPickerDialogs();
        InstallGameWindows(Windows(), m_context.State);
        InstallFilterWindows(Windows(), m_context.State);
        m_loader.emplace(&OpenLottorFile);
    }
    QAction* Entry(MainCommand command) const { return m_main->Entry(command); }
    CLottorData& Game() const { return *State().CurLottorData; }

    // The main window started; the game chooser of the first start picks
    // the sample game.
    MDIMain& StartWithSampleGame()
    {
        OnModal<FLottoLogo>([](FLottoLogo& chooser) {
            for (int r = 0; r < chooser.RowCount(); ++r) {
                if (chooser.RowName(r) == QStringLiteral("福彩3D"))
                    chooser.SelectRow(r);
            }
            chooser.cmdSel()->click();
        });
        return Start();
    }

    // A user's pick in a list: the item becomes current and the list
    // reports the choice.
    static void Pick(QComboBox* list, int index)
    {
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }

    // All ten digits in every position grid, then the direct bets made.
    static void MakeDirectBets(fFilter& filter)
    {
        for (int g = 1; g <= 3; ++g)
            Pick(filter.Controls().CboBc[g], 1); // 全选
        filter.SelectBetType(0);
        filter.Controls().cmdSingle->click();
        Settle();
    }
};

} // namespace kelton::test
