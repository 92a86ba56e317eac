// The sprite box: depth order, area redraws, painting, clipping, the projection, and what
// happens to its sprites when it goes; and the TVSprite base it works through.

#include <algorithm>
#include <vector>

#include "StageFixture.h"
#include "base/Exceptions.h"
#include "sprites/ScratchArea.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using stage::kColourA;
using stage::kColourB;
using stage::kColourC;

// A sprite of fixed size that records where it is drawn and whether its SetX override ran.
class BoxSprite : public TVSprite {
  public:
    using TVSprite::TVSprite;
    int32_t GetWidth() const override { return width; }
    int32_t GetHeight() const override { return 10; }
    void Draw(gfx::Canvas&, int32_t, int32_t, const gfx::Rect&) override {}
    void DrawScaled(gfx::Canvas&, int32_t, int32_t, const gfx::Rect&, double) override {}
    void SetX(int32_t value) override {
        ++setXCalls;
        TVSprite::SetX(value);
    }
    int32_t width = 10;
    int setXCalls = 0;
};

TEST(VSpriteTest, CoordinatesKeepTheirLow16BitsAndReadBackSigned) {
    BoxSprite sprite(nullptr);
    sprite.SetX(32768);
    EXPECT_EQ(sprite.GetX(), -32768);
    sprite.SetY(65536 + 7);
    EXPECT_EQ(sprite.GetY(), 7);
    sprite.SetZ(-1);
    EXPECT_EQ(sprite.GetZ(), -1);
    sprite.SetLeft(5);
    EXPECT_EQ(sprite.setXCalls, 2);
    EXPECT_EQ(sprite.GetLeft(), 5);
    sprite.SetTop(9);
    EXPECT_EQ(sprite.GetTop(), 9);
}

TEST(VSpriteTest, BoundsMeetOnlyRectanglesThatShareAPixel) {
    BoxSprite sprite(nullptr);
    sprite.SetX(20);
    sprite.SetY(30);
    EXPECT_EQ(sprite.GetBoundsRect(), (gfx::Rect{20, 30, 30, 40}));
    EXPECT_TRUE(sprite.IntersectsRect({29, 39, 100, 100}));
    EXPECT_FALSE(sprite.IntersectsRect({30, 30, 40, 40}));  // touches the right edge only
    sprite.width = -1;
    EXPECT_FALSE(sprite.IntersectsRect({0, 0, 100, 100}));
}

TEST(ThreeDTest, ProjectsInTruncatingIntegerArithmetic) {
    TThreeD threeD;
    threeD.SetDiaF(100);
    TProjection p;
    ASSERT_TRUE(threeD.Project(200, 100, 100, p));
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 100);
    EXPECT_DOUBLE_EQ(p.scale, 1.0);
    ASSERT_TRUE(threeD.Project(200, 100, 200, p));
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 50);
    EXPECT_DOUBLE_EQ(p.scale, 0.5);
    threeD.SetXDis(10);
    threeD.SetDiaF(1);
    ASSERT_TRUE(threeD.Project(7, 0, 2, p));
    EXPECT_EQ(p.x, 9);  // 10 + (-3 div 2): towards zero
    threeD.SetZDis(-2);
    EXPECT_FALSE(threeD.Project(7, 0, 2, p));  // no image at ZDis + Z = 0
}

class SpriteBoxTest : public stage::StageTest {
  protected:
    std::vector<int32_t> Depths() const {
        std::vector<int32_t> depths;
        for (int32_t i = 0; i < box_->SpriteCount(); ++i) {
            depths.push_back(box_->Sprites(i)->GetZ());
        }
        return depths;
    }
};

TEST_F(SpriteBoxTest, ANewBoxIs210PixelsSquareWithoutProjection) {
    TSpriteBox box(nullptr);
    EXPECT_EQ(box.Width(), 210);
    EXPECT_EQ(box.Height(), 210);
    EXPECT_FALSE(box.ThreeD().Enabled());
    EXPECT_EQ(box.SpriteCount(), 0);
    EXPECT_THROW(box.Sprites(0), base::EListError);
    EXPECT_EQ(box.FormCanvas(), nullptr);
}

TEST_F(SpriteBoxTest, TheLaterOfTwoEqualDepthsIsDrawnAboveUntilItGoesDeeper) {
    TSprite& first = MakeSprite();
    TSprite& second = MakeSprite();
    Place(first, "a", 10, 10);
    Place(second, "b", 20, 15);
    EXPECT_EQ(box_->Sprites(1), &second);
    EXPECT_EQ(Screen(30, 20), kColourB);
    second.SetZ(5);
    EXPECT_EQ(box_->Sprites(0), &second);
    EXPECT_EQ(Screen(30, 20), kColourA);
    EXPECT_EQ(Screen(52, 40), kColourB);
}

