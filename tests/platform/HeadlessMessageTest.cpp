#include <gtest/gtest.h>

#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace platform {
namespace {

using headless::HeadlessBackend;
using headless::MouseButton;

class HeadlessMessageTest : public ::testing::Test {
  protected:
    // Windows of class "Recorder" log every message, then give it the default handling.
    HeadlessMessageTest() {
        WNDCLASS windowClass;
        windowClass.lpszClassName = "Recorder";
        windowClass.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            log_.push_back({hwnd, message, wParam, lParam, 0});
            return DefWindowProcA(hwnd, message, wParam, lParam);
        };
        RegisterClassA(windowClass);
        hwnd_ = CreateWindowExA(0, "Recorder", "main", WS_POPUP, 0, 0, 200, 100, 0);
    }

    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const MSG& item : log_) {
            messages.push_back(item.message);
        }
        return messages;
    }

    HeadlessBackend backend_;
    std::vector<MSG> log_;
    HWND hwnd_ = 0;
};

TEST_F(HeadlessMessageTest, PostedMessagesAndInputKeepTheirOrderAndComeBeforeTimers) {
    log_.clear();
    SetTimer(hwnd_, 1, 10, {});
    backend_.AdvanceClock(10);
    PostMessageA(hwnd_, WM_USER + 1, 0, 0);
    backend_.InjectMouseMove(hwnd_, 5, 6);
    PostMessageA(hwnd_, WM_USER + 2, 0, 0);
    backend_.InjectKeyDown(hwnd_, VK_SHIFT);
    backend_.InjectMouseDown(hwnd_, 7, 8, MouseButton::Right);
    backend_.RunFor(0);
    std::vector<UINT> expected = {WM_USER + 1, WM_MOUSEMOVE,   WM_USER + 2,
                                  WM_KEYDOWN,  WM_RBUTTONDOWN, WM_TIMER};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(XFromLParam(log_[1].lParam), 5);
    EXPECT_EQ(YFromLParam(log_[1].lParam), 6);
    EXPECT_EQ(log_[4].wParam, MK_RBUTTON);
    LPARAM negative = MakeLParam(-3, -32768);  // coordinates left of and above the window
    EXPECT_EQ(XFromLParam(negative), -3);
    EXPECT_EQ(YFromLParam(negative), -32768);
}

TEST_F(HeadlessMessageTest, AWaitingLoopMovesTheClockToTheNextScheduledInput) {
    log_.clear();
    backend_.Schedule(2500, [this] { backend_.InjectKeyDown(hwnd_, 'Q'); });
    backend_.Schedule(4000, [] { PostQuitMessage(0); });
    MSG msg;
    while (GetMessageA(msg)) {  // a program's loop, waiting between the inputs
        TranslateMessage(msg);
        DispatchMessageA(msg);
    }
    EXPECT_EQ(backend_.Now(), 4000u);
    // The key arrived at 2500 ms, and TranslateMessage added its character.
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(log_[1].wParam, static_cast<WPARAM>('q'));
    // RunFor stops at the quit request, with the clock where it was taken.
    backend_.Schedule(100, [] { PostQuitMessage(0); });
    EXPECT_FALSE(backend_.RunFor(1000));
    EXPECT_EQ(backend_.Now(), 4100u);
}

TEST_F(HeadlessMessageTest, InputForADisabledChildGoesToItsParentInTheParentsCoordinates) {
    HWND child = CreateWindowExA(0, "Recorder", "child", WS_CHILD | WS_VISIBLE | WS_DISABLED, 20,
                                 30, 50, 50, hwnd_);
    ASSERT_NE(child, 0u);
    log_.clear();
    EXPECT_TRUE(backend_.InjectMouseDown(child, 1, 2));
    EXPECT_FALSE(backend_.InjectKeyDown(child, 'A'));
    backend_.RunFor(0);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].hwnd, hwnd_);
    EXPECT_EQ(XFromLParam(log_[0].lParam), 21);
    EXPECT_EQ(YFromLParam(log_[0].lParam), 32);
}

TEST_F(HeadlessMessageTest, DestroyingAWindowFromItsOwnWmDestroyDoesNotRecurse) {
    WNDCLASS windowClass;
    windowClass.lpszClassName = "SelfDestroying";
    int destroys = 0;
    windowClass.lpfnWndProc = [&destroys](HWND hwnd, UINT message, WPARAM, LPARAM) {
        if (message == WM_DESTROY) {
            ++destroys;
            EXPECT_FALSE(DestroyWindow(hwnd));
        }
        return LRESULT{0};
    };
    RegisterClassA(windowClass);
    HWND hwnd = CreateWindowExA(0, "SelfDestroying", "", WS_POPUP, 0, 0, 5, 5, 0);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(destroys, 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(HeadlessMessageTest, ForeignWindowsAreFoundByClassAndTitleAndAnswerSendMessage) {
    std::vector<UINT> seen;
    HWND other =
        backend_.AddForeignWindow("TfrmStartScreensaver", "StartScreensaver", {0, 0, 10, 10},
                                  [&seen](HWND, UINT message, WPARAM, LPARAM) {
                                      seen.push_back(message);
                                      return message == WM_USER + 103 ? 1 : 0;
                                  });
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", "StartScreensaver"), other);
    EXPECT_EQ(FindWindowA(nullptr, "StartScreensaver"), other);
    EXPECT_EQ(FindWindowA("TfrmStartScreensaver", "Other"), 0u);
    EXPECT_EQ(SendMessageA(other, WM_USER + 103, 0, 0), 1);
    EXPECT_EQ(SendMessageA(other, WM_USER, 0, 0), 0);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 103, WM_USER}));
    EXPECT_THROW(WindowSurface(other), base::Exception);
}

}  // namespace
}  // namespace platform
