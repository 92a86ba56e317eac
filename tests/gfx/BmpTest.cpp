// BMP files and the bitmap stream payload: every depth, row order and header kind read, the
// stored forms written back byte for byte, and each malformed file rejected naming its fault.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

Bitmap ReadSample(const std::string& name) {
    return ReadBmp(test::ReadFile(test::DataPath("bmp/" + name)));
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

// Each sample gives its picture (mono rows as "0"/"1" digits), its depth and its colour table:
// direct colour in every header kind and row order, paletted pictures of every depth, a one-bit
// picture of other colours than black and white (read as colour), and black-and-white tables
// read as monochrome through the table (both files store indices 1 0 1 / 0 0 1).
TEST(BmpRead, EverySampleGivesItsPictureDepthAndColourTable) {
    const std::vector<std::string> rgb = {"ff0000 00ff00 0000ff", "0a141e ffffff 000000"};
    const std::vector<std::string> warm = {"ff0000 008000 0000ff ffff00",
                                           "ffff00 0000ff 008000 ff0000"};
    const struct {
        std::vector<const char*> files;
        std::vector<std::string> rows;
        int depth;
        size_t tableSize;
    } samples[] = {
        {{"rgb24_3x2.bmp", "rgb24_v5_3x2.bmp", "rgb24_v4_3x2_topdown.bmp"}, rgb, 24, 0},
        {{"rgb32_3x2.bmp", "rgb32_bitfields_3x2.bmp"}, rgb, 32, 0},
        {{"eight_bit_4x2.bmp", "eight_bit_4x2_topdown.bmp"}, warm, 8, 4},
        {{"core_eight_bit_4x2.bmp"}, warm, 8, 256},
        {{"four_bit_5x3.bmp"},  // both nibbles of each byte; kept as 8 bits with its 16 colours
         {"000000 111111 222222 333333 ffffff", "444444 555555 666666 777777 888888",
          "999999 aaaaaa bbbbbb cccccc dddddd"},
         8,
         16},
        {{"one_bit_colour_2x2.bmp"}, {"ff0000 0000ff", "0000ff 0000ff"}, 1, 2},
        {{"mono_bw_3x2.bmp"}, {"101", "001"}, 1, 2},
        {{"mono_wb_3x2.bmp"}, {"010", "110"}, 1, 2},
    };
    for (const auto& sample : samples) {
        const bool mono = sample.rows[0].find_first_not_of("01") == std::string::npos;
        const Bitmap expected =
            mono ? test::MonoFromRows(sample.rows) : test::ColourFromRows(sample.rows);
        for (const char* file : sample.files) {
            SCOPED_TRACE(file);
            const Bitmap bitmap = ReadSample(file);
            EXPECT_EQ(test::Difference(expected, bitmap), "");
            EXPECT_EQ(bitmap.StoredDepth(), sample.depth);
            ASSERT_EQ(bitmap.ColourTable().size(), sample.tableSize);
            if (sample.rows == warm) {
                EXPECT_EQ(bitmap.ColourTable()[3], 0xFFFF00u);
            }
        }
    }
    EXPECT_EQ(ReadSample("mono_wb_3x2.bmp").ColourTable(), (std::vector<Pixel>{kWhite, kBlack}));
}

// Written back, a white-first table keeps its order and white is stored as index 0.
TEST(BmpWrite, AWhiteFirstTableIsWrittenBackInItsOrder) {
    const std::vector<uint8_t> file = WriteBmp(ReadSample("mono_wb_3x2.bmp"));
    EXPECT_EQ(U32At(file, 54), 0x00FFFFFFu);
    EXPECT_EQ(U32At(file, 58), 0x00000000u);
    EXPECT_EQ(file[U32At(file, 10) + 4], 0xA0);  // the top row (indices 1 0 1), stored last
    EXPECT_EQ(file[U32At(file, 10)], 0x20);      // the bottom row (0 0 1) first
}

TEST(BmpWrite, ReadWriteReadWriteGivesTheSameBytesAtOneFourAndEightBits) {
    for (const char* name : {"mono_bw_3x2.bmp", "mono_wb_3x2.bmp", "one_bit_colour_2x2.bmp",
                             "eight_bit_4x2.bmp", "core_eight_bit_4x2.bmp", "four_bit_5x3.bmp"}) {
        const Bitmap first = ReadSample(name);
        const std::vector<uint8_t> written = WriteBmp(first);
        const Bitmap second = ReadBmp(written);
        EXPECT_EQ(test::Difference(first, second), "") << name;
        EXPECT_EQ(second.ColourTable(), first.ColourTable()) << name;
        EXPECT_EQ(WriteBmp(second), written) << name;
    }
    EXPECT_THROW(WriteBmp(Bitmap()), base::EInvalidGraphic);
    EXPECT_THROW(WriteBmp(Bitmap(2, 2), 4), base::EInvalidGraphic);
}

TEST(BmpWrite, DirectDepthsKeepEveryColourAndEightBitsUseThePicturesColoursOrTheNearest) {
    std::mt19937 random(7);
    Bitmap bitmap = test::RandomBitmap(random, 13, 5, PixelFormat::Colour);
    bitmap.SetPixel(0, 0, 0x123457);
    for (int depth : {24, 32}) {
        EXPECT_EQ(test::Difference(bitmap, ReadBmp(WriteBmp(bitmap, depth))), "") << depth;
    }

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

TEST(BmpRead, EachDamagedFileIsRejectedNamingItsFault) {
    const std::pair<const char*, const char*> damaged[] = {
        // the file, a part of the message
        {"bad_too_short.bmp", "too short for the headers"},
        {"bad_magic.bmp", "bad magic"},
        {"bad_size_field.bmp", "size field 79 does not equal the file length 78"},
        {"bad_header_size.bmp", "unknown info header size 64"},
        {"bad_planes.bmp", "planes is 2"},
        {"bad_depth.bmp", "depth of 16 bits a pixel is not supported"},
        {"bad_compression.bmp", "compression 1 is not supported"},
        {"bad_bitfields_masks.bmp", "masks are not the standard"},
        {"bad_width_zero.bmp", "width 0 out of range"},
        {"bad_width_large.bmp", "width 32768 out of range"},
        {"bad_height_zero.bmp", "height 0 out of range"},
        {"bad_height_large.bmp", "height -32768 out of range"},
        {"bad_height_min.bmp", "height -2147483648 out of range"},
        {"bad_colour_count.bmp", "colour count 257 above 256"},
        {"bad_offset_inside.bmp", "pixel offset 60 inside the headers"},
        {"bad_offset_past_end.bmp", "pixel offset 78 past the end"},
        {"bad_pixels_past_end.bmp", "runs past the end of the file"},
        {"bad_huge_pixels.bmp", "pixels exceed the limit"},
        {"bad_palette_index.bmp",
         "palette index 9 beyond the colour table (4 entries) at pixel (3, 0)"},
        {"bad_palette_index_1bit.bmp", "palette index 1 beyond the colour table (1 entries)"},
    };
    for (const auto& [file, fault] : damaged) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes =
            test::ReadFile(test::DataPath("bmp/" + std::string(file)));
        ASSERT_FALSE(bytes.empty());
        EXPECT_THAT([&] { ReadBmp(bytes); },
                    ThrowsMessage<base::EInvalidGraphic>(HasSubstr(fault)));
    }
}

// Every prefix of a good file (with the size field fixed to the prefix) is rejected, and none
// is read beyond its end.
TEST(BmpRead, EveryTruncatedFileIsRejected) {
    const std::vector<uint8_t> good = test::ReadFile(test::DataPath("bmp/rgb24_3x2.bmp"));
    ASSERT_FALSE(good.empty());
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<uint8_t> prefix(good.begin(),
                                    good.begin() + static_cast<std::ptrdiff_t>(length));
        if (length >= 6) {
            prefix[2] = static_cast<uint8_t>(length);
            prefix[3] = prefix[4] = prefix[5] = 0;
        }
        EXPECT_THROW(ReadBmp(prefix), base::EInvalidGraphic) << "length " << length;
    }
}

