#pragma once
// The backend of every test: no display, a virtual clock, and everything the system would
// provide made by the test (screen size and desktop picture, input, other programs' windows,
// the settings value, libraries, icons). Surfaces are plain bitmaps the test reads, and every
// rectangle presented to the "screen" is recorded.
//
// Messages are taken in this order: posted messages and input in the order they arrived, then
// the quit request, then WM_PAINT, then WM_TIMER, as on the platform. The clock moves only
// through AdvanceClock, RunFor, a message box given a time (SetMessageBoxTime), or a
// GetMessageA that has to wait: it then jumps to the next timer tick or scheduled action; if
// there is none it fails instead of waiting forever.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/HeldException.h"
#include "platform/TimerTable.h"
#include "platform/headless/VirtualClock.h"
#include "platform/headless/WindowTable.h"

namespace platform::headless {

enum class MouseButton : uint8_t { Left, Right, Middle, XButton1, XButton2 };

struct PresentedRect {
    HWND hwnd = 0;
    gfx::Rect rect;
    friend bool operator==(const PresentedRect&, const PresentedRect&) = default;
};

struct MessageBoxRecord {
    HWND owner = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
};

class HeadlessBackend : public Backend {
  public:
    // Installs itself as the current backend for its lifetime.
    HeadlessBackend();
    ~HeadlessBackend() override;

    // Time.
    void SetTickCount(uint32_t ticks) { clock_.SetTickCount(ticks); }
    uint64_t Now() const { return clock_.Now(); }
    // Moves the clock without dispatching anything; due timers wait for the next loop.
    void AdvanceClock(uint64_t milliseconds) { clock_.AdvanceTo(clock_.Now() + milliseconds); }
    // Dispatches every message, tick and scheduled action up to now + milliseconds, moving the
    // clock along. Returns false if it stopped early because it took the quit request.
    bool RunFor(uint64_t milliseconds);
    void Schedule(uint64_t delay, std::function<void()> action) {
        clock_.Schedule(delay, std::move(action));
    }
    size_t TimerCount() const { return timers_.Count(); }

    // Input, queued now; returns whether it was queued. Mouse input for a disabled window goes
    // to its nearest enabled parent (in the parent's coordinates) or is dropped; a key for a
    // disabled window is dropped.
    bool InjectKeyDown(HWND hwnd, WPARAM virtualKey, bool altDown = false);
    bool InjectKeyUp(HWND hwnd, WPARAM virtualKey, bool altDown = false);
    bool InjectMouseDown(HWND hwnd, int32_t x, int32_t y, MouseButton button = MouseButton::Left);
    // The left button let go.
    bool InjectMouseUp(HWND hwnd, int32_t x, int32_t y);
    // A move with the left button held when leftHeld.
    bool InjectMouseMove(HWND hwnd, int32_t x, int32_t y, bool leftHeld = false);

    // The screen.
    void SetScreenSize(int32_t width, int32_t height);
    // Also makes the screen the picture's size.
    void SetDesktopPicture(const gfx::Bitmap& picture);
    // While refused, CaptureScreen fails, as a system short of memory fails it.
    void RefuseScreenCapture(bool refuse) { captureRefused_ = refuse; }
    const std::vector<PresentedRect>& Presented() const { return presented_; }
    void ClearPresented() { presented_.clear(); }

    // Other programs' windows: top-level, visible, answering SendMessageA through `proc`.
    HWND AddForeignWindow(const std::string& className, const std::string& title,
                          const gfx::Rect& bounds, WNDPROC proc = {});
    const HeadlessWindow* Window(HWND hwnd) const { return windows_.Find(hwnd); }
    // The window that has the mouse (SetCapture), or 0.
    HWND CaptureWindow() const { return capture_; }

    // The system's state as the program left it.
    bool ScreenSaverRunning() const { return saverRunning_; }
    int ScreenSaveRequests() const { return screenSaveRequests_; }
    CursorShape Cursor() const { return cursor_; }
    int CursorCount() const { return cursorCount_; }
    std::optional<int> QuitCode() const { return quitCode_; }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    // How long each message box stays up, the program's messages dispatched meanwhile; 0 (the
    // default) answers it at once.
    void SetMessageBoxTime(uint64_t milliseconds) { messageBoxTime_ = milliseconds; }

    // Settings, libraries, icons.
    void SetRegValue(const std::string& keyPath, const std::string& valueName, RegValue value);
    void AddLibrary(const std::string& path, std::map<std::string, EntryPoint> entryPoints);
    int LibraryLoads(const std::string& path) const;
    int OpenLibraries() const { return static_cast<int>(openLibraries_.size()); }
    void SetSystemDirectory(std::string directory) { systemDirectory_ = std::move(directory); }
    // Icons in index order; the first added is index 0, the main icon.
    void AddIcon(Icon icon);

