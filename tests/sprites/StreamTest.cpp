// The stored forms of frame and sequence lists: round trips, step sizes by version, names as
// held, counts out of range, and damaged input.

#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "gfx/Bmp.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceList.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using test::FramePlace;
using test::SequenceData;

constexpr gfx::Pixel kBlue = 0x0000FF;

const std::vector<FramePlace> kThree{{"a", 0, 0, 2, 2}, {"b", 2, 0, 1, 2}, {"c", 3, 0, 2, 1}};
const std::vector<uint8_t>& ThreeStored() {
    static const std::vector<uint8_t> stored = test::FrameListBytes(
        kThree,
        test::EightBitStrip({{kBlue, 0x111111, 0x222222, kBlue, 0}, {7, kBlue, 9, 0, kBlue}}));
    return stored;
}

const std::vector<SequenceData> kTwo{
    {"WAAI4", {{"blad4_", 1, 1, 3}, {"blad4_02", -9, -25, -4, 0.25}}},
    {"WAAI1", {{"blad1_", -1, 0, 0}, {"blad1_02", 76, -39, 7}, {"blad1_04", 88, -35, 0}}}};

TEST(FrameListStreamTest, RoundTripKeepsEveryByteAndTheListPrepared) {
    TFrameList list(framework::clBlue);
    for (int pass = 0; pass < 2; ++pass) {  // a second read replaces what the list held
        base::MemoryStream in(ThreeStored());
        list.ReadData(in);
        EXPECT_EQ(in.Remaining(), 0u);
        ASSERT_EQ(list.Count(), 3);
        EXPECT_EQ(test::WrittenBytes(list), ThreeStored());  // stored with its blue pixels
    }
    EXPECT_EQ(list.Items(2).SourceRect(), (gfx::Rect{3, 0, 5, 1}));

    TFrameList empty;
    EXPECT_EQ(test::WrittenBytes(empty), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0}));

    // A list too long for the stored count fails and stays prepared.
    test::AddFrames(list, std::vector<FramePlace>(32765, FramePlace{"extra", 0, 0, 0, 0}));
    base::MemoryStream out;
    EXPECT_THROW(list.WriteData(out), base::EOverflow);
    EXPECT_EQ(list.Image().GetPixel(0, 0), gfx::kBlack);
    EXPECT_EQ(list.Mask().GetPixel(0, 0), gfx::kWhite);
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
// returns how many frames the list kept. The list frees them all when it goes.
template <class E>
int32_t FramesKeptAfterFailure(const std::vector<uint8_t>& bytes, const std::string& text) {
    const int32_t liveBefore = LiveFrameCount();
    int32_t kept = -1;
    {
        TFrameList list(framework::clBlue);
        base::MemoryStream in(bytes);
        try {
            list.ReadData(in);
            ADD_FAILURE() << "no failure, wanted " << text;
        } catch (const E& e) {
            EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
        }
        kept = list.Count();
    }
    EXPECT_EQ(LiveFrameCount(), liveBefore);
    return kept;
}

