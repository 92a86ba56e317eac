// Windows and painting of the headless backend.
#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "base/Exceptions.h"
#include "platform/WindowRules.h"

namespace platform::headless {
namespace {

std::string HandleText(HWND hwnd) {
    std::ostringstream text;
    text << "0x" << std::hex << hwnd;
    return text.str();
}

}  // namespace

HeadlessBackend::HeadlessBackend() : installed_(*this) {}

HeadlessBackend::~HeadlessBackend() = default;

LRESULT HeadlessBackend::CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HeadlessWindow* window = windows_.Find(hwnd);
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

HeadlessWindow& HeadlessBackend::OwnWindow(HWND hwnd, const char* operation) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        throw base::Exception(std::string(operation) + ": no window " + HandleText(hwnd));
    }
    if (window->foreign) {
        throw base::Exception(std::string(operation) + ": window " + HandleText(hwnd) +
                              " belongs to another program");
    }
    return *window;
}

bool HeadlessBackend::RegisterClassA(const WNDCLASS& windowClass) {
    return windows_.AddClass(windowClass);
}

HWND HeadlessBackend::CreateWindowExA(uint32_t exStyle, const std::string& className,
                                      const std::string& title, uint32_t style, int32_t x,
                                      int32_t y, int32_t width, int32_t height, HWND parent,
                                      WNDPROC proc) {
    const WNDCLASS* windowClass = windows_.FindClass(className);
    bool child = (style & WS_CHILD) != 0;
    if (windowClass == nullptr || (child && !IsWindow(parent))) {
        return 0;
    }
    auto window = std::make_unique<HeadlessWindow>();
    window->hwnd = windows_.NewHandle();
    window->className = className;
    window->title = title;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = parent;
    window->bounds = gfx::RectFromSize(x, y, std::max(width, 0), std::max(height, 0));
    window->enabled = (style & WS_DISABLED) == 0;
    window->topmost = (exStyle & WS_EX_TOPMOST) != 0;
    window->background = windowClass->background;
    window->proc = std::make_shared<const WNDPROC>(proc ? proc : windowClass->lpfnWndProc);
    window->surface =
        std::make_unique<gfx::Bitmap>(window->bounds.Width(), window->bounds.Height());
    HWND hwnd = windows_.Add(std::move(window)).hwnd;
    if (CallProc(hwnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return 0;
    }
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return hwnd;
}

// A window whose WM_DESTROY is running is not destroyed a second time. A failing WM_DESTROY
// keeps no window alive: the first failure comes out once the whole tree has gone.
bool HeadlessBackend::DestroyWindow(HWND hwnd) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr || window->destroying) {
        return false;
    }
    HeldException failure;
    SendDestroy(*window, failure);
    DestroyTree(hwnd, failure);
    failure.RethrowIfAny();
    return true;
}

void HeadlessBackend::SendDestroy(HeadlessWindow& window, HeldException& failure) {
    window.destroying = true;
    try {
        CallProc(window.hwnd, WM_DESTROY, 0, 0);
    } catch (...) {
        failure.Hold();
    }
}

// The window's children get WM_DESTROY after it, as on the platform; then all are removed.
void HeadlessBackend::DestroyTree(HWND hwnd, HeldException& failure) {
    for (HWND child : windows_.ChildrenOf(hwnd)) {
        HeadlessWindow* window = windows_.Find(child);
        if (window != nullptr && !window->destroying) {
            SendDestroy(*window, failure);
            DestroyTree(child, failure);
        }
    }
    timers_.KillAllOf(hwnd);
    if (capture_ == hwnd) {
        capture_ = 0;
    }
    windows_.Remove(hwnd);
    if (foreground_ == hwnd) {
        foreground_ = 0;
    }
}

bool HeadlessBackend::SetWindowTextA(HWND hwnd, const std::string& title) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window != nullptr) {
        window->title = title;
    }
    return window != nullptr;
}

std::string HeadlessBackend::GetWindowTextA(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window == nullptr ? std::string() : window->title;
}

std::string HeadlessBackend::GetClassNameA(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window == nullptr ? std::string() : window->className;
}

bool HeadlessBackend::MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    window->bounds = gfx::RectFromSize(x, y, std::max(width, 0), std::max(height, 0));
    if (window->surface) {
        window->surface->SetSize(window->bounds.Width(), window->bounds.Height());
    }
    InvalidateRect(hwnd, nullptr, true);
    return true;
}

bool HeadlessBackend::SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width,
                                   int32_t height, UINT flags) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    PlaceTopmost(*window, insertAfter);
    const gfx::Rect bounds = PositionedBounds(window->bounds, x, y, width, height, flags);
    if (bounds != window->bounds) {
        MoveWindow(hwnd, bounds.left, bounds.top, bounds.Width(), bounds.Height());
    }
    return true;
}

