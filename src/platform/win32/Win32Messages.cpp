// The message loop and the message timers of the Win32 backend.
#include "base/Exceptions.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Callbacks.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
namespace {

MSG FromNativeMessage(const ::MSG& native) {
    return MSG{FromNative(native.hwnd), native.message, static_cast<WPARAM>(native.wParam),
               static_cast<LPARAM>(native.lParam), static_cast<uint32_t>(native.time)};
}

// Marks a timer as ticking for the time of its tick, also when the tick throws.
class TickScope {
  public:
    TickScope(std::set<std::pair<HWND, uint32_t>>& ticking, std::pair<HWND, uint32_t> key)
        : ticking_(ticking), key_(key) {
        ticking_.insert(key_);
    }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;
    ~TickScope() { ticking_.erase(key_); }

  private:
    std::set<std::pair<HWND, uint32_t>>& ticking_;
    std::pair<HWND, uint32_t> key_;
};

}  // namespace

bool Win32Backend::GetMessageA(MSG& msg) {
    ::MSG native{};
    BOOL result = ::GetMessageA(&native, nullptr, 0, 0);
    if (result == -1) {
        throw base::Exception("GetMessageA failed with system error " +
                              std::to_string(::GetLastError()));
    }
    lastTaken_ = std::make_unique<NativeMessage>(
        NativeMessage{native.hwnd, native.message, native.wParam, native.lParam});
    msg = FromNativeMessage(native);
    return result != 0;
}

bool Win32Backend::PeekMessageA(MSG& msg) {
    ::MSG native{};
    if (::PeekMessageA(&native, nullptr, 0, 0, PM_REMOVE) == 0) {
        // Messages sent by other threads are handled while looking; a message taken is not
        // lost to an exception of theirs, which the next dispatch throws instead.
        RethrowHeld();
        return false;
    }
    lastTaken_ = std::make_unique<NativeMessage>(
        NativeMessage{native.hwnd, native.message, native.wParam, native.lParam});
    msg = FromNativeMessage(native);
    return true;
}

// The message last taken from the queue keeps its full-width parameters; any other is rebuilt.
NativeMessage Win32Backend::NativeFor(const MSG& msg) const {
    NativeMessage native{ToNative(msg.hwnd), msg.message, ToNativeWParam(msg.wParam),
                         ToNativeLParam(msg.lParam)};
    if (lastTaken_ != nullptr && lastTaken_->hwnd == native.hwnd &&
        lastTaken_->message == msg.message &&
        static_cast<WPARAM>(lastTaken_->wParam) == msg.wParam &&
        static_cast<LPARAM>(lastTaken_->lParam) == msg.lParam) {
        return *lastTaken_;
    }
    return native;
}

void Win32Backend::TranslateMessage(const MSG& msg) {
    NativeMessage native = NativeFor(msg);
    ::MSG message{native.hwnd, native.message, native.wParam, native.lParam, msg.time, {}};
    ::TranslateMessage(&message);
}

// Our own timers are ticked here directly, so their exceptions need no carrying.
LRESULT Win32Backend::DispatchMessageA(const MSG& msg) {
    if (msg.message == WM_TIMER && timers_.count({msg.hwnd, msg.wParam}) != 0) {
        DispatchTimer(msg.hwnd, msg.wParam, msg.time);
        return 0;
    }
    NativeMessage native = NativeFor(msg);
    ::MSG message{native.hwnd, native.message, native.wParam, native.lParam, msg.time, {}};
    ::LRESULT result = ::DispatchMessageA(&message);
    if (msg.message == WM_PAINT && FindRecord(msg.hwnd) != nullptr) {
        // A procedure that leaves its window invalid would get WM_PAINT forever.
        ::ValidateRect(native.hwnd, nullptr);
    }
    RethrowHeld();
    return FromNativeResult(result);
}

void Win32Backend::PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

bool Win32Backend::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(ToNative(hwnd), message, ToNativeWParam(wParam),
                          ToNativeLParam(lParam)) != 0;
}

LRESULT Win32Backend::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ::LRESULT result =
        ::SendMessageA(ToNative(hwnd), message, ToNativeWParam(wParam), ToNativeLParam(lParam));
    RethrowHeld();
    return FromNativeResult(result);
}

// The surface stands in for the screen: erasing fills it, painting presents it.
LRESULT Win32Backend::DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && FindRecord(hwnd) != nullptr) {
        return EraseSurface(hwnd) ? 1 : 0;
    }
    if (message == WM_PAINT && FindRecord(hwnd) != nullptr) {
        EndPaint(hwnd, BeginPaint(hwnd));
        return 0;
    }
    NativeMessage native = WithNativeParameters(hwnd, message, wParam, lParam);
    ::LRESULT result = ::DefWindowProcA(native.hwnd, native.message, native.wParam, native.lParam);
    RethrowHeld();
    return FromNativeResult(result);
}

// An interval of 0 gives no ticks: the system timer exists (it holds the id) but runs at its
// longest interval and its ticks are dropped.
uint32_t Win32Backend::SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) {
    if (hwnd != 0 && FindRecord(hwnd) == nullptr) {
        return 0;
    }
    if (hwnd == 0 && !proc) {
        return 0;  // a thread timer without a procedure could reach nobody
    }
    ::UINT interval = elapse == 0 ? USER_TIMER_MAXIMUM : elapse;
    ::UINT_PTR id = ::SetTimer(ToNative(hwnd), idEvent, interval, &Win32Callbacks::TimerProc);
    if (id == 0) {
        return 0;
    }
    uint32_t key = hwnd == 0 ? static_cast<uint32_t>(id) : idEvent;
    auto entry = std::make_unique<TimerEntry>();
    entry->proc = proc ? std::make_shared<const TIMERPROC>(std::move(proc)) : nullptr;
    entry->elapse = elapse;
    timers_[{hwnd, key}] = std::move(entry);
    return hwnd == 0 ? key : (idEvent == 0 ? 1 : idEvent);
}

bool Win32Backend::KillTimer(HWND hwnd, uint32_t idEvent) {
    bool known = timers_.erase({hwnd, idEvent}) != 0;
    bool killed = ::KillTimer(ToNative(hwnd), idEvent) != 0;
    return known && killed;
}

uint32_t Win32Backend::GetTickCount() {
    return static_cast<uint32_t>(::GetTickCount());
}

// A tick that arrives from inside the system (a modal loop) cannot throw through it.
void Win32Backend::HandleTimerTick(HWND hwnd, uint32_t id, uint32_t time) {
    try {
        CalledScope called(*this);
        DispatchTimer(hwnd, id, time);
    } catch (...) {
        HoldException();
    }
}

// A timer whose tick is still running (its procedure entered a message loop) gets no second
// tick; a timer killed during its own tick finishes that tick.
void Win32Backend::DispatchTimer(HWND hwnd, uint32_t id, uint32_t time) {
    auto it = timers_.find({hwnd, id});
    if (it == timers_.end() || it->second->elapse == 0 || ticking_.count({hwnd, id}) != 0) {
        return;
    }
    std::shared_ptr<const TIMERPROC> proc = it->second->proc;
    TickScope scope(ticking_, {hwnd, id});
    if (proc != nullptr && *proc) {
        (*proc)(hwnd, WM_TIMER, id, time);
        return;
    }
    if (std::shared_ptr<WindowRecord> record = FindRecord(hwnd)) {
        CallProgramProc(record, NativeMessage{ToNative(hwnd), WM_TIMER, id, 0});
    }
}

}  // namespace platform::win32
