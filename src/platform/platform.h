#pragma once
// The calls the program makes to the window system, in the window system's own words. Every
// call goes to the current backend (platform/Backend.h): headless in the tests, the real
// window system in the product. Window handles are 32-bit values, 0 meaning none.
//
// Include this header before any operating-system header: the message and style constants
// below carry the window system's names.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"

namespace platform {

using HWND = uint32_t;
using HMODULE = uint32_t;
using HICON = uint32_t;
using UINT = uint32_t;
using WPARAM = uint32_t;
using LPARAM = int32_t;
using LRESULT = int32_t;

// Messages.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUERYENDSESSION = 0x0011;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_KEYDOWN = 0x0100;
// A key let go; wParam holds its virtual key, lParam what WM_KEYDOWN's holds.
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
// A key let go with Alt held, or an Alt key itself.
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
// The left button let go; wParam holds the buttons and keys still down.
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
// A side button; the high word of wParam says which (XBUTTON1 or XBUTTON2).
inline constexpr UINT WM_XBUTTONDOWN = 0x020B;
inline constexpr UINT WM_USER = 0x0400;

// System commands (wParam of WM_SYSCOMMAND, low four bits reserved).
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_SCREENSAVE = 0xF140;

// Mouse-button and modifier flags in wParam of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr WPARAM MK_XBUTTON1 = 0x0020;
inline constexpr WPARAM MK_XBUTTON2 = 0x0040;
inline constexpr WPARAM XBUTTON1 = 0x0001;
inline constexpr WPARAM XBUTTON2 = 0x0002;
// wParam of WM_XBUTTONDOWN for that side button (XBUTTON1 or XBUTTON2): its flag, and it in
// the high word.
constexpr WPARAM XButtonDownFlags(WPARAM which) {
    return (which == XBUTTON2 ? MK_XBUTTON2 : MK_XBUTTON1) | (which << 16);
}
// Which side button a WM_XBUTTONDOWN's wParam names.
constexpr WPARAM XButtonOf(WPARAM wParam) {
    return (wParam >> 16) & 0xFFFF;
}
// Bit 29 of lParam of WM_SYSKEYDOWN and WM_SYSKEYUP: the Alt key is down.
inline constexpr LPARAM kAltDownFlag = 0x20000000;

// Virtual keys the program names.
inline constexpr WPARAM VK_BACK = 0x08;
inline constexpr WPARAM VK_TAB = 0x09;
inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_SHIFT = 0x10;
inline constexpr WPARAM VK_CONTROL = 0x11;
inline constexpr WPARAM VK_MENU = 0x12;
inline constexpr WPARAM VK_ESCAPE = 0x1B;
inline constexpr WPARAM VK_SPACE = 0x20;
inline constexpr WPARAM VK_F4 = 0x73;

// Window styles.
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;  // a title bar, with a thin border
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;  // a sizing border
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
// GetWindowLongA and SetWindowLongA: which of a window's values.
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
// Class style.
inline constexpr uint32_t CS_PARENTDC = 0x0080;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// SetWindowPos: the insert-after values and flags the program uses.
inline constexpr HWND HWND_TOPMOST = 0xFFFFFFFF;
inline constexpr HWND HWND_NOTOPMOST = 0xFFFFFFFE;
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;

// GetSystemMetrics.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

// SystemParametersInfoA.
inline constexpr UINT SPI_SCREENSAVERRUNNING = 97;

// Message boxes.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_ICONSTOP = 0x0010;
inline constexpr int IDOK = 1;

// Mouse coordinates travel in lParam as two signed 16-bit halves, x low.
inline constexpr LPARAM MakeLParam(int32_t low, int32_t high) {
    return static_cast<LPARAM>((static_cast<uint32_t>(high) << 16) |
                               (static_cast<uint32_t>(low) & 0xFFFFu));
}
inline constexpr int32_t XFromLParam(LPARAM lParam) {
    return static_cast<int16_t>(static_cast<uint32_t>(lParam) & 0xFFFFu);
}
inline constexpr int32_t YFromLParam(LPARAM lParam) {
    return static_cast<int16_t>(static_cast<uint32_t>(lParam) >> 16);
}

struct MSG {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint32_t time = 0;  // the tick count when the message was queued
};

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// Called for WM_TIMER instead of the window procedure when SetTimer was given one.
using TIMERPROC = std::function<void(HWND, UINT, uint32_t idEvent, uint32_t time)>;

enum class CursorShape : uint8_t { Arrow, None };

struct WNDCLASS {
    uint32_t style = 0;
    WNDPROC lpfnWndProc;
    CursorShape cursor = CursorShape::Arrow;
    std::optional<gfx::Pixel> background;  // the brush erasing paints with; none: no erasing
    std::string lpszClassName;
};

struct PAINTSTRUCT {
    bool fErase = false;  // the background still needs erasing (the erase was not done)
    gfx::Rect rcPaint;    // the area to paint, client coordinates
};

// One settings value, registry style.
enum class RegValueKind : uint8_t { Absent, Dword, Other };
struct RegValue {
    RegValueKind kind = RegValueKind::Absent;
    uint32_t dword = 0;
};

// An entry point of a library loaded at run time. Its arguments are 32-bit words or texts
// (passed as pointers to characters); its answer a 32-bit word. Empty when missing.
using EntryArgument = std::variant<uint32_t, std::string>;
using EntryPoint = std::function<uint32_t(const std::vector<EntryArgument>&)>;

// An icon's pictures: colour with black where transparent, and its monochrome mask (1 where
// transparent), both of the icon's size.
struct Icon {
    gfx::Bitmap image;
    gfx::Bitmap mask;
};

// Whether a backend is installed; without one every call below fails with base::Exception.
bool HasBackend();

// Window classes and windows.
bool RegisterClassA(const WNDCLASS& windowClass);
// proc, when given, replaces the class's procedure for this window (WM_CREATE included).
HWND CreateWindowExA(uint32_t exStyle, const std::string& className, const std::string& title,
                     uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                     HWND parent, WNDPROC proc = {});
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
bool SetWindowTextA(HWND hwnd, const std::string& title);
std::string GetWindowTextA(HWND hwnd);
std::string GetClassNameA(HWND hwnd);
bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  UINT flags);
// Outer rectangle in screen coordinates; empty for an unknown window.
gfx::Rect GetWindowRect(HWND hwnd);
// Client rectangle: (0, 0, width, height).
gfx::Rect GetClientRect(HWND hwnd);
// A window's style (GWL_STYLE) or extended style (GWL_EXSTYLE); 0 for an unknown window or
// another index.
uint32_t GetWindowLongA(HWND hwnd, int index);
// Sets the style or extended style and gives the one before (0, and nothing changed, for an
// unknown window or another index). A new frame takes effect at once; the outer rectangle
// stays as it was.
uint32_t SetWindowLongA(HWND hwnd, int index, uint32_t value);
// The outer rectangle of a top-level window of this style around the client area `client`:
// the window system's caption and border added, where they are part of the window (Win32).
// Under X the window manager's frame lies outside the window, and headless windows have none:
// there the rectangle is `client` itself.
gfx::Rect AdjustWindowRectEx(const gfx::Rect& client, uint32_t style, uint32_t exStyle);
// A child window's parent; for a pop-up window its owner, as Win32 answers; else 0.
HWND GetParent(HWND hwnd);
// The owner of a top-level window: the window system keeps an owned window above its owner (a
// dialog above the window that asked for it). 0 takes the owner away. Fails, and changes
// nothing, for a child window, a window that is not this program's, or an owner that is no
// window or the window itself.
bool SetWindowOwner(HWND hwnd, HWND owner);
// 0 for a window without owner or an unknown one.
HWND GetWindowOwner(HWND hwnd);
bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);
// Returns whether the window was disabled before.
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
// A null className or title matches any.
HWND FindWindowA(const char* className, const char* title);
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND hwnd);
// The mouse's moves and button releases go to the window, wherever the pointer is, until
// ReleaseCapture (or until the window goes).
void SetCapture(HWND hwnd);
void ReleaseCapture();

