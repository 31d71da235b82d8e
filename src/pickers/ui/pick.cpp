#include "pickers/ui/pick.h"

#include "data/lottor_head.h"
#include "data/picker_service.h"
#include "platform/services.h"

namespace kelton {

QString ShowSelVal(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                   const QString& showMsg)
{
    IPickerService* pickers = Service<IPickerService>();
    if (!pickers)
        return strVal;
    return pickers->PickValues(strVal, minVal, maxVal, valName, showMsg);
}

bool PickBetNumber(const CLottorHead& head, std::vector<int16_t>& bet)
{
    IPickerService* pickers = Service<IPickerService>();
    if (!pickers)
        return false;
    const size_t positions = static_cast<size_t>(head.BM) + 1;
    std::vector<int16_t> balls(positions, 0);
    for (size_t i = 1; i < positions && i < bet.size(); ++i)
        balls[i] = bet[i];
    if (!pickers->PickBall(head, balls))
        return false;
    balls.resize(positions, 0);
    if (bet.size() < positions)
        bet.resize(positions, 0);
    for (size_t i = 1; i < positions; ++i)
        bet[i] = balls[i];
    return true;
}

bool PickNumberList(const CLottorHead& head, QString& text)
{
    IPickerService* pickers = Service<IPickerService>();
    if (!pickers)
        return false;
    QString picked = text;
    if (!pickers->PickBalls(head, picked))
        return false;
    text = picked;
    return true;
}

} // namespace kelton
