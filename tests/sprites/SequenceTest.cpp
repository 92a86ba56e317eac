// Frame references, sequences and sequence lists: lookups, step data and copies.

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

// Frames blad1_30, blad1_02, blad1_; sequences WAAI4 (empty) and WAAI1 (four steps, the last
// naming a frame that does not exist).
class SequenceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::AddFrames(
            sprite_.FrameList(),
            {{"blad1_30", 0, 0, 1, 1}, {"blad1_02", 1, 0, 1, 1}, {"blad1_", 2, 0, 1, 1}});
        base::MemoryStream stored(test::SequenceListBytes(kSequences, true));
        list_.ReadData(stored);
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

}  // namespace
}  // namespace sprites