// The payload is a byte count, then a BMP file; 0 stands for an empty bitmap.
TEST(BitmapPayload, RoundTripsLeaveThePositionAfterThePayload) {
    Bitmap picture(5, 3);
    picture.Fill(0x336699);
    picture.SetPixel(4, 2, 0x010203);
    base::MemoryStream stream;
    WriteBitmapPayload(stream, picture);
    stream.WriteU8(0xAB);
    ASSERT_EQ(stream.Size(), 4 + WriteBmp(picture).size() + 1);
    stream.Seek(0);
    Bitmap read(1, 1);
    ReadBitmapPayload(stream, read);
    EXPECT_EQ(test::Difference(picture, read), "");
    EXPECT_EQ(stream.ReadU8(), 0xAB);

    base::MemoryStream empty;
    WriteBitmapPayload(empty, Bitmap());
    EXPECT_EQ(empty.Bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
    empty.Seek(0);
    ReadBitmapPayload(empty, read);
    EXPECT_TRUE(read.Empty());
    EXPECT_EQ(empty.Position(), 4u);
}

TEST(BitmapPayload, ACountBeyondTheStreamOrShorterThanTheFileFails) {
    base::MemoryStream beyond;
    beyond.WriteU32(0x7FFFFFF0);
    beyond.WriteBytes(std::vector<uint8_t>(10, 0));
    beyond.Seek(0);
    Bitmap kept(2, 2);
    kept.Fill(0x445566);
    EXPECT_THROW(ReadBitmapPayload(beyond, kept), base::EReadError);
    EXPECT_EQ(kept.Width(), 2) << "the bitmap is kept";
    EXPECT_EQ(kept.GetPixel(1, 1), 0x445566u);

    const std::vector<uint8_t> file = WriteBmp(Bitmap(2, 2));
    base::MemoryStream shorter;
    shorter.WriteU32(static_cast<uint32_t>(file.size() - 1));
    shorter.WriteBytes(file);
    shorter.Seek(0);
    EXPECT_THROW(ReadBitmapPayload(shorter, kept), base::EInvalidGraphic);
}

}  // namespace
}  // namespace gfx
