// TSprite as a component: defaults, the stored properties' rules and messages in design mode
// and at run time, copies sharing their source's lists, destruction, and the frame drawing.

#include <string>
#include <vector>

#include "StageFixture.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"

namespace sprites {
namespace {

using stage::ExpectFailure;
using stage::kColourA;

class SpriteTest : public stage::StageTest {};

TEST_F(SpriteTest, ANewSpriteHasTheDefaults) {
    TSprite sprite(nullptr);
    EXPECT_EQ(sprite.FrameIndex(), -1);
    EXPECT_EQ(sprite.CurrentFrame(), "");
    EXPECT_EQ(sprite.GetWidth(), -1);
    EXPECT_EQ(sprite.GetHeight(), -1);
    EXPECT_EQ(sprite.Plotmode(), TPlotMode{});
    EXPECT_TRUE(sprite.Plotmode().Contains(TPlot::BufferBackground));
    EXPECT_TRUE(sprite.Plotmode().Contains(TPlot::PlotTransparent));
    EXPECT_EQ(sprite.About(), "1.1e");
    EXPECT_EQ(sprite.Transparent(), framework::clBlack);
    EXPECT_EQ(sprite.HitTest(), THitTest::htNone);
    EXPECT_EQ(sprite.SpriteBox(), nullptr);
    EXPECT_EQ(sprite.GetSequenceName(), "");
    EXPECT_FALSE(sprite.Visible() || sprite.MirrorX() || sprite.MirrorY());
    EXPECT_FALSE(sprite.Timer().Enabled() || sprite.Released() || sprite.SharedLists());
    EXPECT_EQ(sprite.GetX() | sprite.GetY() | sprite.GetZ() | sprite.RepeatCount(), 0);
    EXPECT_EQ(sprite.GetMaskBitmap(), nullptr);
}

TEST_F(SpriteTest, TheAboutTextReadsAsTheVersionButDecidesHowStepsAreRead) {
    TSprite& sprite = MakeSprite();
    sprite.SetAbout("1.0");
    EXPECT_EQ(sprite.About(), "1.1e");
    base::MemoryStream old(stage::SequenceListBytes({{"OLD", {{"c", 3, 4, 0, 0.1}}}}, false));
    sprite.SequenceList().ReadData(old);
    EXPECT_EQ(old.Remaining(), 0u);
    EXPECT_EQ(sprite.SequenceList().Items(0).Items(0).DY(), 4);
}

TEST_F(SpriteTest, CurrentFrameFindsNamesExactlyAndReportsMissingOnes) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("b");
    EXPECT_EQ(sprite.FrameIndex(), 1);
    EXPECT_EQ(sprite.GetWidth(), 40);
    ExpectFailure<base::ESprite>([&] { sprite.SetCurrentFrame("B"); }, "Frame not found: B");
    EXPECT_EQ(sprite.CurrentFrame(), "b");
    sprite.SetCurrentFrame("None");
    sprite.SetCurrentFrame("");
    EXPECT_EQ(sprite.CurrentFrame(), "b");  // neither changes anything at run time
    const std::string longName = "c" + std::string(99, 'x');
    ExpectFailure<base::ESprite>([&] { sprite.SetCurrentFrame(longName); },
                                 "Frame not found: " + longName.substr(0, 80));
}

TEST_F(SpriteTest, ARunTimeFrameIndexOfMinusOneKeepsTheFrame) {
    TSprite& sprite = MakeSprite();
    sprite.SetFrameIndex(2);
    sprite.SetFrameIndex(-1);
    EXPECT_EQ(sprite.FrameIndex(), 2);
    EXPECT_EQ(sprite.CurrentFrame(), "c");
}

TEST_F(SpriteTest, InDesignModePropertiesAreCheckedAndStoredWithoutDrawing) {
    TSprite& sprite = MakeSprite();
    sprite.SetDesigning(true);
    sprite.SetCurrentFrame("a");
    sprite.SetVisible(true);
    sprite.SetX(50);
    EXPECT_EQ(sprite.FrameIndex(), 0);
    EXPECT_FALSE(sprite.Visible());  // MoveTo does nothing in design mode
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
    EXPECT_TRUE(backend_.Presented().empty());
}

TEST_F(SpriteTest, MirroringRedrawsAVisibleSpriteOnlyWhenItChanges) {
    TSprite& sprite = MakeSprite();
    Place(sprite, "a", 10, 20);
    sprite.SetMirrorX(false);
    EXPECT_TRUE(backend_.Presented().empty());
    // Mirrored, the picture lies one column further right (the stretch's convention for an
    // exchanged edge pair); the transparent corner goes to the top right.
    sprite.SetMirrorX(true);
    EXPECT_EQ(PresentedRects(), (std::vector<gfx::Rect>{{10, 20, 50, 50}}));
    EXPECT_TRUE(ShowsBackground({10, 20, 11, 50}));
    EXPECT_TRUE(Shows({11, 25, 50, 50}, kColourA));
    EXPECT_TRUE(ShowsBackground({46, 20, 50, 25}));
    EXPECT_EQ(Screen(45, 20), kColourA);
    sprite.SetMirrorY(true);
    EXPECT_TRUE(ShowsBackground({46, 46, 50, 50}));
    EXPECT_TRUE(ShowsBackground({10, 20, 50, 21}));
    EXPECT_EQ(Screen(45, 21), kColourA);
}

TEST_F(SpriteTest, TheSpriteBoxPropertyRegistersAndUnregisters) {
    TSprite& sprite = MakeSprite();
    EXPECT_EQ(box_->SpriteCount(), 1);
    sprite.SetSpriteBox(nullptr);
    EXPECT_EQ(box_->SpriteCount(), 0);
    sprite.SetSpriteBox(box_);
    EXPECT_EQ(box_->Sprites(0), &sprite);
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
    source.OnHit = [](TSprite&, TSprite&) {};
    const int componentsBefore = form_->ComponentCount();
    backend_.ClearPresented();

    TSprite& copy = TSprite::CreateCopy(source);
    EXPECT_EQ(moves, 0);  // no handler was assigned while the copy was being set up
    EXPECT_EQ(form_->ComponentCount(), componentsBefore + 1);
    EXPECT_EQ(copy.Owner(), form_);
    EXPECT_TRUE(copy.SharedLists());
    EXPECT_EQ(&copy.FrameList(), &source.FrameList());
    EXPECT_EQ(&copy.SequenceList(), &source.SequenceList());
    EXPECT_EQ(copy.SpriteBox(), box_);
    EXPECT_EQ(box_->SpriteCount(), 2);
    EXPECT_EQ(copy.GetX(), 30);
    EXPECT_EQ(copy.GetY(), 40);
    EXPECT_EQ(copy.GetZ(), 7);
    EXPECT_EQ(copy.HitTest(), THitTest::htRect);
    EXPECT_EQ(copy.GetSequenceName(), "S3");
    EXPECT_EQ(copy.CurrentFrame(), "b");
    EXPECT_TRUE(copy.MirrorY());
    EXPECT_EQ(copy.Plotmode(), TPlotMode{2});
    EXPECT_EQ(copy.Tag(), 5);
    EXPECT_FALSE(copy.Visible());
    EXPECT_FALSE(copy.Timer().Enabled());
    EXPECT_TRUE(backend_.Presented().empty());
    copy.SetX(31);
    EXPECT_EQ(moves, 1);  // the handlers were copied
    EXPECT_TRUE(static_cast<bool>(copy.OnHit));
}

TEST_F(SpriteTest, ACopySharesItsSourcesListsAndLeavesThemToTheSource) {
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
    EXPECT_EQ(source.SequenceList().Count(), 1);
    source.PlaySequence("S3", 1);
    EXPECT_EQ(source.CurrentFrame(), "b");
}

TEST_F(SpriteTest, CopiesOfADestroyedSourceAreLeftWithEmptyListsOfTheirOwn) {
    TSprite& source = MakeSprite();
    source.SetCurrentFrame("c");
    TSprite& copy = TSprite::CreateCopy(source);
    copy.PlaySequence("S3", -1);
    form_->DestroyComponent(&source);
    EXPECT_FALSE(copy.SharedLists());
    EXPECT_EQ(copy.FrameList().Count(), 0);
    EXPECT_EQ(copy.FrameIndex(), -1);
    EXPECT_FALSE(copy.Timer().Enabled());
    EXPECT_NO_THROW(copy.SetVisible(true));
    EXPECT_EQ(box_->SpriteCount(), 1);
}

TEST_F(SpriteTest, ACopyOfASourceWithoutAnOwnerFails) {
    TSprite orphan(nullptr);
    EXPECT_THROW(TSprite::CreateCopy(orphan), base::ESprite);
}

TEST_F(SpriteTest, ACopyOfALooseSpriteGetsItsOwnSavedBackground) {
    TSprite& source = MakeLooseSprite();
    Place(source, "a", 10, 10);
    TSprite& copy = TSprite::CreateCopy(source);
    ASSERT_NE(copy.Background(), nullptr);
    EXPECT_NE(copy.Background(), source.Background());
    EXPECT_EQ(copy.Background()->GetPixel(7, 7), source.Background()->GetPixel(7, 7));
}

TEST_F(SpriteTest, ReadingNewSequencesDropsTheCurrentOne) {
    TSprite& sprite = MakeSprite();
    sprite.SetSequence("S3");
    base::MemoryStream other(stage::SequenceListBytes({{"OTHER", {{"c", 1, 0, 0, 0.1}}}}, true));
    sprite.SequenceList().ReadData(other);
    EXPECT_EQ(sprite.CurrentSequence(), nullptr);
    EXPECT_EQ(sprite.GetSequenceName(), "");
}

TEST_F(SpriteTest, TheFrameDrawingsIgnoreMirroringAndPlotMode) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("a");
    sprite.SetMirrorX(true);
    sprite.SetPlotmode(TPlotMode{0});
    gfx::Bitmap target(50, 40);
    target.Fill(gfx::kWhite);
    sprite.DrawFrameTransparent(target.GetCanvas(), 2, 3);
    EXPECT_EQ(target.GetPixel(2, 3), gfx::kWhite);  // the transparent corner, unmirrored
    EXPECT_EQ(target.GetPixel(41, 3), kColourA);
    EXPECT_EQ(target.GetPixel(42, 3), gfx::kWhite);
    sprite.DrawFrameOpaque(target.GetCanvas(), 2, 3);
    EXPECT_EQ(target.GetPixel(2, 3), gfx::kBlack);
    EXPECT_EQ(sprite.GetMaskBitmap(), &sprite.FrameList().Mask());
    TSprite empty(nullptr);
    EXPECT_THROW(empty.DrawFrameOpaque(target.GetCanvas(), 0, 0), base::ESprite);
}

TEST_F(SpriteTest, DrawHonoursMirroringAndTheTransparencyOption) {
    TSprite& sprite = MakeSprite();
    sprite.SetCurrentFrame("a");
    gfx::Bitmap target(60, 40);
    target.Fill(gfx::kWhite);
    sprite.SetMirrorX(true);
    sprite.Draw(target.GetCanvas(), 1, 1, {10, 2, 0, 0});  // only the origin's corner counts
    EXPECT_EQ(target.GetPixel(12, 3), kColourA);
    EXPECT_EQ(target.GetPixel(50, 3), gfx::kWhite);
    sprite.SetPlotmode(TPlotMode{1});
    sprite.DrawScaled(target.GetCanvas(), 0, 0, {}, 0.5);
    EXPECT_EQ(target.GetPixel(19, 0), gfx::kBlack);  // opaque: the corner's black shows
}

}  // namespace
}  // namespace sprites
