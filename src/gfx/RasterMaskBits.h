#pragma once
// Reading a mono mask row's bits a byte or a window at a time, for the row kernels and the row
// walks. The kernels' builds for wider vector units include this too, compiled with other
// instruction sets; the helpers have internal linkage so that each build keeps its own copy
// and none of them can stand in for another's at link time.

#include <cstdint>
#include <cstring>

namespace gfx::raster {
namespace {

// The eight bits from bit firstBit + 8 * group on, as one byte; bit 7 first. The group's bits
// must all be wanted, so the second byte is read only when they reach into it.
inline uint32_t MaskByteAt(const uint8_t* bits, int32_t firstBit, int32_t group) {
    const int32_t at = firstBit + 8 * group;
    const uint32_t shift = static_cast<uint32_t>(at & 7);
    const uint32_t high = bits[at >> 3];
    const uint32_t low = shift != 0 ? bits[(at >> 3) + 1] : 0u;
    return (((high << 8) | low) >> (8 - shift)) & 0xFFu;
}

// The 32 mask bits from bit `at` on, the first in the top bit; the row's bits end in byte
// lastByte, and bits past it read as 0. One 64-bit read of the row's bytes: from byte at / 8
// on where the row holds eight bytes from there, else the row's last eight, the bits before
// `at` shifted out. Only rows of fewer than eight bytes are read a byte at a time.
inline uint32_t MaskWindowAt(const uint8_t* bits, int32_t at, int32_t lastByte) {
    const int32_t from = at >> 3;
    uint64_t word = 0;
    if (from + 7 <= lastByte) {
        std::memcpy(&word, bits + from, sizeof word);
        return static_cast<uint32_t>((__builtin_bswap64(word) << (at & 7)) >> 32);
    }
    if (lastByte >= 7) {
        const int32_t lastEight = lastByte - 7;
        std::memcpy(&word, bits + lastEight, sizeof word);
        return static_cast<uint32_t>((__builtin_bswap64(word) << (at - 8 * lastEight)) >> 32);
    }
    for (int32_t b = 0; b <= lastByte; ++b) {
        word |= uint64_t{bits[b]} << (56 - 8 * b);
    }
    return static_cast<uint32_t>((word << at) >> 32);
}

}  // namespace
}  // namespace gfx::raster
