// Frames: creation and the scratch bitmap's life, fields, records, and the mask invariant.

#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "sprites/Frame.h"
#include "sprites/FrameList.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using framework::ColorToPixel;
using test::ExpectFailure;

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

TEST(TempBitmapTest, LivesExactlyWhileFramesExistAndOnlyGrows) {
    ASSERT_EQ(TempBitmap(), nullptr);
    {
        TFrameList list;
        auto small = std::make_unique<TFrame>(&list);
        ASSERT_NE(TempBitmap(), nullptr);
        EXPECT_EQ(TempBitmap()->Width(), 0);
        auto big = std::make_unique<TFrame>(&list);
        base::MemoryStream leaf(Record(0, "leaf", 0, 0, 141, 104));
        big->ReadData(leaf);
        EXPECT_GE(TempBitmap()->Width(), 281);
        EXPECT_GE(TempBitmap()->Height(), 207);
        base::MemoryStream tiny(Record(0, "s", 0, 0, 3, 3));
        small->ReadData(tiny);
        big.reset();
        EXPECT_EQ(LiveFrameCount(), 1);
        EXPECT_GE(TempBitmap()->Width(), 281);
    }
    EXPECT_EQ(TempBitmap(), nullptr);
    // A creation without a list fails and gives back its count.
    const auto create = [] { TFrame frame(nullptr); };
    ExpectFailure<base::EFrame>(create, "Creation of frame failed. Framelist cannot be nil");
    EXPECT_EQ(LiveFrameCount(), 0);
    EXPECT_EQ(TempBitmap(), nullptr);
    TFrameList list;
    TFrame next(&list);
    ASSERT_NE(TempBitmap(), nullptr);
    EXPECT_EQ(TempBitmap()->Width(), 0);
    EXPECT_THROW(create(), base::EFrame);
    EXPECT_EQ(LiveFrameCount(), 1);
    EXPECT_NE(TempBitmap(), nullptr);
}

TEST(FrameTest, FreshInitializedAndAssignedFields) {
    TFrameList list;
    TFrame frame(&list);
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
    ExpectFailure<base::EConvertError>([&] { copy.Assign(list); },
                                       "Cannot assign a TFrameList to a TFrame");
}

TEST(FrameTest, RecordRoundTripAndFailures) {
    TFrameList list;
    TFrame frame(&list);
    const std::vector<uint8_t> bytes = Record(0, "blad1_30", 12, 0, 141, 104);
    base::MemoryStream in(bytes);
    frame.ReadData(in);
    EXPECT_EQ(in.Position(), 90u);
    EXPECT_TRUE(list.Loaded());
    EXPECT_EQ(frame.Name(), "blad1_30");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{12, 0, 153, 104}));
    EXPECT_EQ(test::WrittenBytes(frame), bytes);

    base::MemoryStream badTest(Record(1, "x", 0, 0, 1, 1));
    ExpectFailure<base::EFrame>([&] { frame.ReadData(badTest); },
                                "Frame.ReadData: TestByte not equal to zero");
    EXPECT_EQ(badTest.Position(), 1u);
    base::MemoryStream negative(Record(0, "x", 0, 0, -3, 1));
    ExpectFailure<base::EFrame>([&] { frame.ReadData(negative); },
                                "Frame.ReadData: negative frame size -3 x 1");
    EXPECT_EQ(frame.Width(), 141);  // a refused record leaves the frame as it was
    base::MemoryStream truncated(test::Prefix(bytes, 85));
    EXPECT_THROW(frame.ReadData(truncated), base::EReadError);

    frame.Initialize("", nullptr, nullptr);
    base::MemoryStream orphan(Record(0, "o", 5, 6, 7, 8));
    ExpectFailure<base::EFrame>([&] { frame.ReadData(orphan); }, "Frame.ReadData: no FrameList");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{5, 6, 12, 14}));
}

// A 7 x 2 strip: frame a covers columns 0..2, frame b 3..5; column 6 belongs to no frame.
// Prepared for a colour, the mask has bit 1 exactly on that colour inside the frames, and
// those pixels are black in Image unless the colour is black; every other pixel keeps its
// true colour.
TEST(MaskInvariantTest, HoldsAfterLoadingAndEveryColourChange) {
    constexpr gfx::Pixel kB = 0x0000FF, kR = 0xFF0000, kK = 0, kG = 0x00FF00;
    const std::vector<std::vector<gfx::Pixel>> truth{{kB, kR, kK, kG, kB, kB, kB},
                                                     {kK, kB, kR, kR, kG, kK, kR}};
    auto list = test::LoadList(framework::clBlue, {{"a", 0, 0, 3, 2}, {"b", 3, 0, 3, 2}},
                               test::EightBitStrip(truth));
    ASSERT_TRUE(list->Mask().Monochrome());
    ASSERT_EQ(list->Mask().Width(), 7);
    const auto expectPreparedFor = [&](framework::TColor color) {
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 7; ++x) {
                const gfx::Pixel real = truth[size_t(y)][size_t(x)];
                const bool clear = x < 6 && real == ColorToPixel(color);
                SCOPED_TRACE(testing::Message() << "colour " << color << " at " << x << "," << y);
                EXPECT_EQ(list->Image().GetPixel(x, y), clear ? kK : real);
                if (x < 6) {
                    EXPECT_EQ(list->Mask().GetPixel(x, y), clear ? gfx::kWhite : gfx::kBlack);
                }
            }
        }
    };
    expectPreparedFor(framework::clBlue);
    for (framework::TColor color :
         {framework::clRed, framework::clRed, framework::clBlack, framework::clBlue,
          framework::clBlack, framework::clRed, framework::clBlue}) {
        list->SetTransparentColor(color);
        EXPECT_EQ(list->TransparentColor(), color);
        expectPreparedFor(color);
    }
}

}  // namespace
}  // namespace sprites
