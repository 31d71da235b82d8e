#pragma once

#include <array>

namespace kelton {

// 1 and the primes below 200, by number 0..200: the digits and sums that the
// prime-count indicator and the start-up table call prime.
inline constexpr std::array<bool, 201> kPrimeTable = [] {
    std::array<bool, 201> flags{};
    flags[1] = true;
    for (int n = 2; n < 200; ++n) {
        bool prime = true;
        for (int d = 2; d * d <= n; ++d) {
            if (n % d == 0) {
                prime = false;
                break;
            }
        }
        flags[static_cast<size_t>(n)] = prime;
    }
    return flags;
}();

}  // namespace kelton
