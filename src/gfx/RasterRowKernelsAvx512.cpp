#include "gfx/RasterRowKernelsAvx512.h"

#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "gfx/RasterPartWalk.h"

namespace gfx::raster::avx512 {

namespace {

// Sixteen pixels a vector; a mask register takes each lane's mask bit as it is. As in the AVX2
// kernels, a row's first and last vectors may overlap its body: each pixel's result depends
// only on its own pixels, so they are computed from the untouched row first and stored last.
// Only rows of fewer than sixteen pixels take masked loads and stores of pixels. (Shifts and
// permutes are the zeroing ones even where every lane is taken: their unmasked forms start
// from an undefined register, which the compiler warns of.)
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
// pixels from i on from one pick of mask bits, for i = firstPair, firstPair + 32, ... (the
// kernels start at the first cache line boundary, and walk their mask bits from there), with
// one more sixteen where what is left allows.
template <class Short, class Sixteen, class Pair>
void WalkRow(Pixel* dest, int32_t count, int32_t firstPair, Short shortRow, Sixteen sixteen,
             Pair pair) {
    if (count < kLanes) {
        shortRow();
        return;
    }
    const int32_t last = count - kLanes;
    const __m512i first = sixteen(0);
    const __m512i final = sixteen(last);
    int32_t i = firstPair;
    for (; i + 2 * kLanes <= count; i += 2 * kLanes) {
        pair(i);
    }
    if (i + kLanes <= count) {
        Store(dest + i, sixteen(i));
    }
    Store(dest, first);
    Store(dest + last, final);
}

// A row's mask bits, held in one register from the byte of the row's first bit to the byte of
// its last (at most kRegisterBytes bytes, read once per row and no further than the row's own).
// Any 32 consecutive bits come out as lanes of a mask register: a byte permute puts the eight
// bytes from the first one's byte in every quadword, and a bit shuffle takes each lane's bit
// from its quadword, at places given by the first bit's place in its byte. Read from memory a
// window per vector instead, the bits cost the unscaled plot a tenth of its time more or so.
constexpr int32_t kRegisterBytes = 56;
// The longest row one register holds whatever its first bit's place, and the parts a longer
// row is plotted in (whole pairs of vectors).
constexpr int32_t kRegisterPixels = 8 * kRegisterBytes - 7;
constexpr int32_t kPartPixels = 384;
static_assert(kPartPixels <= kRegisterPixels && kPartPixels % 32 == 0);
constexpr __mmask64 kAllBytes = ~__mmask64{0};

// Lane k of a forward walk takes pixel k from the first bit, of a reversed one pixel 31 - k
// (lanes 32 on repeat lanes 0 to 31 and are not used). Pixel p from bit 7 of a quadword's first
// byte is the quadword's bit p ^ 7, the bytes' bits being counted from the lowest.
struct LaneOrder {
    alignas(64) uint8_t pixels[64];
};

constexpr LaneOrder MakeLaneOrder(bool reversed) {
    LaneOrder order{};
    for (int32_t lane = 0; lane < 64; ++lane) {
        order.pixels[lane] = static_cast<uint8_t>(reversed ? 31 - lane % 32 : lane % 32);
    }
    return order;
}

constexpr LaneOrder kForwardLanes = MakeLaneOrder(false);
constexpr LaneOrder kReversedLanes = MakeLaneOrder(true);

class RowBits {
  public:
    // The bits of pixels 0 .. count - 1 (count 1 .. kRegisterPixels) from bit firstBit of bits.
    RowBits(const uint8_t* bits, int32_t firstBit, int32_t count)
        : place_(firstBit & 7),
          bytes_(_mm512_maskz_loadu_epi8(ByteLanes(((firstBit & 7) + count + 7) / 8),
                                         bits + (firstBit >> 3))) {}

    // Lane k: the bit of pixel + k, or reversed of pixel + 31 - k; bits past the row are 0.
    __mmask64 Forward(int32_t pixel) const { return Lanes(pixel, kForwardLanes); }
    __mmask64 Reversed(int32_t pixel) const { return Lanes(pixel, kReversedLanes); }

