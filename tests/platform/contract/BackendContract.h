#pragma once
// What every backend does alike, checked through the calls of platform.h only: one typed test
// suite that the headless, X11 and Win32 test programs each instantiate with an environment of
// their own. Include this header in one source file per program.
//
// An environment `Env` is default-constructible (it makes and installs the backend) and has
//   static const char* SkipReason();  // nullptr when the backend can run here
//   void Elapse(uint32_t ms);         // lets time pass without taking messages
//   void Pump(uint32_t ms, const std::function<bool()>& done = {});
//                                     // dispatches messages for ms or until done() holds
// Time is the backend's own: virtual on the headless backend, real on the others.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/platform.h"

namespace platform::contract {

template <class Env>
class BackendContract : public ::testing::Test {
  protected:
    // A procedure's own answer for a message, or nullopt for the default handling.
    using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    void SetUp() override {
        if (const char* reason = Env::SkipReason()) {
            GTEST_SKIP() << reason;
        }
        env_ = std::make_unique<Env>();
    }
    void TearDown() override {  // a skipped test made no windows
        for (HWND hwnd : windows_) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
        env_.reset();
    }

    // A class of a fresh name (a name is registered once per process on some systems) whose
    // procedure logs every message and answers through `answer_`.
    std::string LoggingClass(std::optional<gfx::Pixel> background = std::nullopt) {
        static int counter = 0;
        WNDCLASS windowClass;
        windowClass.lpszClassName = "ContractClass" + std::to_string(++counter);
        windowClass.background = background;
        windowClass.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            log_.push_back({hwnd, message, wParam, lParam, 0});
            if (answer_) {
                if (std::optional<LRESULT> own = answer_(hwnd, message, wParam, lParam)) {
                    return *own;
                }
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        };
        EXPECT_TRUE(RegisterClassA(windowClass));
        return windowClass.lpszClassName;
    }

    HWND MakeWindow(const gfx::Rect& bounds, uint32_t style = WS_POPUP | WS_VISIBLE,
                    HWND parent = 0, const std::string& title = "contract",
                    std::optional<gfx::Pixel> background = std::nullopt) {
        HWND hwnd = CreateWindowExA(0, LoggingClass(background), title, style, bounds.left,
                                    bounds.top, bounds.Width(), bounds.Height(), parent);
        EXPECT_NE(hwnd, 0u) << "window " << title << " not made";
        windows_.push_back(hwnd);
        return hwnd;
    }

    int Count(UINT message) const { return static_cast<int>(Receivers(message).size()); }
    // The windows that got `message`, in order.
    std::vector<HWND> Receivers(UINT message) const {
        std::vector<HWND> receivers;
        for (const MSG& m : log_) {
            if (m.message == message) {
                receivers.push_back(m.hwnd);
            }
        }
        return receivers;
    }

    std::unique_ptr<Env> env_;
    std::vector<MSG> log_;
    Answer answer_;
    std::vector<HWND> windows_;
};

TYPED_TEST_SUITE_P(BackendContract);

TYPED_TEST_P(BackendContract, CreationRunsWmCreateAndAFailedOneLeavesNoWindow) {
    HWND hwnd = this->MakeWindow({0, 0, 40, 30}, WS_POPUP);
    EXPECT_EQ(this->Count(WM_CREATE), 1);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClassAnywhere", "x", WS_POPUP, 0, 0, 5, 5, 0), 0u);
    EXPECT_EQ(CreateWindowExA(0, GetClassNameA(hwnd), "x", WS_CHILD, 0, 0, 5, 5, 0x7FFFFF0), 0u)
        << "a child of a window that does not exist";
    WNDCLASS again;
    again.lpszClassName = GetClassNameA(hwnd);
    EXPECT_FALSE(RegisterClassA(again)) << "a class name is registered once";

    this->answer_ = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            return -1;
        }
        return std::nullopt;
    };
    EXPECT_EQ(CreateWindowExA(0, this->LoggingClass(), "Refused", WS_POPUP, 0, 0, 5, 5, 0), 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Refused"), 0u);

    // A procedure given at creation takes the class's place for that window only.
    this->answer_ = {};
    HWND own = CreateWindowExA(0, GetClassNameA(hwnd), "own", WS_POPUP, 0, 0, 5, 5, 0,
                               [](HWND h, UINT m, WPARAM w, LPARAM l) {
                                   return m == WM_USER ? 2 : DefWindowProcA(h, m, w, l);
                               });
    this->windows_.push_back(own);
    EXPECT_EQ(SendMessageA(own, WM_USER, 0, 0), 2);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
}

