#include "gfx/RasterRowKernelsAvx2.h"

#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gfx::raster::avx2 {

namespace {

struct AndOp {
    static Pixel Apply(Pixel d, Pixel s) { return d & s; }
    static __m256i Apply(__m256i d, __m256i s) { return _mm256_and_si256(d, s); }
};
struct OrOp {
    static Pixel Apply(Pixel d, Pixel s) { return d | s; }
    static __m256i Apply(__m256i d, __m256i s) { return _mm256_or_si256(d, s); }
};
struct CopyOp {
    static Pixel Apply(Pixel, Pixel s) { return s; }
    static __m256i Apply(__m256i, __m256i s) { return s; }
};

__m256i Load(const Pixel* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
void Store(Pixel* p, __m256i value) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), value);
}
__m256i Broadcast(uint32_t value) {
    return _mm256_set1_epi32(static_cast<int32_t>(value));
}

// Pixels before dest reaches a 32-byte boundary, so that the vector loads and stores of the
// destination never straddle two cache lines.
int32_t HeadPixels(const Pixel* dest, int32_t count) {
    const auto misalignment = reinterpret_cast<uintptr_t>(dest) & 31u;
    return std::min(count, static_cast<int32_t>(((32u - misalignment) & 31u) / 4u));
}

template <class Op>
void CombineColourRow(Pixel* dest, const Pixel* source, int32_t count) {
    int32_t i = 0;
    for (const int32_t head = HeadPixels(dest, count); i < head; ++i) {
        dest[i] = Op::Apply(dest[i], source[i]);
    }
    for (; i + 8 <= count; i += 8) {
        Store(dest + i, Op::Apply(Load(dest + i), Load(source + i)));
    }
    for (; i < count; ++i) {
        dest[i] = Op::Apply(dest[i], source[i]);
    }
}

template <class Op>
void CombineReversedRow(Pixel* dest, const Pixel* source, int32_t count) {
    const __m256i reverse = _mm256_set_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i reversed = _mm256_permutevar8x32_epi32(Load(source + count - 8 - i), reverse);
        Store(dest + i, Op::Apply(Load(dest + i), reversed));
    }
    for (; i < count; ++i) {
        dest[i] = Op::Apply(dest[i], source[count - 1 - i]);
    }
}

// Eight places loaded at once and the eight source pixels fetched by one gather.
template <class Op>
void GatherRow(Pixel* dest, const Pixel* span, const int32_t* places, int32_t count) {
    const auto* base = reinterpret_cast<const int*>(span);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i where = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places + i));
        const __m256i source = _mm256_i32gather_epi32(base, where, 4);
        Store(dest + i, Op::Apply(Load(dest + i), source));
    }
    for (; i < count; ++i) {
        dest[i] = Op::Apply(dest[i], span[places[i]]);
    }
}

template <class Op>
void CombineMonoPixels(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t begin,
                       int32_t end, MonoColours colours) {
    for (int32_t i = begin; i < end; ++i) {
        const int32_t at = firstBit + i;
        const bool bit = ((bits[at >> 3] >> (7 - (at & 7))) & 1) != 0;
        dest[i] = Op::Apply(dest[i], bit ? colours.one : colours.zero);
    }
}

// One mask byte gives eight lanes: all ones where the lane's bit is set, then
// zero ^ (lane & (zero ^ one)); the same work whatever the mask holds. Shifted: the bytes are
// read as windows of two, `shift` bits into the first.
template <class Op, bool kShifted>
void CombineMonoGroups(Pixel* dest, const uint8_t* bits, uint32_t shift, int32_t groups,
                       MonoColours colours) {
    const __m256i laneBits = _mm256_set_epi32(0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80);
    const __m256i zero = Broadcast(colours.zero);
    const __m256i difference = Broadcast(colours.zero ^ colours.one);
    for (int32_t g = 0; g < groups; ++g) {
        const uint32_t window =
            kShifted ? (uint32_t{bits[g]} << 8 | bits[g + 1]) >> (8 - shift) : uint32_t{bits[g]};
        const __m256i byte = Broadcast(window & 0xFFu);
        const __m256i set = _mm256_cmpeq_epi32(_mm256_and_si256(byte, laneBits), laneBits);
        const __m256i source = _mm256_xor_si256(zero, _mm256_and_si256(set, difference));
        Store(dest + 8 * g, Op::Apply(Load(dest + 8 * g), source));
    }
}

