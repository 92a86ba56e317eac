// The fast row kernels and their row walks against plain per-pixel loops and the reference
// transfer: every width (tails), bit offset and cache-line place, mask rows that end at their last
// wanted bit (so ASan shows a read past it), mirrors, stretches, random transfers of every kind.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Raster.h"
#include "gfx/RasterPlan.h"
#include "gfx/RasterRowKernels.h"
#include "gfx/ShuffleGroups.h"
#include "gfx/StretchedColumns.h"

namespace gfx {
namespace {

const Rop kSourceRops[] = {Rop::SrcCopy, Rop::SrcAnd, Rop::SrcPaint};
const Rop kAllRops[] = {Rop::SrcCopy, Rop::SrcAnd, Rop::SrcPaint, Rop::DstInvert, Rop::Blackness};
constexpr int32_t kGuard = 5;  // pixels after the row that a kernel must leave alone

Pixel Combine(Rop rop, Pixel d, Pixel s) {
    return rop == Rop::SrcCopy ? s : (rop == Rop::SrcAnd ? d & s : d | s);
}

Pixel RandomColour(std::mt19937& random) {
    return static_cast<Pixel>(random()) & kColourBits;
}

raster::MonoColours RandomColours(std::mt19937& random) {
    return {RandomColour(random), RandomColour(random)};
}

std::vector<Pixel> RandomPixels(std::mt19937& random, int32_t count) {
    std::vector<Pixel> pixels(static_cast<size_t>(count));
    for (Pixel& p : pixels) {
        p = RandomColour(random);
    }
    return pixels;
}

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t count) {
    std::vector<uint8_t> bytes(count);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(random());
    }
    return bytes;
}

// The bytes that hold mask bits firstBit .. firstBit + width - 1 and no more (one if none).
size_t BitBytes(int32_t firstBit, int32_t width) {
    return size_t(firstBit + width + 7) / 8 + (width == 0 ? 1 : 0);
}

Pixel BitColour(const uint8_t* bits, int32_t bit, const raster::MonoColours& colours) {
    return MonoBitAt(bits, bit) ? colours.one : colours.zero;
}

// `dest` with its first `count` pixels replaced by pixel(i, dest[i]).
template <class PixelOf>
std::vector<Pixel> ExpectedRow(std::vector<Pixel> dest, int32_t count, PixelOf pixel) {
    for (int32_t i = 0; i < count; ++i) {
        dest[size_t(i)] = pixel(i, dest[size_t(i)]);
    }
    return dest;
}

// A masked plot as MaskedRows describes it, pixel by pixel, onto `dest` in place of rows.dest.
void PlotMaskedRowsByPixel(const raster::MaskedRows& rows, bool mirrored, Pixel* dest) {
    for (const raster::MaskedRowPart& part : std::vector(rows.parts, rows.parts + rows.partCount)) {
        for (int32_t j = part.begin; j < part.end; ++j) {
            const int32_t column = mirrored ? rows.firstColumn - j : rows.firstColumn + j;
            Pixel& d = dest[part.row * rows.destStride + j];
            d = (d & BitColour(rows.bits + part.row * rows.bitsStride, column, rows.colours)) |
                rows.image[part.row * rows.imageStride + column];
        }
    }
}

raster::MaskedMonoRowsKernel MaskedRowsKernel(raster::KernelLevel level, bool mirrored) {
    return mirrored ? raster::ReversedMaskedMonoRowsKernelFor(level)
                    : raster::MaskedMonoRowsKernelFor(level);
}

// The kernels that write their parts a vector at a time must write nothing from `limit` on.
template <class Part>
void ExpectUnsetFrom(const std::vector<Part>& parts, size_t limit) {
    for (size_t k = limit; k < parts.size(); ++k) {
        EXPECT_EQ(parts[k].row, -1) << "wrote past " << k;
    }
}

// Every build of the kernels this machine can run: base and, where there, AVX2 and AVX-512.
std::vector<raster::KernelLevel> AvailableLevels() {
    std::vector<raster::KernelLevel> levels;
    for (raster::KernelLevel level :
         {raster::KernelLevel::Base, raster::KernelLevel::Avx2, raster::KernelLevel::Avx512}) {
        if (raster::KernelLevelAvailable(level)) {
            levels.push_back(level);
        }
    }
    return levels;
}