    // The same in steps, for a walk whose pixels lie 32 apart: their bits are four bytes apart
    // at one place in a byte, so the picks stay and the permute moves on by four.
    __m512i PermuteAt(int32_t pixel) const { return BytesFrom((place_ + pixel) >> 3); }
    __m512i PicksAt(int32_t pixel, const LaneOrder& order) const {
        const auto place = static_cast<char>((place_ + pixel) & 7);
        return _mm512_xor_si512(
            _mm512_add_epi8(_mm512_load_si512(order.pixels), _mm512_set1_epi8(place)),
            _mm512_set1_epi8(7));
    }
    __mmask64 Pick(__m512i permute, __m512i picks) const {
        return _mm512_bitshuffle_epi64_mask(
            _mm512_maskz_permutexvar_epi8(kAllBytes, permute, bytes_), picks);
    }

  private:
    static __mmask64 ByteLanes(int32_t n) { return _cvtu64_mask64((uint64_t{1} << n) - 1u); }
    // Bytes byte .. byte + 7 of the register in every quadword.
    static __m512i BytesFrom(int32_t byte) {
        return _mm512_add_epi8(_mm512_set1_epi64(0x0706050403020100),
                               _mm512_set1_epi8(static_cast<char>(byte)));
    }
    __mmask64 Lanes(int32_t pixel, const LaneOrder& order) const {
        return Pick(PermuteAt(pixel), PicksAt(pixel, order));
    }

    int32_t place_;  // of the row's first bit in its byte
    __m512i bytes_;
};

__mmask16 Low16(__mmask64 lanes) {
    return static_cast<__mmask16>(_cvtmask64_u64(lanes));
}
__mmask16 High16(__mmask64 lanes) {
    return static_cast<__mmask16>(_cvtmask64_u64(lanes) >> 16);
}

// A row of at most kRegisterPixels pixels.
void MaskedMonoPart(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                    int32_t count, MonoColours colours) {
    const MaskedLanes plot(colours);
    const RowBits row(bits, firstBit, count);
    const auto shortRow = [&] {
        plot.PlotFirst(dest, count, Low16(row.Forward(0)),
                       _mm512_maskz_loadu_epi32(FirstLanes(count), image));
    };
    const auto sixteen = [&](int32_t i) {
        return plot.Combine(Load(dest + i), Low16(row.Forward(i)), Load(image + i));
    };
    const int32_t firstPair = HeadPixels(dest);
    __m512i permute = row.PermuteAt(firstPair);
    const __m512i picks = row.PicksAt(firstPair, kForwardLanes);
    const __m512i step = _mm512_set1_epi8(4);
    const auto pair = [&](int32_t i) {
        const __mmask64 lanes = row.Pick(permute, picks);
        permute = _mm512_add_epi8(permute, step);
        Store(dest + i, plot.Combine(Load(dest + i), Low16(lanes), Load(image + i)));
        Store(dest + i + kLanes,
              plot.Combine(Load(dest + i + kLanes), High16(lanes), Load(image + i + kLanes)));
    };
    WalkRow(dest, count, firstPair, shortRow, sixteen, pair);
}

// A longer row in parts of kPartPixels; kept out of line, so that a row that one register
// holds goes straight to its part.
[[gnu::noinline]] void LongMaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit,
                                         const Pixel* image, int32_t count, MonoColours colours) {
    for (; count > kRegisterPixels; count -= kPartPixels) {
        MaskedMonoPart(dest, bits, firstBit, image, kPartPixels, colours);
        dest += kPartPixels;
        image += kPartPixels;
        firstBit += kPartPixels;
    }
    if (count > 0) {
        MaskedMonoPart(dest, bits, firstBit, image, count, colours);
    }
}

// dest[i] = (dest[i] & colour of bit firstBit + count - 1 - i) | image[count - 1 - i], for a
// row of at most kRegisterPixels pixels. The reversed bits from pixel p on give lane k the bit
// of pixel p + 31 - k. A pair at dest + i (low = count - i - 32) reads source pixels
// low .. low + 31: its first sixteen pixels take lanes 0 .. 15 of the reversed bits from low,
// its second sixteen lanes 16 .. 31. Sixteen pixels at dest + i (low = count - i - 16) take
// lanes 16 .. 31 of those from low, and a short row of n pixels those from 0 shifted down by
// 32 - n.
void ReversedMaskedMonoPart(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image,
                            int32_t count, MonoColours colours) {
    const MaskedLanes plot(colours);
    const RowBits row(bits, firstBit, count);
    const __m512i inOrder = _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    const __m512i reverse = _mm512_sub_epi32(Broadcast(kLanes - 1), inOrder);
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
        const auto reversedBits = static_cast<uint32_t>(_cvtmask64_u64(row.Reversed(0)));
        plot.PlotFirst(dest, count, static_cast<__mmask16>(reversedBits >> (32 - count)), reversed);
    };
    const auto sixteen = [&](int32_t i) {
        const int32_t low = count - i - kLanes;
        return plot.Combine(Load(dest + i), High16(row.Reversed(low)), reversedAt(low));
    };
    // The pairs' source pixels go down by 32 from those of the first.
    const int32_t firstPair = HeadPixels(dest);
    const int32_t firstLow = count - firstPair - 2 * kLanes;
    __m512i permute = row.PermuteAt(firstLow);
    const __m512i picks = row.PicksAt(firstLow, kReversedLanes);
    const __m512i step = _mm512_set1_epi8(-4);
    const auto pair = [&](int32_t i) {
        const int32_t low = count - i - 2 * kLanes;
        const __mmask64 lanes = row.Pick(permute, picks);
        permute = _mm512_add_epi8(permute, step);
        Store(dest + i, plot.Combine(Load(dest + i), Low16(lanes), reversedAt(low + kLanes)));
        Store(dest + i + kLanes,
              plot.Combine(Load(dest + i + kLanes), High16(lanes), reversedAt(low)));
    };
    WalkRow(dest, count, firstPair, shortRow, sixteen, pair);
}

