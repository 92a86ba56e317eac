// The message loop and the message timers of the Win32 backend, in real time.
#include <stdexcept>

#include "BackendFixture.h"

namespace win32test {
namespace {

using MessageTest = BackendTest;

TEST_F(MessageTest, WindowAndThreadTimersTickAndTheTickCountFollows) {
    int windowTicks = 0;
    HWND hwnd = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) {
            windowTicks += m == WM_TIMER && w == 3 ? 1 : 0;
            return PassOn(h, m, w, l);
        },
        {0, 0, 20, 20});
    int threadTicks = 0;
    EXPECT_EQ(SetTimer(hwnd, 3, 20), 3u);
    uint32_t threadTimer = SetTimer(0, 0, 20, [&](HWND, UINT message, uint32_t, uint32_t) {
        threadTicks += message == WM_TIMER ? 1 : 0;
    });
    EXPECT_NE(threadTimer, 0u);
    uint32_t start = GetTickCount();
    RunMessages(2000, [&] { return windowTicks >= 4 && threadTicks >= 4; });
    EXPECT_GE(windowTicks, 4);
    EXPECT_GE(threadTicks, 4);
    EXPECT_GE(GetTickCount() - start, 60u);
    EXPECT_TRUE(KillTimer(hwnd, 3));
    EXPECT_TRUE(KillTimer(0, threadTimer));
    EXPECT_FALSE(KillTimer(hwnd, 3));
    int before = windowTicks + threadTicks;
    RunMessages(150);
    EXPECT_EQ(windowTicks + threadTicks, before);
}

TEST_F(MessageTest, AnIntervalOfZeroGivesNoTicks) {
    int silentTicks = 0;
    int otherTicks = 0;
    HWND hwnd = MakeWindow(
        [&](HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_TIMER) {
                (w == 1 ? silentTicks : otherTicks) += 1;
            }
            return PassOn(h, m, w, l);
        },
        {0, 0, 20, 20});
    EXPECT_NE(SetTimer(hwnd, 1, 0), 0u);
    EXPECT_NE(SetTimer(hwnd, 2, 15), 0u);
    RunMessages(3000, [&] { return otherTicks >= 10; });
    EXPECT_GE(otherTicks, 10);
    EXPECT_EQ(silentTicks, 0);
    EXPECT_TRUE(KillTimer(hwnd, 1));
}

TEST_F(MessageTest, ATickNeverOverlapsItselfAndATimerMayDieInItsOwnTick) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 20, 20});
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    SetTimer(hwnd, 5, 10, [&](HWND window, UINT, uint32_t id, uint32_t) {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        RunMessages(60);  // a loop inside the tick, as a modal dialog would run
        if (ticks == 3) {
            KillTimer(window, id);
        }
        --depth;
    });
    RunMessages(3000, [&] { return ticks >= 3; });
    RunMessages(100);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(deepest, 1);
}

TEST_F(MessageTest, AnExceptionOfATimerProcedureComesOutOfDispatch) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 20, 20});
    SetTimer(hwnd, 9, 10,
             [](HWND, UINT, uint32_t, uint32_t) { throw std::runtime_error("tick failed"); });
    bool thrown = false;
    uint32_t start = GetTickCount();
    while (!thrown && GetTickCount() - start < 3000) {
        MSG msg;
        ASSERT_TRUE(GetMessageA(msg));
        try {
            DispatchMessageA(msg);
        } catch (const std::runtime_error& failure) {
            EXPECT_STREQ(failure.what(), "tick failed");
            thrown = true;
        }
    }
    EXPECT_TRUE(thrown);
    KillTimer(hwnd, 9);
}

TEST_F(MessageTest, PostedMessagesComeBeforeDueTimersAndQuitEndsTheLoop) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 20, 20});
    SetTimer(hwnd, 1, 1);
    uint32_t start = GetTickCount();
    while (GetTickCount() - start < 50) {
    }
    PostMessageA(hwnd, WM_USER + 5, 11, -12);
    MSG msg;
    ASSERT_TRUE(GetMessageA(msg));
    EXPECT_EQ(msg.message, WM_USER + 5);
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_EQ(msg.lParam, -12);
    KillTimer(hwnd, 1);
    PostQuitMessage(4);
    bool quit = false;
    while (!quit) {
        quit = !GetMessageA(msg);
    }
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(MessageTest, KeysBecomeCharactersThroughTranslateMessage) {
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
TEST_F(MessageTest, MessageBoxesShowAndTimersTickInTheirLoop) {
    HWND owner = MakeWindow(PassOn, {0, 0, 50, 50});
    std::string seenText;
    int ticks = 0;
    uint32_t timer = SetTimer(0, 0, 30, [&](HWND, UINT, uint32_t, uint32_t) {
        ++ticks;
        if (HWND box = FindMessageBox("Vellamor Autumn"); box != 0 && seenText.empty()) {
            seenText = MessageBoxText(box);
            PressOk(box);
        }
    });
    int answer = MessageBoxA(owner, "Frame not found.", "Vellamor Autumn", MB_OK | MB_ICONSTOP);
    KillTimer(0, timer);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(seenText, "Frame not found.");
    EXPECT_GE(ticks, 1);
}

}  // namespace
}  // namespace win32test