TYPED_TEST_P(BackendContract, DestroyingAWindowDestroysItThenItsChildren) {
    HWND parent = this->MakeWindow({0, 0, 50, 50}, WS_POPUP, 0, "Parent");
    HWND child = this->MakeWindow({5, 5, 15, 15}, WS_CHILD, parent, "Child");
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetParent(parent), 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Child"), 0u) << "a child is no top-level window";
    this->log_.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(this->Receivers(WM_DESTROY), (std::vector<HWND>{parent, child}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_FALSE(PostMessageA(parent, WM_USER, 0, 0)) << "nothing is queued for a gone window";
}

// A failing WM_DESTROY does not keep a window alive: the whole tree goes, then the first
// failure comes out of DestroyWindow.
TYPED_TEST_P(BackendContract, AFailingWmDestroyStillDestroysTheTreeThenComesOut) {
    HWND parent = this->MakeWindow({0, 0, 50, 50}, WS_POPUP, 0, "Parent");
    HWND child = this->MakeWindow({5, 5, 15, 15}, WS_CHILD, parent, "Child");
    this->answer_ = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_DESTROY) {
            throw std::runtime_error(hwnd == parent ? "parent failed" : "child failed");
        }
        return std::nullopt;
    };
    this->log_.clear();
    try {
        DestroyWindow(parent);
        ADD_FAILURE() << "the failure did not come out";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "parent failed");
    }
    this->answer_ = nullptr;
    EXPECT_EQ(this->Receivers(WM_DESTROY), (std::vector<HWND>{parent, child}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent));
}

TYPED_TEST_P(BackendContract, PostedMessagesComeFirstThenTheQuitRequestThenPaintThenTimers) {
    HWND hwnd = this->MakeWindow({0, 0, 60, 40});
    this->env_->Pump(2000, [&] { return this->Count(WM_PAINT) > 0; });
    ASSERT_NE(SetTimer(hwnd, 7, 1), 0u);
    this->env_->Elapse(20);
    InvalidateRect(hwnd, nullptr, false);
    PostMessageA(hwnd, WM_USER + 1, 11, -12);
    PostQuitMessage(3);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    const std::vector<UINT> watched{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_PAINT, WM_TIMER};
    std::vector<UINT> order;
    MSG msg;
    for (int taken = 0; order.size() < watched.size() && taken < 100 && PeekMessageA(msg);
         ++taken) {
        if (std::find(watched.begin(), watched.end(), msg.message) != watched.end()) {
            order.push_back(msg.message);
        }
        if (msg.message == WM_USER + 1) {
            EXPECT_EQ(msg.hwnd, hwnd);
            EXPECT_EQ(msg.wParam, 11u);
            EXPECT_EQ(msg.lParam, -12);
        }
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(msg.wParam, 3u);
        } else {
            DispatchMessageA(msg);
        }
    }
    EXPECT_EQ(order, watched);
    KillTimer(hwnd, 7);
    PostQuitMessage(4);
    EXPECT_FALSE(GetMessageA(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 4u);
}

