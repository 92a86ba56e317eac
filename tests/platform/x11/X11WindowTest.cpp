// Windows of the X backend as the server and other programs see them. What every backend does
// alike (titles read back, enabling, finding the program's own windows) is in the contract.
#include <array>

#include "X11TestSupport.h"

namespace platform::x11::testing {
namespace {

using X11WindowTest = X11BackendTest;

constexpr gfx::Pixel kMarked = 0xC00000;

TEST_F(X11WindowTest, TitleAndClassAreTheServersWmNameNetWmNameAndWmClass) {
    HWND hwnd = CreateWindowExA(0, "TestWindow", "Vellamor Autumn", WS_POPUP, 0, 0, 50, 40, 0);
    ASSERT_NE(hwnd, 0u);
    FindWindowA(nullptr, nullptr);  // sends what is pending
    EXPECT_EQ(RawProperty(hwnd, "WM_NAME"), "Vellamor Autumn");
    EXPECT_EQ(RawProperty(hwnd, "_NET_WM_NAME"), "Vellamor Autumn");
    EXPECT_EQ(RawProperty(hwnd, "WM_CLASS"), std::string("TestWindow\0TestWindow\0", 22));
    ASSERT_TRUE(SetWindowTextA(hwnd, "Other"));
    FindWindowA(nullptr, nullptr);
    EXPECT_EQ(RawProperty(hwnd, "_NET_WM_NAME"), "Other");
}

// A window without a caption asks the window manager for no decorations; a caption given later
// takes that back. A dialog border fixes the size, also one given after it.
TEST_F(X11WindowTest, TheStyleDecidesTheWindowManagersFrameAndADialogBorderFixesTheSize) {
    HWND hwnd = CreateWindowExA(0, "TestWindow", "Over...", WS_POPUP, 0, 0, 50, 40, 0);
    ASSERT_NE(hwnd, 0u);
    FindWindowA(nullptr, nullptr);
    EXPECT_NE(RawProperty(hwnd, "_MOTIF_WM_HINTS"), "");
    EXPECT_EQ(SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP | WS_CAPTION), WS_POPUP);
    EXPECT_EQ(SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_DLGMODALFRAME), 0u);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), WS_POPUP | WS_CAPTION);
    EXPECT_EQ(SetWindowLongA(hwnd, 7, 1), 0u) << "no other index";
    ASSERT_TRUE(MoveWindow(hwnd, 0, 0, 221, 276));
    FindWindowA(nullptr, nullptr);
    EXPECT_EQ(RawProperty(hwnd, "_MOTIF_WM_HINTS"), "");
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(Raw(), static_cast<::Window>(hwnd), &hints, &supplied), 0);
    EXPECT_EQ((std::array{hints.min_width, hints.max_width, hints.min_height, hints.max_height}),
              (std::array{221, 221, 276, 276}));
    EXPECT_EQ(AdjustWindowRectEx({0, 0, 221, 276}, WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME),
              (gfx::Rect{0, 0, 221, 276}))
        << "the window manager's frame lies outside the window";
}

// Another program's window is found and read from the server, but not changed.
TEST_F(X11WindowTest, OtherProgramsWindowsAreFoundAndReadButNotChanged) {
    ::Window foreign = MakeForeignWindow(gfx::RectFromSize(3, 4, 30, 40), "TfrmStartScreensaver",
                                         "StartScreensaver", true);
    auto hwnd = static_cast<HWND>(foreign);
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", "StartScreensaver"), foreign);
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", nullptr), foreign);
    EXPECT_EQ(FindWindowA("TestWindow", "StartScreensaver"), 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Nobody"), 0u);
    EXPECT_EQ(GetWindowTextA(hwnd), "StartScreensaver");
    EXPECT_EQ(GetClassNameA(hwnd), "TfrmStartScreensaver");
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetClientRect(hwnd), gfx::Rect(0, 0, 30, 40));
    EXPECT_FALSE(SetWindowTextA(hwnd, "Taken"));
    EXPECT_FALSE(MoveWindow(hwnd, 0, 0, 1, 1));
    EXPECT_THROW(WindowSurface(hwnd), base::Exception);
    EXPECT_THROW(PresentRect(hwnd, {0, 0, 1, 1}), base::Exception);
    EXPECT_FALSE(IsWindow(0));
    XDestroyWindow(Raw(), foreign);
    XSync(Raw(), 0);
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", nullptr), 0u);
    EXPECT_FALSE(IsWindow(hwnd));
}

