// Messages to other programs' windows: the companion program answers message 1127.
#include "X11TestSupport.h"

#include <signal.h>

#include <chrono>
#include <csignal>

#include "ChildProcess.h"

namespace platform::x11::testing {
namespace {

constexpr UINT kStartQuery = WM_USER + 103;

// The companion program started with one argument (its answer), on the test's display.
std::unique_ptr<ChildProcess> StartCompanion(const std::string& display,
                                             const std::string& argument) {
    return std::make_unique<ChildProcess>(std::vector<std::string>{VA_X11_COMPANION, argument},
                                          std::vector<std::string>{"DISPLAY=" + display}, 30);
}

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
    auto companion = StartCompanion(DisplayName(), std::to_string(GetParam()));
    ASSERT_EQ(companion->ReadLine(5000).value_or("").rfind("ready 0x", 0), 0u);
    HWND hwnd = FindWindowA("TfrmStartScreensaver", "StartScreensaver");
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(SendMessageA(hwnd, kStartQuery, 0, 0), GetParam());
    EXPECT_EQ(companion->ReadLine(5000), "message 1127 0 0");
    companion->Signal(SIGTERM);
    EXPECT_EQ(companion->WaitForExit(3000), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, X11CompanionAnswerTest, ::testing::Values(0, 1, -5));

TEST_F(X11ForeignTest, AWindowThatNeverAnswersGivesZeroAfterTheTimeout) {
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

TEST_F(X11ForeignTest, AWindowThatIsGoneGivesZeroAtOnce) {
    ::Window gone = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "Gone", "Gone", false);
    XDestroyWindow(Raw(), gone);
    XSync(Raw(), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(gone), kStartQuery, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_FALSE(PostMessageA(static_cast<HWND>(gone), WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(0, kStartQuery, 0, 0), 0);
}

}  // namespace
}  // namespace platform::x11::testing