// Painting. A window's surface is the bitmap of its client area that the program draws into;
// PresentRect puts a rectangle of it on the screen.
gfx::Bitmap& WindowSurface(HWND hwnd);
void PresentRect(HWND hwnd, const gfx::Rect& rect);
// rect null: the whole client area.
bool InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase);
bool UpdateWindow(HWND hwnd);
// The area waiting for WM_PAINT (empty when none); during BeginPaint, the area being painted.
gfx::Rect GetUpdateRect(HWND hwnd);
// Sends WM_ERASEBKGND when an erase is pending; EndPaint validates and presents rcPaint.
PAINTSTRUCT BeginPaint(HWND hwnd);
void EndPaint(HWND hwnd, const PAINTSTRUCT& paint);

// The message loop.
// Waits for the next message; false once the quit request is taken.
bool GetMessageA(MSG& msg);
// Takes the next message if there is one, without waiting.
bool PeekMessageA(MSG& msg);
void TranslateMessage(const MSG& msg);
LRESULT DispatchMessageA(const MSG& msg);
void PostQuitMessage(int exitCode);
bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the window's procedure (also of another program's window) and returns its answer.
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Message timers. WM_TIMER is the lowest priority: it comes only when no other message is
// pending; a timer's ticks never overlap; an interval of 0 gives no ticks. With hwnd 0 the
// timer belongs to the thread and SetTimer chooses and returns the id. Returns 0 on failure.
uint32_t SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc = {});
bool KillTimer(HWND hwnd, uint32_t idEvent);
// Milliseconds since the system started, wrapping at 2^32.
uint32_t GetTickCount();

// The pointer.
void SetCursor(CursorShape shape);
// Raises (true) or lowers the display count and returns the new count; shown while >= 0.
int ShowCursor(bool show);

int GetSystemMetrics(int index);
// A picture of the whole screen as it is now.
gfx::Bitmap CaptureScreen();
// Only SPI_SCREENSAVERRUNNING: uiParam 1 announces that a saver runs, 0 that none does; the
// previous state goes to *pvParam when given.
bool SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam, UINT winIni);

// One value of the current user's settings, e.g. ("Control Panel\\desktop",
// "ScreenSaveUsePassword").
RegValue RegReadValue(const std::string& keyPath, const std::string& valueName);

// Libraries loaded at run time. LoadLibraryA returns 0 when the library cannot be loaded.
HMODULE LoadLibraryA(const std::string& path);
EntryPoint GetProcAddress(HMODULE module, const std::string& name);
bool FreeLibrary(HMODULE module);
std::string GetSystemDirectoryA();

// The icons stored in the program's own file, by index (0 is the main icon); 0 when absent.
HICON ExtractIconA(uint32_t index);
// Draws the icon through its mask; nothing for an unknown icon.
void DrawIcon(gfx::Canvas& canvas, int32_t x, int32_t y, HICON icon);
const Icon* IconPictures(HICON icon);

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace platform
