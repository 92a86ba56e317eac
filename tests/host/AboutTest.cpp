#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "framework/Application.h"
#include "host/About.h"
#include "host/AboutDescription.h"
#include "host/AboutLayout.h"
#include "host/CaptionFont.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

using platform::HWND;

constexpr gfx::Pixel kPictureColour = 0x00A05020;

gfx::Bitmap AboutPicture() {
    gfx::Bitmap picture(about_layout::kPictureWidth, about_layout::kPictureHeight);
    picture.Fill(kPictureColour);
    return picture;
}

class AboutTest : public ::testing::Test {
  protected:
    AboutTest() {
        desk_ = backend_.AddForeignWindow("Desk", "Display", {0, 0, 400, 300});
        platform::SetForegroundWindow(desk_);
    }

    // The dialog as modes 1 and 2 make it: the main window, shown.
    TfrmAbout& OpenDialog(HWND caller) {
        SetStartupValues(caller == 0 ? smAbout : smConfigure, 0, caller);
        TfrmAbout* dialog = application_.CreateForm<TfrmAbout>(AboutPicture());
        dialog->Show();
        application_.ProcessMessages();
        return *dialog;
    }

    // Sends the key and lets the dialog handle it; true when the dialog ended the program.
    bool Press(TfrmAbout& dialog, platform::WPARAM key) {
        backend_.InjectKeyDown(dialog.Handle(), key);
        application_.ProcessMessages();
        return application_.Terminated();
    }

    // The OK button's inner edge once the dialog has handled what waits: raised and pushed in
    // show in it.
    gfx::Pixel ButtonInnerEdge(TfrmAbout& dialog) {
        application_.ProcessMessages();
        return platform::WindowSurface(dialog.Handle()).GetPixel(49, 249);
    }

    // A click of the left button: pressed at one place and let go at another.
    bool Click(TfrmAbout& dialog, int32_t x, int32_t y, int32_t upX, int32_t upY) {
        backend_.InjectMouseDown(dialog.Handle(), x, y);
        backend_.InjectMouseUp(dialog.Handle(), upX, upY);
        application_.ProcessMessages();
        return application_.Terminated();
    }

    platform::headless::HeadlessBackend backend_;
    framework::TApplication application_;
    HWND desk_ = 0;
};

// Without a caller no window is disabled or raised.
TEST_F(AboutTest, TheDialogIsTheCentredMainFormWithPictureAndItsButtonFocusedAndDefault) {
    backend_.SetScreenSize(1024, 768);
    const HWND other = backend_.AddForeignWindow("Other", "Other", {0, 0, 10, 10});
    TfrmAbout& dialog = OpenDialog(0);
    EXPECT_EQ(platform::GetWindowTextA(dialog.Handle()), "Over...");
    EXPECT_EQ(dialog.BorderStyle(), framework::bsDialog);
    const uint32_t style = platform::GetWindowLongA(dialog.Handle(), platform::GWL_STYLE);
    EXPECT_EQ(style & platform::WS_CAPTION, platform::WS_CAPTION);
    EXPECT_EQ(style & platform::WS_SYSMENU, 0u);
    EXPECT_NE(platform::GetWindowLongA(dialog.Handle(), platform::GWL_EXSTYLE) &
                  platform::WS_EX_DLGMODALFRAME,
              0u);
    EXPECT_TRUE(dialog.butOK->Default());
    EXPECT_TRUE(dialog.butOK->Focused());
    EXPECT_EQ(application_.MainForm(), &dialog);
    EXPECT_EQ(dialog.OwnerWindow(), 0u);
    EXPECT_EQ(platform::GetWindowOwner(dialog.Handle()), 0u);
    EXPECT_TRUE(platform::IsWindowEnabled(desk_));
    EXPECT_EQ(platform::GetWindowRect(dialog.Handle()), (gfx::Rect{401, 246, 622, 522}));
    const gfx::Bitmap& surface = platform::WindowSurface(dialog.Handle());
    EXPECT_EQ(surface.GetPixel(0, 0), kPictureColour);
    EXPECT_EQ(surface.GetPixel(220, 241), kPictureColour);
    EXPECT_EQ(surface.GetPixel(48, 248), gfx::kBlack) << "the default button's frame";
    EXPECT_EQ(surface.GetPixel(60, 260), framework::ColorToPixel(framework::clBtnFace));
    int textDots = 0;
    for (int32_t y = 250; y < 271; ++y) {
        for (int32_t x = 80; x < 98; ++x) {
            textDots += surface.GetPixel(x, y) == gfx::kBlack ? 1 : 0;
        }
    }
    EXPECT_GT(textDots, 20) << "the caption is drawn in the middle of the button";
    platform::SetForegroundWindow(other);
    EXPECT_TRUE(Press(dialog, platform::VK_RETURN));
    EXPECT_EQ(platform::GetForegroundWindow(), other);
    EXPECT_TRUE(platform::IsWindowEnabled(desk_));
}