    // Backend operations.
    bool RegisterClassA(const WNDCLASS& windowClass) override;
    HWND CreateWindowExA(uint32_t exStyle, const std::string& className, const std::string& title,
                         uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                         HWND parent, WNDPROC proc) override;
    bool DestroyWindow(HWND hwnd) override;
    bool IsWindow(HWND hwnd) override { return windows_.Find(hwnd) != nullptr; }
    bool SetWindowTextA(HWND hwnd, const std::string& title) override;
    std::string GetWindowTextA(HWND hwnd) override;
    std::string GetClassNameA(HWND hwnd) override;
    bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) override;
    bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width,
                      int32_t height, UINT flags) override;
    gfx::Rect GetWindowRect(HWND hwnd) override;
    gfx::Rect GetClientRect(HWND hwnd) override;
    uint32_t GetWindowLongA(HWND hwnd, int index) override;
    uint32_t SetWindowLongA(HWND hwnd, int index, uint32_t value) override;
    gfx::Rect AdjustWindowRectEx(const gfx::Rect& client, uint32_t style,
                                 uint32_t exStyle) override;
    HWND GetParent(HWND hwnd) override;
    bool SetWindowOwner(HWND hwnd, HWND owner) override;
    HWND GetWindowOwner(HWND hwnd) override;
    bool ShowWindow(HWND hwnd, int command) override;
    bool IsWindowVisible(HWND hwnd) override;
    bool EnableWindow(HWND hwnd, bool enable) override;
    bool IsWindowEnabled(HWND hwnd) override;
    HWND FindWindowA(const char* className, const char* title) override;
    HWND GetForegroundWindow() override { return foreground_; }
    bool SetForegroundWindow(HWND hwnd) override;
    // Only noted: injected input names its window itself.
    void SetCapture(HWND hwnd) override;
    void ReleaseCapture() override { capture_ = 0; }
    gfx::Bitmap& WindowSurface(HWND hwnd) override;
    void PresentRect(HWND hwnd, const gfx::Rect& rect) override;
    bool InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) override;
    bool UpdateWindow(HWND hwnd) override;
    gfx::Rect GetUpdateRect(HWND hwnd) override;
    PAINTSTRUCT BeginPaint(HWND hwnd) override;
    void EndPaint(HWND hwnd, const PAINTSTRUCT& paint) override;
    bool GetMessageA(MSG& msg) override;
    bool PeekMessageA(MSG& msg) override;
    void TranslateMessage(const MSG& msg) override;
    LRESULT DispatchMessageA(const MSG& msg) override;
    void PostQuitMessage(int exitCode) override;
    bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    uint32_t SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) override;
    bool KillTimer(HWND hwnd, uint32_t idEvent) override;
    uint32_t GetTickCount() override { return clock_.TickCount(); }
    void SetCursor(CursorShape shape) override { cursor_ = shape; }
    int ShowCursor(bool show) override { return cursorCount_ += show ? 1 : -1; }
    int GetSystemMetrics(int index) override;
    gfx::Bitmap CaptureScreen() override;
    bool SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam, UINT winIni) override;
    RegValue RegReadValue(const std::string& keyPath, const std::string& valueName) override;
    HMODULE LoadLibraryA(const std::string& path) override;
    EntryPoint GetProcAddress(HMODULE module, const std::string& name) override;
    bool FreeLibrary(HMODULE module) override;
    std::string GetSystemDirectoryA() override { return systemDirectory_; }
    HICON ExtractIconA(uint32_t index) override;
    const Icon* IconPictures(HICON icon) override;
    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;

  private:
    struct Library {
        std::map<std::string, EntryPoint> entryPoints;
        int loads = 0;
    };

    LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool QueueInput(HWND hwnd, UINT message, WPARAM wParam, int32_t x, int32_t y);
    bool QueueKey(HWND hwnd, UINT message, WPARAM virtualKey, bool altDown);
    bool TakePaint(MSG& msg);
    bool TakeTimer(MSG& msg);
    LRESULT DispatchTimer(const MSG& msg);
    std::optional<uint64_t> NextEventTime() const;
    // Dispatches up to `end` like RunFor; failures are kept in `failures` if given. False when
    // it took the quit request, which is then in `msg`.
    bool RunUntil(uint64_t end, HeldException* failures, MSG& msg);
    void SendDestroy(HeadlessWindow& window, HeldException& failure);
    void DestroyTree(HWND hwnd, HeldException& failure);
    MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;
    HeadlessWindow& OwnWindow(HWND hwnd, const char* operation);

    ScopedBackend installed_;
    VirtualClock clock_;
    TimerTable timers_;
    WindowTable windows_;
    std::deque<MSG> queue_;
    bool quitPending_ = false;
    int quitExitCode_ = 0;
    std::optional<int> quitCode_;
    HWND foreground_ = 0;
    HWND capture_ = 0;
    int32_t screenWidth_ = 1024;
    int32_t screenHeight_ = 768;
    std::optional<gfx::Bitmap> desktop_;
    bool captureRefused_ = false;
    std::vector<PresentedRect> presented_;
    bool saverRunning_ = false;
    int screenSaveRequests_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
    int cursorCount_ = 0;
    std::map<std::string, RegValue> settings_;
    std::map<std::string, Library> libraries_;  // by lower-case path
    std::map<HMODULE, std::string> openLibraries_;
    HMODULE nextModule_ = 0x10000000;
    std::string systemDirectory_ = "C:\\WINDOWS\\SYSTEM";
    std::vector<Icon> icons_;
    std::vector<MessageBoxRecord> messageBoxes_;
    uint64_t messageBoxTime_ = 0;
};

}  // namespace platform::headless
