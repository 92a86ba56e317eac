// Windows of the X backend: creation, the names, bounds, showing, grabs and destruction.
#include "platform/x11/X11Backend.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <utility>

#include "base/Exceptions.h"
#include "platform/WindowRules.h"
#include "platform/x11/MonotonicClock.h"
#include "platform/x11/SharedPixels.h"
#include "platform/x11/WindowProperties.h"

namespace platform::x11 {
namespace {

constexpr long kInputMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask;
constexpr long kBaseMask = ExposureMask | StructureNotifyMask;
constexpr uint64_t kGrabFirstTriesMs = 1000;
constexpr uint64_t kGrabFirstRetryMs = 50;
constexpr uint64_t kGrabRetryMs = 250;

// The messages the backend makes of keys, their characters and the pointer.
bool IsInputMessage(UINT message) {
    return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
           (message >= WM_MOUSEMOVE && message <= WM_XBUTTONDOWN);
}

uint64_t NextGrabAttemptAfter(const X11Window& window, uint64_t now) {
    return now + (now < window.firstGrabTriesEnd ? kGrabFirstRetryMs : kGrabRetryMs);
}

// Once, when the first tries have passed without all the grabs.
void ReportMissingGrabs(X11Window& window, uint64_t now) {
    if (!window.MissesAGrab() || window.grabReported || now < window.firstGrabTriesEnd) {
        return;
    }
    window.grabReported = true;
    std::fprintf(stderr, "The saver could not grab the %s yet\n",
                 window.keyboardHeld ? "pointer"
                                     : (window.pointerHeld ? "keyboard" : "keyboard and pointer"));
}

std::string HandleText(HWND hwnd) {
    std::ostringstream text;
    text << "0x" << std::hex << hwnd;
    return text.str();
}

::Window Xid(HWND hwnd) {
    return static_cast<::Window>(hwnd);
}

bool IsChildStyle(uint32_t style) {
    return (style & WS_CHILD) != 0;
}

// A window without a caption gets no decorations from the window manager (Motif hints); one
// with a caption gets the window manager's own.
void RequestDecorations(const Connection& connection, ::Window window, bool caption) {
    if (caption) {
        XDeleteProperty(connection.Get(), window, connection.Names().motifWmHints);
        return;
    }
    long hints[5] = {2, 0, 0, 0, 0};  // flags: decorations; decorations: none
    XChangeProperty(connection.Get(), window, connection.Names().motifWmHints,
                    connection.Names().motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}

std::unique_ptr<X11Window> MakeRecord(const WNDCLASS& windowClass, uint32_t exStyle,
                                      const std::string& title, uint32_t style, HWND parent,
                                      WNDPROC proc) {
    auto window = std::make_unique<X11Window>();
    window->className = windowClass.lpszClassName;
    window->title = title;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = parent;
    window->enabled = (style & WS_DISABLED) == 0;
    window->topmost = (exStyle & WS_EX_TOPMOST) != 0;
    window->classCursor = windowClass.cursor;
    window->background = windowClass.background;
    window->proc =
        std::make_shared<const WNDPROC>(proc ? std::move(proc) : windowClass.lpfnWndProc);
    return window;
}

}  // namespace

X11Window* X11Backend::Find(HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

const X11Window* X11Backend::WindowRecord(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

X11Window& X11Backend::OwnWindow(HWND hwnd, const char* operation) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        throw base::Exception(std::string(operation) + ": window " + HandleText(hwnd) +
                              " is not one of this program's windows");
    }
    return *window;
}

LRESULT X11Backend::CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return 0;
    }
    // The copy keeps the procedure alive even if the window is destroyed while it runs.
    std::shared_ptr<const WNDPROC> proc = window->proc;
    if (!proc || !*proc) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return (*proc)(hwnd, message, wParam, lParam);
}

bool X11Backend::ForeignAttributes(HWND hwnd, XWindowAttributes& attributes) {
    if (hwnd == 0) {
        return false;
    }
    ErrorTrap trap(connection_.Get());
    int status = XGetWindowAttributes(connection_.Get(), Xid(hwnd), &attributes);
    return !trap.Failed() && status != 0;
}

