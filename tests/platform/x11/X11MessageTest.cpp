// The message loop, timers, input and SIGTERM of the X backend.
#include "X11TestSupport.h"

#include <X11/keysym.h>

#include <csignal>
#include <thread>

#include "platform/x11/MonotonicClock.h"

namespace platform::x11::testing {
namespace {

class X11MessageTest : public X11BackendTest {
  protected:
    void SetUp() override {
        X11BackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        hwnd_ = CreateWindowExA(0, "TestWindow", "Input", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, 0);
        ASSERT_NE(hwnd_, 0u);
        ASSERT_TRUE(PumpUntil([&] { return log_.Count(WM_PAINT) > 0; }));
        log_.messages.clear();
    }

    const MSG* WaitFor(UINT message) {
        PumpUntil([&] { return log_.Count(message) > 0; });
        return log_.Last(message);
    }

    HWND hwnd_ = 0;
};

TEST_F(X11MessageTest, TheTickCounterIsTheMonotonicClockInMilliseconds) {
    uint32_t first = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    uint32_t second = GetTickCount();
    EXPECT_GE(second - first, 30u);
    EXPECT_LT(second - first, 1000u);
    EXPECT_EQ(TickCountFrom(0x1'0000'0005ull), 5u);  // wraps at 2^32
}

// Keys become key-down messages with their virtual key and a character; with Alt they are
// system keys, and Alt+F4 asks to close.
TEST_F(X11MessageTest, KeysBecomeKeyDownOrWithAltSystemKeys) {
    SendKey(hwnd_, XK_a);
    const MSG* down = WaitFor(WM_KEYDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->wParam, static_cast<WPARAM>('A'));
    const MSG* character = WaitFor(WM_CHAR);
    ASSERT_NE(character, nullptr);
    EXPECT_EQ(character->wParam, static_cast<WPARAM>('a'));
    SendKey(hwnd_, XK_Escape);
    PumpUntil([&] { return log_.Count(WM_CHAR) == 2; });
    EXPECT_EQ(log_.Last(WM_KEYDOWN)->wParam, VK_ESCAPE);
    EXPECT_EQ(log_.Last(WM_CHAR)->wParam, 27u);
    log_.messages.clear();
    SendKey(hwnd_, XK_F4, Mod1Mask);
    const MSG* key = WaitFor(WM_SYSKEYDOWN);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->wParam, VK_F4);
    EXPECT_NE(key->lParam & kAltDownFlag, 0);
    EXPECT_NE(WaitFor(WM_CLOSE), nullptr);
    EXPECT_EQ(log_.Count(WM_KEYDOWN), 0);
}

TEST_F(X11MessageTest, ButtonsAndMotionCarryClientCoordinates) {
    SendButton(hwnd_, Button1, 12, 34);
    SendButton(hwnd_, Button3, 1, 2);
    SendButton(hwnd_, Button2, 3, 4);
    SendButton(hwnd_, 4, 5, 6);  // the wheel
    SendMotion(hwnd_, 150, 70);
    const MSG* move = WaitFor(WM_MOUSEMOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(XFromLParam(move->lParam), 150);
    EXPECT_EQ(YFromLParam(move->lParam), 70);
    const MSG* left = log_.Last(WM_LBUTTONDOWN);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(XFromLParam(left->lParam), 12);
    EXPECT_EQ(YFromLParam(left->lParam), 34);
    EXPECT_EQ(left->wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(log_.Count(WM_RBUTTONDOWN), 1);
    EXPECT_EQ(log_.Count(WM_MBUTTONDOWN), 1);
    EXPECT_EQ(log_.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(X11MessageTest, SigtermPostsTheQuitRequest) {
    std::raise(SIGTERM);
    MSG msg;
    bool quit = false;
    PumpUntil([&] {
        quit = !GetMessageA(msg);
        return quit || msg.message == WM_QUIT;
    });
    EXPECT_TRUE(quit);
}

TEST_F(X11MessageTest, TheCloseButtonOfTheWindowManagerAsksForAClose) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = hwnd_;
    event.xclient.message_type = XInternAtom(Raw(), "WM_PROTOCOLS", 0);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(Raw(), "WM_DELETE_WINDOW", 0));
    XSendEvent(Raw(), hwnd_, 0, NoEventMask, &event);
    XSync(Raw(), 0);
    const MSG* command = WaitFor(WM_SYSCOMMAND);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->wParam, SC_CLOSE);
    EXPECT_NE(WaitFor(WM_DESTROY), nullptr);  // the default handling closes the window
}

}  // namespace
}  // namespace platform::x11::testing
