#include "X11TestSupport.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform::x11::testing {

std::unique_ptr<XvfbServer> X11Fixture::server_;
std::string X11Fixture::failure_;

std::unique_ptr<XvfbServer> StartXvfb(int width, int height, std::string& failure) {
    if (!XvfbServer::Find()) {
        failure = "Xvfb is not installed (Debian package xvfb): X11 tests skipped";
        return nullptr;
    }
    return std::make_unique<XvfbServer>(width, height);  // an Xvfb that fails to start fails
}

void X11Fixture::SetUp() {
    if (!server_) {
        GTEST_SKIP() << failure_;
    }
    raw_ = XOpenDisplay(server_->DisplayName().c_str());
    ASSERT_NE(raw_, nullptr) << "cannot connect to " << server_->DisplayName();
}

void X11Fixture::TearDown() {
    if (raw_ != nullptr) {
        XCloseDisplay(raw_);
    }
}

std::unique_ptr<X11Backend> X11Fixture::MakeBackend(X11Options options) {
    options.display = server_->DisplayName();
    return std::make_unique<X11Backend>(std::move(options));
}

::Window X11Fixture::MakeForeignWindow(const gfx::Rect& bounds, const char* className,
                                       const char* title, bool map, ::Window parent) {
    ::Window window = XCreateSimpleWindow(
        raw_, parent == 0 ? XDefaultRootWindow(raw_) : parent, bounds.left, bounds.top,
        static_cast<unsigned>(bounds.Width()), static_cast<unsigned>(bounds.Height()), 0, 0, 0);
    if (className != nullptr) {
        XClassHint hint{const_cast<char*>(className), const_cast<char*>(className)};
        XSetClassHint(raw_, window, &hint);
    }
    if (title != nullptr) {
        XStoreName(raw_, window, title);
    }
    if (map) {
        XMapWindow(raw_, window);
    }
    XSync(raw_, 0);
    return window;
}

void X11Fixture::FillForeignWindow(::Window window, gfx::Pixel colour) {
    GC gc = XCreateGC(raw_, window, 0, nullptr);
    XSetForeground(raw_, gc, colour);
    XFillRectangle(raw_, window, gc, 0, 0, 10000, 10000);
    XFreeGC(raw_, gc);
    XSync(raw_, 0);
}

void X11Fixture::SendKey(::Window window, unsigned long keySym, unsigned int state) {
    XEvent event{};
    event.xkey = {KeyPress, 0, 0, raw_, window, XDefaultRootWindow(raw_),       0, 0,
                  0,        0, 0, 0,    state,  XKeysymToKeycode(raw_, keySym), 1};
    Deliver(window, event, KeyPressMask);
}

void X11Fixture::SendKeyRelease(::Window window, unsigned long keySym, unsigned int state) {
    XEvent event{};
    event.xkey = {KeyRelease, 0, 0, raw_, window, XDefaultRootWindow(raw_),       0, 0,
                  0,          0, 0, 0,    state,  XKeysymToKeycode(raw_, keySym), 1};
    Deliver(window, event, KeyReleaseMask);
}

void X11Fixture::SendButton(::Window window, unsigned int button, int x, int y) {
    XEvent event{};
    event.xbutton = {ButtonPress, 0, 0, raw_,   window, XDefaultRootWindow(raw_), 0, 0, x, y,
                     0,           0, 0, button, 1};
    Deliver(window, event, ButtonPressMask);
}

void X11Fixture::SendRelease(::Window window, unsigned int button, int x, int y) {
    XEvent event{};
    const unsigned int state =
        button >= Button1 && button <= Button5 ? unsigned{Button1Mask} << (button - 1) : 0u;
    event.xbutton = {
        ButtonRelease, 0,      0, raw_, window, XDefaultRootWindow(raw_), 0, 0, x, y, 0, 0,
        state,         button, 1};
    Deliver(window, event, ButtonReleaseMask);
}

