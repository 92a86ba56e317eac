#pragma once
// What the in-process backend tests share: a Win32 backend for each test, windows of fresh
// classes, a message pump, and the window system's own view (pixels, styles, the registry,
// message boxes) through helpers, so that the tests see only the program's names.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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

    // Makes a visible pop-up of a class of its own; the window goes with the test.
    HWND MakeWindow(WNDPROC proc, const gfx::Rect& bounds, uint32_t exStyle = 0,
                    const std::string& title = "backend test");
    std::string FreshClass(WNDPROC proc);

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
// Presses OK in this program's message box with that caption, if one is up; its text, or "".
std::string AnswerMessageBox(const std::string& caption);
// Values under HKEY_CURRENT_USER\Software\VellamorAutumnTest.
void WriteTestDword(const std::string& name, uint32_t value);
void WriteTestString(const std::string& name, const std::string& value);
inline const std::string kTestKey = "Software\\VellamorAutumnTest";
// A window not of the backend's that answers WM_USER with 2^32, which is not 0 only beyond the
// program's 32 bits. Destroyed by DestroyForeign.
HWND MakeWideAnsweringWindow();
void DestroyForeign(HWND hwnd);
// The cursor the window system shows now: whether it is the arrow; as a number to compare.
bool ArrowCursorShown();
uintptr_t CursorShown();
// What the system does as the pointer comes over a window: another cursor (the cross) is up,
// and the window is asked for its own.
void PointerMovesOver(HWND hwnd);
std::string OwnFolder();

}  // namespace win32test
