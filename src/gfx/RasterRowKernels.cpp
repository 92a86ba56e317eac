#include "gfx/RasterRowKernels.h"

#include <algorithm>
#include <string>

#include "base/Exceptions.h"
#include "gfx/Bitmap.h"
#include "gfx/RasterMaskBits.h"
#include "gfx/RasterPartWalk.h"

#if defined(VA_RASTER_AVX2)
#include "gfx/RasterRowKernelsAvx2.h"
#endif
#if defined(VA_RASTER_AVX512)
#include "gfx/RasterRowKernelsAvx512.h"
#endif

#if defined(__SSE2__)
#include <emmintrin.h>
#define VA_RASTER_SSE2 1
#else
#define VA_RASTER_SSE2 0
#endif

namespace gfx::raster {

namespace {

// The operations on one pixel, and on four pixels at once where SSE2 is there.
struct CopyOp {
    static Pixel Apply(Pixel, Pixel s) { return s; }
#if VA_RASTER_SSE2
    static __m128i Apply(__m128i, __m128i s) {
        return s;
    }
#endif
};
struct AndOp {
    static Pixel Apply(Pixel d, Pixel s) { return d & s; }
#if VA_RASTER_SSE2
    static __m128i Apply(__m128i d, __m128i s) {
        return _mm_and_si128(d, s);
    }
#endif
};
struct OrOp {
    static Pixel Apply(Pixel d, Pixel s) { return d | s; }
#if VA_RASTER_SSE2
    static __m128i Apply(__m128i d, __m128i s) {
        return _mm_or_si128(d, s);
    }
#endif
};

Pixel ColourOfBit(bool bit, MonoColours colours) {
    return bit ? colours.one : colours.zero;
}

#if VA_RASTER_SSE2

__m128i Load(const Pixel* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
void Store(Pixel* p, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), value);
}
__m128i Broadcast(uint32_t value) {
    return _mm_set1_epi32(static_cast<int32_t>(value));
}

template <class Op>
int32_t CombineColourLanes(Pixel* dest, const Pixel* source, int32_t count) {
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i low = Op::Apply(Load(dest + i), Load(source + i));
        const __m128i high = Op::Apply(Load(dest + i + 4), Load(source + i + 4));
        Store(dest + i, low);
        Store(dest + i + 4, high);
    }
    for (; i + 4 <= count; i += 4) {
        Store(dest + i, Op::Apply(Load(dest + i), Load(source + i)));
    }
    return i;
}

// Eight pixels from one mask byte: a lane is all ones where its bit is set (compare with the
// lane's bit), and the colour is zero ^ (lane & (zero ^ one)). The same work for any content.
struct MonoLanes {
    __m128i firstBits = _mm_set_epi32(0x10, 0x20, 0x40, 0x80);
    __m128i secondBits = _mm_set_epi32(0x01, 0x02, 0x04, 0x08);
    __m128i zero;
    __m128i difference;

    explicit MonoLanes(MonoColours colours)
        : zero(Broadcast(colours.zero)), difference(Broadcast(colours.zero ^ colours.one)) {}
    __m128i Colours(__m128i byte, __m128i laneBits) const {
        const __m128i set = _mm_cmpeq_epi32(_mm_and_si128(byte, laneBits), laneBits);
        return _mm_xor_si128(zero, _mm_and_si128(set, difference));
    }
};

template <class Op>
int32_t CombineMonoLanes(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                         MonoColours colours) {
    const MonoLanes lanes(colours);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i byte = Broadcast(MaskByteAt(bits, firstBit, i >> 3));
        const __m128i first = Op::Apply(Load(dest + i), lanes.Colours(byte, lanes.firstBits));
        const __m128i second = Op::Apply(Load(dest + i + 4), lanes.Colours(byte, lanes.secondBits));
        Store(dest + i, first);
        Store(dest + i + 4, second);
    }
    return i;
}

__m128i Masked(__m128i dest, __m128i mask, __m128i image) {
    return _mm_or_si128(_mm_and_si128(dest, mask), image);
}