TEST_F(SpriteBoxTest, TheListStaysInDescendingDepthWhateverTheChanges) {
    std::vector<TSprite*> sprites;
    for (int32_t z : {3, -1, 3, 8, 0, 8, -5}) {
        TSprite& sprite = MakeSprite();
        sprite.ChangeZ(z);
        sprites.push_back(&sprite);
    }
    for (int32_t i = 0; i < 20; ++i) {
        sprites[static_cast<size_t>(i * 5 % 7)]->SetZ((i * 37) % 11 - 5);
    }
    const std::vector<int32_t> depths = Depths();
    EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end(), std::greater<>()));
    EXPECT_EQ(depths.size(), 7u);
}

TEST_F(SpriteBoxTest, ANewSpriteStaysBehindAllOfEqualDepth) {
    TSprite& a = MakeSprite();
    TSprite& b = MakeSprite();
    a.ChangeZ(2);
    b.ChangeZ(2);
    TSprite& c = MakeSprite();
    c.ChangeZ(2);  // a re-sort: it does not pass a or b
    EXPECT_EQ(box_->Sprites(0), &a);
    EXPECT_EQ(box_->Sprites(1), &b);
    EXPECT_EQ(box_->Sprites(2), &c);
    box_->ResortSprite(c);
    TSprite loose(nullptr);
    box_->ResortSprite(loose);  // not registered: nothing happens
    EXPECT_EQ(box_->SpriteCount(), 3);
}

TEST_F(SpriteBoxTest, AnAreaThatNoSpriteMeetsIsRestoredFromThePicture) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "a", 100, 100);
    form_->Canvas().FillRect({0, 0, 90, 90}, framework::clRed);
    backend_.ClearPresented();
    box_->RedrawArea({5, 6, 85, 70}, 0);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{5, 6, 85, 70}}));
    EXPECT_TRUE(ShowsBackground({5, 6, 85, 70}));
    EXPECT_EQ(Screen(4, 6), framework::ColorToPixel(framework::clRed));
    EXPECT_EQ(Screen(85, 69), framework::ColorToPixel(framework::clRed));
}

TEST_F(SpriteBoxTest, AnAreaLargerThanTheScratchBitmapIsComposedWhole) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 250, 200);
    ASSERT_NE(TempBitmap(), nullptr);
    ASSERT_LT(TempBitmap()->Width(), stage::kStageWidth);
    form_->Canvas().FillRect({0, 0, stage::kStageWidth, stage::kStageHeight}, framework::clRed);
    backend_.ClearPresented();
    box_->RedrawArea({-50, -50, 1000, 1000}, 0);  // cut to the box
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{0, 0, 320, 240}}));
    EXPECT_TRUE(ShowsBackground({0, 0, 250, 240}));
    EXPECT_TRUE(Shows({250, 200, 270, 210}, kColourC));
    EXPECT_GE(TempBitmap()->Width(), stage::kStageWidth);
}

TEST_F(SpriteBoxTest, WithoutAPictureTheAreaIsBlackBehindTheSprites) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    box_->Picture().SetBitmap(std::make_unique<gfx::Bitmap>(20, 20));
    box_->RedrawArea({0, 0, 40, 40}, 0);
    EXPECT_TRUE(Shows({20, 20, 40, 40}, gfx::kBlack));  // outside the small picture
    EXPECT_TRUE(Shows({10, 10, 30, 20}, kColourC));
    box_->Picture().SetBitmap(nullptr);
    box_->RedrawArea({0, 0, 40, 40}, 0);
    EXPECT_TRUE(Shows({0, 0, 10, 10}, gfx::kBlack));
}

TEST_F(SpriteBoxTest, WithoutAFormNothingIsComposed) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "c", 10, 10);
    box_->SetParent(nullptr);
    backend_.ClearPresented();
    box_->RedrawArea({0, 0, 40, 40}, 0);
    box_->Paint();
    sprite.SetX(12);
    EXPECT_TRUE(backend_.Presented().empty());
}

