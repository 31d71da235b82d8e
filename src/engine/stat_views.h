#pragma once

#include <cstdint>
#include <span>

namespace kelton {

class CStat;

// Brings the statistics views of a draw history up to date from draw sStart
// on: view 0, and each transformed view 1.. keyed by view 0's all-position
// statistic of its kind (ViewStatKind) in the records just built. views[v]
// must be the open view v; there may be fewer than eight. The history is
// given whole: issues[d] and numbers[d * (BM + 1) + p] for draws
// d = 0..issues.size()-1, positions 0..BM (position 1 = units). Every view
// gets records sStart..draws (the last one the next issue).
//
// With more than one worker every view is built on a thread of its own,
// the transformed views following view 0 record by record; the default
// takes one per view when the machine has more than one core and there are
// a few hundred records or more to build. One worker
// builds the views in turn on the calling thread. Either way the files are
// the same byte for byte, and the calling thread alone drives the progress
// service, one view after the other as StatEdit does, and alone touches the
// views but for their files.
//
// Returns the error flag: false on success, true when a view failed or the
// input does not fit the views (then no view is touched). A failure stops
// every view not yet complete; each is left empty and its file refused by
// a later open, as a failed StatEdit leaves it.
[[nodiscard]] bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                                  std::span<const int16_t> numbers, int32_t sStart, int workers);
[[nodiscard]] bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                                  std::span<const int16_t> numbers, int32_t sStart);

} // namespace kelton