TEST(FrameListStreamTest, DamagedStreamsFailAndKeepTheFramesReadBefore) {
    const auto changed = [](size_t at, uint8_t value, size_t size = ThreeStored().size()) {
        std::vector<uint8_t> bytes = test::Prefix(ThreeStored(), size);
        bytes[at] = value;
        return bytes;
    };
    TFrameList list(framework::clBlue);  // its frames keep the scratch bitmap alive
    base::MemoryStream in(test::Prefix(ThreeStored(), 2 + 90 * 2 + 40));
    EXPECT_THROW(list.ReadData(in), base::EReadError);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1).X(), 2);  // the failed record took nothing out of the strips
    EXPECT_EQ(FramesKeptAfterFailure<base::EFrame>(changed(2 + 90, 1),
                                                   "Frame.ReadData: TestByte not equal to zero"),
              1);
    // The width of frame 2 becomes negative.
    EXPECT_EQ(
        FramesKeptAfterFailure<base::EFrame>(changed(2 + 90 * 2 + 87, 0xFF), "negative frame size"),
        2);
    EXPECT_EQ(
        FramesKeptAfterFailure<base::EReadError>(changed(1, 0x7F, 2 + 90 * 2), "Stream read error"),
        2);

    // A record larger than the strip would ask the scratch bitmap for twice its size.
    for (const FramePlace& outside :
         {FramePlace{"far", 4, 0, 2, 1}, FramePlace{"tall", 0, 0, 1, 32000},
          FramePlace{"left", -1, 0, 1, 1}}) {
        const auto bytes = test::FrameListBytes(
            {kThree[0], outside}, test::EightBitStrip({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
        ASSERT_NE(TempBitmap(), nullptr);
        const int32_t widthBefore = TempBitmap()->Width();
        EXPECT_EQ(FramesKeptAfterFailure<base::EFrame>(bytes, "lies outside the strip of 5 x 2"),
                  2);
        EXPECT_LT(TempBitmap()->Height(), 1000);
        EXPECT_EQ(TempBitmap()->Width(), widthBefore);
    }
    EXPECT_EQ(
        FramesKeptAfterFailure<base::EInvalidGraphic>(changed(2 + 90 * 3 + 4, 'X'), "bad magic"),
        3);
    // A payload count far beyond the bytes left, and a payload cut short.
    EXPECT_EQ(FramesKeptAfterFailure<base::EReadError>(changed(2 + 90 * 3 + 3, 0x10), ""), 3);
    EXPECT_EQ(FramesKeptAfterFailure<base::EReadError>(
                  test::Prefix(ThreeStored(), ThreeStored().size() - 1), ""),
              3);
}

TEST(SequenceStreamTest, VersionTextsCompareByteByByte) {
    for (const char* carries : {"1.1b", "1.1e", "1.1b0", "1.2", "2", "\xE9"}) {
        EXPECT_TRUE(StepsCarryDZ(carries)) << carries;
    }
    for (const char* lacks : {"", "1", "1.1", "1.1a", "1.0", "1.1B", "0.9z"}) {
        EXPECT_FALSE(StepsCarryDZ(lacks)) << lacks;
    }
}

// Steps are read with DZ or without as the owner's version says, and always written with it
// (zero where the stored data had none).
TEST(SequenceStreamTest, StepSizeFollowsTheOwnersStoredVersion) {
    std::vector<SequenceData> withoutDZ = kTwo;
    for (auto& sequence : withoutDZ) {
        for (auto& step : sequence.steps) {
            step.dz = 0;
        }
    }
    for (const auto& [version, withDZ] : std::vector<std::pair<std::string, bool>>{
             {"1.1e", true}, {"1.1b", true}, {"1.1a", false}, {"", false}}) {
        SCOPED_TRACE(version);
        test::TestSprite sprite(version);
        TSequenceList list(&sprite);
        const std::vector<uint8_t> stored = test::SequenceListBytes(kTwo, withDZ);
        base::MemoryStream in(stored);
        list.ReadData(in);
        EXPECT_EQ(in.Remaining(), 0u);
        ASSERT_EQ(list.Count(), 2);
        const TFrameRef& step = list.Items(0).Items(1);
        EXPECT_EQ(step.FrameName(), "blad4_02");
        EXPECT_EQ(step.DY(), -25);
        EXPECT_EQ(step.DZ(), withDZ ? -4 : 0);
        EXPECT_EQ(step.Time(), base::Real48::FromDouble(0.25));
        EXPECT_EQ(test::WrittenBytes(list),
                  test::SequenceListBytes(withDZ ? kTwo : withoutDZ, true));
    }
}

// A name set on a new sequence is written over its default name, whose filler stays.
TEST(SequenceStreamTest, NamesWrittenAsHeld) {
    test::TestSprite sprite;
    TSequenceList list(&sprite);
    EXPECT_EQ(test::WrittenBytes(list), (std::vector<uint8_t>{0, 0}));
    TSequence& sequence = list.Add(std::make_unique<TSequence>(&sprite));
    sequence.SetName("WAAI1");
    for (int i = 0; i < 16; ++i) {
        sequence.Add(std::make_unique<TFrameRef>(&sprite)).SetFrameName("blad");
    }
    const std::vector<uint8_t> bytes = test::WrittenBytes(list);
    EXPECT_EQ(bytes.size(), 2 + 83 + 16 * 93u);
    std::vector<uint8_t> name(81, 0);
    const std::string held = "\x05WAAI1equence";
    std::copy(held.begin(), held.end(), name.begin());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 2, bytes.begin() + 83), name);
    EXPECT_EQ(bytes[83], 16);
    EXPECT_EQ(bytes[84], 0);
}

TEST(SequenceStreamTest, DamagedStreamsFailAndKeepWhatWasReadWhole) {
    test::TestSprite sprite;
    const std::vector<uint8_t> stored = test::SequenceListBytes(kTwo, true);
    std::vector<uint8_t> huge = test::Prefix(stored, 2 + 83 + 2 * 93);
    huge[1] = 0x7F;
    for (const auto& [bytes, sequences] : std::vector<std::pair<std::vector<uint8_t>, int32_t>>{
             {test::Prefix(stored, 1), 0},
             {test::Prefix(stored, 50), 0},
             {test::Prefix(stored, 2 + 83 + 93), 0},
             {test::Prefix(stored, 2 + 83 + 2 * 93 + 83 + 93 + 40), 1},
             {huge, 1}}) {
        TSequenceList list(&sprite);
        base::MemoryStream in(bytes);
        EXPECT_THROW(list.ReadData(in), base::EReadError);
        ASSERT_EQ(list.Count(), sequences) << bytes.size();
        if (sequences == 1) {
            EXPECT_EQ(list.Items(0).Count(), 2);
        }
    }
    // A sequence read directly keeps the steps read before the failure.
    TSequence sequence(&sprite);
    base::MemoryStream in(
        std::vector<uint8_t>(stored.begin() + 2 + 83 + 2 * 93, stored.end() - 10));
    EXPECT_THROW(sequence.ReadData(in), base::EReadError);
    EXPECT_EQ(sequence.Name(), "WAAI1");
    EXPECT_EQ(sequence.Count(), 2);
}

TEST(SequenceStreamTest, NegativeCountsReadAsEmpty) {
    test::TestSprite sprite;
    TSequenceList list(&sprite);
    base::MemoryStream negativeList(std::vector<uint8_t>{0xFF, 0xFF, 1, 2, 3});
    list.ReadData(negativeList);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(negativeList.Position(), 2u);

    std::vector<uint8_t> stored =
        test::SequenceListBytes({{"A", {}}, {"B", {{"f", 1, 2, 3}}}}, true);
    stored[2 + 81 + 1] = 0x80;  // step count of A becomes -32768
    base::MemoryStream in(stored);
    list.ReadData(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Count(), 0);
    EXPECT_EQ(list.Items(1).Items(0).DZ(), 3);
}

}  // namespace
}  // namespace sprites
