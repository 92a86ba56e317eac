// Presenting, the desktop snapshot, the saver's window and the screen's metrics.
#include "X11TestSupport.h"

#include <X11/keysym.h>

namespace platform::x11::testing {
namespace {

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kBlue = 0x0000FF;
constexpr gfx::Pixel kGreen = 0x00C000;

gfx::Pixel RawPixel(Display* display, ::Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return gfx::kNoPixel;
    }
    auto pixel = static_cast<gfx::Pixel>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

class X11PresentTest : public X11Fixture, public ::testing::WithParamInterface<bool> {};

TEST_P(X11PresentTest, PresentedRectanglesReachTheScreenAfterOneFlush) {
    X11Options options;
    options.allowShm = GetParam();
    auto backend = MakeBackend(options);
    MessageLog log;
    RegisterClassA(LoggingClass("Shown", log));
    HWND hwnd = CreateWindowExA(0, "Shown", "Shown", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, 0);
    gfx::Bitmap& surface = WindowSurface(hwnd);
    surface.Fill(kBlue);
    PresentRect(hwnd, {0, 0, 100, 80});
    surface.FillRect({10, 10, 40, 30}, kRed);
    PresentRect(hwnd, {10, 10, 40, 30});
    PresentRect(hwnd, {-50, -50, 500, 500});  // clipped to the window, no failure
    MSG msg;
    PeekMessageA(msg);  // one turn of the loop flushes
    EXPECT_EQ(backend->UsesShm(hwnd), GetParam());
    EXPECT_EQ(backend->PresentsWithoutCopy(hwnd), GetParam()) << "drawn in shared memory";
    SyncBackend();
    EXPECT_EQ(RawPixel(Raw(), hwnd, 15, 15), kRed);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 39, 29), kRed);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 40, 30), kBlue);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 5, 5), kBlue);
    // A window that changed size gets a picture of its new size, twice without a present
    // between (the first new surface's memory has gone by then).
    MoveWindow(hwnd, 0, 0, 110, 85);
    MoveWindow(hwnd, 0, 0, 120, 90);
    PresentFilled(hwnd, kGreen);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 110, 85), kGreen);
    EXPECT_EQ(backend->PresentsWithoutCopy(hwnd), GetParam());
    // A surface given another picture of the same size, in memory of its own, is copied.
    WindowSurface(hwnd) = gfx::Bitmap(120, 90);
    PresentFilled(hwnd, kRed);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 60, 45), kRed);
    EXPECT_FALSE(backend->PresentsWithoutCopy(hwnd));
    EXPECT_EQ(backend->UsesShm(hwnd), GetParam());
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
    EXPECT_EQ(RawProperty(hwnd, "_NET_WM_NAME"), "Vellamor Autumn");
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

TEST_F(X11SaverWindowTest, TheSnapshotIsTheDesktopAsItWasBeforeTheSaverShowed) {
    ::Window green = MakeForeignWindow(gfx::RectFromSize(50, 50, 40, 40), "Paint", "Paint", true);
    FillForeignWindow(green, kGreen);
    PresentFilled(ShowSaver(), kRed);
    gfx::Bitmap snapshot = CaptureScreen();
    EXPECT_EQ(snapshot.GetPixel(60, 60), kGreen);
    gfx::Bitmap now = CaptureScreen();  // the snapshot goes once; then the screen as it is
    EXPECT_EQ(now.GetPixel(60, 60), kRed);
}

// CaptureScreen reads the root window; a program that pictured the desktop itself before
// showing the saver (as the scene does) gets no second, stale snapshot.
TEST_F(X11SaverWindowTest, CaptureScreenReadsTheRootAndAnEarlyPictureIsTheOnlySnapshot) {
    ::Window green = MakeForeignWindow(gfx::RectFromSize(50, 50, 40, 40), "Paint", "Paint", true);
    FillForeignWindow(green, kGreen);
    gfx::Bitmap screen = CaptureScreen();
    ASSERT_EQ(screen.Width(), 640);
    ASSERT_EQ(screen.Height(), 480);
    EXPECT_EQ(screen.GetPixel(60, 60), kGreen);
    EXPECT_EQ(screen.GetPixel(89, 89), kGreen);
    EXPECT_NE(screen.GetPixel(90, 90), kGreen);
    PresentFilled(ShowSaver(), kRed);
    EXPECT_EQ(CaptureScreen().GetPixel(60, 60), kRed);
}

