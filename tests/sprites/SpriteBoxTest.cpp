// The sprite box: depth order, area redraws, painting, clipping, the projection, its sprites
// when it goes, and hit tests; and the TVSprite base it works through.

#include <algorithm>
#include <utility>

#include "StageFixture.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using namespace test;

// A sprite of fixed size that counts the runs of its SetX override.
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

TEST(VSpriteTest, CoordinatesKeepTheirLow16BitsAndLeftGoesThroughSetX) {
    BoxSprite sprite(nullptr);
    sprite.SetX(32768);
    sprite.SetY(65536 + 7);
    EXPECT_EQ(sprite.GetX(), -32768);
    EXPECT_EQ(sprite.GetY(), 7);
    sprite.SetLeft(20);
    sprite.SetTop(30);
    EXPECT_EQ(sprite.setXCalls, 2);
    EXPECT_EQ(sprite.GetBoundsRect(), (gfx::Rect{20, 30, 30, 40}));
    EXPECT_TRUE(sprite.IntersectsRect({29, 39, 100, 100}));
    sprite.width = -1;
    EXPECT_FALSE(sprite.IntersectsRect({0, 0, 100, 100}));
}

// Projection at large is held by the depth test of the sprite box; here only its rounding.
TEST(ThreeDTest, ProjectsInTruncatingIntegerArithmetic) {
    TThreeD threeD;
    threeD.SetXDis(10);
    threeD.SetDiaF(1);
    TProjection p;
    ASSERT_TRUE(threeD.Project(7, 0, 2, p));
    EXPECT_EQ(p.x, 9);  // 10 + (-3 div 2): towards zero
}

class SpriteBoxTest : public StageTest {};

TEST_F(SpriteBoxTest, DepthOrderIsDescendingAndTheLaterOfEqualDepthsIsDrawnAbove) {
    Placed("a", 10, 10);
    TSprite& second = Placed("b", 20, 15);
    EXPECT_EQ(box_->Sprites(1), &second);
    EXPECT_EQ(Screen(30, 20), kColourB);
    second.SetZ(5);
    EXPECT_EQ(box_->Sprites(0), &second);
    EXPECT_EQ(Screen(30, 20), kColourA);
    TSprite& third = MakeSprite();
    third.ChangeZ(5);  // a newcomer never passes sprites of equal depth
    EXPECT_EQ(box_->Sprites(1), &third);

    std::vector<TSprite*> sprites;
    for (int32_t z : {3, -1, 3, 8, 0, 8, -5}) {
        sprites.push_back(&MakeSprite());
        sprites.back()->ChangeZ(z);
    }
    for (int32_t i = 0; i < 20; ++i) {
        sprites[static_cast<size_t>(i * 5 % 7)]->SetZ((i * 37) % 11 - 5);
    }
    std::vector<int32_t> depths;
    for (int32_t i = 0; i < box_->SpriteCount(); ++i) {
        depths.push_back(box_->Sprites(i)->GetZ());
    }
    EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end(), std::greater<>()));
    EXPECT_THROW(box_->Sprites(10), base::EListError);
}

// An area that no sprite meets is restored from the picture; one larger than the scratch
// bitmap is composed whole.
TEST_F(SpriteBoxTest, AreasAreRestoredFromThePictureAndComposedWhole) {
    Placed("c", 250, 200);
    PaintScreen(kRed);
    box_->RedrawArea({5, 6, 85, 70}, 0);
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{5, 6, 85, 70}}));
    EXPECT_TRUE(ShowsBackground({5, 6, 85, 70}));
    EXPECT_TRUE(Shows({85, 0, 320, 240}, kRed));

    ASSERT_LT(TempBitmap()->Width(), 320);
    PaintScreen(kRed);
    box_->RedrawArea({-50, -50, 1000, 1000}, 0);  // cut to the box
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{0, 0, 320, 240}}));
    EXPECT_TRUE(ShowsBackground({0, 0, 250, 240}));
    EXPECT_TRUE(Shows({250, 200, 270, 210}, kColourC));
    EXPECT_GE(TempBitmap()->Width(), 320);
}

