#pragma once
// The backend of the Linux build, over Xlib. Window handles are the X window ids themselves,
// so other programs' windows (found by FindWindowA, or passed in on the command line) need no
// translation. The program's own windows each keep a surface the program draws into; presented
// rectangles go to the server with XPutImage, or XShmPutImage when MIT-SHM works, and the
// connection is flushed once per turn of the message loop.
//
// Messages are taken in the platform's order: posted messages and input in the order they
// arrived, then the quit request, then WM_PAINT, then WM_TIMER. SIGTERM posts the quit
// request. A top-level pop-up made topmost becomes the saver's window when shown: it bypasses
// the window manager, goes above everything and grabs the keyboard and the pointer. With a
// daemon window (X11Options), the first top-level window is made a child filling that window
// instead, takes no input (the daemon watches the input) and "the screen" is that window.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/HeldException.h"
#include "platform/PaintState.h"
#include "platform/TimerTable.h"
#include "platform/x11/Connection.h"
#include "platform/x11/Libraries.h"
#include "platform/x11/SignalPipe.h"
#include "platform/x11/SurfaceImage.h"

namespace platform::x11 {

class MessageBoxWindow;
class SharedPixels;

struct X11Options {
    std::string display;                   // empty: $DISPLAY
    std::optional<uint32_t> daemonWindow;  // the window a screensaver daemon gave us
    bool allowShm = true;
    uint32_t sendTimeoutMs = 5000;  // how long SendMessageA waits for another program
};

struct X11Window {
    HWND hwnd = 0;
    std::string className;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    HWND parent = 0;              // as the program sees it; 0 for top-level windows
    HWND owner = 0;               // top-level windows only
    bool inDaemonWindow = false;  // a child filling the daemon's window
    gfx::Rect bounds;             // in the parent's client coordinates
    bool visible = false;
    bool enabled = true;
    bool topmost = false;
    bool grabbed = false;            // takes the keyboard and the pointer (the saver's window)
    bool keyboardHeld = false;       // the grabs it has, of those; a missing one is tried
    bool pointerHeld = false;        // again from the message loop
    uint64_t nextGrabAttempt = 0;    // monotonic milliseconds
    uint64_t firstGrabTriesEnd = 0;  // tries come quicker until then
    bool grabReported = false;       // a missing grab has been reported since the last grab
    bool grabSuspended = false;      // let them go while a dialog wants the pointer
    bool destroying = false;         // its WM_DESTROY has been sent
    unsigned long resizeSerial = 0;  // the request that gave it its present size
    CursorShape classCursor = CursorShape::Arrow;
    std::optional<gfx::Pixel> background;
    std::shared_ptr<const WNDPROC> proc;
    std::unique_ptr<gfx::Bitmap> surface;
    std::unique_ptr<SurfaceImage> image;
    PaintState paint;

    // Takes the input but has not got all of it yet.
    bool MissesAGrab() const { return grabbed && !(keyboardHeld && pointerHeld); }
};

class X11Backend : public Backend {
  public:
    // Connects to the display and installs itself as the current backend for its lifetime.
    // Fails with base::Exception when the display cannot be opened or the daemon's window does
    // not exist.
    explicit X11Backend(X11Options options = {});
    ~X11Backend() override;

    const Connection& GetConnection() const { return connection_; }
    const X11Window* WindowRecord(HWND hwnd) const;
    // Whether the window's presents go through shared memory (after its first present).
    bool UsesShm(HWND hwnd) const;
    // Whether they are sent from the surface itself, with no copy (after its first present).
    bool PresentsWithoutCopy(HWND hwnd) const;
    // The program's icons, in index order; the first added is index 0, the main icon.
    void AddIcon(Icon icon) { icons_.push_back(std::move(icon)); }

    bool RegisterClassA(const WNDCLASS& windowClass) override;
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
    // X holds the pointer for the window that had a button's press until its release (an
    // implicit grab), so there is nothing to take or let go.
    void SetCapture(HWND) override {}
    void ReleaseCapture() override {}
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
    EntryPoint GetProcAddress(HMODULE module, const std::string& name) override;
    bool FreeLibrary(HMODULE module) override;
    std::string GetSystemDirectoryA() override;
    HICON ExtractIconA(uint32_t index) override;
    const Icon* IconPictures(HICON icon) override;
    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;

