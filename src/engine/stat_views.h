#pragma once

#include <cstdint>
#include <span>

namespace kelton {

class CStat;

// Brings the statistics views of a draw history up to date from draw sStart
// on: view 0 first, then each transformed view 1.. in order, keyed by view
// 0's all-position statistic of its kind (ViewStatKind) in the records just
// built. views[v] must be the open view v; there may be fewer than eight.
// The history is given whole: issues[d] and numbers[d * (BM + 1) + p] for
// draws d = 0..issues.size()-1, positions 0..BM (position 1 = units). Every
// view gets records sStart..draws (the last one the next issue).
// Returns the error flag: false on success, true when a view failed (the
// views after it are left as they were).
bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                    std::span<const int16_t> numbers, int32_t sStart);

} // namespace kelton
