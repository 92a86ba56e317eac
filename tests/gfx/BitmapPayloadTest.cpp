// The bitmap stream payload: a byte count, then a BMP file; 0 for an empty bitmap.

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

TEST(BitmapPayload, RoundTripKeepsPixelsAndLeavesThePositionAfterThePayload) {
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
}

TEST(BitmapPayload, CountZeroStandsForAnEmptyBitmap) {
    base::MemoryStream stream;
    WriteBitmapPayload(stream, Bitmap());
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
    stream.Seek(0);
    Bitmap read(7, 7);
    ReadBitmapPayload(stream, read);
    EXPECT_EQ(read.Width(), 0);
    EXPECT_EQ(read.Height(), 0);
    EXPECT_EQ(stream.Position(), 4u);
}

TEST(BitmapPayload, CountBeyondTheStreamFailsAndKeepsTheBitmap) {
    base::MemoryStream stream;
    stream.WriteU32(0x7FFFFFF0);
    stream.WriteBytes(std::vector<uint8_t>(10, 0));
    stream.Seek(0);
    Bitmap kept(2, 2);
    kept.Fill(0x445566);
    EXPECT_THROW(ReadBitmapPayload(stream, kept), base::EReadError);
    EXPECT_EQ(kept.Width(), 2);
    EXPECT_EQ(kept.GetPixel(1, 1), 0x445566u);
}

TEST(BitmapPayload, CountShorterThanTheFileIsABadPicture) {
    const std::vector<uint8_t> file = WriteBmp(Bitmap(2, 2));
    base::MemoryStream stream;
    stream.WriteU32(static_cast<uint32_t>(file.size() - 1));
    stream.WriteBytes(file);
    stream.Seek(0);
    Bitmap read;
    EXPECT_THROW(ReadBitmapPayload(stream, read), base::EInvalidGraphic);
}

}  // namespace
}  // namespace gfx