bool X11Backend::RegisterClassA(const WNDCLASS& windowClass) {
    if (windowClass.lpszClassName.empty()) {
        return false;
    }
    return classes_.emplace(windowClass.lpszClassName, windowClass).second;
}

::Window X11Backend::ParentXid(HWND parent) const {
    return parent == 0 ? connection_.Root() : Xid(parent);
}

void X11Backend::SetTopLevelProperties(const X11Window& window) {
    ::Window xid = Xid(window.hwnd);
    Atom protocols[] = {connection_.Names().wmDeleteWindow};
    XSetWMProtocols(connection_.Get(), xid, protocols, 1);
    long pid = static_cast<long>(getpid());
    XChangeProperty(connection_.Get(), xid, connection_.Names().netWmPid, XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    SetFrameProperties(window);
}

// The window manager's part, which follows the window's style and, for a dialog border, its
// size.
void X11Backend::SetFrameProperties(const X11Window& window) {
    ::Window xid = Xid(window.hwnd);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = window.bounds.left;
    hints.y = window.bounds.top;
    hints.width = std::max(window.bounds.Width(), 1);
    hints.height = std::max(window.bounds.Height(), 1);
    if ((window.exStyle & WS_EX_DLGMODALFRAME) != 0) {
        // A dialog border: the window manager offers no resizing.
        hints.flags |= PMinSize | PMaxSize;
        hints.min_width = hints.max_width = hints.width;
        hints.min_height = hints.max_height = hints.height;
    }
    XSetWMNormalHints(connection_.Get(), xid, &hints);
    RequestDecorations(connection_, xid, (window.style & WS_CAPTION) != 0);
}

// A disabled window, and the daemon's child, select no input: X then hands the input on to
// the parent, as the platform does for a disabled child.
void X11Backend::SelectInputFor(const X11Window& window) {
    bool input = window.enabled && !window.inDaemonWindow;
    XSelectInput(connection_.Get(), Xid(window.hwnd), kBaseMask | (input ? kInputMask : 0));
}

HWND X11Backend::CreateWindowExA(uint32_t exStyle, const std::string& className,
                                 const std::string& title, uint32_t style, int32_t x, int32_t y,
                                 int32_t width, int32_t height, HWND parent, WNDPROC proc) {
    auto found = classes_.find(className);
    bool child = IsChildStyle(style);
    if (found == classes_.end() || (child && !IsWindow(parent))) {
        return 0;
    }
    std::unique_ptr<X11Window> window =
        MakeRecord(found->second, exStyle, title, style, child ? parent : 0, std::move(proc));
    window->bounds = gfx::RectFromSize(x, y, std::max(width, 0), std::max(height, 0));
    ::Window xid = CreateServerWindow(*window);
    if (xid == 0) {
        return 0;
    }
    HWND hwnd = AddWindow(std::move(window), xid);
    if (CallProc(hwnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return 0;
    }
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return hwnd;
}

// The first top-level window goes into the daemon's window, when there is one, and fills it.
::Window X11Backend::CreateServerWindow(X11Window& window) {
    ::Window parentXid = ParentXid(window.parent);
    if (window.parent == 0 && options_.daemonWindow && !daemonClaimed_) {
        daemonClaimed_ = true;
        window.inDaemonWindow = true;
        window.bounds = {0, 0, daemonBounds_.Width(), daemonBounds_.Height()};
        parentXid = Xid(*options_.daemonWindow);
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = kXNone;
    attributes.border_pixel = 0;
    attributes.colormap = connection_.ScreenColormap();
    ErrorTrap trap(connection_.Get());
    ::Window xid =
        XCreateWindow(connection_.Get(), parentXid, window.bounds.left, window.bounds.top,
                      static_cast<unsigned>(std::max(window.bounds.Width(), 1)),
                      static_cast<unsigned>(std::max(window.bounds.Height(), 1)), 0,
                      connection_.Depth(), InputOutput, connection_.ScreenVisual(),
                      CWBackPixmap | CWBorderPixel | CWColormap, &attributes);
    return trap.Failed() ? 0 : xid;
}

HWND X11Backend::AddWindow(std::unique_ptr<X11Window> window, ::Window xid) {
    window->hwnd = static_cast<HWND>(xid);
    // Drawn where the server can read it, when it shares memory with us.
    window->surface =
        sharedPixels_
            ? std::make_unique<gfx::Bitmap>(window->bounds.Width(), window->bounds.Height(),
                                            sharedPixels_)
            : std::make_unique<gfx::Bitmap>(window->bounds.Width(), window->bounds.Height());
    X11Window& added = *window;
    windows_[added.hwnd] = std::move(window);
    SetTitle(connection_, xid, added.title);
    SetClass(connection_, xid, added.className);
    if (added.parent == 0) {
        SetTopLevelProperties(added);
    }
    SelectInputFor(added);
    ApplyCursors();
    return added.hwnd;
}

// A window whose WM_DESTROY has been sent is not destroyed a second time. A failing WM_DESTROY
// keeps no window alive: the first failure comes out once the whole tree has gone.
bool X11Backend::DestroyWindow(HWND hwnd) {
    X11Window* window = Find(hwnd);
    if (window == nullptr || window->destroying) {
        return false;
    }
    HeldException failure;
    SendDestroy(*window, failure);
    if (Find(hwnd) != nullptr) {  // else the procedure destroyed it itself
        ::Window xid = Xid(hwnd);
        ForgetWindowTree(hwnd, false, failure);
        XDestroyWindow(connection_.Get(), xid);
    }
    failure.RethrowIfAny();
    return true;
}

// The window's children get WM_DESTROY after it, as on the platform; then all are forgotten.
// Windows the server destroyed (with a parent of another program) get WM_DESTROY here too.
void X11Backend::ForgetWindowTree(HWND hwnd, bool destroyedByServer, HeldException& failure) {
    if (X11Window* window = Find(hwnd);
        destroyedByServer && window != nullptr && !window->destroying) {
        SendDestroy(*window, failure);
    }
    std::vector<HWND> children;
    for (const auto& [handle, window] : windows_) {
        if (window->parent == hwnd) {
            children.push_back(handle);
        }
    }
    for (HWND child : children) {
        // A child whose own WM_DESTROY is running (it destroyed this parent) gets no second.
        if (X11Window* window = Find(child); window != nullptr) {
            if (!window->destroying) {
                SendDestroy(*window, failure);
            }
            ForgetWindowTree(child, false, failure);
        }
    }
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return;
    }
    if (window->grabbed && !destroyedByServer) {
        ReleaseInput(*window);
    }
    timers_.KillAllOf(hwnd);
    windows_.erase(hwnd);
    if (foreground_ == hwnd) {
        foreground_ = 0;
    }
}

void X11Backend::SendDestroy(X11Window& window, HeldException& failure) {
    window.destroying = true;
    try {
        CallProc(window.hwnd, WM_DESTROY, 0, 0);
    } catch (...) {
        failure.Hold();
    }
}

bool X11Backend::IsWindow(HWND hwnd) {
    XWindowAttributes attributes{};
    return Find(hwnd) != nullptr || ForeignAttributes(hwnd, attributes);
}

bool X11Backend::SetWindowTextA(HWND hwnd, const std::string& title) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    window->title = title;
    SetTitle(connection_, Xid(hwnd), title);
    return true;
}

std::string X11Backend::GetWindowTextA(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return window->title;
    }
    return hwnd == 0 ? std::string() : ReadTitle(connection_, Xid(hwnd));
}

