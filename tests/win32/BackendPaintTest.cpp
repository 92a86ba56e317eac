// Surfaces, presenting, painting and the desktop snapshot of the Win32 backend, checked by
// reading the pixels back from the window system.
#include "BackendFixture.h"
#include "base/Exceptions.h"

namespace win32test {
namespace {

using PaintTest = BackendTest;

constexpr gfx::Pixel kOrange = 0xE07020;
constexpr gfx::Pixel kTeal = 0x208080;

// A procedure that leaves the surface as the test drew it.
LRESULT NoErase(HWND h, UINT m, WPARAM w, LPARAM l) {
    return m == WM_ERASEBKGND ? 0 : PassOn(h, m, w, l);
}

TEST_F(PaintTest, PresentingPutsExactlyTheRectangleOnTheScreen) {
    HWND hwnd = MakeWindow(
        [](HWND h, UINT m, WPARAM w, LPARAM l) {
            return m == WM_ERASEBKGND || m == WM_PAINT ? 0 : PassOn(h, m, w, l);
        },
        {40, 30, 240, 180}, WS_EX_TOPMOST);
    gfx::Bitmap& surface = WindowSurface(hwnd);
    ASSERT_EQ(surface.Width(), 200);
    ASSERT_EQ(surface.Height(), 150);
    surface.Fill(kTeal);
    PresentRect(hwnd, {0, 0, 200, 150});
    surface.Fill(kOrange);
    PresentRect(hwnd, {20, 10, 70, 40});
    PresentRect(hwnd, {190, 140, 260, 300});  // cut to the client area
    EXPECT_EQ(WindowPixel(hwnd, 20, 10), kOrange);
    EXPECT_EQ(WindowPixel(hwnd, 69, 39), kOrange);
    EXPECT_EQ(WindowPixel(hwnd, 70, 39), kTeal);
    EXPECT_EQ(WindowPixel(hwnd, 69, 40), kTeal);
    EXPECT_EQ(WindowPixel(hwnd, 19, 10), kTeal);
    EXPECT_EQ(WindowPixel(hwnd, 199, 149), kOrange);
    EXPECT_EQ(WindowPixel(hwnd, 189, 139), kTeal);
    // The screen shows it at the window's place, once the window system has caught up.
    RunMessages(2000, [] { return ScreenPixel(40 + 30, 30 + 20) == kOrange; });
    EXPECT_EQ(ScreenPixel(40 + 30, 30 + 20), kOrange);
    EXPECT_EQ(ScreenPixel(40 + 100, 30 + 100), kTeal);
}

TEST_F(PaintTest, EndPaintWithoutBeginPaintIsRefused) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 30, 30});
    EXPECT_THROW(EndPaint(hwnd, PAINTSTRUCT{}), base::Exception);
    EXPECT_THROW(BeginPaint(0x7FFFFFF0u), base::Exception);
}

TEST_F(PaintTest, AChildPresentsInsideItsParent) {
    HWND parent = MakeWindow(NoErase, {600, 100, 800, 250}, WS_EX_TOPMOST);
    WindowSurface(parent).Fill(kTeal);
    PresentRect(parent, {0, 0, 200, 150});
    std::string childClass = FreshClass(PassOn);
    HWND child = CreateWindowExA(0, childClass, "child", WS_CHILD | WS_VISIBLE | WS_DISABLED, 50,
                                 40, 100, 80, parent);
    ASSERT_NE(child, 0u);
    RunMessages(200);
    WindowSurface(child).Fill(kOrange);
    PresentRect(child, {0, 0, 100, 80});
    EXPECT_EQ(WindowPixel(parent, 50, 40), kOrange);
    EXPECT_EQ(WindowPixel(parent, 149, 119), kOrange);
    EXPECT_EQ(WindowPixel(parent, 49, 40), kTeal);
}

// A timer's failure is held while the message box's loop runs; a paint in that loop still
// gets its DC and is drawn, and the failure comes out when the box has gone.
TEST_F(PaintTest, APaintInsideAMessageBoxGoesOnWhileAnEarlierFailureIsHeld) {
    int paints = 0;
    HWND painted = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m != WM_PAINT) {
                return PassOn(h, m, w, l);
            }
            EndPaint(h, BeginPaint(h));
            ++paints;
            return 0;
        },
        {0, 0, 40, 40});
    RunMessages(2000, [&] { return paints > 0; });
    int paintsBefore = 0;
    int ticks = 0;
    uint32_t timer = SetTimer(0, 0, 20, [&](HWND, UINT, uint32_t, uint32_t) {
        ++ticks;
        if (ticks == 1) {
            paintsBefore = paints;
            InvalidateRect(painted, nullptr, false);
            throw base::Exception("tick failed");
        }
        if (paints > paintsBefore || ticks > 50) {
            AnswerMessageBox("Vellamor Autumn");
        }
    });
    try {
        MessageBoxA(painted, "Frame not found.", "Vellamor Autumn", MB_OK | MB_ICONSTOP);
        ADD_FAILURE() << "the held failure did not come out of the message box";
    } catch (const base::Exception& failure) {
        EXPECT_STREQ(failure.what(), "tick failed");
    }
    KillTimer(0, timer);
    EXPECT_GT(paints, paintsBefore) << "the paint inside the box's loop was lost";
}

TEST_F(PaintTest, TheSnapshotIsTheWholeScreenAsShown) {
    HWND hwnd = MakeWindow(NoErase, {500, 400, 560, 450}, WS_EX_TOPMOST);
    WindowSurface(hwnd).Fill(kOrange);
    PresentRect(hwnd, {0, 0, 60, 50});
    gfx::Bitmap screen;
    RunMessages(2000, [&] {
        screen = CaptureScreen();
        return screen.GetPixel(510, 410) == kOrange;
    });
    EXPECT_EQ(screen.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(screen.Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(screen.GetPixel(510, 410), kOrange);
    EXPECT_EQ(screen.GetPixel(559, 449), kOrange);
    EXPECT_EQ(screen.GetPixel(100, 100), ScreenPixel(100, 100));
}

}  // namespace
}  // namespace win32test