gfx::Rect HeadlessBackend::GetWindowRect(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window == nullptr ? gfx::Rect{} : windows_.ScreenRect(*window);
}

gfx::Rect HeadlessBackend::GetClientRect(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return {};
    }
    return {0, 0, window->bounds.Width(), window->bounds.Height()};
}

uint32_t HeadlessBackend::GetWindowLongA(HWND hwnd, int index) {
    HeadlessWindow* window = windows_.Find(hwnd);
    const uint32_t* style = window == nullptr ? nullptr : StyleOf(*window, index);
    return style == nullptr ? 0 : *style;
}

uint32_t HeadlessBackend::SetWindowLongA(HWND hwnd, int index, uint32_t value) {
    HeadlessWindow* window = windows_.Find(hwnd);
    uint32_t* style = window == nullptr ? nullptr : StyleOf(*window, index);
    return style == nullptr ? 0 : std::exchange(*style, value);
}

// Headless windows have no frame.
gfx::Rect HeadlessBackend::AdjustWindowRectEx(const gfx::Rect& client, uint32_t, uint32_t) {
    return client;
}

HWND HeadlessBackend::GetParent(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window == nullptr ? 0 : ParentAnswer(window->parent, window->owner, window->style);
}

bool HeadlessBackend::SetWindowOwner(HWND hwnd, HWND owner) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr || window->foreign || (window->style & WS_CHILD) != 0 || owner == hwnd ||
        (owner != 0 && !IsWindow(owner))) {
        return false;
    }
    window->owner = owner;
    return true;
}

HWND HeadlessBackend::GetWindowOwner(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window == nullptr ? 0 : window->owner;
}

bool HeadlessBackend::ShowWindow(HWND hwnd, int command) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    bool wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    if (window->visible && !wasVisible) {
        if ((window->style & WS_CHILD) == 0) {
            foreground_ = hwnd;
        }
        InvalidateRect(hwnd, nullptr, true);
    }
    return wasVisible;
}

bool HeadlessBackend::IsWindowVisible(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window != nullptr && window->visible;
}

bool HeadlessBackend::EnableWindow(HWND hwnd, bool enable) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    bool wasDisabled = !window->enabled;
    window->enabled = enable;
    return wasDisabled;
}

bool HeadlessBackend::IsWindowEnabled(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    return window != nullptr && window->enabled;
}

HWND HeadlessBackend::FindWindowA(const char* className, const char* title) {
    return windows_.FindTopLevel(className, title);
}

void HeadlessBackend::SetCapture(HWND hwnd) {
    if (windows_.Find(hwnd) != nullptr) {
        capture_ = hwnd;
    }
}

bool HeadlessBackend::SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    foreground_ = hwnd;
    return true;
}

gfx::Bitmap& HeadlessBackend::WindowSurface(HWND hwnd) {
    return *OwnWindow(hwnd, "WindowSurface").surface;
}

void HeadlessBackend::PresentRect(HWND hwnd, const gfx::Rect& rect) {
    HeadlessWindow& window = OwnWindow(hwnd, "PresentRect");
    gfx::Rect shown = gfx::IntersectRect(rect, GetClientRect(window.hwnd));
    if (!shown.IsEmpty()) {
        presented_.push_back({hwnd, shown});
    }
}

bool HeadlessBackend::InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr || window->foreign) {
        return false;
    }
    gfx::Rect client = GetClientRect(hwnd);
    gfx::Rect area = rect == nullptr ? client : gfx::IntersectRect(*rect, client);
    window->paint.Invalidate(area, erase);
    return true;
}

bool HeadlessBackend::UpdateWindow(HWND hwnd) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return false;
    }
    if (window->visible && window->paint.Pending()) {
        CallProc(hwnd, WM_PAINT, 0, 0);
    }
    return true;
}

gfx::Rect HeadlessBackend::GetUpdateRect(HWND hwnd) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return {};
    }
    return window->paint.UpdateRect();
}

PAINTSTRUCT HeadlessBackend::BeginPaint(HWND hwnd) {
    HeadlessWindow& window = OwnWindow(hwnd, "BeginPaint");
    return window.paint.BeginPaint([&] { return CallProc(hwnd, WM_ERASEBKGND, 0, 0); });
}

void HeadlessBackend::EndPaint(HWND hwnd, const PAINTSTRUCT& paint) {
    HeadlessWindow& window = OwnWindow(hwnd, "EndPaint");
    window.paint.EndPaint();
    PresentRect(hwnd, paint.rcPaint);
}

}  // namespace platform::headless
