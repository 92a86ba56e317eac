// The fast row kernels and the row walks that feed them, held against plain per-pixel loops and
// the reference transfer: every width up to a few vectors (tails), every bit offset of a mask,
// padded mono rows, mirrors, stretches and mono-to-colour expansion with any two colours.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Raster.h"
#include "gfx/RasterPlan.h"
#include "gfx/RasterReference.h"
#include "gfx/RasterRowKernels.h"

namespace gfx {
namespace {

const Rop kSourceRops[] = {Rop::SrcCopy, Rop::SrcAnd, Rop::SrcPaint};
constexpr int32_t kGuard = 5;  // pixels after the row that a kernel must leave alone

Pixel Combine(Rop rop, Pixel d, Pixel s) {
    return rop == Rop::SrcCopy ? s : (rop == Rop::SrcAnd ? d & s : d | s);
}

Pixel RandomColour(std::mt19937& random) {
    return static_cast<Pixel>(random()) & kColourBits;
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

// Every build of the kernels this machine can run: the base one and, where there, AVX2.
std::vector<raster::KernelLevel> AvailableLevels() {
    std::vector<raster::KernelLevel> levels;
    for (raster::KernelLevel level : {raster::KernelLevel::Base, raster::KernelLevel::Avx2}) {
        if (raster::KernelLevelAvailable(level)) {
            levels.push_back(level);
        }
    }
    return levels;
}

bool Bit(const std::vector<uint8_t>& bits, int32_t i) {
    return MonoBitAt(bits.data(), i);
}

TEST(RasterRowKernels, ColourKernelsCombineEveryPixelOfEveryWidthAndNoMore) {
    std::mt19937 random(21);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (Rop rop : kSourceRops) {
            for (int32_t count = 0; count <= 70; ++count) {
                const std::vector<Pixel> source = RandomPixels(random, count);
                std::vector<Pixel> dest = RandomPixels(random, count + kGuard);
                std::vector<Pixel> expected = dest;
                for (int32_t i = 0; i < count; ++i) {
                    expected[size_t(i)] = Combine(rop, dest[size_t(i)], source[size_t(i)]);
                }
                raster::ColourRowKernelFor(rop, level)(dest.data(), source.data(), count);
                ASSERT_EQ(dest, expected) << "rop " << uint32_t(rop) << " count " << count;
            }
        }
    }
}

TEST(RasterRowKernels, ReversedKernelsCombineTheMirroredRow) {
    std::mt19937 random(29);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (Rop rop : kSourceRops) {
            for (int32_t count = 0; count <= 70; ++count) {
                const std::vector<Pixel> source = RandomPixels(random, count);
                std::vector<Pixel> dest = RandomPixels(random, count + kGuard);
                std::vector<Pixel> expected = dest;
                for (int32_t i = 0; i < count; ++i) {
                    expected[size_t(i)] =
                        Combine(rop, dest[size_t(i)], source[size_t(count - 1 - i)]);
                }
                raster::ReversedColourRowKernelFor(rop, level)(dest.data(), source.data(), count);
                ASSERT_EQ(dest, expected) << "rop " << uint32_t(rop) << " count " << count;
            }
        }
    }
}

TEST(RasterRowKernels, GatherKernelsCombineThePickedColumns) {
    std::mt19937 random(30);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (Rop rop : kSourceRops) {
            for (int32_t count = 0; count <= 70; ++count) {
                const std::vector<Pixel> span = RandomPixels(random, 37);
                std::vector<int32_t> places(size_t(count) + 1);
                for (int32_t& place : places) {
                    place = static_cast<int32_t>(random() % 37);
                }
                std::vector<Pixel> dest = RandomPixels(random, count + kGuard);
                std::vector<Pixel> expected = dest;
                for (int32_t i = 0; i < count; ++i) {
                    expected[size_t(i)] =
                        Combine(rop, dest[size_t(i)], span[size_t(places[size_t(i)])]);
                }
                raster::GatherRowKernelFor(rop, level)(dest.data(), span.data(), places.data(),
                                                       count);
                ASSERT_EQ(dest, expected) << "rop " << uint32_t(rop) << " count " << count;
            }
        }
    }
}

TEST(RasterRowKernels, MonoKernelsExpandEachBitToEitherColourAndCombine) {
    std::mt19937 random(22);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (Rop rop : kSourceRops) {
            for (int32_t count = 0; count <= 140 * 8; ++count) {
                // Every first bit; the bits end at the last byte that holds a wanted one, so a
                // read past it shows under the sanitizers.
                const int32_t firstBit = count % 8;
                const int32_t width = count / 8;
                const raster::MonoColours colours{RandomColour(random), RandomColour(random)};
                const std::vector<uint8_t> bits =
                    RandomBytes(random, size_t(firstBit + width + 7) / 8 + (width == 0 ? 1 : 0));
                std::vector<Pixel> dest = RandomPixels(random, width + kGuard);
                std::vector<Pixel> expected = dest;
                for (int32_t i = 0; i < width; ++i) {
                    const Pixel s = Bit(bits, firstBit + i) ? colours.one : colours.zero;
                    expected[size_t(i)] = Combine(rop, dest[size_t(i)], s);
                }
                raster::MonoRowKernelFor(rop, level)(dest.data(), bits.data(), firstBit, width,
                                                     colours);
                ASSERT_EQ(dest, expected)
                    << "rop " << uint32_t(rop) << " width " << width << " first bit " << firstBit;
            }
        }
    }
}

