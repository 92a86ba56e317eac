// Frame references, sequences and sequence lists: lookups, step data, copies, and the stored
// form: step sizes by version, names as held, counts out of range, and damaged input.

#include <gtest/gtest.h>

#include <tuple>

#include "SpriteTestSupport.h"
#include "sprites/SequenceList.h"

namespace sprites {
namespace {

using test::ExpectFailure;

const std::vector<test::SequenceData> kSequences{{"WAAI4", {}},
                                                 {"WAAI1",
                                                  {{"blad1_", -1, 0, 0},
                                                   {"blad1_02", 76, -39, 5},
                                                   {"blad1_30", 88, -35, 0},
                                                   {"missing", 1, 2, 3}}}};

const std::vector<test::SequenceData> kTwo{
    {"WAAI4", {{"blad4_", 1, 1, 3}, {"blad4_02", -9, -25, -4, 0.25}}},
    {"WAAI1", {{"blad1_", -1, 0, 0}, {"blad1_02", 76, -39, 7}, {"blad1_04", 88, -35, 0}}}};

// Frames blad1_30, blad1_02, blad1_; sequences WAAI4 (empty) and WAAI1 (four steps, the last
// naming a frame that does not exist).
class SequenceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::AddFrames(
            sprite_.FrameList(),
            {{"blad1_30", 0, 0, 1, 1}, {"blad1_02", 1, 0, 1, 1}, {"blad1_", 2, 0, 1, 1}});
        test::ReadInto(list_, test::SequenceListBytes(kSequences, true));
    }
    TSequence& Waai1() { return list_.Items(1); }

    test::TestSprite sprite_;
    TSequenceList list_{&sprite_};
};

TEST_F(SequenceTest, SequenceNamesIgnoreTheCaseOfAToZOnly) {
    EXPECT_EQ(list_.IndexOf("waai1"), 1);
    EXPECT_EQ(list_.IndexOf("WAAI4"), 0);
    EXPECT_EQ(list_.IndexOf("waai"), -1);
    EXPECT_EQ(&list_.SequenceByName("Waai1"), &Waai1());
    list_.Items(0).SetName("\xE9t\xE9");
    EXPECT_EQ(list_.IndexOf("\xC9T\xC9"), -1);
    EXPECT_EQ(list_.IndexOf("\xE9T\xE9"), 0);
    ExpectFailure<base::ESprite>([&] { list_.SequenceByName("WAAI9"); },
                                 "SequenceByName: WAAI9 not found");
    ExpectFailure<base::ESprite>([&] { list_.SequenceByName(std::string(100, 'q')); },
                                 "SequenceByName: " + std::string(80, 'q') + " not found");
    Waai1().SetName(std::string(80, 'w'));
    EXPECT_EQ(list_.IndexOf(std::string(80, 'W') + "XYZ"), 1);
}

TEST_F(SequenceTest, StepsAreFoundByExactFrameName) {
    EXPECT_EQ(Waai1().IndexOf("blad1_02"), 1);
    EXPECT_EQ(Waai1().IndexOf("BLAD1_02"), -1);
    EXPECT_EQ(Waai1().Items(1).FrameIndex(), 1);
    EXPECT_EQ(&Waai1().Items(2).Frame(), &sprite_.FrameList().Items(0));
    EXPECT_EQ(Waai1().Items(3).FrameIndex(), -1);
    ExpectFailure<base::EListError>([&] { Waai1().Items(3).Frame(); },
                                    "List index out of bounds (-1)");
    EXPECT_EQ(TFrameRef(nullptr).FrameIndex(), -1);
}

// Step -1, the start, is the first step's frame without a move or a time; every field is
// written, whatever it held.
TEST_F(SequenceTest, FrameDataOfStepsAndOfTheStartBeforeThem) {
    using Data = std::tuple<int32_t, int16_t, int16_t, int16_t, base::Real48>;
    const auto data = [](const TSequence& sequence, int32_t index) {
        Data d{99, 9, 9, 9, base::Real48::FromDouble(7.0)};
        auto& [frame, dx, dy, dz, time] = d;
        sequence.GetFrameData(index, frame, dx, dy, dz, time);
        return d;
    };
    EXPECT_EQ(data(Waai1(), -1), (Data{2, 0, 0, 0, base::Real48{}}));
    EXPECT_EQ(data(Waai1(), 1), (Data{1, 76, -39, 5, base::Real48::FromDouble(0.1)}));
    EXPECT_EQ(std::get<0>(data(Waai1(), 3)), -1);
    EXPECT_THROW(data(Waai1(), 4), base::EListError);
    EXPECT_THROW(data(list_.Items(0), -1), base::EListError);
}

