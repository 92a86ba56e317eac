// The leaf sprite's wind sequences as the main window loads them, against the generator's.

#include <string>

#include "CatalogueFixture.h"
#include "WindSequences.h"
#include "base/Real48.h"
#include "sprites/Sprite.h"

namespace assets::testing {
namespace {

sprites::TSprite& LeafSprite() {
    return CatalogueTest::Component<sprites::TSprite>("spriteBladeren");
}

TEST_F(CatalogueTest, EveryStepShowsItsLeafsFrameAndMovesAsTheGeneratorSays) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    ASSERT_EQ(list.Count(), 5);
    const base::Real48 tenth = base::Real48::FromDouble(assetgen::kWindStepTime);
    for (int32_t i = 0; i < 5; ++i) {
        const assetgen::WindSequence& wanted = assetgen::WindSequences()[size_t(i)];
        const sprites::TSequence& sequence = list.Items(i);
        EXPECT_EQ(sequence.Name(), assetgen::WindSequenceName(wanted));
        ASSERT_EQ(sequence.Count(), assetgen::kWindSteps);
        for (int step = 0; step < assetgen::kWindSteps; ++step) {
            const sprites::TFrameRef& ref = sequence.Items(step);
            const int32_t frameIndex = (wanted.leaf - 1) * 16 + assetgen::StripPositionOfStep(step);
            const std::string where = sequence.Name() + " step " + std::to_string(step);
            EXPECT_EQ(ref.FrameIndex(), frameIndex) << where;
            EXPECT_EQ(ref.FrameName(), LeafSprite().FrameList().Items(frameIndex).Name()) << where;
            EXPECT_EQ(ref.DX(), wanted.moves[size_t(step)].dx) << where;
            EXPECT_EQ(ref.DY(), wanted.moves[size_t(step)].dy) << where;
            EXPECT_EQ(ref.DZ(), 0) << where;
            EXPECT_EQ(ref.Time(), tenth) << where;
        }
    }
    EXPECT_EQ(Component<sprites::TSprite>("spriteLogos").SequenceList().Count(), 0);
}

// Sequences and steps are found by name: sequences whatever the case, steps by frame name.
TEST_F(CatalogueTest, SequencesAndStepsAreFoundByName) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    EXPECT_EQ(list.IndexOf("waai3"), 3);
    EXPECT_EQ(&list.SequenceByName("WAAI5"), &list.Items(4));
    sprites::TSequence& waai2 = list.SequenceByName("WAAI2");
    EXPECT_EQ(waai2.IndexOf("blad2_"), 0);
    EXPECT_EQ(waai2.IndexOf("blad2_30"), 15);
    EXPECT_EQ(waai2.IndexOf("blad1_30"), -1);
}

// The stored names were written over the default name "Sequence": its filler stays.
TEST_F(CatalogueTest, NamesKeepTheFillerOfTheDefaultName) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    for (int32_t i = 0; i < list.Count(); ++i) {
        const base::TName& stored = list.Items(i).StoredName();
        EXPECT_EQ(stored.length, 5);
        EXPECT_EQ(std::string(stored.chars.data(), 12), list.Items(i).Name() + "equence");
        EXPECT_EQ(stored.chars[12], '\0');
    }
}

}  // namespace
}  // namespace assets::testing
