#pragma once

#include <cstddef>
#include <new>

namespace gfx {

// Large pixel buffers (from kLargeBufferBytes) start on a 2 MiB boundary, and the system is
// asked to back them with 2 MiB pages. A picture the raster code sweeps row after row then
// touches a handful of pages instead of hundreds: fewer page faults when it is first written
// (much of start-up under virtual machines) and no cache sets crowded by the chance placement
// of small pages (the same plot ran at 1.7 or 2.9 x a memcpy from one process to the next).
// A buffer under 2 MiB takes one whole block (at most 1.5 MiB more); a larger one keeps small
// pages for its part past its last whole block, so it costs nothing beyond its own size.
// Smaller buffers, and systems without the advice, use the ordinary heap.
inline constexpr size_t kLargeBufferBytes = size_t{512} << 10;

void* AllocatePixelBuffer(size_t bytes);
void FreePixelBuffer(void* data, size_t bytes) noexcept;

template <class T>
struct PixelAllocator {
    using value_type = T;

    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        if (count > static_cast<size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocatePixelBuffer(count * sizeof(T)));
    }
    void deallocate(T* data, size_t count) noexcept { FreePixelBuffer(data, count * sizeof(T)); }

    template <class U>
    bool operator==(const PixelAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace gfx