TEST_F(X11SaverWindowTest, TheProgramsIconsAreHandedOutByIndex) {
    gfx::Bitmap image(32, 32);
    gfx::Bitmap mask(32, 32, gfx::PixelFormat::Mono);
    backend_->AddIcon({image, mask});
    image.Fill(kRed);
    backend_->AddIcon({image, mask});
    HICON leaf = ExtractIconA(1);
    ASSERT_NE(leaf, 0u);
    ASSERT_NE(IconPictures(leaf), nullptr);
    EXPECT_EQ(IconPictures(leaf)->image.GetPixel(0, 0), kRed);
    EXPECT_EQ(ExtractIconA(2), 0u);
    EXPECT_EQ(IconPictures(0), nullptr);
}

// A window coming up under the resting pointer reports its position once; then real input
// reaches the grabbing saver.
TEST_F(X11SaverWindowTest, RealInputReachesTheGrabbingSaver) {
    if (RunTool("xdotool version") != 0) {
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    }
    ASSERT_EQ(RunTool("xdotool mousemove 200 150"), 0);
    HWND hwnd = ShowSaver();
    ASSERT_TRUE(PumpUntil([&] { return log_.Count(WM_MOUSEMOVE) > 0; }));
    auto onlyTheRestingPosition = [&] {
        PumpUntil([] { return false; }, 100);
        for (const MSG& msg : log_.messages) {
            if (msg.message == WM_MOUSEMOVE) {
                EXPECT_EQ(XFromLParam(msg.lParam), 200);
                EXPECT_EQ(YFromLParam(msg.lParam), 150);
            }
        }
    };
    onlyTheRestingPosition();
    ASSERT_EQ(RunTool("xdotool mousemove 200 150"), 0);  // no move: nothing new
    onlyTheRestingPosition();
    ASSERT_EQ(RunTool("xdotool mousemove 123 45"), 0);
    ASSERT_TRUE(PumpUntil([&] { return XFromLParam(log_.Last(WM_MOUSEMOVE)->lParam) == 123; }));
    EXPECT_EQ(YFromLParam(log_.Last(WM_MOUSEMOVE)->lParam), 45);
    EXPECT_EQ(log_.Last(WM_MOUSEMOVE)->hwnd, hwnd);
    ASSERT_EQ(RunTool("xdotool key q"), 0);
    ASSERT_TRUE(PumpUntil([&] { return log_.Count(WM_KEYDOWN) > 0; }));
    EXPECT_EQ(log_.Last(WM_KEYDOWN)->wParam, static_cast<WPARAM>('Q'));
    ASSERT_EQ(RunTool("xdotool click 1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return log_.Count(WM_LBUTTONDOWN) > 0; }));
}

// The metrics at 640 x 480 are checked by the saver covering the screen.
TEST_F(X11SaverWindowTest, AScreenThatChangesSizeChangesTheMetrics) {
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    // What the server sends the root's listeners when RandR changes the screen.
    XEvent event{};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = XDefaultRootWindow(Raw());
    event.xconfigure.window = XDefaultRootWindow(Raw());
    event.xconfigure.width = 800;
    event.xconfigure.height = 600;
    XSendEvent(Raw(), XDefaultRootWindow(Raw()), 0, StructureNotifyMask, &event);
    XSync(Raw(), 0);
    EXPECT_TRUE(PumpUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 800; }));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
}

class X11LargeScreenTest : public X11Fixture {
  protected:
    static void SetUpTestSuite() { StartServer(3840, 2160); }
};

TEST_F(X11LargeScreenTest, AFourKScreenIsCoveredAndPresentedWhole) {
    auto backend = MakeBackend();
    MessageLog log;
    RegisterClassA(LoggingClass("TfrmMain", log));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 3840);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 2160);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "TfrmMain", "Vellamor Autumn", WS_POPUP, 0, 0, 3840,
                                2160, 0);
    ShowWindow(hwnd, SW_SHOW);
    WindowSurface(hwnd).Fill(kBlue);
    WindowSurface(hwnd).SetPixel(3839, 2159, kRed);
    PresentRect(hwnd, GetClientRect(hwnd));
    Flush();
    EXPECT_EQ(RawPixel(Raw(), hwnd, 3839, 2159), kRed);
    EXPECT_EQ(RawPixel(Raw(), hwnd, 1920, 1080), kBlue);
    EXPECT_EQ(CaptureScreen().Width(), 3840);
}

}  // namespace
}  // namespace platform::x11::testing