// The plain, mirrored and gathering colour kernels, each on every width up to a few vectors.
TEST(RasterRowKernels, ColourKernelsCombineEveryPixelOfEveryWidthAndNoMore) {
    std::mt19937 random(21);
    enum class Kind { Plain, Reversed, Gather };
    for (Kind kind : {Kind::Plain, Kind::Reversed, Kind::Gather}) {
        for (raster::KernelLevel level : AvailableLevels()) {
            for (Rop rop : kSourceRops) {
                for (int32_t count = 0; count <= 70; ++count) {
                    const std::vector<Pixel> span = RandomPixels(random, 37);
                    const std::vector<Pixel> source = RandomPixels(random, count);
                    std::vector<int32_t> places(size_t(count) + 1);
                    for (int32_t& place : places) {
                        place = static_cast<int32_t>(random() % 37);
                    }
                    std::vector<Pixel> dest = RandomPixels(random, count + kGuard);
                    const std::vector<Pixel> expected =
                        ExpectedRow(dest, count, [&](int32_t i, Pixel d) {
                            return Combine(rop, d,
                                           kind == Kind::Plain ? source[size_t(i)]
                                           : kind == Kind::Reversed
                                               ? source[size_t(count - 1 - i)]
                                               : span[size_t(places[size_t(i)])]);
                        });
                    if (kind == Kind::Plain) {
                        raster::ColourRowKernelFor(rop, level)(dest.data(), source.data(), count);
                    } else if (kind == Kind::Reversed) {
                        raster::ReversedColourRowKernelFor(rop, level)(dest.data(), source.data(),
                                                                       count);
                    } else {
                        raster::GatherRowKernelFor(rop, level)(dest.data(), span.data(),
                                                               places.data(), count);
                    }
                    ASSERT_EQ(dest, expected)
                        << "kind " << int(kind) << " rop " << uint32_t(rop) << " count " << count;
                }
            }
        }
    }
}

// The string move copies every width exactly, on processors where SrcCopy does not take it too.
TEST(RasterRowKernels, TheStringMoveCopiesEveryWidthAndNoMore) {
    const raster::ColourRowKernel copy = raster::StringCopyRowKernel();
    if (copy == nullptr) {
        GTEST_SKIP() << "this build or processor has no string-move copy";
    }
    std::mt19937 random(24);
    for (int32_t count = 0; count <= 300; ++count) {
        const std::vector<Pixel> source = RandomPixels(random, count);
        std::vector<Pixel> dest = RandomPixels(random, count + kGuard);
        const std::vector<Pixel> expected =
            ExpectedRow(dest, count, [&](int32_t i, Pixel) { return source[size_t(i)]; });
        copy(dest.data(), source.data(), count);
        ASSERT_EQ(dest, expected) << "count " << count;
    }
}

// Mono rows from every first bit, expanded to either colour and combined; the same colours as
// the mask of the plot that ANDs it and ORs the image in one pass.
TEST(RasterRowKernels, MonoAndMaskedKernelsExpandEachBitToEitherColour) {
    std::mt19937 random(22);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (int32_t count = 0; count <= 140 * 8; ++count) {
            const int32_t firstBit = count % 8;
            const int32_t width = count / 8;
            SCOPED_TRACE(testing::Message() << "width " << width << " first bit " << firstBit);
            const raster::MonoColours colours = RandomColours(random);
            const std::vector<uint8_t> bits = RandomBytes(random, BitBytes(firstBit, width));
            std::vector<Pixel> mask(size_t(width) + 1);
            for (int32_t i = 0; i < width; ++i) {
                mask[size_t(i)] = BitColour(bits.data(), firstBit + i, colours);
            }
            const std::vector<Pixel> image = RandomPixels(random, width);
            const std::vector<Pixel> dest = RandomPixels(random, width + kGuard);
            for (Rop rop : kSourceRops) {
                std::vector<Pixel> combined = dest;
                raster::MonoRowKernelFor(rop, level)(combined.data(), bits.data(), firstBit, width,
                                                     colours);
                ASSERT_EQ(combined, ExpectedRow(dest, width,
                                                [&](int32_t i, Pixel d) {
                                                    return Combine(rop, d, mask[size_t(i)]);
                                                }))
                    << "rop " << uint32_t(rop);
            }
            std::vector<Pixel> fromColours = dest;
            raster::MaskedColourRowKernelFor(level)(fromColours.data(), mask.data(), image.data(),
                                                    width);
            ASSERT_EQ(fromColours, ExpectedRow(dest, width, [&](int32_t i, Pixel d) {
                          return (d & mask[size_t(i)]) | image[size_t(i)];
                      }));
        }
    }
}