TYPED_TEST_P(BackendContract, TimersTickAtTheirIntervalUntilKilledAndIntervalZeroGivesNone) {
    int windowTicks = 0;
    int silentTicks = 0;
    int strayTicks = 0;
    this->answer_ = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) {
            (wParam == 1 ? silentTicks : wParam == 2 ? windowTicks : strayTicks) += 1;
        }
        return std::nullopt;
    };
    HWND hwnd = this->MakeWindow({0, 0, 20, 20});
    int threadTicks = 0;
    EXPECT_NE(SetTimer(hwnd, 1, 0), 0u);
    EXPECT_EQ(SetTimer(hwnd, 2, 15), 2u);
    uint32_t threadTimer =
        SetTimer(0, 0, 20, [&](HWND, UINT, uint32_t, uint32_t) { ++threadTicks; });
    ASSERT_NE(threadTimer, 0u);
    uint32_t start = GetTickCount();
    this->env_->Pump(3000, [&] { return windowTicks >= 4 && threadTicks >= 4; });
    EXPECT_GE(windowTicks, 4);
    EXPECT_GE(threadTicks, 4);
    EXPECT_GE(GetTickCount() - start, 60u);
    EXPECT_EQ(silentTicks, 0);
    EXPECT_EQ(strayTicks, 0) << "a tick carries its timer's id";
    EXPECT_TRUE(KillTimer(0, threadTimer));
    EXPECT_FALSE(KillTimer(0, threadTimer));
    EXPECT_TRUE(KillTimer(hwnd, 1));
    int windowBefore = windowTicks;
    int threadBefore = threadTicks;
    this->env_->Pump(100);
    EXPECT_GT(windowTicks, windowBefore) << "the window timer ticks on";
    EXPECT_EQ(threadTicks, threadBefore) << "no tick after the kill";
    DestroyWindow(hwnd);
    EXPECT_FALSE(KillTimer(hwnd, 2)) << "a window's timers go with it";
}

TYPED_TEST_P(BackendContract, ATickNeverOverlapsItselfAndATimerMayDieInItsOwnTick) {
    HWND hwnd = this->MakeWindow({0, 0, 20, 20});
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    SetTimer(hwnd, 5, 10, [&](HWND window, UINT, uint32_t id, uint32_t) {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        this->env_->Pump(60);  // a loop inside the tick, as a modal dialog runs
        if (ticks == 3) {
            EXPECT_TRUE(KillTimer(window, id));
        }
        --depth;
    });
    this->env_->Pump(3000, [&] { return ticks >= 3; });
    this->env_->Pump(100);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(deepest, 1);
}

TYPED_TEST_P(BackendContract, ExceptionsOfProceduresAndTimersComeOutOfSendAndDispatch) {
    this->answer_ = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER + 1) {
            throw std::runtime_error("from the procedure " + std::to_string(wParam));
        }
        return std::nullopt;
    };
    HWND hwnd = this->MakeWindow({0, 0, 40, 40});
    EXPECT_THROW(SendMessageA(hwnd, WM_USER + 1, 7, 0), std::runtime_error);
    ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 1, 8, 0));
    MSG msg;
    bool thrown = false;
    for (int taken = 0; !thrown && taken < 100 && PeekMessageA(msg); ++taken) {
        try {
            DispatchMessageA(msg);
        } catch (const std::runtime_error& failure) {
            EXPECT_EQ(msg.message, WM_USER + 1);
            EXPECT_STREQ(failure.what(), "from the procedure 8");
            thrown = true;
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 2, 0, 0), 0) << "the window lives on and answers";

    SetTimer(hwnd, 9, 10,
             [](HWND, UINT, uint32_t, uint32_t) { throw std::runtime_error("tick failed"); });
    thrown = false;
    uint32_t start = GetTickCount();
    while (!thrown && GetTickCount() - start < 3000) {
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

// The saver refuses the first close request; the default handling turns Alt+F4 into the close
// command and that into a close request, and lets a session end.
TYPED_TEST_P(BackendContract, AltF4AndTheCloseCommandBecomeCloseRequests) {
    int closes = 0;
    this->answer_ = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE && ++closes == 1) {
            return 0;
        }
        return std::nullopt;
    };
    HWND hwnd = this->MakeWindow({0, 0, 50, 50}, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
    EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(hwnd));
    PostMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, kAltDownFlag);
    this->env_->Pump(2000, [&] { return !IsWindow(hwnd); });
    EXPECT_EQ(closes, 2);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(this->Count(WM_DESTROY), 1);
}

