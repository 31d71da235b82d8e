#include "platform/huge_pages.h"

#include <cstdint>

#include <sys/mman.h>

namespace kelton {

size_t HugePageBlockBytes(size_t bytes)
{
    if (bytes > std::numeric_limits<size_t>::max() - (kHugePageSize - 1))
        return 0; // no such block can exist
    return (bytes + kHugePageSize - 1) & ~(kHugePageSize - 1);
}

void* MapHugePageBlock(size_t bytes)
{
    const size_t size = HugePageBlockBytes(bytes);
    if (size == 0 || size > std::numeric_limits<size_t>::max() - kHugePageSize)
        return nullptr;
    // Map one large page more than needed and give back what lies outside
    // the aligned block.
    const size_t mapped = size + kHugePageSize;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePageSize - 1) & ~uintptr_t{kHugePageSize - 1};
    if (aligned > start)
        munmap(raw, aligned - start);
    const uintptr_t end = start + mapped;
    if (end > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(block, size, MADV_HUGEPAGE); // a hint: without large pages the block still works
#endif
    return block;
}

void UnmapHugePageBlock(void* block, size_t bytes) noexcept
{
    if (block)
        munmap(block, HugePageBlockBytes(bytes));
}

} // namespace kelton
