#pragma once
// The backend of the product on Windows: every operation of the table over the real window
// system (user32, gdi32, kernel32, advapi32, shell32). One instance at a time; it installs
// itself as the current backend for its lifetime.
//
// Our windows all share one window-class procedure, which hands each message to the program's
// procedure with its parameters cut to 32 bits. When that procedure passes a message on to
// DefWindowProcA, the full-width parameters of the message being handled are put back, so the
// system's default handling never sees a truncated pointer. An exception thrown by a program
// procedure is held while control is inside the system and thrown again when the call that
// entered the system returns (DispatchMessageA, SendMessageA, CreateWindowExA, ...): the
// program's call that was running the system then, not a later one made inside the same loop
// of the system's (a message box's) by a procedure called there.
//
// Window surfaces are bitmaps of the client area's size, presented with SetDIBitsToDevice.
// Timers always run through the backend's own timer procedure, so that ticks reach the program
// also inside the system's modal loops (message boxes), and a tick never overlaps itself.

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Backend.h"
#include "platform/HeldException.h"

namespace platform::win32 {

struct WindowRecord;
struct ClassRecord;
struct TimerEntry;
struct IconRecord;
struct LibraryRecord;
struct NativeMessage;
class Win32Callbacks;

class Win32Backend : public Backend {
  public:
    Win32Backend();
    ~Win32Backend() override;

    // Backend operations.
    bool RegisterClassA(const WNDCLASS& windowClass) override;
    // A class registered by the system (not through RegisterClassA) gives a native window that
    // keeps the system's own procedure and has no surface.
    HWND CreateWindowExA(uint32_t exStyle, const std::string& className, const std::string& title,
                         uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                         HWND parent, WNDPROC proc) override;
    bool DestroyWindow(HWND hwnd) override;
    bool IsWindow(HWND hwnd) override;
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
    HWND GetForegroundWindow() override;
    bool SetForegroundWindow(HWND hwnd) override;
    void SetCapture(HWND hwnd) override;
    void ReleaseCapture() override;
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
    uint32_t GetTickCount() override;
    void SetCursor(CursorShape shape) override;
    int ShowCursor(bool show) override;
    int GetSystemMetrics(int index) override;
    gfx::Bitmap CaptureScreen() override;
    bool SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam, UINT winIni) override;
    RegValue RegReadValue(const std::string& keyPath, const std::string& valueName) override;
    HMODULE LoadLibraryA(const std::string& path) override;
    // Wraps the two password entry points the program calls (VerifyScreenSavePwd,
    // PwdChangePasswordA); any other existing entry point fails with base::Exception, since
    // its arguments are unknown. Calling a wrapper after FreeLibrary fails the same way.
    EntryPoint GetProcAddress(HMODULE module, const std::string& name) override;
    bool FreeLibrary(HMODULE module) override;
    std::string GetSystemDirectoryA() override;
    HICON ExtractIconA(uint32_t index) override;
    const Icon* IconPictures(HICON icon) override;
    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;

  private:
    friend class Win32Callbacks;
    using TimerKey = std::pair<HWND, uint32_t>;

    // Messages coming from the system (Win32Callbacks).
    intptr_t HandleWindowMessage(const NativeMessage& message);
    void HandleTimerTick(HWND hwnd, uint32_t id, uint32_t time);

    std::shared_ptr<WindowRecord> FindRecord(HWND hwnd) const;
    std::shared_ptr<WindowRecord> FindOrAdopt(HWND hwnd);
    std::shared_ptr<WindowRecord> OwnWindow(HWND hwnd, const char* operation) const;
    const ClassRecord* FindClass(const std::string& className) const;
    LRESULT CallProgramProc(const std::shared_ptr<WindowRecord>& record,
                            const NativeMessage& message);
    intptr_t CallCaught(const std::shared_ptr<WindowRecord>& record, const NativeMessage& message);
    NativeMessage WithNativeParameters(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;
    NativeMessage NativeFor(const MSG& msg) const;
    void ForgetWindow(HWND hwnd);
    void DispatchTimer(HWND hwnd, uint32_t id, uint32_t time);
    bool EraseSurface(HWND hwnd);
    void PresentOn(WindowRecord& record, HWND hwnd, const gfx::Rect& rect);
    // Counts a procedure of the program that the system called, while it runs.
    class CalledScope {
      public:
        explicit CalledScope(Win32Backend& backend) : depth_(backend.calledDepth_) { ++depth_; }
        CalledScope(const CalledScope&) = delete;
        CalledScope& operator=(const CalledScope&) = delete;
        ~CalledScope() { --depth_; }

      private:
        int& depth_;
    };
    void HoldException();
    // Whether a failure is held that belongs to the call returning now (HoldException).
    bool HoldingFailureOfThisCall() const;
    // Throws that failure.
    void RethrowHeld();
    void* CursorHandle() const;

    ScopedBackend installed_;
    std::map<std::string, std::unique_ptr<ClassRecord>> classes_;  // by lower-case name
    std::map<HWND, std::shared_ptr<WindowRecord>> windows_;
    std::shared_ptr<WindowRecord> creating_;  // the window CreateWindowExA is making
    std::vector<NativeMessage> handling_;     // messages being handled, innermost last
    std::unique_ptr<NativeMessage> lastTaken_;
    std::map<TimerKey, std::unique_ptr<TimerEntry>> timers_;
    std::set<TimerKey> ticking_;
    std::map<uint32_t, std::unique_ptr<IconRecord>> icons_;  // by handle: index + 1
    std::map<HMODULE, std::unique_ptr<LibraryRecord>> libraries_;
    HMODULE nextModule_ = 1;
    CursorShape cursor_ = CursorShape::Arrow;
    void* emptyCursor_ = nullptr;
    HeldException held_;
    int calledDepth_ = 0;  // the program's procedures the system called that are running
    int heldDepth_ = 0;    // calledDepth_ when the failure held came
};

}  // namespace platform::win32
