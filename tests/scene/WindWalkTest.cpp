#include "scene/WindWalk.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace scene {
namespace {

// The walks of the stored sequences are worked through in LaunchTest; here the bounds and the
// sequence that never leaves them.
const WalkArea k1024x768{1024, 768};

TEST(WindWalkTest, BoundsAreTheScreenWidenedBy100) {
    EXPECT_TRUE(k1024x768.InBounds(-99, -99));
    EXPECT_FALSE(k1024x768.InBounds(-100, 0));
    EXPECT_FALSE(k1024x768.InBounds(0, -100));
    EXPECT_TRUE(k1024x768.InBounds(1123, 867));
    EXPECT_FALSE(k1024x768.InBounds(1124, 0));
    EXPECT_FALSE(k1024x768.InBounds(0, 868));
}

TEST(WindWalkTest, ASequenceThatNeverLeavesFailsInsteadOfLoopingForEver) {
    const std::vector<StepOffset> still = {{5, 0}, {-5, 0}};
    int32_t x = 10;
    int32_t y = 10;
    EXPECT_THROW(WalkBack(still, k1024x768, x, y, "STILL"), base::Exception);
    EXPECT_THROW(WalkBack({}, k1024x768, x, y, "EMPTY"), base::Exception);
    try {
        WalkForward(still, k1024x768, 0, x, y, "STILL");
        FAIL() << "the walk came back";
    } catch (const base::Exception& e) {
        EXPECT_STREQ(e.what(), "Wind sequence STILL never leaves the screen");
    }
}

}  // namespace
}  // namespace scene
