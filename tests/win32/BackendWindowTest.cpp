// Windows of the Win32 backend under the real window system.
#include <stdexcept>

#include "BackendFixture.h"
#include "base/Exceptions.h"

namespace win32test {
namespace {

using WindowTest = BackendTest;

TEST_F(WindowTest, ATopmostSaverWindowCoversTheScreenAndIsFoundByItsTitle) {
    int32_t width = GetSystemMetrics(SM_CXSCREEN);
    int32_t height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = MakeWindow(PassOn, {0, 0, width, height}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST,
                           "Vellamor Autumn");
    EXPECT_EQ(FindWindowA(nullptr, "Vellamor Autumn"), hwnd);
    EXPECT_EQ(GetWindowTextA(hwnd), "Vellamor Autumn");
    EXPECT_EQ(GetWindowRect(hwnd), (gfx::Rect{0, 0, width, height}));
    EXPECT_EQ(GetClientRect(hwnd), (gfx::Rect{0, 0, width, height}));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(NativeTopmost(hwnd));
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_FALSE(NativeTopmost(hwnd));
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(NativeTopmost(hwnd));
}

TEST_F(WindowTest, FindWindowMatchesClassAndTitleTogether) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 50, 50}, WS_POPUP, 0, "Finder");
    std::string className = GetClassNameA(hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), "Finder"), hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), nullptr), hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), "Other"), 0u);
    EXPECT_EQ(FindWindowA("NoSuchClassAnywhere", nullptr), 0u);
}

TEST_F(WindowTest, TextsSetThroughTheDefaultHandlingArriveWhole) {
    // WM_SETTEXT and WM_GETTEXT carry pointers: the default handling must get them uncut.
    HWND hwnd = MakeWindow(PassOn, {0, 0, 50, 50}, WS_POPUP, 0, "first");
    std::string title(300, 'x');
    EXPECT_TRUE(SetWindowTextA(hwnd, title));
    EXPECT_EQ(GetWindowTextA(hwnd), title);
}

TEST_F(WindowTest, CreationRunsWmCreateWhoseFailureOrExceptionFailsIt) {
    int creates = 0;
    HWND hwnd = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) {
            creates += m == WM_CREATE ? 1 : 0;
            return PassOn(h, m, w, l);
        },
        {0, 0, 40, 40});
    EXPECT_NE(hwnd, 0u);
    EXPECT_EQ(creates, 1);

    std::string refusing = FreshClass([](HWND h, UINT m, WPARAM w, LPARAM l) {
        return m == WM_CREATE ? -1 : PassOn(h, m, w, l);
    });
    EXPECT_EQ(CreateWindowExA(0, refusing, "no", WS_POPUP, 0, 0, 10, 10, 0), 0u);

    std::string throwing = FreshClass([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_CREATE) {
            throw base::Exception("creation refused");
        }
        return PassOn(h, m, w, l);
    });
    EXPECT_THROW(
        {
            try {
                CreateWindowExA(0, throwing, "no", WS_POPUP, 0, 0, 10, 10, 0);
            } catch (const base::Exception& failure) {
                EXPECT_STREQ(failure.what(), "creation refused");
                throw;
            }
        },
        base::Exception);
    EXPECT_EQ(FindWindowA(throwing.c_str(), nullptr), 0u);
}

TEST_F(WindowTest, ExceptionsOfProceduresComeOutOfSendAndDispatch) {
    HWND hwnd = MakeWindow(
        [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_USER + 1) {
                throw std::runtime_error("from the procedure " + std::to_string(w));
            }
            return PassOn(h, m, w, l);
        },
        {0, 0, 40, 40});
    EXPECT_THROW(SendMessageA(hwnd, WM_USER + 1, 7, 0), std::runtime_error);
    ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 1, 8, 0));
    MSG msg;
    ASSERT_TRUE(GetMessageA(msg));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_THROW(DispatchMessageA(msg), std::runtime_error);
    // The window lives on and answers.
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 2, 0, 0), 0);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, ProcedureGivenAtCreationReplacesTheClasses) {
    std::string name = FreshClass(
        [](HWND h, UINT m, WPARAM w, LPARAM l) { return m == WM_USER ? 1 : PassOn(h, m, w, l); });
    HWND own = CreateWindowExA(
        0, name, "own", WS_POPUP, 0, 0, 10, 10, 0,
        [](HWND h, UINT m, WPARAM w, LPARAM l) { return m == WM_USER ? 2 : PassOn(h, m, w, l); });
    HWND plain = CreateWindowExA(0, name, "plain", WS_POPUP, 0, 0, 10, 10, 0);
    windows_.insert(windows_.end(), {own, plain});
    EXPECT_EQ(SendMessageA(own, WM_USER, 0, 0), 2);
    EXPECT_EQ(SendMessageA(plain, WM_USER, 0, 0), 1);
}