// Layers under opaque pixels of layers above are left out of a redraw: overlapping sprites,
// mirrored, opaque and transparent, give the pixels of drawing each whole, deepest first.
TEST_F(SpriteBoxTest, OverlappingSpritesGiveThePixelsOfDrawingEachWhole) {
    struct Leaf {
        const char* frame;
        int32_t x, y;
        bool mirrorX, mirrorY, opaque;
    };
    const Leaf leaves[] = {{"a", 10, 10, false, false, false}, {"b", 30, 18, true, false, false},
                           {"a", 22, 25, false, true, false},  {"c", 40, 30, true, true, true},
                           {"b", 5, 20, true, true, false},    {"a", 48, 12, true, false, false}};
    std::vector<TSprite*> sprites;
    for (const Leaf& leaf : leaves) {
        TSprite& sprite = Placed(leaf.frame, leaf.x, leaf.y);
        sprite.SetMirrorX(leaf.mirrorX);
        sprite.SetMirrorY(leaf.mirrorY);
        if (leaf.opaque) {
            TPlotMode mode;
            mode.Exclude(TPlot::PlotTransparent);
            sprite.SetPlotmode(mode);
        }
        sprites.push_back(&sprite);
    }
    gfx::Bitmap expected(*box_->Picture().Graphic());
    for (TSprite* sprite : sprites) {
        sprite->Draw(expected.GetCanvas(), sprite->GetX(), sprite->GetY(), {});
    }
    PaintScreen(kRed);
    box_->RedrawArea({0, 0, 120, 80}, 0);
    EXPECT_TRUE(
        Every({0, 0, 120, 80}, [&](int32_t x, int32_t y) { return expected.GetPixel(x, y); }));
}

// An opaque frame whose rectangle reaches past its strip draws nothing there, so it must not
// hide what lies under those pixels, mirrored or not.
TEST_F(SpriteBoxTest, AnOpaqueFrameReachingPastItsStripHidesOnlyWhatItDraws) {
    frames_->Items(2).SetWidth(30);  // "c": 10 columns and 10 rows past the 100 x 30 strip
    frames_->Items(2).SetHeight(40);
    TSprite& under = Placed("a", 30, 20, 1);
    TSprite& opaque = Placed("c", 20, 10);
    TPlotMode mode;
    mode.Exclude(TPlot::PlotTransparent);
    opaque.SetPlotmode(mode);
    for (const int mirror : {0, 1, 2, 3}) {
        opaque.SetMirrorX((mirror & 1) != 0);
        opaque.SetMirrorY((mirror & 2) != 0);
        gfx::Bitmap expected(*box_->Picture().Graphic());
        for (TSprite* sprite : {&under, &opaque}) {
            sprite->Draw(expected.GetCanvas(), sprite->GetX(), sprite->GetY(), {});
        }
        TempBitmap()->FillRect({0, 0, TempBitmap()->Width(), TempBitmap()->Height()}, kRed);
        PaintScreen(kRed);
        box_->RedrawArea({0, 0, 120, 80}, 0);
        EXPECT_TRUE(
            Every({0, 0, 120, 80}, [&](int32_t x, int32_t y) { return expected.GetPixel(x, y); }))
            << "mirror " << mirror;
    }
}

// An area's covers are measured only on its own rows: a sprite reaching past them must mark
// on those rows what it marks on the same rows of a taller area.
TEST_F(SpriteBoxTest, ASpriteCoversTheSameRowsWhereverTheAreaEnds) {
    TSprite& sprite = Placed("b", 0, 0);
    const auto columns = [](gfx::ColumnRange run) { return std::pair(run.begin, run.end); };
    for (const int mirror : {0, 1, 2, 3}) {
        sprite.SetMirrorX((mirror & 1) != 0);
        sprite.SetMirrorY((mirror & 2) != 0);
        gfx::CoveredRows tall;
        tall.Reset(100);
        sprite.CoverOpaquePixels(tall, 7, 40);
        for (int32_t top = 10; top <= 75; top += 5) {
            gfx::CoveredRows area;
            area.Reset(12);
            sprite.CoverOpaquePixels(area, 7, 40 - top);
            for (int32_t row = 0; row < 12; ++row) {
                EXPECT_EQ(columns(area.Row(row)), columns(tall.Row(top + row)))
                    << "mirror " << mirror << ", top " << top << ", row " << row;
            }
        }
    }
}