// The masked kernels, forward and mirrored, against the plot pixel by pixel: every width up to
// 140 and long ones, rows at their own strides read downwards or upwards, with no part, one or
// two, and whole rows that read the first and the last source row, one of them from every pixel
// of a cache line on (the wider builds align their stores to one): the mask's bytes start and
// end with those rows' bits, so ASan shows a read before or past them. Nothing else is touched.
TEST(RasterRowKernels, MaskedKernelsPlotEachPartOfEachRowWhereverItStarts) {
    std::mt19937 random(25);
    constexpr int32_t kLine = 16;  // pixels in a 64-byte cache line
    constexpr int32_t kRows = 5;   // two whole rows, one in two parts, one in one, one with none
    std::vector<int32_t> widths(141);
    std::iota(widths.begin(), widths.end(), 0);
    widths.insert(widths.end(), {220, 383, 384, 385, 434, 441, 442, 449, 500, 767, 768, 769, 1001});
    for (raster::KernelLevel level : AvailableLevels()) {
        for (int32_t offset = 0; offset < kLine; ++offset) {
            for (const int32_t width : widths) {
                for (const bool mirrored : {false, true}) {
                    const bool upwards = offset % 2 == 1;
                    SCOPED_TRACE(testing::Message()
                                 << "level " << int(level) << " offset " << offset << " width "
                                 << width << " mirrored " << mirrored << " upwards " << upwards);
                    // A source row: the mask bits and image pixels of its columns firstBit on.
                    const auto firstBit = static_cast<int32_t>(random() % 8);
                    const auto bitsStride = static_cast<ptrdiff_t>(BitBytes(firstBit, width));
                    const std::vector<uint8_t> bits =
                        RandomBytes(random, size_t(bitsStride * kRows));
                    const int32_t imageStride = firstBit + width;
                    const std::vector<Pixel> image = RandomPixels(random, imageStride * kRows);
                    const ptrdiff_t destStride = width + 9;
                    std::vector<Pixel> plotted =
                        RandomPixels(random, int32_t(destStride * kRows) + 2 * kLine);
                    // Destination rows 0 and kRows - 1 are whole and read the first and the last
                    // source row; `whole` is the one that reads the last.
                    const int32_t whole = upwards ? 0 : kRows - 1;
                    std::vector<raster::MaskedRowPart> parts;
                    for (int32_t r = 0; r < kRows; ++r) {
                        const auto cut = static_cast<int32_t>(random() % uint32_t(width + 1));
                        if (r == 0 || r == kRows - 1) {
                            parts.push_back({r, 0, width});
                        } else if (r % 3 == 1) {
                            parts.push_back({r, 0, cut / 2});
                            parts.push_back({r, cut, width});
                        } else if (r % 3 == 2) {
                            parts.push_back({r, cut / 3, cut});
                        }
                    }
                    // The whole row starts `offset` pixels after a cache line's start.
                    const auto address =
                        reinterpret_cast<uintptr_t>(plotted.data() + kLine + whole * destStride);
                    const size_t start = size_t(kLine + offset) - (address & 63u) / sizeof(Pixel);
                    const ptrdiff_t first = upwards ? kRows - 1 : 0;
                    const ptrdiff_t direction = upwards ? -1 : 1;
                    const raster::MaskedRows rows{
                        .dest = plotted.data() + start,
                        .destStride = destStride,
                        .bits = bits.data() + first * bitsStride,
                        .bitsStride = direction * bitsStride,
                        .image = image.data() + first * imageStride,
                        .imageStride = direction * imageStride,
                        .firstColumn = mirrored ? firstBit + width - 1 : firstBit,
                        .colours = RandomColours(random),
                        .parts = parts.data(),
                        .partCount = static_cast<int32_t>(parts.size())};
                    std::vector<Pixel> expected = plotted;
                    PlotMaskedRowsByPixel(rows, mirrored, expected.data() + start);
                    MaskedRowsKernel(level, mirrored)(rows);
                    ASSERT_EQ(plotted, expected);
                }
            }
        }
    }
}

// Where a stretch of `count` pixels from a span of spanCount reads: evenly, mirrored or not.
std::vector<int32_t> StretchedPlaces(int32_t count, int32_t spanCount, bool mirrored) {
    std::vector<int32_t> places(static_cast<size_t>(count));
    for (int32_t j = 0; j < count; ++j) {
        const int32_t place = static_cast<int32_t>(int64_t{j} * spanCount / count);
        places[size_t(j)] = mirrored ? spanCount - 1 - place : place;
    }
    return places;
}

template <class Group>
std::vector<Group> GroupsFor(const raster::StretchedSpan& span) {
    if constexpr (std::is_same_v<Group, raster::ShuffleGroup>) {
        return raster::ShuffleGroupsOf(span);
    } else {
        return raster::WideShuffleGroupsOf(span);
    }
}

