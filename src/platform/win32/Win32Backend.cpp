// The Win32 backend's life, the procedures the system calls, and how program procedures are
// called and their exceptions carried back across the system.
#include "platform/win32/Win32Backend.h"

#include "base/Exceptions.h"
#include "platform/win32/Win32Callbacks.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
namespace {

// A cursor without any visible pixel: every bit of the AND plane set, every XOR bit clear.
HCURSOR CreateEmptyCursor() {
    int width = ::GetSystemMetrics(SM_CXCURSOR);
    int height = ::GetSystemMetrics(SM_CYCURSOR);
    size_t planeBytes = static_cast<size_t>((width + 15) / 16 * 2 * height);
    std::vector<BYTE> andPlane(planeBytes, 0xFF);
    std::vector<BYTE> xorPlane(planeBytes, 0x00);
    return ::CreateCursor(::GetModuleHandleA(nullptr), 0, 0, width, height, andPlane.data(),
                          xorPlane.data());
}

// Pops the message it pushed, also when the procedure throws.
class HandlingScope {
  public:
    HandlingScope(std::vector<NativeMessage>& stack, const NativeMessage& message) : stack_(stack) {
        stack_.push_back(message);
    }
    HandlingScope(const HandlingScope&) = delete;
    HandlingScope& operator=(const HandlingScope&) = delete;
    ~HandlingScope() { stack_.pop_back(); }

  private:
    std::vector<NativeMessage>& stack_;
};

}  // namespace

Win32Backend::Win32Backend() : installed_(*this) {
    if (Win32Callbacks::Installed() != nullptr) {
        throw base::Exception("Win32Backend: only one Win32 backend can exist at a time");
    }
    Win32Callbacks::Install(this);
    emptyCursor_ = CreateEmptyCursor();
}

Win32Backend::~Win32Backend() {
    for (auto& [handle, icon] : icons_) {
        ::DestroyIcon(icon->native);
    }
    for (auto& [module, library] : libraries_) {
        ::FreeLibrary(library->native);
    }
    for (auto& [id, entry] : timers_) {
        ::KillTimer(ToNative(id.first), id.second);
    }
    for (auto& [key, windowClass] : classes_) {
        // A class that still has windows keeps its brush.
        bool unregistered =
            ::UnregisterClassA(windowClass->name.c_str(), ::GetModuleHandleA(nullptr)) != 0;
        if (unregistered && windowClass->brush != nullptr) {
            ::DeleteObject(windowClass->brush);
        }
    }
    if (emptyCursor_ != nullptr) {
        ::DestroyCursor(static_cast<HCURSOR>(emptyCursor_));
    }
    Win32Callbacks::Install(nullptr);
}

::LRESULT CALLBACK Win32Callbacks::WindowProc(::HWND hwnd, ::UINT message, ::WPARAM wParam,
                                              ::LPARAM lParam) {
    if (backend_ == nullptr) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return backend_->HandleWindowMessage(NativeMessage{hwnd, message, wParam, lParam});
}

void CALLBACK Win32Callbacks::TimerProc(::HWND hwnd, ::UINT /*message*/, ::UINT_PTR id,
                                        DWORD time) {
    if (backend_ != nullptr) {
        backend_->HandleTimerTick(FromNative(hwnd), static_cast<uint32_t>(id), time);
    }
}

