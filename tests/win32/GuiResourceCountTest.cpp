// The object counters themselves: each object made is seen, and seen to go again.
#include <gtest/gtest.h>
#include <windows.h>

#include "GuiResourceCount.h"

namespace win32test {
namespace {

TEST(GuiResourceCountTest, ABrushAndABitmapAreCountedUntilDeleted) {
    GuiCounts before = CountGuiResources();
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    GuiCounts with = CountGuiResources();
    DeleteObject(brush);
    DeleteObject(bitmap);
    GuiCounts after = CountGuiResources();
    EXPECT_EQ(with.gdi, before.gdi + 2);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(with.user, before.user);
}

TEST(GuiResourceCountTest, AWindowAndAnIconAreCountedUntilDestroyed) {
    // The first window of a thread may bring the system's own windows (input method) along.
    HWND warmUp = CreateWindowExA(0, "STATIC", "warm-up", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    GuiCounts before = CountGuiResources();
    HWND window = CreateWindowExA(0, "STATIC", "counted", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    BYTE andPlane[32 * 4] = {};
    BYTE xorPlane[32 * 4] = {};
    HICON icon = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andPlane, xorPlane);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(icon, nullptr);
    GuiCounts with = CountGuiResources();
    DestroyIcon(icon);
    DestroyWindow(window);
    GuiCounts after = CountGuiResources();
    DestroyWindow(warmUp);
    EXPECT_EQ(with.user, before.user + 2);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
}  // namespace win32test
