#include "gfx/RasterRowKernelsAvx2.h"

#include <cpuid.h>
#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gfx/RasterMaskBits.h"
#include "gfx/RasterPartWalk.h"

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

// Lanes of `high` where bit 31 of `select` is set, of `low` elsewhere.
__m256i SelectBySign(__m256i low, __m256i high, __m256i select) {
    return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(low), _mm256_castsi256_ps(high),
                                                _mm256_castsi256_ps(select)));
}

// The colours of eight pixels from one byte of mask: a lane is all ones where its bit is set,
// and the colour is zero ^ (lane & (zero ^ one)); the same work whatever the mask holds.
struct MonoLanes {
    __m256i zero;
    __m256i one;
    __m256i difference;

    explicit MonoLanes(MonoColours colours)
        : zero(Broadcast(colours.zero)),
          one(Broadcast(colours.one)),
          difference(Broadcast(colours.zero ^ colours.one)) {}
    __m256i Colours(uint32_t byte, __m256i bitsOfLanes) const {
        const __m256i window = Broadcast(byte);
        const __m256i set = _mm256_cmpeq_epi32(_mm256_and_si256(window, bitsOfLanes), bitsOfLanes);
        return _mm256_xor_si256(zero, _mm256_and_si256(set, difference));
    }
    // The colours of eight pixels of a 32-bit window whose bits each lane shifts to the top:
    // two operations for eight pixels, where testing the bits takes four.
    __m256i ShiftedColours(__m256i window, __m256i shifts) const {
        return SelectBySign(zero, one, _mm256_sllv_epi32(window, shifts));
    }
};

// The mask colours of the eight pixels from bit `at` on, from a window that reads only the
// row's bits (which end in byte lastByte): a row's first and last vectors, which may start at
// any bit.
__m256i EightColoursAt(const uint8_t* bits, int32_t at, int32_t lastByte, const MonoLanes& lanes) {
    const __m256i inOrder = _mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0);
    return lanes.ShiftedColours(Broadcast(MaskWindowAt(bits, at, lastByte)), inOrder);
}

// Eight pixels from the eight bits at bit `at` on (all of them wanted).
template <class Op>
__m256i MonoEight(const Pixel* dest, const uint8_t* bits, int32_t at, int32_t lastByte,
                  const MonoLanes& lanes) {
    return Op::Apply(Load(dest), EightColoursAt(bits, at, lastByte, lanes));
}

// The shifts of the four groups of eight lanes in a 32-bit window: the first group's, then
// each group's `step` more than the one before.
struct GroupShifts {
    __m256i of[4];
    GroupShifts(__m256i first, int32_t step) : of{first} {
        for (int32_t k = 1; k < 4; ++k) {
            of[k] = _mm256_add_epi32(of[k - 1], Broadcast(static_cast<uint32_t>(step)));
        }
    }
};

// The shifts that bring each lane's mask bit to the top of a 32-bit word read from the mask
// bytes as they lie in memory (the first byte lowest), for each place `offset` of a group's
// first pixel in its byte: lane j's pixel is bit 7 - r % 8 of byte r / 8, r = offset + j.
struct StoredByteShifts {
    alignas(32) int32_t of[8][8];
    constexpr StoredByteShifts() : of{} {
        for (int32_t offset = 0; offset < 8; ++offset) {
            for (int32_t j = 0; j < 8; ++j) {
                const int32_t r = offset + j;
                of[offset][j] = 24 - 8 * (r / 8) + r % 8;
            }
        }
    }
    __m256i At(int32_t offset) const {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(of[offset]));
    }
};
constexpr StoredByteShifts kStoredByteShifts;

// The four mask bytes from `at` on in every lane: a load, with no scalar work.
__m256i BroadcastBytes(const uint8_t* at) {
    uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return Broadcast(word);
}

