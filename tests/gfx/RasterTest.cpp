// Block transfers where the replayed GDI cases (GdiReferenceTest) do not reach: a missing
// source or an unknown operation, mirroring by a negative source extent, the clip box,
// extreme coordinates, and stretching.

#include <gtest/gtest.h>

#include <climits>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Raster.h"

namespace gfx {
namespace {

using test::ColourFromRows;
using test::Difference;

TEST(RasterOperations, DestinationOnlyOperationsNeedNoSourceAndOthersDo) {
    Bitmap dest = ColourFromRows({"000000 ffffff"});
    BitBlt(dest.GetCanvas(), 0, 0, 1, 1, nullptr, 0, 0, Rop::DstInvert);
    EXPECT_EQ(dest.GetPixel(0, 0), kWhite);
    EXPECT_THROW(BitBlt(dest.GetCanvas(), 0, 0, 1, 1, nullptr, 0, 0, Rop::SrcCopy),
                 base::EInvalidGraphic);
    EXPECT_THROW(
        BitBlt(dest.GetCanvas(), 0, 0, 1, 1, &dest.GetCanvas(), 0, 0, static_cast<Rop>(0x1234)),
        base::EInvalidGraphic);
}

// Negative destination extents are in the replayed cases; a negative source extent is not.
TEST(RasterMirror, NegativeSourceExtentMirrorsFromItsOriginBackwards) {
    const Bitmap source = ColourFromRows({"000001 000002 000003"});
    Bitmap dest(3, 1);
    StretchBlt(dest.GetCanvas(), 0, 0, 3, 1, &source.GetCanvas(), 2, 0, -3, 1, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000003 000002 000001"}), dest), "");
}

TEST(RasterClip, ClipBoxConfinesTheDestination) {
    Bitmap dest(4, 1);
    dest.GetCanvas().SetClipRect(Rect{1, 0, 3, 1});
    BitBlt(dest.GetCanvas(), 0, 0, 4, 1, nullptr, 0, 0, Rop::Blackness);
    EXPECT_EQ(Difference(ColourFromRows({"ffffff 000000 000000 ffffff"}), dest), "");
}

TEST(RasterClip, ExtremeCoordinatesAndExtentsDoNotOverflow) {
    const Bitmap source = ColourFromRows({"000001 000002"});
    Bitmap dest(2, 1);
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX};
    for (int32_t a : extremes) {
        for (int32_t b : extremes) {
            StretchBlt(dest.GetCanvas(), a, 0, b, 1, &source.GetCanvas(), b, 0, a, 1, Rop::SrcCopy);
            StretchBlt(dest.GetCanvas(), 0, a, 2, b, &source.GetCanvas(), 0, 0, a, b,
                       Rop::SrcPaint);
        }
    }
    // A huge destination extent from 0 shows the first source pixel over the whole bitmap.
    Bitmap wide(2, 1);
    StretchBlt(wide.GetCanvas(), 0, 0, INT32_MAX, 1, &source.GetCanvas(), 0, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000001 000001"}), wide), "");
}

TEST(RasterStretch, NearestPixelGrowsAndShrinks) {
    const Bitmap source = ColourFromRows({"000001 000002"});
    Bitmap grown(4, 1);
    StretchBlt(grown.GetCanvas(), 0, 0, 4, 1, &source.GetCanvas(), 0, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000001 000001 000002 000002"}), grown), "");
    const Bitmap four = ColourFromRows({"000001 000002 000003 000004"});
    Bitmap shrunk(2, 1);
    StretchBlt(shrunk.GetCanvas(), 0, 0, 2, 1, &four.GetCanvas(), 0, 0, 4, 1, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000002 000004"}), shrunk), "");
}

}  // namespace
}  // namespace gfx
