// Surfaces, presenting and the paint cycle of the X backend.
#include "platform/x11/X11Backend.h"

#include "platform/x11/SharedPixels.h"

namespace platform::x11 {

gfx::Bitmap& X11Backend::WindowSurface(HWND hwnd) {
    return *OwnWindow(hwnd, "WindowSurface").surface;
}

bool X11Backend::UsesShm(HWND hwnd) const {
    const X11Window* window = WindowRecord(hwnd);
    return window != nullptr && window->image && window->image->UsesShm();
}

bool X11Backend::PresentsWithoutCopy(HWND hwnd) const {
    const X11Window* window = WindowRecord(hwnd);
    return window != nullptr && window->image && window->image->ViewsSurface();
}

// The image follows the surface; a window whose surface changed (a new size) gets a new one.
void X11Backend::PresentRect(HWND hwnd, const gfx::Rect& rect) {
    X11Window& window = OwnWindow(hwnd, "PresentRect");
    const gfx::Bitmap& surface = *window.surface;
    if (surface.Empty()) {
        return;
    }
    if (!window.image || !window.image->Fits(surface, sharedPixels_.get())) {
        window.image.reset();
        window.image = std::make_unique<SurfaceImage>(connection_, surface, sharedPixels_.get(),
                                                      options_.allowShm);
    }
    window.image->Put(static_cast<::Window>(hwnd), gc_, surface, rect);
}

bool X11Backend::InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    gfx::Rect client = GetClientRect(hwnd);
    gfx::Rect area = rect == nullptr ? client : gfx::IntersectRect(*rect, client);
    window->paint.Invalidate(area, erase);
    return true;
}

bool X11Backend::UpdateWindow(HWND hwnd) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    if (window->visible && window->paint.Pending()) {
        CallProc(hwnd, WM_PAINT, 0, 0);
    }
    return true;
}

gfx::Rect X11Backend::GetUpdateRect(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return {};
    }
    return window->paint.UpdateRect();
}

PAINTSTRUCT X11Backend::BeginPaint(HWND hwnd) {
    X11Window& window = OwnWindow(hwnd, "BeginPaint");
    return window.paint.BeginPaint([&] { return CallProc(hwnd, WM_ERASEBKGND, 0, 0); });
}

void X11Backend::EndPaint(HWND hwnd, const PAINTSTRUCT& paint) {
    X11Window& window = OwnWindow(hwnd, "EndPaint");
    window.paint.EndPaint();
    PresentRect(hwnd, paint.rcPaint);
}

// Shown itself and, up to the first window of another program, its parents too.
bool X11Backend::TakePaint(MSG& msg) {
    for (const auto& [hwnd, window] : windows_) {
        bool shown = window->visible;
        for (const X11Window* parent = Find(window->parent); shown && parent != nullptr;
             parent = Find(parent->parent)) {
            shown = parent->visible;
        }
        if (shown && window->paint.Pending()) {
            msg = MakeMessage(hwnd, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

}  // namespace platform::x11
