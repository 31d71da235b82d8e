#pragma once

#include <cstdint>
#include <vector>

#include <QString>

namespace kelton {

// One inclusive range of a value set.
struct ValueRange {
    int16_t Low = 0;
    int16_t High = 0;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

// A sorted list of inclusive, disjoint, non-touching 16-bit ranges, numbered
// 1..Count(). Index 0 is a (0, 0) placeholder kept for callers that walk the
// ranges from 1. Built by StrToRange, printed by RangeToStr.
class ValueSet {
public:
    ValueSet() : m_items(1) {}

    // Number of ranges (the upper index); 0 for the empty set.
    int Count() const { return static_cast<int>(m_items.size()) - 1; }
    bool IsEmpty() const { return Count() == 0; }

    // Range i, 1..Count(); 0 is the placeholder.
    const ValueRange& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }

    // Membership: walks the ranges in order and stops at the first whose low
    // end exceeds the value.
    bool Contains(int value) const
    {
        for (size_t i = 1; i < m_items.size(); ++i) {
            if (m_items[i].Low > value)
                return false;
            if (value <= m_items[i].High)
                return true;
        }
        return false;
    }

    // Appends a range as it is; StrToRange keeps the invariants.
    void Append(ValueRange range) { m_items.push_back(range); }

    friend bool operator==(const ValueSet&, const ValueSet&) = default;

private:
    std::vector<ValueRange> m_items;
};

// Parses value-set text ("3 5-9 13") with every number clamped to
// sLow..sHigh. Parsing stops at the first token that yields no number.
ValueSet StrToRange(QStringView text, int16_t sLow, int16_t sHigh);

// The canonical text of a set: "3 5-9 13"; the empty text for the empty set.
QString RangeToStr(const ValueSet& set);

}  // namespace kelton
