// Windows and messages of the Win32 backend under the real window system, where they differ
// from the other backends (what all do alike is in tests/platform/contract).
#include "BackendFixture.h"
#include "base/Exceptions.h"

namespace win32test {
namespace {

using WindowTest = BackendTest;

TEST_F(WindowTest, ATopmostSaverWindowCoversTheScreenAndIsFoundByItsTitle) {
    int32_t width = GetSystemMetrics(SM_CXSCREEN);
    int32_t height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = MakeWindow(PassOn, {0, 0, width, height}, WS_EX_TOPMOST, "Vellamor Autumn");
    EXPECT_EQ(FindWindowA(nullptr, "Vellamor Autumn"), hwnd);
    EXPECT_EQ(GetClientRect(hwnd), (gfx::Rect{0, 0, width, height}));
    EXPECT_TRUE(NativeTopmost(hwnd));
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_FALSE(NativeTopmost(hwnd));
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(NativeTopmost(hwnd));
}

// An exception of WM_CREATE crosses the system's creation call and fails the creation.
TEST_F(WindowTest, AnExceptionOfWmCreateComesOutOfTheCreation) {
    std::string throwing = FreshClass([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_CREATE) {
            throw base::Exception("creation refused");
        }
        return PassOn(h, m, w, l);
    });
    try {
        CreateWindowExA(0, throwing, "no", WS_POPUP, 0, 0, 10, 10, 0);
        ADD_FAILURE() << "the creation did not throw";
    } catch (const base::Exception& failure) {
        EXPECT_STREQ(failure.what(), "creation refused");
    }
    EXPECT_EQ(FindWindowA(throwing.c_str(), nullptr), 0u);
}

TEST_F(WindowTest, SystemClassesMakeNativeWindowsWithoutSurface) {
    HWND parent = MakeWindow(PassOn, {0, 0, 200, 100});
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 81, 25, parent);
    ASSERT_NE(button, 0u);
    EXPECT_EQ(GetWindowTextA(button), "OK");
    EXPECT_THROW(WindowSurface(button), base::Exception);
    EXPECT_THROW(PresentRect(button, {0, 0, 1, 1}), base::Exception);
}

TEST_F(WindowTest, KeysBecomeCharactersThroughTranslateMessage) {
    std::vector<WPARAM> characters;
    HWND hwnd = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_CHAR) {
                characters.push_back(w);
            }
            return PassOn(h, m, w, l);
        },
        {0, 0, 20, 20});
    PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
    RunMessages(500, [&] { return !characters.empty(); });
    EXPECT_EQ(characters, std::vector<WPARAM>{27});
}

// The message box runs the system's own loop; the timer still reaches the program there and
// closes the box.
TEST_F(WindowTest, MessageBoxesShowAndTimersTickInTheirLoop) {
    HWND owner = MakeWindow(PassOn, {0, 0, 50, 50});
    std::string seenText;
    int ticks = 0;
    uint32_t timer = SetTimer(0, 0, 30, [&](HWND, UINT, uint32_t, uint32_t) {
        ++ticks;
        if (seenText.empty()) {
            seenText = AnswerMessageBox("Vellamor Autumn");
        }
    });
    int answer = MessageBoxA(owner, "Frame not found.", "Vellamor Autumn", MB_OK | MB_ICONSTOP);
    KillTimer(0, timer);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(seenText, "Frame not found.");
    EXPECT_GE(ticks, 1);
}

// A failure held in the box's loop belongs to the box: the calls the program makes inside
// that loop answer as ever, and the failure comes out of the box alone.
TEST_F(WindowTest, AFailureHeldInAMessageBoxsLoopComesOutOfTheBoxAlone) {
    HWND answering =
        MakeWindow([](HWND h, UINT m, WPARAM w,
                      LPARAM l) -> LRESULT { return m == WM_USER ? 5 : PassOn(h, m, w, l); },
                   {0, 0, 40, 40});
    int ticks = 0;
    bool answered = false;
    std::string failureInside;
    LRESULT answer = 0;
    std::string title;
    uint32_t timer = SetTimer(0, 0, 20, [&](HWND, UINT, uint32_t, uint32_t) {
        if (++ticks == 1) {
            throw base::Exception("tick failed");
        }
        if (ticks == 2) {
            try {
                answer = SendMessageA(answering, WM_USER, 0, 0);
                SetWindowTextA(answering, "Kept");
                title = GetWindowTextA(answering);
            } catch (const base::Exception& failure) {
                failureInside = failure.what();
            }
        }
        if (!answered) {
            answered = !AnswerMessageBox("Vellamor Autumn").empty();
        }
    });
    try {
        MessageBoxA(answering, "Frame not found.", "Vellamor Autumn", MB_OK | MB_ICONSTOP);
        ADD_FAILURE() << "the held failure did not come out of the message box";
    } catch (const base::Exception& failure) {
        EXPECT_STREQ(failure.what(), "tick failed");
    }
    KillTimer(0, timer);
    EXPECT_EQ(failureInside, "");
    EXPECT_EQ(answer, 5);
    EXPECT_EQ(title, "Kept");
}

}  // namespace
}  // namespace win32test