std::shared_ptr<WindowRecord> Win32Backend::FindRecord(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

// The first message of a window being created arrives before CreateWindowExA returns its
// handle: that window is the one being created.
std::shared_ptr<WindowRecord> Win32Backend::FindOrAdopt(HWND hwnd) {
    std::shared_ptr<WindowRecord> record = FindRecord(hwnd);
    if (record == nullptr && creating_ != nullptr) {
        record = std::move(creating_);
        creating_ = nullptr;
        windows_[hwnd] = record;
    }
    return record;
}

std::shared_ptr<WindowRecord> Win32Backend::OwnWindow(HWND hwnd, const char* operation) const {
    std::shared_ptr<WindowRecord> record = FindRecord(hwnd);
    if (record == nullptr) {
        throw base::Exception(std::string(operation) + ": window " + std::to_string(hwnd) +
                              " is not a window of this program's classes");
    }
    return record;
}

intptr_t Win32Backend::HandleWindowMessage(const NativeMessage& message) {
    HWND hwnd = FromNative(message.hwnd);
    std::shared_ptr<WindowRecord> record = FindOrAdopt(hwnd);
    if (record == nullptr) {
        return ::DefWindowProcA(message.hwnd, message.message, message.wParam, message.lParam);
    }
    switch (message.message) {
        case WM_SETCURSOR:
            // The cursor is the program's choice over every one of its windows.
            if (LOWORD(message.lParam) == HTCLIENT) {
                ::SetCursor(static_cast<HCURSOR>(CursorHandle()));
                return TRUE;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            // The surface takes the new size at once, as on the other backends: a form's canvas
            // holds it, and an erase the system sends before the next paint draws on it.
            try {
                FitSurface(*record, hwnd);
            } catch (...) {
                HoldException();  // the system is on the stack
            }
            break;
        case WM_NCDESTROY:
            ForgetWindow(hwnd);
            return ::DefWindowProcA(message.hwnd, message.message, message.wParam, message.lParam);
        default:
            break;
    }
    return CallCaught(record, message);
}

// The system is on the stack: an exception is held, and a failed WM_CREATE fails the creation.
intptr_t Win32Backend::CallCaught(const std::shared_ptr<WindowRecord>& record,
                                  const NativeMessage& message) {
    try {
        CalledScope called(*this);
        return CallProgramProc(record, message);
    } catch (...) {
        HoldException();
        return message.message == WM_CREATE ? -1 : 0;
    }
}

// The program's procedure sees 32-bit parameters; WM_CREATE carries no creation data.
LRESULT Win32Backend::CallProgramProc(const std::shared_ptr<WindowRecord>& record,
                                      const NativeMessage& message) {
    std::shared_ptr<const WNDPROC> proc = record->proc;  // alive even if the window goes
    HandlingScope scope(handling_, message);
    HWND hwnd = FromNative(message.hwnd);
    auto wParam = static_cast<WPARAM>(message.wParam);
    auto lParam = message.message == WM_CREATE ? 0 : static_cast<LPARAM>(message.lParam);
    if (proc == nullptr || !*proc) {
        return DefWindowProcA(hwnd, message.message, wParam, lParam);
    }
    return (*proc)(hwnd, message.message, wParam, lParam);
}

// The message being handled keeps its full-width parameters when it is passed on unchanged.
NativeMessage Win32Backend::WithNativeParameters(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) const {
    NativeMessage native{ToNative(hwnd), message, ToNativeWParam(wParam), ToNativeLParam(lParam)};
    if (handling_.empty()) {
        return native;
    }
    const NativeMessage& current = handling_.back();
    bool sameWParam = static_cast<WPARAM>(current.wParam) == wParam;
    bool sameLParam = current.message == WM_CREATE || static_cast<LPARAM>(current.lParam) == lParam;
    if (current.hwnd == native.hwnd && current.message == message && sameWParam && sameLParam) {
        return current;
    }
    return native;
}

void Win32Backend::ForgetWindow(HWND hwnd) {
    windows_.erase(hwnd);
    for (auto it = timers_.begin(); it != timers_.end();) {
        it = it->first.first == hwnd ? timers_.erase(it) : std::next(it);
    }
}

// A failure belongs to the call of the program's that was running the system when it came:
// the procedures called inside that call are one level deeper, and their own calls into the
// system (inside a message box's loop, say) return without it.
void Win32Backend::HoldException() {
    if (!held_.Holding()) {
        heldDepth_ = calledDepth_;
    }
    held_.Hold();
}

bool Win32Backend::HoldingFailureOfThisCall() const {
    return held_.Holding() && heldDepth_ >= calledDepth_;
}

void Win32Backend::RethrowHeld() {
    if (HoldingFailureOfThisCall()) {
        held_.RethrowIfAny();
    }
}

void* Win32Backend::CursorHandle() const {
    return cursor_ == CursorShape::None ? emptyCursor_ : ::LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace platform::win32
