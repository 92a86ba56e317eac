// A whole cycle of the scene on a small screen: every grid point covered, the leaves on the
// chosen logo's mask lifted newest first, then covered again, with the grid accounted for at
// every moment.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "SceneFixture.h"
#include "scene/StageBackground.h"

namespace scene {
namespace {

class CycleTest : public ::testing::Test {
  protected:
    CycleTest() : scene(640, 480, 77) {
        scene.Show();
        grid = scene.GridPoints();
    }

    TfrmMain& Form() { return *scene.form; }

    static GridPoint PointOf(const TLeafPos& leaf) { return {leaf.CentreX(), leaf.CentreY()}; }

    // The grid point a flying cover leaf is going to: its step-0 frame centred there.
    GridPoint TargetOf(const TLeaf& leaf) {
        const sprites::TSequence& sequence =
            leaf.Sprite->SequenceList().SequenceByName(leaf.Sprite->GetSequenceName());
        const sprites::TFrame& first = sequence.Items(0).Frame();
        return {leaf.TargetX + first.Width() / 2, leaf.TargetY + first.Height() / 2};
    }

    // Free points, landed leaves and (while covering) flying leaves' targets: the whole grid,
    // each point once.
    void ExpectGridAccountedFor() {
        std::vector<GridPoint> all;
        for (int32_t i = 0; i < Form().PosList.Count(); ++i) {
            all.emplace_back(Form().PosList.Items(i).X, Form().PosList.Items(i).Y);
        }
        for (int32_t i = 0; i < Form().LeafPosList.Count(); ++i) {
            all.push_back(PointOf(Form().LeafPosList.Items(i)));
        }
        if (Form().Phase == phCover) {
            for (int32_t i = 0; i < Form().LeafList.Count(); ++i) {
                all.push_back(TargetOf(Form().LeafList.Items(i)));
            }
        }
        std::sort(all.begin(), all.end());
        ASSERT_EQ(all, std::vector<GridPoint>(grid.begin(), grid.end()));
    }

    // Runs until the phase changes, checking the grid every 50 ms; false on a time-out.
    bool RunUntilPhaseChanges(uint64_t limit = 3600000) {
        const TPhase start = Form().Phase;
        for (uint64_t t = 0; t < limit; t += 50) {
            scene.backend.RunFor(50);
            scene.backend.ClearPresented();
            ExpectGridAccountedFor();
            if (::testing::Test::HasFatalFailure() || Form().Phase != start) {
                return Form().Phase != start;
            }
            lastSeen.assign(static_cast<size_t>(Form().LeafPosList.Count()), {});
            for (int32_t i = 0; i < Form().LeafPosList.Count(); ++i) {
                lastSeen[static_cast<size_t>(i)] = PointOf(Form().LeafPosList.Items(i));
            }
        }
        return false;
    }

    std::vector<GridPoint> OnMask(const std::vector<GridPoint>& landed) {
        std::vector<GridPoint> on;
        const gfx::Bitmap& mask = *Form().Masks[static_cast<size_t>(Form().LogoIndex)];
        for (const GridPoint& p : landed) {
            if (IsOnMask(mask, 640, 480, p.first, p.second)) {
                on.push_back(p);
            }
        }
        return on;
    }

    SceneFixture scene;
    std::set<GridPoint> grid;
    std::vector<GridPoint> lastSeen;
};

TEST_F(CycleTest, CoversRevealsTheNewLogoAndCoversAgain) {
    ASSERT_EQ(grid.size(), 88u);
    ASSERT_TRUE(RunUntilPhaseChanges()) << "the first cover never completed";
    // The cover ended with every point landed and nothing flying.
    EXPECT_EQ(lastSeen.size(), 88u);
    EXPECT_EQ(Form().Phase, phReveal);
    EXPECT_NE(Form().LogoIndex, 0);  // never the star first
    const int32_t firstLogo = Form().LogoIndex;

    // What must be lifted, newest first, and what must stay.
    std::vector<GridPoint> landed = lastSeen;
    std::vector<GridPoint> expectedLifts = OnMask(landed);
    std::reverse(expectedLifts.begin(), expectedLifts.end());
    ASSERT_FALSE(expectedLifts.empty());

    std::vector<GridPoint> lifts;
    std::vector<GridPoint> before = landed;
    const TPhase reveal = Form().Phase;
    for (uint64_t t = 0; Form().Phase == reveal && t < 3600000; t += 50) {
        scene.backend.RunFor(50);
        scene.backend.ClearPresented();
        std::vector<GridPoint> now;
        for (int32_t i = 0; i < Form().LeafPosList.Count(); ++i) {
            now.push_back(PointOf(Form().LeafPosList.Items(i)));
        }
        for (const GridPoint& p : before) {
            if (std::find(now.begin(), now.end(), p) == now.end()) {
                lifts.push_back(p);
            }
        }
        before = now;
        if (Form().Phase == reveal) {
            ExpectGridAccountedFor();
        }
    }
    ASSERT_NE(Form().Phase, reveal) << "the reveal never completed";
    EXPECT_EQ(lifts, expectedLifts);
    EXPECT_EQ(OnMask(before).size(), 0u);

    ASSERT_TRUE(RunUntilPhaseChanges()) << "the second cover never completed";
    EXPECT_EQ(lastSeen.size(), 88u);
    EXPECT_NE(Form().LogoIndex, firstLogo);  // the next logo always differs
}

}  // namespace
}  // namespace scene
