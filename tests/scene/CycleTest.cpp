// A whole cycle of the scene on a small screen: every grid point covered, the leaves on the
// chosen logo's mask lifted newest first, then covered again, with the grid accounted for at
// every moment.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SaverRig.h"
#include "scene/StageBackground.h"

namespace scene {
namespace {

using reliability::GridPoint;

class CycleTest : public ::testing::Test {
  protected:
    CycleTest() : rig(640, 480, 0, 77) { rig.Show(); }

    TfrmMain& Form() { return rig.Form(); }

    // Where the landed leaves lie, oldest first.
    std::vector<GridPoint> Landed() {
        std::vector<GridPoint> points;
        for (int32_t i = 0; i < Form().LeafPosList.Count(); ++i) {
            points.emplace_back(Form().LeafPosList.Items(i).CentreX(),
                                Form().LeafPosList.Items(i).CentreY());
        }
        return points;
    }

    // Runs until the phase changes, checking the grid every 50 ms and noting each leaf lifted;
    // false on a time-out. `beforeChange` is what lay just before the change.
    bool RunUntilPhaseChanges() {
        const TPhase start = Form().Phase;
        for (uint64_t t = 0; t < 3600000; t += 50) {
            rig.Run(50);
            const std::vector<GridPoint> now = Landed();
            for (const GridPoint& p : landed) {
                if (std::find(now.begin(), now.end(), p) == now.end()) {
                    lifted.push_back(p);
                }
            }
            beforeChange = std::move(landed);
            landed = now;
            if (Form().Phase != start) {
                return true;
            }
            EXPECT_EQ(rig.GridFault(), "");
            if (::testing::Test::HasFailure()) {
                return false;
            }
        }
        return false;
    }

    std::vector<GridPoint> OnMask(const std::vector<GridPoint>& points) {
        std::vector<GridPoint> on;
        const gfx::Bitmap& mask = *Form().Masks[static_cast<size_t>(Form().LogoIndex)];
        for (const GridPoint& p : points) {
            if (IsOnMask(mask, 640, 480, p.first, p.second)) {
                on.push_back(p);
            }
        }
        return on;
    }

    reliability::SaverRig rig;
    std::vector<GridPoint> landed;
    std::vector<GridPoint> beforeChange;
    std::vector<GridPoint> lifted;
};

TEST_F(CycleTest, CoversRevealsTheNewLogoAndCoversAgain) {
    ASSERT_EQ(rig.Grid().size(), 88u);
    ASSERT_TRUE(RunUntilPhaseChanges()) << "the first cover never completed";
    // The cover ended with every point landed and nothing flying.
    EXPECT_EQ(beforeChange.size(), 88u);
    EXPECT_EQ(Form().Phase, phReveal);
    EXPECT_NE(Form().LogoIndex, 0);  // never the star first
    const int32_t firstLogo = Form().LogoIndex;

    // What must be lifted, newest first, and what must stay.
    std::vector<GridPoint> expectedLifts = OnMask(beforeChange);
    std::reverse(expectedLifts.begin(), expectedLifts.end());
    ASSERT_FALSE(expectedLifts.empty());
    ASSERT_TRUE(RunUntilPhaseChanges()) << "the reveal never completed";
    EXPECT_EQ(lifted, expectedLifts);
    EXPECT_EQ(OnMask(landed).size(), 0u);

    ASSERT_TRUE(RunUntilPhaseChanges()) << "the second cover never completed";
    EXPECT_EQ(beforeChange.size(), 88u);
    EXPECT_NE(Form().LogoIndex, firstLogo);  // the next logo always differs
}

}  // namespace
}  // namespace scene
