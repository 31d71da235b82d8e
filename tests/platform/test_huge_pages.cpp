#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "platform/huge_pages.h"

namespace kelton {
namespace {

constexpr size_t kMiB = size_t{1} << 20;

TEST(HugePages, BlocksTakeWholeLargePages)
{
    struct Case {
        size_t bytes, taken;
    };
    const Case cases[] = {
        {kHugePageMin, 2 * kMiB},
        {2 * kMiB, 2 * kMiB},
        {2 * kMiB + 1, 4 * kMiB},
        {13 * kMiB, 14 * kMiB},
        {std::numeric_limits<size_t>::max(), 0}, // no such block
    };
    for (const Case& c : cases)
        EXPECT_EQ(HugePageBlockBytes(c.bytes), c.taken) << c.bytes;
    EXPECT_EQ(MapHugePageBlock(std::numeric_limits<size_t>::max() - kMiB), nullptr);
}

// A vector grows from the ordinary heap onto large pages and shrinks back,
// keeping its values on every move; its large blocks sit on 2 MiB
// boundaries.
TEST(HugePages, AVectorKeepsItsValuesAcrossTheKindsOfBlock)
{
    std::vector<uint32_t, HugePageAllocator<uint32_t>> cells;
    const size_t large = 3 * kMiB / sizeof(uint32_t) + 7;
    for (size_t i = 0; i < large; ++i) {
        cells.push_back(static_cast<uint32_t>(i * 2654435761u));
        if (cells.capacity() * sizeof(uint32_t) >= kHugePageMin) {
            ASSERT_EQ(reinterpret_cast<uintptr_t>(cells.data()) % kHugePageSize, 0u) << i;
        }
    }
    cells.resize(10);
    cells.shrink_to_fit();
    cells.resize(2 * kMiB, 5u); // new cells past the kept ones
    for (size_t i = 0; i < 10; ++i)
        ASSERT_EQ(cells[i], static_cast<uint32_t>(i * 2654435761u)) << i;
    EXPECT_EQ(cells.back(), 5u);
}

} // namespace
} // namespace kelton