TEST_F(SpriteBoxTest, PaintDrawsThePictureAndEveryVisibleSpriteInsideTheBox) {
    TSprite& sprite = MakeSprite();
    TSprite& hidden = MakeSprite();
    Place(sprite, "a", 180, 100);
    hidden.SetCurrentFrame("c");
    hidden.SetX(10);
    box_->SetBounds(10, 10, 200, 120);  // the sprite now reaches out of the box
    form_->Canvas().FillRect({0, 0, stage::kStageWidth, stage::kStageHeight}, framework::clRed);
    box_->Paint();
    const gfx::Pixel red = framework::ColorToPixel(framework::clRed);
    EXPECT_EQ(Screen(11, 11), stage::BackgroundPixel(1, 1));
    EXPECT_EQ(Screen(20, 10), stage::BackgroundPixel(10, 0));  // the hidden sprite is not drawn
    EXPECT_EQ(Screen(209, 115), kColourA);
    EXPECT_EQ(Screen(210, 115), red);  // clipped to the box
    EXPECT_EQ(Screen(200, 130), red);
    EXPECT_EQ(form_->Canvas().ClipRect(), std::nullopt);
}

TEST_F(SpriteBoxTest, OnlyTheOutermostClipPairClipsAndRestores) {
    form_->Canvas().SelectClipRgn(gfx::Rect{0, 0, 100, 100});
    box_->SetBounds(50, 50, 200, 150);
    box_->BeginClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{50, 50, 100, 100}));
    box_->BeginClip();
    box_->EndClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{50, 50, 100, 100}));
    box_->EndClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{0, 0, 100, 100}));
    box_->EndClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{0, 0, 100, 100}));
}

class ProjectionTest : public SpriteBoxTest {
  protected:
    ProjectionTest() {
        box_->ThreeD().SetEnabled(true);
        box_->ThreeD().SetDiaF(100);
    }
};

TEST_F(ProjectionTest, DepthScalesTheSpriteAndPullsItTowardsTheVanishingPoint) {
    TSprite& sprite = MakeSprite();
    sprite.SetZ(100);
    Place(sprite, "c", 200, 100);
    EXPECT_TRUE(Shows({200, 100, 220, 110}, kColourC));
    sprite.SetZ(200);  // a change of depth: two areas, each at its own depth
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{200, 100, 220, 110}, {100, 50, 110, 55}}));
    EXPECT_TRUE(Shows({100, 50, 110, 55}, kColourC));
    EXPECT_TRUE(ShowsBackground({200, 100, 220, 110}));
    EXPECT_TRUE(ShowsBackground({110, 50, 111, 55}));
}

TEST_F(ProjectionTest, AScreenDepthAreaIsTakenAsItIs) {
    TSprite& sprite = MakeSprite();
    sprite.SetZ(200);
    Place(sprite, "c", 200, 100);
    form_->Canvas().FillRect({0, 0, 200, 200}, framework::clRed);
    backend_.ClearPresented();
    box_->RedrawArea({90, 40, 130, 70}, kScreenZ);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{90, 40, 130, 70}}));
    EXPECT_TRUE(Shows({100, 50, 110, 55}, kColourC));
    box_->RedrawArea({0, 0, 40, 40}, 400);  // projected to (0, 0, 10, 10)
    EXPECT_EQ(PresentedRects().back(), (gfx::Rect{0, 0, 10, 10}));
}

TEST_F(ProjectionTest, NothingIsDrawnAtTheDepthWithoutAnImage) {
    TSprite& sprite = MakeSprite();
    sprite.SetZ(100);
    Place(sprite, "c", 200, 100);
    box_->ThreeD().SetZDis(-100);  // ZDis + Z = 0 for this sprite
    form_->Canvas().FillRect({0, 0, stage::kStageWidth, stage::kStageHeight}, framework::clRed);
    backend_.ClearPresented();
    box_->RedrawArea({0, 0, 40, 40}, 100);
    EXPECT_TRUE(backend_.Presented().empty());
    box_->RedrawArea({150, 50, 300, 200}, kScreenZ);
    EXPECT_TRUE(ShowsBackground({150, 50, 300, 200}));
    EXPECT_NO_THROW(box_->Paint());
}

TEST_F(SpriteBoxTest, DestroyingTheBoxLeavesItsSpritesWithoutOne) {
    TSprite& a = MakeSprite();
    TSprite& b = MakeSprite();
    form_->DestroyComponent(box_);
    EXPECT_EQ(a.SpriteBox(), nullptr);
    EXPECT_EQ(b.SpriteBox(), nullptr);
    BoxSprite plain(nullptr);
    auto* other = framework::NewComponent<TSpriteBox>(*form_);
    other->AddSprite(plain);
    EXPECT_NO_THROW(form_->DestroyComponent(other));
}

TEST(ScratchAreaTest, ThereIsNoScratchBitmapWhileNoFrameExists) {
    EXPECT_EQ(ScratchFor(10, 10), nullptr);  // no frame exists
}

}  // namespace
}  // namespace sprites