std::string X11Backend::GetClassNameA(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return window->className;
    }
    return hwnd == 0 ? std::string() : ReadClass(connection_, Xid(hwnd));
}

void X11Backend::ResizeWindow(X11Window& window, const gfx::Rect& bounds) {
    window.bounds = bounds;
    window.resizeSerial = NextRequest(connection_.Get());
    XMoveResizeWindow(connection_.Get(), Xid(window.hwnd), bounds.left, bounds.top,
                      static_cast<unsigned>(std::max(bounds.Width(), 1)),
                      static_cast<unsigned>(std::max(bounds.Height(), 1)));
    window.surface->SetSize(bounds.Width(), bounds.Height());
    if ((window.exStyle & WS_EX_DLGMODALFRAME) != 0 && window.parent == 0) {
        SetFrameProperties(window);  // the fixed size is the new one
    }
    InvalidateRect(window.hwnd, nullptr, true);
}

bool X11Backend::MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    ResizeWindow(*window, gfx::RectFromSize(x, y, std::max(width, 0), std::max(height, 0)));
    return true;
}

bool X11Backend::SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width,
                              int32_t height, UINT flags) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    PlaceTopmost(*window, insertAfter);
    const gfx::Rect bounds = PositionedBounds(window->bounds, x, y, width, height, flags);
    if (bounds != window->bounds) {
        ResizeWindow(*window, bounds);
    }
    if (window->topmost && window->visible) {
        XRaiseWindow(connection_.Get(), Xid(hwnd));
    }
    return true;
}

