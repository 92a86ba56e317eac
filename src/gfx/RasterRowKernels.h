#pragma once
// Row kernels for colour destinations: one function per raster operation and source kind,
// looked up once per transfer and then run on whole rows. Each level (a plain loop or SSE2 as
// the compiler targets, AVX2, AVX-512) gives the same pixels.

#include <cstddef>
#include <cstdint>

#include "gfx/Canvas.h"
#include "gfx/ColumnLimits.h"
#include "gfx/ColumnRange.h"
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
// is not available gives the best available level below it.
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
// The rows of an unscaled masked plot whose source rows ascend one by one, for the parts a
// kernel below plots: plan row i's span (the source columns its pixels can change) is
// spans[firstSpan + i]; it is destination row destTop + i, whose covered run (columns the
// drawing still to come overwrites) is covered[destTop + i] where 0 <= destTop + i <
// coveredHeight, and none elsewhere (covered may be null, its height 0). Plan column j is
// destination column destLeft + j and reads source column sourceStart + j forward,
// sourceStart - j mirrored; there are count of them.
struct MaskedPartRows {
    const ColumnRange* spans = nullptr;
    int32_t firstSpan = 0;
    const ColumnRange* covered = nullptr;
    int32_t coveredHeight = 0;
    int32_t destTop = 0;
    int32_t destLeft = 0;
    int32_t sourceStart = 0;
    int32_t count = 0;
    bool forward = true;
};
// The parts of plan rows begin .. end - 1 from `out` on, in row order, their rows counted from
// begin: of the columns a row's span can change, those outside its covered run (none, one or
// two parts, left to right). Returns where they end. The places after the last part may be
// written too (a vector's worth at a time), but none from out + 2 * (end - begin) on.
using MaskedPartsKernel = MaskedRowPart* (*)(const MaskedPartRows& rows, int32_t begin, int32_t end,
                                             MaskedRowPart* out);
MaskedPartsKernel MaskedPartsKernelFor(KernelLevel level = BestKernelLevel());

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
struct ShuffleGroup {
    int32_t start = 0;
    int32_t maskByte = 0;
    int32_t pick[8] = {};
    int32_t maskShift[8] = {};
};
// The same sixteen pixels a group, for the AVX-512 build: a group of sixteen destination
// pixels takes the 32 image span pixels from `start` on and picks its own with `pick`
// (0 .. 31, a byte each: the kernel reads less per group). Its mask bits lie in the eight
// mask row bytes from maskByte on, read as one little-endian word: pixel k's is bit maskBit[k]
// of that word.
struct WideShuffleGroup {
    int32_t start = 0;
    int32_t maskByte = 0;
    uint8_t pick[16] = {};
    uint8_t maskBit[16] = {};
};

// The rows of a stretched masked plot read through groups of `lanes` pixels (ShuffleGroup:
// eight, WideShuffleGroup: sixteen), for a kernel that walks them itself. Plan row r lies at
// dest + r * destStride; source row s of the mask at bits + s * bitsStride (maskBytes long,
// never read beyond) and of the image, from the span's first column, at
// imageSpan + s * imageStride (strides in elements). Every row of count pixels (lanes or more)
// reads through the same groups: group g plots pixels lanes * g on, but the last of the
// groupCount, which plots the row's last pixels, count - lanes on. A part plots groups
// firstGroup .. endGroup - 1 of its row (a pixel plotted twice comes out as plotted once).
// Each pixel j: dest[j] = (dest[j] & colour of its mask bit) | image span pixel of its place.
// (No default values: a walk's buffer of parts is left unset until it is written.)
struct ShuffledRowPart {
    int32_t row;
    int32_t sourceRow;
    int32_t firstGroup;
    int32_t endGroup;
};
template <class Group>
struct ShuffledRows {
    Pixel* dest = nullptr;
    ptrdiff_t destStride = 0;
    const uint8_t* bits = nullptr;
    ptrdiff_t bitsStride = 0;
    size_t maskBytes = 0;
    const Pixel* imageSpan = nullptr;
    ptrdiff_t imageStride = 0;
    const Group* groups = nullptr;
    int32_t groupCount = 0;
    int32_t count = 0;
    MonoColours colours;
    const ShuffledRowPart* parts = nullptr;
    int32_t partCount = 0;
};
// The parts of a stretched masked plot's rows whose source rows come from a table: plan row i
// reads source row sourceRows[i], whose span (the columns its pixels can change) is
// spans[sourceRows[i] - spansTop]. The destination columns reading the span are the run the
// limits give for it; a row whose run is empty has no part. A part takes the groups of
// 2^laneShift pixels from the one its run starts in to the one it ends in, at most groupLimit.
struct ShuffledPartRows {
    const int32_t* sourceRows = nullptr;
    const ColumnRange* spans = nullptr;
    int32_t spansTop = 0;
    ColumnLimits limits{};
    uint32_t laneShift = 0;
    int32_t groupLimit = 0;
};
// The parts of plan rows begin .. end - 1 from `out` on, in row order; returns where they end.
// The places after the last part may be written too (a vector's worth at a time), but none
// from out + (end - begin) on.
using ShuffledPartsKernel = ShuffledRowPart* (*)(const ShuffledPartRows& rows, int32_t begin,
                                                 int32_t end, ShuffledRowPart* out);
ShuffledPartsKernel ShuffledPartsKernelFor(KernelLevel level = BestKernelLevel());

using ShuffledMaskedRowsKernel = void (*)(const ShuffledRows<ShuffleGroup>& rows);
using WideShuffledMaskedRowsKernel = void (*)(const ShuffledRows<WideShuffleGroup>& rows);
// Null where the processor has no shuffles for them (the gather kernels serve instead); the
// sixteen-pixel groups below the AVX-512 level (the eight-pixel ones serve instead).
ShuffledMaskedRowsKernel ShuffledMaskedRowsKernelFor(KernelLevel level = BestKernelLevel());
WideShuffledMaskedRowsKernel WideShuffledMaskedRowsKernelFor(KernelLevel level = BestKernelLevel());

// The row copy by the processor's string move, where this build has it and AVX2 is there
// (else null). SrcCopy takes it only on the processors where it is the faster copy; the tests
// hold it against the plain copy on any.
ColourRowKernel StringCopyRowKernel();

}  // namespace gfx::raster
