// The number chooser of the current lottery: one flag per position and
// value, shown by the analysis windows and the filter window, and the two
// modal number pickers.

#include "core/child_forms.h"
#include "data/app_state.h"
#include "data/ball_repaint.h"
#include "data/lottor_data.h"
#include "data/picker_service.h"
#include "platform/services.h"

namespace kelton {

int16_t* CLottorData::ChooserFlag(int16_t sPos, int16_t sBall)
{
    if (sPos < 0 || sBall < 0)
        return nullptr;
    std::vector<std::vector<int16_t>>* grid = &m_selBc;
    size_t row = static_cast<size_t>(sPos);
    if (sPos > HeadData.BcMain) {
        grid = &m_selMr;
        row = static_cast<size_t>(sPos - HeadData.BcMain);
    }
    if (row >= grid->size() || static_cast<size_t>(sBall) >= (*grid)[row].size())
        return nullptr;
    return &(*grid)[row][static_cast<size_t>(sBall)];
}

int16_t CLottorData::SelectBall(int16_t sPos, int16_t sBall) const
{
    const int16_t* flag = const_cast<CLottorData*>(this)->ChooserFlag(sPos, sBall);
    return flag ? *flag : int16_t(0);
}

void CLottorData::SelectBall(int16_t sPos, int16_t sBall, int16_t sV)
{
    int16_t* flag = ChooserFlag(sPos, sBall);
    if (!flag)
        return;
    *flag = sV;
    RepaintBall(sPos, sBall);
}

void CLottorData::AutoSelectBall(int16_t sPos, int16_t sBall)
{
    int16_t* flag = ChooserFlag(sPos, sBall);
    if (!flag)
        return;
    *flag = *flag != 0 ? int16_t(0) : int16_t(-1);
    RepaintBall(sPos, sBall);
}

// Every analysis window in view order, then the filter window.
void CLottorData::RepaintBall(int16_t sPos, int16_t sBall)
{
    for (IInferForm* form : Mmain().InferForms) {
        if (form)
            form->RefreshBall(sPos, sBall);
    }
    if (IBallRepaint* filter = Service<IBallRepaint>())
        filter->RefreshBall(sPos, sBall);
}

bool CLottorData::ViewBall(std::vector<int16_t>& sBall)
{
    IPickerService* pickers = Service<IPickerService>();
    if (!pickers)
        return false;
    // The editor works on its own copy: a cancelled edit leaves the
    // caller's numbers as they were.
    const size_t positions = static_cast<size_t>(HeadData.BM) + 1;
    std::vector<int16_t> balls(positions, 0);
    for (size_t i = 1; i < positions && i < sBall.size(); ++i)
        balls[i] = sBall[i];
    if (!pickers->PickBall(HeadData, balls))
        return false;
    balls.resize(positions, 0);
    if (sBall.size() < positions)
        sBall.resize(positions, 0);
    for (size_t i = 1; i < positions; ++i)
        sBall[i] = balls[i];
    return true;
}

bool CLottorData::ViewBalls(QString& sBall)
{
    IPickerService* pickers = Service<IPickerService>();
    if (!pickers)
        return false;
    QString text = sBall;
    if (!pickers->PickBalls(HeadData, text))
        return false;
    sBall = text;
    return true;
}

} // namespace kelton
