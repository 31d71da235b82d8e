#pragma once

// What the value picker of a condition shows beside the values: the names
// of the pattern codes and a hint on the classes of numbers at the target
// issue. The filter window and the analysis windows open the picker for a
// condition with the same names and hint.

#include <cstdint>

#include <QString>

namespace kelton {

class CLottorData;
class CStat;

// The legend of the 27 pattern codes for kinds 37..42, else "".
QString ConditionValueNames(int16_t kind);

// The hint for condition kind of a data view at target issue `issue` (a
// record index; issueText the issue number or "下期"): "期号：", the text
// and a line break, then the kind's class lists (hot/warm/cold, roads,
// neighbours, repeats, the previous draw's numbers, big/middle/small),
// each a label followed by the numbers of the class run together. Empty
// for kinds without a hint, and for the previous-draw kinds before the
// second issue.
QString ConditionHint(const CStat& view, const CLottorData& game, int16_t kind, int32_t issue, const QString& issueText);

} // namespace kelton