TEST_F(AboutTest, TheStoredDescriptionReadsBackToTheSameDialog) {
    SetStartupValues(smAbout, 0, 0);
    const std::vector<uint8_t> stored = StoredAboutDescription(AboutPicture());
    TfrmAbout* dialog = application_.CreateForm<TfrmAbout>(std::span<const uint8_t>(stored));
    EXPECT_EQ(dialog->butOK->BoundsRect(), (gfx::Rect{48, 248, 129, 273}));
    ASSERT_NE(dialog->Image1->Picture().Graphic(), nullptr);
    EXPECT_EQ(dialog->Image1->Picture().Graphic()->GetPixel(223, 241), kPictureColour);
    EXPECT_TRUE(dialog->butOK->Focused());
}

TEST_F(AboutTest, ADescriptionWithoutItsControlsIsRefusedByName) {
    SetStartupValues(smAbout, 0, 0);
    framework::ObjectDescription description = AboutDescription(AboutPicture());
    description.children.pop_back();
    try {
        application_.CreateForm<TfrmAbout>(description);
        FAIL() << "a dialog without butOK was made";
    } catch (const base::EReadError& error) {
        EXPECT_NE(std::string(error.what()).find("butOK"), std::string::npos) << error.what();
    }
    description = AboutDescription(AboutPicture());
    description.children[0].className = "TButton";
    description.children[0].properties.resize(2);  // Left and Top only
    EXPECT_THROW(application_.CreateForm<TfrmAbout>(description), base::EReadError);
}

TEST_F(AboutTest, TheCallersWindowIsDisabledWhileUpAndRaisedAfterwards) {
    for (platform::WPARAM key : {platform::VK_RETURN, platform::VK_SPACE, platform::VK_ESCAPE}) {
        framework::TApplication application;  // one program run per key
        SetStartupValues(smConfigure, 0, desk_);
        TfrmAbout* dialog = application.CreateForm<TfrmAbout>(AboutPicture());
        EXPECT_FALSE(platform::IsWindowEnabled(desk_)) << "from the window's creation on";
        EXPECT_EQ(dialog->OwnerWindow(), desk_);
        EXPECT_EQ(platform::GetWindowOwner(dialog->Handle()), desk_) << "told the window system";
        dialog->Show();
        application.ProcessMessages();
        EXPECT_NE(platform::GetForegroundWindow(), desk_);
        backend_.InjectKeyDown(dialog->Handle(), key);
        backend_.InjectKeyUp(dialog->Handle(), key);
        application.ProcessMessages();
        EXPECT_TRUE(application.Terminated()) << "key " << key;
        EXPECT_TRUE(platform::IsWindowEnabled(desk_)) << "key " << key;
        EXPECT_EQ(platform::GetForegroundWindow(), desk_) << "key " << key;
    }
}

TEST_F(AboutTest, OtherKeysAndClicksBesideOkLeaveTheDialogUp) {
    TfrmAbout& dialog = OpenDialog(desk_);
    for (platform::WPARAM key : {platform::WPARAM{'A'}, platform::VK_TAB, platform::VK_BACK,
                                 platform::VK_F4, platform::WPARAM{'1'}}) {
        EXPECT_FALSE(Press(dialog, key)) << "key " << key;
    }
    EXPECT_FALSE(Click(dialog, 40, 260, 40, 260));
    EXPECT_FALSE(Click(dialog, 100, 100, 100, 100));
    EXPECT_FALSE(Click(dialog, 40, 260, 60, 260)) << "pressed beside OK, let go over it";
    backend_.InjectMouseDown(dialog.Handle(), 60, 260, platform::headless::MouseButton::Right);
    backend_.InjectMouseUp(dialog.Handle(), 60, 260);
    application_.ProcessMessages();
    EXPECT_FALSE(application_.Terminated());
    EXPECT_TRUE(dialog.Visible());
    EXPECT_FALSE(platform::IsWindowEnabled(desk_));
    EXPECT_TRUE(Click(dialog, 128, 272, 128, 272));
    EXPECT_TRUE(platform::IsWindowEnabled(desk_));
}

// OK clicks when the left button, pressed over it, is let go over it, as a system button does:
// it shows pushed in while held over it, and a press taken off it and let go does nothing.
TEST_F(AboutTest, OkClicksOnlyWhenThePressIsLetGoOverIt) {
    TfrmAbout& dialog = OpenDialog(desk_);
    const auto innerEdge = [&] { return ButtonInnerEdge(dialog); };
    const gfx::Pixel raised = innerEdge();
    backend_.InjectMouseDown(dialog.Handle(), 60, 260);
    EXPECT_NE(innerEdge(), raised) << "pushed in";
    EXPECT_TRUE(dialog.butOK->Pushed());
    EXPECT_EQ(backend_.CaptureWindow(), dialog.Handle());
    backend_.InjectMouseMove(dialog.Handle(), 150, 200, true);
    EXPECT_EQ(innerEdge(), raised) << "held off the button";
    backend_.InjectMouseMove(dialog.Handle(), 70, 262, true);
    EXPECT_NE(innerEdge(), raised) << "back over it";
    backend_.InjectMouseUp(dialog.Handle(), 200, 20);
    EXPECT_EQ(innerEdge(), raised);
    EXPECT_FALSE(application_.Terminated()) << "let go off the button";
    EXPECT_FALSE(dialog.butOK->Pushed());
    EXPECT_EQ(backend_.CaptureWindow(), 0u);

    // A release the dialog never hears of (let go over another window): the next move shows it.
    backend_.InjectMouseDown(dialog.Handle(), 60, 260);
    backend_.InjectMouseMove(dialog.Handle(), 61, 261);
    application_.ProcessMessages();
    EXPECT_FALSE(dialog.butOK->Pushed());
    backend_.InjectMouseUp(dialog.Handle(), 61, 261);
    application_.ProcessMessages();
    EXPECT_FALSE(application_.Terminated()) << "a release without a press of its own";

    EXPECT_TRUE(Click(dialog, 60, 260, 128, 272));
    EXPECT_TRUE(platform::IsWindowEnabled(desk_));
}

