#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <new>

namespace kelton {

// Large arrays that are filled at once (the cells of a big table) spend
// much of their first fill in page faults, one per 4 KiB page. Blocks of
// kHugePageMin bytes or more are therefore mapped on their own, aligned to
// and rounded up to whole 2 MiB pages, and marked for the kernel's large
// pages: one fault then backs 2 MiB. Where the kernel has no large pages the
// block is an ordinary mapping.
inline constexpr size_t kHugePageSize = size_t{2} << 20;
inline constexpr size_t kHugePageMin = size_t{1} << 20;

// The bytes a block of the given size takes: whole 2 MiB pages.
size_t HugePageBlockBytes(size_t bytes);
// A new zero-filled block of at least bytes (kHugePageMin or more) on a
// 2 MiB boundary; nullptr when the system has no room.
void* MapHugePageBlock(size_t bytes);
// Returns a block MapHugePageBlock gave for the same bytes.
void UnmapHugePageBlock(void* block, size_t bytes) noexcept;

// An allocator for std::vector and the like: large blocks as above, small
// ones from the ordinary heap.
template <class T> class HugePageAllocator {
public:
    using value_type = T;

    HugePageAllocator() noexcept = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(size_t n)
    {
        if (n > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        const size_t bytes = n * sizeof(T);
        if (bytes < kHugePageMin)
            return std::allocator<T>().allocate(n);
        static_assert(alignof(T) <= kHugePageSize);
        void* block = MapHugePageBlock(bytes);
        if (!block)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }

    void deallocate(T* p, size_t n) noexcept
    {
        const size_t bytes = n * sizeof(T);
        if (bytes < kHugePageMin)
            std::allocator<T>().deallocate(p, n);
        else
            UnmapHugePageBlock(p, bytes);
    }

    template <class U> friend bool operator==(const HugePageAllocator&, const HugePageAllocator<U>&) noexcept
    {
        return true;
    }
};

} // namespace kelton
