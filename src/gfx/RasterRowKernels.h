#pragma once
// Row kernels for colour destinations: one function per raster operation and source kind,
// looked up once per transfer and then run on whole rows. They use SSE2 where the compiler
// targets it and a plain loop elsewhere; both give the same pixels.

#include <cstddef>
#include <cstdint>

#include "gfx/Canvas.h"
#include "gfx/Pixel.h"

namespace gfx::raster {

// The colours a monochrome source gives on a colour destination: for bit 0 and for bit 1.
struct MonoColours {
    Pixel zero = kBlack;
    Pixel one = kWhite;
};

// dest[i] = op(dest[i], source[i]) for i < count; source and dest do not overlap.
using ColourRowKernel = void (*)(Pixel* dest, const Pixel* source, int32_t count);
// dest[i] = op(dest[i], colour of bit firstBit + i), bit b being bit 7 - b % 8 of bits[b / 8];
// firstBit is 0 .. 7. Reads only the bytes that hold those bits.
using MonoRowKernel = void (*)(Pixel* dest, const uint8_t* bits, int32_t firstBit, int32_t count,
                               MonoColours colours);

// dest[i] = op(dest[i]) for the operations that read no source.
using NoSourceRowKernel = void (*)(Pixel* dest, int32_t count);

// Which build of the kernels: the base one (SSE2, or plain loops without it), AVX2, or AVX-512
// with BW, VBMI and BITALG (the masked kernels; AVX2 serves for the others). The last two are
// there on x86-64 Linux builds and used when the processor has them. A level runs the kernels
// of its own build and, where that has none, those of the level below.
enum class KernelLevel { Base, Avx2, Avx512 };
KernelLevel BestKernelLevel();
// The levels this build and this processor can run (for the tests).
bool KernelLevelAvailable(KernelLevel level);

// SrcCopy, SrcAnd and SrcPaint; other operations fail with base::EInvalidGraphic. A level that
// is not available gives the base kernels.
ColourRowKernel ColourRowKernelFor(Rop rop, KernelLevel level = BestKernelLevel());
MonoRowKernel MonoRowKernelFor(Rop rop, KernelLevel level = BestKernelLevel());
// DstInvert and Blackness; other operations fail with base::EInvalidGraphic.
NoSourceRowKernel NoSourceRowKernelFor(Rop rop);

// dest[i] = op(dest[i], span[places[i]]): a stretched row. SrcCopy, SrcAnd, SrcPaint.
using GatherRowKernel = void (*)(Pixel* dest, const Pixel* span, const int32_t* places,
                                 int32_t count);
GatherRowKernel GatherRowKernelFor(Rop rop, KernelLevel level = BestKernelLevel());

// dest[i] = op(dest[i], source[count - 1 - i]): a mirrored row. SrcCopy, SrcAnd, SrcPaint.
ColourRowKernel ReversedColourRowKernelFor(Rop rop, KernelLevel level = BestKernelLevel());

// The rows of a masked plot, for a kernel that walks them itself. Plan row r lies at
// dest + r * destStride and reads the mask row bits + r * bitsStride and the image row
// image + r * imageStride (strides in elements, signed: upside down, the source rows go
// upwards). Each part plots destination columns begin .. end - 1 (counted from dest) of its
// row; destination column j reads source column firstColumn + j. Parts of one row do not
// overlap.
// (No default values: a walk's buffer of parts is left unset until it is written.)
struct MaskedRowPart {
    int32_t row;
    int32_t begin;
    int32_t end;
};
struct MaskedRows {
    Pixel* dest = nullptr;
    ptrdiff_t destStride = 0;
    const uint8_t* bits = nullptr;
    ptrdiff_t bitsStride = 0;
    const Pixel* image = nullptr;
    ptrdiff_t imageStride = 0;
    int32_t firstColumn = 0;
    MonoColours colours;
    const MaskedRowPart* parts = nullptr;
    int32_t partCount = 0;
};
// A masked plot's parts, each in one pass, the mask as bits (bit b being bit 7 - b % 8 of its
// row's byte b / 8): dest[j] = (dest[j] & colour of source column's bit) | image pixel of the
// source column. image does not overlap dest. The kernel walks the parts itself, so a plot
// costs one call, and the walk keeps its place in registers between parts.
using MaskedMonoRowsKernel = void (*)(const MaskedRows& rows);
MaskedMonoRowsKernel MaskedMonoRowsKernelFor(KernelLevel level = BestKernelLevel());
// The same mirrored: destination column j reads source column firstColumn - j.
MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor(KernelLevel level = BestKernelLevel());
// A masked plot's row with the mask as colours: dest[i] = (dest[i] & mask[i]) | image[i].
using MaskedColourRowKernel = void (*)(Pixel* dest, const Pixel* mask, const Pixel* image,
                                       int32_t count);
MaskedColourRowKernel MaskedColourRowKernelFor(KernelLevel level = BestKernelLevel());

// A stretched row read through shuffles: a group of eight destination pixels takes the sixteen
// image span pixels from `start` on and picks its own with `pick` (0 .. 15); its mask bits are
// in the 32 bits from byte maskByte of the mask row on, pixel k's at maskShift[k] from the top.
// Group g covers pixels 8g .. 8g + 7 of a row, and one more group covers its last eight.
struct ShuffleGroup {
    int32_t start = 0;
    int32_t maskByte = 0;
    int32_t pick[8] = {};
    int32_t maskShift[8] = {};
};
// dest[i] = (dest[i] & colour of the mask bit of i) | imageSpan[place of i], a group at a
// time: groups[0 .. count / 8 - 1] and `last`, the group of pixels count - 8 .. count - 1
// (count is 8 or more). maskBytes is the length of the mask row, which is never read beyond.
using ShuffledMaskedRowKernel = void (*)(Pixel* dest, const uint8_t* maskRow, size_t maskBytes,
                                         const Pixel* imageSpan, const ShuffleGroup* groups,
                                         int32_t count, const ShuffleGroup& last,
                                         MonoColours colours);
// Null where the processor has no shuffles for it (the gather kernels serve instead).
ShuffledMaskedRowKernel ShuffledMaskedRowKernelFor(KernelLevel level = BestKernelLevel());

// The same sixteen pixels a group, for the AVX-512 build: a group of sixteen destination
// pixels takes the 32 image span pixels from `start` on and picks its own with `pick`
// (0 .. 31); pixel k's mask bit is bit pick[k], counted from the first, of the mask row's bits
// from bit maskBit on. The kernel plots groups[0 .. count / 16 - 1] and `last`, the group of
// pixels count - 16 .. count - 1 (count is 16 or more); maskBytes is the mask row's length.
struct WideShuffleGroup {
    int32_t start = 0;
    int32_t maskBit = 0;
    int32_t pick[16] = {};
};
using WideShuffledMaskedRowKernel = void (*)(Pixel* dest, const uint8_t* maskRow, size_t maskBytes,
                                             const Pixel* imageSpan, const WideShuffleGroup* groups,
                                             int32_t count, const WideShuffleGroup& last,
                                             MonoColours colours);
// Null below the AVX-512 level (the eight-pixel groups serve instead).
WideShuffledMaskedRowKernel WideShuffledMaskedRowKernelFor(KernelLevel level = BestKernelLevel());

// The row copy by the processor's string move, where this build has it and AVX2 is there
// (else null). SrcCopy takes it only on the processors where it is the faster copy; the tests
// hold it against the plain copy on any.
ColourRowKernel StringCopyRowKernel();

// True when the kernels were built with SSE2.
bool RowKernelsUseSse2();

}  // namespace gfx::raster
