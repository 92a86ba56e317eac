// The two kinds of launch, worked through on a 1024 x 768 screen, and what a landing and a
// lift leave in the background, pixel for pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "SaverRig.h"
#include "base/Random.h"
#include "sprites/FrameList.h"
#include "sprites/IOBitmap.h"

namespace scene {
namespace {

class LaunchTest : public ::testing::Test {
  protected:
    LaunchTest() : rig(1024, 768, 0, 1234) { rig.Show(); }

    TfrmMain& Form() { return rig.Form(); }
    platform::headless::HeadlessBackend& Backend() { return rig.Backend(); }
    const gfx::Bitmap& Background() { return Form().sbStage->Picture().Bitmap(); }
    sprites::TSprite& OnlyLeafSprite() {
        EXPECT_EQ(Form().LeafList.Count(), 1);
        return *Form().LeafList.Items(0).Sprite;
    }
    // A cover launch to (x, y) with the wind sequence of the given index.
    void LaunchCoverLeafTo(int32_t x, int32_t y, int32_t windIndex) {
        Form().PosList.Clear();
        Form().PosList.Add(std::make_unique<TPos>(x, y));
        for (uint32_t seed = 1;; ++seed) {  // the first seed that draws it
            base::SetRandSeed(seed);
            if (base::Random(5) == windIndex) {
                base::SetRandSeed(seed);
                break;
            }
        }
        Form().timerNextLeafTimer(Form());
        Form().timerNextLeaf->SetEnabled(false);  // no launches of its own in between
    }

    // A flight may take several passes of its sequence.
    void LandAll() {
        for (int i = 0; i < 200 && !Form().LeafList.Empty(); ++i) {
            Backend().RunFor(100);
        }
        ASSERT_TRUE(Form().LeafList.Empty());
    }

    // Whether the leaf frame's pixel at (dx, dy) inside the frame is opaque, and its colour.
    static bool Opaque(const sprites::TSprite& sprite, const std::string& frame, int32_t dx,
                       int32_t dy, gfx::Pixel& colour) {
        const sprites::TFrameList& list = sprite.FrameList();
        const sprites::TFrame& f = list.Items(list.IndexOf(frame));
        colour = list.Image().GetPixel(f.X() + dx, f.Y() + dy);
        return list.Mask().GetPixel(f.X() + dx, f.Y() + dy) == gfx::kBlack;
    }

    // The background and the screen under a leaf that just landed: `before` with the opaque
    // pixels of the leaf's frame stamped over it at the leaf's corner.
    void ExpectStamped(const gfx::Bitmap& before, const TLeafPos& leaf) {
        int32_t opaque = 0;
        for (int32_t dy = std::max(0, -leaf.Y); dy < leaf.Height; ++dy) {
            for (int32_t dx = std::max(0, -leaf.X); dx < leaf.Width; ++dx) {
                const int32_t x = leaf.X + dx;
                const int32_t y = leaf.Y + dy;
                gfx::Pixel colour = 0;
                const bool stamped = Opaque(*Form().spriteBladeren, leaf.FrameName, dx, dy, colour);
                opaque += stamped ? 1 : 0;
                const gfx::Pixel expected = stamped ? colour : before.GetPixel(x, y);
                ASSERT_EQ(Background().GetPixel(x, y), expected)
                    << leaf.SequenceName << " at " << x << "," << y;
                ASSERT_EQ(Backend().WindowSurface(Form().Handle()).GetPixel(x, y), expected)
                    << leaf.SequenceName << " at " << x << "," << y;
            }
        }
        EXPECT_GT(opaque, 0) << leaf.SequenceName;
    }