TEST(RasterRowKernels, MaskedKernelsAndWithTheMaskThenOrTheImageInOnePass) {
    std::mt19937 random(23);
    for (raster::KernelLevel level : AvailableLevels()) {
        for (int32_t count = 0; count <= 140 * 8; ++count) {
            const int32_t firstBit = count % 8;
            const int32_t width = count / 8;
            const raster::MonoColours colours{RandomColour(random), RandomColour(random)};
            const std::vector<uint8_t> bits =
                RandomBytes(random, size_t(firstBit + width + 7) / 8 + (width == 0 ? 1 : 0));
            std::vector<Pixel> mask(size_t(width) + 1);
            for (int32_t i = 0; i < width; ++i) {
                mask[size_t(i)] = Bit(bits, firstBit + i) ? colours.one : colours.zero;
            }
            const std::vector<Pixel> image = RandomPixels(random, width);
            const std::vector<Pixel> dest = RandomPixels(random, width + kGuard);
            std::vector<Pixel> expected = dest;
            for (int32_t i = 0; i < width; ++i) {
                expected[size_t(i)] = (dest[size_t(i)] & mask[size_t(i)]) | image[size_t(i)];
            }
            std::vector<Pixel> fromBits = dest;
            raster::MaskedMonoRowKernelFor(level)(fromBits.data(), bits.data(), firstBit,
                                                  image.data(), width, colours);
            ASSERT_EQ(fromBits, expected) << "width " << width << " first bit " << firstBit;
            std::vector<Pixel> fromColours = dest;
            raster::MaskedColourRowKernelFor(level)(fromColours.data(), mask.data(), image.data(),
                                                    width);
            ASSERT_EQ(fromColours, expected) << "width " << width;
            std::vector<Pixel> mirrored = dest;
            std::vector<Pixel> reversedImage(image.rbegin(), image.rend());
            raster::ReversedMaskedMonoRowKernelFor(level)(mirrored.data(), bits.data(), firstBit,
                                                          reversedImage.data(), width, colours);
            for (int32_t i = 0; i < width; ++i) {
                const Pixel m = Bit(bits, firstBit + width - 1 - i) ? colours.one : colours.zero;
                expected[size_t(i)] = (dest[size_t(i)] & m) | image[size_t(i)];
            }
            ASSERT_EQ(mirrored, expected) << "mirrored, width " << width;
        }
    }
}

TEST(RasterRowKernels, InvertAndBlackenTouchOnlyTheirRow) {
    std::mt19937 random(23);
    for (int32_t count = 0; count <= 70; ++count) {
        std::vector<Pixel> inverted = RandomPixels(random, count + kGuard);
        std::vector<Pixel> expected = inverted;
        for (int32_t i = 0; i < count; ++i) {
            expected[size_t(i)] ^= kColourBits;
        }
        raster::NoSourceRowKernelFor(Rop::DstInvert)(inverted.data(), count);
        ASSERT_EQ(inverted, expected) << count;
        std::vector<Pixel> blackened = RandomPixels(random, count + kGuard);
        expected = blackened;
        std::fill_n(expected.begin(), count, kBlack);
        raster::NoSourceRowKernelFor(Rop::Blackness)(blackened.data(), count);
        ASSERT_EQ(blackened, expected) << count;
    }
}

TEST(RasterRowKernels, AKernelForTheWrongKindOfOperationIsRefused) {
    EXPECT_THROW(raster::ColourRowKernelFor(Rop::DstInvert), base::EInvalidGraphic);
    EXPECT_THROW(raster::MonoRowKernelFor(Rop::Blackness), base::EInvalidGraphic);
    EXPECT_THROW(raster::NoSourceRowKernelFor(Rop::SrcPaint), base::EInvalidGraphic);
    EXPECT_THROW(raster::ReversedColourRowKernelFor(Rop::DstInvert), base::EInvalidGraphic);
    EXPECT_THROW(raster::GatherRowKernelFor(Rop::Blackness), base::EInvalidGraphic);
}

TEST(RasterPlan, StretchTablesMatchTheNearestPixelRuleForHugeExtents) {
    const int64_t extents[][2] = {
        {7, 1000000007}, {4096, 2147483647}, {3000, 2999}, {1000, 1}, {333, 65536}};
    for (const auto& [n, m] : extents) {
        for (int64_t direction : {1, -1}) {
            raster::AxisRequest request{
                direction > 0 ? 0 : n - 1, direction * n, 0, m, 0, 1 << 30, 0, INT32_MAX, true};
            const raster::AxisMap map = raster::MapAxis(request);
            ASSERT_EQ(map.count, n);
            for (int32_t i = 0; i < map.count; ++i) {
                const int64_t k = direction > 0 ? i : n - 1 - i;
                ASSERT_EQ(map.SourceAt(i), raster::ScaledOffset(k, n, m)) << n << " " << m;
            }
        }
    }
}

