#pragma once

#include <algorithm>
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

// The one membership walk over ranges in ascending order: rangeAt(r) gives
// range r for r = 0..count-1 (anything with Low and High); the walk stops at
// the first range whose low end exceeds x.
template <class RangeAt> bool InAscendingRanges(int count, int x, RangeAt&& rangeAt)
{
    for (int r = 0; r < count; ++r) {
        const auto range = rangeAt(r);
        if (x < range.Low)
            return false;
        if (x <= range.High)
            return true;
    }
    return false;
}

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

    // Membership (InAscendingRanges): in ranges 1..Count(), or in the first
    // `ranges` of them (at most Count()).
    bool Contains(int value) const { return ContainsInFirst(Count(), value); }
    bool ContainsInFirst(int ranges, int value) const
    {
        return InAscendingRanges(std::min(ranges, Count()), value,
                                 [this](int r) { return m_items[static_cast<size_t>(r) + 1]; });
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