// The shuffled kernels of both group widths: rows at their own strides, parts of any groups (the
// last one among them or not) reading any source row, stretches from a third to three times,
// mirrored or not, the span anywhere in a mask row that ends where its last bit does. Each pixel
// takes its place's mask bit and image pixel; nothing else is touched.
template <class Group, class Kernel>
void CheckShuffledRows(Kernel kernel, std::mt19937& random) {
    constexpr auto lanes = static_cast<int32_t>(std::size(Group{}.pick));
    constexpr int32_t kRows = 5;
    for (int32_t trial = 0; trial < 300; ++trial) {
        const auto spanCount = static_cast<int32_t>(16 + random() % 100);
        const auto count = static_cast<int32_t>(8 + random() % 100);
        const auto first = static_cast<int32_t>(random() % 20);
        const std::vector<int32_t> places = StretchedPlaces(count, spanCount, trial % 2 == 1);
        const auto maskBytes = size_t(first + spanCount + 7) / 8;
        const std::vector<Group> groups = GroupsFor<Group>(
            raster::StretchedSpan{first, spanCount, places, static_cast<int32_t>(maskBytes)});
        if (groups.empty()) {
            continue;
        }
        const std::vector<uint8_t> mask = RandomBytes(random, maskBytes * kRows);
        const int32_t imageStride = spanCount + 3;
        const std::vector<Pixel> image = RandomPixels(random, imageStride * kRows);
        const int32_t destStride = count + kGuard;
        std::vector<Pixel> plotted = RandomPixels(random, destStride * kRows);
        const raster::MonoColours colours = RandomColours(random);
        const auto groupCount = static_cast<int32_t>(groups.size());
        std::vector<raster::ShuffledRowPart> parts;
        std::vector<Pixel> expected = plotted;
        for (int32_t row = 0; row < kRows; ++row) {
            if (random() % 4 == 0) {
                continue;
            }
            const auto sourceRow = static_cast<int32_t>(random() % kRows);
            const auto firstGroup = static_cast<int32_t>(random() % uint32_t(groupCount));
            const auto endGroup =
                firstGroup + 1 + static_cast<int32_t>(random() % uint32_t(groupCount - firstGroup));
            parts.push_back({row, sourceRow, firstGroup, endGroup});
            for (int32_t g = firstGroup; g < endGroup; ++g) {
                const int32_t from = g + 1 < groupCount ? lanes * g : count - lanes;
                for (int32_t j = from; j < from + lanes; ++j) {
                    const int32_t place = places[size_t(j)];
                    Pixel& d = expected[size_t(row * destStride + j)];
                    d = (d & BitColour(mask.data() + size_t(sourceRow) * maskBytes, first + place,
                                       colours)) |
                        image[size_t(sourceRow * imageStride + place)];
                }
            }
        }
        kernel(raster::ShuffledRows<Group>{
            plotted.data(), destStride, mask.data(), static_cast<ptrdiff_t>(maskBytes), maskBytes,
            image.data(), imageStride, groups.data(), groupCount, count, colours, parts.data(),
            static_cast<int32_t>(parts.size())});
        ASSERT_EQ(plotted, expected) << lanes << " lanes, count " << count << " span " << spanCount;
    }
}

TEST(RasterRowKernels, ShuffledKernelsPlotEachPixelOfEachPartsGroupsFromItsPlace) {
    std::mt19937 random(26);
    for (raster::KernelLevel level : AvailableLevels()) {
        if (const auto narrow = raster::ShuffledMaskedRowsKernelFor(level); narrow != nullptr) {
            CheckShuffledRows<raster::ShuffleGroup>(narrow, random);
        }
        if (const auto wide = raster::WideShuffledMaskedRowsKernelFor(level); wide != nullptr) {
            CheckShuffledRows<raster::WideShuffleGroup>(wide, random);
        }
    }
}

// Groups are made only where their places fit the registers they read: none for a row shrunk
// to less than half, nor for rows or spans too short for one group, nor sixteen-pixel ones in a
// mask row shorter than their word of eight bytes.
TEST(RasterRowKernels, ShuffleGroupsAreMadeOnlyWhereThePlacesFit) {
    const auto groupsOf = [](int32_t count, int32_t spanCount, int32_t maskBytes) {
        const std::vector<int32_t> places = StretchedPlaces(count, spanCount, false);
        const raster::StretchedSpan span{3, spanCount, places, maskBytes};
        return std::pair{raster::ShuffleGroupsOf(span).size(),
                         raster::WideShuffleGroupsOf(span).size()};
    };
    EXPECT_EQ(groupsOf(100, 200, 26), std::pair(size_t{13}, size_t{7}));  // whole groups + last
    EXPECT_EQ(groupsOf(100, 300, 38), std::pair(size_t{0}, size_t{0}));   // a third
    EXPECT_EQ(groupsOf(12, 40, 6), std::pair(size_t{0}, size_t{0}));
    EXPECT_EQ(groupsOf(12, 20, 3), std::pair(size_t{2}, size_t{0}));  // too short for sixteen
    EXPECT_EQ(groupsOf(40, 20, 3), std::pair(size_t{6}, size_t{0}));  // span under 32
    EXPECT_EQ(groupsOf(40, 40, 6), std::pair(size_t{6}, size_t{0}));  // mask row under 8 bytes
    EXPECT_EQ(groupsOf(40, 40, 8), std::pair(size_t{6}, size_t{3}));
}

