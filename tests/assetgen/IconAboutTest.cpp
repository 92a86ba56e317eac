#include <gtest/gtest.h>

#include "AssetPaint.h"
#include "Palette.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace assetpaint {
namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void ExpectIconForm(const IconImage& icon, int bits) {
    EXPECT_EQ(icon.bitsPerPixel, bits);
    EXPECT_EQ(icon.colours.size(), size_t{1} << bits);
    ASSERT_EQ(icon.pixels.Width(), 32);
    ASSERT_EQ(icon.mask.Height(), 32);
    size_t opaque = 0;
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            if (icon.mask.At(x, y) == 1) {
                EXPECT_EQ(icon.pixels.At(x, y), kBlackIndex);  // the XOR image is black there
            } else {
                ++opaque;
            }
        }
    }
    EXPECT_GT(opaque, 150U);
    EXPECT_LT(opaque, 1000U);
    EXPECT_EQ(icon.mask.At(0, 31) + icon.mask.At(31, 0), 2);  // corners are see-through
}

TEST(IconTest, FiveLeafIconsAndTheMainIconInBothForms) {
    std::vector<IconPicture> icons = PaintLeafIcons();
    ASSERT_EQ(icons.size(), 5U);
    icons.push_back(PaintMainIcon());
    for (const IconPicture& icon : icons) {
        ExpectIconForm(icon.colours16, 4);
        ExpectIconForm(icon.colours256, 8);
        EXPECT_EQ(icon.colours16.mask.Pixels(), icon.colours256.mask.Pixels());
    }
    EXPECT_NE(icons[0].colours256.pixels.Pixels(), icons[4].colours256.pixels.Pixels());
}

TEST(IconTest, IcoFileHasBothImagesWithMasks) {
    const IconPicture icon = PaintLeafIcons()[2];
    const std::vector<uint8_t> file = EncodeIco(icon);
    ASSERT_EQ(file.size(), 6U + 2 * 16 + 744 + 2216);
    EXPECT_EQ(file[2], 1);  // an icon
    EXPECT_EQ(file[4], 2);  // two images
    EXPECT_EQ(file[6], 32);
    EXPECT_EQ(file[8], 16);  // 16 colours
    EXPECT_EQ(file[12], 4);  // 4 bits
    EXPECT_EQ(file[6 + 16 + 6], 8);
    EXPECT_EQ(Read32(file, 14), 744U);
    EXPECT_EQ(Read32(file, 18), 38U);
    EXPECT_EQ(Read32(file, 16 + 18), 38U + 744);
    EXPECT_EQ(Read32(file, 38 + 8), 64U);  // colour and mask rows together
    // The first row stored is the icon's bottom row; its mask bits follow the colour bits.
    const size_t mask16 = 38 + 40 + 64 + 16 * 32;
    EXPECT_EQ(file[mask16] >> 7, icon.colours16.mask.At(0, 31));
}

TEST(IconTest, BadIconFails) {
    IconPicture icon = PaintMainIcon();
    icon.colours16.colours.pop_back();
    EXPECT_THROW(EncodeIco(icon), base::EInvalidGraphic);
    icon = PaintMainIcon();
    icon.colours256.pixels = IndexedImage(16, 16);
    EXPECT_THROW(EncodeIco(icon), base::EInvalidGraphic);
    icon = PaintMainIcon();
    icon.colours16.pixels.Set(3, 3, 16);
    EXPECT_THROW(EncodeIco(icon), base::EInvalidGraphic);
}

TEST(AboutTest, PictureCarriesTheTitleOverLeaves) {
    const gfx::Bitmap about = PaintAboutPicture();
    ASSERT_EQ(about.Width(), 224);
    ASSERT_EQ(about.Height(), 242);
    EXPECT_EQ(about.StoredDepth(), 8);
    size_t title = 0;
    size_t autumn = 0;
    for (int32_t y = 0; y < 242; ++y) {
        for (int32_t x = 0; x < 224; ++x) {
            const gfx::Pixel p = about.GetPixel(x, y);
            const bool cream = gfx::RedOf(p) > 235 && gfx::GreenOf(p) > 200 && gfx::BlueOf(p) > 110;
            title += (cream && y < 100) ? 1U : 0U;
            autumn += (gfx::RedOf(p) > gfx::GreenOf(p) + 60) ? 1U : 0U;
        }
    }
    EXPECT_GT(title, 300U);    // the bright face of the title letters
    EXPECT_GT(autumn, 3000U);  // red and orange leaves
}

TEST(ConvertTest, IndicesBeyondTheTableFail) {
    IndexedImage picture(2, 2, 20);
    EXPECT_THROW(ToBitmap(picture, Vga16Palette()), base::EInvalidGraphic);
    const gfx::Bitmap mask = ToMaskBitmap(IndexedImage(3, 1, 1));
    EXPECT_EQ(mask.GetPixel(2, 0), gfx::kBlack);
}

}  // namespace
}  // namespace assetpaint
