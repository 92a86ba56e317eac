#include "framework/Form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "framework/Application.h"
#include "framework/Image.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace framework {
namespace {

using platform::headless::MouseButton;
using platform::headless::PresentedRect;

class FormTest : public ::testing::Test {
  protected:
    FormTest() {
        backend_.SetScreenSize(640, 480);
        form_ = application_.CreateForm<TForm>();
        form_->SetBounds(0, 0, 200, 100);
    }

    void ShowAndSettle() {
        form_->Show();
        application_.ProcessMessages();
        backend_.ClearPresented();
    }

    platform::headless::HeadlessBackend backend_;
    TApplication application_;
    TForm* form_ = nullptr;
    std::vector<std::string> log_;
};

TEST_F(FormTest, CreateShowAndDestroyEventsComeInTheirOrder) {
    class TfrmTest : public TForm {
      public:
        explicit TfrmTest(TComponent* owner) : TForm(owner, "TfrmTest") {
            OnCreate = [this](TComponent&) { created = true; };
        }
        bool created = false;
    };
    auto* form = application_.CreateForm<TfrmTest>();
    EXPECT_TRUE(form->created) << "OnCreate set in the constructor runs";
    EXPECT_EQ(platform::GetClassNameA(form->Handle()), "TfrmTest");
    EXPECT_EQ(application_.MainForm(), form_) << "the first form stays the main form";
    form->OnShow = [this](TComponent&) {
        log_.push_back(std::string("show, window visible: ") +
                       (platform::IsWindowVisible(form_->Handle()) ? "yes" : "no"));
    };
    form_->OnShow = form->OnShow;
    form_->OnDestroy = [this](TComponent&) { log_.push_back("destroy"); };
    form_->Show();
    form_->Show();
    form_->Hide();
    form_->Show();
    platform::HWND handle = form_->Handle();
    application_.DestroyComponent(form_);
    EXPECT_EQ(log_, (std::vector<std::string>{"show, window visible: no",
                                              "show, window visible: no", "destroy"}));
    EXPECT_FALSE(platform::IsWindow(handle));
    EXPECT_EQ(application_.MainForm(), nullptr);
}

TEST_F(FormTest, KeysReachOnKeyDownAndOnKeyUpWithTheAltStateAndCharactersReachOnKeyPress) {
    std::vector<uint16_t> keys;
    std::vector<TShiftState> shifts;
    std::vector<uint16_t> released;
    std::vector<TShiftState> releaseShifts;
    std::string typed;
    form_->OnKeyDown = [&](TComponent&, uint16_t& key, TShiftState shift) {
        keys.push_back(key);
        shifts.push_back(shift);
    };
    form_->OnKeyUp = [&](TComponent&, uint16_t& key, TShiftState shift) {
        released.push_back(key);
        releaseShifts.push_back(shift);
    };
    form_->OnKeyPress = [&](TComponent&, char& key) { typed += key; };
    ShowAndSettle();
    backend_.InjectKeyDown(form_->Handle(), 'X');
    backend_.InjectKeyUp(form_->Handle(), 'X');
    backend_.InjectKeyDown(form_->Handle(), platform::VK_ESCAPE);
    backend_.InjectKeyDown(form_->Handle(), platform::VK_MENU, true);
    backend_.InjectKeyUp(form_->Handle(), platform::VK_MENU, true);
    application_.ProcessMessages();
    EXPECT_EQ(keys, (std::vector<uint16_t>{'X', platform::VK_ESCAPE, platform::VK_MENU}));
    EXPECT_EQ(shifts, (std::vector<TShiftState>{0, 0, ssAlt}));
    EXPECT_EQ(released, (std::vector<uint16_t>{'X', platform::VK_MENU}));
    EXPECT_EQ(releaseShifts, (std::vector<TShiftState>{0, ssAlt}));
    EXPECT_EQ(typed, "x\x1b") << "a key coming up types nothing";
}

// Closing the main form, once OnCloseQuery allows it, ends the application.
TEST_F(FormTest, AltF4AsksOnCloseQueryAndARefusalKeepsTheFormOpen) {
    int queries = 0;
    bool allow = false;
    form_->OnCloseQuery = [&](TComponent&, bool& canClose) {
        ++queries;
        canClose = allow;
    };
    TCloseAction seen = caNone;
    form_->OnClose = [&](TComponent&, TCloseAction& action) { seen = action; };
    ShowAndSettle();
    backend_.InjectKeyDown(form_->Handle(), platform::VK_F4, true);
    application_.ProcessMessages();
    EXPECT_EQ(queries, 1);
    EXPECT_TRUE(form_->Visible());
    EXPECT_FALSE(application_.Terminated());
    EXPECT_EQ(platform::SendMessageA(form_->Handle(), platform::WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(seen, caNone);
    allow = true;
    platform::PostMessageA(form_->Handle(), platform::WM_CLOSE, 0, 0);
    application_.Run();
    EXPECT_EQ(seen, caHide);
    EXPECT_TRUE(application_.Terminated());
}

TEST_F(FormTest, MouseInputGoesToTheControlUnderItInTheControlsCoordinates) {
    auto* image = NewComponent<TImage>(*form_);
    image->SetParent(form_);
    image->SetBounds(50, 20, 40, 30);
    std::vector<std::string> events;
    image->OnMouseDown = [&](TComponent&, TMouseButton button, TShiftState shift, int32_t x,
                             int32_t y) {
        events.push_back("image down " + std::to_string(button) + " " + std::to_string(shift) +
                         " " + std::to_string(x) + "," + std::to_string(y));
    };
    image->OnMouseMove = [&](TComponent&, TShiftState, int32_t x, int32_t y) {
        events.push_back("image move " + std::to_string(x) + "," + std::to_string(y));
    };
    form_->OnMouseMove = [&](TComponent&, TShiftState, int32_t x, int32_t y) {
        events.push_back("form move " + std::to_string(x) + "," + std::to_string(y));
    };
    ShowAndSettle();
    backend_.InjectMouseMove(form_->Handle(), 50, 20);
    backend_.InjectMouseMove(form_->Handle(), 90, 20);  // just right of the image
    backend_.InjectMouseDown(form_->Handle(), 89, 49, MouseButton::Right);
    backend_.InjectMouseDown(form_->Handle(), 50, 20, MouseButton::XButton2);
    backend_.InjectMouseDown(form_->Handle(), 51, 21, MouseButton::XButton1);
    application_.ProcessMessages();
    image->SetVisible(false);
    backend_.InjectMouseMove(form_->Handle(), 60, 30);
    application_.ProcessMessages();
    std::vector<std::string> expected = {"image move 0,0",        "form move 90,20",
                                         "image down 1 16 39,29", "image down 4 0 0,0",
                                         "image down 3 0 1,1",    "form move 60,30"};
    EXPECT_EQ(events, expected);
}

// A control that notes the releases it gets, and the moves.
class TReleaseLog : public TControl {
  public:
    TReleaseLog(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TControl(owner), name_(std::move(name)), log_(log) {}
    void MouseMove(TShiftState shift, int32_t x, int32_t y) override {
        log_.push_back(name_ + " move " + std::to_string(shift) + " " + std::to_string(x) + "," +
                       std::to_string(y));
    }
    void MouseUp(TMouseButton, TShiftState, int32_t x, int32_t y) override {
        log_.push_back(name_ + " up " + std::to_string(x) + "," + std::to_string(y));
    }
    bool CapturesMouse() const override { return true; }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A control that asks for it has the mouse from a press of the left button until the release,
// wherever the pointer goes, and the window captures it meanwhile; a move without the button
// (its release went elsewhere) ends that. A control that does not ask holds nothing.
TEST_F(FormTest, TheControlPressedWithTheLeftButtonHasTheMouseUntilItsRelease) {
    auto* a = NewComponent<TReleaseLog>(*form_, "a", log_);
    auto* b = NewComponent<TReleaseLog>(*form_, "b", log_);
    a->SetParent(form_);
    b->SetParent(form_);
    a->SetBounds(10, 10, 20, 20);
    b->SetBounds(100, 10, 20, 20);
    ShowAndSettle();
    const platform::HWND hwnd = form_->Handle();
    backend_.InjectMouseDown(hwnd, 15, 15);
    application_.ProcessMessages();
    EXPECT_EQ(backend_.CaptureWindow(), hwnd);
    backend_.InjectMouseMove(hwnd, 105, 12, true);
    backend_.InjectMouseUp(hwnd, 106, 13);
    backend_.InjectMouseMove(hwnd, 107, 14);
    backend_.InjectMouseDown(hwnd, 15, 15, MouseButton::Right);  // holds nothing
    backend_.InjectMouseUp(hwnd, 108, 15);
    backend_.InjectMouseDown(hwnd, 15, 15);
    backend_.InjectMouseMove(hwnd, 105, 12);  // let go over another window
    backend_.InjectMouseMove(hwnd, 106, 12);
    application_.ProcessMessages();
    const std::vector<std::string> expected = {"a move 8 95,2", "a up 96,3",     "b move 0 7,4",
                                               "b up 8,5",      "a move 0 95,2", "b move 0 6,2"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(backend_.CaptureWindow(), 0u);

    auto* image = NewComponent<TImage>(*form_);
    image->SetParent(form_);
    image->SetBounds(50, 50, 10, 10);
    backend_.InjectMouseDown(hwnd, 55, 55);
    backend_.InjectMouseMove(hwnd, 105, 12, true);
    application_.ProcessMessages();
    EXPECT_EQ(backend_.CaptureWindow(), 0u);
    EXPECT_EQ(log_.back(), "b move 8 5,2") << "the move goes to the control under it";

    log_.clear();
    backend_.InjectMouseDown(hwnd, 15, 15);
    application_.ProcessMessages();
    form_->DestroyComponent(a);  // while it has the mouse
    EXPECT_EQ(backend_.CaptureWindow(), 0u);
    backend_.InjectMouseUp(hwnd, 105, 15);
    application_.ProcessMessages();
    EXPECT_EQ(log_, (std::vector<std::string>{"b up 5,5"}));
}

TEST_F(FormTest, AnAlClientControlFollowsTheFormsSize) {
    auto* image = NewComponent<TImage>(*form_);
    image->SetAlign(alClient);
    image->SetParent(form_);
    EXPECT_EQ(image->BoundsRect(), (gfx::Rect{0, 0, 200, 100}));
    form_->SetBounds(0, 0, 640, 480);
    EXPECT_EQ(image->BoundsRect(), (gfx::Rect{0, 0, 640, 480}));
}

// Where the frame is part of the window (Win32), the border style chooses it and the client
// size lies inside it. This backend stands for such a window system: 3 pixels of border, and
// 19 of caption.
TEST(FormFrameTest, TheBorderStyleGivesTheFrameAndTheClientAreaLiesInsideIt) {
    struct FramedBackend : platform::headless::HeadlessBackend {
        gfx::Rect AdjustWindowRectEx(const gfx::Rect& client, uint32_t style, uint32_t) override {
            const int32_t border = (style & platform::WS_CAPTION) != 0 ? 3 : 0;
            const int32_t caption = (style & platform::WS_CAPTION) != 0 ? 19 : 0;
            return {client.left - border, client.top - border - caption, client.right + border,
                    client.bottom + border};
        }
    } backend;
    TApplication application;
    auto* form = application.CreateForm<TForm>();
    const auto style = [&] {
        return platform::GetWindowLongA(form->Handle(), platform::GWL_STYLE);
    };
    const auto exStyle = [&] {
        return platform::GetWindowLongA(form->Handle(), platform::GWL_EXSTYLE);
    };
    EXPECT_EQ(style() & platform::WS_CAPTION, 0u) << "a form not told a style has no frame";

    form->SetBorderStyle(bsDialog);
    form->SetClientWidth(221);
    form->SetClientHeight(276);
    EXPECT_EQ(style() & (platform::WS_CAPTION | platform::WS_SYSMENU), platform::WS_CAPTION);
    EXPECT_NE(exStyle() & platform::WS_EX_DLGMODALFRAME, 0u);
    EXPECT_EQ((std::pair{form->Width(), form->Height()}), (std::pair{227, 301}));
    EXPECT_EQ(form->ClientRect(), (gfx::Rect{0, 0, 221, 276}));

    form->SetBorderStyle(bsSizeable);
    EXPECT_NE(style() & platform::WS_THICKFRAME, 0u);
    EXPECT_EQ(exStyle() & platform::WS_EX_DLGMODALFRAME, 0u);
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(style() & (platform::WS_CAPTION | platform::WS_THICKFRAME), 0u);
    EXPECT_NE(style() & platform::WS_POPUP, 0u);
    EXPECT_EQ(form->ClientRect(), (gfx::Rect{0, 0, 227, 301})) << "the outer rectangle stays";
}

// Drawing presents exactly what it changed, once shown: a copy its destination, a clipped fill
// the clip.
TEST_F(FormTest, DrawingPresentsExactlyTheRectangleItChangedOnceShown) {
    form_->Canvas().FillRect({0, 0, 10, 10}, clRed);
    EXPECT_TRUE(backend_.Presented().empty()) << "nothing is presented while hidden";
    EXPECT_EQ(platform::WindowSurface(form_->Handle()).GetPixel(0, 0), 0x00FF0000u);
    ShowAndSettle();
    gfx::Bitmap source(10, 10);
    source.Fill(0x00FF0000);
    TCanvas& canvas = form_->Canvas();
    canvas.BitBlt(5, 6, 7, 8, &source.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
    canvas.BitBlt(195, 95, 10, 10, &source.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
    canvas.BitBlt(40, 50, -4, 3, &source.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);  // leftwards
    canvas.BitBlt(INT32_MAX - 1, 0, INT32_MAX, 5, &source.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
    EXPECT_EQ(canvas.GetClipBox(), (gfx::Rect{0, 0, 200, 100}));
    canvas.SelectClipRgn(gfx::Rect{10, 20, 20, 30});
    EXPECT_EQ(canvas.GetClipBox(), (gfx::Rect{10, 20, 20, 30}));
    canvas.FillRect({0, 0, 200, 100}, clBlue);
    canvas.SelectClipRgn(std::nullopt);
    const platform::HWND hwnd = form_->Handle();
    EXPECT_EQ(backend_.Presented(), (std::vector<PresentedRect>{{hwnd, {5, 6, 12, 14}},
                                                                {hwnd, {195, 95, 200, 100}},
                                                                {hwnd, {37, 50, 41, 53}},
                                                                {hwnd, {10, 20, 20, 30}}}));
    const gfx::Bitmap& surface = platform::WindowSurface(hwnd);
    EXPECT_EQ(surface.GetPixel(11, 13), 0x00FF0000u);
    EXPECT_NE(surface.GetPixel(12, 13), 0x00FF0000u);
    EXPECT_EQ(surface.GetPixel(10, 20), 0x000000FFu);
    EXPECT_EQ(surface.GetPixel(20, 30), ColorToPixel(clBtnFace));
    EXPECT_EQ(surface.GetPixel(11, 19), ColorToPixel(clBtnFace)) << "above the clip";
}

TEST_F(FormTest, APaintErasesWithTheFormColourAndPaintsThePictureOfEachImage) {
    form_->SetColor(clGreen);
    auto* image = NewComponent<TImage>(*form_);
    image->SetParent(form_);
    image->SetBounds(10, 10, 3, 50);  // narrower than its picture, which is cut
    auto picture = std::make_unique<gfx::Bitmap>(5, 2);
    picture->Fill(0x00ABCDEF);
    image->Picture().SetBitmap(std::move(picture));
    form_->Show();
    application_.ProcessMessages();
    const gfx::Bitmap& surface = platform::WindowSurface(form_->Handle());
    EXPECT_EQ(surface.GetPixel(0, 0), ColorToPixel(clGreen));
    EXPECT_EQ(surface.GetPixel(12, 11), 0x00ABCDEFu);
    EXPECT_EQ(surface.GetPixel(13, 11), ColorToPixel(clGreen));
    EXPECT_EQ(surface.GetPixel(12, 12), ColorToPixel(clGreen));
    EXPECT_EQ(backend_.Presented().back(), (PresentedRect{form_->Handle(), {0, 0, 200, 100}}));
}

// An image whose paint destroys the control that joined after it.
class TDestroyingImage : public TImage {
  public:
    using TImage::TImage;
    TControl* victim = nullptr;
    void Paint() override {
        TImage::Paint();
        if (victim != nullptr) {
            Owner()->DestroyComponent(std::exchange(victim, nullptr));
        }
    }
};

TEST_F(FormTest, AControlDestroyedByAnotherOnesPaintIsNotPainted) {
    auto* first = NewComponent<TDestroyingImage>(*form_);
    auto* second = NewComponent<TImage>(*form_);
    for (TImage* image : {static_cast<TImage*>(first), second}) {
        image->SetParent(form_);
        image->SetBounds(10, 10, 5, 5);
    }
    auto picture = std::make_unique<gfx::Bitmap>(5, 5);
    picture->Fill(0x00ABCDEF);
    second->Picture().SetBitmap(std::move(picture));
    first->victim = second;
    const int before = form_->ComponentCount();
    ShowAndSettle();
    application_.ProcessMessages();
    EXPECT_EQ(form_->ComponentCount(), before - 1);
    EXPECT_EQ(form_->ControlCount(), 1);
    EXPECT_NE(platform::WindowSurface(form_->Handle()).GetPixel(12, 12), 0x00ABCDEFu);
}

// Without an application a failing OnShow reaches the caller: the form is not shown, and a
// later Show tries again.
TEST(FormWithoutApplicationTest, AShowThatFailsLeavesTheFormHiddenForALaterOne) {
    platform::headless::HeadlessBackend backend;
    TForm form(nullptr);
    int shows = 0;
    form.OnShow = [&](TComponent&) {
        if (++shows == 1) {
            throw base::Exception("Not yet");
        }
    };
    EXPECT_THROW(form.Show(), base::Exception);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(backend.Window(form.Handle())->visible);
    form.Show();
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(backend.Window(form.Handle())->visible);
}

// A form whose window has no surface to draw on is not made, and leaves no window behind.
TEST(FormWithoutApplicationTest, AFormWithoutASurfaceLeavesNoWindow) {
    struct NoSurfaceBackend : platform::headless::HeadlessBackend {
        gfx::Bitmap& WindowSurface(platform::HWND hwnd) override {
            refused = hwnd;
            throw base::Exception("No surface");
        }
        platform::HWND refused = 0;
    } backend;
    EXPECT_THROW(TForm(nullptr), base::Exception);
    ASSERT_NE(backend.refused, 0u);
    EXPECT_FALSE(backend.IsWindow(backend.refused));
}

// A painter that fails has its error shown; the canvas is not left clipped to that paint.
TEST_F(FormTest, APaintThatFailsLeavesTheCanvasUnclipped) {
    ShowAndSettle();
    bool fail = true;
    form_->OnPaint = [&](TComponent&) {
        if (std::exchange(fail, false)) {
            throw base::Exception("Paint failed");
        }
    };
    form_->InvalidateRect({0, 0, 10, 10});
    application_.ProcessMessages();
    ASSERT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_EQ(form_->Canvas().ClipRect(), std::nullopt);
    form_->Canvas().FillRect({0, 0, 200, 100}, clRed);
    EXPECT_EQ(platform::WindowSurface(form_->Handle()).GetPixel(50, 50), ColorToPixel(clRed));
    form_->InvalidateRect({0, 0, 10, 10});
    application_.ProcessMessages();
    EXPECT_EQ(backend_.MessageBoxes().size(), 1u) << "the next paint goes as usual";
}

TEST_F(FormTest, AnAutoSizedImageTakesThePicturesSizeAndPicturesAssignOnlyFromPictures) {
    auto* image = NewComponent<TImage>(*form_);
    image->SetAutoSize(true);
    image->Picture().SetBitmap(std::make_unique<gfx::Bitmap>(224, 242));
    EXPECT_EQ(image->Width(), 224);
    EXPECT_EQ(image->Height(), 242);
    TImage copy(nullptr);
    copy.SetPicture(image->Picture());
    EXPECT_EQ(copy.Picture().Width(), 224);
    EXPECT_NE(copy.Picture().Graphic(), image->Picture().Graphic()) << "a copy, not shared";
    TPicture picture;
    TComponent notAPicture(nullptr);
    EXPECT_THROW(picture.Assign(notAPicture), base::EConvertError);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

// A form that handles two raw messages itself, as a saver window does.
class TfrmRaw : public TForm {
  public:
    explicit TfrmRaw(TComponent* owner) : TForm(owner, "TfrmRaw") {}

  protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == platform::WM_ERASEBKGND) {
            message.Result = 0;  // never erased
        } else if (message.Msg == platform::WM_SYSCOMMAND &&
                   (message.WParam & 0xFFF0) == platform::SC_SCREENSAVE) {
            message.Result = 1;  // swallowed
        } else {
            TForm::WndProc(message);
        }
    }
};

TEST_F(FormTest, AWndProcOverrideSeesRawMessagesAndPassesTheRestOn) {
    auto* form = application_.CreateForm<TfrmRaw>();
    form->SetBounds(0, 0, 4, 4);
    platform::WindowSurface(form->Handle()).Fill(0x00010203);
    form->Show();
    application_.ProcessMessages();
    EXPECT_EQ(platform::WindowSurface(form->Handle()).GetPixel(3, 3), 0x00010203u);
    platform::HWND hwnd = form->Handle();
    EXPECT_EQ(platform::SendMessageA(hwnd, platform::WM_SYSCOMMAND, platform::SC_SCREENSAVE, 0), 1);
    EXPECT_EQ(backend_.ScreenSaveRequests(), 0);
    platform::SendMessageA(hwnd, platform::WM_SYSCOMMAND, platform::SC_SCREENSAVE + 2, 0);
    EXPECT_EQ(backend_.ScreenSaveRequests(), 0) << "the low four bits are the platform's";
    form_->Show();
    platform::SendMessageA(form_->Handle(), platform::WM_SYSCOMMAND, platform::SC_SCREENSAVE, 0);
    EXPECT_EQ(backend_.ScreenSaveRequests(), 1);
}

TEST_F(FormTest, AFormReleasedFromItsOwnHandlerGoesOnceTheHandlerHasReturned) {
    auto* form = application_.CreateForm<TForm>();
    bool destroyed = false;
    form->OnDestroy = [&](TComponent&) { destroyed = true; };
    form->OnKeyDown = [&](TComponent&, uint16_t&, TShiftState) {
        form->Release();
        EXPECT_FALSE(destroyed);
    };
    form->Show();
    platform::HWND handle = form->Handle();
    backend_.InjectKeyDown(handle, 'A');
    application_.ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(platform::IsWindow(handle));
    EXPECT_EQ(application_.ComponentCount(), 1);
}

// The request Release posts is the form's own: the same message from elsewhere (any other
// program can send a window a message) destroys nothing.
TEST_F(FormTest, OnlyTheFormsOwnReleaseDestroysIt) {
    auto* form = application_.CreateForm<TForm>();
    form->Show();
    const platform::HWND handle = form->Handle();
    constexpr platform::UINT kReleaseRequest = 0x8100;
    platform::PostMessageA(handle, kReleaseRequest, 0, 0);
    platform::SendMessageA(handle, kReleaseRequest, 0, 0);
    application_.ProcessMessages();
    EXPECT_TRUE(platform::IsWindow(handle));
    EXPECT_EQ(application_.ComponentCount(), 2);
    form->Release();
    application_.ProcessMessages();
    EXPECT_FALSE(platform::IsWindow(handle));
}

// A loop inside the form's own code (ProcessMessages in OnShow, as the scene's start has, or
// the error box of a failing OnCreate) takes the release request; the form goes only once that
// code has returned, which goes on with the form.
TEST_F(FormTest, AReleaseTakenInsideTheFormsOwnCodeWaitsUntilItHasReturned) {
    struct ReleasedAtCreation : TForm {
        explicit ReleasedAtCreation(TComponent* owner) : TForm(owner) {
            OnCreate = [this](TComponent&) {
                Release();
                throw base::Exception("Frame not found");
            };
        }
    };
    backend_.SetMessageBoxTime(25);
    auto* created = application_.CreateForm<ReleasedAtCreation>();
    ASSERT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_TRUE(platform::IsWindow(created->Handle()));

    auto* shown = application_.CreateForm<TForm>();
    bool destroyed = false;
    shown->OnDestroy = [&](TComponent&) { destroyed = true; };
    shown->OnShow = [&](TComponent&) {
        shown->Release();
        application_.ProcessMessages();
        EXPECT_FALSE(destroyed);
    };
    const platform::HWND handles[] = {created->Handle(), shown->Handle()};
    shown->Show();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(platform::IsWindowVisible(handles[1]));
    application_.ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(platform::IsWindow(handles[0]));
    EXPECT_FALSE(platform::IsWindow(handles[1]));
    EXPECT_EQ(application_.ComponentCount(), 1);
}

// As for creation and showing, a failure while the form is destroyed is shown in the error
// box; the form and its window go all the same.
TEST_F(FormTest, AFailingOnDestroyIsShownAndTheFormGoesAllTheSame) {
    auto* form = application_.CreateForm<TForm>();
    NewComponent<TImage>(*form)->SetParent(form);
    form->OnDestroy = [](TComponent&) { throw base::Exception("Leaf list is damaged"); };
    platform::HWND handle = form->Handle();
    application_.DestroyComponent(form);
    ASSERT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend_.MessageBoxes()[0].text, "Leaf list is damaged.");
    EXPECT_FALSE(platform::IsWindow(handle));
    EXPECT_EQ(application_.ComponentCount(), 1) << "only the main form is left";
}

// A request to destroy the form that comes while its failing OnDestroy's box is up (the box
// dispatches meanwhile) is left to the destruction under way.
TEST_F(FormTest, AReleaseThatComesWhileTheFormGoesIsLeftToThatDestruction) {
    backend_.SetMessageBoxTime(25);
    auto* form = application_.CreateForm<TForm>();
    int destroys = 0;
    form->OnDestroy = [&](TComponent&) {
        ++destroys;
        throw base::Exception("Leaf list is damaged");
    };
    form->Release();
    form->Release();
    application_.ProcessMessages();
    EXPECT_EQ(destroys, 1);
    EXPECT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_EQ(application_.ComponentCount(), 1) << "only the main form is left";
}

// Closing a form other than the main one hides it, or releases it when OnClose says caFree.
TEST_F(FormTest, AFormClosedWithCaFreeIsDestroyedAndOthersAreHidden) {
    auto* kept = application_.CreateForm<TForm>();
    auto* freed = application_.CreateForm<TForm>();
    const TCloseEvent askFree = [](TComponent&, TCloseAction& action) { action = caFree; };
    freed->OnClose = askFree;
    kept->Show();
    freed->Show();
    platform::HWND freedHandle = freed->Handle();
    kept->Close();
    freed->Close();
    EXPECT_TRUE(platform::IsWindow(freedHandle)) << "released, not destroyed inside Close";
    application_.ProcessMessages();
    EXPECT_FALSE(kept->Visible());
    EXPECT_TRUE(platform::IsWindow(kept->Handle()));
    EXPECT_FALSE(platform::IsWindow(freedHandle));
    EXPECT_EQ(application_.ComponentCount(), 2);
    EXPECT_FALSE(application_.Terminated());

    TForm ownerless(nullptr);  // nobody to destroy it: hidden instead
    ownerless.OnClose = askFree;
    ownerless.Show();
    ownerless.Close();
    application_.ProcessMessages();
    EXPECT_FALSE(ownerless.Visible());
}

TEST_F(FormTest, AControlMayBeDestroyedFromItsOwnMouseHandler) {
    auto* image = NewComponent<TImage>(*form_);
    image->SetParent(form_);
    image->OnMouseDown = [this, image](TComponent&, TMouseButton, TShiftState, int32_t, int32_t) {
        form_->DestroyComponent(image);
    };
    ShowAndSettle();
    backend_.InjectMouseDown(form_->Handle(), 1, 1);
    application_.ProcessMessages();
    EXPECT_EQ(form_->ComponentCount(), 0);
    EXPECT_EQ(form_->ControlCount(), 0);
}

}  // namespace
}  // namespace framework