TEST(RasterRowKernels, AKernelForTheWrongKindOfOperationIsRefused) {
    EXPECT_THROW(raster::ColourRowKernelFor(Rop::DstInvert), base::EInvalidGraphic);
    EXPECT_THROW(raster::MonoRowKernelFor(Rop::Blackness), base::EInvalidGraphic);
    EXPECT_THROW(raster::NoSourceRowKernelFor(Rop::SrcPaint), base::EInvalidGraphic);
    EXPECT_THROW(raster::ReversedColourRowKernelFor(Rop::DstInvert), base::EInvalidGraphic);
    EXPECT_THROW(raster::GatherRowKernelFor(Rop::Blackness), base::EInvalidGraphic);
}

// Stretch tables whole (huge extents too) and clipped anywhere to every length around the fill's
// blocks of entries; shrunk and grown, the source either way and the destination mirrored.
TEST(RasterPlan, StretchTablesMatchTheNearestPixelRule) {
    const int64_t extents[][2] = {
        {7, 1000000007}, {4096, 2147483647}, {3000, 2999}, {1000, 1}, {333, 65536}, {110, 220},
        {37, 220},       {330, 220},         {176, 220},   {9, 7},    {5, 3}};
    for (const auto& [n, m] : extents) {
        std::vector<std::pair<int32_t, int32_t>> windows{{0, int32_t(n)}};  // first entry, count
        for (int32_t low = 0; low < 11; ++low) {
            for (int32_t count = 1; low + count <= n && count < 21; ++count) {
                windows.emplace_back(low, count);
            }
        }
        // The source columns are 3 .. m + 2, or from 0 on where m is huge.
        const int64_t sourceFirst = m < (1 << 20) ? 3 : 0;
        for (int64_t sourceDirection : {1, -1}) {
            for (int64_t destDirection : {1, -1}) {
                for (const auto& [low, count] : windows) {
                    SCOPED_TRACE(testing::Message() << n << " " << m << " from " << low << ", "
                                                    << count << " entries");
                    const int64_t sourceOrigin = sourceFirst + (sourceDirection > 0 ? 0 : m - 1);
                    const raster::AxisMap map = raster::MapAxis(
                        {destDirection > 0 ? 0 : n - 1, destDirection * n, sourceOrigin,
                         sourceDirection * m, low, low + count, 0, INT32_MAX, true});
                    ASSERT_EQ(map.count, count);
                    ASSERT_EQ(map.destStart, low);
                    for (int32_t i = 0; i < count; ++i) {
                        const int64_t k = destDirection > 0 ? low + i : n - 1 - (low + i);
                        ASSERT_EQ(map.SourceAt(i),
                                  sourceOrigin + sourceDirection * raster::ScaledOffset(k, n, m));
                    }
                }
            }
        }
    }
}

// Columns of a stretch of `sourceWidth` columns from column 5 on to `destWidth` of them, the
// destination mirrored where the extent is negative.
raster::AxisMap StretchedColumnsMap(int32_t destWidth, int32_t sourceWidth) {
    const int32_t width = destWidth < 0 ? -destWidth : destWidth;
    return raster::MapAxis(
        {destWidth < 0 ? width - 1 : 0, destWidth, 5, sourceWidth, 0, width, 0, 400, true});
}

TEST(StretchedColumns, LimitsGiveTheColumnsThatReadARangeOfSourceColumns) {
    for (const int32_t destWidth : {110, 37, 330, -176, -13}) {
        const raster::AxisMap columns = StretchedColumnsMap(destWidth, 220);
        const raster::StretchedColumns plan(columns, 28);
        const raster::ColumnLimits limits = plan.Limits();
        for (int32_t begin = -2; begin < 230; begin += 3) {
            for (int32_t end = begin; end < 232; end += 7) {
                SCOPED_TRACE(testing::Message() << destWidth << ": " << begin << " " << end);
                std::vector<int32_t> reading;
                for (int32_t j = 0; j < columns.count; ++j) {
                    if (columns.SourceAt(j) >= begin && columns.SourceAt(j) < end) {
                        reading.push_back(j);
                    }
                }
                const ColumnRange run = limits.Reading({begin, end});
                EXPECT_EQ(run.Empty(), reading.empty());
                if (!reading.empty()) {
                    EXPECT_EQ(std::pair(run.begin, run.end),
                              std::pair(reading.front(), reading.back() + 1));
                }
            }
        }
    }
}

std::array<int32_t, 4> Fields(const raster::ShuffledRowPart& p) {
    return {p.row, p.sourceRow, p.firstGroup, p.endGroup};
}

