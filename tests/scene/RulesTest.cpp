// The scene's rules worked out without a window: the landing grid, the spawn interval, the
// logo mask's placement, the empty tile and the wind walks' bounds. (Tiling and the walks of
// the stored sequences are checked pixel for pixel in LaunchTest.)

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "scene/Grid.h"
#include "scene/SpawnInterval.h"
#include "scene/StageBackground.h"
#include "scene/WindWalk.h"

namespace scene {
namespace {

using Points = std::vector<std::pair<int32_t, int32_t>>;

Points Grid(int32_t width, int32_t height) {
    Points points;
    ForEachGridPoint(width, height, [&](int32_t x, int32_t y) { points.emplace_back(x, y); });
    return points;
}

TEST(GridTest, A1024x768ScreenHas221PointsAndAlternatesAcrossColumns) {
    const Points points = Grid(1024, 768);
    ASSERT_EQ(points.size(), 221u);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(points[static_cast<size_t>(r)].first, r % 2 == 0 ? 30 : 0) << r;
        EXPECT_EQ(points[static_cast<size_t>(r)].second, 30 + 60 * r);
    }
    // 13 rows is odd: the second column starts unshifted, at 60, not 90.
    EXPECT_EQ(points[13], std::make_pair(60, 30));
    EXPECT_EQ(points[14], std::make_pair(90, 90));
}

TEST(GridTest, AnEvenRowCountStartsEveryColumnShifted) {
    const Points points = Grid(640, 480);
    ASSERT_EQ(points.size(), 88u);
    for (int c = 0; c < 11; ++c) {
        EXPECT_EQ(points[static_cast<size_t>(c * 8)], std::make_pair(c * 60 + 30, 30)) << c;
    }
    EXPECT_EQ(Grid(800, 600).size(), 130u);
}

TEST(GridTest, SmallScreensStillGetOnePoint) {
    EXPECT_EQ(Grid(89, 89), (Points{{30, 30}}));
    EXPECT_EQ(Grid(20, 10), (Points{{30, 30}}));
    EXPECT_EQ(Grid(90, 89).size(), 2u);
}

// Halves go to the even neighbour; the interval stays within 96..5249 ms; the thresholds
// themselves (0.83 and 0.71) change nothing.
TEST(SpawnIntervalTest, AdaptsByFivePercentRoundingHalvesToEvenWithinItsBounds) {
    const struct {
        uint32_t interval;
        double ratio;
        uint32_t adapted;
    } cases[] = {{110, 0.9, 104},  {130, 0.9, 124},  {1010, 0.5, 1060}, {1030, 0.5, 1082},
                 {100, 0.9, 100},  {101, 0.9, 96},   {5000, 0.5, 5000}, {4999, 0.5, 5249},
                 {700, 0.75, 700}, {700, 0.83, 700}, {700, 0.71, 700}};
    for (const auto& c : cases) {
        EXPECT_EQ(AdaptInterval(c.interval, base::Real48::FromDouble(c.ratio)), c.adapted)
            << c.interval << " at " << c.ratio;
    }
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

// The empty tile must change nothing rather than divide by its size.
TEST(StageBackgroundTest, AnEmptyTileChangesNothing) {
    gfx::Bitmap dest(2, 1);
    dest.Fill(gfx::kWhite);
    TileBitmap(dest, gfx::Bitmap());
    EXPECT_EQ(dest.GetPixel(1, 0), gfx::kWhite);
}

TEST(StageBackgroundTest, MaskIsCentredOnTheScreen) {
    gfx::Bitmap mask(600, 400, gfx::PixelFormat::Mono);
    mask.Fill(gfx::kWhite);
    mask.SetPixel(300, 200, gfx::kBlack);  // the mask's centre
    mask.SetPixel(0, 0, gfx::kBlack);
    // More than 300 pixels left or 200 above the centre is off the mask.
    const struct {
        int32_t x, y;
        bool on;
    } cases[] = {{512, 384, true},  {513, 384, false}, {212, 184, true},
                 {211, 184, false}, {212, 183, false}, {-5000, 40000, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsOnMask(mask, 1024, 768, c.x, c.y), c.on) << c.x << "," << c.y;
    }
}

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
