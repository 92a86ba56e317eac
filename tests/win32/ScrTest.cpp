// The finished screensaver file under the real window system: started by the driver with each
// command line the desktop uses, its windows inspected from outside. The file is the first
// argument (a path of this machine or of Windows); without it every test is skipped. Started
// with --parent, this program is the stand-in for the desktop's settings dialog instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "driver/ChildProcess.h"
#include "driver/DriverWindows.h"
#include "driver/WindowQuery.h"

namespace {

using driver::ChildProcess;
using driver::WindowFacts;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kEndTimeoutMs = 5000;

std::string scrPath;

// A path of this machine is seen by Wine on drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class ScrTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (scrPath.empty()) {
            GTEST_SKIP() << "no screensaver file given (first argument)";
        }
    }

    std::unique_ptr<ChildProcess> Start(const std::string& arguments) {
        return std::make_unique<ChildProcess>(scrPath, arguments);
    }

    // The window is titled first and sized later during its creation: it is taken once it
    // covers the screen (or when the time is up, as it is then).
    std::optional<WindowFacts> WaitForSaver(const ChildProcess& saver) {
        std::optional<WindowFacts> window;
        driver::WaitUntil(
            [&] {
                window = driver::FindTopLevel(saver.Id(), "Vellamor Autumn");
                return window && window->visible &&
                       window->Width() == GetSystemMetrics(SM_CXSCREEN) &&
                       window->Height() == GetSystemMetrics(SM_CYSCREEN);
            },
            kStartTimeoutMs);
        return window;
    }
};

// The preview's child window in `parent`, once it is there (nullptr when none came in time).
HWND WaitForPreviewIn(HWND parent) {
    HWND child = nullptr;
    driver::WaitUntil(
        [&] {
            child = FindWindowExA(parent, nullptr, "TavrinPreviewClass", "TavrinSaver");
            return child != nullptr;
        },
        kStartTimeoutMs);
    return child;
}

// Samples of the screen on a coarse grid.
std::vector<uint32_t> ScreenSamples() {
    std::vector<uint32_t> samples;
    for (int y = 8; y < GetSystemMetrics(SM_CYSCREEN); y += 24) {
        for (int x = 8; x < GetSystemMetrics(SM_CXSCREEN); x += 24) {
            samples.push_back(driver::ShownPixel(nullptr, x, y));
        }
    }
    return samples;
}

