// Presenting, the desktop snapshot, the saver's window and the screen's metrics.
#include "X11TestSupport.h"

#include <chrono>
#include <thread>

namespace platform::x11::testing {
namespace {

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kBlue = 0x0000FF;
constexpr gfx::Pixel kGreen = 0x00C000;

class X11PresentTest : public X11BackendTest, public ::testing::WithParamInterface<bool> {
  protected:
    X11Options Options() override {
        X11Options options;
        options.allowShm = GetParam();
        return options;
    }
};

TEST_P(X11PresentTest, PresentedRectanglesReachTheScreenAfterOneTurnOfTheLoop) {
    HWND hwnd = CreateWindowExA(0, "TestWindow", "Shown", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, 0);
    gfx::Bitmap& surface = WindowSurface(hwnd);
    surface.Fill(kBlue);
    PresentRect(hwnd, {0, 0, 100, 80});
    surface.FillRect({10, 10, 40, 30}, kRed);
    PresentRect(hwnd, {10, 10, 40, 30});
    PresentRect(hwnd, {-50, -50, 500, 500});  // clipped to the window, no failure
    MSG msg;
    PeekMessageA(msg);  // one turn of the loop flushes
    EXPECT_EQ(backend_->UsesShm(hwnd), GetParam());
    EXPECT_EQ(backend_->PresentsWithoutCopy(hwnd), GetParam()) << "drawn in shared memory";
    SyncBackend();
    EXPECT_EQ(RawPixel(hwnd, 15, 15), kRed);
    EXPECT_EQ(RawPixel(hwnd, 39, 29), kRed);
    EXPECT_EQ(RawPixel(hwnd, 40, 30), kBlue);
    EXPECT_EQ(RawPixel(hwnd, 5, 5), kBlue);
    // A window that changed size gets a picture of its new size, twice without a present
    // between (the first new surface's memory has gone by then). The turn of the loop alone
    // hands a present (too small to fill the connection's buffer) to the server before the loop
    // sleeps: the test's connection looks, unsynced.
    MoveWindow(hwnd, 0, 0, 110, 85);
    MoveWindow(hwnd, 0, 0, 120, 90);
    WindowSurface(hwnd).Fill(kGreen);
    PresentRect(hwnd, {100, 80, 120, 90});
    PeekMessageA(msg);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (RawPixel(hwnd, 110, 85, false) != kGreen &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(RawPixel(hwnd, 110, 85, false), kGreen) << "the present stayed in the buffer";
    EXPECT_EQ(backend_->PresentsWithoutCopy(hwnd), GetParam());
    // A surface given another picture of the same size, in memory of its own, is copied.
    WindowSurface(hwnd) = gfx::Bitmap(120, 90);
    PresentFilled(hwnd, kRed);
    EXPECT_EQ(RawPixel(hwnd, 60, 45), kRed);
    EXPECT_FALSE(backend_->PresentsWithoutCopy(hwnd));
    EXPECT_EQ(backend_->UsesShm(hwnd), GetParam());
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryAndPlain, X11PresentTest, ::testing::Bool());

class X11SaverWindowTest : public X11BackendTest {
  protected:
    X11SaverWindowTest() : X11BackendTest("TfrmMain") {}
};

// The password dialog's pointer (the cursor shown) lets the grabs go for its time.
TEST_F(X11SaverWindowTest, TheSaverCoversTheScreenAboveAllAndGrabsTheInput) {
    HWND hwnd = ShowSaver();
    EXPECT_TRUE(Attributes(hwnd).override_redirect);
    EXPECT_EQ(Attributes(hwnd).map_state, IsViewable);
    EXPECT_EQ(GetWindowRect(hwnd), gfx::Rect(0, 0, 640, 480));
    EXPECT_EQ(GrabKeyboard(), AlreadyGrabbed);
    EXPECT_EQ(XGrabPointer(Raw(), XDefaultRootWindow(Raw()), 0, ButtonPressMask, GrabModeAsync,
                           GrabModeAsync, 0, 0, CurrentTime),
              AlreadyGrabbed);
    EXPECT_EQ(ShowCursor(true), 1);
    SyncBackend();
    EXPECT_EQ(GrabKeyboard(), GrabSuccess);
    EXPECT_EQ(ShowCursor(false), 0);
    SyncBackend();
    EXPECT_EQ(GrabKeyboard(), AlreadyGrabbed);
    DestroyWindow(hwnd);
    SyncBackend();
    EXPECT_EQ(GrabKeyboard(), GrabSuccess);
}

// Input that reaches the saver's window while a dialog has the pointer (the moves made to reach
// the dialog, a click or key meant for it) is the dialog's: it is dropped when the grabs come
// back, with what was queued and not yet taken, so that the saver does not end on it again.
TEST_F(X11SaverWindowTest, InputWhileTheGrabsAreLetGoIsDroppedWhenTheyComeBack) {
    HWND hwnd = ShowSaver();
    PumpUntil([] { return false; }, 100);
    SendMotion(hwnd, 10, 10);
    SendMotion(hwnd, 20, 20);
    MSG taken;
    ASSERT_TRUE(PeekMessageA(taken));
    ASSERT_EQ(taken.message, UINT{WM_MOUSEMOVE});  // the second move waits behind it
    EXPECT_EQ(ShowCursor(true), 1);
    SendMotion(hwnd, 30, 30);
    SendButton(hwnd, Button1, 40, 40);
    SendKey(hwnd, XK_Return);
    EXPECT_EQ(ShowCursor(false), 0);
    log_.messages.clear();
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(log_.Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(log_.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(log_.Count(WM_KEYDOWN), 0);
    EXPECT_EQ(log_.Count(WM_CHAR), 0);
    // Input after the grabs are back is the saver's.
    SendMotion(hwnd, 50, 60);
    EXPECT_TRUE(PumpUntil([&] { return log_.Count(WM_MOUSEMOVE) > 0; }));
    const MSG* move = log_.Last(WM_MOUSEMOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(XFromLParam(move->lParam), 50);
    EXPECT_EQ(YFromLParam(move->lParam), 60);
    DestroyWindow(hwnd);
}

// A keyboard another program holds does not hold the saver up: it shows and paints at once
// (the grabs used to be tried for a second before the window was drawn) and takes the pointer,
// and takes the keyboard as soon as the other program lets it go, also after the first second
// of tries.
TEST_F(X11SaverWindowTest, AKeyboardHeldElsewhereIsTakenOnceItIsFreeAndHoldsNothingUp) {
    ASSERT_EQ(XGrabKeyboard(Raw(), XDefaultRootWindow(Raw()), 0, GrabModeAsync, GrabModeAsync,
                            CurrentTime),
              GrabSuccess);
    XSync(Raw(), 0);
    const auto shown = std::chrono::steady_clock::now();
    HWND hwnd = ShowSaver();
    EXPECT_LT(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(600))
        << "the saver waited for the other program's grab before it painted";
    EXPECT_EQ(XGrabPointer(Raw(), XDefaultRootWindow(Raw()), 0, ButtonPressMask, GrabModeAsync,
                           GrabModeAsync, 0, 0, CurrentTime),
              AlreadyGrabbed);
    PumpUntil([] { return false; }, 1200);
    XUngrabKeyboard(Raw(), CurrentTime);
    XSync(Raw(), 0);
    EXPECT_TRUE(PumpUntil([&] { return GrabKeyboard() == AlreadyGrabbed; }, 2000))
        << "the saver did not take the keyboard once it was free";
    DestroyWindow(hwnd);
    SyncBackend();
    EXPECT_EQ(GrabKeyboard(), GrabSuccess);
}

TEST_F(X11SaverWindowTest, TheSnapshotIsTheDesktopAsItWasBeforeTheSaverShowed) {
    FillForeignWindow(MakeForeignWindow(gfx::RectFromSize(50, 50, 40, 40), "Paint", "Paint", true),
                      kGreen);
    PresentFilled(ShowSaver(), kRed);
    EXPECT_EQ(CaptureScreen().GetPixel(60, 60), kGreen);
    EXPECT_EQ(CaptureScreen().GetPixel(60, 60), kRed) << "the snapshot goes once";
}

// CaptureScreen reads the root window; a program that pictured the desktop itself before
// showing the saver (as the scene does) gets no second, stale snapshot.
TEST_F(X11SaverWindowTest, CaptureScreenReadsTheRootAndAnEarlyPictureIsTheOnlySnapshot) {
    FillForeignWindow(MakeForeignWindow(gfx::RectFromSize(50, 50, 40, 40), "Paint", "Paint", true),
                      kGreen);
    gfx::Bitmap screen = CaptureScreen();
    ASSERT_EQ(screen.Width(), 640);
    ASSERT_EQ(screen.Height(), 480);
    EXPECT_EQ(screen.GetPixel(60, 60), kGreen);
    EXPECT_EQ(screen.GetPixel(89, 89), kGreen);
    EXPECT_NE(screen.GetPixel(90, 90), kGreen);
    PresentFilled(ShowSaver(), kRed);
    EXPECT_EQ(CaptureScreen().GetPixel(60, 60), kRed);
}

// Picturing the desktop reads the server's events, and another program's request among them may
// close the saver's window before it goes up: showing it then ends with the window gone.
TEST_F(X11SaverWindowTest, AWindowClosedWhileTheDesktopIsPicturedIsNotShown) {
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, className_, "Vellamor Autumn", WS_POPUP, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0);
    ASSERT_NE(hwnd, 0u);
    SendRequest(hwnd, WM_CLOSE);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(log_.Count(WM_DESTROY), 1);
    EXPECT_EQ(GrabKeyboard(), GrabSuccess) << "a window that is gone holds no grab";
}

TEST_F(X11SaverWindowTest, TheProgramsIconsAreHandedOutByIndex) {
    gfx::Bitmap image(32, 32);
    gfx::Bitmap mask(32, 32, gfx::PixelFormat::Mono);
    backend_->AddIcon({image, mask});
    image.Fill(kRed);
    backend_->AddIcon({image, mask});
    const Icon* leaf = IconPictures(ExtractIconA(1));
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->image.GetPixel(0, 0), kRed);
    EXPECT_EQ(ExtractIconA(2), 0u);
    EXPECT_EQ(IconPictures(0), nullptr);
}

// The metrics at 640 x 480 are checked by the saver covering the screen.
TEST_F(X11SaverWindowTest, AScreenThatChangesSizeChangesTheMetrics) {
    // What the server sends the root's listeners when RandR changes the screen.
    XEvent event{};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = XDefaultRootWindow(Raw());
    event.xconfigure.window = XDefaultRootWindow(Raw());
    event.xconfigure.width = 800;
    event.xconfigure.height = 600;
    Deliver(XDefaultRootWindow(Raw()), event, StructureNotifyMask);
    EXPECT_TRUE(PumpUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 800; }));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    // A message box is centred on the screen as it is now.
    XWindowAttributes box{};
    const uint32_t timer = SetTimer(0, 0, 20, [&](HWND, UINT, uint32_t, uint32_t) {
        if (HWND shown = FindWindowA("VellamorMessageBox", nullptr); shown != 0 && box.width == 0) {
            XGetWindowAttributes(Raw(), shown, &box);
            SendKey(shown, XK_Return);
        }
    });
    MessageBoxA(0, "text", "caption", MB_OK);
    KillTimer(0, timer);
    ASSERT_GT(box.width, 0);
    EXPECT_EQ(box.x, (800 - box.width) / 2);
    EXPECT_EQ(box.y, (600 - box.height) / 2);
}

class X11LargeScreenTest : public X11SaverWindowTest {
  protected:
    static void SetUpTestSuite() { StartServer(3840, 2160); }
};

TEST_F(X11LargeScreenTest, AFourKScreenIsCoveredAndPresentedWhole) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 3840);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 2160);
    HWND hwnd = ShowSaver();
    WindowSurface(hwnd).Fill(kBlue);
    WindowSurface(hwnd).SetPixel(3839, 2159, kRed);
    PresentRect(hwnd, GetClientRect(hwnd));
    Flush();
    EXPECT_EQ(RawPixel(hwnd, 3839, 2159), kRed);
    EXPECT_EQ(RawPixel(hwnd, 1920, 1080), kBlue);
    EXPECT_EQ(CaptureScreen().Width(), 3840);
}

}  // namespace
}  // namespace platform::x11::testing
