// MoveTo and what reaches the screen: one area or two, the move events, release, plotting
// without a saved background, and sprites without a sprite box.

#include "StageFixture.h"

namespace sprites {
namespace {

using namespace test;

class SpriteMotionTest : public StageTest {};

TEST_F(SpriteMotionTest, AOnePixelMoveRedrawsOneAreaAndAFortyPixelMoveTwo) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("a");
    sprite.SetX(10);
    sprite.SetY(20);
    EXPECT_TRUE(Presented().empty());  // invisible: nothing drawn
    sprite.SetVisible(true);
    EXPECT_TRUE(Shows({15, 20, 50, 50}, kColourA));
    EXPECT_TRUE(ShowsBackground({10, 20, 15, 25}));  // the transparent corner
    backend_.ClearPresented();
    sprite.SetX(11);
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{10, 20, 51, 50}}));
    EXPECT_TRUE(ShowsBackground({10, 25, 11, 50}));
    backend_.ClearPresented();
    sprite.SetX(51);
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{11, 20, 51, 50}, {51, 20, 91, 50}}));
    EXPECT_TRUE(ShowsBackground({11, 20, 51, 50}));
    EXPECT_TRUE(Shows({56, 20, 91, 50}, kColourA));
}

TEST_F(SpriteMotionTest, TheOldAreaShowsWhatNowLiesThereAndHidingErases) {
    TSprite& under = MakeSprite();
    Place(under, "c", 100, 100);
    TSprite& sprite = MakeSprite();
    Place(sprite, "b", 90, 95);
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourB));
    sprite.SetY(150);
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourC));
    sprite.SetVisible(false);
    EXPECT_EQ(Presented().back(), (gfx::Rect{90, 150, 130, 180}));
    EXPECT_TRUE(ShowsBackground({90, 150, 130, 180}));
}

TEST_F(SpriteMotionTest, MoveHandlersSeeTheOldStateAndTheirChangesAreObeyed) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    std::vector<int32_t> seen;
    sprite.OnMove = [&](TSprite& self, int32_t& x, int32_t&) {
        seen = {self.GetX(), x};
        x += 100;
    };
    sprite.OnMove3D = [&](TSprite&, int32_t&, int32_t&, int32_t& z) { z = 3; };
    sprite.SetX(20);
    EXPECT_EQ(seen, (std::vector<int32_t>{10, 20}));
    EXPECT_EQ(sprite.GetX(), 120);
    EXPECT_EQ(sprite.GetZ(), 3);
    EXPECT_TRUE(Shows({120, 10, 140, 20}, kColourC));
    EXPECT_TRUE(ShowsBackground({10, 10, 30, 20}));
    sprite.OnMove = nullptr;
    sprite.SetX(20);  // not the current X: a real move
    EXPECT_TRUE(Shows({20, 10, 40, 20}, kColourC));
}

TEST_F(SpriteMotionTest, ReleaseFromInsideOnMoveStopsThatMoveAndAllLaterDrawing) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    int moves = 0;
    sprite.OnMove = [&](TSprite& self, int32_t&, int32_t&) {
        ++moves;
        self.Release();
    };
    sprite.SetX(50);
    sprite.SetVisible(false);
    EXPECT_EQ(moves, 2);  // the events still come
    EXPECT_EQ(sprite.GetX(), 10);
    EXPECT_TRUE(sprite.Visible());
    EXPECT_TRUE(Presented().empty());
}

TEST_F(SpriteMotionTest, WithoutBufferBackgroundASpriteLeavesATrailInThePicture) {
    TSprite& sprite = MakeSprite();
    sprite.SetPlotmode(TPlotMode{0});
    Place(sprite, "a", 10, 10);
    sprite.SetX(50);
    sprite.SetX(90);
    const gfx::Bitmap& picture = *box_->Picture().Graphic();
    for (int32_t x : {10, 50, 90}) {
        EXPECT_EQ(picture.GetPixel(x, 10), gfx::kBlack) << x;  // plotted opaque
        EXPECT_EQ(picture.GetPixel(x + 39, 39), kColourA) << x;
        EXPECT_TRUE(Shows({x + 5, 10, x + 40, 40}, kColourA)) << x;
    }
    box_->RedrawArea({0, 0, 200, 60}, 0);
    EXPECT_TRUE(Shows({15, 10, 50, 40}, kColourA));
}

TEST_F(SpriteMotionTest, AnIndexThatNamesNoFrameFailsBeforeAnythingChanges) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, 3, true), base::EListError);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, -2, true), base::EListError);
    EXPECT_EQ(sprite.GetX(), 10);
    EXPECT_EQ(sprite.FrameIndex(), 2);
    EXPECT_TRUE(Presented().empty());
    box_->Picture().SetBitmap(nullptr);
    sprite.SetX(5);  // an empty picture gets a bitmap of the box's size
    EXPECT_EQ(box_->Picture().Width(), 320);
}

TEST_F(SpriteMotionTest, ASpriteWithoutABoxSavesAndRestoresTheFormUnderIt) {
    box_->SetParent(nullptr);
    PaintScreen(kRed);
    TSprite& sprite = MakeSprite(false);
    Place(sprite, "a", 10, 20);
    EXPECT_EQ(sprite.Background()->Width(), 40);
    EXPECT_TRUE(Shows({15, 20, 50, 50}, kColourA));
    EXPECT_TRUE(Shows({10, 20, 15, 25}, kRed));
    sprite.SetX(12);  // overlapping: one composed copy
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{10, 20, 52, 50}}));
    EXPECT_TRUE(Shows({10, 20, 12, 50}, kRed));
    EXPECT_TRUE(Shows({17, 20, 52, 50}, kColourA));
    backend_.ClearPresented();
    sprite.SetX(100);  // apart: the old place back, then the new one
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{12, 20, 52, 50}, {100, 20, 140, 50}}));
    sprite.SetVisible(false);
    EXPECT_TRUE(Shows({0, 0, 320, 240}, kRed));

    TSprite& copy = TSprite::CreateCopy(sprite);  // with a saved background of its own
    EXPECT_NE(copy.Background(), sprite.Background());
    EXPECT_EQ(copy.Background()->GetPixel(7, 7), kRed);

    // Whose owner is no form cannot move.
    auto* stray = framework::NewComponent<TSprite>(root_);
    ExpectFailure<base::EConvertError>([&] { stray->SetX(3); }, "Invalid class typecast");
    TSprite orphan(nullptr);
    EXPECT_THROW(orphan.SetX(3), base::EConvertError);
}

}  // namespace
}  // namespace sprites
