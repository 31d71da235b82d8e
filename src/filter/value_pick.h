#pragma once

// What the value picker shows beside a condition's values when the user
// picks them in the filter window: the value names of the pattern
// indicators and, for the count and pattern indicators, a hint listing the
// numbers of each class for the target issue.

#include <cstdint>
#include <vector>

#include <QString>

namespace kelton {

class CLottorData;
class CStat;

struct ValuePickText {
    QString Names; // "0=name;1=name;..." of a pattern indicator, else ""
    QString Hint;  // "" when there is none
};

// Row `row` (FilterKind) of view `stat` for the target issue `issue` (a draw
// index, or NumCount for "下期") whose list text is `issueText`.
ValuePickText ConditionPickText(const CLottorData& game, const CStat& stat, int16_t row, int32_t issue,
                                const QString& issueText);

// A class list: the label and, one after the other, the numbers flagged 1.
QString ClassList(const QString& label, const std::vector<int16_t>& flags);

} // namespace kelton