// Eight pixels a step from pixel `from` on: each group reads the four mask bytes from its first
// pixel's byte on into every lane, and each lane shifts its own bit to the top. The groups'
// first pixels lie at the same place in their bytes, so one set of shifts serves them all, and
// a group's bits cost one load (a 32-bit window read from the row for every four groups cost
// scalar work that held the loop back by some 5 %). The steps go on while those reads stay
// inside the row's bits; the groups after them, at most three, take their bits from one
// window. eight(j, colours) gets the mask colours of pixels j .. j + 7. Leaves fewer than eight
// pixels at the end, which the row's last vector covers.
template <class EightPixels>
void MaskRuns(const uint8_t* bits, int32_t firstBit, int32_t from, int32_t count,
              const MonoLanes& lanes, EightPixels eight) {
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    const int32_t firstByte = (firstBit + from) >> 3;
    // Group g reads bytes firstByte + g .. firstByte + g + 3.
    const int32_t groups = std::max(0, std::min((count - from) / 8, lastByte - firstByte - 2));
    const __m256i stored = kStoredByteShifts.At((firstBit + from) & 7);
    const uint8_t* const groupBytes = bits + firstByte;
    int32_t i = from;
    for (int32_t g = 0; g < groups; ++g, i += 8) {
        eight(i, lanes.ShiftedColours(BroadcastBytes(groupBytes + g), stored));
    }
    if (i + 8 <= count) {
        // Lane j of group k shifts the window's bit 31 - 8k - j to the top.
        const GroupShifts shifts(_mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0), 8);
        const __m256i window = Broadcast(MaskWindowAt(bits, firstBit + i, lastByte));
        for (int32_t k = 0; i + 8 <= count; ++k, i += 8) {
            eight(i, lanes.ShiftedColours(window, shifts.of[k]));
        }
    }
}

template <class Op>
void CombineMonoRuns(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t from,
                     int32_t count, const MonoLanes& lanes) {
    MaskRuns(bits, firstBit, from, count, lanes, [dest](int32_t j, __m256i colours) {
        Store(dest + j, Op::Apply(Load(dest + j), colours));
    });
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
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    const __m256i first = MonoEight<Op>(dest, bits, firstBit, lastByte, lanes);
    const __m256i final = MonoEight<Op>(dest + last, bits, firstBit + last, lastByte, lanes);
    CombineMonoRuns<Op>(dest, bits, firstBit, HeadPixels(dest), count, lanes);
    Store(dest, first);
    Store(dest + last, final);
}

__m256i Masked(__m256i dest, __m256i mask, __m256i image) {
    return _mm256_or_si256(_mm256_and_si256(dest, mask), image);
}

// Eight masked pixels from the eight mask bits at bit `at` on (all of them wanted).
__m256i MaskedEight(const Pixel* dest, const uint8_t* bits, int32_t at, int32_t lastByte,
                    const Pixel* image, const MonoLanes& lanes) {
    return Masked(Load(dest), EightColoursAt(bits, at, lastByte, lanes), Load(image));
}

// MaskRuns' steps, masked: each destination pixel ANDed with its mask colour, the image ORed in.
void MaskedMonoRuns(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                    int32_t from, int32_t count, const MonoLanes& lanes) {
    MaskRuns(bits, firstBit, from, count, lanes, [dest, image](int32_t j, __m256i colours) {
        Store(dest + j, Masked(Load(dest + j), colours, Load(image + j)));
    });
}

void MaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                   int32_t count, MonoColours colours) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            const int32_t at = firstBit + i;
            const bool bit = ((bits[at >> 3] >> (7 - (at & 7))) & 1) != 0;
            dest[i] = (dest[i] & (bit ? colours.one : colours.zero)) | image[i];
        }
        return;
    }
    const MonoLanes lanes(colours);
    const int32_t last = count - 8;
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    const __m256i first = MaskedEight(dest, bits, firstBit, lastByte, image, lanes);
    const __m256i final =
        MaskedEight(dest + last, bits, firstBit + last, lastByte, image + last, lanes);
    MaskedMonoRuns(dest, bits, firstBit, image, HeadPixels(dest), count, lanes);
    Store(dest, first);
    Store(dest + last, final);
}

