#pragma once
// The walks over a masked plot's parts (MaskedRows, ShuffledRows), and the rules that find a
// row's parts (MaskedPartRows, ShuffledPartRows), for each build of the row kernels. Like
// RasterMaskBits.h it has internal linkage, so that each build, compiled with its own
// instruction set, keeps its own copy.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "gfx/CoveredRows.h"
#include "gfx/RasterRowKernels.h"

namespace gfx::raster {
namespace {

// One row, kept out of the walk below: inlined there, a kernel that plots long rows in parts
// leaves the walk too few registers, and its values go to the stack.
template <auto Row>
[[gnu::noinline]] void OneRow(Pixel* dest, const uint8_t* bits, int32_t firstBit,
                              const Pixel* image, int32_t count, MonoColours colours) {
    Row(dest, bits, firstBit, image, count, colours);
}

// Each part through row(dest, bits, firstBit, image, count, colours), which reads its source
// pixels from the lowest on, forwards or (Reversed) backwards. The row is called directly, not
// through a pointer, so the compiler knows which registers it leaves alone and keeps the walk
// in them; and each part is read before the one ahead of it is plotted. Either way a part's
// plot can start while the last one's stores are still going out: a walk that stores its
// values and loads them again after each row (as one calling a row kernel through a pointer
// must), or that reads its next part only then, costs the plot of a 220 x 215 leaf a tenth of
// its time or more on some processors.
template <auto Row, bool Reversed>
void EachPartOf(const MaskedRows& rows) {
    const int32_t count = rows.partCount;
    if (count <= 0) {
        return;
    }
    Pixel* const dest = rows.dest;
    const uint8_t* const bits = rows.bits;
    const Pixel* const image = rows.image;
    const ptrdiff_t destStride = rows.destStride;
    const ptrdiff_t bitsStride = rows.bitsStride;
    const ptrdiff_t imageStride = rows.imageStride;
    const int32_t firstColumn = rows.firstColumn;
    const MaskedRowPart* const parts = rows.parts;
    MaskedRowPart next = parts[0];
    for (int32_t p = 0; p < count; ++p) {
        const MaskedRowPart part = next;
        next = parts[p + 1 < count ? p + 1 : p];
        const int32_t low = Reversed ? firstColumn - part.end + 1 : firstColumn + part.begin;
        const ptrdiff_t row = part.row;
        OneRow<Row>(dest + row * destStride + part.begin, bits + row * bitsStride + (low >> 3),
                    low & 7, image + row * imageStride + low, part.end - part.begin, rows.colours);
    }
}

// The columns of a plan row (see MaskedPartRows) that its span can change.
inline ColumnRange RunReading(const MaskedPartRows& rows, ColumnRange span) {
    const ColumnRange reads =
        rows.forward
            ? ColumnRange{span.begin - rows.sourceStart, span.end - rows.sourceStart}
            : ColumnRange{rows.sourceStart - span.end + 1, rows.sourceStart - span.begin + 1};
    return {std::max(reads.begin, 0), std::min(reads.end, rows.count)};
}

// The parts of plan row i's run from `out` on, as parts of row `row`: what its covered run
// leaves. Returns where they end.
inline MaskedRowPart* AddUncoveredParts(const MaskedPartRows& rows, int32_t i, ColumnRange run,
                                        int32_t row, MaskedRowPart* out) {
    const ColumnRange covered =
        CoveredRows::RowOf(rows.covered, rows.coveredHeight, rows.destTop + i);
    ForEachUncovered(run, {covered.begin - rows.destLeft, covered.end - rows.destLeft},
                     [&](ColumnRange part) {
                         *out++ = {row, part.begin, part.end};
                     });
    return out;
}

// Plan row i's parts (see MaskedPartRows) from `out` on, as parts of row `row`.
inline MaskedRowPart* AddMaskedParts(const MaskedPartRows& rows, int32_t i, int32_t row,
                                     MaskedRowPart* out) {
    const ColumnRange run = RunReading(rows, rows.spans[rows.firstSpan + i]);
    return run.Empty() ? out : AddUncoveredParts(rows, i, run, row, out);
}

// The part of plan row i, which reads source row sourceY, for its run of destination columns
// (not empty): the groups of 2^laneShift pixels from the one the run starts in to the one it
// ends in, at most groupLimit. Columns are never negative: the groups by unsigned shifts.
inline ShuffledRowPart ShuffledPartOf(int32_t i, int32_t sourceY, ColumnRange run,
                                      uint32_t laneShift, int32_t groupLimit) {
    const uint32_t lanes = 1u << laneShift;
    const auto firstGroup = static_cast<int32_t>(static_cast<uint32_t>(run.begin) >> laneShift);
    const auto endGroup =
        static_cast<int32_t>((static_cast<uint32_t>(run.end) + lanes - 1) >> laneShift);
    return {i, sourceY, firstGroup, std::min(endGroup, groupLimit)};
}

// Plan row i's part (see ShuffledPartRows) at out, if it has one; returns where the parts end.
inline ShuffledRowPart* AddShuffledPart(const ShuffledPartRows& rows, int32_t i,
                                        ShuffledRowPart* out) {
    const int32_t sourceY = rows.sourceRows[i];
    const ColumnRange run = rows.limits.Reading(rows.spans[sourceY - rows.spansTop]);
    if (run.Empty()) {
        return out;
    }
    *out = ShuffledPartOf(i, sourceY, run, rows.laneShift, rows.groupLimit);
    return out + 1;
}

// Each part of a stretched plot, a group at a time: plot(dest, maskRow, imageSpan, group) gives
// the group's plotted pixels from its first at dest, store(dest, pixels) writes them. The last
// group overlaps the one before it, so it is worked out from the row as it was and stored last.
// The walk's values stay in registers and each part is read ahead, as in EachPartOf.
template <class Group, class Plot, class Store>
void EachShuffledPartOf(const ShuffledRows<Group>& rows, Plot plot, Store store) {
    constexpr auto lanes = static_cast<int32_t>(sizeof Group{}.pick / sizeof Group{}.pick[0]);
    const int32_t count = rows.partCount;
    if (count <= 0) {
        return;
    }
    Pixel* const dest = rows.dest;
    const uint8_t* const bits = rows.bits;
    const Pixel* const imageSpan = rows.imageSpan;
    const ptrdiff_t destStride = rows.destStride;
    const ptrdiff_t bitsStride = rows.bitsStride;
    const ptrdiff_t imageStride = rows.imageStride;
    const Group* const groups = rows.groups;
    const int32_t lastGroup = rows.groupCount - 1;
    const int32_t lastAt = rows.count - lanes;
    const ShuffledRowPart* const parts = rows.parts;
    ShuffledRowPart next = parts[0];
    for (int32_t p = 0; p < count; ++p) {
        const ShuffledRowPart part = next;
        next = parts[p + 1 < count ? p + 1 : p];
        Pixel* const row = dest + part.row * destStride;
        const uint8_t* const mask = bits + part.sourceRow * bitsStride;
        const Pixel* const image = imageSpan + part.sourceRow * imageStride;
        if (part.endGroup <= lastGroup) {
            for (int32_t g = part.firstGroup; g < part.endGroup; ++g) {
                store(row + lanes * g, plot(row + lanes * g, mask, image, groups[g]));
            }
            continue;
        }
        const auto final = plot(row + lastAt, mask, image, groups[lastGroup]);
        for (int32_t g = part.firstGroup; g < lastGroup; ++g) {
            store(row + lanes * g, plot(row + lanes * g, mask, image, groups[g]));
        }
        store(row + lastAt, final);
    }
}

}  // namespace
}  // namespace gfx::raster
