#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>

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

// Memory for pixels that another part of the program lends: a window system's backend hands
// out buffers its display server reads directly, so a window's surface is shown without being
// copied first. Allocate returns memory aligned for any pixel (or throws std::bad_alloc); Free
// takes back exactly what Allocate gave, with its size.
class PixelSource {
  public:
    virtual ~PixelSource() = default;
    virtual void* Allocate(size_t bytes) = 0;
    virtual void Free(void* data, size_t bytes) noexcept = 0;
};

// Pixel buffers from the source, when there is one, or from AllocatePixelBuffer. A copy of a
// container is the program's own (no source); a moved or swapped buffer takes its source along.
template <class T>
struct PixelAllocator {
    using value_type = T;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    PixelAllocator() = default;
    explicit PixelAllocator(std::shared_ptr<PixelSource> from) noexcept : source(std::move(from)) {}
    template <class U>
    PixelAllocator(const PixelAllocator<U>& other) noexcept : source(other.source) {}

    T* allocate(size_t count) {
        if (count > static_cast<size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const size_t bytes = count * sizeof(T);
        return static_cast<T*>(source ? source->Allocate(bytes) : AllocatePixelBuffer(bytes));
    }
    void deallocate(T* data, size_t count) noexcept {
        if (source) {
            source->Free(data, count * sizeof(T));
        } else {
            FreePixelBuffer(data, count * sizeof(T));
        }
    }
    PixelAllocator select_on_container_copy_construction() const { return {}; }

    template <class U>
    bool operator==(const PixelAllocator<U>& other) const noexcept {
        return source == other.source;
    }

    std::shared_ptr<PixelSource> source;  // none: AllocatePixelBuffer
};

}  // namespace gfx
