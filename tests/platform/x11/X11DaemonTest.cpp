// The saver inside a daemon's window, and the message box.
#include "X11TestSupport.h"

#include <gmock/gmock.h>

#include <X11/keysym.h>

#include <algorithm>
#include <functional>

namespace platform::x11::testing {
namespace {

class X11DaemonTest : public X11BackendTest {
  protected:
    X11DaemonTest() : X11BackendTest("TfrmMain") {}
    X11Options Options() override {
        daemonWindow_ = MakeForeignWindow(gfx::RectFromSize(20, 10, 300, 200), "XScreenSaver",
                                          "screensaver", true);
        X11Options options;
        options.daemonWindow = static_cast<uint32_t>(daemonWindow_);
        return options;
    }

    ::Window daemonWindow_ = 0;
};

// The daemon's window is the screen: the saver's window is a child filling it that takes no
// input and draws there, follows its new size, and ends when it goes.
TEST_F(X11DaemonTest, TheSaverLivesInTheDaemonsWindowUntilItGoes) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 300);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 200);
    EXPECT_EQ(CaptureScreen().Width(), 300);
    EXPECT_EQ(CaptureScreen().Height(), 200);
    GC gc = XCreateGC(Raw(), daemonWindow_, 0, nullptr);  // the picture is of its own pixels
    XSetForeground(Raw(), gc, 0xFF0000);
    XFillRectangle(Raw(), daemonWindow_, gc, 5, 5, 2, 2);
    XFreeGC(Raw(), gc);
    XSync(Raw(), 0);
    const gfx::Bitmap picture = CaptureScreen();
    EXPECT_EQ(picture.GetPixel(5, 5), 0xFF0000u);
    EXPECT_EQ(picture.GetPixel(4, 4), 0u);
    HWND hwnd = ShowSaver();
    EXPECT_EQ(ParentOf(hwnd), daemonWindow_);
    XWindowAttributes attributes = Attributes(hwnd);
    EXPECT_EQ(attributes.width, 300);
    EXPECT_EQ(attributes.height, 200);
    EXPECT_FALSE(attributes.override_redirect);
    EXPECT_EQ(attributes.all_event_masks & (KeyPressMask | PointerMotionMask), 0);
    EXPECT_EQ(GrabKeyboard(), GrabSuccess);
    EXPECT_EQ(GetParent(hwnd), 0u);  // still the program's top-level window
    PresentFilled(hwnd, 0x00FF00);
    EXPECT_EQ(RawPixel(daemonWindow_, 150, 100), 0x00FF00u) << "drawn into the daemon's window";

    XResizeWindow(Raw(), daemonWindow_, 400, 250);
    XSync(Raw(), 0);
    ASSERT_TRUE(PumpUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 400; }));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 250);
    EXPECT_EQ(WindowSurface(hwnd).Width(), 400);
    EXPECT_EQ(WindowSurface(hwnd).Height(), 250);
    PresentRect(hwnd, GetClientRect(hwnd));  // a surface of the new size presents whole

    XDestroyWindow(Raw(), daemonWindow_);
    XSync(Raw(), 0);
    MSG msg;
    EXPECT_TRUE(PumpUntil([&] { return PeekMessageA(msg) && msg.message == WM_QUIT; }));
    EXPECT_EQ(log_.Count(WM_DESTROY), 1);
    EXPECT_EQ(log_.Last(WM_DESTROY)->hwnd, hwnd);
}

TEST_F(X11DaemonTest, NoOtherWindowIsBroughtUpOverTheDaemonsScreen) {
    ::Window other = MakeForeignWindow(gfx::RectFromSize(0, 0, 50, 50), "Other", "Other", true);
    XLowerWindow(Raw(), other);
    auto below = [&] {  // in stacking order, bottom first
        std::vector<::Window> stack = ChildrenOf(XDefaultRootWindow(Raw()));
        return std::find(stack.begin(), stack.end(), other) <
               std::find(stack.begin(), stack.end(), daemonWindow_);
    };
    ASSERT_TRUE(below());
    EXPECT_TRUE(SetForegroundWindow(static_cast<HWND>(other)));
    EXPECT_TRUE(below());
}

TEST_F(X11DaemonTest, ADaemonWindowThatDoesNotExistIsRefused) {
    X11Options options;
    options.daemonWindow = 0x7FFFFF1;
    EXPECT_THAT([&] { MakeBackend(options); },
                ::testing::ThrowsMessage<base::Exception>(::testing::HasSubstr("0x7fffff1")));
}

// Calls `step` on every timer tick while a message box is up, with the box and the number of
// such ticks so far.
void EachTickWhileABoxIsUp(std::function<void(HWND box, int tick)> step) {
    SetTimer(0, 0, 20, [step = std::move(step), ticks = 0](HWND, UINT, uint32_t, uint32_t) mutable {
        if (HWND box = FindWindowA("VellamorMessageBox", nullptr); box != 0) {
            step(box, ++ticks);
        }
    });
}

// An error box would come up over the daemon's (perhaps locked) screen: its text goes to the
// error output instead, and the call returns at once.
TEST_F(X11DaemonTest, AMessageBoxWritesItsTextToTheErrorOutputInstead) {
    HWND hwnd = ShowSaver();
    bool boxShown = false;
    EachTickWhileABoxIsUp([&](HWND box, int) {
        boxShown = true;
        SendKey(box, XK_Escape);
    });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(hwnd, "Frame not found: blad3_", "Vellamor Autumn", MB_OK), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Vellamor Autumn: Frame not found: blad3_\n");
    EXPECT_FALSE(boxShown);
}