int32_t MaskedMonoLanes(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                        int32_t count, MonoColours colours) {
    const MonoLanes lanes(colours);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i byte = Broadcast(MaskByteAt(bits, firstBit, i >> 3));
        const __m128i first =
            Masked(Load(dest + i), lanes.Colours(byte, lanes.firstBits), Load(image + i));
        const __m128i second =
            Masked(Load(dest + i + 4), lanes.Colours(byte, lanes.secondBits), Load(image + i + 4));
        Store(dest + i, first);
        Store(dest + i + 4, second);
    }
    return i;
}

int32_t MaskedColourLanes(Pixel* dest, const Pixel* mask, const Pixel* image, int32_t count) {
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Store(dest + i, Masked(Load(dest + i), Load(mask + i), Load(image + i)));
    }
    return i;
}

int32_t InvertLanes(Pixel* dest, int32_t count) {
    const __m128i ones = Broadcast(kColourBits);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Store(dest + i, _mm_xor_si128(Load(dest + i), ones));
    }
    return i;
}

template <class Op>
int32_t CombineReversedLanes(Pixel* dest, const Pixel* source, int32_t count) {
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i reversed = _mm_shuffle_epi32(Load(source + count - 4 - i), 0x1B);
        Store(dest + i, Op::Apply(Load(dest + i), reversed));
    }
    return i;
}

#else

template <class Op>
int32_t CombineReversedLanes(Pixel*, const Pixel*, int32_t) {
    return 0;
}

template <class Op>
int32_t CombineColourLanes(Pixel*, const Pixel*, int32_t) {
    return 0;
}

// Eight pixels a mask byte, without vectors: the compiler unrolls the inner loop.
template <class Op>
int32_t CombineMonoLanes(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                         MonoColours colours) {
    const Pixel difference = colours.zero ^ colours.one;
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const uint32_t byte = MaskByteAt(bits, firstBit, i >> 3);
        for (int32_t b = 0; b < 8; ++b) {
            const Pixel set = 0u - ((byte >> (7 - b)) & 1u);
            dest[i + b] = Op::Apply(dest[i + b], colours.zero ^ (set & difference));
        }
    }
    return i;
}

int32_t InvertLanes(Pixel*, int32_t) {
    return 0;
}

int32_t MaskedMonoLanes(Pixel*, const uint8_t*, int32_t, const Pixel*, int32_t, MonoColours) {
    return 0;
}

int32_t MaskedColourLanes(Pixel*, const Pixel*, const Pixel*, int32_t) {
    return 0;
}

#endif

template <class Op>
void CombineColourRow(Pixel* dest, const Pixel* source, int32_t count) {
    for (int32_t i = CombineColourLanes<Op>(dest, source, count); i < count; ++i) {
        dest[i] = Op::Apply(dest[i], source[i]);
    }
}

// A plain copy is one block move.
template <>
void CombineColourRow<CopyOp>(Pixel* dest, const Pixel* source, int32_t count) {
    std::copy_n(source, count, dest);
}

template <class Op>
void CombineReversedRow(Pixel* dest, const Pixel* source, int32_t count) {
    for (int32_t i = CombineReversedLanes<Op>(dest, source, count); i < count; ++i) {
        dest[i] = Op::Apply(dest[i], source[count - 1 - i]);
    }
}

template <class Op>
void GatherRow(Pixel* dest, const Pixel* span, const int32_t* places, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        dest[i] = Op::Apply(dest[i], span[places[i]]);
    }
}

template <class Op>
void CombineMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                    MonoColours colours) {
    for (int32_t i = CombineMonoLanes<Op>(dest, bits, firstBit, count, colours); i < count; ++i) {
        dest[i] = Op::Apply(dest[i], ColourOfBit(MonoBitAt(bits, firstBit + i), colours));
    }
}

void MaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                   int32_t count, MonoColours colours) {
    for (int32_t i = MaskedMonoLanes(dest, bits, firstBit, image, count, colours); i < count; ++i) {
        dest[i] = (dest[i] & ColourOfBit(MonoBitAt(bits, firstBit + i), colours)) | image[i];
    }
}

void ReversedMaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                           int32_t count, MonoColours colours) {
    for (int32_t i = 0; i < count; ++i) {
        const Pixel mask = ColourOfBit(MonoBitAt(bits, firstBit + count - 1 - i), colours);
        dest[i] = (dest[i] & mask) | image[count - 1 - i];
    }
}

void MaskedColourRow(Pixel* dest, const Pixel* mask, const Pixel* image, int32_t count) {
    for (int32_t i = MaskedColourLanes(dest, mask, image, count); i < count; ++i) {
        dest[i] = (dest[i] & mask[i]) | image[i];
    }
}

void InvertRow(Pixel* dest, int32_t count) {
    for (int32_t i = InvertLanes(dest, count); i < count; ++i) {
        dest[i] ^= kColourBits;
    }
}

void BlackenRow(Pixel* dest, int32_t count) {
    std::fill_n(dest, count, kBlack);
}

// The rows' values are copied to a local, which the stores of parts cannot change, so that
// they stay in registers.
ShuffledRowPart* ShuffledParts(const ShuffledPartRows& rows, int32_t begin, int32_t end,
                               ShuffledRowPart* out) {
    const ShuffledPartRows values = rows;
    for (int32_t i = begin; i < end; ++i) {
        out = AddShuffledPart(values, i, out);
    }
    return out;
}

MaskedRowPart* MaskedParts(const MaskedPartRows& rows, int32_t begin, int32_t end,
                           MaskedRowPart* out) {
    const MaskedPartRows values = rows;  // as in ShuffledParts
    for (int32_t i = begin; i < end; ++i) {
        out = AddMaskedParts(values, i, i - begin, out);
    }
    return out;
}

[[noreturn]] void ThrowNoKernel(Rop rop) {
    throw base::EInvalidGraphic("No row kernel for raster operation " +
                                std::to_string(static_cast<uint32_t>(rop)));
}

}  // namespace

bool KernelLevelAvailable(KernelLevel level) {
    switch (level) {
        case KernelLevel::Base:
            return true;
        case KernelLevel::Avx2: {
#if defined(VA_RASTER_AVX2)
            static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
            return hasAvx2;
#else
            return false;
#endif
        }
        case KernelLevel::Avx512: {
#if defined(VA_RASTER_AVX512)
            // The masked kernels take mask bits by byte permutes and bit shuffles.
            static const bool hasAvx512 = __builtin_cpu_supports("avx512f") != 0 &&
                                          __builtin_cpu_supports("avx512bw") != 0 &&
                                          __builtin_cpu_supports("avx512vbmi") != 0 &&
                                          __builtin_cpu_supports("avx512bitalg") != 0 &&
                                          KernelLevelAvailable(KernelLevel::Avx2);
            return hasAvx512;
#else
            return false;
#endif
        }
    }
    return false;
}

KernelLevel BestKernelLevel() {
    for (KernelLevel level : {KernelLevel::Avx512, KernelLevel::Avx2}) {
        if (KernelLevelAvailable(level)) {
            return level;
        }
    }
    return KernelLevel::Base;
}

namespace {

// Whether a lookup at `level` may take the kernels of `build`.
[[maybe_unused]] bool Takes(KernelLevel level, KernelLevel build) {
    return level >= build && KernelLevelAvailable(build);
}

}  // namespace

ColourRowKernel ColourRowKernelFor(Rop rop, KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        if (ColourRowKernel kernel = avx2::ColourRowKernelFor(rop)) {
            return kernel;
        }
    }
#endif
    (void)level;
    switch (rop) {
        case Rop::SrcCopy:
            return CombineColourRow<CopyOp>;
        case Rop::SrcAnd:
            return CombineColourRow<AndOp>;
        case Rop::SrcPaint:
            return CombineColourRow<OrOp>;
        default:
            ThrowNoKernel(rop);
    }
}