// Space pushes the focused button in while it is down and clicks it when it comes up, as on a
// system button; the key's repeats change nothing, and Alt+Space is no click.
TEST_F(AboutTest, SpaceClicksTheFocusedButtonWhenTheKeyComesUp) {
    TfrmAbout& dialog = OpenDialog(desk_);
    const auto innerEdge = [&] { return ButtonInnerEdge(dialog); };
    const gfx::Pixel raised = innerEdge();
    backend_.InjectKeyUp(dialog.Handle(), platform::VK_SPACE);
    backend_.InjectKeyDown(dialog.Handle(), platform::VK_SPACE, true);
    backend_.InjectKeyUp(dialog.Handle(), platform::VK_SPACE, true);
    EXPECT_EQ(innerEdge(), raised);
    EXPECT_FALSE(application_.Terminated()) << "a key-up alone, or Alt+Space";

    EXPECT_FALSE(Press(dialog, platform::VK_SPACE));
    EXPECT_NE(innerEdge(), raised) << "pushed in while the key is down";
    EXPECT_FALSE(Press(dialog, platform::VK_SPACE)) << "the key's repeat";
    EXPECT_TRUE(dialog.butOK->Pushed());
    backend_.InjectMouseMove(dialog.Handle(), 150, 200);
    EXPECT_TRUE(dialog.butOK->Pushed()) << "the mouse does not let the key's push go";
    backend_.InjectKeyUp(dialog.Handle(), platform::VK_SPACE);
    application_.ProcessMessages();
    EXPECT_TRUE(application_.Terminated());
    EXPECT_TRUE(platform::IsWindowEnabled(desk_));
}

TEST_F(AboutTest, RunAboutDialogRunsTheLoopUntilTheDialogCloses) {
    SetStartupValues(smConfigure, 0, desk_);
    backend_.Schedule(500, [&] {
        ASSERT_NE(application_.MainForm(), nullptr);
        EXPECT_TRUE(application_.MainForm()->Visible());
        backend_.InjectKeyDown(application_.MainForm()->Handle(), platform::VK_ESCAPE);
    });
    RunAboutDialog(application_, StoredAboutDescription(AboutPicture()));
    EXPECT_TRUE(application_.Terminated());
    EXPECT_EQ(backend_.QuitCode(), 0);
    EXPECT_EQ(platform::GetForegroundWindow(), desk_);
}

std::string Row(const gfx::Bitmap& bitmap, int32_t y) {
    std::string row;
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
        row.push_back(bitmap.GetPixel(x, y) == gfx::kBlack ? '#' : '.');
    }
    return row;
}

gfx::Bitmap Drawn(const std::string& text, const gfx::Rect& clip = {0, 0, 100, 100}) {
    gfx::Bitmap bitmap(CaptionTextWidth(text), kCaptionGlyphHeight);
    bitmap.Fill(gfx::kWhite);
    DrawCaptionText(bitmap, clip, 0, 0, text, gfx::kBlack);
    return bitmap;
}

// The button's caption font. Lower case is drawn as capitals and unknown characters as
// boxes, and nothing outside the clip.
TEST(CaptionFontTest, OkIsDrawnDotForDotInsideTheClip) {
    const gfx::Bitmap ok = Drawn("OK");
    EXPECT_EQ(Row(ok, 0), ".###..#...#");
    EXPECT_EQ(Row(ok, 3), "#...#.##...");
    EXPECT_EQ(Row(ok, 6), ".###..#...#");
    const gfx::Bitmap lower = Drawn("ok");
    for (int32_t y = 0; y < kCaptionGlyphHeight; ++y) {
        EXPECT_EQ(Row(lower, y), Row(ok, y));
    }
    const gfx::Bitmap box = Drawn("\xe9");
    EXPECT_EQ(Row(box, 0), "#####");
    EXPECT_EQ(Row(box, 3), "#...#");
    EXPECT_EQ(CaptionTextWidth(""), 0);
    const gfx::Bitmap clipped = Drawn("OK", {0, 0, 3, 2});
    EXPECT_EQ(Row(clipped, 0), ".##........");
    EXPECT_EQ(Row(clipped, 1), "#..........");
    EXPECT_EQ(Row(clipped, 2), "...........");
}

}  // namespace
}  // namespace host
