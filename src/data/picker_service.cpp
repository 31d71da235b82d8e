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

} // namespace kelton
