// TSprite as a component: the stored properties' rules and messages in design mode and at run
// time, copies sharing their source's lists, and the frame drawings; and MoveTo with what
// reaches the screen: one area or two, the move events, release, plotting without a saved
// background, and sprites without a sprite box.

#include <array>
#include <string>

#include "StageFixture.h"

namespace sprites {
namespace {

using namespace test;

class SpriteTest : public StageTest {};

TEST_F(SpriteTest, FrameChoicesFollowTheirRulesAtRunTimeAndInDesignMode) {
    TSprite& sprite = MakeSprite();
    sprite.SetSequence("S3");
    base::MemoryStream other(SequenceListBytes({{"OLD", {{"c", 3, 4, 0, 0.1}}}}, true));
    sprite.SequenceList().ReadData(other);  // new sequences without it drop the current one
    EXPECT_EQ(sprite.CurrentSequence(), nullptr);
    EXPECT_EQ(sprite.GetSequenceName(), "");
    LoadSequences(sprite);
    sprite.SetCurrentFrame("b");
    EXPECT_EQ(sprite.FrameIndex(), 1);
    EXPECT_EQ(sprite.GetWidth(), 40);
    ExpectFailure<base::ESprite>([&] { sprite.SetCurrentFrame("B"); }, "Frame not found: B");
    sprite.SetCurrentFrame("None");
    sprite.SetCurrentFrame("");
    sprite.SetFrameIndex(-1);
    EXPECT_EQ(sprite.CurrentFrame(), "b");  // none of them changes anything
    const std::string longName = "c" + std::string(99, 'x');
    ExpectFailure<base::ESprite>([&] { sprite.SetCurrentFrame(longName); },
                                 "Frame not found: " + longName.substr(0, 80));

    // In design mode properties are checked and stored without drawing.
    sprite.SetDesigning(true);
    sprite.SetCurrentFrame("a");
    sprite.SetVisible(true);
    EXPECT_EQ(sprite.FrameIndex(), 0);
    EXPECT_FALSE(sprite.Visible());
    sprite.SetCurrentFrame("");
    EXPECT_EQ(sprite.FrameIndex(), -1);
    ExpectFailure<base::ESprite>([&] { sprite.SetFrameIndex(3); },
                                 "Frameindex should be between -1 and 2");
    ExpectFailure<base::ESprite>([&] { sprite.SetFrameIndex(-2); },
                                 "Frameindex should be between -1 and 2");
    TSprite empty(nullptr);
    empty.SetDesigning(true);
    ExpectFailure<base::ESprite>([&] { empty.SetFrameIndex(0); },
                                 "Frameindex should be between -1 and -1");
    sprite.PlaySequence("S3", 1);
    backend_.RunFor(1000);
    EXPECT_TRUE(Presented().empty());
}

TEST_F(SpriteTest, MirroringRedrawsAVisibleSpriteOnlyWhenItChanges) {
    TSprite& sprite = Placed("a", 10, 20);
    sprite.SetMirrorX(false);
    EXPECT_TRUE(Presented().empty());
    // Mirrored, the picture lies one column further right (the stretch's convention for an
    // exchanged edge pair); the transparent corner goes to the top right.
    sprite.SetMirrorX(true);
    EXPECT_EQ(Presented(), (std::vector<gfx::Rect>{{10, 20, 50, 50}}));
    EXPECT_TRUE(ShowsBackground({10, 20, 11, 50}));
    EXPECT_TRUE(ShowsBackground({46, 20, 50, 25}));
    EXPECT_TRUE(Shows({11, 25, 50, 50}, kColourA));
    sprite.SetMirrorY(true);
    EXPECT_TRUE(ShowsBackground({46, 46, 50, 50}));
    EXPECT_EQ(Screen(45, 21), kColourA);
}

TEST_F(SpriteTest, ACopyTakesItsSourcesStateAndListsButStaysHiddenAndIdle) {
    TSprite& source = Placed("b", 30, 40);
    source.SetZ(7);
    source.SetHitTest(THitTest::htRect);
    source.SetMirrorY(true);
    source.SetPlotmode(TPlotMode{2});
    source.SetTag(5);
    source.SetSequence("s3");
    int moves = 0;
    source.OnMove = [&](TSprite&, int32_t&, int32_t&) { ++moves; };
    backend_.ClearPresented();

    TSprite& copy = TSprite::CreateCopy(source);
    EXPECT_EQ(moves, 0);  // no handler was assigned while the copy was set up
    EXPECT_EQ(copy.Owner(), form_);
    EXPECT_EQ(&copy.FrameList(), &source.FrameList());
    EXPECT_EQ(&copy.SequenceList(), &source.SequenceList());
    EXPECT_EQ(box_->Sprites(1), &copy);  // registered after its source, of equal depth
    EXPECT_EQ((std::array{copy.GetX(), copy.GetY(), copy.GetZ(), copy.Tag()}),
              (std::array{30, 40, 7, 5}));
    EXPECT_EQ(copy.GetSequenceName() + "/" + copy.CurrentFrame(), "S3/b");
    EXPECT_TRUE(copy.HitTest() == THitTest::htRect && copy.Plotmode() == TPlotMode{2});
    EXPECT_TRUE(copy.MirrorY() && copy.SharedLists());
    EXPECT_FALSE(copy.Visible() || copy.Timer().Enabled());
    EXPECT_TRUE(Presented().empty());
    copy.SetX(31);
    EXPECT_EQ(moves, 1);  // the handlers came with it
    TSprite orphan(nullptr);
    EXPECT_THROW(TSprite::CreateCopy(orphan), base::ESprite);

    // Copies share their source's lists and leave them to the source; once the source goes
    // they are left with empty lists of their own.
    copy.SetTransparent(framework::clBlack);
    EXPECT_EQ(source.Transparent(), framework::clBlack);
    source.SetTransparent(framework::clBlue);
    EXPECT_EQ(copy.Transparent(), framework::clBlue);
    TSprite& copyOfCopy = TSprite::CreateCopy(copy);
    EXPECT_EQ(&copyOfCopy.FrameList(), &source.FrameList());
    form_->DestroyComponent(&copy);
    form_->DestroyComponent(&copyOfCopy);
    EXPECT_EQ(source.FrameList().Count(), 3);
    source.PlaySequence("S3", 1);
    EXPECT_EQ(source.CurrentFrame(), "b");

    TSprite& last = TSprite::CreateCopy(source);
    last.PlaySequence("S3", -1);
    form_->DestroyComponent(&source);
    EXPECT_FALSE(last.SharedLists());
    EXPECT_EQ(last.FrameList().Count(), 0);
    EXPECT_EQ(last.FrameIndex(), -1);
    EXPECT_FALSE(last.Timer().Enabled());
    EXPECT_NO_THROW(last.SetVisible(true));
}

TEST_F(SpriteTest, FrameDrawingsIgnoreMirroringAndPlotModeAndDrawHonoursThem) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("a");
    sprite.SetMirrorX(true);
    sprite.SetPlotmode(TPlotMode{0});
    gfx::Bitmap target(60, 40);
    target.Fill(gfx::kWhite);
    sprite.DrawFrameTransparent(target.GetCanvas(), 2, 3);
    EXPECT_EQ(target.GetPixel(2, 3), gfx::kWhite);  // the transparent corner, unmirrored
    EXPECT_EQ(target.GetPixel(41, 3), kColourA);
    sprite.DrawFrameOpaque(target.GetCanvas(), 2, 3);
    EXPECT_EQ(target.GetPixel(2, 3), gfx::kBlack);
    target.Fill(gfx::kWhite);
    sprite.SetPlotmode(TPlotMode{2});
    sprite.Draw(target.GetCanvas(), 1, 1, {10, 2, 0, 0});  // only the origin's corner counts
    EXPECT_EQ(target.GetPixel(12, 3), kColourA);
    EXPECT_EQ(target.GetPixel(50, 3), gfx::kWhite);
    TSprite empty(nullptr);
    EXPECT_THROW(empty.DrawFrameOpaque(target.GetCanvas(), 0, 0), base::ESprite);
}

TEST_F(SpriteTest, AOnePixelMoveRedrawsOneAreaAndAFortyPixelMoveTwo) {
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

TEST_F(SpriteTest, TheOldAreaShowsWhatNowLiesThereAndHidingErases) {
    Placed("c", 100, 100);
    TSprite& sprite = Placed("b", 90, 95);
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourB));
    sprite.SetY(150);
    EXPECT_TRUE(Shows({100, 100, 120, 110}, kColourC));
    sprite.SetVisible(false);
    EXPECT_EQ(Presented().back(), (gfx::Rect{90, 150, 130, 180}));
    EXPECT_TRUE(ShowsBackground({90, 150, 130, 180}));
}

