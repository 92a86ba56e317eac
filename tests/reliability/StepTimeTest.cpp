// Step times come from stored data: whatever a 6-byte real holds, a playing sprite gets a
// sound timer interval. Too long a time waits as long as the timer can; a negative one stops
// the ticks; nothing is undefined on the way.

#include <gtest/gtest.h>

#include <limits>

#include "SaverRig.h"

namespace reliability {
namespace {

// The largest and the most negative value the 6-byte form holds (about 1.7 x 10^38).
constexpr base::Real48 kLargest{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}};
constexpr base::Real48 kMostNegative{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

class StepTimeTest : public ::testing::Test {
  protected:
    StepTimeTest() : rig(320, 240, 1000, 5) {
        sprite = framework::NewComponent<sprites::TSprite>(rig.Form());
        sprite->SetSpriteBox(rig.Form().sbStage);
        sprite->SetFrameList(rig.Form().spriteBladeren->FrameList());
        sprite->SetSequenceList(rig.Form().spriteBladeren->SequenceList());
    }

    void SetEveryTime(const base::Real48& time) {
        sprites::TSequence& sequence = sprite->SequenceList().SequenceByName("WAAI1");
        for (int32_t i = 0; i < sequence.Count(); ++i) {
            sequence.Items(i).SetTime(time);
        }
    }

    SaverRig rig;
    sprites::TSprite* sprite = nullptr;
};

TEST_F(StepTimeTest, ATimeBeyondTheTimersRangeWaitsTheLongestAndANegativeOneNever) {
    ASSERT_GT(kLargest.ToDouble(), 1e38);
    SetEveryTime(kLargest);
    sprite->PlaySequence("WAAI1", -1);
    EXPECT_EQ(sprite->Timer().Interval(), std::numeric_limits<uint32_t>::max());
    EXPECT_TRUE(sprite->Timer().Enabled());

    SetEveryTime(kMostNegative);
    sprite->PlaySequence("WAAI1", -1);
    EXPECT_EQ(sprite->Timer().Interval(), 0u);
    const int32_t step = sprite->Step();
    rig.Run(1000);
    EXPECT_EQ(sprite->Step(), step) << "no tick moved the sprite on";
}

}  // namespace
}  // namespace reliability