TEST_F(SpriteBoxTest, WhereThePictureHasNoPixelsTheAreaIsBlack) {
    TSprite& sprite = Placed("c", 10, 10);
    box_->Picture().SetBitmap(std::make_unique<gfx::Bitmap>(20, 20));
    box_->RedrawArea({0, 0, 40, 40}, 0);
    EXPECT_TRUE(Shows({20, 20, 40, 40}, gfx::kBlack));
    EXPECT_TRUE(Shows({10, 10, 30, 20}, kColourC));
    box_->Picture().SetBitmap(nullptr);
    box_->RedrawArea({0, 0, 40, 40}, 0);
    EXPECT_TRUE(Shows({0, 0, 10, 10}, gfx::kBlack));
    box_->SetParent(nullptr);  // without a form nothing is drawn at all
    backend_.ClearPresented();
    box_->RedrawArea({0, 0, 40, 40}, 0);
    box_->Paint();
    sprite.SetX(12);
    EXPECT_TRUE(Presented().empty());
}

TEST_F(SpriteBoxTest, PaintDrawsThePictureAndEveryVisibleSpriteInsideTheBox) {
    Placed("a", 180, 100);
    TSprite& hidden = MakeSprite();
    hidden.SetCurrentFrame("c");
    hidden.SetX(10);
    box_->SetBounds(10, 10, 200, 120);  // the sprite now reaches out of the box
    PaintScreen(kRed);
    box_->Paint();
    EXPECT_EQ(Screen(11, 11), BackgroundPixel(1, 1));
    EXPECT_EQ(Screen(20, 10), BackgroundPixel(10, 0));
    EXPECT_EQ(Screen(209, 115), kColourA);
    EXPECT_EQ(Screen(210, 115), kRed);
    EXPECT_EQ(Screen(200, 130), kRed);
    EXPECT_EQ(form_->Canvas().ClipRect(), std::nullopt);
    // A paint of the window touches nothing outside the area being painted.
    backend_.RunFor(0);  // the paint that the box's move asked for
    PaintScreen(kRed);
    form_->InvalidateRect({0, 0, 195, 240});
    backend_.RunFor(0);
    EXPECT_EQ(Screen(194, 115), kColourA);
    EXPECT_EQ(Screen(195, 115), kRed);
}

TEST_F(SpriteBoxTest, OnlyTheOutermostClipPairClipsAndRestoresAlsoWhenADrawingFails) {
    form_->Canvas().SelectClipRgn(gfx::Rect{0, 0, 100, 100});
    box_->SetBounds(50, 50, 200, 150);
    box_->BeginClip();
    box_->BeginClip();
    box_->EndClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{50, 50, 100, 100}));
    box_->EndClip();
    box_->EndClip();
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{0, 0, 100, 100}));
    // A sprite that cannot be drawn (projected far too large) gives the clip back too.
    TSprite& sprite = Placed("a", 60, 60);
    box_->ThreeD().SetEnabled(true);
    box_->ThreeD().SetDiaF(1 << 30);
    sprite.SetZ(1);
    EXPECT_THROW(box_->Paint(), base::EFrame);
    EXPECT_EQ(form_->Canvas().ClipRect(), (gfx::Rect{0, 0, 100, 100}));
}

TEST_F(SpriteBoxTest, DestroyingTheBoxLeavesItsSpritesWithoutOne) {
    TSprite& a = MakeSprite();
    TSprite& b = MakeSprite();
    BoxSprite plain(nullptr);
    box_->AddSprite(plain);
    form_->DestroyComponent(box_);
    EXPECT_EQ(a.SpriteBox(), nullptr);
    EXPECT_EQ(b.SpriteBox(), nullptr);
}

TEST_F(SpriteBoxTest, DepthScalesTheSpriteAndPullsItTowardsTheVanishingPoint) {
    box_->ThreeD().SetEnabled(true);
    box_->ThreeD().SetDiaF(100);
    TSprite& sprite = Placed("c", 200, 100, 100);
    EXPECT_TRUE(Shows({200, 100, 220, 110}, kColourC));
    sprite.SetZ(200);  // a change of depth: two areas, each at its own depth
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{200, 100, 220, 110}, {100, 50, 110, 55}}));
    EXPECT_TRUE(Shows({100, 50, 110, 55}, kColourC));
    EXPECT_TRUE(ShowsBackground({200, 100, 220, 110}));
    EXPECT_TRUE(ShowsBackground({110, 50, 111, 55}));
    PaintScreen(kRed);
    box_->RedrawArea({90, 40, 130, 70}, kScreenZ);  // already in screen coordinates
    box_->RedrawArea({0, 0, 40, 40}, 400);          // projected to (0, 0, 10, 10)
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{90, 40, 130, 70}, {0, 0, 10, 10}}));
    EXPECT_TRUE(Shows({100, 50, 110, 55}, kColourC));

    // Nothing is drawn at the depth without an image.
    sprite.SetZ(100);
    box_->ThreeD().SetZDis(-100);  // ZDis + Z = 0 for this sprite
    PaintScreen(kRed);
    box_->RedrawArea({0, 0, 40, 40}, 100);
    EXPECT_TRUE(Presented().empty());
    box_->RedrawArea({150, 50, 300, 200}, kScreenZ);
    EXPECT_TRUE(ShowsBackground({150, 50, 300, 200}));
    EXPECT_NO_THROW(box_->Paint());
}