// The parts kernels give each row whose span some columns read the groups of that run, in row
// order, from any row on for any number of rows (blocks of sixteen and the rest), places either
// way, spans empty or past the columns' span; and they write no more than one part a row.
TEST(RasterRowKernels, PartsKernelsGiveTheGroupsOfEachRowThatHasARun) {
    std::mt19937 random(61);
    constexpr int32_t kSpansTop = 3;
    std::vector<ColumnRange> spans(90);
    for (ColumnRange& span : spans) {
        const int32_t begin = static_cast<int32_t>(random() % 240) - 10;
        const auto width = static_cast<int32_t>(random() % 6 == 0 ? 0 : random() % 120);
        span = {begin, begin + width};
    }
    std::vector<int32_t> sources(80);
    for (int32_t& y : sources) {
        y = kSpansTop + static_cast<int32_t>(random() % spans.size());
    }
    for (const raster::KernelLevel level : AvailableLevels()) {
        const raster::ShuffledPartsKernel kernel = raster::ShuffledPartsKernelFor(level);
        for (const int32_t destWidth : {110, 37, 330, -176}) {
            const raster::AxisMap columns = StretchedColumnsMap(destWidth, 220);
            const raster::StretchedColumns plan(columns, 28);
            const raster::ColumnLimits limits = plan.Limits();
            for (const uint32_t laneShift : {3u, 4u}) {
                const int32_t groupLimit = (columns.count >> laneShift) + 1;
                const raster::ShuffledPartRows rows{sources.data(), spans.data(), kSpansTop,
                                                    limits,         laneShift,    groupLimit};
                for (const int32_t begin : {0, 7}) {
                    for (int32_t count = 0; begin + count <= 80 && count <= 70; ++count) {
                        SCOPED_TRACE(testing::Message() << "level " << int(level) << ", width "
                                                        << destWidth << ", shift " << laneShift
                                                        << ", rows " << begin << " + " << count);
                        std::vector<std::array<int32_t, 4>> expected;
                        for (int32_t i = begin; i < begin + count; ++i) {
                            const int32_t y = sources[static_cast<size_t>(i)];
                            const ColumnRange run =
                                limits.Reading(spans[static_cast<size_t>(y - kSpansTop)]);
                            if (!run.Empty()) {
                                const int32_t end = (run.end + (1 << laneShift) - 1) >> laneShift;
                                expected.push_back(
                                    {i, y, run.begin >> laneShift, std::min(end, groupLimit)});
                            }
                        }
                        std::vector<raster::ShuffledRowPart> parts(static_cast<size_t>(count) + 16,
                                                                   {-1, -1, -1, -1});
                        raster::ShuffledRowPart* end =
                            kernel(rows, begin, begin + count, parts.data());
                        ASSERT_EQ(end - parts.data(), static_cast<ptrdiff_t>(expected.size()));
                        std::vector<std::array<int32_t, 4>> given;
                        std::transform(parts.data(), end, std::back_inserter(given), Fields);
                        EXPECT_EQ(given, expected);
                        ExpectUnsetFrom(parts, static_cast<size_t>(count));
                    }
                }
            }
        }
    }
}

// The columns of row i an unscaled plot's parts must take: those whose source column lies in
// the row's span and whose destination column lies outside its covered run.
std::vector<bool> ColumnsToPlot(const raster::MaskedPartRows& rows, int32_t i) {
    const ColumnRange span = rows.spans[rows.firstSpan + i];
    const int32_t y = rows.destTop + i;
    const ColumnRange covered = rows.covered != nullptr && y >= 0 && y < rows.coveredHeight
                                    ? rows.covered[y]
                                    : ColumnRange{};
    std::vector<bool> columns(static_cast<size_t>(rows.count));
    for (int32_t j = 0; j < rows.count; ++j) {
        const int32_t source = rows.forward ? rows.sourceStart + j : rows.sourceStart - j;
        const int32_t dest = rows.destLeft + j;
        columns[static_cast<size_t>(j)] = source >= span.begin && source < span.end &&
                                          !(dest >= covered.begin && dest < covered.end);
    }
    return columns;
}

