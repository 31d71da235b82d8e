#include "data/picker_service.h"

namespace kelton {

namespace {
IPickerService* g_pickers = nullptr;
}

void SetPickerService(IPickerService* service)
{
    g_pickers = service;
}

IPickerService* PickerService()
{
    return g_pickers;
}

QString ShowSelVal(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                   const QString& showMsg)
{
    if (!g_pickers)
        return strVal;
    return g_pickers->PickValues(strVal, minVal, maxVal, valName, showMsg);
}

}  // namespace kelton