// A longer row in parts of kPartPixels from its first destination pixel on; each part reads
// its source pixels from the end of the ones left. Out of line as the forward one.
[[gnu::noinline]] void LongReversedMaskedMonoRow(Pixel* dest, const uint8_t* bits, int32_t firstBit,
                                                 const Pixel* image, int32_t count,
                                                 MonoColours colours) {
    for (; count > kRegisterPixels; count -= kPartPixels) {
        const int32_t low = count - kPartPixels;
        ReversedMaskedMonoPart(dest, bits, firstBit + low, image + low, kPartPixels, colours);
        dest += kPartPixels;
    }
    if (count > 0) {
        ReversedMaskedMonoPart(dest, bits, firstBit, image, count, colours);
    }
}

// A row of any length, forward or mirrored: one part where one register holds its bits, else
// the parts of the long row.
template <auto Long, auto Part>
void AnyRow(Pixel* dest, const uint8_t* bits, int32_t firstBit, const Pixel* image, int32_t count,
            MonoColours colours) {
    if (count > kRegisterPixels) {
        Long(dest, bits, firstBit, image, count, colours);
    } else if (count > 0) {
        Part(dest, bits, firstBit, image, count, colours);
    }
}

// Sixteen pixels of a stretched row: the group's 32 span pixels in two registers, of which
// each lane picks one, and its mask bit picked by a bit shuffle from the group's word of mask
// bytes, which chooses the colour.
__m512i WideShuffledSixteen(const Pixel* dest, const uint8_t* maskRow, const Pixel* imageSpan,
                            const WideShuffleGroup& group, const MaskedLanes& plot) {
    const __m512i pick = _mm512_maskz_cvtepu8_epi32(
        FirstLanes(kLanes), _mm_loadu_si128(reinterpret_cast<const __m128i*>(group.pick)));
    const __m512i image = _mm512_permutex2var_epi32(Load(imageSpan + group.start), pick,
                                                    Load(imageSpan + group.start + kLanes));
    uint64_t word = 0;
    std::memcpy(&word, maskRow + group.maskByte, sizeof word);
    const __m512i bitPlaces =
        _mm512_zextsi128_si512(_mm_loadu_si128(reinterpret_cast<const __m128i*>(group.maskBit)));
    const auto set = static_cast<__mmask16>(
        _mm512_bitshuffle_epi64_mask(_mm512_set1_epi64(static_cast<long long>(word)), bitPlaces));
    return plot.Combine(Load(dest), set, image);
}