TYPED_TEST_P(BackendContract, WindowsKeepTheirPlaceTitleAndState) {
    HWND hwnd = this->MakeWindow({100, 100, 300, 250}, WS_POPUP | WS_VISIBLE, 0, "Finder");
    std::string className = GetClassNameA(hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), "Finder"), hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), nullptr), hwnd);
    EXPECT_EQ(FindWindowA(nullptr, "Finder"), hwnd);
    EXPECT_EQ(FindWindowA(className.c_str(), "Other"), 0u);
    std::string title(300, 'x');  // the text travels whole through the default handling
    EXPECT_TRUE(SetWindowTextA(hwnd, title));
    EXPECT_EQ(GetWindowTextA(hwnd), title);

    HWND child = this->MakeWindow({0, 0, 200, 150}, WS_CHILD | WS_VISIBLE | WS_DISABLED, hwnd);
    EXPECT_EQ(GetWindowRect(child), (gfx::Rect{100, 100, 300, 250})) << "in screen coordinates";
    EXPECT_EQ(GetClientRect(child), (gfx::Rect{0, 0, 200, 150}));
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_TRUE(EnableWindow(child, true)) << "it was disabled";
    EXPECT_FALSE(EnableWindow(child, false));
    EXPECT_FALSE(IsWindowEnabled(child));

    // The surface follows the size at once, for a caller that holds it (a form's canvas).
    const gfx::Bitmap& surface = WindowSurface(hwnd);
    EXPECT_TRUE(MoveWindow(hwnd, 10, 20, 120, 90));
    EXPECT_EQ(GetWindowRect(hwnd), (gfx::Rect{10, 20, 130, 110}));
    EXPECT_EQ(GetClientRect(hwnd), (gfx::Rect{0, 0, 120, 90}));
    EXPECT_EQ(surface.Width(), 120);
    EXPECT_EQ(surface.Height(), 90);
    const auto topmost = [&] { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(topmost()) << "the extended style tells the topmost state";
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_NOTOPMOST, 40, 50, 1, 1, SWP_NOSIZE));
    EXPECT_FALSE(topmost());
    EXPECT_EQ(GetWindowRect(hwnd), (gfx::Rect{40, 50, 160, 140})) << "moved, not sized";
    EXPECT_TRUE(SetWindowPos(hwnd, HWND_NOTOPMOST, 1, 1, 80, 60, SWP_NOMOVE));
    EXPECT_EQ(GetWindowRect(hwnd), (gfx::Rect{40, 50, 120, 110})) << "sized, not moved";
    EXPECT_EQ(surface.Width(), 80);
    EXPECT_EQ(&WindowSurface(hwnd), &surface);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE)) << "it was visible";
    EXPECT_FALSE(IsWindowVisible(hwnd));

    HWND other = this->MakeWindow({200, 0, 260, 60});
    EXPECT_TRUE(SetForegroundWindow(other));
    EXPECT_EQ(GetForegroundWindow(), other);
}

TYPED_TEST_P(BackendContract, ATopLevelWindowTakesAnOwnerAndAChildNone) {
    HWND dialog = this->MakeWindow({10, 10, 110, 60}, WS_POPUP | WS_VISIBLE, 0, "dialog");
    HWND caller = this->MakeWindow({0, 0, 300, 200}, WS_POPUP | WS_VISIBLE, 0, "caller");
    EXPECT_EQ(GetWindowOwner(dialog), 0u);
    ASSERT_TRUE(SetWindowOwner(dialog, caller));
    EXPECT_EQ(GetWindowOwner(dialog), caller);
    EXPECT_EQ(GetParent(dialog), caller) << "a pop-up's parent is its owner, as Win32 answers";
    EXPECT_EQ(GetWindowOwner(caller), 0u);

    HWND child = this->MakeWindow({0, 0, 20, 20}, WS_CHILD | WS_VISIBLE, caller);
    EXPECT_FALSE(SetWindowOwner(child, dialog)) << "a child has its parent";
    EXPECT_FALSE(SetWindowOwner(dialog, dialog));
    EXPECT_FALSE(SetWindowOwner(dialog, 0x7FFFFF0)) << "no window by that number";
    EXPECT_FALSE(SetWindowOwner(0x7FFFFF0, caller));
    EXPECT_EQ(GetWindowOwner(dialog), caller) << "a refused owner changes nothing";

    ASSERT_TRUE(SetWindowOwner(dialog, 0));
    EXPECT_EQ(GetWindowOwner(dialog), 0u);
    EXPECT_EQ(GetParent(dialog), 0u);
    EXPECT_EQ(GetWindowOwner(0x7FFFFF0), 0u);
}

