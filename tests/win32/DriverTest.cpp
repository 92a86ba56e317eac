// The backend across programs, under the real window system: the probe program (Probe.cpp)
// started by the driver, its windows inspected from outside.
#include <gtest/gtest.h>

#include "driver/ChildProcess.h"
#include "driver/DriverWindows.h"
#include "driver/WindowQuery.h"

namespace {

using driver::ChildProcess;
using driver::WindowFacts;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kEndTimeoutMs = 5000;
constexpr uint32_t kSaverColour = 0x204080;
constexpr int kBlockRow = 116;  // the middle row of the probe's moving block

std::string Probe() {
    return driver::OwnFolder() + "va_win32_probe.exe";
}

// The left edge of the white block on its row, or -1 while it is not shown.
int BlockPosition(const WindowFacts& saver) {
    for (int x = 0; x < saver.Width(); x += 4) {
        if (driver::ScreenPixel(x, kBlockRow) == 0xFFFFFF) {
            return x;
        }
    }
    return -1;
}

class SaverTest : public ::testing::Test {
  protected:
    WindowFacts StartSaver() {
        saver_ = std::make_unique<ChildProcess>(Probe(), "saver");
        auto window = driver::WaitForTopLevel(saver_->Id(), "Vellamor Autumn", kStartTimeoutMs);
        if (!window) {
            ADD_FAILURE() << "no window titled \"Vellamor Autumn\" appeared";
            return {};
        }
        return *window;
    }

    std::unique_ptr<ChildProcess> saver_;
};

TEST_F(SaverTest, CoversTheScreenOnTopWithItsTitle) {
    WindowFacts saver = StartSaver();
    ASSERT_NE(saver.hwnd, nullptr);
    EXPECT_EQ(saver.className, "TfrmMain");
    EXPECT_TRUE(saver.visible);
    EXPECT_TRUE(saver.Topmost());
    EXPECT_EQ(saver.bounds.left, 0);
    EXPECT_EQ(saver.bounds.top, 0);
    EXPECT_EQ(saver.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(saver.Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(saver.style & WS_CAPTION, 0);
}

TEST_F(SaverTest, PresentsItsSurfaceAndItsTimerMovesTheBlock) {
    WindowFacts saver = StartSaver();
    ASSERT_NE(saver.hwnd, nullptr);
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return driver::ScreenPixel(saver.Width() / 2, saver.Height() - 10) == kSaverColour; },
        kEndTimeoutMs));
    int first = -1;
    ASSERT_TRUE(driver::WaitUntil([&] { return (first = BlockPosition(saver)) >= 0; }, 5000));
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
            int now = BlockPosition(saver);
            return now >= 0 && now != first;
        },
        5000))
        << "the block stayed at x = " << first;
}

TEST_F(SaverTest, AKeyEndsItWithExitCodeZero) {
    WindowFacts saver = StartSaver();
    ASSERT_NE(saver.hwnd, nullptr);
    PostMessageA(saver.hwnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver_->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

// The pointer rests at (300, 200) before the saver starts, so that the moves the window system
// reports by itself are at the reference position too.
TEST_F(SaverTest, TheFirstMouseMoveIsOnlyAReferenceTheNextEndsIt) {
    SetCursorPos(300, 200);
    WindowFacts saver = StartSaver();
    ASSERT_NE(saver.hwnd, nullptr);
    PostMessageA(saver.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    PostMessageA(saver.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(saver_->WaitForExit(500), std::nullopt);
    PostMessageA(saver.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(301, 200));
    EXPECT_EQ(saver_->WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

TEST_F(SaverTest, ASecondSaverEndsAtOnce) {
    WindowFacts saver = StartSaver();
    ASSERT_NE(saver.hwnd, nullptr);
    ChildProcess second(Probe(), "saver");
    EXPECT_EQ(second.WaitForExit(kStartTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(driver::FindTopLevel(second.Id(), "Vellamor Autumn"), std::nullopt);
    EXPECT_TRUE(saver_->Running());
}

TEST(CompanionTest, ANonZeroAnswerVetoesTheStart) {
    driver::CompanionWindow companion(1);
    ChildProcess saver(Probe(), "saver");
    EXPECT_EQ(saver.WaitForExit(kStartTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(driver::FindTopLevel(saver.Id(), "Vellamor Autumn"), std::nullopt);
    EXPECT_EQ(companion.Questions(), 1);
    EXPECT_TRUE(companion.ParametersAlwaysZero());
}

TEST(CompanionTest, AZeroAnswerLetsTheSaverRun) {
    driver::CompanionWindow companion(0);
    ChildProcess saver(Probe(), "saver");
    auto window = driver::WaitForTopLevel(saver.Id(), "Vellamor Autumn", kStartTimeoutMs);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(companion.Questions(), 1);
    PostMessageA(window->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(saver.WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

TEST(CompanionTest, TheAnswerCrossesBackToTheAskingProgram) {
    driver::CompanionWindow companion(77);
    ChildProcess asker(Probe(), "ask");
    EXPECT_EQ(asker.WaitForExit(kStartTimeoutMs), std::optional<DWORD>(77));
}

TEST(ChildWindowTest, FillsTheParentDrawsIconsAndEndsWithIt) {
    driver::ParentWindow parent(100, 100, 200, 150);
    ChildProcess preview(Probe(),
                         "child " + std::to_string(reinterpret_cast<uintptr_t>(parent.Handle())));
    HWND child = nullptr;
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            return (child = FindWindowExA(parent.Handle(), nullptr, "TavrinPreviewClass",
                                          "TavrinSaver")) != nullptr;
        },
        kStartTimeoutMs));
    WindowFacts facts = driver::FactsOf(child);
    EXPECT_EQ(GetParent(child), parent.Handle());
    EXPECT_EQ(facts.processId, preview.Id());
    EXPECT_EQ(facts.bounds.left, 100);
    EXPECT_EQ(facts.bounds.top, 100);
    EXPECT_EQ(facts.Width(), 200);
    EXPECT_EQ(facts.Height(), 150);
    EXPECT_NE(facts.style & WS_DISABLED, 0);
    // Under Wine the pixels of another program's child window stay out of the parent's
    // picture, so only its place is checked here; drawing is checked in the backend's tests.
    parent.Destroy();
    EXPECT_EQ(preview.WaitForExit(kEndTimeoutMs), std::optional<DWORD>(0));
}

}  // namespace
