#include "scene/SpawnInterval.h"

#include <gtest/gtest.h>

namespace scene {
namespace {

base::Real48 Ratio(double value) {
    return base::Real48::FromDouble(value);
}

TEST(SpawnIntervalTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(AdaptInterval(110, Ratio(0.9)), 104u);
    EXPECT_EQ(AdaptInterval(130, Ratio(0.9)), 124u);
    EXPECT_EQ(AdaptInterval(1010, Ratio(0.5)), 1060u);
    EXPECT_EQ(AdaptInterval(1030, Ratio(0.5)), 1082u);
}

TEST(SpawnIntervalTest, StaysBetweenItsBounds) {
    EXPECT_EQ(AdaptInterval(100, Ratio(0.9)), 100u);
    EXPECT_EQ(AdaptInterval(101, Ratio(0.9)), 96u);
    EXPECT_EQ(AdaptInterval(5000, Ratio(0.5)), 5000u);
    EXPECT_EQ(AdaptInterval(4999, Ratio(0.5)), 5249u);
    EXPECT_EQ(AdaptInterval(700, Ratio(0.75)), 700u);
    // The thresholds themselves change nothing: only above 0.83 or below 0.71.
    EXPECT_EQ(AdaptInterval(700, Ratio(0.83)), 700u);
    EXPECT_EQ(AdaptInterval(700, Ratio(0.71)), 700u);
}

TEST(SpawnIntervalTest, LoadRatioComparesMovesWithOnePerLeafEvery47Ms) {
    EXPECT_EQ(LoadRatio(0, 0, 0).ToDouble(), 1.0);
    // 10 leaves, 1000 ms, 100 moves: 100 / (21 * 10).
    EXPECT_NEAR(LoadRatio(100, 1000, 10).ToDouble(), 100.0 / 210.0, 1e-11);
    EXPECT_EQ(AdaptInterval(1000, LoadRatio(100, 1000, 10)), 1050u);
    // Under 47 ms there is no expected move to compare with.
    EXPECT_EQ(LoadRatio(5, 46, 3).ToDouble(), 1.0);
    // The elapsed time is taken across the counter's wrap by the caller's unsigned subtraction.
    const uint32_t last = 0xFFFFFF00u;
    const uint32_t now = 0x00000100u;
    EXPECT_NEAR(LoadRatio(10, now - last, 1).ToDouble(), 10.0 / (512 / 47), 1e-11);
}

}  // namespace
}  // namespace scene