// Eight image pixels read backwards: those of image[from .. from + 7], last first.
__m256i ReversedEight(const Pixel* image) {
    return _mm256_permutevar8x32_epi32(Load(image), _mm256_set_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

// Eight pixels of a mirrored masked row: the byte of mask bits they read holds them last
// pixel first, so lane k tests bit k of it (lane 0 the byte's lowest bit).
__m256i MirroredEight(const Pixel* dest, uint32_t byte, const Pixel* image, const MonoLanes& lanes,
                      __m256i reversedLaneBits) {
    return Masked(Load(dest), lanes.Colours(byte, reversedLaneBits), ReversedEight(image));
}

// Thirty-two pixels of a mirrored masked row a step from pixel `from` on, from one read of
// the mask: pixels i .. i + 31 read source pixels count - 32 - i .. count - 1 - i, the last
// first. The last full groups, fewer than four, read the row's first bits from one more
// window. Leaves fewer than eight pixels at the end, as MaskRuns does.
void MirroredRuns(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                  int32_t from, int32_t count, const MonoLanes& lanes) {
    // Lane j of group k takes source pixel 31 - 8k - j of the window, so shifts that bit up.
    const GroupShifts shifts(_mm256_set_epi32(24, 25, 26, 27, 28, 29, 30, 31), -8);
    const int32_t lastByte = (firstBit + count - 1) >> 3;
    int32_t i = from;
    for (; i + 32 <= count; i += 32) {
        const int32_t low = count - 32 - i;
        const __m256i window = Broadcast(MaskWindowAt(bits, firstBit + low, lastByte));
        for (int32_t k = 0; k < 4; ++k) {
            Pixel* at = dest + i + 8 * k;
            Store(at, Masked(Load(at), lanes.ShiftedColours(window, shifts.of[k]),
                             ReversedEight(image + low + 24 - 8 * k)));
        }
    }
    if (i + 8 <= count) {
        // Source pixels 0 .. count - i - 1 are left: the window starts at the first, so each
        // lane's bit lies 32 - (count - i) places lower than in a whole run.
        const __m256i window = Broadcast(MaskWindowAt(bits, firstBit, lastByte));
        const __m256i lower = Broadcast(static_cast<uint32_t>(32 - (count - i)));
        for (int32_t k = 0; i + 8 <= count; ++k, i += 8) {
            const __m256i shift = _mm256_sub_epi32(shifts.of[k], lower);
            Store(dest + i, Masked(Load(dest + i), lanes.ShiftedColours(window, shift),
                                   ReversedEight(image + count - 8 - i)));
        }
    }
}

void ReversedMaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                           int32_t count, MonoColours colours) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            const int32_t at = firstBit + count - 1 - i;
            const bool bit = ((bits[at >> 3] >> (7 - (at & 7))) & 1) != 0;
            dest[i] = (dest[i] & (bit ? colours.one : colours.zero)) | image[count - 1 - i];
        }
        return;
    }
    const MonoLanes lanes(colours);
    const __m256i reversedLaneBits =
        _mm256_set_epi32(0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01);
    const int32_t last = count - 8;
    // Destination pixels i .. i + 7 read source pixels last - i .. last - i + 7, backwards.
    const auto eight = [&](int32_t i) {
        return MirroredEight(dest + i, MaskByteAt(bits, firstBit + last - i, 0), image + last - i,
                             lanes, reversedLaneBits);
    };
    const __m256i first = eight(0);
    const __m256i final = eight(last);
    MirroredRuns(dest, bits, firstBit, image, HeadPixels(dest), count, lanes);
    Store(dest, first);
    Store(dest + last, final);
}

// The eight span pixels a group picks from the sixteen at its start: each register of eight
// is permuted by the pick's low three bits, and its bit 3 chooses between them.
__m256i PickEight(const Pixel* span, const ShuffleGroup& group) {
    const __m256i pick = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(group.pick));
    const __m256i low = _mm256_permutevar8x32_epi32(Load(span + group.start), pick);
    const __m256i high = _mm256_permutevar8x32_epi32(Load(span + group.start + 8), pick);
    return SelectBySign(low, high, _mm256_slli_epi32(pick, 28));
}

// The 32 mask bits from byte `at` on, the first in the top bit; bytes past the row read as 0.
uint32_t MaskWindow(const uint8_t* row, size_t rowBytes, int32_t at) {
    const auto from = static_cast<size_t>(at);
    uint32_t window = 0;
    if (from + 4 <= rowBytes) {
        std::memcpy(&window, row + from, sizeof window);
        return __builtin_bswap32(window);
    }
    for (size_t k = 0; k < 4; ++k) {
        window = (window << 8) | (from + k < rowBytes ? row[from + k] : 0u);
    }
    return window;
}

