// Exceptions from the saver's own handlers and from sprites reach the error box with the
// application's title as caption and the message with a full stop, and the saver goes on:
// the spawn timer and the sprites' timers tick, and a key still ends the saver.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "SaverRig.h"
#include "base/Exceptions.h"
#include "framework/Timer.h"

namespace reliability {
namespace {

using sprites::TSprite;

class SceneFaultTest : public ::testing::Test {
  protected:
    static constexpr uint64_t kKeyAt = 2500;

    SceneFaultTest() : rig(640, 480, 1000, 4242) {
        heartbeat = framework::NewComponent<framework::TTimer>(rig.Application());
        heartbeat->SetInterval(100);
        heartbeat->OnTimer = [this](framework::TComponent&) { ++beats; };
        rig.Show();
    }

    // Runs the message loop until a key ends the saver at kKeyAt (or a limit); then there were
    // `boxes` error boxes (0: at least three), each owned by the form, captioned with the
    // title and with a text matching `text`; the timers ticked to the end, the key ended the
    // saver, and leaves were launched (or, if not `leavesFly`, none is flying).
    void RunAndExpectFaults(const std::string& text, size_t boxes, bool leavesFly = true) {
        rig.Backend().Schedule(kKeyAt,
                               [this] { rig.Backend().InjectKeyDown(rig.Form().Handle(), 'Q'); });
        rig.Backend().Schedule(kKeyAt + 5000, [] { platform::PostQuitMessage(1); });
        rig.Application().Run();
        const auto& shown = rig.Backend().MessageBoxes();
        if (boxes == 0) {
            EXPECT_GE(shown.size(), 3u) << "one box for each failed report";
        } else {
            EXPECT_EQ(shown.size(), boxes);
        }
        for (const platform::headless::MessageBoxRecord& box : shown) {
            EXPECT_EQ(box.caption, scene::kSaverCaption);
            EXPECT_THAT(box.text, ::testing::MatchesRegex(text));
            EXPECT_EQ(box.type, platform::MB_OK | platform::MB_ICONSTOP);
            EXPECT_EQ(box.owner, rig.Form().Handle());
        }
        EXPECT_GE(beats, static_cast<int>(kKeyAt / 100) - 1);
        EXPECT_EQ(rig.Backend().QuitCode(), 0) << "the key ended the saver";
        EXPECT_LT(rig.Backend().Now(), kKeyAt + 100);
        if (leavesFly) {
            EXPECT_GT(rig.Form().LeafList.Count() + rig.Form().LeafPosList.Count(), 0);
        } else {
            EXPECT_EQ(rig.Form().LeafList.Count(), 0);
        }
    }

    // A copy of the leaf prototype, shown and playing a wind sequence from its first step.
    TSprite& PlayingCopy(const char* sequence, int32_t repeatCount) {
        TSprite& copy = TSprite::CreateCopy(*rig.Form().spriteBladeren);
        copy.SetX(200);
        copy.SetY(150);
        copy.SetVisible(true);
        copy.PlaySequence(sequence, repeatCount);
        return copy;
    }

    // A sprite of the stage that plays the leaf prototype's frames and sequences.
    TSprite& StageSprite() {
        auto* sprite = framework::NewComponent<TSprite>(rig.Form());
        sprite->SetSpriteBox(rig.Form().sbStage);
        sprite->SetFrameList(rig.Form().spriteBladeren->FrameList());
        sprite->SetSequenceList(rig.Form().spriteBladeren->SequenceList());
        return *sprite;
    }