// A key pressed or let go.
void SendKey(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

// The left mouse button pressed or let go at a point of the screen.
void PressLeftButton(POINT at, bool down) {
    SetCursorPos(at.x, at.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(INPUT));
}

// The saver covers the screen on top, leaves move, a second saver ends at once and leaves the
// first running, and a key ends the first with exit code 0.
TEST_F(ScrTest, SaverCoversTheScreenOnTopIsAloneAndEndsOnAKey) {
    auto saver = Start("/s");
    auto window = WaitForSaver(*saver);
    ASSERT_TRUE(window.has_value());
    EXPECT_TRUE(window->Topmost());
    EXPECT_EQ(window->bounds.left, 0);
    EXPECT_EQ(window->bounds.top, 0);
    EXPECT_EQ(window->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window->Height(), GetSystemMetrics(SM_CYSCREEN));
    std::vector<uint32_t> first = ScreenSamples();
    EXPECT_TRUE(driver::WaitUntil([&] { return ScreenSamples() != first; }, 8000))
        << "nothing moved on the screen";
    auto second = Start("/s");
    EXPECT_EQ(second->WaitForExit(kStartTimeoutMs), std::optional<DWORD>(0));
    EXPECT_TRUE(saver->Running());
    PostMessageA(window->hwnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

TEST_F(ScrTest, SaverEndsOnTheSecondMousePositionOnly) {
    SetCursorPos(300, 200);
    auto saver = Start("/s");
    auto window = WaitForSaver(*saver);
    ASSERT_TRUE(window.has_value());
    PostMessageA(window->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(saver->WaitForExit(500), std::nullopt);
    SetCursorPos(340, 230);
    EXPECT_EQ(saver->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

TEST_F(ScrTest, TheCompanionVetoesWithOneAndAllowsWithZero) {
    {
        driver::CompanionWindow companion(1);
        auto vetoed = Start("/s");
        EXPECT_EQ(vetoed->WaitForExit(kStartTimeoutMs), std::optional<DWORD>(0));
        EXPECT_EQ(driver::FindTopLevel(vetoed->Id(), "Vellamor Autumn"), std::nullopt);
        EXPECT_EQ(companion.Questions(), 1);
        EXPECT_TRUE(companion.ParametersAlwaysZero());
    }
    driver::CompanionWindow companion(0);
    auto allowed = Start("/s");
    EXPECT_TRUE(WaitForSaver(*allowed).has_value());
}

TEST_F(ScrTest, PreviewDrawsAChildOfTheGivenWindowAndEndsWithIt) {
    driver::ParentWindow parent(100, 100, 152, 112);
    auto preview = Start("/p " + std::to_string(reinterpret_cast<uintptr_t>(parent.Handle())));
    HWND child = WaitForPreviewIn(parent.Handle());
    ASSERT_NE(child, nullptr) << "no preview window in its parent";
    WindowFacts facts = driver::FactsOf(child);
    EXPECT_EQ(facts.Width(), 152);
    EXPECT_EQ(facts.Height(), 112);
    EXPECT_NE(facts.style & WS_DISABLED, 0);
    parent.Destroy();
    EXPECT_EQ(preview->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

// The settings dialog can go without closing its window: its program killed, the system takes
// the preview area away and no message of it reaches the preview, which must end by itself.
TEST_F(ScrTest, PreviewEndsWhenTheParentsProgramIsKilled) {
    ChildProcess host(driver::OwnFolder() + "win32_scr_test.exe", "--parent");
    auto area = driver::WaitForTopLevel(host.Id(), "Driver parent", kStartTimeoutMs);
    ASSERT_TRUE(area.has_value());
    auto preview = Start("/p " + std::to_string(reinterpret_cast<uintptr_t>(area->hwnd)));
    HWND child = WaitForPreviewIn(area->hwnd);
    ASSERT_NE(child, nullptr) << "no preview window in its parent";
    EXPECT_EQ(driver::FactsOf(child).processId, preview->Id());
    EXPECT_FALSE(preview->WaitForEnd(300)) << "the preview ended while its parent was there";
    host.Kill(9);
    EXPECT_FALSE(IsWindow(area->hwnd));
    DWORD killedAt = GetTickCount();
    ASSERT_TRUE(preview->WaitForEnd(kEndTimeoutMs))
        << "the preview still runs " << kEndTimeoutMs << " ms after its parent's program ended";
    std::cout << "preview ended " << GetTickCount() - killedAt
              << " ms after its parent's program was killed\n";
    EXPECT_EQ(preview->WaitForExit(0), std::optional<DWORD>(0));
}

TEST_F(ScrTest, TestPreviewIsAPopupAtTheTopLeft) {
    auto preview = Start("/q");
    auto window = driver::WaitForTopLevel(preview->Id(), "TavrinSaver", kStartTimeoutMs,
                                          "TavrinPreviewClass");
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->bounds.left, 0);
    EXPECT_EQ(window->bounds.top, 0);
    EXPECT_EQ(window->Width(), 152);
    EXPECT_EQ(window->Height(), 112);
    PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(preview->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

// Without arguments the About dialog comes alone; with /c over the caller, disabled while it
// is up. A click on OK closes the one, Space on the focused OK the other; the press of the
// mouse button or the key alone leaves it up, with the button pushed in.
TEST_F(ScrTest, AboutDialogComesWithoutArgumentsOrOverTheDisabledCaller) {
    driver::ParentWindow caller(50, 50, 300, 200);
    for (const char* arguments : {"", "/c"}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        SetForegroundWindow(caller.Handle());
        auto about = Start(arguments);
        auto dialog = driver::WaitForTopLevel(about->Id(), "Over...", kStartTimeoutMs);
        ASSERT_TRUE(dialog.has_value());
        // Read again once shown: the window is found as soon as it has its title, before its
        // description has given it its frame and size.
        ASSERT_TRUE(
            driver::WaitUntil([&] { return IsWindowVisible(dialog->hwnd) != 0; }, kStartTimeoutMs));
        dialog = driver::FactsOf(dialog->hwnd);
        // A caption and a dialog border without border icons, around the client area the
        // layout asks for.
        EXPECT_EQ(dialog->style & WS_CAPTION, WS_CAPTION);
        EXPECT_NE(dialog->exStyle & WS_EX_DLGMODALFRAME, 0);
        EXPECT_EQ(dialog->style & WS_SYSMENU, 0);
        RECT client{};
        ASSERT_TRUE(GetClientRect(dialog->hwnd, &client));
        EXPECT_EQ(client.right, 221);
        EXPECT_EQ(client.bottom, 276);
        EXPECT_GT(dialog->Height(), 276 + 10) << "no caption bar above the client area";
        const bool configure = arguments[0] != '\0';
        EXPECT_EQ(driver::WaitUntil([&] { return !IsWindowEnabled(caller.Handle()); },
                                    configure ? 3000 : 300),
                  configure);
        SetForegroundWindow(dialog->hwnd);
        driver::WaitUntil([] { return false; }, 300);
        // The face below the picture, beside the button: drawn, not the surface's white.
        EXPECT_NE(driver::ShownPixel(dialog->hwnd, 5, 270), 0xFFFFFFu);
        EXPECT_NE(driver::ShownPixel(dialog->hwnd, 200, 262), 0xFFFFFFu);
        // The button's inner edge: white raised, grey pushed in.
        const auto raised = [&] { return driver::ShownPixel(dialog->hwnd, 49, 249) == 0xFFFFFF; };
        if (configure) {
            SendKey(VK_SPACE, true);
            EXPECT_EQ(about->WaitForExit(500), std::nullopt) << "closed by Space going down";
            EXPECT_FALSE(raised());
            SendKey(VK_SPACE, false);
        } else {
            POINT ok = {88, 260};  // the middle of the button, in the dialog's client area
            ClientToScreen(dialog->hwnd, &ok);
            PressLeftButton(ok, true);
            EXPECT_EQ(about->WaitForExit(500), std::nullopt) << "closed by the press alone";
            EXPECT_FALSE(raised());
            SetCursorPos(ok.x + 300, ok.y + 100);  // off the dialog: it has the mouse
            EXPECT_TRUE(driver::WaitUntil(raised, 2000));
            SetCursorPos(ok.x, ok.y);
            EXPECT_TRUE(driver::WaitUntil([&] { return !raised(); }, 2000));
            PressLeftButton(ok, false);
        }
        EXPECT_EQ(about->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
        EXPECT_TRUE(IsWindowEnabled(caller.Handle()));
    }
}

TEST_F(ScrTest, ChangePasswordWithoutTheServiceEndsWithoutAWindow) {
    driver::ParentWindow parent(50, 50, 100, 100);
    auto change = Start("/a " + std::to_string(reinterpret_cast<uintptr_t>(parent.Handle())));
    EXPECT_EQ(change->WaitForExit(kStartTimeoutMs), std::optional<DWORD>(0));
    for (const WindowFacts& window : driver::TopLevelWindows()) {
        EXPECT_NE(window.processId, change->Id()) << "a window titled " << window.title;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--parent") {  // the preview area, until killed
        driver::ParentWindow area(100, 100, 200, 150);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageA(&msg);
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        scrPath = WindowsPath(argv[1]);
    }
    return RUN_ALL_TESTS();
}
