#include "engine/stat_views.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/stat.h"

namespace kelton {

bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                    std::span<const int16_t> numbers, int32_t sStart)
{
    if (views.empty() || views.size() > static_cast<size_t>(CStat::kViewCount) || !views[0] ||
        !views[0]->Layout())
        return true;
    const int32_t draws = static_cast<int32_t>(issues.size());
    if (sStart < 0 || sStart > draws)
        return true;
    const int32_t count = draws - sStart + 1;
    const auto& layout = *views[0]->Layout();
    const size_t stride = static_cast<size_t>(layout.BM() + 1);
    const size_t n = static_cast<size_t>(layout.Values());
    if (numbers.size() < static_cast<size_t>(draws) * stride)
        return true;

    // The builder's inputs: the draws from sStart on and the next issue (0).
    std::vector<int32_t> names(issues.begin() + sStart, issues.end());
    names.push_back(0);
    const std::span<const int16_t> nums =
        numbers.subspan(static_cast<size_t>(sStart) * stride, static_cast<size_t>(draws - sStart) * stride);

    // View 0's records give the keys of the other views as they are built:
    // StatAll(kind, 0, v) less the row's smallest entry, as StatArray reads
    // them back.
    std::array<std::vector<int16_t>, CStat::kViewCount> keys;
    for (size_t v = 1; v < views.size(); ++v)
        keys[v].reserve(static_cast<size_t>(count) * n);
    auto capture = [&](const StatRecord& rec) {
        for (size_t v = 1; v < views.size(); ++v) {
            const int kind = ViewStatKind(static_cast<int16_t>(v));
            int16_t least = rec.StatAll(kind, 0, 0);
            for (size_t x = 1; x < n; ++x)
                least = std::min(least, rec.StatAll(kind, 0, static_cast<int>(x)));
            for (size_t x = 0; x < n; ++x)
                keys[v].push_back(static_cast<int16_t>(rec.StatAll(kind, 0, static_cast<int>(x)) - least));
        }
    };
    if (views[0]->StatEdit(names, nums, {}, count, sStart, capture))
        return true;
    for (size_t v = 1; v < views.size(); ++v) {
        if (!views[v] || views[v]->DataIndex() != static_cast<int16_t>(v) ||
            views[v]->StatEdit(names, nums, keys[v], count, sStart))
            return true;
        keys[v].clear();
        keys[v].shrink_to_fit();
    }
    return false;
}

} // namespace kelton