    reliability::SaverRig rig;
};

TEST_F(LaunchTest, ACoverLeafStartsOutsideAndLandsExactlyOnItsPoint) {
    LaunchCoverLeafTo(30, 30, 0);  // WAAI1
    const TLeaf& leaf = Form().LeafList.Items(0);
    // The 140 x 98 frame "blad1_" centred on (30, 30).
    EXPECT_EQ(std::tie(leaf.TargetX, leaf.TargetY), std::tuple(-40, -19));
    sprites::TSprite& sprite = OnlyLeafSprite();
    EXPECT_EQ(sprite.Tag(), 1);
    EXPECT_TRUE(sprite.Visible());
    // Placed at (-140, -19) and started at step 14, which it performed at once.
    EXPECT_EQ(std::tuple(sprite.GetX(), sprite.GetY()), std::tuple(-93, -20));
    EXPECT_EQ(sprite.CurrentFrame(), "blad1_30");
    EXPECT_TRUE(Form().PosList.Empty());

    Backend().RunFor(100);
    EXPECT_EQ(std::tuple(sprite.GetX(), sprite.GetY()), std::tuple(-40, -19));
    EXPECT_EQ(sprite.CurrentFrame(), "blad1_");
    EXPECT_EQ(Form().LeafList.Count(), 1);

    const gfx::Bitmap before = Background();
    Backend().RunFor(100);  // the next step's report finds it at its target
    EXPECT_TRUE(Form().LeafList.Empty());
    ASSERT_EQ(Form().LeafPosList.Count(), 1);
    const TLeafPos& landed = Form().LeafPosList.Items(0);
    EXPECT_EQ(std::tie(landed.X, landed.Y, landed.Width, landed.Height),
              std::tuple(-40, -19, 140, 98));
    EXPECT_EQ(landed.FrameName, "blad1_");
    EXPECT_EQ(landed.SequenceName, "WAAI1");

    ExpectStamped(before, landed);  // exactly where the sprite was
}

// At a point on the screen's left edge a first frame 200 pixels wide or more puts the target
// outside the widened screen already: the leaf still comes in by its sequence's last step and
// lands on the target showing the first frame.
TEST_F(LaunchTest, EveryWindLandsOnAPointAtTheLeftEdgeShowingItsFirstFrame) {
    for (int32_t wind = 0; wind < 5; ++wind) {
        LaunchCoverLeafTo(0, 30, wind);
        sprites::TSprite& sprite = OnlyLeafSprite();
        const sprites::TFrame& first =
            sprite.SequenceList().SequenceByName(sprite.GetSequenceName()).Items(0).Frame();
        const int32_t targetX = Form().LeafList.Items(0).TargetX;
        const int32_t targetY = Form().LeafList.Items(0).TargetY;
        EXPECT_EQ(targetX, -first.Width() / 2);
        const gfx::Bitmap before = Background();
        LandAll();
        const TLeafPos& landed = Form().LeafPosList.Items(Form().LeafPosList.Count() - 1);
        EXPECT_EQ(landed.FrameName, first.Name()) << landed.SequenceName;
        EXPECT_EQ(std::tie(landed.X, landed.Y, landed.Width, landed.Height),
                  std::tuple(targetX, targetY, first.Width(), first.Height()))
            << landed.SequenceName;
        ExpectStamped(before, landed);
    }
}

TEST_F(LaunchTest, ARevealLeafFliesOnFromWhereItLay) {
    Form().PosList.Clear();
    Form().LeafPosList.Add(std::make_unique<TLeafPos>(454, 318, 113, 145, "blad4_", "WAAI4"));
    Form().Phase = phReveal;
    Form().LogoIndex = 1;
    Form().timerNextLeafTimer(Form());

    const TLeaf& leaf = Form().LeafList.Items(0);
    EXPECT_EQ(std::tie(leaf.TargetX, leaf.TargetY), std::tuple(-140, -92));  // 25 steps on
    EXPECT_TRUE(Form().LeafPosList.Empty());
    ASSERT_EQ(Form().PosList.Count(), 1);
    EXPECT_EQ(std::tie(Form().PosList.Items(0).X, Form().PosList.Items(0).Y), std::tuple(510, 390));
    // Started at step 0: moved by (1, 1) at once and showing step 1's frame.
    EXPECT_EQ(std::tuple(OnlyLeafSprite().GetX(), OnlyLeafSprite().GetY()), std::tuple(455, 319));
    EXPECT_EQ(OnlyLeafSprite().CurrentFrame(), "blad4_02");

    Backend().RunFor(2600);  // 25 steps and the report at the target
    EXPECT_TRUE(Form().LeafList.Empty());
    EXPECT_TRUE(Form().LeafPosList.Empty());  // nothing lands while revealing
}

TEST_F(LaunchTest, ALiftRebuildsTileLogoAndTheOtherLeavesInLandingOrder) {
    LaunchCoverLeafTo(510, 390, 3);  // WAAI4 to the centre
    LandAll();
    LaunchCoverLeafTo(540, 420, 2);  // WAAI3 overlapping it
    LandAll();
    LaunchCoverLeafTo(480, 360, 4);  // WAAI5 overlapping both
    LandAll();
    ASSERT_EQ(Form().LeafPosList.Count(), 3);
    Form().LogoIndex = 2;
    const std::unique_ptr<TLeafPos> lifted = Form().LiftLeaf(0);
    ASSERT_NE(lifted, nullptr);
    ASSERT_EQ(Form().LeafPosList.Count(), 2);

    const gfx::Bitmap& tile = Form().bmpBack->Picture().Bitmap();
    const sprites::TFrameList& logos = Form().spriteLogos->FrameList();
    const sprites::TFrame& bar = logos.Items(2);
    const int32_t logoX = (1024 - bar.Width()) / 2;
    const int32_t logoY = (768 - bar.Height()) / 2;
    for (int32_t dy = 0; dy < lifted->Height; ++dy) {
        for (int32_t dx = 0; dx < lifted->Width; ++dx) {
            const int32_t x = lifted->X + dx;
            const int32_t y = lifted->Y + dy;
            gfx::Pixel expected = tile.GetPixel(dx % tile.Width(), dy % tile.Height());
            if (x >= logoX && x < logoX + bar.Width() && y >= logoY && y < logoY + bar.Height()) {
                expected = logos.Image().GetPixel(bar.X() + x - logoX, y - logoY);
            }
            for (int32_t i = 0; i < Form().LeafPosList.Count(); ++i) {
                const TLeafPos& other = Form().LeafPosList.Items(i);
                gfx::Pixel colour = 0;
                if (x >= other.X && x < other.X + other.Width && y >= other.Y &&
                    y < other.Y + other.Height &&
                    Opaque(*Form().spriteBladeren, other.FrameName, x - other.X, y - other.Y,
                           colour)) {
                    expected = colour;
                }
            }
            ASSERT_EQ(Background().GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(LaunchTest, LiftingFromAnEmptyListReturnsNothing) {
    const gfx::Bitmap before = Background();
    EXPECT_EQ(Form().LiftLeaf(0), nullptr);
    EXPECT_EQ(Background().GetPixel(100, 100), before.GetPixel(100, 100));
}

}  // namespace
}  // namespace scene