TEST_F(SequenceTest, AssigningAListCopiesEverythingForTheSourceSprite) {
    test::TestSprite other;
    TSequenceList copy(&other);
    copy.Add(std::make_unique<TSequence>(&other));
    Waai1().SetReserved(base::Real48::FromDouble(2.5));
    copy.Assign(list_);
    Waai1().Items(1).SetDX(0);
    Waai1().SetName("gone");

    EXPECT_EQ(copy.Sprite(), &sprite_);
    ASSERT_EQ(copy.Count(), 2);
    const TSequence& sequence = copy.Items(1);
    EXPECT_EQ(sequence.Name(), "WAAI1");
    EXPECT_EQ(sequence.Sprite(), &sprite_);
    EXPECT_EQ(sequence.Reserved(), base::Real48::FromDouble(2.5));
    ASSERT_EQ(sequence.Count(), 4);
    const TFrameRef& step = sequence.Items(1);
    EXPECT_EQ(step.Sprite(), &sprite_);
    EXPECT_EQ((std::tuple{step.FrameName(), step.DX(), step.DZ(), step.Time()}),
              (std::tuple{std::string("blad1_02"), int16_t{76}, int16_t{5},
                          base::Real48::FromDouble(0.1)}));

    EXPECT_THROW(copy.Items(0).Assign(copy), base::EConvertError);
    ExpectFailure<base::EConvertError>([&] { copy.Items(1).Items(0).Assign(sequence); },
                                       "Cannot assign a TSequence to a TFrameRef");
    EXPECT_EQ(copy.Items(1).Items(0).FrameName(), "blad1_");
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
    std::vector<test::SequenceData> withoutDZ = kTwo;
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
        EXPECT_EQ(test::ReadInto(list, stored), stored.size());
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
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int32_t sequences;
    };
    for (const Case& c : std::vector<Case>{
             {"count cut short", test::Prefix(stored, 1), 0},
             {"first name cut short", test::Prefix(stored, 50), 0},
             {"first steps cut short", test::Prefix(stored, 2 + 83 + 93), 0},
             {"second steps cut short", test::Prefix(stored, 2 + 83 + 2 * 93 + 83 + 93 + 40), 1},
             {"count beyond the sequences", huge, 1}}) {
        SCOPED_TRACE(c.what);
        TSequenceList list(&sprite);
        EXPECT_THROW(test::ReadInto(list, c.bytes), base::EReadError);
        ASSERT_EQ(list.Count(), c.sequences);
        if (c.sequences == 1) {
            EXPECT_EQ(list.Items(0).Count(), 2);
        }
    }
    // A sequence read directly keeps the steps read before the failure.
    TSequence sequence(&sprite);
    EXPECT_THROW(test::ReadInto(sequence, {stored.begin() + 2 + 83 + 2 * 93, stored.end() - 10}),
                 base::EReadError);
    EXPECT_EQ(sequence.Name(), "WAAI1");
    EXPECT_EQ(sequence.Count(), 2);
}

TEST(SequenceStreamTest, NegativeCountsReadAsEmpty) {
    test::TestSprite sprite;
    TSequenceList list(&sprite);
    EXPECT_EQ(test::ReadInto(list, {0xFF, 0xFF, 1, 2, 3}), 2u);
    EXPECT_EQ(list.Count(), 0);

    std::vector<uint8_t> stored =
        test::SequenceListBytes({{"A", {}}, {"B", {{"f", 1, 2, 3}}}}, true);
    stored[2 + 81 + 1] = 0x80;  // step count of A becomes -32768
    EXPECT_EQ(test::ReadInto(list, stored), stored.size());
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Count(), 0);
    EXPECT_EQ(list.Items(1).Items(0).DZ(), 3);
}

}  // namespace
}  // namespace sprites
