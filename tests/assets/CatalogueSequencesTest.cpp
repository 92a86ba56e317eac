// The leaf sprite's wind sequences as the main window loads them.

#include <array>
#include <cstring>
#include <string>

#include "CatalogueFixture.h"
#include "base/Real48.h"
#include "sprites/Sprite.h"

namespace assets::testing {
namespace {

struct Move {
    int16_t dx;
    int16_t dy;
};

constexpr std::array<int, 5> kListOrder{4, 1, 2, 3, 5};

// By step (rows) and sequence in list order (columns): WAAI4, WAAI1, WAAI2, WAAI3, WAAI5.
constexpr std::array<std::array<Move, 5>, 16> kMoves{{
    {{{1, 1}, {-1, 0}, {-1, 1}, {2, 1}, {-1, 0}}},
    {{{-9, -25}, {76, -39}, {39, -15}, {48, 23}, {20, -13}}},
    {{{-11, -22}, {88, -35}, {41, -17}, {66, 44}, {23, -13}}},
    {{{-16, -21}, {80, -20}, {40, -24}, {69, 47}, {26, -10}}},
    {{{-18, -21}, {52, 13}, {32, -28}, {49, 35}, {27, -9}}},
    {{{-17, -31}, {7, 25}, {19, -39}, {10, 32}, {27, -15}}},
    {{{11, -24}, {-39, 25}, {-42, -40}, {-51, 55}, {30, -27}}},
    {{{-59, 0}, {-72, 14}, {-61, -25}, {-63, -11}, {11, -18}}},
    {{{-49, -16}, {-33, -4}, {14, -48}, {2, -37}, {85, -11}}},
    {{{-50, -31}, {1, -29}, {93, -12}, {0, -50}, {50, 9}}},
    {{{-62, -22}, {37, -39}, {81, 17}, {17, -45}, {9, -9}}},
    {{{-36, -10}, {47, -21}, {58, 14}, {67, -2}, {12, -16}}},
    {{{-17, -6}, {19, -15}, {6, 30}, {82, 24}, {14, -20}}},
    {{{-27, -7}, {35, -6}, {20, 27}, {76, 22}, {6, -23}}},
    {{{-37, -8}, {47, -1}, {33, 11}, {36, 55}, {6, -24}}},
    {{{-31, -8}, {53, 1}, {34, 23}, {26, 73}, {11, -24}}},
}};
constexpr std::array<Move, 5> kSums{
    {{-427, -251}, {397, -131}, {406, -125}, {436, 266}, {356, -223}}};

sprites::TSprite& LeafSprite() {
    return CatalogueTest::Component<sprites::TSprite>("spriteBladeren");
}

// The frame a step shows: the leaf's last frame, then its frames 1 to 14, then its first.
int32_t StripPosition(int step) {
    return step == 0 ? 15 : step == 15 ? 0 : step;
}

TEST_F(CatalogueTest, TheFiveWindSequencesAreStoredInListOrder) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    ASSERT_EQ(list.Count(), 5);
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Items(i).Name(), "WAAI" + std::to_string(kListOrder[size_t(i)]));
        EXPECT_EQ(list.Items(i).Count(), 16);
    }
    EXPECT_EQ(list.IndexOf("waai3"), 3);
    EXPECT_EQ(&list.SequenceByName("WAAI5"), &list.Items(4));
    EXPECT_TRUE(Component<sprites::TSprite>("spriteLogos").SequenceList().Count() == 0);
}

TEST_F(CatalogueTest, NamesKeepTheFillerOfTheDefaultName) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    for (int32_t i = 0; i < list.Count(); ++i) {
        const base::TName& stored = list.Items(i).StoredName();
        EXPECT_EQ(stored.length, 5);
        EXPECT_EQ(std::string(stored.chars.data(), 12),
                  "WAAI" + std::to_string(kListOrder[size_t(i)]) + "equence");
        EXPECT_EQ(stored.chars[12], '\0');
    }
}

TEST_F(CatalogueTest, EveryStepShowsItsLeafsFrameAndMovesByTheTable) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    const base::Real48 tenth = base::Real48::FromDouble(0.1);
    for (int32_t i = 0; i < 5; ++i) {
        const int leaf = kListOrder[size_t(i)];
        const sprites::TSequence& sequence = list.Items(i);
        Move sum{0, 0};
        for (int step = 0; step < 16; ++step) {
            const sprites::TFrameRef& ref = sequence.Items(step);
            const int32_t frameIndex = (leaf - 1) * 16 + StripPosition(step);
            const std::string where = sequence.Name() + " step " + std::to_string(step);
            EXPECT_EQ(ref.FrameIndex(), frameIndex) << where;
            EXPECT_EQ(ref.FrameName(), LeafSprite().FrameList().Items(frameIndex).Name()) << where;
            EXPECT_EQ(ref.DX(), kMoves[size_t(step)][size_t(i)].dx) << where;
            EXPECT_EQ(ref.DY(), kMoves[size_t(step)][size_t(i)].dy) << where;
            EXPECT_EQ(ref.DZ(), 0) << where;
            EXPECT_EQ(ref.Time(), tenth) << where;
            sum.dx = int16_t(sum.dx + ref.DX());
            sum.dy = int16_t(sum.dy + ref.DY());
        }
        EXPECT_EQ(sum.dx, kSums[size_t(i)].dx) << sequence.Name();
        EXPECT_EQ(sum.dy, kSums[size_t(i)].dy) << sequence.Name();
    }
}

TEST_F(CatalogueTest, StepsAreFoundByTheirFrameNames) {
    sprites::TSequence& waai2 = LeafSprite().SequenceList().SequenceByName("WAAI2");
    EXPECT_EQ(waai2.Items(9).FrameName(), "blad2_19");
    EXPECT_EQ(waai2.IndexOf("blad2_"), 0);
    EXPECT_EQ(waai2.IndexOf("blad2_30"), 15);
    EXPECT_EQ(waai2.IndexOf("blad1_30"), -1);
}

}  // namespace
}  // namespace assets::testing