TEST_F(WindowTest, ChildrenLiveInTheirParentAndEndWithIt) {
    HWND parent = MakeWindow(PassOn, {100, 100, 300, 250});
    std::vector<std::string> destroyed;
    std::string childClass = FreshClass([&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_DESTROY) {
            destroyed.push_back(GetWindowTextA(h));
        }
        return PassOn(h, m, w, l);
    });
    HWND child = CreateWindowExA(0, childClass, "child", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                                 200, 150, parent);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetWindowRect(child), (gfx::Rect{100, 100, 300, 250}));
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(destroyed, std::vector<std::string>{"child"});
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(parent));
}

// The saver refuses to close and swallows the request to start a saver; the system's default
// handling turns Alt+F4 and the close command into a close request.
TEST_F(WindowTest, SystemCommandsAndCloseRequestsReachTheProcedure) {
    int closes = 0;
    HWND hwnd = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_CLOSE) {
                ++closes;
                return 0;
            }
            if (m == WM_QUERYENDSESSION) {
                return 0;
            }
            if (m == WM_SYSCOMMAND && (w & 0xFFF0u) == SC_SCREENSAVE) {
                return 1;
            }
            return PassOn(h, m, w, l);
        },
        {0, 0, 50, 50}, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
    EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closes, 1);
    PostMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, kAltDownFlag);
    RunMessages(1000, [&] { return closes == 2; });
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, EnableWindowAnswersWhetherItWasDisabled) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 40, 40});
    EXPECT_FALSE(EnableWindow(hwnd, false));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_TRUE(EnableWindow(hwnd, false));
    EXPECT_TRUE(EnableWindow(hwnd, true));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST_F(WindowTest, MovingResizesTheSurface) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 40, 30});
    EXPECT_EQ(WindowSurface(hwnd).Width(), 40);
    EXPECT_TRUE(MoveWindow(hwnd, 10, 20, 120, 90));
    EXPECT_EQ(GetWindowRect(hwnd), (gfx::Rect{10, 20, 130, 110}));
    EXPECT_EQ(WindowSurface(hwnd).Width(), 120);
    EXPECT_EQ(WindowSurface(hwnd).Height(), 90);
}

TEST_F(WindowTest, SystemClassesMakeNativeWindowsWithoutSurface) {
    HWND parent = MakeWindow(PassOn, {0, 0, 200, 100});
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 81, 25, parent);
    ASSERT_NE(button, 0u);
    EXPECT_EQ(GetWindowTextA(button), "OK");
    EXPECT_THROW(WindowSurface(button), base::Exception);
    EXPECT_THROW(PresentRect(button, {0, 0, 1, 1}), base::Exception);
}

TEST_F(WindowTest, AClassNameIsRegisteredOnce) {
    std::string name = FreshClass(PassOn);
    EXPECT_FALSE(RegisterClassA(ProgramClass{0, PassOn, CursorShape::Arrow, std::nullopt, name}));
    EXPECT_EQ(CreateWindowExA(0, "NeverRegistered", "", WS_POPUP, 0, 0, 1, 1, 0), 0u);
}

TEST_F(WindowTest, ForegroundCanBeTakenAndReadBack) {
    HWND first = MakeWindow(PassOn, {0, 0, 60, 60});
    HWND second = MakeWindow(PassOn, {100, 0, 160, 60});
    EXPECT_TRUE(SetForegroundWindow(first));
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_TRUE(SetForegroundWindow(second));
    EXPECT_EQ(GetForegroundWindow(), second);
}

}  // namespace
}  // namespace win32test
