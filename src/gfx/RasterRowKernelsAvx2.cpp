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

// Each pixel's result depends only on its own destination and source pixel, so a row's first
// and last vectors may overlap the body: computed from the untouched row before the body runs
// and stored after it, they write what the body wrote where they overlap. A row of eight
// pixels or more needs no pixel-by-pixel head or tail, and no load reads a store it overlaps.

// Pixels before dest reaches a 32-byte boundary, so that the vector loads and stores of the
// destination in the body never straddle two cache lines.
int32_t HeadPixels(const Pixel* dest) {
    const auto misalignment = reinterpret_cast<uintptr_t>(dest) & 31u;
    return static_cast<int32_t>(((32u - misalignment) & 31u) / 4u);
}

template <class Op>
void CombineColourRow(Pixel* dest, const Pixel* source, int32_t count) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            dest[i] = Op::Apply(dest[i], source[i]);
        }
        return;
    }
    const int32_t last = count - 8;
    const __m256i first = Op::Apply(Load(dest), Load(source));
    const __m256i final = Op::Apply(Load(dest + last), Load(source + last));
    for (int32_t i = HeadPixels(dest); i + 8 <= count; i += 8) {
        Store(dest + i, Op::Apply(Load(dest + i), Load(source + i)));
    }
    Store(dest, first);
    Store(dest + last, final);
}

template <class Op>
void CombineReversedRow(Pixel* dest, const Pixel* source, int32_t count) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            dest[i] = Op::Apply(dest[i], source[count - 1 - i]);
        }
        return;
    }
    const __m256i reverse = _mm256_set_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const int32_t last = count - 8;
    const __m256i final =
        Op::Apply(Load(dest + last), _mm256_permutevar8x32_epi32(Load(source), reverse));
    for (int32_t i = 0; i + 8 <= count; i += 8) {
        const __m256i reversed = _mm256_permutevar8x32_epi32(Load(source + last - i), reverse);
        Store(dest + i, Op::Apply(Load(dest + i), reversed));
    }
    Store(dest + last, final);
}

// Eight places loaded at once and the eight source pixels fetched by one gather.
template <class Op>
__m256i GatherEight(const Pixel* dest, const Pixel* span, const int32_t* places) {
    const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places));
    return Op::Apply(Load(dest), _mm256_i32gather_epi32(reinterpret_cast<const int*>(span), at, 4));
}

template <class Op>
void GatherRow(Pixel* dest, const Pixel* span, const int32_t* places, int32_t count) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            dest[i] = Op::Apply(dest[i], span[places[i]]);
        }
        return;
    }
    const int32_t last = count - 8;
    const __m256i final = GatherEight<Op>(dest + last, span, places + last);
    for (int32_t i = 0; i + 8 <= count; i += 8) {
        Store(dest + i, GatherEight<Op>(dest + i, span, places + i));
    }
    Store(dest + last, final);
}

// The colours of eight pixels from one byte of mask: a lane is all ones where its bit is set,
// and the colour is zero ^ (lane & (zero ^ one)); the same work whatever the mask holds.
struct MonoLanes {
    __m256i laneBits = _mm256_set_epi32(0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80);
    __m256i zero;
    __m256i difference;

    explicit MonoLanes(MonoColours colours)
        : zero(Broadcast(colours.zero)), difference(Broadcast(colours.zero ^ colours.one)) {}
    __m256i Colours(uint32_t byte, __m256i bitsOfLanes) const {
        const __m256i window = Broadcast(byte);
        const __m256i set = _mm256_cmpeq_epi32(_mm256_and_si256(window, bitsOfLanes), bitsOfLanes);
        return _mm256_xor_si256(zero, _mm256_and_si256(set, difference));
    }
};

// Eight pixels from the eight bits at bit `at` on (all of them wanted).
template <class Op>
__m256i MonoEight(const Pixel* dest, const uint8_t* bits, int32_t at, const MonoLanes& lanes) {
    return Op::Apply(Load(dest), lanes.Colours(MaskByteAt(bits, at, 0), lanes.laneBits));
}

// Thirty-two pixels a step from one 64-bit read of the mask: each group of eight lanes tests
// its own byte of the window. Steps from pixel `from` while the eight bytes read all hold wanted
// bits; returns the first pixel not done.
template <class Op>
int32_t CombineMonoRuns(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t from,
                        int32_t count, const MonoLanes& lanes) {
    const __m256i laneBits[4] = {_mm256_slli_epi32(lanes.laneBits, 24),
                                 _mm256_slli_epi32(lanes.laneBits, 16),
                                 _mm256_slli_epi32(lanes.laneBits, 8), lanes.laneBits};
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    int32_t i = from;
    for (; i + 32 <= count && ((firstBit + i) >> 3) + 7 <= lastByte; i += 32) {
        const int32_t at = firstBit + i;
        uint64_t word = 0;
        std::memcpy(&word, bits + (at >> 3), sizeof word);
        const auto window = static_cast<uint32_t>((__builtin_bswap64(word) << (at & 7)) >> 32);
        for (int32_t k = 0; k < 4; ++k) {
            Pixel* eight = dest + i + 8 * k;
            Store(eight, Op::Apply(Load(eight), lanes.Colours(window, laneBits[k])));
        }
    }
    return i;
}

template <class Op>
void CombineMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                    MonoColours colours) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            const int32_t at = firstBit + i;
            const bool bit = ((bits[at >> 3] >> (7 - (at & 7))) & 1) != 0;
            dest[i] = Op::Apply(dest[i], bit ? colours.one : colours.zero);
        }
        return;
    }
    const MonoLanes lanes(colours);
    const int32_t last = count - 8;
    const __m256i first = MonoEight<Op>(dest, bits, firstBit, lanes);
    const __m256i final = MonoEight<Op>(dest + last, bits, firstBit + last, lanes);
    int32_t i = CombineMonoRuns<Op>(dest, bits, firstBit, HeadPixels(dest), count, lanes);
    for (; i + 8 <= count; i += 8) {
        Store(dest + i, MonoEight<Op>(dest + i, bits, firstBit + i, lanes));
    }
    Store(dest, first);
    Store(dest + last, final);
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
