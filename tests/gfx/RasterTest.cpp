// Block transfers: conversions between kinds, raster operations, mirroring, clipping,
// copies inside one bitmap, stretching.

#include <gtest/gtest.h>

#include <climits>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Raster.h"

namespace gfx {
namespace {

using test::ColourFromRows;
using test::Difference;
using test::MonoFromRows;

void Copy(Bitmap& dest, int32_t x, int32_t y, const Bitmap& source, Rop rop = Rop::SrcCopy) {
    BitBlt(dest.GetCanvas(), x, y, source.Width(), source.Height(), &source.GetCanvas(), 0, 0, rop);
}

TEST(RasterConversion, ColourToMonoMarksTheSourceBackgroundColour) {
    Bitmap source = ColourFromRows({"0000ff 000000 0000ff ffffff"});
    source.GetCanvas().SetBackgroundColour(0x0000FF);
    Bitmap mono(4, 1, PixelFormat::Mono);
    mono.GetCanvas().SetBackgroundColour(0x000000);  // the destination's colour plays no part
    Copy(mono, 0, 0, source);
    EXPECT_EQ(Difference(MonoFromRows({"1010"}), mono), "");
}

TEST(RasterConversion, MonoToColourUsesTheDestinationColours) {
    Bitmap mono = MonoFromRows({"10"});
    mono.GetCanvas().SetBackgroundColour(0x111111);
    mono.GetCanvas().SetTextColour(0x222222);
    Bitmap dest(2, 1);
    dest.GetCanvas().SetBackgroundColour(0x00FF00);
    dest.GetCanvas().SetTextColour(0xFF0000);
    Copy(dest, 0, 0, mono);
    EXPECT_EQ(Difference(ColourFromRows({"00ff00 ff0000"}), dest), "");
}

TEST(RasterConversion, SameKindCopiesAsIs) {
    Bitmap mono = MonoFromRows({"0110"});
    Bitmap monoDest(4, 1, PixelFormat::Mono);
    monoDest.GetCanvas().SetBackgroundColour(kBlack);
    Copy(monoDest, 0, 0, mono);
    EXPECT_EQ(Difference(mono, monoDest), "");
    Bitmap colour = ColourFromRows({"123456 abcdef"});
    Bitmap colourDest(2, 1);
    colour.GetCanvas().SetBackgroundColour(0x123456);
    Copy(colourDest, 0, 0, colour);
    EXPECT_EQ(Difference(colour, colourDest), "");
}

TEST(RasterOperations, EachOperationOnColour) {
    const Bitmap source = ColourFromRows({"f0f0f0 0000ff"});
    struct Expected {
        Rop rop;
        const char* row;
    } expectations[] = {{Rop::SrcCopy, "f0f0f0 0000ff"},
                        {Rop::SrcAnd, "303030 000056"},
                        {Rop::SrcPaint, "f3f3f3 1234ff"},
                        {Rop::DstInvert, "cccccc edcba9"},
                        {Rop::Blackness, "000000 000000"}};
    for (const Expected& e : expectations) {
        Bitmap dest = ColourFromRows({"333333 123456"});
        Copy(dest, 0, 0, source, e.rop);
        EXPECT_EQ(Difference(ColourFromRows({e.row}), dest), "") << static_cast<uint32_t>(e.rop);
    }
}

TEST(RasterOperations, EachOperationOnMono) {
    const Bitmap source = MonoFromRows({"0011"});
    struct Expected {
        Rop rop;
        const char* row;
    } expectations[] = {{Rop::SrcCopy, "0011"},
                        {Rop::SrcAnd, "0001"},
                        {Rop::SrcPaint, "0111"},
                        {Rop::DstInvert, "1010"},
                        {Rop::Blackness, "0000"}};
    for (const Expected& e : expectations) {
        Bitmap dest = MonoFromRows({"0101"});
        Copy(dest, 0, 0, source, e.rop);
        EXPECT_EQ(Difference(MonoFromRows({e.row}), dest), "") << static_cast<uint32_t>(e.rop);
    }
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

TEST(RasterMirror, NegativeExtentCoversTheOriginAndThePixelsBeforeIt) {
    const Bitmap source = ColourFromRows({"000001 000002 000003", "000004 000005 000006"});
    // A plot of width 3 mirrored at X = 1: origin X + 3 = 4, extent -3, columns 2 .. 4.
    Bitmap dest(6, 2);
    StretchBlt(dest.GetCanvas(), 4, 0, -3, 2, &source.GetCanvas(), 0, 0, 3, 2, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"ffffff ffffff 000003 000002 000001 ffffff",
                                         "ffffff ffffff 000006 000005 000004 ffffff"}),
                         dest),
              "");
    // Both axes: half a turn.
    Bitmap turned(3, 2);
    StretchBlt(turned.GetCanvas(), 2, 1, -3, -2, &source.GetCanvas(), 0, 0, 3, 2, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000006 000005 000004", "000003 000002 000001"}), turned),
              "");
    // A negative source extent mirrors as well, from its origin column backwards.
    Bitmap fromSource(3, 1);
    StretchBlt(fromSource.GetCanvas(), 0, 0, 3, 1, &source.GetCanvas(), 2, 0, -3, 1, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000003 000002 000001"}), fromSource), "");
}

TEST(RasterClip, OnlyPixelsInsideBothBitmapsAreTouched) {
    const Bitmap source = ColourFromRows({"000001 000002", "000003 000004"});
    struct Case {
        int32_t x, y, sx, sy;
        const char* rows[2];
    } cases[] = {
        {-1, 0, 0, 0, {"000002 ffffff ffffff", "000004 ffffff ffffff"}},  // destination left edge
        {0, -1, 0, 0, {"000003 000004 ffffff", "ffffff ffffff ffffff"}},  // destination top edge
        {2, 1, 0, 0, {"ffffff ffffff ffffff", "ffffff ffffff 000001"}},   // right and bottom
        {0, 0, -1, 0, {"ffffff 000001 ffffff", "ffffff 000003 ffffff"}},  // source left edge
        {0, 0, 0, 1, {"000003 000004 ffffff", "ffffff ffffff ffffff"}},   // source bottom edge
        {0, 0, 1, -1, {"ffffff ffffff ffffff", "000002 ffffff ffffff"}},  // source top and right
    };
    for (const Case& c : cases) {
        Bitmap dest(3, 2);
        BitBlt(dest.GetCanvas(), c.x, c.y, 2, 2, &source.GetCanvas(), c.sx, c.sy, Rop::SrcCopy);
        EXPECT_EQ(Difference(ColourFromRows({c.rows[0], c.rows[1]}), dest), "")
            << c.x << "," << c.y << " from " << c.sx << "," << c.sy;
    }
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

TEST(RasterOverlap, CopiesInsideOneBitmapReadASnapshot) {
    for (PixelFormat format : {PixelFormat::Colour, PixelFormat::Mono}) {
        Bitmap bitmap = format == PixelFormat::Mono
                            ? MonoFromRows({"10110", "01001"})
                            : ColourFromRows({"000001 000002 000003 000004 000005"});
        const Bitmap before(bitmap);
        const int32_t rows = bitmap.Height();
        // Right by one, then left by one over the whole row.
        BitBlt(bitmap.GetCanvas(), 1, 0, 4, rows, &bitmap.GetCanvas(), 0, 0, Rop::SrcCopy);
        for (int32_t x = 1; x < 5; ++x) {
            EXPECT_EQ(bitmap.GetPixel(x, 0), before.GetPixel(x - 1, 0)) << x;
        }
        Bitmap second(before);
        BitBlt(second.GetCanvas(), 0, 0, 4, rows, &second.GetCanvas(), 1, 0, Rop::SrcCopy);
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(second.GetPixel(x, 0), before.GetPixel(x + 1, 0)) << x;
        }
    }
    Bitmap column = ColourFromRows({"000001", "000002", "000003"});
    BitBlt(column.GetCanvas(), 0, 1, 1, 2, &column.GetCanvas(), 0, 0, Rop::SrcCopy);
    EXPECT_EQ(Difference(ColourFromRows({"000001", "000001", "000002"}), column), "");
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
