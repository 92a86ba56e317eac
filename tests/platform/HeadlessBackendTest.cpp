// The headless backend's own calls (injected input, virtual time, foreign windows, icons,
// settings and libraries); what every backend does alike is in contract/BackendContract.h.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "gfx/Raster.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace platform {
namespace {

using headless::HeadlessBackend;
using headless::MouseButton;
using headless::PresentedRect;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using ::testing::UnorderedElementsAre;

class HeadlessTest : public ::testing::Test {
  protected:
    HeadlessBackend backend_;
};

// Windows of class "Recorder" log every message and give it the default handling; the log
// starts empty after the main window's creation.
class HeadlessMessageTest : public HeadlessTest {
  protected:
    HeadlessMessageTest() {
        WNDCLASS windowClass;
        windowClass.lpszClassName = "Recorder";
        windowClass.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            log_.push_back({hwnd, message, wParam, lParam, 0});
            return DefWindowProcA(hwnd, message, wParam, lParam);
        };
        RegisterClassA(windowClass);
        hwnd_ = CreateWindowExA(0, "Recorder", "main", WS_POPUP, 0, 0, 200, 100, 0);
        log_.clear();
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const MSG& item : log_) {
            messages.push_back(item.message);
        }
        return messages;
    }

    std::vector<MSG> log_;
    HWND hwnd_ = 0;
};

TEST_F(HeadlessMessageTest, PostedMessagesAndInputKeepTheirOrderAndComeBeforeTimers) {
    SetTimer(hwnd_, 1, 10, {});
    backend_.AdvanceClock(10);
    PostMessageA(hwnd_, WM_USER + 1, 0, 0);
    backend_.InjectMouseMove(hwnd_, 5, 6);
    PostMessageA(hwnd_, WM_USER + 2, 0, 0);
    backend_.InjectKeyDown(hwnd_, VK_SHIFT);
    backend_.InjectMouseDown(hwnd_, 7, 8, MouseButton::Right);
    backend_.RunFor(0);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_USER + 1, WM_MOUSEMOVE, WM_USER + 2, WM_KEYDOWN,
                                             WM_RBUTTONDOWN, WM_TIMER}));
    EXPECT_EQ(XFromLParam(log_[1].lParam), 5);
    EXPECT_EQ(YFromLParam(log_[1].lParam), 6);
    EXPECT_EQ(log_[4].wParam, MK_RBUTTON);
    LPARAM negative = MakeLParam(-3, -32768);  // coordinates left of and above the window
    EXPECT_EQ(XFromLParam(negative), -3);
    EXPECT_EQ(YFromLParam(negative), -32768);
}

