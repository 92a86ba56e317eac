// The saver window: what creation and the first showing set up, and every rule that ends it.

#include <gtest/gtest.h>

#include "SceneFixture.h"

namespace scene {
namespace {

using platform::headless::MouseButton;

class SaverWindowTest : public ::testing::Test {
  protected:
    SaverWindowTest() : scene(800, 600) { scene.Show(); }

    bool Ended() const { return scene.backend.QuitCode().has_value(); }
    void Move(int32_t x, int32_t y) {
        scene.backend.InjectMouseMove(scene.form->Handle(), x, y);
        scene.backend.RunFor(1);
    }

    SceneFixture scene;
};

TEST_F(SaverWindowTest, CoversTheScreenOnTopWithThePointerHidden) {
    TfrmMain& form = *scene.form;
    EXPECT_EQ(form.Caption(), "Vellamor Autumn");
    EXPECT_EQ(platform::FindWindowA(nullptr, "Vellamor Autumn"), form.Handle());
    EXPECT_EQ((gfx::Rect{form.Left(), form.Top(), form.Width(), form.Height()}),
              (gfx::Rect{0, 0, 800, 600}));
    EXPECT_EQ(form.FormStyle(), framework::fsStayOnTop);
    EXPECT_TRUE(scene.backend.ScreenSaverRunning());
    EXPECT_EQ(scene.backend.Cursor(), platform::CursorShape::None);
    EXPECT_EQ(form.sbStage->BoundsRect(), (gfx::Rect{0, 0, 800, 600}));
    EXPECT_TRUE(form.timerNextLeaf->Enabled());
    EXPECT_TRUE(form.timerBuildBackground->Enabled());
    EXPECT_EQ(form.Phase, phCover);
}

TEST_F(SaverWindowTest, TheFirstShowingTakesTheDesktopSnapshotOnce) {
    const gfx::Bitmap& background = scene.Background();
    ASSERT_EQ(background.Width(), 800);
    ASSERT_EQ(background.Height(), 600);
    EXPECT_EQ(background.GetPixel(17, 23), gfx::MakePixel(17, 40, 23));
    EXPECT_EQ(scene.Screen().GetPixel(799, 599), gfx::MakePixel(799 % 256, 40, 599 % 256));
    gfx::Bitmap other(800, 600);
    other.Fill(gfx::kWhite);
    scene.backend.SetDesktopPicture(other);
    scene.form->Hide();
    scene.form->Show();
    scene.backend.RunFor(1);
    EXPECT_EQ(scene.Background().GetPixel(17, 23), gfx::MakePixel(17, 40, 23));
}

TEST_F(SaverWindowTest, ARestingPointerOnlySetsTheReference) {
    Move(400, 300);
    EXPECT_FALSE(Ended());
    Move(400, 300);
    EXPECT_FALSE(Ended());
    Move(400, 301);  // one pixel off
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*scene.backend.QuitCode(), 0);
    EXPECT_FALSE(scene.backend.ScreenSaverRunning());
    EXPECT_EQ(scene.backend.Cursor(), platform::CursorShape::Arrow);
    EXPECT_FALSE(scene.form->timerNextLeaf->Enabled());
    EXPECT_FALSE(scene.form->timerBuildBackground->Enabled());
}

TEST_F(SaverWindowTest, AKeyOrAButtonEndsItWithoutMovement) {
    scene.backend.InjectKeyDown(scene.form->Handle(), 'A');
    scene.backend.RunFor(1);
    EXPECT_TRUE(Ended());

    SceneFixture other(640, 480);
    other.Show();
    other.backend.InjectMouseDown(other.form->Handle(), 5, 5, MouseButton::Right);
    other.backend.RunFor(1);
    EXPECT_TRUE(other.backend.QuitCode().has_value());
}

TEST_F(SaverWindowTest, ARefusedPasswordForgetsTheReference) {
    scene.passwordAnswer = false;
    Move(10, 10);
    Move(11, 10);  // asks, refused
    EXPECT_FALSE(Ended());
    EXPECT_FALSE(scene.form->MouseSeen);
    EXPECT_TRUE(scene.backend.ScreenSaverRunning());
    scene.passwordAnswer = true;
    Move(50, 50);  // only a new reference
    EXPECT_FALSE(Ended());
    Move(50, 51);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverWindowTest, RefusesToCloseAndSwallowsSaverStartRequests) {
    const platform::HWND handle = scene.form->Handle();
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_SYSCOMMAND, platform::SC_SCREENSAVE, 0),
              1);
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(platform::SendMessageA(handle, platform::WM_ERASEBKGND, 0, 0), 0);
    platform::SendMessageA(handle, platform::WM_CLOSE, 0, 0);
    scene.backend.RunFor(1);
    EXPECT_TRUE(platform::IsWindow(handle));
    EXPECT_TRUE(scene.form->Visible());
    EXPECT_FALSE(Ended());
}

}  // namespace
}  // namespace scene
