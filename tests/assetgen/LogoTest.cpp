#include <gtest/gtest.h>

#include "AssetPaint.h"
#include "Palette.h"
#include "gfx/Bmp.h"

namespace assetpaint {
namespace {

const StripBitmap& Logos() {
    static const StripBitmap strip = PaintLogoStrip();
    return strip;
}

size_t CountIn(const gfx::Bitmap& bitmap, const FrameEntry& frame, gfx::Pixel colour) {
    size_t count = 0;
    for (int32_t y = frame.y; y < frame.y + frame.height; ++y) {
        for (int32_t x = frame.x; x < frame.x + frame.width; ++x) {
            count += bitmap.GetPixel(x, y) == colour ? 1U : 0U;
        }
    }
    return count;
}

TEST(LogoStripTest, HasTheStoredSizeTableAndBytes) {
    const gfx::Bitmap& strip = Logos().bitmap;
    EXPECT_EQ(strip.Width(), 1122);
    EXPECT_EQ(strip.Height(), 350);
    EXPECT_EQ(strip.StoredDepth(), 8);
    ASSERT_EQ(strip.ColourTable().size(), 256U);
    EXPECT_EQ(strip.ColourTable()[218], gfx::MakePixel(0, 127, 0));
    EXPECT_EQ(gfx::WriteBmp(strip).size(), 394478U);
    ASSERT_EQ(Logos().frames.size(), 3U);
    EXPECT_EQ(Logos().frames[0].name, "ster");
    EXPECT_EQ(Logos().frames[1].name, "etiket");
}

TEST(LogoStripTest, BlackPixelsAreExactlyTheTransparentOnes) {
    const auto& f = Logos().frames;
    EXPECT_EQ(CountIn(Logos().bitmap, f[0], gfx::kBlack), 0U);
    EXPECT_EQ(CountIn(Logos().bitmap, f[1], gfx::kBlack), 14678U);
    EXPECT_EQ(CountIn(Logos().bitmap, f[2], gfx::kBlack), 35242U);
}

TEST(LogoStripTest, FramesSitOnTheTileGreenAndTheRestIsWhite) {
    for (const FrameEntry& frame : Logos().frames) {
        const int32_t right = frame.x + frame.width - 1;
        const int32_t bottom = frame.height - 1;
        for (const auto& [x, y] :
             {std::pair{frame.x, 0}, {right, 0}, {frame.x, bottom}, {right, bottom}}) {
            EXPECT_EQ(Logos().bitmap.GetPixel(x, y), kTileGreen) << frame.name;
        }
        // The logo itself is there too: plenty of pixels that are not green.
        EXPECT_LT(CountIn(Logos().bitmap, frame, kTileGreen),
                  static_cast<size_t>(frame.width * frame.height) * 3 / 4);
    }
    const FrameEntry below{"", 357, 335, 1122 - 357, 15};
    EXPECT_EQ(CountIn(Logos().bitmap, below, gfx::kWhite), static_cast<size_t>(765 * 15));
    const FrameEntry belowBar{"", 626, 186, 496, 350 - 186};
    EXPECT_EQ(CountIn(Logos().bitmap, belowBar, gfx::kWhite), static_cast<size_t>(496 * 164));
}

TEST(TileTest, IsGreenWithFiveFlecks) {
    const gfx::Bitmap tile = PaintTile();
    ASSERT_EQ(tile.Width(), 100);
    ASSERT_EQ(tile.Height(), 100);
    const FrameEntry all{"", 0, 0, 100, 100};
    EXPECT_EQ(CountIn(tile, all, gfx::MakePixel(0, 127, 0)), 9995U);
    EXPECT_EQ(CountIn(tile, all, gfx::MakePixel(128, 128, 128)), 3U);
    EXPECT_EQ(CountIn(tile, all, gfx::MakePixel(85, 95, 85)), 2U);
    const std::vector<uint8_t> file = gfx::WriteBmp(tile);
    EXPECT_EQ(file.size(), 11078U);
    EXPECT_EQ(file[28], 8);                  // bits a pixel
    EXPECT_EQ(file[54 + 218 * 4 + 1], 127);  // table entry 218: blue 0, green 127, red 0
    EXPECT_EQ(gfx::WriteBmp(gfx::ReadBmp(file)), file);
}

}  // namespace
}  // namespace assetpaint