TEST_F(HeadlessMessageTest, AWaitingLoopMovesTheClockToTheNextScheduledInput) {
    backend_.Schedule(2500, [this] { backend_.InjectKeyDown(hwnd_, 'Q'); });
    backend_.Schedule(2600, [this] { backend_.InjectKeyUp(hwnd_, 'Q'); });
    backend_.Schedule(4000, [] { PostQuitMessage(0); });
    MSG msg;
    while (GetMessageA(msg)) {
        TranslateMessage(msg);
        DispatchMessageA(msg);
    }
    EXPECT_EQ(backend_.Now(), 4000u);
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(log_[1].wParam, static_cast<WPARAM>('q'));
    EXPECT_EQ(log_[2].wParam, static_cast<WPARAM>('Q'));
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

TEST_F(HeadlessTest, DestroyingAWindowFromItsOwnWmDestroyDoesNotRecurse) {
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

TEST_F(HeadlessTest, ShowingInvalidatesAndThePaintErasesWithTheClassBrush) {
    WNDCLASS windowClass;
    windowClass.lpszClassName = "Black";
    windowClass.background = gfx::kBlack;
    RegisterClassA(windowClass);
    HWND hwnd = CreateWindowExA(0, "Black", "", WS_POPUP, 0, 0, 4, 3, 0);
    WindowSurface(hwnd).Fill(gfx::kWhite);
    backend_.RunFor(0);
    EXPECT_TRUE(backend_.Presented().empty()) << "a hidden window is not painted";
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    backend_.RunFor(0);
    EXPECT_EQ(backend_.Presented(), (std::vector<PresentedRect>{{hwnd, {0, 0, 4, 3}}}));
    backend_.ClearPresented();
    PresentRect(hwnd, {2, -2, 20, 3});  // recorded as clipped to the client area
    PresentRect(hwnd, {20, 20, 30, 30});
    EXPECT_EQ(backend_.Presented(), (std::vector<PresentedRect>{{hwnd, {2, 0, 4, 3}}}));
}

TEST_F(HeadlessTest, DrawIconLeavesTheTransparentPixelsAlone) {
    Icon icon{gfx::Bitmap(2, 1), gfx::Bitmap(2, 1, gfx::PixelFormat::Mono)};
    icon.image.SetPixel(0, 0, 0x00AA5500);
    icon.image.SetPixel(1, 0, gfx::kBlack);
    icon.mask.SetPixel(0, 0, gfx::kBlack);  // opaque
    icon.mask.SetPixel(1, 0, gfx::kWhite);  // transparent
    backend_.AddIcon(icon);
    gfx::Bitmap target(3, 1);
    target.Fill(0x00123456);
    EXPECT_EQ(ExtractIconA(1), 0u);
    DrawIcon(target.GetCanvas(), 1, 0, ExtractIconA(0));
    EXPECT_EQ(target.GetPixel(0, 0), 0x00123456u);
    EXPECT_EQ(target.GetPixel(1, 0), 0x00AA5500u);
    EXPECT_EQ(target.GetPixel(2, 0), 0x00123456u);
}

TEST_F(HeadlessTest, SettingsAreFoundWhateverTheCaseOfKeyAndName) {
    const std::string key = "Control Panel\\desktop";
    EXPECT_EQ(RegReadValue(key, "ScreenSaveUsePassword").kind, RegValueKind::Absent);
    backend_.SetRegValue(key, "ScreenSaveUsePassword", {RegValueKind::Dword, 1});
    RegValue value = RegReadValue("control panel\\Desktop", "screensaveusepassword");
    EXPECT_EQ(value.kind, RegValueKind::Dword);
    EXPECT_EQ(value.dword, 1u);
}

TEST_F(HeadlessTest, LibrariesLoadByPathAndHandOutTheirEntryPoints) {
    backend_.SetSystemDirectory("C:\\WINNT\\SYSTEM32");
    backend_.AddLibrary(
        "C:\\WINNT\\SYSTEM32\\MPR.DLL",
        {{"PwdChangePasswordA", [](const std::vector<EntryArgument>&) { return 7u; }}});
    EXPECT_EQ(LoadLibraryA("C:\\WINNT\\SYSTEM32\\PASSWORD.CPL"), 0u);
    HMODULE module = LoadLibraryA("c:\\winnt\\system32\\mpr.dll");
    ASSERT_NE(module, 0u);
    EXPECT_FALSE(GetProcAddress(module, "pwdchangepassworda"));
    EntryPoint entry = GetProcAddress(module, "PwdChangePasswordA");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry({}), 7u);
    EXPECT_EQ(backend_.OpenLibraries(), 1);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(backend_.OpenLibraries(), 0);
    EXPECT_FALSE(GetProcAddress(module, "PwdChangePasswordA")) << "a freed library has none";
}

TEST(HeadlessSystemTest, WithoutABackendTheCallsFailAndAScreenWithoutAreaIsRefused) {
    EXPECT_FALSE(HasBackend());
    EXPECT_THROW(GetTickCount(), base::Exception);
    {
        HeadlessBackend backend;
        EXPECT_TRUE(HasBackend());
        EXPECT_THROW(backend.SetScreenSize(0, 10), base::Exception);
    }
    EXPECT_FALSE(HasBackend());
}

// Timers due at the same moment tick in the order they were set ("slow" before "fast" at 500);
// a clock that jumps gives each timer one tick, not a catch-up.
TEST_F(HeadlessTest, TicksComeInDueOrderAndAJumpOfTheClockGivesOneTickEach) {
    std::vector<std::string> log;
    for (auto [name, elapse] : {std::pair{"slow", 250u}, std::pair{"fast", 100u}}) {
        SetTimer(0, 0, elapse, [&log, name = std::string(name)](HWND, UINT, uint32_t, uint32_t t) {
            log.push_back(name + "@" + std::to_string(t));
        });
    }
    EXPECT_TRUE(backend_.RunFor(500));
    EXPECT_EQ(log, (std::vector<std::string>{"fast@100", "fast@200", "slow@250", "fast@300",
                                             "fast@400", "slow@500", "fast@500"}));
    log.clear();
    backend_.AdvanceClock(1000);
    MSG msg;
    for (int taken = 0; taken < 10 && PeekMessageA(msg); ++taken) {
        DispatchMessageA(msg);
    }
    EXPECT_THAT(log, UnorderedElementsAre("fast@1500", "slow@1500"));
}

// A loop with nothing but an interval-zero timer coming fails, naming the reason, rather than
// hanging the test.
TEST_F(HeadlessTest, IntervalZeroGivesNoTicksAndALoopThatCanOnlyWaitForeverFails) {
    MSG msg;
    auto getMessage = [&msg] { GetMessageA(msg); };
    EXPECT_THAT(getMessage, ThrowsMessage<base::Exception>(HasSubstr("wait forever")));
    int ticks = 0;
    ASSERT_NE(SetTimer(0, 0, 0, [&ticks](HWND, UINT, uint32_t, uint32_t) { ++ticks; }), 0u);
    EXPECT_TRUE(backend_.RunFor(60000));
    EXPECT_EQ(ticks, 0);
    EXPECT_THAT(getMessage, ThrowsMessage<base::Exception>(HasSubstr("wait forever")));
}

TEST_F(HeadlessTest, ATimerKilledAndSetAgainInsideItsTickKeepsTicking) {
    HWND hwnd = backend_.AddForeignWindow("X", "x", {0, 0, 1, 1});
    EXPECT_THROW(WindowSurface(hwnd), base::Exception) << "another program's window";
    std::vector<uint32_t> times;
    TIMERPROC proc = [&](HWND window, UINT, uint32_t id, uint32_t time) {
        times.push_back(time);
        KillTimer(window, id);
        if (times.size() < 3) {
            SetTimer(window, id, 30, proc);
        }
    };
    SetTimer(hwnd, 7, 30, proc);
    backend_.RunFor(1000);
    EXPECT_EQ(times, (std::vector<uint32_t>{30, 60, 90}));
}

TEST_F(HeadlessTest, TheTickCounterStartsWhereTheTestSaysAndWrapsAtTwoToThe32) {
    backend_.SetTickCount(0xFFFFFF00u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    std::vector<uint32_t> times;
    SetTimer(0, 0, 0x80, [&](HWND, UINT, uint32_t, uint32_t time) { times.push_back(time); });
    backend_.RunFor(0x300);
    EXPECT_EQ(times, (std::vector<uint32_t>{0xFFFFFF80u, 0x0u, 0x80u, 0x100u, 0x180u, 0x200u}));
    EXPECT_EQ(GetTickCount(), 0x200u);
}

}  // namespace
}  // namespace platform
