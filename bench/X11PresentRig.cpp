#include "X11PresentRig.h"

#include <sys/socket.h>

#include <stdexcept>

#include "platform/x11/XHeaders.h"

namespace bench {

namespace {

constexpr const char* kClassName = "VellamorPresentBench";

X11PresentRig* activeRig = nullptr;

platform::x11::X11Options OptionsFor(const std::string& display, bool allowShm) {
    platform::x11::X11Options options;
    options.display = display;
    options.allowShm = allowShm;
    return options;
}

// A picture with every pixel different from its neighbours, as a desktop snapshot would be.
void PaintSurface(gfx::Bitmap& surface) {
    for (int32_t y = 0; y < surface.Height(); ++y) {
        gfx::Pixel* row = surface.ColourRow(y);
        for (int32_t x = 0; x < surface.Width(); ++x) {
            row[x] = gfx::MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                    static_cast<uint8_t>(x ^ y));
        }
    }
}

}  // namespace

X11PresentRig::X11PresentRig(const std::string& display, bool allowShm, int32_t width,
                             int32_t height)
    : backend_(OptionsFor(display, allowShm)) {
    platform::WNDCLASS windowClass;
    windowClass.lpszClassName = kClassName;
    windowClass.lpfnWndProc = [this](platform::HWND hwnd, platform::UINT message,
                                     platform::WPARAM wParam, platform::LPARAM lParam) {
        return backend_.DefWindowProcA(hwnd, message, wParam, lParam);
    };
    backend_.RegisterClassA(windowClass);
    hwnd_ = backend_.CreateWindowExA(0, kClassName, "present benchmark", platform::WS_POPUP, 0, 0,
                                     width, height, 0, {});
    PaintSurface(backend_.WindowSurface(hwnd_));
    Activate();
    CheckShown();
}

// A present that never reached the screen would make every figure meaningless.
void X11PresentRig::CheckShown() {
    constexpr int32_t kX = 201;
    constexpr int32_t kY = 77;
    Display* display = backend_.GetConnection().Get();
    XImage* image =
        XGetImage(display, static_cast<::Window>(hwnd_), kX, kY, 1, 1, AllPlanes, ZPixmap);
    const unsigned long shown = image == nullptr ? ~0UL : XGetPixel(image, 0, 0) & 0xFFFFFF;
    if (image != nullptr) {
        XDestroyImage(image);
    }
    if (shown != backend_.WindowSurface(hwnd_).GetPixel(kX, kY)) {
        throw std::logic_error("the X server does not show the presented picture");
    }
}

X11PresentRig::~X11PresentRig() {
    if (activeRig == this) {
        activeRig = nullptr;
    }
    backend_.DestroyWindow(hwnd_);
}

void X11PresentRig::Activate() {
    if (activeRig == this) {
        return;
    }
    if (activeRig != nullptr) {
        activeRig->Show(false);
    }
    Show(true);
    activeRig = this;
    Present(backend_.GetClientRect(hwnd_), Delivery::Sync);
}

void X11PresentRig::Show(bool shown) {
    backend_.ShowWindow(hwnd_, shown ? platform::SW_SHOW : platform::SW_HIDE);
    Sync();
    // The server's answers (exposure, mapping) are taken, not left waiting.
    platform::MSG msg;
    for (int taken = 0; taken < 100 && backend_.PeekMessageA(msg); ++taken) {
        backend_.DispatchMessageA(msg);
    }
}

void X11PresentRig::Present(const gfx::Rect& rect, Delivery delivery) {
    backend_.PresentRect(hwnd_, rect);
    if (delivery == Delivery::Sync) {
        Sync();
    } else {
        XFlush(backend_.GetConnection().Get());
    }
}

void X11PresentRig::Sync() {
    XSync(backend_.GetConnection().Get(), 0);
}

pid_t X11PresentRig::ServerPid() const {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(backend_.GetConnection().Fd(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) {
        return 0;
    }
    return peer.pid;
}

}  // namespace bench