// The mask colours of a group's eight pixels: each lane shifts its own bit to the top, which
// chooses between the two colours.
__m256i PickMask(const uint8_t* row, size_t rowBytes, const ShuffleGroup& group,
                 MonoColours colours) {
    const __m256i window = Broadcast(MaskWindow(row, rowBytes, group.maskByte));
    const __m256i shifts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(group.maskShift));
    return SelectBySign(Broadcast(colours.zero), Broadcast(colours.one),
                        _mm256_sllv_epi32(window, shifts));
}

__m256i ShuffledEight(const Pixel* dest, const uint8_t* maskRow, size_t maskBytes,
                      const Pixel* imageSpan, const ShuffleGroup& group, MonoColours colours) {
    return Masked(Load(dest), PickMask(maskRow, maskBytes, group, colours),
                  PickEight(imageSpan, group));
}

void ShuffledMaskedRows(const ShuffledRows<ShuffleGroup>& rows) {
    const size_t maskBytes = rows.maskBytes;
    const MonoColours colours = rows.colours;
    EachShuffledPartOf(
        rows,
        [&](const Pixel* dest, const uint8_t* mask, const Pixel* imageSpan,
            const ShuffleGroup& group) {
            return ShuffledEight(dest, mask, maskBytes, imageSpan, group, colours);
        },
        [](Pixel* dest, __m256i pixels) { Store(dest, pixels); });
}

void MaskedColourRow(Pixel* dest, const Pixel* mask, const Pixel* image, int32_t count) {
    if (count < 8) {
        for (int32_t i = 0; i < count; ++i) {
            dest[i] = (dest[i] & mask[i]) | image[i];
        }
        return;
    }
    const int32_t last = count - 8;
    const __m256i first = Masked(Load(dest), Load(mask), Load(image));
    const __m256i final = Masked(Load(dest + last), Load(mask + last), Load(image + last));
    for (int32_t i = HeadPixels(dest); i + 8 <= count; i += 8) {
        Store(dest + i, Masked(Load(dest + i), Load(mask + i), Load(image + i)));
    }
    Store(dest, first);
    Store(dest + last, final);
}

// A copied row by the processor's string move, where that is the faster copy: on Intel's
// processors with fast string moves (cpuid's ERMS) it stores whole cache lines without reading
// them first, as a copy through vector registers must, so rows of a few hundred pixels copy in
// about two thirds of the time (the library copy takes that path only for moves of several
// kilobytes). AMD's processors announce ERMS too, but there the string move of such rows
// measured no faster (Zen 3) or slower (Zen 5: a whole recomposition took 15 % longer) than the
// library copy, which they keep.
bool IsIntel() {
    unsigned highest = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &highest, &ebx, &ecx, &edx) == 0) {
        return false;
    }
    // The vendor text is "GenuineIntel" in ebx, edx, ecx.
    return ebx == 0x756E6547u && edx == 0x49656E69u && ecx == 0x6C65746Eu;
}

bool HasFastStringMoves() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    constexpr unsigned kErmsBit = 1u << 9;
    return IsIntel() && __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0 &&
           (ebx & kErmsBit) != 0;
}

void StringCopyRow(Pixel* dest, const Pixel* source, int32_t count) {
    size_t bytes = static_cast<size_t>(count) * sizeof(Pixel);
    asm volatile("rep movsb" : "+D"(dest), "+S"(source), "+c"(bytes) : : "memory");
}

}  // namespace

MaskedMonoRowsKernel MaskedMonoRowsKernelFor() {
    return EachPartOf<MaskedMonoRow, false>;
}

MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor() {
    return EachPartOf<ReversedMaskedMonoRow, true>;
}

ShuffledMaskedRowsKernel ShuffledMaskedRowsKernelFor() {
    return ShuffledMaskedRows;
}

MaskedColourRowKernel MaskedColourRowKernelFor() {
    return MaskedColourRow;
}

ColourRowKernel StringCopyRowKernel() {
    return StringCopyRow;
}

ColourRowKernel ColourRowKernelFor(Rop rop) {
    switch (rop) {
        case Rop::SrcCopy: {
            static const bool fast = HasFastStringMoves();
            return fast ? StringCopyRow : nullptr;  // else the library's block move
        }
        case Rop::SrcAnd:
            return CombineColourRow<AndOp>;
        case Rop::SrcPaint:
            return CombineColourRow<OrOp>;
        default:
            return nullptr;
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
