#include "pickers/ui/picker_dialogs.h"

#include <QApplication>

#include "data/lottor_head.h"
#include "pickers/ui/ball_dialog.h"
#include "pickers/ui/balls_dialog.h"
#include "pickers/ui/sel_val_dialog.h"
#include "platform/services.h"
#include "platform/ui/modal_dialog.h"

namespace kelton {

namespace {

// The window a number picker opens over: the topmost modal one, else the
// active one.
QWidget* Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

QString CPickerDialogs::PickValues(const QString& strVal, int16_t minVal, int16_t maxVal,
                                   const QString& valName, const QString& showMsg)
{
    FSelVal dialog;
    dialog.SetStrVal(strVal);
    dialog.SetMinVal(minVal);
    dialog.SetMaxVal(maxVal);
    dialog.SetShowMsg(showMsg);
    dialog.SetValName(valName);
    dialog.Load();
    ExecModal(dialog);
    return dialog.StrVal();
}

bool CPickerDialogs::PickBall(const CLottorHead& head, std::vector<int16_t>& balls)
{
    const size_t positions = static_cast<size_t>(std::max<int>(head.BM, 0)) + 1;
    fBall dialog(Owner());
    dialog.SetHeadData(head);
    for (size_t i = 1; i < positions && i < balls.size(); ++i) {
        dialog.SetBall(static_cast<int>(i), balls[i]);
        if (dialog.Ball(static_cast<int>(i)) != balls[i])
            return false; // a number outside the game: the grids have no cell for it
    }
    if (!dialog.CanShow())
        return false;
    dialog.Load();
    ExecModal(dialog);
    if (!dialog.ClickOk())
        return false;
    balls.resize(std::max(balls.size(), positions), 0);
    for (size_t i = 1; i < positions; ++i)
        balls[i] = dialog.Ball(static_cast<int>(i));
    return true;
}

bool CPickerDialogs::PickBalls(const CLottorHead& head, QString& text)
{
    FBalls dialog(Owner());
    dialog.SetHeadData(head);
    dialog.SetBall(text);
    dialog.Load();
    ExecModal(dialog);
    if (!dialog.ClickOk())
        return false;
    text = dialog.Ball();
    return true;
}

void InstallPickerDialogs()
{
    static CPickerDialogs dialogs;
    InstallService<IPickerService>(&dialogs);
}

} // namespace kelton