class X11MessageBoxTest : public X11Fixture, public ::testing::WithParamInterface<unsigned long> {};

// Enter and Escape end the box going down, Space coming up after going down in the box.
TEST_P(X11MessageBoxTest, TheBoxShowsTheCaptionAndEndsOnItsKeyWhileTimersGoOn) {
    auto backend = MakeBackend();
    const bool space = GetParam() == XK_space;
    int ticks = 0;
    EachTickWhileABoxIsUp([&](HWND box, int tick) {
        ticks = tick;
        if (ticks == 2) {
            SendKeyRelease(box, XK_space);  // of a press the box never saw
        } else if (ticks == 3) {
            EXPECT_EQ(FindWindowA("VellamorMessageBox", "Vellamor Autumn"), box) << "its caption";
            SendKey(box, GetParam());
        } else if (ticks == 5) {
            SendKeyRelease(box, GetParam());
        }
    });
    EXPECT_EQ(
        MessageBoxA(0, "Frame not found.\nSecond line", "Vellamor Autumn", MB_OK | MB_ICONSTOP),
        IDOK);
    EXPECT_GE(ticks, space ? 5 : 3) << "Space going down left the box up";
    FindWindowA(nullptr, nullptr);
    EXPECT_EQ(FindWindowA("VellamorMessageBox", nullptr), 0u);
}

INSTANTIATE_TEST_SUITE_P(Keys, X11MessageBoxTest,
                         ::testing::Values(XK_Return, XK_Escape, XK_space));

// The key that ends the box ends it at once, with nothing else to wake the program.
TEST_F(X11Fixture, AMessageBoxEndsOnItsKeyWithoutWaitingForAnotherMessage) {
    auto backend = MakeBackend();
    uint32_t keyTimer = 0;
    keyTimer = SetTimer(0, 0, 20, [&](HWND, UINT, uint32_t, uint32_t) {
        if (HWND box = FindWindowA("VellamorMessageBox", nullptr); box != 0) {
            SendKey(box, XK_Return);
            KillTimer(0, keyTimer);
        }
    });
    bool lateTick = false;
    uint32_t late = SetTimer(0, 0, 5000, [&](HWND, UINT, uint32_t, uint32_t) { lateTick = true; });
    EXPECT_EQ(MessageBoxA(0, "text", "caption", MB_OK), IDOK);
    EXPECT_FALSE(lateTick) << "the box stayed up until a later timer woke the program";
    KillTimer(0, late);
}

// A click is the left button pressed and let go over OK.
TEST_F(X11Fixture, AMessageBoxEndsOnAClickOnOkButNotElsewhere) {
    auto backend = MakeBackend();
    int ticks = 0;
    EachTickWhileABoxIsUp([&](HWND box, int tick) {
        XWindowAttributes size{};
        XGetWindowAttributes(Raw(), box, &size);
        const int okX = size.width / 2;
        const int okY = size.height - 16 - 13;
        ticks = tick;
        if (ticks == 1) {  // on the text, not on the button
            SendButton(box, Button1, 3, 3);
            SendRelease(box, Button1, 3, 3);
        } else if (ticks == 2) {  // pressed over OK, let go beside it
            SendButton(box, Button1, okX, okY);
            SendRelease(box, Button1, 3, 3);
        } else if (ticks == 3) {  // pressed beside OK, let go over it
            SendButton(box, Button1, 3, 3);
            SendRelease(box, Button1, okX, okY);
        } else if (ticks == 4) {
            SendButton(box, Button1, okX, okY);
        } else if (ticks == 6) {
            SendRelease(box, Button1, okX, okY);
        }
    });
    EXPECT_EQ(MessageBoxA(0, "A line of text", "Click", MB_OK), IDOK);
    EXPECT_GE(ticks, 6);  // the clicks before left the box up, and so did the press alone
}

// A handler that fails while the box is up leaves it up; its failure comes when the box is done.
TEST_F(X11Fixture, AFailureWhileAMessageBoxIsUpIsThrownWhenItEnds) {
    auto backend = MakeBackend();
    int ticks = 0;
    EachTickWhileABoxIsUp([&](HWND box, int tick) {
        ticks = tick;
        if (ticks == 1) {
            throw base::Exception("Leaf bestaat niet");
        }
        if (ticks == 3) {
            SendKey(box, XK_Return);
        }
    });
    EXPECT_THAT([] { MessageBoxA(0, "text", "caption", MB_OK); },
                ::testing::ThrowsMessage<base::Exception>("Leaf bestaat niet"));
    EXPECT_GE(ticks, 3) << "the box stayed up after the failure";
    EXPECT_EQ(FindWindowA("VellamorMessageBox", nullptr), 0u);
}

TEST_F(X11Fixture, AMessageBoxEndsOnAQuitRequestAndPassesItOn) {
    auto backend = MakeBackend();
    SetTimer(0, 0, 10, [](HWND, UINT, uint32_t, uint32_t) { PostQuitMessage(4); });
    EXPECT_EQ(MessageBoxA(0, "text", "caption", MB_OK), IDOK);
    MSG msg;
    EXPECT_FALSE(GetMessageA(msg));
    EXPECT_EQ(msg.wParam, 4u);
}

}  // namespace
}  // namespace platform::x11::testing
