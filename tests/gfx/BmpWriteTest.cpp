// Writing BMP files: headers, stored forms kept, byte-exact round trips.

#include <gtest/gtest.h>

#include <random>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

TEST(BmpWrite, HeadersDescribeTheFile) {
    Bitmap bitmap(100, 100);
    bitmap.SetStoredForm(8, std::vector<Pixel>(256, 0x007F00));
    const std::vector<uint8_t> file = WriteBmp(bitmap);
    // 14 + 40 + 1024 + 100 rows of 100 bytes: the stored background tile's size.
    ASSERT_EQ(file.size(), 11078u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32At(file, 2), 11078u);
    EXPECT_EQ(U32At(file, 10), 14u + 40u + 1024u);
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(file[28], 8);
}

TEST(BmpWrite, ReadWriteReadWriteGivesTheSameBytesAtOneAndEightBits) {
    for (const char* name : {"mono_bw_3x2.bmp", "mono_wb_3x2.bmp", "one_bit_colour_2x2.bmp",
                             "eight_bit_4x2.bmp", "core_eight_bit_4x2.bmp", "four_bit_5x3.bmp"}) {
        SCOPED_TRACE(name);
        const Bitmap first = ReadBmp(test::ReadFile(test::DataPath(std::string("bmp/") + name)));
        const std::vector<uint8_t> written = WriteBmp(first);
        const Bitmap second = ReadBmp(written);
        EXPECT_EQ(test::Difference(first, second), "");
        EXPECT_EQ(second.ColourTable(), first.ColourTable());
        EXPECT_EQ(WriteBmp(second), written);
    }
}

TEST(BmpWrite, WhiteFirstTableKeepsItsOrderAndStoresIndexZeroForWhite) {
    const Bitmap mono = ReadBmp(test::ReadFile(test::DataPath("bmp/mono_wb_3x2.bmp")));
    const std::vector<uint8_t> file = WriteBmp(mono);
    EXPECT_EQ(U32At(file, 54), 0x00FFFFFFu);  // entry 0 white
    EXPECT_EQ(U32At(file, 58), 0x00000000u);  // entry 1 black
    // The top row (black white black) is stored last: indices 1 0 1 -> bits 101.
    ASSERT_EQ(mono.GetPixel(0, 0), kBlack);
    EXPECT_EQ(file[U32At(file, 10) + 4], 0xA0);
    // The bottom row (white white black) first: indices 0 0 1.
    EXPECT_EQ(file[U32At(file, 10)], 0x20);
}

TEST(BmpWrite, DirectDepthsKeepEveryColour) {
    std::mt19937 random(7);
    Bitmap bitmap = test::RandomBitmap(random, 13, 5, PixelFormat::Colour);
    bitmap.SetPixel(0, 0, 0x123457);
    for (int depth : {24, 32}) {
        EXPECT_EQ(test::Difference(bitmap, ReadBmp(WriteBmp(bitmap, depth))), "") << depth;
    }
}

TEST(BmpWrite, EightBitsWithoutATableUseThePicturesColoursOrTheNearest) {
    Bitmap few(3, 1);
    few.SetPixel(0, 0, 0x102030);
    few.SetPixel(1, 0, 0xA0B0C0);
    const Bitmap back = ReadBmp(WriteBmp(few, 8));
    EXPECT_EQ(test::Difference(few, back), "");
    EXPECT_EQ(back.ColourTable().size(), 256u);

    Bitmap many(300, 1);
    for (int32_t x = 0; x < 300; ++x) {
        many.SetPixel(x, 0,
                      MakePixel(static_cast<uint8_t>(x % 256), static_cast<uint8_t>(x / 2), 3));
    }
    const Bitmap reduced = ReadBmp(WriteBmp(many, 8));
    EXPECT_EQ(reduced.GetPixel(0, 0), 0x000000u);  // (0, 0, 3) is nearest to black
    // (250, 125, 3) goes to the uniform table's nearest entry (255, 109, 0).
    EXPECT_EQ(reduced.GetPixel(250, 0), 0xFF6D00u);
}

TEST(BmpWrite, EmptyBitmapAndUnknownDepthFail) {
    EXPECT_THROW(WriteBmp(Bitmap()), base::EInvalidGraphic);
    EXPECT_THROW(WriteBmp(Bitmap(2, 2), 4), base::EInvalidGraphic);
}

}  // namespace
}  // namespace gfx
