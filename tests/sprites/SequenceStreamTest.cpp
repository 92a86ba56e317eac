// The stored form of sequence lists: both step sizes, round trips, names as held, bad input.

#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "sprites/SequenceList.h"

namespace sprites {
namespace {

using test::SequenceData;
using test::StepData;

const std::vector<SequenceData> kTwo{
    {"WAAI4", {{"blad4_", 1, 1, 3}, {"blad4_02", -9, -25, -4, 0.25}}},
    {"WAAI1", {{"blad1_", -1, 0, 0}, {"blad1_02", 76, -39, 7}, {"blad1_04", 88, -35, 0}}}};

// kTwo as a writer stores it: DZ always present, zero where the stored data had none.
std::vector<SequenceData> WithoutDZ(std::vector<SequenceData> sequences) {
    for (auto& sequence : sequences) {
        for (auto& step : sequence.steps) {
            step.dz = 0;
        }
    }
    return sequences;
}

TEST(SequenceStreamTest, VersionTextsCompareByteByByte) {
    for (const char* carries : {"1.1b", "1.1e", "1.1b0", "1.2", "2", "\xE9"}) {
        EXPECT_TRUE(StepsCarryDZ(carries)) << carries;
    }
    for (const char* lacks : {"", "1", "1.1", "1.1a", "1.0", "1.1B", "0.9z"}) {
        EXPECT_FALSE(StepsCarryDZ(lacks)) << lacks;
    }
}

TEST(SequenceStreamTest, StepSizeFollowsTheOwnersStoredVersion) {
    for (const auto& [version, withDZ] : std::vector<std::pair<std::string, bool>>{
             {"1.1e", true}, {"1.1b", true}, {"1.1a", false}, {"1.0", false}, {"", false}}) {
        SCOPED_TRACE(version);
        test::TestSprite sprite(version);
        TSequenceList list(&sprite);
        const std::vector<uint8_t> stored = test::SequenceListBytes(kTwo, withDZ);
        // A step is name 81, DX 2, DY 2, [DZ 2,] Time 6 bytes: 93 with DZ, 91 without.
        EXPECT_EQ(stored.size(), 2 + 2 * 83 + 5 * (withDZ ? 93u : 91u));
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
                  test::SequenceListBytes(withDZ ? kTwo : WithoutDZ(kTwo), true));
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

// Reads `bytes` and expects the stream's read error; returns what the list kept.
std::unique_ptr<TSequenceList> ReadFails(test::TestSprite& sprite,
                                         const std::vector<uint8_t>& bytes) {
    auto list = std::make_unique<TSequenceList>(&sprite);
    base::MemoryStream in(bytes);
    EXPECT_THROW(list->ReadData(in), base::EReadError);
    return list;
}

TEST(SequenceStreamTest, DamagedStreamsFailAndKeepWhatWasReadWhole) {
    test::TestSprite sprite;
    const std::vector<uint8_t> stored = test::SequenceListBytes(kTwo, true);
    const auto cut = [&](size_t size) { return test::Prefix(stored, size); };
    for (size_t size : {size_t{1}, size_t{50}, size_t{2 + 83 + 93}}) {
        EXPECT_EQ(ReadFails(sprite, cut(size))->Count(), 0) << size;
    }
    auto list = ReadFails(sprite, cut(2 + 83 + 2 * 93 + 83 + 93 + 40));
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items(0).Count(), 2);

    std::vector<uint8_t> huge = cut(2 + 83 + 2 * 93);
    huge[0] = 0xFF;
    huge[1] = 0x7F;
    EXPECT_EQ(ReadFails(sprite, huge)->Count(), 1);

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
