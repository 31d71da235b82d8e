#pragma once

// Draws for the tests, written as digit strings as they are read: highest
// place first ("123": hundreds 1, tens 2, units 3).

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "data/draw_text.h"

namespace kelton::test {

// One draw of the issue given.
inline Draw DigitsDraw(int32_t issue, const char* digits)
{
    Draw d{issue, {0}};
    for (const char* c = digits; *c; ++c)
        d.Num.push_back(static_cast<int16_t>(*c - '0'));
    return d;
}

// Draws of consecutive issues from `first` on.
inline std::vector<Draw> Draws(const std::vector<const char*>& rows, int32_t first = 101)
{
    std::vector<Draw> out;
    int32_t issue = first;
    for (const char* digits : rows)
        out.push_back(DigitsDraw(issue++, digits));
    return out;
}

// Draws each with its own issue.
inline std::vector<Draw> Draws(std::initializer_list<std::pair<int32_t, const char*>> rows)
{
    std::vector<Draw> out;
    for (const auto& [issue, digits] : rows)
        out.push_back(DigitsDraw(issue, digits));
    return out;
}

// A candidate by place: units, tens, hundreds.
inline std::vector<int16_t> Bet(int units, int tens, int hundreds)
{
    return {0, static_cast<int16_t>(units), static_cast<int16_t>(tens), static_cast<int16_t>(hundreds)};
}

} // namespace kelton::test