void X11Fixture::SendMotion(::Window window, int x, int y) {
    XEvent event{};
    event.xmotion = {
        MotionNotify, 0, 0, raw_, window, XDefaultRootWindow(raw_), 0, 0, x, y, 0, 0, 0, 0, 1};
    Deliver(window, event, PointerMotionMask);
}

// The server serves each connection in its own order: without the sync of the backend's
// connection first, a busy server could take the event before the backend's own requests that
// make the window and select its input, and drop it.
void X11Fixture::SendRequest(::Window window, UINT message) {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(raw_, "_VELLAMOR_MESSAGE", 0);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(message);
    Deliver(window, request, NoEventMask);
}

void X11Fixture::Deliver(::Window window, XEvent& event, long mask) {
    SyncBackend();
    XSendEvent(raw_, window, 1, mask, &event);
    XSync(raw_, 0);
}

void X11Fixture::SyncBackend() {
    if (!HasBackend()) {
        return;
    }
    auto& backend = dynamic_cast<X11Backend&>(Current());
    XSync(backend.GetConnection().Get(), 0);
}

bool X11Fixture::PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG msg;
        if (PeekMessageA(msg)) {
            TranslateMessage(msg);
            DispatchMessageA(msg);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return true;
}

std::string X11Fixture::RawProperty(::Window window, const char* name) {
    SyncBackend();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(raw_, window, XInternAtom(raw_, name, 0), 0, 1024, 0, AnyPropertyType, &type,
                       &format, &count, &rest, &data);
    std::string text = data == nullptr ? "" : std::string(reinterpret_cast<char*>(data), count);
    XFree(data);
    return text;
}

gfx::Pixel X11Fixture::RawPixel(::Window window, int x, int y, bool syncBackend) {
    if (syncBackend) {
        SyncBackend();
    }
    XImage* image = XGetImage(raw_, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return gfx::kNoPixel;
    }
    auto pixel = static_cast<gfx::Pixel>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

void X11Fixture::Flush() {
    MSG msg;
    PeekMessageA(msg);
    SyncBackend();
}

void X11Fixture::PresentFilled(HWND hwnd, gfx::Pixel colour) {
    WindowSurface(hwnd).Fill(colour);
    PresentRect(hwnd, GetClientRect(hwnd));
    Flush();
}

XWindowAttributes X11Fixture::Attributes(::Window window) {
    XWindowAttributes attributes{};
    SyncBackend();
    XGetWindowAttributes(raw_, window, &attributes);
    return attributes;
}

std::pair<::Window, std::vector<::Window>> X11Fixture::Tree(::Window window) {
    SyncBackend();
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    std::vector<::Window> result;
    if (XQueryTree(raw_, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return {parent, result};
}

int X11Fixture::GrabKeyboard() {
    int result =
        XGrabKeyboard(raw_, XDefaultRootWindow(raw_), 0, GrabModeAsync, GrabModeAsync, CurrentTime);
    XUngrabKeyboard(raw_, CurrentTime);
    XSync(raw_, 0);
    return result;
}

void X11BackendTest::SetUp() {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    backend_ = MakeBackend(Options());
    WNDCLASS windowClass;
    windowClass.lpszClassName = className_;
    windowClass.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        log_.messages.push_back(MSG{hwnd, message, wParam, lParam, 0});
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    ASSERT_TRUE(RegisterClassA(windowClass));
}

void X11BackendTest::TearDown() {
    backend_.reset();
    X11Fixture::TearDown();
}

HWND X11BackendTest::ShowSaver() {
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, className_, "Vellamor Autumn", WS_POPUP, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0);
    ShowWindow(hwnd, SW_SHOW);
    PumpUntil([&] { return log_.Count(WM_PAINT) > 0; });
    return hwnd;
}

int MessageLog::Count(UINT message) const {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [&](const MSG& msg) { return msg.message == message; }));
}

const MSG* MessageLog::Last(UINT message) const {
    auto it = std::find_if(messages.rbegin(), messages.rend(),
                           [&](const MSG& msg) { return msg.message == message; });
    return it == messages.rend() ? nullptr : &*it;
}

}  // namespace platform::x11::testing
