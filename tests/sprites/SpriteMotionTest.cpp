// MoveTo and what reaches the screen: one area or two, the move events, release, plotting
// without a saved background, and sprites without a sprite box.

#include <vector>

#include "StageFixture.h"
#include "base/Exceptions.h"

namespace sprites {
namespace {

using stage::kColourA;
using stage::kColourB;
using stage::kColourC;

class SpriteMotionTest : public stage::StageTest {};

TEST_F(SpriteMotionTest, ShowingASpriteDrawsItsOpaquePixelsOverTheBackground) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("a");
    sprite.SetX(10);
    sprite.SetY(20);
    EXPECT_TRUE(backend_.Presented().empty());  // invisible: nothing drawn
    sprite.SetVisible(true);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{10, 20, 50, 50}}));
    EXPECT_TRUE(Shows({15, 20, 50, 50}, kColourA));
    EXPECT_TRUE(ShowsBackground({10, 20, 15, 25}));  // the transparent corner
}

TEST_F(SpriteMotionTest, AOnePixelMoveRedrawsOneAreaAndAFortyPixelMoveTwo) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "a", 10, 20);
    sprite.SetX(11);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{10, 20, 51, 50}}));
    EXPECT_TRUE(ShowsBackground({10, 25, 11, 50}));
    EXPECT_TRUE(Shows({16, 20, 51, 50}, kColourA));

    backend_.ClearPresented();
    sprite.SetX(51);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{11, 20, 51, 50}, {51, 20, 91, 50}}));
    EXPECT_TRUE(ShowsBackground({11, 20, 51, 50}));
    EXPECT_TRUE(Shows({56, 20, 91, 50}, kColourA));
}

TEST_F(SpriteMotionTest, TheOldAreaShowsWhatNowLiesThereAndHidingErases) {
    TSprite& under = MakeSprite();
    Place(under, "c", 100, 100);
    TSprite& sprite = MakeSprite();
    Place(sprite, "b", 90, 95);  // covers `under`, drawn above it
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourB));
    sprite.SetY(150);
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourC));
    sprite.SetVisible(false);
    EXPECT_EQ(PresentedRects().back(), (gfx::Rect{90, 150, 130, 180}));
    EXPECT_TRUE(ShowsBackground({90, 150, 130, 180}));
}

TEST_F(SpriteMotionTest, AnOnMoveHandlerThatChangesXIsObeyed) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    std::vector<int32_t> proposed;
    sprite.OnMove = [&](TSprite&, int32_t& x, int32_t&) {
        proposed.push_back(x);
        x += 100;
    };
    sprite.SetX(20);
    EXPECT_EQ(proposed, std::vector<int32_t>{20});
    EXPECT_EQ(sprite.GetX(), 120);
    EXPECT_TRUE(Shows({120, 10, 140, 20}, kColourC));
    EXPECT_TRUE(ShowsBackground({10, 10, 40, 20}));
    sprite.OnMove = nullptr;
    sprite.SetX(20);  // the value passed before is not the current one: a real move
    EXPECT_EQ(sprite.GetX(), 20);
    EXPECT_TRUE(Shows({20, 10, 40, 20}, kColourC));
}

TEST_F(SpriteMotionTest, TheMoveEventsSeeTheNewPlaceBeforeAnythingChanges) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    int32_t xSeen = 0;
    sprite.OnMove = [&](TSprite& self, int32_t&, int32_t&) { xSeen = self.GetX(); };
    sprite.OnMove3D = [&](TSprite&, int32_t&, int32_t& y, int32_t& z) {
        y = 77;
        z = 3;
    };
    sprite.MoveTo(30, 40, 0, 2, true);
    EXPECT_EQ(xSeen, 10);
    EXPECT_EQ(sprite.GetY(), 77);
    EXPECT_EQ(sprite.GetZ(), 3);
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
    EXPECT_EQ(sprite.GetX(), 10);
    EXPECT_TRUE(sprite.Released());
    sprite.SetVisible(false);
    EXPECT_EQ(moves, 2);  // the events still come
    EXPECT_TRUE(sprite.Visible());
    EXPECT_TRUE(backend_.Presented().empty());
    EXPECT_TRUE(Shows({10, 10, 30, 20}, kColourC));
}

