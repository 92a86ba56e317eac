// Canvas state and block transfers where the replayed GDI cases (GdiReferenceTest) do not
// reach: a missing source or an unknown operation, mirroring by a negative source extent, the
// clip box, extreme coordinates, stretching, and the canvas's own copy calls.

#include <gtest/gtest.h>

#include <climits>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Raster.h"

namespace gfx {
namespace {

using test::ColourFromRows;
using test::Difference;

TEST(Canvas, ClipBoxIsTheBitmapOrTheClipInsideItAndConfinesTransfers) {
    Bitmap bitmap(10, 6);
    Canvas& canvas = bitmap.GetCanvas();
    EXPECT_EQ(canvas.SetTextColour(0x123456), kBlack) << "the previous colour";
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 10, 6}));
    canvas.SetClipRect(Rect{-5, 2, 4, 20});
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 2, 4, 6}));
    canvas.SetClipRect(std::nullopt);
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 10, 6}));

    Bitmap dest(4, 1);
    dest.GetCanvas().SetClipRect(Rect{1, 0, 3, 1});
    BitBlt(dest.GetCanvas(), 0, 0, 4, 1, nullptr, 0, 0, Rop::Blackness);
    EXPECT_EQ(Difference(ColourFromRows({"ffffff 000000 000000 ffffff"}), dest), "");
}

TEST(Canvas, CopyRectWithExchangedEdgesMirrorsAndDrawUsesTheCopyMode) {
    const Bitmap source = ColourFromRows({"000001 000002 000003"});
    Bitmap dest(5, 1);
    // Left and right exchanged: origin 4, extent -3, covering columns 2 .. 4.
    dest.GetCanvas().CopyRect(Rect{4, 0, 1, 1}, source.GetCanvas(), Rect{0, 0, 3, 1});
    EXPECT_EQ(Difference(ColourFromRows({"ffffff ffffff 000003 000002 000001"}), dest), "");

    const Bitmap two = ColourFromRows({"00ff00 ff00ff"});
    Bitmap painted = ColourFromRows({"0f0f0f 0f0f0f 0f0f0f"});
    painted.GetCanvas().SetCopyMode(Rop::SrcPaint);
    painted.GetCanvas().Draw(1, 0, two);
    EXPECT_EQ(Difference(ColourFromRows({"0f0f0f 0fff0f ff0fff"}), painted), "");
}

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
TEST(RasterStretch, NearestPixelGrowsShrinksAndMirrorsFromTheSourceOriginBackwards) {
    const struct {
        const char* source;
        int32_t destWidth, sx, sw;
        const char* expected;
    } cases[] = {
        {"000001 000002 000003", 3, 2, -3, "000003 000002 000001"},
        {"000001 000002", 4, 0, 2, "000001 000001 000002 000002"},
        {"000001 000002 000003 000004", 2, 0, 4, "000002 000004"},
    };
    for (const auto& c : cases) {
        const Bitmap source = ColourFromRows({c.source});
        Bitmap dest(c.destWidth, 1);
        StretchBlt(dest.GetCanvas(), 0, 0, c.destWidth, 1, &source.GetCanvas(), c.sx, 0, c.sw, 1,
                   Rop::SrcCopy);
        EXPECT_EQ(Difference(ColourFromRows({c.expected}), dest), "") << c.source;
    }
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

}  // namespace
}  // namespace gfx