TEST_F(SpriteTest, MoveHandlersSeeTheOldStateTheirChangesAreObeyedAndTheyMayRelease) {
    TSprite& sprite = Placed("c", 10, 10);
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

    // Release from inside OnMove stops that move and all later drawing.
    backend_.ClearPresented();
    int moves = 0;
    sprite.OnMove = [&](TSprite& self, int32_t&, int32_t&) {
        ++moves;
        self.Release();
    };
    sprite.SetX(50);
    sprite.SetVisible(false);
    EXPECT_EQ(moves, 2);  // the events still come
    EXPECT_EQ(sprite.GetX(), 20);
    EXPECT_TRUE(sprite.Visible());
    EXPECT_TRUE(Presented().empty());
}

TEST_F(SpriteTest, WithoutBufferBackgroundASpriteLeavesATrailInThePicture) {
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

TEST_F(SpriteTest, AnIndexThatNamesNoFrameFailsBeforeAnythingChanges) {
    TSprite& sprite = Placed("c", 10, 10);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, 3, true), base::EListError);
    EXPECT_THROW(sprite.MoveTo(50, 50, 0, -2, true), base::EListError);
    EXPECT_EQ(sprite.GetX(), 10);
    EXPECT_EQ(sprite.FrameIndex(), 2);
    EXPECT_TRUE(Presented().empty());
    box_->Picture().SetBitmap(nullptr);
    sprite.SetX(5);  // an empty picture gets a bitmap of the box's size
    EXPECT_EQ(box_->Picture().Width(), 320);
}

TEST_F(SpriteTest, ASpriteWithoutABoxSavesAndRestoresTheFormUnderIt) {
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
