// TSprite as a component: the stored properties' rules and messages in design mode
// and at run time, copies sharing their source's lists, and the frame drawings.

#include <array>
#include <string>

#include "StageFixture.h"

namespace sprites {
namespace {

using namespace test;

class SpriteTest : public StageTest {};

// Reading new sequences drops the current one.
TEST_F(SpriteTest, TheAboutTextReadsAsTheVersionButDecidesHowStepsAreRead) {
    TSprite& sprite = MakeSprite();
    sprite.SetSequence("S3");
    sprite.SetAbout("1.0");
    EXPECT_EQ(sprite.About(), "1.1e");
    base::MemoryStream old(SequenceListBytes({{"OLD", {{"c", 3, 4, 0, 0.1}}}}, false));
    sprite.SequenceList().ReadData(old);
    EXPECT_EQ(old.Remaining(), 0u);
    EXPECT_EQ(sprite.SequenceList().Items(0).Items(0).DY(), 4);
    EXPECT_EQ(sprite.CurrentSequence(), nullptr);
    EXPECT_EQ(sprite.GetSequenceName(), "");
}

TEST_F(SpriteTest, RunTimeFrameChoicesFollowTheirRules) {
    TSprite& sprite = MakeSprite();
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
}

TEST_F(SpriteTest, InDesignModePropertiesAreCheckedAndStoredWithoutDrawing) {
    TSprite& sprite = MakeSprite();
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
    TSprite& sprite = MakeSprite();
    Place(sprite, "a", 10, 20);
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

TEST_F(SpriteTest, ACopyTakesItsSourcesStateButStaysHiddenAndIdle) {
    TSprite& source = MakeSprite();
    Place(source, "b", 30, 40);
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
    EXPECT_EQ((std::array{copy.GetX(), copy.GetY(), copy.GetZ()}), (std::array{30, 40, 7}));
    EXPECT_EQ(copy.HitTest(), THitTest::htRect);
    EXPECT_EQ(copy.GetSequenceName(), "S3");
    EXPECT_EQ(copy.CurrentFrame(), "b");
    EXPECT_TRUE(copy.MirrorY() && copy.SharedLists());
    EXPECT_EQ(copy.Plotmode(), TPlotMode{2});
    EXPECT_EQ(copy.Tag(), 5);
    EXPECT_FALSE(copy.Visible() || copy.Timer().Enabled());
    EXPECT_TRUE(Presented().empty());
    copy.SetX(31);
    EXPECT_EQ(moves, 1);  // the handlers came with it
    TSprite orphan(nullptr);
    EXPECT_THROW(TSprite::CreateCopy(orphan), base::ESprite);
}

// Copies share their source's lists and leave them to the source; once the source goes they
// are left with empty lists of their own.
TEST_F(SpriteTest, ACopySharesItsSourcesListsAndLosesThemWithTheSource) {
    TSprite& source = MakeSprite();
    TSprite& copy = TSprite::CreateCopy(source);
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
    EXPECT_EQ(sprite.GetMaskBitmap(), &sprite.FrameList().Mask());
    target.Fill(gfx::kWhite);
    sprite.SetPlotmode(TPlotMode{2});
    sprite.Draw(target.GetCanvas(), 1, 1, {10, 2, 0, 0});  // only the origin's corner counts
    EXPECT_EQ(target.GetPixel(12, 3), kColourA);
    EXPECT_EQ(target.GetPixel(50, 3), gfx::kWhite);
    TSprite empty(nullptr);
    EXPECT_THROW(empty.DrawFrameOpaque(target.GetCanvas(), 0, 0), base::ESprite);
}

}  // namespace
}  // namespace sprites
