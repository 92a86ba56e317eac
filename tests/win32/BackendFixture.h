#pragma once
// What the in-process backend tests share: a Win32 backend for each test, windows of fresh
// classes (a class name is registered once per process), a message pump for a while, and the
// window system's own view of things (pixels, styles, the registry, message boxes) through
// helpers, so that the tests themselves see only the program's names.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/Win32Backend.h"

namespace win32test {

using namespace platform;
// The system headers make a macro of the name WNDCLASS; this alias keeps the program's.
using ProgramClass = platform::WNDCLASS;

class BackendTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // Makes a window of a class of its own; the window goes with the test.
    HWND MakeWindow(WNDPROC proc, const gfx::Rect& bounds, uint32_t style = WS_POPUP | WS_VISIBLE,
                    uint32_t exStyle = 0, const std::string& title = "backend test",
                    std::optional<gfx::Pixel> background = std::nullopt);
    std::string FreshClass(WNDPROC proc, std::optional<gfx::Pixel> background = std::nullopt);

    win32::Win32Backend backend_;
    std::vector<HWND> windows_;
};

// Dispatches messages for `milliseconds`, or until `done` holds.
void RunMessages(uint32_t milliseconds, const std::function<bool()>& done = {});

// A procedure that passes everything on.
LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window system's view.
uint32_t WindowPixel(HWND hwnd, int32_t x, int32_t y);  // 0x00RRGGBB
uint32_t ScreenPixel(int32_t x, int32_t y);
bool NativeTopmost(HWND hwnd);
// A message box of this program with that caption, or 0; its text.
HWND FindMessageBox(const std::string& caption);
std::string MessageBoxText(HWND box);
void PressOk(HWND box);
// Values under HKEY_CURRENT_USER\Software\VellamorAutumnTest.
void WriteTestDword(const std::string& name, uint32_t value);
void WriteTestString(const std::string& name, const std::string& value);
inline const std::string kTestKey = "Software\\VellamorAutumnTest";
// The cursor the window system shows now is the arrow.
bool ArrowCursorShown();
// A window of another program's kind (not the backend's) that answers WM_USER with 2^32: a
// value that is not 0 only beyond the program's 32 bits. Destroyed by DestroyForeign.
HWND MakeWideAnsweringWindow();
void DestroyForeign(HWND hwnd);
// The cursor the window system shows now, as a number to compare.
uintptr_t CursorShown();
// What the system does as the pointer comes over a window: another cursor (the cross) is up,
// and the window is asked for its own.
void PointerMovesOver(HWND hwnd);
std::string OwnFolder();

}  // namespace win32test