// Mono to colour: bit 1 gives the destination's background colour, bit 0 its text colour.
struct MonoCase {
    int32_t sourceX, width, destWidth, destHeight;
    bool mirrorX, mirrorY;
};

void ExpectMonoTransferLikeTheReference(std::mt19937& random, const MonoCase& c, Rop rop) {
    // 168 pixels wide: rows padded from 21 to 24 bytes, so padding bits sit after every row.
    Bitmap mask = test::RandomBitmap(random, 168, 6, PixelFormat::Mono);
    Bitmap dest = test::RandomBitmap(random, 180, 9, PixelFormat::Colour);
    dest.GetCanvas().SetBackgroundColour(RandomColour(random));
    dest.GetCanvas().SetTextColour(RandomColour(random));
    Bitmap expected(dest);
    expected.GetCanvas().SetBackgroundColour(dest.GetCanvas().BackgroundColour());
    expected.GetCanvas().SetTextColour(dest.GetCanvas().TextColour());
    const int32_t x = c.mirrorX ? 3 + c.destWidth : 3;
    const int32_t w = c.mirrorX ? -c.destWidth : c.destWidth;
    const int32_t y = c.mirrorY ? 1 + c.destHeight : 1;
    const int32_t h = c.mirrorY ? -c.destHeight : c.destHeight;
    StretchBltReference(expected.GetCanvas(), x, y, w, h, &mask.GetCanvas(), c.sourceX, 0, c.width,
                        6, rop);
    StretchBlt(dest.GetCanvas(), x, y, w, h, &mask.GetCanvas(), c.sourceX, 0, c.width, 6, rop);
    ASSERT_EQ(test::Difference(expected, dest), "")
        << "rop " << uint32_t(rop) << " from " << c.sourceX << " width " << c.width << " to "
        << c.destWidth << "x" << c.destHeight << (c.mirrorX ? " mirror x" : "")
        << (c.mirrorY ? " mirror y" : "");
}

TEST(RasterColourWalk, MasksFromEveryBitOffsetAndWidthMatchTheReference) {
    std::mt19937 random(25);
    for (Rop rop : kSourceRops) {
        for (int32_t sourceX = 0; sourceX < 10; ++sourceX) {
            for (int32_t width = 1; width + sourceX <= 168; width += 3) {
                ExpectMonoTransferLikeTheReference(random, {sourceX, width, width, 6, false, false},
                                                   rop);
            }
        }
    }
}

TEST(RasterColourWalk, MirroredMasksMatchTheReference) {
    std::mt19937 random(26);
    for (Rop rop : kSourceRops) {
        for (int32_t sourceX : {0, 3, 8, 13}) {
            for (int32_t width : {1, 4, 7, 9, 16, 17, 27, 63, 64, 65, 127, 128, 129, 150}) {
                for (bool mirrorY : {false, true}) {
                    ExpectMonoTransferLikeTheReference(
                        random, {sourceX, width, width, 6, true, mirrorY}, rop);
                    ExpectMonoTransferLikeTheReference(
                        random, {sourceX, width, width, 6, false, true}, rop);
                }
            }
        }
    }
}

TEST(RasterColourWalk, StretchedMasksMatchTheReference) {
    std::mt19937 random(27);
    for (Rop rop : kSourceRops) {
        for (int32_t sourceX : {0, 5, 11}) {
            for (int32_t destWidth : {1, 3, 10, 23, 37, 61}) {
                for (int32_t destHeight : {1, 4, 9}) {
                    ExpectMonoTransferLikeTheReference(
                        random, {sourceX, 21, destWidth, destHeight, destWidth % 2 == 1, false},
                        rop);
                }
            }
        }
    }
}

// Colour sources through the mirrored and stretched walk, the destination partly clipped.
TEST(RasterColourWalk, MirroredAndStretchedColourRowsMatchTheReference) {
    std::mt19937 random(28);
    for (Rop rop : kSourceRops) {
        for (int32_t destWidth : {-70, -33, -8, -5, 5, 9, 31, 70}) {
            for (int32_t sourceWidth : {-41, -33, -17, 5, 17, 33, 41}) {
                Bitmap source = test::RandomBitmap(random, 45, 7, PixelFormat::Colour);
                Bitmap dest = test::RandomBitmap(random, 64, 12, PixelFormat::Colour);
                Bitmap expected(dest);
                const int32_t sourceX = sourceWidth < 0 ? 43 : 2;
                StretchBltReference(expected.GetCanvas(), 30, 11, destWidth, -11,
                                    &source.GetCanvas(), sourceX, 0, sourceWidth, 7, rop);
                StretchBlt(dest.GetCanvas(), 30, 11, destWidth, -11, &source.GetCanvas(), sourceX,
                           0, sourceWidth, 7, rop);
                ASSERT_EQ(test::Difference(expected, dest), "")
                    << uint32_t(rop) << " " << destWidth << " " << sourceWidth;
            }
        }
    }
}

}  // namespace
}  // namespace gfx