    SaverRig rig;
    framework::TTimer* heartbeat = nullptr;
    int beats = 0;
};

TEST_F(SceneFaultTest, SpriteMoveEvent) {
    int moves = 0;
    PlayingCopy("WAAI1", -1).OnMove = [&](TSprite&, int32_t&, int32_t&) {
        if (++moves == 3) {
            throw base::ESprite("Move went wrong");
        }
    };
    RunAndExpectFaults("Move went wrong\\.", 1);
    EXPECT_GE(moves, 20) << "the sprite plays on after the failed report";
}

TEST_F(SceneFaultTest, SpriteFinishSequenceEvent) {
    int finishes = 0;
    PlayingCopy("WAAI2", 3).OnFinishSequence = [&](TSprite&, int32_t&) {
        if (++finishes == 1) {
            throw base::ESprite("Finish went wrong");
        }
    };
    RunAndExpectFaults("Finish went wrong\\.", 1);
}

// A step that cannot be read any more (its sequence was emptied while playing) fails the
// sprite's own tick; the sprite stops playing and the rest goes on.
TEST_F(SceneFaultTest, SpriteSequenceTick) {
    TSprite* sprite = &StageSprite();
    sprite->SetVisible(true);
    sprite->PlaySequence("WAAI2:5", -1);
    rig.Backend().Schedule(250,
                           [sprite] { sprite->SequenceList().SequenceByName("WAAI2").Clear(); });
    RunAndExpectFaults("List index out of bounds \\(.*\\)\\.", 1);
    EXPECT_FALSE(sprite->Timer().Enabled()) << "the failed sprite stopped playing";
}

// A landed leaf on the logo whose frame is no step of its sequence: the reveal launch fails
// with "Frame not found"; the spawn timer stays off, everything else goes on.
TEST_F(SceneFaultTest, SpawnTimerHandler) {
    scene::TfrmMain& form = rig.Form();
    form.SetPhase(scene::phReveal);
    const sprites::TFrameList& frames = form.spriteBladeren->FrameList();
    const sprites::TFrame& frame = frames.Items(frames.IndexOf("blad2_"));
    form.LeafPosList.Add(std::make_unique<scene::TLeafPos>(320 - frame.Width() / 2,
                                                           240 - frame.Height() / 2, frame.Width(),
                                                           frame.Height(), "blad2_", "WAAI1"));
    RunAndExpectFaults("Frame not found\\.", 1, false);
    EXPECT_FALSE(form.timerNextLeaf->Enabled());
}

// A live sprite that belongs to no leaf: its move reports fail with "Leaf bestaat niet" until
// it is no longer live; the leaves fly and land as before. Each box stays up a while, as a
// real one does, and the reports go on failing meanwhile.
TEST_F(SceneFaultTest, SpriteMoveHandlerOfTheScene) {
    rig.Backend().SetMessageBoxTime(150);
    TSprite& stray = PlayingCopy("WAAI3", -1);
    stray.SetTag(1);
    rig.Backend().Schedule(450, [&stray] { stray.SetTag(0); });
    RunAndExpectFaults("Leaf bestaat niet\\.", 0);
}

// Step times come from stored data: whatever a 6-byte real holds (up to about 1.7 x 10^38),
// a playing sprite gets a sound timer interval. Too long a time waits as long as the timer
// can; a negative one stops the ticks; nothing is undefined on the way.
TEST_F(SceneFaultTest, AStepTimeBeyondTheTimersRangeWaitsTheLongestAndANegativeOneNever) {
    TSprite& sprite = StageSprite();
    const auto playWithEveryTime = [&](const base::Real48& time) {
        sprites::TSequence& sequence = sprite.SequenceList().SequenceByName("WAAI1");
        for (int32_t i = 0; i < sequence.Count(); ++i) {
            sequence.Items(i).SetTime(time);
        }
        sprite.PlaySequence("WAAI1", -1);
    };
    constexpr base::Real48 kLargest{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}};
    ASSERT_GT(kLargest.ToDouble(), 1e38);
    playWithEveryTime(kLargest);
    EXPECT_EQ(sprite.Timer().Interval(), std::numeric_limits<uint32_t>::max());
    EXPECT_TRUE(sprite.Timer().Enabled());

    playWithEveryTime(base::Real48{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}});  // the most negative
    EXPECT_EQ(sprite.Timer().Interval(), 0u);
    const int32_t step = sprite.Step();
    rig.Run(1000);
    EXPECT_EQ(sprite.Step(), step) << "no tick moved the sprite on";
}

}  // namespace
}  // namespace reliability
