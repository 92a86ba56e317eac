// Frames: creation and the scratch bitmap's life, fields, records, and the mask invariant.

#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "gfx/Bmp.h"
#include "sprites/Frame.h"
#include "sprites/FrameList.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using framework::clBlack;
using framework::clBlue;
using framework::clRed;
using framework::ColorToPixel;
using test::FrameSpec;

std::vector<uint8_t> Record(uint8_t testByte, const std::string& name, int16_t x, int16_t y,
                            int16_t w, int16_t h) {
    base::MemoryStream stream;
    stream.WriteU8(testByte);
    base::TName(name).Write(stream);
    for (int16_t v : {x, y, w, h}) {
        stream.WriteI16(v);
    }
    return stream.Bytes();
}

TEST(ColorTest, ConvertsBetweenColourValuesAndPixels) {
    EXPECT_EQ(ColorToPixel(clBlue), 0x0000FFu);
    EXPECT_EQ(ColorToPixel(clRed), 0xFF0000u);
    EXPECT_EQ(ColorToPixel(0x12345678), 0x785634u);
    EXPECT_EQ(framework::PixelToColor(0x123456), 0x563412u);
}

TEST(TempBitmapTest, LivesExactlyWhileFramesExistAndOnlyGrows) {
    ASSERT_EQ(LiveFrameCount(), 0);
    ASSERT_EQ(TempBitmap(), nullptr);
    {
        TFrameList list;
        auto small = std::make_unique<TFrame>(&list);
        ASSERT_NE(TempBitmap(), nullptr);
        EXPECT_EQ(TempBitmap()->Width(), 0);
        base::MemoryStream record(Record(0, "leaf", 0, 0, 141, 104));
        auto big = std::make_unique<TFrame>(&list);
        big->ReadData(record);
        EXPECT_GE(TempBitmap()->Width(), 281);
        EXPECT_GE(TempBitmap()->Height(), 207);
        base::MemoryStream smaller(Record(0, "s", 0, 0, 3, 3));
        small->ReadData(smaller);
        big.reset();
        EXPECT_EQ(LiveFrameCount(), 1);
        EXPECT_GE(TempBitmap()->Width(), 281);
    }
    EXPECT_EQ(TempBitmap(), nullptr);
    TFrameList list;
    TFrame next(&list);
    ASSERT_NE(TempBitmap(), nullptr);
    EXPECT_EQ(TempBitmap()->Width(), 0);
}

TEST(FrameTest, CreationWithoutListFailsAndGivesBackItsCount) {
    try {
        TFrame frame(nullptr);
        FAIL() << "created a frame without a list";
    } catch (const base::EFrame& e) {
        EXPECT_STREQ(e.what(), "Creation of frame failed. Framelist cannot be nil");
    }
    EXPECT_EQ(LiveFrameCount(), 0);
    EXPECT_EQ(TempBitmap(), nullptr);
    TFrameList list;
    TFrame survivor(&list);
    EXPECT_THROW(TFrame(nullptr), base::EFrame);
    EXPECT_EQ(LiveFrameCount(), 1);
    EXPECT_NE(TempBitmap(), nullptr);
}

TEST(FrameTest, FreshInitializedAndAssignedFields) {
    TFrameList list;
    TFrame frame(&list);
    EXPECT_EQ(frame.Name(), "");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{-1, -1, -1, -1}));
    const gfx::Bitmap source(7, 3);
    frame.Initialize(std::string(100, 'n'), &list, &source);
    EXPECT_EQ(frame.Name(), std::string(80, 'n'));
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{-1, -1, 6, 2}));

    TFrameList other;
    TFrame copy(&other);
    frame.SetX(4);
    copy.Assign(frame);
    EXPECT_EQ(copy.Name(), frame.Name());
    EXPECT_EQ(copy.SourceRect(), (gfx::Rect{4, -1, 11, 2}));
    EXPECT_EQ(copy.FrameList(), &other);
    try {
        copy.Assign(list);
        FAIL() << "assigned a list to a frame";
    } catch (const base::EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TFrameList to a TFrame");
    }
}

