#pragma once

#include <cstdint>
#include <vector>

#include <QString>

namespace kelton {

class CLottorHead;

// What a window calls to let the user pick: each opens the installed
// picker (IPickerService, data/picker_service.h) and hands the answer back
// for the window to give to the model. With no picker installed every pick
// is cancelled.

// The value picker over a value-set text; the edited set's text after OK,
// strVal itself after Cancel.
QString ShowSelVal(const QString& strVal, int16_t minVal, int16_t maxVal, const QString& valName,
                   const QString& showMsg);

// One bet number (positions 1..BM of head's game; position 0 unused) in
// the bet-number editor. The editor works on a copy: true and bet grown to
// BM + 1 positions with 1..BM set after OK; false and bet unchanged
// otherwise.
bool PickBetNumber(const CLottorHead& head, std::vector<int16_t>& bet);

// A number-list text in the number-list picker: true and the chosen list
// in text after OK; false and text unchanged otherwise.
bool PickNumberList(const CLottorHead& head, QString& text);

} // namespace kelton
