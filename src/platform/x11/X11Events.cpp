// X events turned into the program's messages.
#include "platform/x11/X11Backend.h"

#include "platform/x11/KeyMap.h"
#include "platform/x11/MessageBoxWindow.h"

namespace platform::x11 {
namespace {

// X numbers a mouse's side buttons after the wheel's four.
constexpr unsigned int kBackButton = 8;
constexpr unsigned int kForwardButton = 9;
// Bits 30 and 31 of a key's lParam: it was down, and it goes up.
constexpr uint32_t kReleaseFlags = 0xC0000000u;

WPARAM ModifierFlags(unsigned int state) {
    WPARAM flags = 0;
    flags |= (state & Button1Mask) != 0 ? MK_LBUTTON : 0;
    flags |= (state & Button2Mask) != 0 ? MK_MBUTTON : 0;
    flags |= (state & Button3Mask) != 0 ? MK_RBUTTON : 0;
    flags |= (state & ShiftMask) != 0 ? MK_SHIFT : 0;
    flags |= (state & ControlMask) != 0 ? MK_CONTROL : 0;
    return flags;
}

}  // namespace

void X11Backend::PumpEvents() {
    if (signals_.TakeSignal()) {
        PostQuitMessage(0);
    }
    RetryMissingGrabs();
    Display* display = connection_.Get();
    // A look while events are queued takes the next at once; the last one, with none left,
    // flushes what was drawn and then reads the connection (a system call or two, even when
    // nothing has come).
    while (XEventsQueued(display, QueuedAfterFlush) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        HandleEvent(event);
    }
}

void X11Backend::HandleEvent(XEvent& event) {
    if (messageBox_ != nullptr && messageBox_->Handles(event)) {
        return;
    }
    switch (event.type) {
        case KeyPress:
        case KeyRelease:
            QueueKey(event.xkey);
            break;
        case ButtonPress:
            QueueButton(event.xbutton);
            break;
        case ButtonRelease:
            QueueButtonRelease(event.xbutton);
            break;
        case MotionNotify:
            QueuePointer(event.xmotion.window, event.xmotion.x, event.xmotion.y,
                         event.xmotion.state);
            break;
        case EnterNotify:  // the platform reports a window appearing under the pointer
            QueuePointer(event.xcrossing.window, event.xcrossing.x, event.xcrossing.y,
                         event.xcrossing.state);
            break;
        case Expose: {
            gfx::Rect area = gfx::RectFromSize(event.xexpose.x, event.xexpose.y,
                                               event.xexpose.width, event.xexpose.height);
            InvalidateRect(static_cast<HWND>(event.xexpose.window), &area, true);
            break;
        }
        case ConfigureNotify:
            OnConfigure(event.xconfigure);
            break;
        case DestroyNotify:
            OnDestroyed(event.xdestroywindow.window);
            break;
        case ClientMessage:
            OnClientMessage(event.xclient);
            break;
        default:
            break;
    }
}

X11Window* X11Backend::InputWindow(::Window xid) {
    X11Window* window = Find(static_cast<HWND>(xid));
    return window != nullptr && window->enabled && !window->inDaemonWindow ? window : nullptr;
}

// Alt held, or an Alt key itself, makes a system key, as on the platform. A release has bits
// 30 and 31 of lParam set (the key was down and goes up), and no character.
void X11Backend::QueueKey(XKeyEvent& event) {
    X11Window* window = InputWindow(event.window);
    if (window == nullptr) {
        return;
    }
    char text[8] = {};
    KeySym typed = 0;
    int length = XLookupString(&event, text, sizeof text, &typed, nullptr);
    KeySym plain = XLookupKeysym(&event, 0);
    bool alt = (event.state & Mod1Mask) != 0 || IsAltKey(plain);
    auto scanCode = static_cast<uint32_t>((event.keycode - 8) & 0xFF);
    const bool released = event.type == KeyRelease;
    auto lParam = static_cast<LPARAM>(1u | (scanCode << 16) | (released ? kReleaseFlags : 0u)) |
                  (alt ? kAltDownFlag : 0);
    UINT message = released ? (alt ? WM_SYSKEYUP : WM_KEYUP) : (alt ? WM_SYSKEYDOWN : WM_KEYDOWN);
    MSG msg = MakeMessage(window->hwnd, message, VirtualKeyOf(plain), lParam);
    queue_.push_back({msg, length == 1 && !released ? text[0] : '\0'});
}

void X11Backend::QueueButton(const XButtonEvent& event) {
    X11Window* window = InputWindow(event.window);
    UINT message = 0;
    WPARAM flag = 0;
    switch (event.button) {
        case Button1:
            message = WM_LBUTTONDOWN;
            flag = MK_LBUTTON;
            break;
        case Button2:
            message = WM_MBUTTONDOWN;
            flag = MK_MBUTTON;
            break;
        case Button3:
            message = WM_RBUTTONDOWN;
            flag = MK_RBUTTON;
            break;
        case kBackButton:
            message = WM_XBUTTONDOWN;
            flag = XButtonDownFlags(XBUTTON1);
            break;
        case kForwardButton:
            message = WM_XBUTTONDOWN;
            flag = XButtonDownFlags(XBUTTON2);
            break;
        default:
            return;  // the wheel's buttons (4 to 7) have no button message
    }
    if (window != nullptr) {
        WPARAM flags = ModifierFlags(event.state) | flag;
        queue_.push_back(
            {MakeMessage(window->hwnd, message, flags, MakeLParam(event.x, event.y)), 0});
    }
}

// Only the left button's release has a message. The state is the one before the release, so
// the left button is taken out of the flags.
void X11Backend::QueueButtonRelease(const XButtonEvent& event) {
    X11Window* window = InputWindow(event.window);
    if (window != nullptr && event.button == Button1) {
        WPARAM flags = ModifierFlags(event.state) & ~MK_LBUTTON;
        queue_.push_back(
            {MakeMessage(window->hwnd, WM_LBUTTONUP, flags, MakeLParam(event.x, event.y)), 0});
    }
}

void X11Backend::QueuePointer(::Window xid, int x, int y, unsigned int state) {
    X11Window* window = InputWindow(xid);
    if (window != nullptr) {
        queue_.push_back(
            {MakeMessage(window->hwnd, WM_MOUSEMOVE, ModifierFlags(state), MakeLParam(x, y)), 0});
    }
}

// The root changing size (RandR) changes the screen's metrics; the daemon's window changing
// size changes them in daemon mode and resizes the saver's child with it.
void X11Backend::OnConfigure(const XConfigureEvent& event) {
    if (event.window == connection_.Root()) {
        screenWidth_ = event.width;
        screenHeight_ = event.height;
        return;
    }
    if (options_.daemonWindow && event.window == *options_.daemonWindow) {
        daemonBounds_ = {0, 0, event.width, event.height};
        for (auto& [hwnd, window] : windows_) {
            if (window->inDaemonWindow) {
                ResizeWindow(*window, daemonBounds_);
            }
        }
        return;
    }
    // Only a window manager resizes a top-level window behind the program's back. A size the
    // server reports before it took the program's latest resize is already out of date.
    X11Window* window = Find(static_cast<HWND>(event.window));
    bool managed = window != nullptr && window->parent == 0 && !window->inDaemonWindow &&
                   event.serial >= window->resizeSerial;
    bool resized = managed && (event.width != window->bounds.Width() ||
                               event.height != window->bounds.Height());
    if (resized && window->bounds.Width() > 0 && window->bounds.Height() > 0) {
        // Someone else (a window manager) gave the window another size.
        window->bounds =
            gfx::RectFromSize(window->bounds.left, window->bounds.top, event.width, event.height);
        window->surface->SetSize(event.width, event.height);
        InvalidateRect(window->hwnd, nullptr, true);
    }
}

// A window the program did not destroy itself: another program destroyed it, or it went with
// a parent of another program. A top-level window of the program's (the daemon's child counts
// as one) going ends the program: its form and timers would go on drawing into the window's
// surface, which goes with the window, and nobody could see or end it any more. A child of
// another program's window ends with its WM_DESTROY, as its parent's own program decides.
void X11Backend::OnDestroyed(::Window xid) {
    X11Window* window = Find(static_cast<HWND>(xid));
    if (window == nullptr) {
        return;
    }
    bool topLevel = window->parent == 0;
    HeldException failure;
    ForgetWindowTree(window->hwnd, true, failure);
    if (topLevel) {
        PostQuitMessage(0);
    }
    // The program ends with the window, so a failing WM_DESTROY comes out at once rather than
    // wait behind the quit request, where no dispatch would throw it.
    failure.RethrowIfAny();
}

void X11Backend::OnClientMessage(const XClientMessageEvent& event) {
    const Atoms& names = connection_.Names();
    if (event.message_type == names.message) {
        AnswerRequest(event);
        return;
    }
    bool closing = event.message_type == names.wmProtocols &&
                   static_cast<Atom>(event.data.l[0]) == names.wmDeleteWindow;
    X11Window* window = Find(static_cast<HWND>(event.window));
    if (closing && window != nullptr) {
        queue_.push_back({MakeMessage(window->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0});
    }
}

}  // namespace platform::x11
