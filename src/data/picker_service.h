#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "platform/services.h"

namespace kelton {

class CLottorHead;

// The modal pickers (value picker, single number, number list). A service
// (platform/services.h): the window side installs its dialogs, tests
// install fakes; windows open them through pickers/ui/pick.h and hand the
// answer to the model. With nothing installed every picker is cancelled.
class IPickerService {
public:
    virtual ~IPickerService() = default;

    // Shows the value picker; returns the edited set's canonical text after
    // OK, strVal unchanged after Cancel.
    virtual QString PickValues(const QString& strVal, int16_t minVal, int16_t maxVal,
                               const QString& valName, const QString& showMsg) = 0;

    // Shows the single-number editor for one bet number of the game head:
    // balls holds positions 0..BM (1 = units) on entry; after OK the editor
    // has written positions 1..BM and the answer is true. Cancel answers
    // false. A service without the editor cancels.
    virtual bool PickBall(const CLottorHead& head, std::vector<int16_t>& balls)
    {
        (void)head;
        (void)balls;
        return false;
    }

    // Shows the number-list picker: text is the list (groups per position
    // separated by ",", numbers by blanks) on entry and the chosen list after
    // OK (true). Cancel answers false. A service without the picker cancels.
    virtual bool PickBalls(const CLottorHead& head, QString& text)
    {
        (void)head;
        (void)text;
        return false;
    }
};

}  // namespace kelton