gfx::Rect X11Backend::GetWindowRect(HWND hwnd) {
    XWindowAttributes attributes{};
    if (!ForeignAttributes(hwnd, attributes)) {
        return {};
    }
    int x = 0;
    int y = 0;
    ::Window child = 0;
    ErrorTrap trap(connection_.Get());
    XTranslateCoordinates(connection_.Get(), Xid(hwnd), connection_.Root(), 0, 0, &x, &y, &child);
    if (trap.Failed()) {
        return {};
    }
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return gfx::RectFromSize(x, y, window->bounds.Width(), window->bounds.Height());
    }
    return gfx::RectFromSize(x, y, attributes.width, attributes.height);
}

uint32_t X11Backend::GetWindowLongA(HWND hwnd, int index) {
    X11Window* window = Find(hwnd);
    const uint32_t* style = window == nullptr ? nullptr : StyleOf(*window, index);
    return style == nullptr ? 0 : *style;
}

// A top-level window's decorations and size hints follow at once.
uint32_t X11Backend::SetWindowLongA(HWND hwnd, int index, uint32_t value) {
    X11Window* window = Find(hwnd);
    uint32_t* style = window == nullptr ? nullptr : StyleOf(*window, index);
    if (style == nullptr) {
        return 0;
    }
    const uint32_t before = std::exchange(*style, value);
    if (window->parent == 0 && !window->inDaemonWindow) {
        SetFrameProperties(*window);
    }
    return before;
}

// The window manager's frame lies outside the window.
gfx::Rect X11Backend::AdjustWindowRectEx(const gfx::Rect& client, uint32_t, uint32_t) {
    return client;
}

gfx::Rect X11Backend::GetClientRect(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return {0, 0, window->bounds.Width(), window->bounds.Height()};
    }
    XWindowAttributes attributes{};
    if (!ForeignAttributes(hwnd, attributes)) {
        return {};
    }
    return {0, 0, attributes.width, attributes.height};
}