// The unscaled parts kernels give each row's columns to plot as runs, left to right in row
// order, from any row on for any number of rows (blocks of sixteen, blocks partly outside the
// covered rows, the rest), forward and mirrored, with and without covered rows; and they write
// nothing from two parts a row on.
TEST(RasterRowKernels, UnscaledPartsKernelsGiveEachRowsColumnsToPlot) {
    std::mt19937 random(62);
    const auto randomRun = [&](int32_t low, int32_t high) {
        const int32_t begin =
            low + static_cast<int32_t>(random() % static_cast<uint32_t>(high - low));
        const auto width = static_cast<int32_t>(random() % 5 == 0 ? 0 : random() % 90);
        return ColumnRange{begin, begin + width};
    };
    std::vector<ColumnRange> spans(100);
    for (ColumnRange& span : spans) {
        span = randomRun(0, 130);
    }
    // Rows 0 .. 59 are covered rows; the runs after them cover every column, so that a kernel
    // that reads one of them shows.
    constexpr int32_t kCoveredHeight = 60;
    std::vector<ColumnRange> covered(kCoveredHeight + 20, ColumnRange{-100, 200});
    for (int32_t y = 0; y < kCoveredHeight; ++y) {
        covered[static_cast<size_t>(y)] = randomRun(-20, 110);
    }
    for (const raster::KernelLevel level : AvailableLevels()) {
        const raster::MaskedPartsKernel kernel = raster::MaskedPartsKernelFor(level);
        for (int variant = 0; variant < 6; ++variant) {
            const bool forward = variant < 3;
            const raster::MaskedPartRows rows{
                .spans = spans.data(),
                .firstSpan = 9,
                .covered = variant % 3 == 2 ? nullptr : covered.data(),
                .coveredHeight = variant % 3 == 2 ? 0 : kCoveredHeight,
                .destTop = variant % 3 == 1 ? -11 : 3,  // rows above the covered ones, or below
                .destLeft = 7,
                .sourceStart = forward ? 12 : 95,
                .count = 83,
                .forward = forward};
            for (const int32_t begin : {0, 5, 10}) {
                for (int32_t count = 0; begin + count <= 90 && count <= 75; ++count) {
                    SCOPED_TRACE(testing::Message()
                                 << "level " << int(level) << ", variant " << variant << ", rows "
                                 << begin << " + " << count);
                    std::vector<raster::MaskedRowPart> parts(2 * static_cast<size_t>(count) + 32,
                                                             {-1, -1, -1});
                    const raster::MaskedRowPart* end =
                        kernel(rows, begin, begin + count, parts.data());
                    ASSERT_LE(end - parts.data(), 2 * static_cast<ptrdiff_t>(count));
                    const raster::MaskedRowPart* part = parts.data();
                    for (int32_t i = begin; i < begin + count; ++i) {
                        std::vector<bool> plotted(static_cast<size_t>(rows.count));
                        int32_t lastEnd = -1;
                        for (; part != end && part->row == i - begin; ++part) {
                            ASSERT_LT(lastEnd, part->begin) << "row " << i;
                            ASSERT_LT(part->begin, part->end) << "row " << i;
                            ASSERT_GE(part->begin, 0);
                            ASSERT_LE(part->end, rows.count);
                            std::fill(plotted.begin() + part->begin, plotted.begin() + part->end,
                                      true);
                            lastEnd = part->end;
                        }
                        EXPECT_EQ(plotted, ColumnsToPlot(rows, i)) << "row " << i;
                    }
                    EXPECT_EQ(part, end) << "parts out of row order";
                    ExpectUnsetFrom(parts, 2 * static_cast<size_t>(count));
                }
            }
        }
    }
}

// A plan is kept for the same places and mask rows only, and one held by a plot outlives its
// place among the kept ones.
TEST(StretchedColumns, PlansAreKeptForTheSameColumnsAndMaskRowsOnly) {
    const raster::AxisMap columns = StretchedColumnsMap(110, 220);
    const auto held = raster::StretchedColumnsFor(columns, 28);
    EXPECT_EQ(raster::StretchedColumnsFor(columns, 28), held);
    EXPECT_NE(raster::StretchedColumnsFor(columns, 32), held);
    EXPECT_NE(raster::StretchedColumnsFor(StretchedColumnsMap(-110, 220), 28), held);
    EXPECT_NE(raster::StretchedColumnsFor(StretchedColumnsMap(110, 260), 28), held);
    // 221 columns shown in 110 are read at the same places as 220.
    EXPECT_EQ(raster::StretchedColumnsFor(StretchedColumnsMap(110, 221), 28), held);
    for (const int32_t destWidth : {40, 50, 60, 70}) {
        raster::StretchedColumnsFor(StretchedColumnsMap(destWidth, 220), 28);
    }
    const auto again = raster::StretchedColumnsFor(columns, 28);
    EXPECT_NE(again, held);
    EXPECT_EQ(held->Span().places, again->Span().places);
    EXPECT_EQ(held->WideGroups().size(), again->WideGroups().size());
    EXPECT_EQ(held->Groups().size(), again->Groups().size());
}

