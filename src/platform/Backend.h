#pragma once
// The table of operations a backend provides: one virtual operation for each call of
// platform.h (DrawIcon excepted, which is drawn with gfx from IconPictures). The free functions
// of platform.h forward to the current backend; a backend becomes current for the lifetime of
// a ScopedBackend. An exception thrown by a window or timer procedure passes through
// DispatchMessageA and SendMessageA to their caller; a backend whose window system calls the
// procedures must carry it across and throw it again there.

#include "platform/platform.h"

namespace platform {

class Backend {
  public:
    Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;
    virtual ~Backend() = default;

    virtual bool RegisterClassA(const WNDCLASS& windowClass) = 0;
    virtual HWND CreateWindowExA(uint32_t exStyle, const std::string& className,
                                 const std::string& title, uint32_t style, int32_t x, int32_t y,
                                 int32_t width, int32_t height, HWND parent, WNDPROC proc) = 0;
    virtual bool DestroyWindow(HWND hwnd) = 0;
    virtual bool IsWindow(HWND hwnd) = 0;
    virtual bool SetWindowTextA(HWND hwnd, const std::string& title) = 0;
    virtual std::string GetWindowTextA(HWND hwnd) = 0;
    virtual std::string GetClassNameA(HWND hwnd) = 0;
    virtual bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width,
                              int32_t height, UINT flags) = 0;
    virtual gfx::Rect GetWindowRect(HWND hwnd) = 0;
    virtual gfx::Rect GetClientRect(HWND hwnd) = 0;
    virtual uint32_t GetWindowLongA(HWND hwnd, int index) = 0;
    virtual uint32_t SetWindowLongA(HWND hwnd, int index, uint32_t value) = 0;
    virtual gfx::Rect AdjustWindowRectEx(const gfx::Rect& client, uint32_t style,
                                         uint32_t exStyle) = 0;
    virtual HWND GetParent(HWND hwnd) = 0;
    virtual bool SetWindowOwner(HWND hwnd, HWND owner) = 0;
    virtual HWND GetWindowOwner(HWND hwnd) = 0;
    virtual bool ShowWindow(HWND hwnd, int command) = 0;
    virtual bool IsWindowVisible(HWND hwnd) = 0;
    virtual bool EnableWindow(HWND hwnd, bool enable) = 0;
    virtual bool IsWindowEnabled(HWND hwnd) = 0;
    virtual HWND FindWindowA(const char* className, const char* title) = 0;
    virtual HWND GetForegroundWindow() = 0;
    virtual bool SetForegroundWindow(HWND hwnd) = 0;
    virtual void SetCapture(HWND hwnd) = 0;
    virtual void ReleaseCapture() = 0;
    virtual gfx::Bitmap& WindowSurface(HWND hwnd) = 0;
    virtual void PresentRect(HWND hwnd, const gfx::Rect& rect) = 0;
    virtual bool InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) = 0;
    virtual bool UpdateWindow(HWND hwnd) = 0;
    virtual gfx::Rect GetUpdateRect(HWND hwnd) = 0;
    virtual PAINTSTRUCT BeginPaint(HWND hwnd) = 0;
    virtual void EndPaint(HWND hwnd, const PAINTSTRUCT& paint) = 0;
    virtual bool GetMessageA(MSG& msg) = 0;
    virtual bool PeekMessageA(MSG& msg) = 0;
    virtual void TranslateMessage(const MSG& msg) = 0;
    virtual LRESULT DispatchMessageA(const MSG& msg) = 0;
    virtual void PostQuitMessage(int exitCode) = 0;
    virtual bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual uint32_t SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) = 0;
    virtual bool KillTimer(HWND hwnd, uint32_t idEvent) = 0;
    virtual uint32_t GetTickCount() = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    virtual int ShowCursor(bool show) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    virtual gfx::Bitmap CaptureScreen() = 0;
    virtual bool SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam,
                                       UINT winIni) = 0;
    virtual RegValue RegReadValue(const std::string& keyPath, const std::string& valueName) = 0;
    virtual HMODULE LoadLibraryA(const std::string& path) = 0;
    virtual EntryPoint GetProcAddress(HMODULE module, const std::string& name) = 0;
    virtual bool FreeLibrary(HMODULE module) = 0;
    virtual std::string GetSystemDirectoryA() = 0;
    virtual HICON ExtractIconA(uint32_t index) = 0;
    virtual const Icon* IconPictures(HICON icon) = 0;
    virtual int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                            UINT type) = 0;
};

// The backend the free functions use. Fails with base::Exception when none is installed.
Backend& Current();

// Installs a backend for its own lifetime and puts the previous one back afterwards.
class ScopedBackend {
  public:
    explicit ScopedBackend(Backend& backend);
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;
    ~ScopedBackend();

  private:
    Backend* previous_;
};

}  // namespace platform