TEST_F(SpriteMotionTest, WithoutBufferBackgroundASpriteLeavesATrailInThePicture) {
    TSprite& sprite = MakeSprite();
    sprite.SetPlotmode(TPlotMode{0});
    Place(sprite, "c", 10, 10);
    sprite.SetX(40);
    sprite.SetX(70);
    const gfx::Bitmap& picture = *box_->Picture().Graphic();
    for (int32_t x : {10, 40, 70}) {
        EXPECT_EQ(picture.GetPixel(x, 10), kColourC) << x;
        EXPECT_EQ(picture.GetPixel(x + 19, 19), kColourC) << x;
        EXPECT_TRUE(Shows({x, 10, x + 20, 20}, kColourC)) << x;
    }
    // A later area redraw takes the trail from the picture.
    box_->RedrawArea({0, 0, 100, 40}, 0);
    EXPECT_TRUE(Shows({10, 10, 30, 20}, kColourC));
    EXPECT_TRUE(ShowsBackground({0, 0, 10, 40}));
}

TEST_F(SpriteMotionTest, AnUnbufferedOpaquePlotCoversTheTransparentCornerToo) {
    TSprite& sprite = MakeSprite();
    sprite.SetPlotmode(TPlotMode{0});
    Place(sprite, "a", 10, 10);
    EXPECT_EQ(box_->Picture().Graphic()->GetPixel(10, 10), gfx::kBlack);
    EXPECT_EQ(Screen(10, 10), gfx::kBlack);
}

TEST_F(SpriteMotionTest, AnIndexThatNamesNoFrameFailsBeforeAnythingChanges) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, 3, true), base::EListError);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, -2, true), base::EListError);
    EXPECT_EQ(sprite.GetX(), 10);
    EXPECT_EQ(sprite.FrameIndex(), 2);
    EXPECT_TRUE(backend_.Presented().empty());
}

TEST_F(SpriteMotionTest, AnEmptyPictureGetsABitmapOfTheBoxSizeAtTheFirstMove) {
    box_->Picture().SetBitmap(nullptr);
    TSprite& sprite = MakeSprite();
    sprite.SetX(5);
    ASSERT_NE(box_->Picture().Graphic(), nullptr);
    EXPECT_EQ(box_->Picture().Graphic()->Width(), stage::kStageWidth);
    EXPECT_EQ(box_->Picture().Graphic()->Height(), stage::kStageHeight);
}

class LooseSpriteTest : public stage::StageTest {
  protected:
    // Paints the form's own pixels (not the box's background) so restoring can be checked.
    void PaintForm() {
        box_->SetParent(nullptr);
        form_->Canvas().FillRect({0, 0, stage::kStageWidth, stage::kStageHeight}, 0x00123456);
        backend_.ClearPresented();
    }
    bool ShowsForm(const gfx::Rect& r) const { return Shows(r, framework::ColorToPixel(0x123456)); }
};

TEST_F(LooseSpriteTest, ASpriteWithoutABoxSavesAndRestoresTheFormUnderIt) {
    PaintForm();
    TSprite& sprite = MakeLooseSprite();
    Place(sprite, "a", 10, 20);
    ASSERT_NE(sprite.Background(), nullptr);
    EXPECT_EQ(sprite.Background()->Width(), 40);
    EXPECT_EQ(sprite.Background()->Height(), 30);
    EXPECT_TRUE(Shows({15, 20, 50, 50}, kColourA));
    EXPECT_TRUE(ShowsForm({10, 20, 15, 25}));

    sprite.SetX(12);  // overlapping: one composed copy
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{10, 20, 52, 50}}));
    EXPECT_TRUE(ShowsForm({10, 20, 12, 50}));
    EXPECT_TRUE(Shows({17, 20, 52, 50}, kColourA));

    backend_.ClearPresented();
    sprite.SetX(100);  // apart: the old place back, then the new one
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{12, 20, 52, 50}, {100, 20, 140, 50}}));
    EXPECT_TRUE(ShowsForm({12, 20, 52, 50}));
    sprite.SetVisible(false);
    EXPECT_TRUE(ShowsForm({0, 0, stage::kStageWidth, stage::kStageHeight}));
}

TEST_F(LooseSpriteTest, ASpriteWithoutABoxWhoseOwnerIsNoFormCannotMove) {
    framework::TComponent owner(nullptr);
    auto* sprite = framework::NewComponent<TSprite>(owner);
    stage::ExpectFailure<base::EConvertError>([&] { sprite->SetX(3); }, "Invalid class typecast");
    TSprite orphan(nullptr);
    EXPECT_THROW(orphan.SetX(3), base::EConvertError);
}

}  // namespace
}  // namespace sprites