// Thirty-two pixels a step from one 32-bit window of the mask, broadcast once: each group of
// eight lanes tests its own byte of it. Steps while the eight bytes read all hold wanted bits;
// returns the pixels done.
template <class Op>
int32_t CombineMonoRuns(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                        MonoColours colours) {
    const __m256i firstLanes = _mm256_set_epi32(1 << 24, 1 << 25, 1 << 26, 1 << 27, 1 << 28,
                                                1 << 29, 1 << 30, static_cast<int32_t>(1u << 31));
    const __m256i laneBits[4] = {firstLanes, _mm256_srli_epi32(firstLanes, 8),
                                 _mm256_srli_epi32(firstLanes, 16),
                                 _mm256_srli_epi32(firstLanes, 24)};
    const __m256i zero = Broadcast(colours.zero);
    const __m256i difference = Broadcast(colours.zero ^ colours.one);
    const int32_t lastByte = count > 0 ? (firstBit + count - 1) >> 3 : 0;
    int32_t i = 0;
    for (; i + 32 <= count && ((firstBit + i) >> 3) + 7 <= lastByte; i += 32) {
        const int32_t at = firstBit + i;
        uint64_t word = 0;
        std::memcpy(&word, bits + (at >> 3), sizeof word);
        word = __builtin_bswap64(word) << (at & 7);
        const __m256i window = Broadcast(static_cast<uint32_t>(word >> 32));
        for (int32_t k = 0; k < 4; ++k) {
            const __m256i set =
                _mm256_cmpeq_epi32(_mm256_and_si256(window, laneBits[k]), laneBits[k]);
            const __m256i source = _mm256_xor_si256(zero, _mm256_and_si256(set, difference));
            Pixel* at8 = dest + i + 8 * k;
            Store(at8, Op::Apply(Load(at8), source));
        }
    }
    return i;
}

template <class Op>
void CombineMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                    MonoColours colours) {
    int32_t head = HeadPixels(dest, count);
    CombineMonoPixels<Op>(dest, bits, firstBit, 0, head, colours);
    head += CombineMonoRuns<Op>(dest + head, bits, firstBit + head, count - head, colours);
    const int32_t at = firstBit + head;
    const int32_t groups = (count - head) / 8;
    const auto shift = static_cast<uint32_t>(at & 7);
    if (shift != 0) {
        CombineMonoGroups<Op, true>(dest + head, bits + (at >> 3), shift, groups, colours);
    } else {
        CombineMonoGroups<Op, false>(dest + head, bits + (at >> 3), 0, groups, colours);
    }
    CombineMonoPixels<Op>(dest, bits, firstBit, head + 8 * groups, count, colours);
}

}  // namespace

ColourRowKernel ColourRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::SrcAnd:
            return CombineColourRow<AndOp>;
        case Rop::SrcPaint:
            return CombineColourRow<OrOp>;
        default:
            return nullptr;  // a plain copy is a block move in every build
    }
}

MonoRowKernel MonoRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::SrcCopy:
            return CombineMonoRow<CopyOp>;
        case Rop::SrcAnd:
            return CombineMonoRow<AndOp>;
        case Rop::SrcPaint:
            return CombineMonoRow<OrOp>;
        default:
            return nullptr;
    }
}

GatherRowKernel GatherRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::SrcCopy:
            return GatherRow<CopyOp>;
        case Rop::SrcAnd:
            return GatherRow<AndOp>;
        case Rop::SrcPaint:
            return GatherRow<OrOp>;
        default:
            return nullptr;
    }
}

ColourRowKernel ReversedColourRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::SrcCopy:
            return CombineReversedRow<CopyOp>;
        case Rop::SrcAnd:
            return CombineReversedRow<AndOp>;
        case Rop::SrcPaint:
            return CombineReversedRow<OrOp>;
        default:
            return nullptr;
    }
}

}  // namespace gfx::raster::avx2