void WideShuffledMaskedRows(const ShuffledRows<WideShuffleGroup>& rows) {
    const MaskedLanes plot(rows.colours);
    EachShuffledPartOf(
        rows,
        [&](const Pixel* dest, const uint8_t* mask, const Pixel* imageSpan,
            const WideShuffleGroup& group) {
            return WideShuffledSixteen(dest, mask, imageSpan, group, plot);
        },
        [](Pixel* dest, __m512i pixels) { Store(dest, pixels); });
}

// Sixteen rows' parts at a time: the spans and the run limits gathered, the rows that have a
// part packed to the front of each field's vector, and the four fields interleaved into
// parts, four to a vector. All sixteen places are written; the parts end after the rows that
// have one. The rows' values are kept as a copy, which the stores of parts cannot change.
class SixteenRowParts {
    // The layouts the gathers and the interleaving rely on.
    static_assert(sizeof(ColumnRange) == 2 * sizeof(int32_t) && offsetof(ColumnRange, end) == 4);
    static_assert(sizeof(ShuffledRowPart) == 4 * sizeof(int32_t) &&
                  offsetof(ShuffledRowPart, sourceRow) == 4 &&
                  offsetof(ShuffledRowPart, firstGroup) == 8 &&
                  offsetof(ShuffledRowPart, endGroup) == 12);

  public:
    explicit SixteenRowParts(const ShuffledPartRows& rows)
        : rows_(rows),
          spansTop_(_mm512_set1_epi32(rows.spansTop)),
          first_(_mm512_set1_epi32(rows.limits.first)),
          count_(_mm512_set1_epi32(rows.limits.count)),
          roundUp_(_mm512_set1_epi32((1 << rows.laneShift) - 1)),
          groupLimit_(_mm512_set1_epi32(rows.groupLimit)),
          shift_(_mm_cvtsi32_si128(static_cast<int>(rows.laneShift))) {}

    ShuffledRowPart* Add(int32_t i, ShuffledRowPart* out) const {
        const __m512i sourceRows = _mm512_loadu_si512(rows_.sourceRows + i);
        // A span is two values: its begin at twice its index, its end after it.
        const __m512i at =
            _mm512_maskz_slli_epi32(FirstLanes(kLanes), _mm512_sub_epi32(sourceRows, spansTop_), 1);
        const auto* spans = reinterpret_cast<const int*>(rows_.spans);
        const __m512i begins = Gather(at, spans);
        const __m512i ends = Gather(at, spans + 1);
        __m512i low = Before(begins);
        __m512i high = Before(ends);
        if (!rows_.limits.ascending) {
            std::swap(low, high);
        }
        const __mmask16 some = _mm512_cmpgt_epi32_mask(high, low);
        const __mmask16 all = FirstLanes(kLanes);
        const __m512i firstGroups = _mm512_maskz_srl_epi32(all, low, shift_);
        const __m512i endGroups = _mm512_maskz_min_epi32(
            all, _mm512_maskz_srl_epi32(all, _mm512_add_epi32(high, roundUp_), shift_),
            groupLimit_);
        const __m512i planRows = _mm512_add_epi32(_mm512_set1_epi32(i), Ascending());
        Interleave(out, _mm512_maskz_compress_epi32(some, planRows),
                   _mm512_maskz_compress_epi32(some, sourceRows),
                   _mm512_maskz_compress_epi32(some, firstGroups),
                   _mm512_maskz_compress_epi32(some, endGroups));
        return out + _mm_popcnt_u32(some);
    }

    // Plan rows begin .. end - 1, one at a time.
    ShuffledRowPart* AddOneByOne(int32_t begin, int32_t end, ShuffledRowPart* out) const {
        for (int32_t i = begin; i < end; ++i) {
            out = AddShuffledPart(rows_, i, out);
        }
        return out;
    }

  private:
    static __m512i Ascending() {
        return _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    }