HWND X11Backend::GetParent(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return ParentAnswer(window->parent, window->owner, window->style);
    }
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    ErrorTrap trap(connection_.Get());
    if (hwnd == 0 ||
        XQueryTree(connection_.Get(), Xid(hwnd), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return parent == root ? 0 : static_cast<HWND>(parent);
}

// A window's owner is the window manager's "transient for" hint on the owned window, which
// also serves another program's window as the owner (the desktop's settings window, say).
bool X11Backend::SetWindowOwner(HWND hwnd, HWND owner) {
    X11Window* window = Find(hwnd);
    if (window == nullptr || window->parent != 0 || window->inDaemonWindow || owner == hwnd ||
        (owner != 0 && !IsWindow(owner))) {
        return false;
    }
    window->owner = owner;
    if (owner == 0) {
        XDeleteProperty(connection_.Get(), Xid(hwnd), XA_WM_TRANSIENT_FOR);
    } else {
        XSetTransientForHint(connection_.Get(), Xid(hwnd), Xid(owner));
    }
    XFlush(connection_.Get());
    return true;
}

HWND X11Backend::GetWindowOwner(HWND hwnd) {
    if (hwnd == 0) {
        return 0;
    }
    ::Window owner = 0;
    ErrorTrap trap(connection_.Get());
    const int found = XGetTransientForHint(connection_.Get(), Xid(hwnd), &owner);
    return trap.Failed() || found == 0 ? 0 : static_cast<HWND>(owner);
}

void X11Backend::MapWindow(X11Window& window) {
    bool saverWindow = window.parent == 0 && !window.inDaemonWindow && window.topmost &&
                       (window.style & WS_POPUP) != 0 && (window.style & WS_CAPTION) == 0;
    if (saverWindow) {
        BecomeSaverWindow(window.hwnd);
        return;
    }
    if (window.topmost && window.parent == 0) {
        Atom above = connection_.Names().netWmStateAbove;
        XChangeProperty(connection_.Get(), Xid(window.hwnd), connection_.Names().netWmState,
                        XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&above), 1);
    }
    XMapWindow(connection_.Get(), Xid(window.hwnd));
}

// The saver's window: unless the program has pictured the screen already, the desktop is
// pictured first (CaptureScreen hands out that picture); then the window goes up past the
// window manager, above all, with the input grabbed. Picturing reads the server's events, and
// another program's request among them may destroy the window: then nothing goes up.
void X11Backend::BecomeSaverWindow(HWND hwnd) {
    if (!screenCaptured_) {
        snapshot_ = CaptureScreen();
    }
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return;
    }
    XSetWindowAttributes attributes{};
    attributes.override_redirect = 1;
    XChangeWindowAttributes(connection_.Get(), Xid(hwnd), CWOverrideRedirect, &attributes);
    XMapRaised(connection_.Get(), Xid(hwnd));
    XSync(connection_.Get(), 0);
    GrabInput(*window);
}

// Another program may hold a grab for a moment (a menu that is open). The grabs are tried at
// once and a missing one again from the message loop: every kGrabFirstRetryMs for the first
// kGrabFirstTriesMs, then every kGrabRetryMs for as long as the window takes the input. The
// window is up and drawn meanwhile; the program never waits for another's grab to end.
void X11Backend::GrabInput(X11Window& window) {
    window.grabbed = true;
    window.grabReported = false;
    window.firstGrabTriesEnd = MonotonicMilliseconds() + kGrabFirstTriesMs;
    TryGrabs(window);
    window.nextGrabAttempt = NextGrabAttemptAfter(window, MonotonicMilliseconds());
    ErrorTrap trap(connection_.Get());
    XSetInputFocus(connection_.Get(), Xid(window.hwnd), RevertToParent, CurrentTime);
}

void X11Backend::TryGrabs(X11Window& window) {
    Display* display = connection_.Get();
    ::Window xid = Xid(window.hwnd);
    if (!window.keyboardHeld) {
        window.keyboardHeld = XGrabKeyboard(display, xid, 1, GrabModeAsync, GrabModeAsync,
                                            CurrentTime) == GrabSuccess;
    }
    if (!window.pointerHeld) {
        window.pointerHeld =
            XGrabPointer(display, xid, 1, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, kXNone, kXNone, CurrentTime) == GrabSuccess;
    }
}

void X11Backend::RetryMissingGrabs() {
    const uint64_t now = MonotonicMilliseconds();
    for (auto& [hwnd, window] : windows_) {
        if (window->MissesAGrab() && window->nextGrabAttempt <= now) {
            TryGrabs(*window);
            ReportMissingGrabs(*window, now);
            window->nextGrabAttempt = NextGrabAttemptAfter(*window, now);
        }
    }
}

std::optional<uint64_t> X11Backend::NextGrabAttempt() const {
    std::optional<uint64_t> next;
    for (const auto& [hwnd, window] : windows_) {
        if (window->MissesAGrab()) {
            next = std::min(next.value_or(window->nextGrabAttempt), window->nextGrabAttempt);
        }
    }
    return next;
}