TEST(FrameTest, RecordRoundTripAndFailures) {
    TFrameList list;
    TFrame frame(&list);
    const std::vector<uint8_t> bytes = Record(0, "blad1_30", 12, 0, 141, 104);
    base::MemoryStream in(bytes);
    frame.ReadData(in);
    EXPECT_EQ(in.Position(), kFrameRecordSize);
    EXPECT_TRUE(list.Loaded());
    EXPECT_EQ(frame.Name(), "blad1_30");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{12, 0, 153, 104}));
    base::MemoryStream out;
    frame.WriteData(out);
    EXPECT_EQ(out.Bytes(), bytes);

    base::MemoryStream badTest(Record(1, "x", 0, 0, 1, 1));
    EXPECT_THROW(
        {
            try {
                frame.ReadData(badTest);
            } catch (const base::EFrame& e) {
                EXPECT_STREQ(e.what(), "Frame.ReadData: TestByte not equal to zero");
                throw;
            }
        },
        base::EFrame);
    EXPECT_EQ(badTest.Position(), 1u);

    base::MemoryStream negative(Record(0, "x", 0, 0, -3, 1));
    EXPECT_THROW(frame.ReadData(negative), base::EFrame);
    EXPECT_EQ(frame.Width(), 141);  // a refused record leaves the frame as it was

    base::MemoryStream truncated(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 85));
    EXPECT_THROW(frame.ReadData(truncated), base::EReadError);

    frame.Initialize("", nullptr, nullptr);
    base::MemoryStream orphan(Record(0, "o", 5, 6, 7, 8));
    try {
        frame.ReadData(orphan);
        FAIL() << "read a record without a list";
    } catch (const base::EFrame& e) {
        EXPECT_STREQ(e.what(), "Frame.ReadData: no FrameList");
    }
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{5, 6, 12, 14}));
}

// Strip of 7 x 2: frame a covers columns 0..2, frame b 3..5; column 6 belongs to no frame.
class MaskInvariantTest : public ::testing::Test {
  protected:
    static constexpr gfx::Pixel kB = 0x0000FF;  // clBlue
    static constexpr gfx::Pixel kR = 0xFF0000;  // clRed
    static constexpr gfx::Pixel kK = 0x000000;
    static constexpr gfx::Pixel kG = 0x00FF00;
    const std::vector<std::vector<gfx::Pixel>> truth_{{kB, kR, kK, kG, kB, kB, kB},
                                                      {kK, kB, kR, kR, kG, kK, kR}};
    std::unique_ptr<TFrameList> list_ =
        test::LoadList(clBlue, {{"a", 0, 0, 3, 2}, {"b", 3, 0, 3, 2}}, test::EightBitStrip(truth_));

    // Inside the frames: mask bit 1 exactly on the transparent colour, and those pixels black
    // in Image unless the colour is black; other pixels keep their true colour.
    void ExpectPreparedFor(framework::TColor color) const {
        const gfx::Pixel transparent = ColorToPixel(color);
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 6; ++x) {
                const gfx::Pixel real = truth_[size_t(y)][size_t(x)];
                const bool clear = real == transparent;
                SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
                EXPECT_EQ(list_->Mask().GetPixel(x, y), clear ? gfx::kWhite : gfx::kBlack);
                EXPECT_EQ(list_->Image().GetPixel(x, y), clear ? gfx::kBlack : real);
            }
            EXPECT_EQ(list_->Image().GetPixel(6, y), truth_[size_t(y)][6]);
        }
    }
};

TEST_F(MaskInvariantTest, HoldsAfterLoadingAndEveryColourChange) {
    ASSERT_EQ(list_->Mask().Width(), 7);
    ASSERT_TRUE(list_->Mask().Monochrome());
    ExpectPreparedFor(clBlue);
    for (framework::TColor next : {clRed, clRed, clBlack, clBlue, clBlack, clRed, clBlue}) {
        SCOPED_TRACE(testing::Message() << "colour " << next);
        list_->SetTransparentColor(next);
        EXPECT_EQ(list_->TransparentColor(), next);
        ExpectPreparedFor(next);
    }
}

}  // namespace
}  // namespace sprites
