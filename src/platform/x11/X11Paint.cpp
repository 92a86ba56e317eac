// Surfaces, presenting and the paint cycle of the X backend.
#include "platform/x11/X11Backend.h"

#include <algorithm>

namespace platform::x11 {
namespace {

gfx::Rect UnionRect(const gfx::Rect& a, const gfx::Rect& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

gfx::Bitmap& X11Backend::WindowSurface(HWND hwnd) {
    return *OwnWindow(hwnd, "WindowSurface").surface;
}

bool X11Backend::UsesShm(HWND hwnd) const {
    const X11Window* window = WindowRecord(hwnd);
    return window != nullptr && window->image && window->image->UsesShm();
}

// The image follows the surface's size; a window that changed size gets a new one.
void X11Backend::PresentRect(HWND hwnd, const gfx::Rect& rect) {
    X11Window& window = OwnWindow(hwnd, "PresentRect");
    const gfx::Bitmap& surface = *window.surface;
    if (surface.Empty()) {
        return;
    }
    if (!window.image || window.image->Width() != surface.Width() ||
        window.image->Height() != surface.Height()) {
        window.image.reset();
        window.image = std::make_unique<SurfaceImage>(connection_, surface.Width(),
                                                      surface.Height(), options_.allowShm);
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
    window->invalid = UnionRect(window->invalid, area);
    window->erasePending = window->erasePending || erase;
    return true;
}

bool X11Backend::UpdateWindow(HWND hwnd) {
    X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    if (window->visible && !window->invalid.IsEmpty()) {
        CallProc(hwnd, WM_PAINT, 0, 0);
    }
    return true;
}

gfx::Rect X11Backend::GetUpdateRect(HWND hwnd) {
    const X11Window* window = Find(hwnd);
    if (window == nullptr) {
        return {};
    }
    return window->painting.IsEmpty() ? window->invalid : window->painting;
}

PAINTSTRUCT X11Backend::BeginPaint(HWND hwnd) {
    X11Window& window = OwnWindow(hwnd, "BeginPaint");
    PAINTSTRUCT paint;
    paint.rcPaint = window.invalid;
    window.painting = window.invalid;
    window.invalid = {};
    if (window.erasePending) {
        window.erasePending = false;
        paint.fErase = CallProc(hwnd, WM_ERASEBKGND, 0, 0) == 0;
    }
    return paint;
}

void X11Backend::EndPaint(HWND hwnd, const PAINTSTRUCT& paint) {
    X11Window& window = OwnWindow(hwnd, "EndPaint");
    window.painting = {};
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
        if (shown && !window->invalid.IsEmpty()) {
            msg = MakeMessage(hwnd, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

}  // namespace platform::x11
