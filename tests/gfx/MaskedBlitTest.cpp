// The one-call masked plot against the reference's two transfers (mask AND, then image OR), on
// random placements: clipped, mirrored, stretched, and the cases that must take two passes.

#include <gtest/gtest.h>

#include <random>

#include "TestBitmaps.h"
#include "gfx/Raster.h"
#include "gfx/RasterReference.h"

namespace gfx {
namespace {

struct Placement {
    int32_t x, y, w, h, sx, sy, sw, sh;
};

Placement RandomPlacement(std::mt19937& random) {
    std::uniform_int_distribution<int32_t> position(-10, 60);
    std::uniform_int_distribution<int32_t> extent(-70, 70);
    Placement p{
        position(random), position(random) / 3, extent(random), extent(random) / 3, 0, 0, 0, 0};
    const bool scaled = random() % 2 == 0;
    p.sx = position(random) / 2;
    p.sy = position(random) / 6;
    p.sw = scaled ? extent(random) : p.w;
    p.sh = scaled ? extent(random) / 3 : p.h;
    return p;
}

void ExpectLikeTheTwoReferenceTransfers(Bitmap& dest, const Bitmap& mask, const Bitmap& image,
                                        const Placement& p, const char* what) {
    Bitmap expected(dest);
    expected.GetCanvas().SetBackgroundColour(dest.GetCanvas().BackgroundColour());
    expected.GetCanvas().SetTextColour(dest.GetCanvas().TextColour());
    StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h, &mask.GetCanvas(), p.sx, p.sy,
                        p.sw, p.sh, Rop::SrcAnd);
    StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h, &image.GetCanvas(), p.sx, p.sy,
                        p.sw, p.sh, Rop::SrcPaint);
    MaskedStretchBlt(dest.GetCanvas(), p.x, p.y, p.w, p.h, mask.GetCanvas(), image.GetCanvas(),
                     p.sx, p.sy, p.sw, p.sh);
    ASSERT_EQ(test::Difference(expected, dest), "")
        << what << ": " << p.x << "," << p.y << " " << p.w << "x" << p.h << " from " << p.sx << ","
        << p.sy << " " << p.sw << "x" << p.sh;
}

TEST(MaskedStretchBlt, GivesThePixelsOfMaskAndThenImage) {
    std::mt19937 random(41);
    for (int round = 0; round < 300; ++round) {
        Bitmap dest = test::RandomBitmap(random, 1 + round % 73, 23, PixelFormat::Colour);
        dest.GetCanvas().SetBackgroundColour(round % 3 == 0 ? 0x123456 : kWhite);
        dest.GetCanvas().SetTextColour(round % 5 == 0 ? 0x00FF00 : kBlack);
        const Bitmap mask = test::RandomBitmap(random, 61, 17, PixelFormat::Mono);
        const Bitmap image = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
        ExpectLikeTheTwoReferenceTransfers(dest, mask, image, RandomPlacement(random), "same size");
    }
}

// Sources of different sizes clip differently, and a mono destination has no colour rows:
// these take the two transfers one after the other.
TEST(MaskedStretchBlt, CasesThatCannotShareRowsGiveTheSamePixels) {
    std::mt19937 random(42);
    for (int round = 0; round < 100; ++round) {
        Bitmap dest = test::RandomBitmap(random, 50, 20, PixelFormat::Colour);
        const Bitmap smallMask = test::RandomBitmap(random, 23, 9, PixelFormat::Mono);
        const Bitmap image = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
        ExpectLikeTheTwoReferenceTransfers(dest, smallMask, image, RandomPlacement(random),
                                           "smaller mask");
        Bitmap monoDest = test::RandomBitmap(random, 50, 20, PixelFormat::Mono);
        ExpectLikeTheTwoReferenceTransfers(monoDest, smallMask, image, RandomPlacement(random),
                                           "mono destination");
    }
}

TEST(MaskedStretchBlt, AnImageThatIsTheDestinationIsReadAsItWasBeforeEachStep) {
    std::mt19937 random(43);
    for (int round = 0; round < 100; ++round) {
        Bitmap dest = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
        const Bitmap mask = test::RandomBitmap(random, 61, 17, PixelFormat::Mono);
        Bitmap expected(dest);
        const Placement p = RandomPlacement(random);
        StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h, &mask.GetCanvas(), p.sx, p.sy,
                            p.sw, p.sh, Rop::SrcAnd);
        StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h, &expected.GetCanvas(), p.sx,
                            p.sy, p.sw, p.sh, Rop::SrcPaint);
        MaskedStretchBlt(dest.GetCanvas(), p.x, p.y, p.w, p.h, mask.GetCanvas(), dest.GetCanvas(),
                         p.sx, p.sy, p.sw, p.sh);
        ASSERT_EQ(test::Difference(expected, dest), "") << round;
    }
}

}  // namespace
}  // namespace gfx
