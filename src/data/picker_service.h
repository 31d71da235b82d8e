#pragma once

#include <cstdint>

#include <QString>

namespace kelton {

// The modal pickers the model asks for (value picker, single number,
// number list). The window side installs its dialogs; tests install fakes.
// With nothing installed every picker is cancelled.
class IPickerService {
public:
    virtual ~IPickerService() = default;

    // Shows the value picker; returns the edited set's canonical text after
    // OK, strVal unchanged after Cancel.
    virtual QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal,
                               const QString& valName, const QString& showMsg) = 0;
};

// Installs the service (not owned); nullptr removes it.
void SetPickerService(IPickerService* service);
IPickerService* PickerService();

// Lets the user edit a value set in the value picker.
QString ShowSelVal(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                   const QString& showMsg);

}  // namespace kelton
