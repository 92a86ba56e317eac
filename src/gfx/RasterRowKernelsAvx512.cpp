#include "gfx/RasterRowKernelsAvx512.h"

#include <immintrin.h>

#include <cstdint>

#include "gfx/RasterMaskBits.h"

namespace gfx::raster::avx512 {

namespace {

// Sixteen pixels a vector; a mask register takes each lane's mask bit as it is. As in the AVX2
// kernels, a row's first and last vectors may overlap its body: each pixel's result depends
// only on its own pixels, so they are computed from the untouched row first and stored last.
// Only rows of fewer than sixteen pixels take masked loads and stores. (Shifts and permutes
// are the zeroing ones even where every lane is taken: their unmasked forms start from an
// undefined register, which the compiler warns of.)
constexpr int32_t kLanes = 16;

__m512i Broadcast(uint32_t value) {
    return _mm512_set1_epi32(static_cast<int32_t>(value));
}

// The lanes 0 .. n - 1, for n = 0 .. 16.
__mmask16 FirstLanes(int32_t n) {
    return _cvtu32_mask16((1u << n) - 1u);
}

__m512i Load(const Pixel* p) {
    return _mm512_loadu_si512(p);
}
void Store(Pixel* p, __m512i value) {
    _mm512_storeu_si512(p, value);
}

// Pixels before dest reaches a 64-byte boundary, so that the stores of a row's body each fill
// one cache line.
int32_t HeadPixels(const Pixel* dest) {
    const auto misalignment = reinterpret_cast<uintptr_t>(dest) & 63u;
    return static_cast<int32_t>(((64u - misalignment) & 63u) / 4u);
}

// The masked plot of sixteen pixels, (dest & (bit ? one : zero)) | image, lane k's mask bit
// being bit k of `set`.
class MaskedLanes {
  public:
    explicit MaskedLanes(MonoColours colours)
        : zero_(Broadcast(colours.zero)), one_(Broadcast(colours.one)) {}

    __m512i Combine(__m512i dest, __mmask16 set, __m512i image) const {
        // 0xEA is the truth table of (a & b) | c.
        return _mm512_ternarylogic_epi32(dest, _mm512_mask_blend_epi32(set, zero_, one_), image,
                                         0xEA);
    }
    // The same on the first n lanes only: the others are neither read nor written.
    void PlotFirst(Pixel* dest, int32_t n, __mmask16 set, __m512i image) const {
        const __mmask16 lanes = FirstLanes(n);
        _mm512_mask_storeu_epi32(dest, lanes,
                                 Combine(_mm512_maskz_loadu_epi32(lanes, dest), set, image));
    }

