// The planned, row-wise transfer against the per-pixel reference, on random transfers of
// every kind: odd widths, tails, edges, mirrors, stretches, copies inside one bitmap.

#include <gtest/gtest.h>

#include <random>

#include "TestBitmaps.h"
#include "gfx/Raster.h"
#include "gfx/RasterReference.h"

namespace gfx {
namespace {

const Rop kRops[] = {Rop::SrcCopy, Rop::SrcAnd, Rop::SrcPaint, Rop::DstInvert, Rop::Blackness};

struct Transfer {
    int32_t x, y, w, h, sx, sy, sw, sh;
    Rop rop;
};

Transfer RandomTransfer(std::mt19937& random, bool scaled) {
    std::uniform_int_distribution<int32_t> position(-12, 70);
    std::uniform_int_distribution<int32_t> extent(-67, 67);
    Transfer t{position(random),
               position(random) / 4,
               extent(random),
               extent(random) / 4,
               0,
               0,
               0,
               0,
               kRops[std::uniform_int_distribution<size_t>(0, 4)(random)]};
    t.sx = position(random);
    t.sy = position(random) / 4;
    t.sw = scaled ? extent(random) : t.w;
    t.sh = scaled ? extent(random) / 4 : t.h;
    return t;
}

void Configure(Canvas& canvas, std::mt19937& random) {
    static const Pixel kColours[] = {kBlack, kWhite, 0x0000FF, 0x123456};
    std::uniform_int_distribution<size_t> pick(0, 3);
    canvas.SetBackgroundColour(kColours[pick(random)]);
    canvas.SetTextColour(kColours[pick(random)]);
}

void CompareOnRandomTransfers(bool scaled, bool sameBitmap, uint32_t seed) {
    std::mt19937 random(seed);
    const PixelFormat formats[] = {PixelFormat::Colour, PixelFormat::Mono};
    for (int round = 0; round < 400; ++round) {
        const PixelFormat destFormat = formats[round % 2];
        const PixelFormat sourceFormat = sameBitmap ? destFormat : formats[(round / 2) % 2];
        const int32_t width = 1 + round % 67;
        Bitmap dest = test::RandomBitmap(random, width, 9, destFormat);
        Bitmap source = test::RandomBitmap(random, 1 + (round * 7) % 71, 11, sourceFormat);
        Configure(dest.GetCanvas(), random);
        Configure(source.GetCanvas(), random);
        const Transfer t = RandomTransfer(random, scaled);
        Bitmap expected(dest);
        expected.GetCanvas().SetBackgroundColour(dest.GetCanvas().BackgroundColour());
        expected.GetCanvas().SetTextColour(dest.GetCanvas().TextColour());
        const Canvas* from = sameBitmap ? &dest.GetCanvas() : &source.GetCanvas();
        const Canvas* expectedFrom = sameBitmap ? &expected.GetCanvas() : &source.GetCanvas();
        StretchBltReference(expected.GetCanvas(), t.x, t.y, t.w, t.h, expectedFrom, t.sx, t.sy,
                            t.sw, t.sh, t.rop);
        StretchBlt(dest.GetCanvas(), t.x, t.y, t.w, t.h, from, t.sx, t.sy, t.sw, t.sh, t.rop);
        ASSERT_EQ(test::Difference(expected, dest), "")
            << "round " << round << ": " << t.x << "," << t.y << " " << t.w << "x" << t.h
            << " from " << t.sx << "," << t.sy << " " << t.sw << "x" << t.sh << " rop "
            << static_cast<uint32_t>(t.rop);
    }
}

TEST(RasterFastPath, UnscaledTransfersMatchTheReference) {
    CompareOnRandomTransfers(false, false, 11);
}

TEST(RasterFastPath, StretchedAndMirroredTransfersMatchTheReference) {
    CompareOnRandomTransfers(true, false, 12);
}

TEST(RasterFastPath, CopiesInsideOneBitmapMatchTheReference) {
    CompareOnRandomTransfers(false, true, 13);
    CompareOnRandomTransfers(true, true, 14);
}

TEST(RasterFastPath, ForwardRowsOfEveryWidthAndTailMatchTheReference) {
    std::mt19937 random(15);
    for (int32_t width = 1; width <= 70; ++width) {
        for (int32_t offset : {0, 1, 3, 7, 31}) {
            for (Rop rop : kRops) {
                Bitmap source = test::RandomBitmap(random, width + offset, 2, PixelFormat::Colour);
                Bitmap dest = test::RandomBitmap(random, width + 40, 2, PixelFormat::Colour);
                Bitmap expected(dest);
                StretchBltReference(expected.GetCanvas(), offset, 0, width, 2, &source.GetCanvas(),
                                    offset, 0, width, 2, rop);
                BitBlt(dest.GetCanvas(), offset, 0, width, 2, &source.GetCanvas(), offset, 0, rop);
                ASSERT_EQ(test::Difference(expected, dest), "") << width << " " << offset;
            }
        }
    }
}

}  // namespace
}  // namespace gfx
