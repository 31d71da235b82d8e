#pragma once

#include <array>
#include <cstdint>

#include <QString>

#include "data/prime_table.h"
#include "data/text_helpers.h"

namespace kelton {

// The program's name and version, shown in captions and compared with
// offered editions.
inline constexpr char16_t kAppTitle[] = u"Kelton";
inline constexpr char kVersionText[] = "2.04";

inline QString AppTitle() { return QString::fromUtf16(kAppTitle); }

// The signature every settings container carries; fixed, 50 characters.
inline constexpr char16_t kSsqSignature[] = u"Kelton Number Settings 2"
                                            u"                          ";
static_assert(std::size(kSsqSignature) == 51);
inline QString SsqSignature() { return QString::fromUtf16(kSsqSignature); }

// True (-1) at 1 and the primes below 200, by number 0..200.
inline constexpr std::array<int16_t, 201> kPrimeFlag = [] {
    std::array<int16_t, 201> flags{};
    for (size_t n = 0; n < flags.size(); ++n)
        flags[n] = Flag(kPrimeTable[n]);
    return flags;
}();

// 1 for the indicators that stay in force for group bets, 0 for the others.
inline constexpr std::array<int16_t, 43> kGroupIndicatorFlag = [] {
    std::array<int16_t, 43> flags{};
    for (int i : {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 34,
                  35, 36})
        flags[static_cast<size_t>(i)] = 1;
    return flags;
}();

}  // namespace kelton