TYPED_TEST_P(BackendContract, APaintErasesWithTheClassBackgroundAndValidates) {
    constexpr gfx::Pixel kTeal = 0x208080;
    constexpr gfx::Pixel kOrange = 0xE07020;
    PAINTSTRUCT seen;
    gfx::Rect updateDuringPaint;
    int paints = 0;
    this->answer_ = [&](HWND h, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT) {
            return std::nullopt;
        }
        ++paints;
        seen = BeginPaint(h);
        updateDuringPaint = GetUpdateRect(h);
        EndPaint(h, seen);
        return 0;
    };
    HWND brushed =
        this->MakeWindow({300, 200, 400, 280}, WS_POPUP | WS_VISIBLE, 0, "brushed", kTeal);
    HWND bare = this->MakeWindow({0, 0, 60, 60});
    this->env_->Pump(2000, [&] { return paints >= 2; });
    WindowSurface(brushed).Fill(kOrange);
    WindowSurface(bare).Fill(kOrange);
    paints = 0;
    gfx::Rect area{10, 10, 50, 40};
    ASSERT_TRUE(InvalidateRect(brushed, &area, true));
    EXPECT_EQ(GetUpdateRect(brushed), area);
    EXPECT_TRUE(UpdateWindow(brushed));
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(seen.fErase) << "the default handling erased it";
    EXPECT_EQ(seen.rcPaint, area);
    EXPECT_EQ(updateDuringPaint, area);
    EXPECT_TRUE(GetUpdateRect(brushed).IsEmpty());
    EXPECT_EQ(WindowSurface(brushed).GetPixel(10, 10), kTeal);
    EXPECT_EQ(WindowSurface(brushed).GetPixel(50, 40), kOrange) << "outside the update area";

    InvalidateRect(bare, nullptr, true);
    UpdateWindow(bare);
    EXPECT_TRUE(seen.fErase) << "nothing erased it: the paint must";
    EXPECT_EQ(WindowSurface(bare).GetPixel(30, 30), kOrange);
    PresentRect(bare, {50, 50, 500, 500});  // cut to the client area, no failure
    EXPECT_THROW(PresentRect(0x7FFFFF0, {0, 0, 1, 1}), base::Exception);
}

TYPED_TEST_P(BackendContract, TheSaverFlagAndThePointerCountAnswerTheirPreviousState) {
    uint32_t previous = 7;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, &previous, 0));
    EXPECT_EQ(previous, 0u);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &previous, 0));
    EXPECT_EQ(previous, 1u);
    EXPECT_FALSE(SystemParametersInfoA(0x0070, 0, &previous, 0));
    int count = ShowCursor(false);
    EXPECT_EQ(ShowCursor(true), count + 1);
    EXPECT_EQ(ShowCursor(false), count);
    ShowCursor(true);
}

REGISTER_TYPED_TEST_SUITE_P(BackendContract, CreationRunsWmCreateAndAFailedOneLeavesNoWindow,
                            DestroyingAWindowDestroysItThenItsChildren,
                            AFailingWmDestroyStillDestroysTheTreeThenComesOut,
                            PostedMessagesComeFirstThenTheQuitRequestThenPaintThenTimers,
                            TimersTickAtTheirIntervalUntilKilledAndIntervalZeroGivesNone,
                            ATickNeverOverlapsItselfAndATimerMayDieInItsOwnTick,
                            ExceptionsOfProceduresAndTimersComeOutOfSendAndDispatch,
                            AltF4AndTheCloseCommandBecomeCloseRequests,
                            WindowsKeepTheirPlaceTitleAndState,
                            ATopLevelWindowTakesAnOwnerAndAChildNone,
                            APaintErasesWithTheClassBackgroundAndValidates,
                            TheSaverFlagAndThePointerCountAnswerTheirPreviousState);

}  // namespace platform::contract
