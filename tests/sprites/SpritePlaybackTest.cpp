// Playing sequences on the sprite's timer: steps, repeat counts, the end-of-pass event, the
// play text, and the deferred destruction of a released sprite.

#include <array>

#include "StageFixture.h"
#include "base/Exceptions.h"
#include "sprites/SequenceText.h"

namespace sprites {
namespace {

using namespace test;

class SpritePlaybackTest : public StageTest {
  protected:
    void RecordFinishes(TSprite& sprite) {
        sprite.OnFinishSequence = [this](TSprite&, int32_t& count) { finishes_.push_back(count); };
    }
    std::vector<int32_t> finishes_;
};

TEST_F(SpritePlaybackTest, ThreeStepsPlayedOnceTickByTickLeaveTheLastFrameOnScreen) {
    TSprite& sprite = Placed("a", 10, 20);
    RecordFinishes(sprite);
    sprite.PlaySequence("S3", 1);
    // At once: step 0's move, step 1's frame for step 1's time.
    EXPECT_EQ(sprite.GetX(), 11);
    EXPECT_EQ(sprite.CurrentFrame(), "b");
    EXPECT_EQ(sprite.Timer().Interval(), 200u);
    EXPECT_TRUE(Shows({11, 20, 51, 45}, kColourB));
    backend_.RunFor(199);
    EXPECT_EQ(sprite.CurrentFrame(), "b");
    backend_.RunFor(1);
    EXPECT_EQ((std::array{sprite.GetX(), sprite.GetY()}), (std::array{13, 21}));
    EXPECT_EQ(sprite.CurrentFrame(), "c");
    EXPECT_EQ(sprite.Timer().Interval(), 300u);
    EXPECT_TRUE(finishes_.empty());
    backend_.RunFor(300);
    EXPECT_EQ(finishes_, std::vector<int32_t>{0});
    EXPECT_FALSE(sprite.Timer().Enabled());
    EXPECT_EQ(sprite.GetX(), 13);  // the last step's move is not applied
    EXPECT_TRUE(Shows({13, 21, 33, 31}, kColourC));
    backend_.RunFor(5000);
    EXPECT_EQ(finishes_.size(), 1u);
}

// Counts 0 and -1 play without end; the end-of-pass handler may prolong or stop playback.
TEST_F(SpritePlaybackTest, RepeatCountsAndTheEndOfPassHandler) {
    TSprite& endless = MakeSprite();
    TSprite& fromZero = MakeSprite();
    RecordFinishes(endless);
    RecordFinishes(fromZero);
    endless.PlaySequence("S3", -1);
    fromZero.PlaySequence("S3", 0);
    backend_.RunFor(1800);  // three passes of 0.6 s each
    EXPECT_EQ(finishes_, (std::vector<int32_t>(6, -1)));
    EXPECT_TRUE(endless.Timer().Enabled() && fromZero.Timer().Enabled());

    finishes_.clear();
    endless.OnFinishSequence = [&](TSprite&, int32_t& count) {
        finishes_.push_back(count);
        count = finishes_.size() < 2 ? 1 : 0;
    };
    fromZero.OnFinishSequence = nullptr;
    endless.PlaySequence("S3", 1);
    backend_.RunFor(5000);
    EXPECT_EQ(finishes_, (std::vector<int32_t>{0, 0}));
    EXPECT_FALSE(endless.Timer().Enabled());
}

// A failing end-of-pass handler still ends the last pass of a counted play.
TEST_F(SpritePlaybackTest, AFailingEndOfPassHandlerStillEndsTheLastPass) {
    TSprite& sprite = MakeSprite();
    sprite.OnFinishSequence = [](TSprite&, int32_t&) { throw base::ESprite("Finish went wrong"); };
    sprite.PlaySequence("S3", 1);
    EXPECT_THROW(backend_.RunFor(600), base::ESprite);
    EXPECT_FALSE(sprite.Timer().Enabled());
    EXPECT_EQ(sprite.RepeatCount(), 0);
}

TEST_F(SpritePlaybackTest, RestartingFromTheEndOfPassHandlerShowsTheFirstStepOnce) {
    TSprite& sprite = Placed("a", 10, 20);
    std::vector<int32_t> moves;
    sprite.OnMove = [&](TSprite&, int32_t& x, int32_t&) { moves.push_back(x); };
    sprite.OnFinishSequence = [&](TSprite& self, int32_t&) {
        finishes_.push_back(0);
        if (finishes_.size() == 1) {
            self.PlaySequence("S3", 1);
        }
    };
    sprite.PlaySequence("S3", 1);  // x 11, then 13 at 200 ms; the pass ends at 500 ms
    moves.clear();
    backend_.RunFor(500);
    EXPECT_EQ(moves, (std::vector<int32_t>{13, 14}));  // the restart's step 0, no second move
    EXPECT_EQ(sprite.CurrentFrame(), "b");
    backend_.RunFor(200);
    EXPECT_EQ(moves.back(), 16);
    EXPECT_EQ(sprite.CurrentFrame(), "c");
}

TEST(SequenceTextTest, SplitsAtTheFirstColonAndReadsOnlyLeadingDigits) {
    struct Case {
        const char* text;
        const char* name;
        int32_t step;
    };
    for (const Case& c : std::vector<Case>{{"WAAI3:12", "WAAI3", 12},
                                           {"WAAI3", "WAAI3", 0},
                                           {"A:B:3", "A", 0},
                                           {"A:\b\t\n\r 7 \x7f", "A", 7},
                                           {"A:12abc", "A", 12},
                                           {"A:-5", "A", 0},
                                           {"A: x4", "A", 0},
                                           {"A:99999999999", "A", 0},
                                           {":4", "", 4}}) {
        const TSequenceStart start = SplitSequenceText(c.text);
        EXPECT_EQ(start.name, c.name) << c.text;
        EXPECT_EQ(start.step, c.step) << c.text;
    }
}

TEST_F(SpritePlaybackTest, PlayTextsNameTheSequenceAndTheStartStep) {
    TSprite& sprite = MakeSprite();
    LoadSequences(sprite, {{"S3:1", {{"c", 5, 0, 0, 0.1}, {"c", 0, 0, 0, 0.1}}}});
    sprite.PlaySequence("s3: \t2x9", -1);  // step 2, a wrap, step 0; names ignore case
    EXPECT_EQ(sprite.GetX(), 4);
    EXPECT_EQ(sprite.CurrentFrame(), "a");
    EXPECT_EQ(sprite.GetSequenceName(), "S3");
    sprite.PlaySequence("S3:1", 1);  // a full name is not split
    EXPECT_EQ(sprite.GetSequenceName(), "S3:1");
    EXPECT_EQ(sprite.GetX(), 9);
}

TEST_F(SpritePlaybackTest, BadPlayRequestsFailWithoutStartingAnything) {
    TSprite& sprite = MakeSprite();
    ExpectFailure<base::ESprite>([&] { sprite.PlaySequence("NOPE", 1); },
                                 "SequenceByName: NOPE not found");
    EXPECT_THROW(sprite.PlaySequence("S3:3", 1), base::EListError);
    sprite.PlaySequence(":1", 1);  // no name: nothing plays
    EXPECT_FALSE(sprite.Timer().Enabled());
    EXPECT_EQ(sprite.GetSequenceName(), "");
    sprite.Release();
    sprite.PlaySequence("S3", 1);  // a released sprite plays no more
    EXPECT_FALSE(sprite.Timer().Enabled());
}

TEST_F(SpritePlaybackTest, ATickWithoutASequenceStopsTheTimerQuietly) {
    TSprite& sprite = MakeSprite();
    sprite.PlaySequence("S3", -1);
    sprite.SetSequence("");
    EXPECT_NO_THROW(backend_.RunFor(1000));
    EXPECT_FALSE(sprite.Timer().Enabled());
    EXPECT_EQ(sprite.GetX(), 1);
}

// A rename keeps the sequence current and playing; the list read anew drops it, even with a
// sequence of its new name in it.
TEST_F(SpritePlaybackTest, ARenamedSequencePlaysOnAndAListReadAnewDropsIt) {
    TSprite& sprite = Placed("a", 10, 20);
    sprite.PlaySequence("S3", -1);  // x 11, showing b for 0.2 s
    sprite.SequenceList().SequenceByName("S3").SetName("Renamed");
    EXPECT_EQ(sprite.GetSequenceName(), "Renamed");
    backend_.RunFor(200);
    EXPECT_EQ(sprite.GetX(), 13);
    EXPECT_EQ(sprite.CurrentFrame(), "c");
    EXPECT_TRUE(sprite.Timer().Enabled());
    LoadSequences(sprite, {{"Renamed", {{"a", 1, 0, 0, 0.1}}}});
    EXPECT_EQ(sprite.CurrentSequence(), nullptr);
    EXPECT_EQ(sprite.GetSequenceName(), "");
}

TEST_F(SpritePlaybackTest, AStepOfZeroTimeStallsAndANewSequenceGoesOnFromItsFirstStep) {
    TSprite& sprite = MakeSprite();
    LoadSequences(sprite, {{"Z", {{"c", 1, 0, 0, 0.1}, {"c", 10, 0, 0, 0.0004}}}});
    sprite.PlaySequence("Z", -1);
    EXPECT_EQ(sprite.Timer().Interval(), 0u);
    backend_.RunFor(1000);
    EXPECT_EQ(sprite.GetX(), 1);
    sprite.PlaySequence("S3", -1);  // x 2, showing b for 0.2 s
    sprite.SetSequence("z");
    backend_.RunFor(200);
    EXPECT_EQ(sprite.GetX(), 3);
}

// Sequences assigned from another sprite's list find their frames through that sprite; once
// it is gone they find none, and playing them shows no frame instead of reading freed memory.
TEST_F(SpritePlaybackTest, SequencesAssignedFromASpriteThatIsGoneFindNoFrames) {
    TSprite& lender = MakeSprite();
    TSprite& sprite = Placed("a", 10, 20);
    sprite.SetSequenceList(lender.SequenceList());
    EXPECT_EQ(sprite.SequenceList().Sprite(), &lender);
    EXPECT_EQ(sprite.SequenceList().SequenceByName("S3").Items(1).FrameIndex(), 1);
    form_->DestroyComponent(&lender);
    const TSequence& steps = sprite.SequenceList().SequenceByName("S3");
    EXPECT_EQ(sprite.SequenceList().Sprite(), nullptr);
    EXPECT_EQ(steps.Sprite(), nullptr);
    EXPECT_EQ(steps.Items(1).FrameIndex(), -1);
    sprite.PlaySequence("S3", -1);
    backend_.RunFor(1000);
    EXPECT_EQ(sprite.CurrentFrame(), "");
}

TEST_F(SpritePlaybackTest, AReleasedSpriteIsDestroyedByItsOwnerAtItsNextTick) {
    TSprite& sprite = Placed("a", 10, 20);
    const int before = form_->ComponentCount();
    sprite.OnMove = [&](TSprite& self, int32_t&, int32_t&) { self.Release(); };
    sprite.PlaySequence("S3", -1);
    backend_.RunFor(199);  // the next tick is due after step 1's time
    EXPECT_EQ(form_->ComponentCount(), before);
    backend_.RunFor(1);
    EXPECT_EQ(form_->ComponentCount(), before - 1);
    EXPECT_EQ(box_->SpriteCount(), 0);
    EXPECT_EQ(backend_.TimerCount(), 0u);
    EXPECT_TRUE(Shows({15, 20, 50, 50}, kColourA));  // destroying does not erase
    EXPECT_NO_THROW(backend_.RunFor(2000));

    // Released from the end-of-pass handler, a sprite is destroyed there.
    TSprite& next = MakeSprite();
    next.OnFinishSequence = [](TSprite& self, int32_t&) { self.Release(); };
    next.PlaySequence("S3", -1);
    backend_.RunFor(500);
    EXPECT_EQ(form_->ComponentCount(), before - 1);
    EXPECT_EQ(backend_.TimerCount(), 0u);
}

// A handler may start a tick inside the sprite's own calls (PlaySequence from OnMove, or from
// the end-of-pass handler). Released in that tick, the sprite lives until those calls end.
TEST_F(SpritePlaybackTest, ASpriteReleasedInATickItsHandlerStartedOutlivesTheCallsAroundIt) {
    const int before = form_->ComponentCount();
    TSprite& sprite = Placed("a", 10, 20);
    int moves = 0;
    sprite.OnMove = [&](TSprite& self, int32_t&, int32_t&) {
        if (++moves == 2) {
            self.PlaySequence("S3:2", 1);  // the last step: its pass ends at once
            EXPECT_EQ(form_->ComponentCount(), before + 1);
        }
    };
    sprite.OnFinishSequence = [](TSprite& self, int32_t&) { self.Release(); };
    sprite.PlaySequence("S3", -1);  // the first move, at x 11
    backend_.RunFor(200);           // the second, which the release leaves unmade
    EXPECT_EQ(form_->ComponentCount(), before + 1);
    EXPECT_EQ(sprite.GetX(), 11);
    backend_.RunFor(300);  // the next tick, after step 2's time
    EXPECT_EQ(form_->ComponentCount(), before);
    EXPECT_EQ(backend_.TimerCount(), 0u);

    TSprite& again = MakeSprite();
    int passes = 0;
    again.OnFinishSequence = [&](TSprite& self, int32_t&) {
        if (++passes == 1) {
            self.PlaySequence("S3:2", 1);
            EXPECT_EQ(form_->ComponentCount(), before + 1);
        } else {
            self.Release();
        }
    };
    again.PlaySequence("S3", -1);
    backend_.RunFor(500);  // the end of the first pass: destroyed once its handler is done
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(form_->ComponentCount(), before);
    EXPECT_EQ(backend_.TimerCount(), 0u);
}

}  // namespace
}  // namespace sprites
