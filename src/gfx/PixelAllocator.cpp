#include "gfx/PixelAllocator.h"

#include <cstdint>

#if defined(__linux__)
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace gfx {

namespace {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr size_t kLargePage = size_t{2} << 20;

size_t RoundUp(size_t bytes, size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// A buffer of a large page or more is mapped to its last small page: its whole large pages
// take large pages, the rest small ones, so nothing is resident beyond the buffer. A smaller
// one takes a whole large page, at most 1.5 MiB beyond it.
size_t MappedSize(size_t bytes) {
    if (bytes < kLargePage) {
        return kLargePage;
    }
    return RoundUp(bytes, static_cast<size_t>(sysconf(_SC_PAGESIZE)));
}

// Maps one large page more than asked, then returns the unaligned head and the tail to the
// system, so the buffer starts on a large-page boundary.
void* MapAligned(size_t size) {
    void* mapped = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto begin = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (begin + kLargePage - 1) & ~uintptr_t{kLargePage - 1};
    if (aligned > begin) {
        munmap(mapped, aligned - begin);
    }
    const uintptr_t tail = aligned + size;
    const uintptr_t end = begin + size + kLargePage;
    if (end > tail) {
        munmap(reinterpret_cast<void*>(tail), end - tail);
    }
    return reinterpret_cast<void*>(aligned);
}
#endif

}  // namespace

void* AllocatePixelBuffer(size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargeBufferBytes) {
        const size_t size = MappedSize(bytes);
        void* data = MapAligned(size);
        // Advice only: where it is refused the buffer works the same with small pages.
        madvise(data, size, MADV_HUGEPAGE);
        // The sanitizer does not watch mapped memory: the mapping past the buffer is marked, so
        // that a read or write beyond the last pixel is reported as on the heap.
        ASAN_POISON_MEMORY_REGION(static_cast<char*>(data) + bytes, size - bytes);
        return data;
    }
#endif
    return ::operator new(bytes);
}

// The plain delete: the sized one is not there in every compiler's default mode (clang's
// needs -fsized-deallocation), and new of `bytes` needs nothing more to be undone.
void FreePixelBuffer(void* data, [[maybe_unused]] size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargeBufferBytes) {
        const size_t size = MappedSize(bytes);
        // The mark would outlive the mapping and fault the next one made at the same place.
        ASAN_UNPOISON_MEMORY_REGION(static_cast<char*>(data) + bytes, size - bytes);
        munmap(data, size);
        return;
    }
#endif
    ::operator delete(data);
}

}  // namespace gfx
