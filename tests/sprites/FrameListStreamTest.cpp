// The stored form of frame lists: round trips, counts out of range, and damaged input.

#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "gfx/Bmp.h"
#include "sprites/FrameList.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using test::FramePlace;

constexpr gfx::Pixel kBlue = 0x0000FF;

const std::vector<FramePlace> kThree{{"a", 0, 0, 2, 2}, {"b", 2, 0, 1, 2}, {"c", 3, 0, 2, 1}};

gfx::Bitmap ThreeStrip() {
    return test::EightBitStrip({{kBlue, 0x111111, 0x222222, kBlue, 0}, {7, kBlue, 9, 0, kBlue}});
}

TEST(FrameListStreamTest, RoundTripKeepsEveryByteAndTheListPrepared) {
    const std::vector<uint8_t> stored = test::FrameListBytes(kThree, ThreeStrip());
    TFrameList list(framework::clBlue);
    base::MemoryStream in(stored);
    list.ReadData(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(2).SourceRect(), (gfx::Rect{3, 0, 5, 1}));
    EXPECT_EQ(test::WrittenBytes(list), stored);  // the strip is stored with its blue pixels
    EXPECT_EQ(list.TransparentColor(), framework::clBlue);
    EXPECT_EQ(list.Image().GetPixel(0, 0), gfx::kBlack);
    EXPECT_EQ(list.Mask().GetPixel(0, 0), gfx::kWhite);
    EXPECT_EQ(list.Mask().GetPixel(1, 0), gfx::kBlack);

    base::MemoryStream again(stored);
    list.ReadData(again);  // reading replaces what the list held
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(test::WrittenBytes(list), stored);

    TFrameList empty;
    EXPECT_EQ(test::WrittenBytes(empty), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0}));
}

TEST(FrameListStreamTest, ListTooLongForTheStoredCountFailsAndStaysPrepared) {
    auto list = test::LoadList(framework::clBlue, kThree, ThreeStrip());
    test::AddFrames(*list, std::vector<FramePlace>(32765, FramePlace{"extra", 0, 0, 0, 0}));
    base::MemoryStream out;
    EXPECT_THROW(list->WriteData(out), base::EOverflow);
    EXPECT_EQ(list->TransparentColor(), framework::clBlue);
    EXPECT_EQ(list->Image().GetPixel(0, 0), gfx::kBlack);
    EXPECT_EQ(list->Mask().GetPixel(0, 0), gfx::kWhite);
}

TEST(FrameListStreamTest, ZeroOrNegativeCountReadsOnlyTheCount) {
    for (uint8_t high : {uint8_t{0x00}, uint8_t{0x80}, uint8_t{0xFF}}) {
        base::MemoryStream in(std::vector<uint8_t>{0x00, high, 'B', 'M', 1, 2, 3});
        TFrameList list;
        list.ReadData(in);
        EXPECT_EQ(in.Position(), 2u);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_FALSE(list.Loaded());
        EXPECT_TRUE(list.Image().Empty());
    }
}

TEST(FrameListStreamTest, OneBitStripBecomesAColourStripAndWritesBackAsItWas) {
    gfx::Bitmap mono(4, 1, gfx::PixelFormat::Mono);
    for (int32_t x = 0; x < 4; ++x) {
        mono.SetPixel(x, 0, x == 0 || x == 3 ? gfx::kWhite : gfx::kBlack);
    }
    const std::vector<uint8_t> stored = test::FrameListBytes({{"m", 0, 0, 4, 1}}, mono);
    TFrameList list;
    base::MemoryStream in(stored);
    list.ReadData(in);
    EXPECT_FALSE(list.Image().Monochrome());
    EXPECT_EQ(list.Image().GetPixel(0, 0), gfx::kWhite);
    EXPECT_EQ(list.Image().GetPixel(1, 0), gfx::kBlack);
    EXPECT_EQ(list.Mask().GetPixel(1, 0), gfx::kWhite);  // black is the list's colour
    EXPECT_EQ(test::WrittenBytes(list), stored);
}

// Reads `bytes` into a fresh list and expects failure E whose message contains `text`;
// returns the list with what it kept.
template <class E>
std::unique_ptr<TFrameList> ReadFails(const std::vector<uint8_t>& bytes, const std::string& text) {
    auto list = std::make_unique<TFrameList>(framework::clBlue);
    base::MemoryStream in(bytes);
    try {
        list->ReadData(in);
        ADD_FAILURE() << "no failure, wanted " << text;
    } catch (const E& e) {
        EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
    }
    return list;
}

TEST(FrameListStreamTest, DamagedStreamsFailAndKeepTheFramesReadBefore) {
    const std::vector<uint8_t> stored = test::FrameListBytes(kThree, ThreeStrip());
    const auto cut = [&](size_t size) { return test::Prefix(stored, size); };

    auto list = ReadFails<base::EReadError>(cut(2 + 90 * 2 + 40), "Stream read error");
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items(1).X(), 2);  // the failed record took nothing out of the strips

    std::vector<uint8_t> badTest = stored;
    badTest[2 + 90] = 1;
    EXPECT_EQ(
        ReadFails<base::EFrame>(badTest, "Frame.ReadData: TestByte not equal to zero")->Count(), 1);

    std::vector<uint8_t> negative = stored;
    negative[2 + 90 * 2 + 87] = 0xFF;  // width of frame 2 becomes negative
    EXPECT_EQ(ReadFails<base::EFrame>(negative, "negative frame size")->Count(), 2);

    std::vector<uint8_t> huge = cut(2 + 90 * 2);
    huge[0] = 0xFF;
    huge[1] = 0x7F;
    EXPECT_EQ(ReadFails<base::EReadError>(huge, "Stream read error")->Count(), 2);

    // A record larger than the strip would ask the scratch bitmap for twice its size.
    for (const FramePlace& outside :
         {FramePlace{"far", 4, 0, 2, 1}, FramePlace{"tall", 0, 0, 1, 32000},
          FramePlace{"left", -1, 0, 1, 1}}) {
        const auto bytes = test::FrameListBytes({kThree[0], outside}, ThreeStrip());
        const int32_t widthBefore = TempBitmap()->Width();
        EXPECT_EQ(ReadFails<base::EFrame>(bytes, "lies outside the strip of 5 x 2")->Count(), 2);
        EXPECT_LT(TempBitmap()->Height(), 1000);
        EXPECT_EQ(TempBitmap()->Width(), widthBefore);
    }
    std::vector<uint8_t> badBmp = stored;
    badBmp[2 + 90 * 3 + 4] = 'X';
    list = ReadFails<base::EInvalidGraphic>(badBmp, "bad magic");
    EXPECT_EQ(list->Count(), 3);

    std::vector<uint8_t> longPayload = stored;
    longPayload[2 + 90 * 3 + 3] = 0x10;  // payload count far beyond the bytes left
    EXPECT_EQ(ReadFails<base::EReadError>(longPayload, "")->Count(), 3);
    EXPECT_EQ(ReadFails<base::EReadError>(cut(stored.size() - 1), "")->Count(), 3);
}

}  // namespace
}  // namespace sprites
