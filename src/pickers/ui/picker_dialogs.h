#pragma once

#include "data/picker_service.h"

namespace kelton {

// The window side of the pickers: a fresh modal dialog for each pick, shown
// through ExecModal (platform/ui/modal_dialog.h).
//   PickValues  the value picker FSelVal, without an owner window
//   PickBalls   the number-list picker FBalls, over the active window
//   PickBall    the bet-number picker fBall, over the active window; a bet
//               it cannot show (a value above 9) is cancelled unshown
class CPickerDialogs : public IPickerService {
public:
    QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                       const QString& showMsg) override;
    bool PickBall(const CLottorHead& head, std::vector<int16_t>& balls) override;
    bool PickBalls(const CLottorHead& head, QString& text) override;
};

// Installs the dialogs as the program's pickers; at start-up.
void InstallPickerDialogs();

} // namespace kelton