  private:
    __m512i zero_;
    __m512i one_;
};

// Walks a row of count pixels from dest. Rows of fewer than sixteen take short(); others the
// vectors sixteen(i) for pixels i .. i + 15 at either end and pair(i), which plots the 32
// pixels from i on from one read of the mask, from the first cache line boundary on, with one
// more sixteen where what is left allows.
template <class Short, class Sixteen, class Pair>
void WalkRow(Pixel* dest, int32_t count, Short shortRow, Sixteen sixteen, Pair pair) {
    if (count < kLanes) {
        shortRow();
        return;
    }
    const int32_t last = count - kLanes;
    const __m512i first = sixteen(0);
    const __m512i final = sixteen(last);
    int32_t i = HeadPixels(dest);
    for (; i + 2 * kLanes <= count; i += 2 * kLanes) {
        pair(i);
    }
    if (i + kLanes <= count) {
        Store(dest + i, sixteen(i));
    }
    Store(dest, first);
    Store(dest + last, final);
}

void MaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                   int32_t count, MonoColours colours) {
    if (count <= 0) {
        return;
    }
    const MaskedLanes plot(colours);
    // Lane k tests bit 31 - k of a window, whose top bit is the window's first pixel, and the
    // lanes of the window's second sixteen pixels bit 15 - k.
    const __m512i secondBits =
        _mm512_set_epi32(0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800,
                         0x1000, 0x2000, 0x4000, 0x8000);
    const __m512i firstBits = _mm512_maskz_slli_epi32(FirstLanes(kLanes), secondBits, kLanes);
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    const auto windowAt = [&](int32_t i) {
        return Broadcast(MaskWindowAt(bits, firstBit + i, lastByte));
    };
    const auto shortRow = [&] {
        plot.PlotFirst(dest, count, _mm512_test_epi32_mask(windowAt(0), firstBits),
                       _mm512_maskz_loadu_epi32(FirstLanes(count), image));
    };
    const auto sixteen = [&](int32_t i) {
        return plot.Combine(Load(dest + i), _mm512_test_epi32_mask(windowAt(i), firstBits),
                            Load(image + i));
    };
    const auto pair = [&](int32_t i) {
        const __m512i window = windowAt(i);
        Store(dest + i, plot.Combine(Load(dest + i), _mm512_test_epi32_mask(window, firstBits),
                                     Load(image + i)));
        Store(dest + i + kLanes,
              plot.Combine(Load(dest + i + kLanes), _mm512_test_epi32_mask(window, secondBits),
                           Load(image + i + kLanes)));
    };
    WalkRow(dest, count, shortRow, sixteen, pair);
}

// dest[i] = (dest[i] & colour of bit firstBit + count - 1 - i) | image[count - 1 - i]. Sixteen
// pixels from dest + i read source pixels low .. low + 15 (low = count - i - 16), the last
// first: lane k takes source pixel low + 15 - k, whose bit lies 16 + k places from the bottom
// of the window read at source pixel low. So the window's high half holds each lane's bit in
// its own place; for a pair (low = count - i - 32), the low half holds those of its first
// sixteen pixels and the high half those of its second. A short row of n pixels is a window
// shifted down by 32 - n.
void ReversedMaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                           int32_t count, MonoColours colours) {
    if (count <= 0) {
        return;
    }
    const MaskedLanes plot(colours);
    const __m512i inOrder = _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    const __m512i reverse = _mm512_sub_epi32(Broadcast(kLanes - 1), inOrder);
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    const auto windowAt = [&](int32_t low) { return MaskWindowAt(bits, firstBit + low, lastByte); };
    const auto reversedAt = [&](int32_t from) {
        return _mm512_maskz_permutexvar_epi32(FirstLanes(kLanes), reverse, Load(image + from));
    };
    const auto shortRow = [&] {
        // Lane k takes loaded lane count - 1 - k.
        const __mmask16 lanes = FirstLanes(count);
        const __m512i places =
            _mm512_sub_epi32(Broadcast(static_cast<uint32_t>(count - 1)), inOrder);
        const __m512i reversed =
            _mm512_maskz_permutexvar_epi32(lanes, places, _mm512_maskz_loadu_epi32(lanes, image));
        plot.PlotFirst(dest, count, _cvtu32_mask16(windowAt(0) >> (32 - count)), reversed);
    };
    const auto sixteen = [&](int32_t i) {
        const int32_t low = count - i - kLanes;
        return plot.Combine(Load(dest + i), _cvtu32_mask16(windowAt(low) >> kLanes),
                            reversedAt(low));
    };
    const auto pair = [&](int32_t i) {
        const int32_t low = count - i - 2 * kLanes;
        const uint32_t window = windowAt(low);
        Store(dest + i, plot.Combine(Load(dest + i), _cvtu32_mask16(window & 0xFFFFu),
                                     reversedAt(low + kLanes)));
        Store(dest + i + kLanes, plot.Combine(Load(dest + i + kLanes),
                                              _cvtu32_mask16(window >> kLanes), reversedAt(low)));
    };
    WalkRow(dest, count, shortRow, sixteen, pair);
}

// Sixteen pixels of a stretched row: the group's 32 span pixels in two registers, of which
// each lane picks one, and its mask bit shifted to the top of its lane, which chooses the
// colour.
__m512i WideShuffledSixteen(const Pixel* dest, const uint8_t* maskRow, int32_t lastMaskByte,
                            const Pixel* imageSpan, const WideShuffleGroup& group,
                            const MaskedLanes& plot) {
    const __m512i pick = _mm512_loadu_si512(group.pick);
    const __m512i image = _mm512_permutex2var_epi32(Load(imageSpan + group.start), pick,
                                                    Load(imageSpan + group.start + kLanes));
    const __m512i window = Broadcast(MaskWindowAt(maskRow, group.maskBit, lastMaskByte));
    const __m512i shifted = _mm512_maskz_sllv_epi32(FirstLanes(kLanes), window, pick);
    const __mmask16 set = _mm512_cmplt_epi32_mask(shifted, _mm512_setzero_si512());
    return plot.Combine(Load(dest), set, image);
}

void WideShuffledMaskedRow(Pixel* dest, const uint8_t* maskRow, size_t maskBytes,
                           const Pixel* imageSpan, const WideShuffleGroup* groups, int32_t count,
                           const WideShuffleGroup& last, MonoColours colours) {
    const MaskedLanes plot(colours);
    const auto lastMaskByte = static_cast<int32_t>(maskBytes) - 1;
    const int32_t lastAt = count - kLanes;
    const __m512i final =
        WideShuffledSixteen(dest + lastAt, maskRow, lastMaskByte, imageSpan, last, plot);
    for (int32_t g = 0; g < count / kLanes; ++g) {
        Pixel* at = dest + kLanes * g;
        Store(at, WideShuffledSixteen(at, maskRow, lastMaskByte, imageSpan, groups[g], plot));
    }
    Store(dest + lastAt, final);
}

}  // namespace

MaskedMonoRowKernel MaskedMonoRowKernelFor() {
    return MaskedMonoRow;
}

MaskedMonoRowKernel ReversedMaskedMonoRowKernelFor() {
    return ReversedMaskedMonoRow;
}

WideShuffledMaskedRowKernel WideShuffledMaskedRowKernelFor() {
    return WideShuffledMaskedRow;
}

}  // namespace gfx::raster::avx512
