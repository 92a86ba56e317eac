// Reading the BMP forms: depths, row orders, header kinds, black-and-white tables.

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

Bitmap ReadSample(const std::string& name) {
    return ReadBmp(test::ReadFile(test::DataPath("bmp/" + name)));
}

const Pixel kRgbTop[] = {0xFF0000, 0x00FF00, 0x0000FF};
const Pixel kRgbBottom[] = {0x0A141E, 0xFFFFFF, 0x000000};

void ExpectRgbSample(const Bitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_FALSE(bitmap.Monochrome());
    for (int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(bitmap.GetPixel(x, 0), kRgbTop[x]) << x;
        EXPECT_EQ(bitmap.GetPixel(x, 1), kRgbBottom[x]) << x;
    }
}

TEST(BmpRead, DirectColourInEveryHeaderKindAndRowOrder) {
    for (const char* name : {"rgb24_3x2.bmp", "rgb32_3x2.bmp", "rgb32_bitfields_3x2.bmp",
                             "rgb24_v5_3x2.bmp", "rgb24_v4_3x2_topdown.bmp"}) {
        SCOPED_TRACE(name);
        ExpectRgbSample(ReadSample(name));
    }
    EXPECT_EQ(ReadSample("rgb24_3x2.bmp").StoredDepth(), 24);
    EXPECT_EQ(ReadSample("rgb32_3x2.bmp").StoredDepth(), 32);
}

TEST(BmpRead, EightBitBottomUpTopDownAndCoreHeaderGiveTheSamePixels) {
    const Pixel warm[] = {0xFF0000, 0x008000, 0x0000FF, 0xFFFF00};
    for (const char* name :
         {"eight_bit_4x2.bmp", "eight_bit_4x2_topdown.bmp", "core_eight_bit_4x2.bmp"}) {
        SCOPED_TRACE(name);
        const Bitmap bitmap = ReadSample(name);
        ASSERT_EQ(bitmap.Width(), 4);
        ASSERT_EQ(bitmap.Height(), 2);
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(bitmap.GetPixel(x, 0), warm[x]);
            EXPECT_EQ(bitmap.GetPixel(x, 1), warm[3 - x]);
        }
        EXPECT_EQ(bitmap.StoredDepth(), 8);
        EXPECT_EQ(bitmap.ColourTable()[3], 0xFFFF00u);
    }
    EXPECT_EQ(ReadSample("eight_bit_4x2.bmp").ColourTable().size(), 4u);
    EXPECT_EQ(ReadSample("core_eight_bit_4x2.bmp").ColourTable().size(), 256u);
}

TEST(BmpRead, FourBitPixelsUseBothNibbles) {
    const Bitmap bitmap = ReadSample("four_bit_5x3.bmp");
    ASSERT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x000000u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x111111u);
    EXPECT_EQ(bitmap.GetPixel(4, 0), 0xFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(3, 1), 0x777777u);
    EXPECT_EQ(bitmap.GetPixel(4, 2), 0xDDDDDDu);
    EXPECT_EQ(bitmap.ColourTable().size(), 16u);
}

TEST(BmpRead, BlackAndWhiteTablesReadAsMonochromeThroughTheTable) {
    const Bitmap blackFirst = ReadSample("mono_bw_3x2.bmp");
    const Bitmap whiteFirst = ReadSample("mono_wb_3x2.bmp");
    ASSERT_TRUE(blackFirst.Monochrome());
    ASSERT_TRUE(whiteFirst.Monochrome());
    // Both store indices 1 0 1 / 0 0 1; the table decides the colour.
    const Pixel rowsBlackFirst[2][3] = {{kWhite, kBlack, kWhite}, {kBlack, kBlack, kWhite}};
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(blackFirst.GetPixel(x, y), rowsBlackFirst[y][x]);
            EXPECT_EQ(whiteFirst.GetPixel(x, y), rowsBlackFirst[y][x] ^ kColourBits);
        }
    }
    EXPECT_EQ(whiteFirst.ColourTable(), (std::vector<Pixel>{kWhite, kBlack}));
    EXPECT_EQ(whiteFirst.StoredDepth(), 1);
}

TEST(BmpRead, OneBitPictureWithOtherColoursReadsAsColour) {
    const Bitmap bitmap = ReadSample("one_bit_colour_2x2.bmp");
    EXPECT_FALSE(bitmap.Monochrome());
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x0000FFu);
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0x0000FFu);
    EXPECT_EQ(bitmap.StoredDepth(), 1);
}

}  // namespace
}  // namespace gfx