    static __m512i Gather(__m512i at, const int32_t* values) {
        return _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), FirstLanes(kLanes), at, values,
                                           4);
    }

    // The run limits of the columns, clamped to the places' span.
    __m512i Before(__m512i columns) const {
        const __mmask16 all = FirstLanes(kLanes);
        const __m512i places = _mm512_maskz_min_epi32(
            all,
            _mm512_maskz_max_epi32(all, _mm512_sub_epi32(columns, first_), _mm512_setzero_si512()),
            count_);
        return Gather(places, rows_.limits.before);
    }

    // Parts 4k .. 4k + 3 into vector k: lane 4q + 0 and 2 take lane 4k + q of the first
    // vector of a pair, lanes 4q + 1 and 3 that of the second.
    static void Interleave(ShuffledRowPart* out, __m512i rows, __m512i sourceRows,
                           __m512i firstGroups, __m512i endGroups) {
        auto* to = reinterpret_cast<int32_t*>(out);
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t p = 4 * k;
            const __m512i pick =
                _mm512_set_epi32(p + 19, p + 3, p + 19, p + 3, p + 18, p + 2, p + 18, p + 2, p + 17,
                                 p + 1, p + 17, p + 1, p + 16, p + 0, p + 16, p + 0);
            const __m512i rowPairs = _mm512_permutex2var_epi32(rows, pick, sourceRows);
            const __m512i groupPairs = _mm512_permutex2var_epi32(firstGroups, pick, endGroups);
            _mm512_storeu_si512(to + 16 * k, _mm512_mask_blend_epi32(0xCCCC, rowPairs, groupPairs));
        }
    }

    const ShuffledPartRows rows_;
    __m512i spansTop_;
    __m512i first_;
    __m512i count_;
    __m512i roundUp_;
    __m512i groupLimit_;
    __m128i shift_;
};

// A run of 16 bits spread to the even bits of 32.
uint32_t SpreadBits(uint32_t bits) {
    bits = (bits | (bits << 8)) & 0x00FF00FFu;
    bits = (bits | (bits << 4)) & 0x0F0F0F0Fu;
    bits = (bits | (bits << 2)) & 0x33333333u;
    return (bits | (bits << 1)) & 0x55555555u;
}

// The parts of an unscaled plot's rows (MaskedPartRows), sixteen rows at a time where the
// covered runs of all sixteen are there, or none are: the rows' spans and covered runs loaded
// and split into their ends, the rows' one or two parts worked out side by side, put in row
// order, the parts there are packed to the front, and their three fields interleaved; eight
// rows' parts at a time, each time sixteen places written from where the parts end. The rows'
// values are a copy, which the stores of parts cannot change.
class SixteenMaskedRowParts {
    static_assert(sizeof(MaskedRowPart) == 3 * sizeof(int32_t) &&
                  offsetof(MaskedRowPart, begin) == 4 && offsetof(MaskedRowPart, end) == 8);

  public:
    explicit SixteenMaskedRowParts(const MaskedPartRows& rows)
        : rows_(rows),
          origin_(_mm512_set1_epi32(rows.forward ? rows.sourceStart : rows.sourceStart + 1)),
          destLeft_(_mm512_set1_epi32(rows.destLeft)),
          count_(_mm512_set1_epi32(rows.count)) {}

    // Whether rows i .. i + 15 take the sixteen-row walk.
    bool Takes(int32_t i) const {
        const int32_t y = rows_.destTop + i;
        return rows_.covered == nullptr || (y >= 0 && y + kLanes <= rows_.coveredHeight);
    }