MonoRowKernel MonoRowKernelFor(Rop rop, KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        if (MonoRowKernel kernel = avx2::MonoRowKernelFor(rop)) {
            return kernel;
        }
    }
#endif
    (void)level;
    switch (rop) {
        case Rop::SrcCopy:
            return CombineMonoRow<CopyOp>;
        case Rop::SrcAnd:
            return CombineMonoRow<AndOp>;
        case Rop::SrcPaint:
            return CombineMonoRow<OrOp>;
        default:
            ThrowNoKernel(rop);
    }
}

NoSourceRowKernel NoSourceRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::DstInvert:
            return InvertRow;
        case Rop::Blackness:
            return BlackenRow;
        default:
            ThrowNoKernel(rop);
    }
}

GatherRowKernel GatherRowKernelFor(Rop rop, KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        if (GatherRowKernel kernel = avx2::GatherRowKernelFor(rop)) {
            return kernel;
        }
    }
#endif
    (void)level;
    switch (rop) {
        case Rop::SrcCopy:
            return GatherRow<CopyOp>;
        case Rop::SrcAnd:
            return GatherRow<AndOp>;
        case Rop::SrcPaint:
            return GatherRow<OrOp>;
        default:
            ThrowNoKernel(rop);
    }
}

ColourRowKernel ReversedColourRowKernelFor(Rop rop, KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        if (ColourRowKernel kernel = avx2::ReversedColourRowKernelFor(rop)) {
            return kernel;
        }
    }
#endif
    (void)level;
    switch (rop) {
        case Rop::SrcCopy:
            return CombineReversedRow<CopyOp>;
        case Rop::SrcAnd:
            return CombineReversedRow<AndOp>;
        case Rop::SrcPaint:
            return CombineReversedRow<OrOp>;
        default:
            ThrowNoKernel(rop);
    }
}

MaskedMonoRowsKernel MaskedMonoRowsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX512)
    if (Takes(level, KernelLevel::Avx512)) {
        return avx512::MaskedMonoRowsKernelFor();
    }
#endif
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        return avx2::MaskedMonoRowsKernelFor();
    }
#endif
    (void)level;
    return EachPartOf<MaskedMonoRow, false>;
}

MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX512)
    if (Takes(level, KernelLevel::Avx512)) {
        return avx512::ReversedMaskedMonoRowsKernelFor();
    }
#endif
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        return avx2::ReversedMaskedMonoRowsKernelFor();
    }
#endif
    (void)level;
    return EachPartOf<ReversedMaskedMonoRow, true>;
}

ShuffledMaskedRowsKernel ShuffledMaskedRowsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        return avx2::ShuffledMaskedRowsKernelFor();
    }
#endif
    (void)level;
    return nullptr;
}

WideShuffledMaskedRowsKernel WideShuffledMaskedRowsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX512)
    if (Takes(level, KernelLevel::Avx512)) {
        return avx512::WideShuffledMaskedRowsKernelFor();
    }
#endif
    (void)level;
    return nullptr;
}

MaskedPartsKernel MaskedPartsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX512)
    if (Takes(level, KernelLevel::Avx512)) {
        return avx512::MaskedPartsKernelFor();
    }
#endif
    (void)level;
    return MaskedParts;
}

ShuffledPartsKernel ShuffledPartsKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX512)
    if (Takes(level, KernelLevel::Avx512)) {
        return avx512::ShuffledPartsKernelFor();
    }
#endif
    (void)level;
    return ShuffledParts;
}

MaskedColourRowKernel MaskedColourRowKernelFor(KernelLevel level) {
#if defined(VA_RASTER_AVX2)
    if (Takes(level, KernelLevel::Avx2)) {
        return avx2::MaskedColourRowKernelFor();
    }
#endif
    (void)level;
    return MaskedColourRow;
}

ColourRowKernel StringCopyRowKernel() {
#if defined(VA_RASTER_AVX2)
    if (KernelLevelAvailable(KernelLevel::Avx2)) {
        return avx2::StringCopyRowKernel();
    }
#endif
    return nullptr;
}

}  // namespace gfx::raster
