// Window surfaces, presenting and painting, and the desktop snapshot of the Win32 backend.
#include "base/Exceptions.h"
#include "platform/win32/DibTransfer.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
void FitSurface(WindowRecord& record, HWND hwnd) {
    RECT client{};
    ::GetClientRect(ToNative(hwnd), &client);
    int32_t width = std::max<int32_t>(client.right - client.left, 0);
    int32_t height = std::max<int32_t>(client.bottom - client.top, 0);
    if (record.surface.Width() != width || record.surface.Height() != height) {
        record.surface.SetSize(width, height);
    }
}

namespace {

// Releases a window DC when the scope ends.
class WindowDc {
  public:
    explicit WindowDc(::HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ::ReleaseDC(hwnd_, dc_); }
    HDC Get() const { return dc_; }

  private:
    ::HWND hwnd_;
    HDC dc_;
};

}  // namespace

gfx::Bitmap& Win32Backend::WindowSurface(HWND hwnd) {
    std::shared_ptr<WindowRecord> keep = OwnWindow(hwnd, "WindowSurface");
    WindowRecord& record = *keep;
    FitSurface(record, hwnd);
    return record.surface;
}

void Win32Backend::PresentRect(HWND hwnd, const gfx::Rect& rect) {
    std::shared_ptr<WindowRecord> keep = OwnWindow(hwnd, "PresentRect");
    WindowRecord& record = *keep;
    FitSurface(record, hwnd);
    PresentOn(record, hwnd, rect);
}

// Inside a paint the system's paint DC is used (it clips to the area being painted). Before the
// system's BeginPaint has given it, in the erase that call sends, there is no DC to draw on:
// nothing is drawn then, and the end of the paint presents the whole area.
void Win32Backend::PresentOn(WindowRecord& record, HWND hwnd, const gfx::Rect& rect) {
    gfx::Rect whole{0, 0, record.surface.Width(), record.surface.Height()};
    gfx::Rect shown = gfx::IntersectRect(rect, whole);
    if (shown.IsEmpty()) {
        return;
    }
    if (record.painting) {
        if (record.paint.hdc != nullptr) {
            DrawBitmapRect(record.paint.hdc, record.surface, shown);
        }
        return;
    }
    WindowDc dc(ToNative(hwnd));
    DrawBitmapRect(dc.Get(), record.surface, shown);
}

bool Win32Backend::InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) {
    RECT area{};
    if (rect != nullptr) {
        area = ToNativeRect(*rect);
    }
    return ::InvalidateRect(ToNative(hwnd), rect != nullptr ? &area : nullptr,
                            erase ? TRUE : FALSE) != 0;
}

bool Win32Backend::UpdateWindow(HWND hwnd) {
    bool updated = ::UpdateWindow(ToNative(hwnd)) != 0;
    RethrowHeld();
    return updated;
}

gfx::Rect Win32Backend::GetUpdateRect(HWND hwnd) {
    if (std::shared_ptr<WindowRecord> record = FindRecord(hwnd); record && record->painting) {
        return record->paintArea;
    }
    RECT area{};
    if (::GetUpdateRect(ToNative(hwnd), &area, FALSE) == 0) {
        return {};
    }
    return FromNativeRect(area);
}

// The area is known before the system's BeginPaint, so that the erase it sends can fill it.
// A failure of that erase ends the paint; one held by an outer call (a message box's loop)
// belongs to that call and does not cost this paint.
PAINTSTRUCT Win32Backend::BeginPaint(HWND hwnd) {
    std::shared_ptr<WindowRecord> keep = OwnWindow(hwnd, "BeginPaint");
    WindowRecord& record = *keep;
    FitSurface(record, hwnd);
    record.paintArea = GetUpdateRect(hwnd);
    record.painting = true;
    record.paint = {};  // the last paint's DC was released by its EndPaint
    ::BeginPaint(ToNative(hwnd), &record.paint);
    record.paintArea = FromNativeRect(record.paint.rcPaint);
    if (HoldingFailureOfThisCall()) {
        record.painting = false;
        ::EndPaint(ToNative(hwnd), &record.paint);
        RethrowHeld();
    }
    PAINTSTRUCT paint;
    paint.fErase = record.paint.fErase != 0;
    paint.rcPaint = record.paintArea;
    return paint;
}

void Win32Backend::EndPaint(HWND hwnd, const PAINTSTRUCT& paint) {
    std::shared_ptr<WindowRecord> keep = OwnWindow(hwnd, "EndPaint");
    WindowRecord& record = *keep;
    if (!record.painting) {
        throw base::Exception("EndPaint: window " + std::to_string(hwnd) + " is not being painted");
    }
    PresentOn(record, hwnd, paint.rcPaint);
    record.painting = false;
    record.paintArea = {};
    ::EndPaint(ToNative(hwnd), &record.paint);
}

// Erasing fills the area being painted (or the whole client area) with the class background.
bool Win32Backend::EraseSurface(HWND hwnd) {
    std::shared_ptr<WindowRecord> keep = OwnWindow(hwnd, "WM_ERASEBKGND");
    WindowRecord& record = *keep;
    if (!record.background) {
        return false;
    }
    FitSurface(record, hwnd);
    gfx::Rect whole{0, 0, record.surface.Width(), record.surface.Height()};
    record.surface.FillRect(record.painting ? gfx::IntersectRect(record.paintArea, whole) : whole,
                            *record.background);
    return true;
}

gfx::Bitmap Win32Backend::CaptureScreen() {
    ::HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetDC(desktop);
    int32_t width = ::GetSystemMetrics(SM_CXSCREEN);
    int32_t height = ::GetSystemMetrics(SM_CYSCREEN);
    try {
        gfx::Bitmap picture = CopyFromDc(dc, 0, 0, width, height);
        ::ReleaseDC(desktop, dc);
        return picture;
    } catch (...) {
        ::ReleaseDC(desktop, dc);
        throw;
    }
}

}  // namespace platform::win32
