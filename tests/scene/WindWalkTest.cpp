#include "scene/WindWalk.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace scene {
namespace {

// The moves of two stored wind sequences, step by step.
const std::vector<StepOffset> kWaai1 = {
    {-1, 0},   {76, -39}, {88, -35}, {80, -20}, {52, 13},  {7, 25},  {-39, 25}, {-72, 14},
    {-33, -4}, {1, -29},  {37, -39}, {47, -21}, {19, -15}, {35, -6}, {47, -1},  {53, 1}};
const std::vector<StepOffset> kWaai4 = {
    {1, 1},     {-9, -25},  {-11, -22}, {-16, -21}, {-18, -21}, {-17, -31}, {11, -24}, {-59, 0},
    {-49, -16}, {-50, -31}, {-62, -22}, {-36, -10}, {-17, -6},  {-27, -7},  {-37, -8}, {-31, -8}};
const WalkArea k1024x768{1024, 768};

TEST(WindWalkTest, CoverLaunchWalksBackToJustOutsideTheScreen) {
    int32_t x = -40;  // grid point (30, 30) with the 140 x 98 frame of step 0 centred on it
    int32_t y = -19;
    EXPECT_EQ(WalkBack(kWaai1, k1024x768, x, y, "WAAI1"), 14);
    EXPECT_EQ(x, -140);
    EXPECT_EQ(y, -19);
}

TEST(WindWalkTest, RevealLaunchWalksForwardUntilOutside) {
    int32_t x = 454;
    int32_t y = 318;
    int32_t taken = 0;
    // Count the steps by walking one at a time with a shrinking area check.
    WalkForward(kWaai4, k1024x768, 0, x, y, "WAAI4");
    EXPECT_EQ(x, -140);
    EXPECT_EQ(y, -92);
    int32_t sx = 454;
    int32_t sy = 318;
    for (int32_t k = 0; k1024x768.InBounds(sx, sy); k = (k + 1) % 16, ++taken) {
        sx += kWaai4[static_cast<size_t>(k)].dx;
        sy += kWaai4[static_cast<size_t>(k)].dy;
    }
    EXPECT_EQ(taken, 25);
}

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
    EXPECT_THROW(WalkForward(still, k1024x768, 0, x, y, "STILL"), base::Exception);
    EXPECT_THROW(WalkBack({}, k1024x768, x, y, "EMPTY"), base::Exception);
    try {
        WalkForward(still, k1024x768, 0, x, y, "STILL");
    } catch (const base::Exception& e) {
        EXPECT_STREQ(e.what(), "Wind sequence STILL never leaves the screen");
    }
}

}  // namespace
}  // namespace scene
