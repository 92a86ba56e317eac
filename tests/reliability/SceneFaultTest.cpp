// Exceptions from the saver's own handlers and from sprites reach the error box with the
// application's title as caption and the message with a full stop, and the saver goes on:
// the spawn timer and the sprites' timers tick, and a key still ends the saver.

#include <gtest/gtest.h>

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

    // The message loop with its error box, until a key ends the saver at kKeyAt (or a limit).
    void RunSaver() {
        rig.Backend().Schedule(kKeyAt,
                               [this] { rig.Backend().InjectKeyDown(rig.Form().Handle(), 'Q'); });
        rig.Backend().Schedule(kKeyAt + 5000, [] { platform::PostQuitMessage(1); });
        rig.Application().Run();
    }

    // Every box shows `message` and a full stop, captioned with the title; at least one came.
    void ExpectErrorBoxes(const std::string& message) {
        const auto& boxes = rig.Backend().MessageBoxes();
        ASSERT_FALSE(boxes.empty()) << "no error box for " << message;
        for (const platform::headless::MessageBoxRecord& box : boxes) {
            EXPECT_EQ(box.caption, scene::kSaverCaption);
            EXPECT_EQ(box.text, message + ".");
            EXPECT_EQ(box.type, platform::MB_OK | platform::MB_ICONSTOP);
            EXPECT_EQ(box.owner, rig.Form().Handle());
        }
    }

    // The timers ticked to the end and the key ended the saver.
    void ExpectTheSaverWentOn() {
        EXPECT_GE(beats, static_cast<int>(kKeyAt / 100) - 1);
        EXPECT_EQ(rig.Backend().QuitCode(), 0) << "the key ended the saver";
        EXPECT_LT(rig.Backend().Now(), kKeyAt + 100);
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

    int LeavesLaunched() const {
        return rig.Form().LeafList.Count() + rig.Form().LeafPosList.Count();
    }

    SaverRig rig;
    framework::TTimer* heartbeat = nullptr;
    int beats = 0;
};

TEST_F(SceneFaultTest, SpriteMoveEvent) {
    TSprite& sprite = PlayingCopy("WAAI1", -1);
    int moves = 0;
    sprite.OnMove = [&](TSprite&, int32_t&, int32_t&) {
        if (++moves == 3) {
            throw base::ESprite("Move went wrong");
        }
    };
    RunSaver();
    ExpectErrorBoxes("Move went wrong");
    EXPECT_EQ(rig.Backend().MessageBoxes().size(), 1u);
    EXPECT_GE(moves, 20) << "the sprite plays on after the failed report";
    EXPECT_GT(LeavesLaunched(), 0);
    ExpectTheSaverWentOn();
}

TEST_F(SceneFaultTest, SpriteFinishSequenceEvent) {
    TSprite& sprite = PlayingCopy("WAAI2", 3);
    int finishes = 0;
    sprite.OnFinishSequence = [&](TSprite&, int32_t&) {
        if (++finishes == 1) {
            throw base::ESprite("Finish went wrong");
        }
    };
    RunSaver();
    ExpectErrorBoxes("Finish went wrong");
    EXPECT_EQ(rig.Backend().MessageBoxes().size(), 1u);
    EXPECT_GT(LeavesLaunched(), 0);
    ExpectTheSaverWentOn();
}

// A step that cannot be read any more (its sequence was emptied while playing) fails the
// sprite's own tick; the sprite stops playing and the rest goes on.
TEST_F(SceneFaultTest, SpriteSequenceTick) {
    auto* sprite = framework::NewComponent<TSprite>(rig.Form());
    sprite->SetSpriteBox(rig.Form().sbStage);
    sprite->SetFrameList(rig.Form().spriteBladeren->FrameList());
    sprite->SetSequenceList(rig.Form().spriteBladeren->SequenceList());
    sprite->SetVisible(true);
    sprite->PlaySequence("WAAI2:5", -1);
    rig.Backend().Schedule(250,
                           [sprite] { sprite->SequenceList().SequenceByName("WAAI2").Clear(); });
    RunSaver();
    ASSERT_EQ(rig.Backend().MessageBoxes().size(), 1u);
    const std::string text = rig.Backend().MessageBoxes()[0].text;
    EXPECT_EQ(text.rfind("List index out of bounds (", 0), 0u) << text;
    EXPECT_EQ(text.back(), '.');
    EXPECT_FALSE(sprite->Timer().Enabled()) << "the failed sprite stopped playing";
    EXPECT_GT(LeavesLaunched(), 0);
    ExpectTheSaverWentOn();
}

// A landed leaf on the logo whose frame is no step of its sequence: the reveal launch fails
// with "Frame not found"; no further leaves are launched, everything else goes on.
TEST_F(SceneFaultTest, SpawnTimerHandler) {
    scene::TfrmMain& form = rig.Form();
    form.SetPhase(scene::phReveal);
    const sprites::TFrameList& frames = form.spriteBladeren->FrameList();
    const sprites::TFrame& frame = frames.Items(frames.IndexOf("blad2_"));
    form.LeafPosList.Add(std::make_unique<scene::TLeafPos>(320 - frame.Width() / 2,
                                                           240 - frame.Height() / 2, frame.Width(),
                                                           frame.Height(), "blad2_", "WAAI1"));
    RunSaver();
    ExpectErrorBoxes("Frame not found");
    EXPECT_EQ(rig.Backend().MessageBoxes().size(), 1u) << "the spawn timer stays off";
    EXPECT_FALSE(form.timerNextLeaf->Enabled());
    EXPECT_EQ(form.LeafList.Count(), 0);
    ExpectTheSaverWentOn();
}

// A live sprite that belongs to no leaf: its move reports fail with "Leaf bestaat niet" until
// it is no longer live; the leaves fly and land as before. Each box stays up a while, as a
// real one does, and the reports go on failing meanwhile.
TEST_F(SceneFaultTest, SpriteMoveHandlerOfTheScene) {
    rig.Backend().SetMessageBoxTime(150);
    TSprite& stray = PlayingCopy("WAAI3", -1);
    stray.SetTag(1);
    rig.Backend().Schedule(450, [&stray] { stray.SetTag(0); });
    RunSaver();
    ExpectErrorBoxes("Leaf bestaat niet");
    EXPECT_GE(rig.Backend().MessageBoxes().size(), 3u) << "one box for each failed report";
    EXPECT_GT(LeavesLaunched(), 0);
    ExpectTheSaverWentOn();
}

}  // namespace
}  // namespace reliability
