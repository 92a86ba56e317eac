// BMP files and the bitmap stream payload: every depth, row order and header kind read, the
// stored forms written back byte for byte, and each malformed file rejected naming its fault.

#include <gtest/gtest.h>

#include <random>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

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

TEST(BmpRead, DirectColourInEveryHeaderKindAndRowOrder) {
    const Bitmap expected = test::ColourFromRows({"ff0000 00ff00 0000ff", "0a141e ffffff 000000"});
    for (const char* name : {"rgb24_3x2.bmp", "rgb32_3x2.bmp", "rgb32_bitfields_3x2.bmp",
                             "rgb24_v5_3x2.bmp", "rgb24_v4_3x2_topdown.bmp"}) {
        EXPECT_EQ(test::Difference(expected, ReadSample(name)), "") << name;
    }
    EXPECT_EQ(ReadSample("rgb24_3x2.bmp").StoredDepth(), 24);
    EXPECT_EQ(ReadSample("rgb32_3x2.bmp").StoredDepth(), 32);
}

TEST(BmpRead, PalettedPicturesInEveryDepthRowOrderAndHeaderKind) {
    const Bitmap warm =
        test::ColourFromRows({"ff0000 008000 0000ff ffff00", "ffff00 0000ff 008000 ff0000"});
    for (const char* name :
         {"eight_bit_4x2.bmp", "eight_bit_4x2_topdown.bmp", "core_eight_bit_4x2.bmp"}) {
        const Bitmap bitmap = ReadSample(name);
        EXPECT_EQ(test::Difference(warm, bitmap), "") << name;
        EXPECT_EQ(bitmap.StoredDepth(), 8) << name;
        EXPECT_EQ(bitmap.ColourTable()[3], 0xFFFF00u) << name;
    }
    EXPECT_EQ(ReadSample("eight_bit_4x2.bmp").ColourTable().size(), 4u);
    EXPECT_EQ(ReadSample("core_eight_bit_4x2.bmp").ColourTable().size(), 256u);

    const Bitmap four = ReadSample("four_bit_5x3.bmp");  // both nibbles of each byte
    ASSERT_EQ(four.Width(), 5);
    EXPECT_EQ(four.GetPixel(0, 0), 0x000000u);
    EXPECT_EQ(four.GetPixel(1, 0), 0x111111u);
    EXPECT_EQ(four.GetPixel(4, 0), 0xFFFFFFu);
    EXPECT_EQ(four.GetPixel(3, 1), 0x777777u);
    EXPECT_EQ(four.GetPixel(4, 2), 0xDDDDDDu);
    EXPECT_EQ(four.ColourTable().size(), 16u);

    // A one-bit picture with other colours than black and white reads as colour.
    const Bitmap oneBit = ReadSample("one_bit_colour_2x2.bmp");
    EXPECT_EQ(test::Difference(test::ColourFromRows({"ff0000 0000ff", "0000ff 0000ff"}), oneBit),
              "");
    EXPECT_EQ(oneBit.StoredDepth(), 1);
}

TEST(BmpRead, BlackAndWhiteTablesReadAsMonochromeThroughTheTable) {
    // Both store indices 1 0 1 / 0 0 1; the table decides the colour.
    EXPECT_EQ(test::Difference(test::MonoFromRows({"101", "001"}), ReadSample("mono_bw_3x2.bmp")),
              "");
    const Bitmap whiteFirst = ReadSample("mono_wb_3x2.bmp");
    EXPECT_EQ(test::Difference(test::MonoFromRows({"010", "110"}), whiteFirst), "");
    EXPECT_EQ(whiteFirst.ColourTable(), (std::vector<Pixel>{kWhite, kBlack}));
    EXPECT_EQ(whiteFirst.StoredDepth(), 1);

    // Written back, the table keeps its order and white is stored as index 0.
    const std::vector<uint8_t> file = WriteBmp(whiteFirst);
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

struct Rejection {
    const char* file;
    const char* fault;  // a part of the expected message
};

class BmpReject : public ::testing::TestWithParam<Rejection> {};

TEST_P(BmpReject, NamesTheFault) {
    const std::vector<uint8_t> bytes =
        test::ReadFile(test::DataPath(std::string("bmp/") + GetParam().file));
    ASSERT_FALSE(bytes.empty()) << GetParam().file;
    try {
        ReadBmp(bytes);
        FAIL() << GetParam().file << " was accepted";
    } catch (const base::EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(GetParam().fault), std::string::npos)
            << GetParam().file << ": " << e.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, BmpReject,
    ::testing::Values(
        Rejection{"bad_too_short.bmp", "too short for the headers"},
        Rejection{"bad_magic.bmp", "bad magic"},
        Rejection{"bad_size_field.bmp", "size field 79 does not equal the file length 78"},
        Rejection{"bad_header_size.bmp", "unknown info header size 64"},
        Rejection{"bad_planes.bmp", "planes is 2"},
        Rejection{"bad_depth.bmp", "depth of 16 bits a pixel is not supported"},
        Rejection{"bad_compression.bmp", "compression 1 is not supported"},
        Rejection{"bad_bitfields_masks.bmp", "masks are not the standard"},
        Rejection{"bad_width_zero.bmp", "width 0 out of range"},
        Rejection{"bad_width_large.bmp", "width 32768 out of range"},
        Rejection{"bad_height_zero.bmp", "height 0 out of range"},
        Rejection{"bad_height_large.bmp", "height -32768 out of range"},
        Rejection{"bad_height_min.bmp", "height -2147483648 out of range"},
        Rejection{"bad_colour_count.bmp", "colour count 257 above 256"},
        Rejection{"bad_offset_inside.bmp", "pixel offset 60 inside the headers"},
        Rejection{"bad_offset_past_end.bmp", "pixel offset 78 past the end"},
        Rejection{"bad_pixels_past_end.bmp", "runs past the end of the file"},
        Rejection{"bad_huge_pixels.bmp", "pixels exceed the limit"},
        Rejection{"bad_palette_index.bmp",
                  "palette index 9 beyond the colour table (4 entries) at pixel (3, 0)"},
        Rejection{"bad_palette_index_1bit.bmp",
                  "palette index 1 beyond the colour table (1 entries)"}));

TEST(BmpRejectInMemory, EmptyAndTruncatedInputsNeverReadOutOfBounds) {
    const std::vector<uint8_t> good = test::ReadFile(test::DataPath("bmp/rgb24_3x2.bmp"));
    ASSERT_FALSE(good.empty());
    // Every prefix of a good file (with the size field fixed to the prefix) is rejected.
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
