#include "scene/Grid.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

}  // namespace
}  // namespace scene
