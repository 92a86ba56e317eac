// The tick counter, input and the window manager's close button of the X backend, and messages
// to other programs' windows (the companion program answers message 1127).
#include "X11TestSupport.h"

#include <X11/keysym.h>

#include <chrono>
#include <csignal>

#include "ChildProcess.h"

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

// Ticks due a few milliseconds apart come in one wake-up: the first waits for the second. The
// tick counter counts milliseconds.
TEST_F(X11MessageTest, TimersDueCloseTogetherTickTogetherByTheMillisecondCounter) {
    uint32_t firstTick = 0;
    uint32_t secondTick = 0;
    const uint32_t start = GetTickCount();
    auto recordOnce = [](uint32_t& tick) {
        return
            [&tick](HWND, UINT, uint32_t, uint32_t) { tick = tick != 0 ? tick : GetTickCount(); };
    };
    const uint32_t first = SetTimer(0, 0, 50, recordOnce(firstTick));
    const uint32_t second = SetTimer(0, 0, 53, recordOnce(secondTick));
    EXPECT_TRUE(PumpUntil([&] { return firstTick != 0 && secondTick != 0; }));
    KillTimer(0, first);
    KillTimer(0, second);
    EXPECT_GE(firstTick - start, 53u) << "the first tick did not wait for the second";
    EXPECT_GE(secondTick, firstTick);
    EXPECT_LT(secondTick - start, 1000u) << "the counter runs faster than milliseconds";
}

// Keys become key-down messages with their virtual key and a character; with Alt they are
// system keys, and Alt+F4 asks to close.
TEST_F(X11MessageTest, KeysBecomeKeyDownOrWithAltSystemKeys) {
    SendKey(hwnd_, XK_a);
    SendKey(hwnd_, XK_Escape);
    PumpUntil([&] { return log_.Count(WM_CHAR) == 2; });
    std::vector<WPARAM> keys;
    std::vector<WPARAM> characters;
    for (const MSG& msg : log_.messages) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
            (msg.message == WM_KEYDOWN ? keys : characters).push_back(msg.wParam);
        }
    }
    EXPECT_EQ(keys, (std::vector<WPARAM>{'A', VK_ESCAPE}));
    EXPECT_EQ(characters, (std::vector<WPARAM>{'a', 27}));
    log_.messages.clear();
    SendKey(hwnd_, XK_F4, Mod1Mask);
    const MSG* key = WaitFor(WM_SYSKEYDOWN);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->wParam, VK_F4);
    EXPECT_NE(key->lParam & kAltDownFlag, 0);
    EXPECT_NE(WaitFor(WM_CLOSE), nullptr);
    EXPECT_EQ(log_.Count(WM_KEYDOWN), 0);
}

// A key let go becomes a key-up message, a system one with Alt, and types nothing. The server
// is asked not to send the releases of a held key's repeats: they come as key presses alone.
TEST_F(X11MessageTest, AKeyLetGoIsAKeyUpOrWithAltASystemKeyUp) {
    int supported = 0;
    EXPECT_TRUE(XkbGetDetectableAutoRepeat(backend_->GetConnection().Get(), &supported));
    SendKey(hwnd_, XK_space);
    SendKeyRelease(hwnd_, XK_space);
    SendKeyRelease(hwnd_, XK_q, Mod1Mask);
    const MSG* systemKey = WaitFor(WM_SYSKEYUP);
    ASSERT_NE(systemKey, nullptr);
    EXPECT_EQ(systemKey->wParam, WPARAM{'Q'});
    EXPECT_NE(systemKey->lParam & kAltDownFlag, 0);
    const MSG* key = log_.Last(WM_KEYUP);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->wParam, VK_SPACE);
    EXPECT_EQ(key->lParam & kAltDownFlag, 0);
    EXPECT_EQ(log_.Count(WM_KEYUP), 1);
    EXPECT_EQ(log_.Count(WM_CHAR), 1) << "the press's space alone";
}

TEST_F(X11MessageTest, ButtonsAndMotionCarryClientCoordinates) {
    SendButton(hwnd_, Button1, 12, 34);
    SendButton(hwnd_, Button3, 1, 2);
    SendButton(hwnd_, Button2, 3, 4);
    SendButton(hwnd_, 4, 5, 6);  // the wheel
    SendButton(hwnd_, 9, 7, 8);  // the side buttons, forward and back
    SendButton(hwnd_, 8, 9, 10);
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
    ASSERT_EQ(log_.Count(WM_XBUTTONDOWN), 2);
    const MSG* back = log_.Last(WM_XBUTTONDOWN);
    EXPECT_EQ(back->wParam, MK_XBUTTON1 | 0x10000u);
    EXPECT_EQ(XFromLParam(back->lParam), 9);

    // Of the releases only the left button's has a message, without the left button's flag.
    SendRelease(hwnd_, Button3, 1, 2);
    SendRelease(hwnd_, Button1, 250, -5);  // let go outside: the window had the press
    const MSG* up = WaitFor(WM_LBUTTONUP);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(XFromLParam(up->lParam), 250);
    EXPECT_EQ(YFromLParam(up->lParam), -5);
    EXPECT_EQ(up->wParam & MK_LBUTTON, 0u);
    EXPECT_EQ(log_.Count(WM_LBUTTONUP), 1);
}