class HitTestTest : public StageTest {
  protected:
    TSprite& Hitter(THitTest kind) {
        TSprite& sprite = MakeSprite();
        sprite.SetHitTest(kind);
        sprite.OnHit = [this](TSprite&, TSprite& whom) { hits_.push_back(&whom); };
        return sprite;
    }
    std::vector<TSprite*> hits_;
};

TEST_F(HitTestTest, RectTestsReportEveryVisibleSpriteWhoseBoundsMeetInBoxOrder) {
    TSprite& deeper = Placed("c", 10, 5, 5);
    TSprite& nearer = Placed("c", 5, 5, -5);
    Placed("c", 20, 0);  // touches the right edge only
    Placed("c", 3, 3).SetVisible(false);
    TSprite& sprite = Hitter(THitTest::htRect);
    Place(sprite, "c", 0, 0);
    EXPECT_EQ(hits_, (std::vector<TSprite*>{&deeper, &nearer}));
    sprite.SetVisible(false);  // a move that hides tests nothing
    sprite.SetHitTest(THitTest::htNone);
    sprite.SetVisible(true);
    sprite.SetHitTest(THitTest::htRect);
    sprite.SetSpriteBox(nullptr);
    sprite.CheckHit();
    EXPECT_EQ(hits_.size(), 2u);
}

TEST_F(HitTestTest, PixelTestsFindOverlappingOpaquePixelsAndIgnoreTransparentOnes) {
    TSprite& other = Placed("a", 10, 10);  // its top-left 5 x 5 is transparent
    TSprite& sprite = Hitter(THitTest::htPixel);
    Place(sprite, "c", -5, 5);  // its corner meets only that transparent square
    EXPECT_TRUE(hits_.empty());
    sprite.SetX(-4);  // now column 15, opaque in both
    EXPECT_EQ(hits_, std::vector<TSprite*>{&other});
}

TEST_F(HitTestTest, AHandlerMayHideOrUnregisterSpritesWhileTheTestRuns) {
    TSprite& first = Placed("c", 5, 0);
    Placed("c", 6, 0);
    TSprite& sprite = Hitter(THitTest::htRect);
    sprite.OnHit = [&](TSprite& self, TSprite& whom) {
        hits_.push_back(&whom);
        whom.SetVisible(false);
        whom.SetSpriteBox(nullptr);
        self.SetSpriteBox(nullptr);
    };
    Place(sprite, "c", 0, 0);
    EXPECT_EQ(hits_, std::vector<TSprite*>{&first});
}

// Bringing a reported sprite to the front moves it to the end of the box's list, behind the
// ones not yet looked at, and one that leaves the box moves the rest up: each sprite is still
// reported once, none is passed over.
TEST_F(HitTestTest, AHandlerThatResortsTheBoxGetsEachSpriteOnce) {
    TSprite& deeper = Placed("c", 5, 0, 5);
    TSprite& middle = Placed("c", 6, 0, 3);
    TSprite& sprite = Hitter(THitTest::htRect);
    sprite.OnHit = [&](TSprite&, TSprite& whom) {
        hits_.push_back(&whom);
        whom.SetZ(-10);
    };
    Place(sprite, "c", 0, 0);
    EXPECT_EQ(hits_, (std::vector<TSprite*>{&deeper, &middle}));

    deeper.SetVisible(false);
    middle.SetVisible(false);
    hits_.clear();
    TSprite& leaving = Placed("c", 105, 0, 5);
    TSprite& next = Placed("c", 106, 0, 4);
    TSprite& last = Placed("c", 107, 0, 3);
    sprite.OnHit = [&](TSprite&, TSprite& whom) {
        hits_.push_back(&whom);
        if (&whom == &leaving) {
            whom.SetSpriteBox(nullptr);
        }
    };
    Place(sprite, "c", 100, 0);
    EXPECT_EQ(hits_, (std::vector<TSprite*>{&leaving, &next, &last}));
}

}  // namespace
}  // namespace sprites
