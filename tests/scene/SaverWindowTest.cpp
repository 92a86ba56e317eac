// The saver window: what creation and the first showing set up, and every rule that ends it.

#include <gtest/gtest.h>

#include <tuple>

#include "SaverRig.h"

namespace scene {
namespace {

using platform::headless::MouseButton;

class SaverWindowTest : public ::testing::Test {
  protected:
    SaverWindowTest() : rig(800, 600, 0, 1234) { rig.Show(); }

    bool Ended() { return rig.Backend().QuitCode().has_value(); }
    void Move(int32_t x, int32_t y) {
        rig.Backend().InjectMouseMove(rig.Form().Handle(), x, y);
        rig.Backend().RunFor(1);
    }

    reliability::SaverRig rig;
};

TEST_F(SaverWindowTest, CoversTheScreenOnTopWithThePointerHidden) {
    TfrmMain& form = rig.Form();
    EXPECT_EQ(platform::FindWindowA(nullptr, "Vellamor Autumn"), form.Handle());
    EXPECT_EQ((gfx::Rect{form.Left(), form.Top(), form.Width(), form.Height()}),
              (gfx::Rect{0, 0, 800, 600}));
    EXPECT_EQ(form.FormStyle(), framework::fsStayOnTop);
    EXPECT_TRUE(rig.Backend().ScreenSaverRunning());
    EXPECT_EQ(rig.Backend().Cursor(), platform::CursorShape::None);
    EXPECT_EQ(form.sbStage->BoundsRect(), (gfx::Rect{0, 0, 800, 600}));
}

TEST_F(SaverWindowTest, TheFirstShowingTakesTheDesktopSnapshotOnce) {
    const gfx::Bitmap& background = rig.Form().sbStage->Picture().Bitmap();
    ASSERT_EQ(background.Width(), 800);
    ASSERT_EQ(background.Height(), 600);
    EXPECT_EQ(background.GetPixel(17, 23), gfx::MakePixel(17, 60, 23));
    EXPECT_EQ(rig.Backend().WindowSurface(rig.Form().Handle()).GetPixel(799, 599),
              gfx::MakePixel(799 % 256, 60, 599 % 256));
    gfx::Bitmap other(800, 600);
    other.Fill(gfx::kWhite);
    rig.Backend().SetDesktopPicture(other);
    rig.Form().Hide();
    rig.Form().Show();
    rig.Backend().RunFor(1);
    EXPECT_EQ(rig.Form().sbStage->Picture().Bitmap().GetPixel(17, 23), gfx::MakePixel(17, 60, 23));
}

// Without a picture of the desktop the leaves still come, over black, and the failure is
// shown.
TEST(SaverWithoutDesktopPictureTest, TheLeavesFallOnBlackAndTheFailureIsShown) {
    reliability::SaverRig rig(320, 240, 0, 1234);
    rig.Backend().RefuseScreenCapture(true);
    rig.Show();
    const auto& boxes = rig.Backend().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("CaptureScreen"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(rig.Form().Phase, phCover);
    EXPECT_EQ(rig.Form().sbStage->Picture().Bitmap().GetPixel(17, 23), gfx::kBlack);
    rig.Run(5000);
    EXPECT_GT(rig.Form().LeafList.Count() + rig.Form().LeafPosList.Count(), 0) << "no leaf came";
}

TEST_F(SaverWindowTest, ARestingPointerOnlySetsTheReference) {
    Move(400, 300);
    EXPECT_FALSE(Ended());
    Move(400, 300);
    EXPECT_FALSE(Ended());
    Move(400, 301);  // one pixel off
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*rig.Backend().QuitCode(), 0);
    EXPECT_FALSE(rig.Backend().ScreenSaverRunning());
    EXPECT_EQ(rig.Backend().Cursor(), platform::CursorShape::Arrow);
    EXPECT_FALSE(rig.Form().timerNextLeaf->Enabled());
    EXPECT_FALSE(rig.Form().timerBuildBackground->Enabled());
}

TEST_F(SaverWindowTest, AKeyOrAButtonEndsItWithoutMovement) {
    rig.Backend().InjectKeyDown(rig.Form().Handle(), 'A');
    rig.Backend().RunFor(1);
    EXPECT_TRUE(Ended());
    // The right button, and a side button over the stage, each on a fresh saver.
    for (const auto& [x, y, button] :
         {std::tuple{5, 5, MouseButton::Right}, std::tuple{300, 200, MouseButton::XButton2}}) {
        reliability::SaverRig other(640, 480, 0, 1234);
        other.Show();
        other.Backend().InjectMouseDown(other.Form().Handle(), x, y, button);
        other.Backend().RunFor(1);
        EXPECT_TRUE(other.Backend().QuitCode().has_value()) << x << "," << y;
    }
}

TEST_F(SaverWindowTest, ARefusedPasswordForgetsTheReference) {
    rig.passwordAnswer = false;
    Move(10, 10);
    Move(11, 10);  // asks, refused
    EXPECT_FALSE(Ended());
    EXPECT_FALSE(rig.Form().MouseSeen);
    EXPECT_TRUE(rig.Backend().ScreenSaverRunning());
    rig.passwordAnswer = true;
    Move(50, 50);  // only a new reference
    EXPECT_FALSE(Ended());
    Move(50, 51);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverWindowTest, RefusesToCloseAndSwallowsSaverStartRequests) {
    const platform::HWND handle = rig.Form().Handle();
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_SYSCOMMAND, platform::SC_SCREENSAVE, 0),
              1);
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_ERASEBKGND, 0, 0), 0);
    platform::SendMessageA(handle, platform::WM_CLOSE, 0, 0);
    rig.Backend().RunFor(1);
    EXPECT_TRUE(platform::IsWindow(handle));
    EXPECT_TRUE(rig.Form().Visible());
    EXPECT_FALSE(Ended());
}

}  // namespace
}  // namespace scene
