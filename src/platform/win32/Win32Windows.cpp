// Window classes and windows of the Win32 backend.
#include <algorithm>
#include <cctype>

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Callbacks.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
namespace {

std::string LowerCase(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Puts back the window that was being created before, for windows made inside WM_CREATE.
class CreationScope {
  public:
    CreationScope(std::shared_ptr<WindowRecord>& slot, std::shared_ptr<WindowRecord> record)
        : slot_(slot), previous_(std::move(slot)) {
        slot_ = std::move(record);
    }
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;
    ~CreationScope() { slot_ = std::move(previous_); }

  private:
    std::shared_ptr<WindowRecord>& slot_;
    std::shared_ptr<WindowRecord> previous_;
};

}  // namespace

// Class names are compared without regard to case, as the system does.
const ClassRecord* Win32Backend::FindClass(const std::string& className) const {
    auto it = classes_.find(LowerCase(className));
    return it == classes_.end() ? nullptr : it->second.get();
}

bool Win32Backend::RegisterClassA(const ProgramClass& windowClass) {
    auto record = std::make_unique<ClassRecord>();
    record->name = windowClass.lpszClassName;
    record->proc = std::make_shared<const WNDPROC>(windowClass.lpfnWndProc);
    record->background = windowClass.background;
    if (windowClass.background) {
        record->brush = ::CreateSolidBrush(ToColorRef(*windowClass.background));
    }
    WNDCLASSA native{};
    native.style = windowClass.style;
    native.lpfnWndProc = &Win32Callbacks::WindowProc;
    native.hInstance = ::GetModuleHandleA(nullptr);
    native.hCursor =
        windowClass.cursor == CursorShape::Arrow ? ::LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    native.hbrBackground = record->brush;
    native.lpszClassName = windowClass.lpszClassName.c_str();
    if (::RegisterClassA(&native) == 0) {
        if (record->brush != nullptr) {
            ::DeleteObject(record->brush);
        }
        return false;
    }
    classes_[LowerCase(windowClass.lpszClassName)] = std::move(record);
    return true;
}

HWND Win32Backend::CreateWindowExA(uint32_t exStyle, const std::string& className,
                                   const std::string& title, uint32_t style, int32_t x, int32_t y,
                                   int32_t width, int32_t height, HWND parent, WNDPROC proc) {
    std::shared_ptr<WindowRecord> record;
    if (const ClassRecord* windowClass = FindClass(className)) {
        record = std::make_shared<WindowRecord>();
        record->proc = proc ? std::make_shared<const WNDPROC>(std::move(proc)) : windowClass->proc;
        record->background = windowClass->background;
    }
    ::HWND native = nullptr;
    {
        CreationScope scope(creating_, record);
        native =
            ::CreateWindowExA(exStyle, className.c_str(), title.c_str(), style, x, y, width, height,
                              ToNative(parent), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    RethrowHeld();
    return FromNative(native);
}

bool Win32Backend::DestroyWindow(HWND hwnd) {
    bool destroyed = ::DestroyWindow(ToNative(hwnd)) != 0;
    RethrowHeld();
    return destroyed;
}

bool Win32Backend::IsWindow(HWND hwnd) {
    return hwnd != 0 && ::IsWindow(ToNative(hwnd)) != 0;
}

bool Win32Backend::SetWindowTextA(HWND hwnd, const std::string& title) {
    bool set = ::SetWindowTextA(ToNative(hwnd), title.c_str()) != 0;
    RethrowHeld();
    return set;
}

std::string Win32Backend::GetWindowTextA(HWND hwnd) {
    int length = ::GetWindowTextLengthA(ToNative(hwnd));
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    int copied = ::GetWindowTextA(ToNative(hwnd), text.data(), static_cast<int>(text.size()));
    RethrowHeld();
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

std::string Win32Backend::GetClassNameA(HWND hwnd) {
    char name[257] = {};
    int length = ::GetClassNameA(ToNative(hwnd), name, static_cast<int>(sizeof(name)));
    return std::string(name, static_cast<size_t>(std::max(length, 0)));
}

bool Win32Backend::MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    bool moved = ::MoveWindow(ToNative(hwnd), x, y, width, height, TRUE) != 0;
    RethrowHeld();
    return moved;
}

bool Win32Backend::SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width,
                                int32_t height, UINT flags) {
    bool placed =
        ::SetWindowPos(ToNative(hwnd), ToNative(insertAfter), x, y, width, height, flags) != 0;
    RethrowHeld();
    return placed;
}

gfx::Rect Win32Backend::GetWindowRect(HWND hwnd) {
    RECT rect{};
    if (::GetWindowRect(ToNative(hwnd), &rect) == 0) {
        return {};
    }
    return FromNativeRect(rect);
}

gfx::Rect Win32Backend::GetClientRect(HWND hwnd) {
    RECT rect{};
    if (::GetClientRect(ToNative(hwnd), &rect) == 0) {
        return {};
    }
    return FromNativeRect(rect);
}

uint32_t Win32Backend::GetWindowLongA(HWND hwnd, int index) {
    if (index != GWL_STYLE && index != GWL_EXSTYLE) {
        return 0;
    }
    return static_cast<uint32_t>(::GetWindowLongA(ToNative(hwnd), index));
}

// The system takes a new frame only when told the frame has changed.
uint32_t Win32Backend::SetWindowLongA(HWND hwnd, int index, uint32_t value) {
    if ((index != GWL_STYLE && index != GWL_EXSTYLE) || !::IsWindow(ToNative(hwnd))) {
        return 0;
    }
    const auto before =
        static_cast<uint32_t>(::SetWindowLongA(ToNative(hwnd), index, static_cast<LONG>(value)));
    ::SetWindowPos(ToNative(hwnd), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RethrowHeld();
    return before;
}

gfx::Rect Win32Backend::AdjustWindowRectEx(const gfx::Rect& client, uint32_t style,
                                           uint32_t exStyle) {
    RECT rect = ToNativeRect(client);
    if (::AdjustWindowRectEx(&rect, style, FALSE, exStyle) == 0) {
        return client;
    }
    return FromNativeRect(rect);
}

HWND Win32Backend::GetParent(HWND hwnd) {
    return FromNative(::GetParent(ToNative(hwnd)));
}

// The system keeps a top-level window's owner where a child keeps its parent.
bool Win32Backend::SetWindowOwner(HWND hwnd, HWND owner) {
    const ::HWND native = ToNative(hwnd);
    DWORD process = 0;
    if (::IsWindow(native) == 0 || ::GetWindowThreadProcessId(native, &process) == 0 ||
        process != ::GetCurrentProcessId() ||
        (::GetWindowLongA(native, GWL_STYLE) & WS_CHILD) != 0 || owner == hwnd ||
        (owner != 0 && ::IsWindow(ToNative(owner)) == 0)) {
        return false;
    }
    ::SetWindowLongPtrA(native, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ToNative(owner)));
    return ::GetWindow(native, GW_OWNER) == ToNative(owner);
}

HWND Win32Backend::GetWindowOwner(HWND hwnd) {
    return FromNative(::GetWindow(ToNative(hwnd), GW_OWNER));
}

bool Win32Backend::ShowWindow(HWND hwnd, int command) {
    bool wasVisible = ::ShowWindow(ToNative(hwnd), command) != 0;
    RethrowHeld();
    return wasVisible;
}

bool Win32Backend::IsWindowVisible(HWND hwnd) {
    return ::IsWindowVisible(ToNative(hwnd)) != 0;
}

bool Win32Backend::EnableWindow(HWND hwnd, bool enable) {
    bool wasDisabled = ::EnableWindow(ToNative(hwnd), enable ? TRUE : FALSE) != 0;
    RethrowHeld();
    return wasDisabled;
}

bool Win32Backend::IsWindowEnabled(HWND hwnd) {
    return ::IsWindowEnabled(ToNative(hwnd)) != 0;
}

HWND Win32Backend::FindWindowA(const char* className, const char* title) {
    return FromNative(::FindWindowA(className, title));
}

HWND Win32Backend::GetForegroundWindow() {
    return FromNative(::GetForegroundWindow());
}

bool Win32Backend::SetForegroundWindow(HWND hwnd) {
    bool raised = ::SetForegroundWindow(ToNative(hwnd)) != 0;
    RethrowHeld();
    return raised;
}

// The window that loses the capture is told (WM_CAPTURECHANGED), which may run a procedure.
void Win32Backend::SetCapture(HWND hwnd) {
    ::SetCapture(ToNative(hwnd));
    RethrowHeld();
}

void Win32Backend::ReleaseCapture() {
    ::ReleaseCapture();
    RethrowHeld();
}

}  // namespace platform::win32