TEST_F(X11MessageTest, TheCloseButtonOfTheWindowManagerAsksForAClose) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = hwnd_;
    event.xclient.message_type = XInternAtom(Raw(), "WM_PROTOCOLS", 0);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(Raw(), "WM_DELETE_WINDOW", 0));
    Deliver(hwnd_, event, NoEventMask);
    const MSG* command = WaitFor(WM_SYSCOMMAND);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->wParam, SC_CLOSE);
    EXPECT_NE(WaitFor(WM_DESTROY), nullptr);  // the default handling closes the window
}

// Another program's request fails into the next dispatch, never into the wait for a message,
// as on the platform. A window another program destroyed goes whole even when its WM_DESTROY
// fails; that failure comes out at once, ahead of the quit request that follows it.
TEST_F(X11MessageTest, FailuresWhileReadingEventsComeOutAndLoseNothing) {
    constexpr UINT kFailing = WM_USER + 5;
    WNDCLASS failingClass;
    failingClass.lpszClassName = "Failing";
    failingClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kFailing) {
            throw std::runtime_error("request failed");
        }
        if (message == WM_DESTROY) {
            throw std::runtime_error("destroy failed");
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    ASSERT_TRUE(RegisterClassA(failingClass));
    HWND failing = CreateWindowExA(0, "Failing", "Failing", WS_POPUP, 0, 0, 10, 10, 0);
    ASSERT_NE(failing, 0u);
    ASSERT_NE(SetTimer(hwnd_, 1, 10), 0u);  // something to take while the failure is held
    const auto nextFailure = [&]() -> std::string {
        for (int turn = 0; turn < 300; ++turn) {
            MSG msg;
            try {
                if (!GetMessageA(msg)) {
                    return "quit";
                }
            } catch (const std::runtime_error& e) {
                return std::string("wait: ") + e.what();
            }
            try {
                DispatchMessageA(msg);
            } catch (const std::runtime_error& e) {
                return std::string("dispatch: ") + e.what();
            }
        }
        return "none";
    };

    SendRequest(failing, kFailing);
    EXPECT_EQ(nextFailure(), "dispatch: request failed");
    EXPECT_TRUE(IsWindow(failing));

    XDestroyWindow(Raw(), failing);
    XSync(Raw(), 0);
    EXPECT_EQ(nextFailure(), "wait: destroy failed");
    EXPECT_FALSE(IsWindow(failing));
    EXPECT_EQ(nextFailure(), "quit") << "a top-level window gone ends the program";
}

constexpr UINT kStartQuery = WM_USER + 103;

class X11ForeignTest : public X11BackendTest {
  protected:
    X11Options Options() override {
        X11Options options;
        options.sendTimeoutMs = 300;
        return options;
    }
};

class X11CompanionAnswerTest : public X11ForeignTest,
                               public ::testing::WithParamInterface<int32_t> {};

TEST_P(X11CompanionAnswerTest, TheCompanionIsFoundAndAnswersWithItsNumber) {
    // The companion's one argument is its answer.
    ChildProcess companion({VA_X11_COMPANION, std::to_string(GetParam())},
                           {"DISPLAY=" + DisplayName()}, 30);
    ASSERT_EQ(companion.ReadLine(5000).value_or("").rfind("ready 0x", 0), 0u);
    HWND hwnd = FindWindowA("TfrmStartScreensaver", "StartScreensaver");
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(SendMessageA(hwnd, kStartQuery, 0, 0), GetParam());
    EXPECT_EQ(companion.ReadLine(5000), "message 1127 0 0");
    companion.Signal(SIGTERM);
    EXPECT_EQ(companion.WaitForExit(3000), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, X11CompanionAnswerTest, ::testing::Values(0, 1, -5));

TEST_F(X11ForeignTest, AWindowThatNeverAnswersGivesZeroAfterTheTimeoutAndAGoneOneAtOnce) {
    ::Window silent = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "TfrmStartScreensaver",
                                        "StartScreensaver", false);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(silent), kStartQuery, 0, 0), 0);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(290));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
    // The request did reach the window, in the documented form.
    XEvent event{};
    XSync(Raw(), 0);  // reads what the server has for the test's connection
    ASSERT_NE(XCheckTypedWindowEvent(Raw(), silent, ClientMessage, &event), 0);
    EXPECT_EQ(event.xclient.message_type, XInternAtom(Raw(), "_VELLAMOR_MESSAGE", 0));
    EXPECT_EQ(event.xclient.data.l[0], 1127);
    EXPECT_NE(event.xclient.data.l[3], 0);  // where the answer would go

    XDestroyWindow(Raw(), silent);
    XSync(Raw(), 0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(silent), kStartQuery, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_FALSE(PostMessageA(static_cast<HWND>(silent), WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(0, kStartQuery, 0, 0), 0);
}

TEST_F(X11ForeignTest, SigtermEndsTheWaitForAnAnswer) {
    ::Window silent = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "Silent", "Silent", false);
    X11Options options;
    options.sendTimeoutMs = 5000;
    backend_.reset();
    backend_ = MakeBackend(options);
    std::raise(SIGTERM);  // already pending when the wait starts
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(silent), kStartQuery, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    MSG msg;
    EXPECT_FALSE(GetMessageA(msg));
}

}  // namespace
}  // namespace platform::x11::testing