    // Plan rows i .. i + 15 as rows row .. row + 15 of the parts.
    MaskedRowPart* Add(int32_t i, int32_t row, MaskedRowPart* out) const {
        const __mmask16 all = FirstLanes(kLanes);
        __m512i spanBegins;
        __m512i spanEnds;
        Split(rows_.spans + rows_.firstSpan + i, spanBegins, spanEnds);
        // Mirrored, column j reads origin - j: the span's ends exchanged.
        const __m512i readsBegin = rows_.forward ? _mm512_sub_epi32(spanBegins, origin_)
                                                 : _mm512_sub_epi32(origin_, spanEnds);
        const __m512i readsEnd = rows_.forward ? _mm512_sub_epi32(spanEnds, origin_)
                                               : _mm512_sub_epi32(origin_, spanBegins);
        const __m512i runBegin = _mm512_maskz_max_epi32(all, readsBegin, _mm512_setzero_si512());
        const __m512i runEnd = _mm512_maskz_min_epi32(all, readsEnd, count_);
        __m512i coveredBegin = _mm512_setzero_si512();
        __m512i coveredEnd = _mm512_setzero_si512();
        if (rows_.covered != nullptr) {
            Split(rows_.covered + rows_.destTop + i, coveredBegin, coveredEnd);
            coveredBegin = _mm512_sub_epi32(coveredBegin, destLeft_);
            coveredEnd = _mm512_sub_epi32(coveredEnd, destLeft_);
        }
        const __mmask16 someRun = _mm512_cmpgt_epi32_mask(runEnd, runBegin);
        // The covered run is empty or lies outside the run: the run is one part.
        const __mmask16 apart = _mm512_cmple_epi32_mask(coveredEnd, coveredBegin) |
                                _mm512_cmple_epi32_mask(coveredEnd, runBegin) |
                                _mm512_cmpge_epi32_mask(coveredBegin, runEnd);
        // A row's first part: the run, or its columns before the covered run; its second: those
        // after the covered run.
        const __m512i firstEnd = _mm512_mask_blend_epi32(apart, coveredBegin, runEnd);
        const __mmask16 first = someRun & _mm512_cmpgt_epi32_mask(firstEnd, runBegin);
        const __mmask16 second = someRun & ~apart & _mm512_cmpgt_epi32_mask(runEnd, coveredEnd);
        const __m512i rows = _mm512_add_epi32(_mm512_set1_epi32(row), InOrder());
        const uint32_t taken = SpreadBits(first) | (SpreadBits(second) << 1);
        out = Emit(out, static_cast<__mmask16>(taken), InterleavedLow(), rows, runBegin, firstEnd,
                   coveredEnd, runEnd);
        return Emit(out, static_cast<__mmask16>(taken >> 16), InterleavedHigh(), rows, runBegin,
                    firstEnd, coveredEnd, runEnd);
    }

  private:
    static __m512i InOrder() {
        return _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    }
    // Lane k of a pair of vectors takes lane k / 2 of the first for even k, of the second for
    // odd k: rows 0 .. 7, each first part before its second; then rows 8 .. 15.
    static __m512i InterleavedLow() {
        return _mm512_set_epi32(23, 7, 22, 6, 21, 5, 20, 4, 19, 3, 18, 2, 17, 1, 16, 0);
    }
    static __m512i InterleavedHigh() {
        return _mm512_add_epi32(InterleavedLow(), _mm512_set1_epi32(8));
    }

    // The begins and ends of sixteen runs from `at` on.
    static void Split(const ColumnRange* at, __m512i& begins, __m512i& ends) {
        const __m512i low = _mm512_loadu_si512(at);
        const __m512i high = _mm512_loadu_si512(at + 8);
        const __m512i evens =
            _mm512_set_epi32(30, 28, 26, 24, 22, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 0);
        begins = _mm512_permutex2var_epi32(low, evens, high);
        ends = _mm512_permutex2var_epi32(low, _mm512_add_epi32(evens, _mm512_set1_epi32(1)), high);
    }

    // The sixteen parts that `order` puts side by side (first parts from the rows, firstBegin
    // and firstEnd, second parts from secondBegin and secondEnd), those `taken` packed and
    // interleaved into parts from `out` on; returns where they end.
    static MaskedRowPart* Emit(MaskedRowPart* out, __mmask16 taken, __m512i order, __m512i rows,
                               __m512i firstBegin, __m512i firstEnd, __m512i secondBegin,
                               __m512i secondEnd) {
        const __m512i partRows =
            _mm512_maskz_compress_epi32(taken, _mm512_permutex2var_epi32(rows, order, rows));
        const __m512i begins = _mm512_maskz_compress_epi32(
            taken, _mm512_permutex2var_epi32(firstBegin, order, secondBegin));
        const __m512i ends = _mm512_maskz_compress_epi32(
            taken, _mm512_permutex2var_epi32(firstEnd, order, secondEnd));
        auto* to = reinterpret_cast<int32_t*>(out);
        for (size_t k = 0; k < 3; ++k) {
            const __m512i rowsAndBegins =
                _mm512_permutex2var_epi32(partRows, Load(kRowsAndBegins[k]), begins);
            _mm512_storeu_si512(to + 16 * k, _mm512_mask_permutexvar_epi32(rowsAndBegins, kEnds[k],
                                                                           Load(kPartOf[k]), ends));
        }
        return out + _mm_popcnt_u32(taken);
    }