// The input a window got while its grabs were let go for a dialog was the dialog's user's: on
// the platform a modal dialog's owner gets none, and the saver would otherwise end again, at
// once, on the moves made to reach the dialog. Both what the server has sent for the window
// and the messages made of it but not yet taken go.
void X11Backend::DropInputMeanwhile(const X11Window& window) {
    Display* display = connection_.Get();
    XSync(display, 0);
    XEvent event;
    while (XCheckWindowEvent(display, Xid(window.hwnd), kInputMask, &event) != 0) {
    }
    std::erase_if(queue_, [&](const QueuedMessage& queued) {
        return queued.msg.hwnd == window.hwnd && IsInputMessage(queued.msg.message);
    });
}

void X11Backend::ReleaseInput(X11Window& window) {
    XUngrabKeyboard(connection_.Get(), CurrentTime);
    XUngrabPointer(connection_.Get(), CurrentTime);
    window.grabbed = false;
    window.keyboardHeld = false;
    window.pointerHeld = false;
}

bool X11Backend::ShowWindow(HWND hwnd, int command) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    bool wasVisible = window->visible;
    bool show = command != SW_HIDE;
    if (show && !wasVisible) {
        window->visible = true;
        MapWindow(*window);
        window = Find(hwnd);
        if (window == nullptr) {
            return false;  // destroyed while it went up (BecomeSaverWindow)
        }
        if (window->parent == 0) {
            foreground_ = hwnd;
        }
        InvalidateRect(hwnd, nullptr, true);
    } else if (!show && wasVisible) {
        window->visible = false;
        window->grabSuspended = false;
        if (window->grabbed) {
            ReleaseInput(*window);
        }
        XUnmapWindow(connection_.Get(), Xid(hwnd));
    }
    return wasVisible;
}

bool X11Backend::IsWindowVisible(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window != nullptr) {
        return window->visible;
    }
    XWindowAttributes attributes{};
    return ForeignAttributes(hwnd, attributes) && attributes.map_state == IsViewable;
}

bool X11Backend::EnableWindow(HWND hwnd, bool enable) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;  // another program's window cannot be disabled from here
    }
    bool wasDisabled = !window->enabled;
    window->enabled = enable;
    SelectInputFor(*window);
    return wasDisabled;
}

bool X11Backend::IsWindowEnabled(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    return window != nullptr ? window->enabled : IsWindow(hwnd);
}

HWND X11Backend::FindWindowA(const char* className, const char* title) {
    XFlush(connection_.Get());
    std::optional<::Window> found = FindTopLevel(connection_, className, title);
    return found ? static_cast<HWND>(*found) : 0;
}

HWND X11Backend::GetForegroundWindow() {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(connection_.Get(), &focus, &revert);
    if (focus <= PointerRoot) {
        return foreground_;
    }
    // Another program's toolkit often gives the focus to a window inside its top-level one.
    auto hwnd = static_cast<HWND>(focus);
    return Find(hwnd) != nullptr ? hwnd : static_cast<HWND>(TopLevelOf(connection_, focus));
}

// The program's own window is raised and given the focus. Another program's window is only
// asked for through the window manager (_NET_ACTIVE_WINDOW), which decides; in daemon mode
// not at all, so that nothing can come up over the daemon's (perhaps locked) screen.
bool X11Backend::SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    ErrorTrap trap(connection_.Get());
    if (Find(hwnd) != nullptr) {
        XRaiseWindow(connection_.Get(), Xid(hwnd));
        XSetInputFocus(connection_.Get(), Xid(hwnd), RevertToParent, CurrentTime);
        foreground_ = hwnd;
        return true;
    }
    if (options_.daemonWindow) {
        return true;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Xid(hwnd);
    event.xclient.message_type = connection_.Names().netActiveWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // a request on the user's behalf
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(connection_.Get(), connection_.Root(), 0,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    return true;
}

}  // namespace platform::x11