// Under a window manager only the client inside a frame (the one with WM_STATE) counts. The
// focus may lie inside another program's top-level window (its toolkit's, or the frame itself);
// the foreground window is that top-level window, as FindWindowA counts them.
TEST_F(X11WindowTest, TheClientInsideAFrameIsFoundAndIsTheForegroundWhenItHoldsTheFocus) {
    ::Window frame = MakeForeignWindow(gfx::RectFromSize(0, 0, 60, 60), nullptr, nullptr, true);
    ::Window client = MakeForeignWindow(gfx::RectFromSize(2, 20, 50, 30), "TfrmStartScreensaver",
                                        "StartScreensaver", true, frame);
    MakeForeignWindow(gfx::RectFromSize(0, 0, 60, 20), "Deco", "StartScreensaver", true, frame);
    long normal[2] = {1, 0};
    Atom wmState = XInternAtom(Raw(), "WM_STATE", 0);
    XChangeProperty(Raw(), client, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(normal), 2);
    XSync(Raw(), 0);
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", "StartScreensaver"), client);
    EXPECT_EQ(FindWindowA("Deco", nullptr), 0u);

    ::Window plain = MakeForeignWindow(gfx::RectFromSize(100, 0, 40, 40), nullptr, nullptr, true);
    ::Window field =
        MakeForeignWindow(gfx::RectFromSize(1, 1, 10, 10), nullptr, nullptr, true, client);
    ::Window inner =
        MakeForeignWindow(gfx::RectFromSize(1, 1, 10, 10), nullptr, nullptr, true, plain);
    const std::pair<::Window, ::Window> focusAndForeground[] = {
        {field, client}, {frame, client}, {client, client}, {inner, plain}};
    for (auto [focus, foreground] : focusAndForeground) {
        SCOPED_TRACE(focus);
        XSetInputFocus(Raw(), focus, RevertToParent, CurrentTime);
        XSync(Raw(), 0);
        EXPECT_EQ(GetForegroundWindow(), foreground);  // without a frame: the root's child
    }
    HWND own = CreateWindowExA(0, "TestWindow", "Own", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, 0);
    ASSERT_TRUE(SetForegroundWindow(own));
    XSync(Raw(), 0);
    EXPECT_EQ(GetForegroundWindow(), own);
}

TEST_F(X11WindowTest, ChildOfAForeignWindowFillsItAndGetsWmDestroyWhenTheParentGoes) {
    ::Window area =
        MakeForeignWindow(gfx::RectFromSize(30, 20, 152, 112), "Host", "Preview area", true);
    HWND parent = static_cast<HWND>(area);
    gfx::Rect outer = GetWindowRect(parent);
    EXPECT_EQ(outer, gfx::RectFromSize(30, 20, 152, 112));
    HWND child =
        CreateWindowExA(0, "TestWindow", "TavrinSaver", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                        outer.Width(), outer.Height(), parent);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetWindowRect(child), outer);
    EXPECT_EQ(ParentOf(child), area);

    XDestroyWindow(Raw(), area);
    XSync(Raw(), 0);
    EXPECT_TRUE(PumpUntil([&] { return log_.Count(WM_DESTROY) == 1; }));
    EXPECT_EQ(log_.Last(WM_DESTROY)->hwnd, child);
    EXPECT_EQ(backend_->WindowRecord(child), nullptr);
}