    static __m512i Load(const std::array<int32_t, kLanes>& lanes) {
        return _mm512_loadu_si512(lanes.data());
    }

    // Value t of the 48 that sixteen parts take is field t % 3 of part t / 3: for each of the
    // three vectors they fill, where each lane's value comes from (a row, or 16 on for a
    // begin) and which lanes take an end.
    static constexpr std::array<std::array<int32_t, kLanes>, 3> kPartOf = [] {
        std::array<std::array<int32_t, kLanes>, 3> parts{};
        for (int32_t t = 0; t < 3 * kLanes; ++t) {
            parts[static_cast<size_t>(t / kLanes)][static_cast<size_t>(t % kLanes)] = t / 3;
        }
        return parts;
    }();
    static constexpr std::array<std::array<int32_t, kLanes>, 3> kRowsAndBegins = [] {
        std::array<std::array<int32_t, kLanes>, 3> lanes = kPartOf;
        for (int32_t t = 0; t < 3 * kLanes; ++t) {
            lanes[static_cast<size_t>(t / kLanes)][static_cast<size_t>(t % kLanes)] +=
                t % 3 == 1 ? kLanes : 0;
        }
        return lanes;
    }();
    static constexpr std::array<__mmask16, 3> kEnds = [] {
        std::array<__mmask16, 3> ends{};
        for (int32_t t = 0; t < 3 * kLanes; ++t) {
            if (t % 3 == 2) {
                ends[static_cast<size_t>(t / kLanes)] |=
                    static_cast<__mmask16>(1u << static_cast<uint32_t>(t % kLanes));
            }
        }
        return ends;
    }();

    const MaskedPartRows rows_;
    __m512i origin_;
    __m512i destLeft_;
    __m512i count_;
};

// Sixteen rows at a time where their covered runs allow, else one by one.
MaskedRowPart* MaskedParts(const MaskedPartRows& rows, int32_t begin, int32_t end,
                           MaskedRowPart* out) {
    const SixteenMaskedRowParts sixteen(rows);
    const MaskedPartRows values = rows;
    int32_t i = begin;
    for (; i + kLanes <= end; i += kLanes) {
        if (sixteen.Takes(i)) {
            out = sixteen.Add(i, i - begin, out);
            continue;
        }
        for (int32_t k = i; k < i + kLanes; ++k) {
            out = AddMaskedParts(values, k, k - begin, out);
        }
    }
    for (; i < end; ++i) {
        out = AddMaskedParts(values, i, i - begin, out);
    }
    return out;
}

// Sixteen rows at a time, the last few one by one.
ShuffledRowPart* ShuffledParts(const ShuffledPartRows& rows, int32_t begin, int32_t end,
                               ShuffledRowPart* out) {
    const SixteenRowParts sixteen(rows);
    int32_t i = begin;
    for (; i + kLanes <= end; i += kLanes) {
        out = sixteen.Add(i, out);
    }
    return sixteen.AddOneByOne(i, end, out);
}

}  // namespace

ShuffledPartsKernel ShuffledPartsKernelFor() {
    return ShuffledParts;
}

MaskedPartsKernel MaskedPartsKernelFor() {
    return MaskedParts;
}

MaskedMonoRowsKernel MaskedMonoRowsKernelFor() {
    return EachPartOf<AnyRow<LongMaskedMonoRow, MaskedMonoPart>, false>;
}

MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor() {
    return EachPartOf<AnyRow<LongReversedMaskedMonoRow, ReversedMaskedMonoPart>, true>;
}

WideShuffledMaskedRowsKernel WideShuffledMaskedRowsKernelFor() {
    return WideShuffledMaskedRows;
}

}  // namespace gfx::raster::avx512