// Masks from every bit offset and many widths, mirrored in either axis, and stretched, onto a
// colour destination (bit 1 gives its background colour, bit 0 its text colour).
TEST(RasterColourWalk, MasksMatchTheReference) {
    struct MonoCase {
        int32_t sourceX, width, destWidth, destHeight;
        bool mirrorX, mirrorY;
    };
    std::mt19937 random(25);
    std::vector<MonoCase> cases;
    for (int32_t sourceX = 0; sourceX < 10; ++sourceX) {
        for (int32_t width = 1; width + sourceX <= 168; width += 3) {
            cases.push_back({sourceX, width, width, 6, false, false});
        }
    }
    for (int32_t sourceX : {0, 3, 8, 13}) {
        for (int32_t width : {1, 4, 7, 9, 16, 17, 27, 63, 64, 65, 127, 128, 129, 150}) {
            cases.push_back({sourceX, width, width, 6, true, false});
            cases.push_back({sourceX, width, width, 6, true, true});
            cases.push_back({sourceX, width, width, 6, false, true});
        }
    }
    for (int32_t sourceX : {0, 5, 11}) {
        for (int32_t destWidth : {1, 3, 10, 23, 37, 61}) {
            for (int32_t destHeight : {1, 4, 9}) {
                cases.push_back({sourceX, 21, destWidth, destHeight, destWidth % 2 == 1, false});
            }
        }
    }
    for (Rop rop : kSourceRops) {
        for (const MonoCase& c : cases) {
            // 168 pixels wide: rows padded from 21 to 24 bytes, so padding bits follow each row.
            const Bitmap mask = test::RandomBitmap(random, 168, 6, PixelFormat::Mono);
            Bitmap dest = test::RandomBitmap(random, 180, 9, PixelFormat::Colour);
            dest.GetCanvas().SetBackgroundColour(RandomColour(random));
            dest.GetCanvas().SetTextColour(RandomColour(random));
            // A negative extent runs from the edge after the plot backwards.
            const int32_t w = c.mirrorX ? -c.destWidth : c.destWidth;
            const int32_t h = c.mirrorY ? -c.destHeight : c.destHeight;
            const test::Transfer t{
                3 - std::min(w, 0), 1 - std::min(h, 0), w, h, c.sourceX, 0, c.width, 6, rop};
            ASSERT_EQ(test::DifferenceFromReference(dest, &mask, t), "")
                << "rop " << uint32_t(rop) << " from " << c.sourceX << " width " << c.width
                << " to " << w << "x" << h;
        }
    }
}

// Colour rows of every width and tail, through the whole unscaled transfer.
TEST(RasterColourWalk, ForwardRowsOfEveryWidthAndTailMatchTheReference) {
    std::mt19937 random(15);
    for (int32_t width = 1; width <= 70; ++width) {
        for (int32_t offset : {0, 1, 3, 7, 31}) {
            for (Rop rop : kAllRops) {
                const Bitmap source =
                    test::RandomBitmap(random, width + offset, 2, PixelFormat::Colour);
                Bitmap dest = test::RandomBitmap(random, width + 40, 2, PixelFormat::Colour);
                const test::Transfer t{offset, 0, width, 2, offset, 0, width, 2, rop};
                ASSERT_EQ(test::DifferenceFromReference(dest, &source, t, true), "")
                    << width << " " << offset;
            }
        }
    }
}

// Random transfers of every kind, either format each side: odd widths, edges, mirrors,
// stretches, copies inside one bitmap.
TEST(RasterFastPath, RandomTransfersMatchTheReference) {
    static const Pixel kColours[] = {kBlack, kWhite, 0x0000FF, 0x123456};
    const PixelFormat formats[] = {PixelFormat::Colour, PixelFormat::Mono};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> pick(0, 3);
    std::uniform_int_distribution<size_t> pickRop(0, 4);
    std::uniform_int_distribution<int32_t> position(-12, 70);
    std::uniform_int_distribution<int32_t> extent(-67, 67);
    for (const bool sameBitmap : {false, true}) {
        for (const bool scaled : {false, true}) {
            for (int round = 0; round < 400; ++round) {
                const PixelFormat destFormat = formats[round % 2];
                const PixelFormat sourceFormat = sameBitmap ? destFormat : formats[(round / 2) % 2];
                Bitmap dest = test::RandomBitmap(random, 1 + round % 67, 9, destFormat);
                Bitmap source = test::RandomBitmap(random, 1 + (round * 7) % 71, 11, sourceFormat);
                for (Canvas* canvas : {&dest.GetCanvas(), &source.GetCanvas()}) {
                    canvas->SetBackgroundColour(kColours[pick(random)]);
                    canvas->SetTextColour(kColours[pick(random)]);
                }
                test::Transfer t{};
                t.x = position(random);
                t.y = position(random) / 4;
                t.w = extent(random);
                t.h = extent(random) / 4;
                t.rop = kAllRops[pickRop(random)];
                t.sx = position(random);
                t.sy = position(random) / 4;
                t.sw = scaled ? extent(random) : t.w;
                t.sh = scaled ? extent(random) / 4 : t.h;
                ASSERT_EQ(test::DifferenceFromReference(dest, sameBitmap ? nullptr : &source, t),
                          "")
                    << (scaled ? "scaled" : "unscaled") << (sameBitmap ? ", one bitmap" : "")
                    << ", round " << round << ": " << t.x << "," << t.y << " " << t.w << "x" << t.h
                    << " from " << t.sx << "," << t.sy << " " << t.sw << "x" << t.sh << " rop "
                    << uint32_t(t.rop);
            }
        }
    }
}

}  // namespace
}  // namespace gfx