// Destroying a window again from a WM_DESTROY of its own tree is refused: each window gets
// WM_DESTROY once, and all of them go.
TEST_F(X11WindowTest, AWindowDestroyedAgainFromItsOwnWmDestroyGetsItOnce) {
    std::vector<HWND> destroyed;
    std::vector<bool> againAnswers;
    HWND parent = 0;
    WNDPROC destroyParentAgain = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) {
            destroyed.push_back(hwnd);
            againAnswers.push_back(DestroyWindow(parent));
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    parent =
        CreateWindowExA(0, "TestWindow", "Parent", WS_POPUP, 0, 0, 100, 100, 0, destroyParentAgain);
    ASSERT_NE(parent, 0u);
    HWND child = CreateWindowExA(0, "TestWindow", "Child", WS_CHILD, 0, 0, 50, 50, parent,
                                 destroyParentAgain);
    ASSERT_NE(child, 0u);
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(destroyed, (std::vector<HWND>{parent, child}));
    EXPECT_EQ(againAnswers, (std::vector<bool>{false, false}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
}

// Sizes the server reports for the program's own resizes are not taken for another's; a size
// another client gives the window (a window manager) is.
TEST_F(X11WindowTest, OnlyAResizeByAnotherClientChangesTheWindowsSize) {
    HWND hwnd = CreateWindowExA(0, "TestWindow", "Sized", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, 0);
    ASSERT_NE(hwnd, 0u);
    ASSERT_TRUE(PumpUntil([&] { return log_.Count(WM_PAINT) > 0; }));
    ASSERT_TRUE(MoveWindow(hwnd, 0, 0, 100, 100));
    ASSERT_TRUE(MoveWindow(hwnd, 0, 0, 200, 120));
    WindowSurface(hwnd).SetPixel(150, 110, kMarked);
    XSync(backend_->GetConnection().Get(), 0);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(GetClientRect(hwnd), gfx::Rect(0, 0, 200, 120));
    EXPECT_EQ(WindowSurface(hwnd).GetPixel(150, 110), kMarked)
        << "the surface was cut down meanwhile";

    XResizeWindow(Raw(), static_cast<::Window>(hwnd), 80, 60);
    XSync(Raw(), 0);
    EXPECT_TRUE(PumpUntil([&] { return GetClientRect(hwnd) == gfx::Rect(0, 0, 80, 60); }));
    EXPECT_EQ(WindowSurface(hwnd).Width(), 80);
}

// A child that destroys its parent from its own WM_DESTROY goes with that parent: its record is
// forgotten there, and nothing is sent to the server for a window it has destroyed already.
TEST_F(X11WindowTest, AChildThatDestroysItsParentFromItsWmDestroyGoesWithIt) {
    HWND parent = CreateWindowExA(0, "TestWindow", "Parent", WS_POPUP, 0, 0, 100, 100, 0);
    ASSERT_NE(parent, 0u);
    bool recordKept = true;
    HWND child = CreateWindowExA(0, "TestWindow", "Child", WS_CHILD, 0, 0, 50, 50, parent,
                                 [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
                                     if (message == WM_DESTROY) {
                                         EXPECT_TRUE(DestroyWindow(parent));
                                         recordKept = backend_->WindowRecord(hwnd) != nullptr;
                                     }
                                     return DefWindowProcA(hwnd, message, wParam, lParam);
                                 });
    ASSERT_NE(child, 0u);
    ErrorTrap trap(backend_->GetConnection().Get());
    EXPECT_TRUE(DestroyWindow(child));
    EXPECT_FALSE(trap.Failed()) << "a request for a window the server had destroyed";
    EXPECT_FALSE(recordKept) << "the child outlived its parent";
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
}

// A disabled window passes its input to the parent by not asking the server for it.
TEST_F(X11WindowTest, ShowingMovingStackingEnablingAndRaisingReachTheServer) {
    HWND hwnd = CreateWindowExA(0, "TestWindow", "Shown", WS_POPUP, 10, 10, 40, 30, 0);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetUpdateRect(hwnd), gfx::Rect(0, 0, 40, 30));
    EXPECT_EQ(Attributes(hwnd).map_state, IsViewable);
    EXPECT_TRUE(PumpUntil([&] { return log_.Count(WM_PAINT) > 0; }));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_EQ(Attributes(hwnd).map_state, IsUnmapped);
    ASSERT_TRUE(MoveWindow(hwnd, 5, 6, 70, 80));
    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
    EXPECT_TRUE(backend_->WindowRecord(hwnd)->topmost);
    EXPECT_EQ(Attributes(hwnd).width, 70);
    EXPECT_EQ(Attributes(hwnd).height, 80);
    HWND child = CreateWindowExA(0, "TestWindow", "Child", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0,
                                 0, 20, 20, hwnd);
    EXPECT_EQ(Attributes(child).all_event_masks & KeyPressMask, 0);
    EXPECT_TRUE(EnableWindow(child, true));
    EXPECT_NE(Attributes(child).all_event_masks & KeyPressMask, 0);

    ShowWindow(hwnd, SW_SHOW);
    ::Window other = MakeForeignWindow(gfx::RectFromSize(0, 0, 50, 50), "Other", "Other", true);
    EXPECT_TRUE(SetForegroundWindow(hwnd));
    std::vector<::Window> stack = ChildrenOf(XDefaultRootWindow(Raw()));
    ASSERT_FALSE(stack.empty());
    EXPECT_EQ(stack.back(), hwnd) << "raised above the other program's window " << other;
    EXPECT_FALSE(SetForegroundWindow(0x7FFFFF2));
}

}  // namespace
}  // namespace platform::x11::testing