  private:
    struct QueuedMessage {
        MSG msg;
        char character = 0;  // what TranslateMessage makes of a key, 0 for none
    };

    // Windows (X11Windows.cpp).
    X11Window* Find(HWND hwnd);
    X11Window& OwnWindow(HWND hwnd, const char* operation);
    ::Window ParentXid(HWND parent) const;
    ::Window CreateServerWindow(X11Window& window);
    HWND AddWindow(std::unique_ptr<X11Window> window, ::Window xid);
    void SetTopLevelProperties(const X11Window& window);
    void SetFrameProperties(const X11Window& window);
    void SelectInputFor(const X11Window& window);
    void MapWindow(X11Window& window);
    void BecomeSaverWindow(HWND hwnd);
    void GrabInput(X11Window& window);
    // One try at each grab the window is missing.
    void TryGrabs(X11Window& window);
    // Tries again the grabs a window is missing, when their time has come.
    void RetryMissingGrabs();
    // When RetryMissingGrabs has something to do next, if ever.
    std::optional<uint64_t> NextGrabAttempt() const;
    void ReleaseInput(X11Window& window);
    // Drops the window's input that came while its grabs were let go.
    void DropInputMeanwhile(const X11Window& window);
    void ResizeWindow(X11Window& window, const gfx::Rect& bounds);
    void ForgetWindowTree(HWND hwnd, bool destroyedByServer, HeldException& failure);
    // Marks the window as being destroyed and sends it WM_DESTROY; its failure is held.
    void SendDestroy(X11Window& window, HeldException& failure);
    LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ForeignAttributes(HWND hwnd, XWindowAttributes& attributes);

    // Events (X11Events.cpp).
    void PumpEvents();
    void HandleEvent(XEvent& event);
    void QueueKey(XKeyEvent& event);
    void QueueButton(const XButtonEvent& event);
    void QueueButtonRelease(const XButtonEvent& event);
    void QueuePointer(::Window xid, int x, int y, unsigned int state);
    void OnConfigure(const XConfigureEvent& event);
    void OnDestroyed(::Window xid);
    void OnClientMessage(const XClientMessageEvent& event);
    X11Window* InputWindow(::Window xid);
    MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;

    // Other programs' windows (X11Foreign.cpp).
    bool SendRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, uint32_t serial);
    LRESULT AwaitReply(uint32_t serial);
    void AnswerRequest(const XClientMessageEvent& event);

    // The loop (X11Messages.cpp).
    bool TakeMessage(MSG& msg);
    LRESULT DispatchToProcedure(const MSG& msg);
    bool TakePaint(MSG& msg);
    bool TakeTimer(MSG& msg);
    LRESULT DispatchTimer(const MSG& msg);
    void WaitForEvents();

    // The system (X11System.cpp).
    void ApplyCursors();
    void WatchDaemonWindow();

    X11Options options_;
    Connection connection_;
    std::shared_ptr<SharedPixels> sharedPixels_;  // where surfaces live, when the server shares
    ScopedBackend installed_;
    SignalPipe signals_;
    GC gc_ = nullptr;
    Cursor emptyCursor_ = 0;
    Cursor arrowCursor_ = 0;
    ::Window replyWindow_ = 0;  // receives the answers of other programs
    std::map<std::string, WNDCLASS> classes_;
    std::map<HWND, std::unique_ptr<X11Window>> windows_;
    TimerTable timers_;
    std::deque<QueuedMessage> queue_;
    std::optional<QueuedMessage> lastTaken_;
    // A failure of another program's request, answered while the server's events were read:
    // the next dispatch throws it.
    HeldException procedureFailure_;
    bool quitPending_ = false;
    int quitExitCode_ = 0;
    HWND foreground_ = 0;
    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;
    bool daemonClaimed_ = false;
    gfx::Rect daemonBounds_;
    std::optional<gfx::Bitmap> snapshot_;  // the screen just before the saver's window showed
    bool screenCaptured_ = false;          // the program has pictured the screen itself
    bool saverRunning_ = false;
    CursorShape cursor_ = CursorShape::Arrow;
    int cursorCount_ = 0;
    uint32_t sendSerial_ = 0;
    LibraryTable libraries_;
    std::vector<Icon> icons_;
    MessageBoxWindow* messageBox_ = nullptr;  // the box being shown, if any
};

}  // namespace platform::x11
