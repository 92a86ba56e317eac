// CheckHit: bounding rectangles for htRect, common opaque pixels for htPixel.

#include "StageFixture.h"

namespace sprites {
namespace {

class HitTestTest : public test::StageTest {
  protected:
    TSprite& Hitter(THitTest kind) {
        TSprite& sprite = MakeSprite();
        sprite.SetHitTest(kind);
        sprite.OnHit = [this](TSprite&, TSprite& whom) { hits_.push_back(&whom); };
        return sprite;
    }
    TSprite& Other(const char* frame, int32_t x, int32_t y, int32_t z = 0) {
        TSprite& sprite = MakeSprite();
        sprite.SetZ(z);
        Place(sprite, frame, x, y);
        return sprite;
    }
    std::vector<TSprite*> hits_;
};

TEST_F(HitTestTest, RectTestsReportEveryVisibleSpriteWhoseBoundsMeetInBoxOrder) {
    TSprite& deeper = Other("c", 10, 5, 5);
    TSprite& nearer = Other("c", 5, 5, -5);
    Other("c", 20, 0);  // touches the right edge only
    Other("c", 3, 3).SetVisible(false);
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
    TSprite& other = Other("a", 10, 10);  // its top-left 5 x 5 is transparent
    TSprite& sprite = Hitter(THitTest::htPixel);
    Place(sprite, "c", -5, 5);  // its corner meets only that transparent square
    EXPECT_TRUE(hits_.empty());
    sprite.SetX(-4);  // now column 15, opaque in both
    EXPECT_EQ(hits_, std::vector<TSprite*>{&other});
}

TEST_F(HitTestTest, AHandlerMayHideOrUnregisterSpritesWhileTheTestRuns) {
    TSprite& first = Other("c", 5, 0);
    Other("c", 6, 0);
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

}  // namespace
}  // namespace sprites
