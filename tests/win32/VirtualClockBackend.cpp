#include "VirtualClockBackend.h"

#include <algorithm>

namespace win32test {

VirtualClockBackend::VirtualClockBackend() : startTick_(Win32Backend::GetTickCount()) {}

bool VirtualClockBackend::GetMessageA(platform::MSG& msg) {
    if (Win32Backend::PeekMessageA(msg)) {
        return msg.message != platform::WM_QUIT;
    }
    auto timer = NextDue();
    if (timer == timers_.end()) {
        return Win32Backend::GetMessageA(msg);  // nothing will tick: wait for the system
    }
    TakeTimer(timer, msg);
    if (observer_) {
        observer_(elapsed_);
    }
    return true;
}

std::map<VirtualClockBackend::TimerKey, VirtualClockBackend::Timer>::iterator
VirtualClockBackend::NextDue() {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.elapse == 0 || ticking_.count(it->first) != 0) {
            continue;
        }
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order)) {
            best = it;
        }
    }
    return best;
}

void VirtualClockBackend::TakeTimer(std::map<TimerKey, Timer>::iterator timer, platform::MSG& msg) {
    elapsed_ = std::max(elapsed_, timer->second.due);
    timer->second.due = elapsed_ + timer->second.elapse;
    ++ticks_;
    msg = platform::MSG{timer->first.first, platform::WM_TIMER, timer->first.second, 0,
                        GetTickCount()};
}

platform::LRESULT VirtualClockBackend::DispatchMessageA(const platform::MSG& msg) {
    if (msg.message == platform::WM_TIMER && timers_.count({msg.hwnd, msg.wParam}) != 0) {
        Tick({msg.hwnd, msg.wParam}, msg.time);
        return 0;
    }
    return Win32Backend::DispatchMessageA(msg);
}

// A timer without a procedure reaches its window's procedure through the system.
void VirtualClockBackend::Tick(const TimerKey& key, uint32_t time) {
    auto it = timers_.find(key);
    if (key.first != 0 && !IsWindow(key.first)) {
        timers_.erase(it);  // the system drops the timers of a window that is gone
        return;
    }
    std::shared_ptr<const platform::TIMERPROC> proc = it->second.proc;
    // The timer is ticking until its tick returns or throws.
    struct Ticking {
        std::set<TimerKey>& set;
        TimerKey entry;
        ~Ticking() { set.erase(entry); }
    } ticking{ticking_, key};
    ticking_.insert(key);
    if (proc != nullptr && *proc) {
        (*proc)(key.first, platform::WM_TIMER, key.second, time);
        return;
    }
    Win32Backend::SendMessageA(key.first, platform::WM_TIMER, key.second, 0);
}

// With hwnd 0 the timer belongs to the thread and gets an id of its own.
uint32_t VirtualClockBackend::SetTimer(platform::HWND hwnd, uint32_t idEvent, uint32_t elapse,
                                       platform::TIMERPROC proc) {
    if ((hwnd != 0 && !IsWindow(hwnd)) || (hwnd == 0 && !proc)) {
        return 0;
    }
    uint32_t id = hwnd == 0 ? nextThreadTimer_++ : (idEvent == 0 ? 1 : idEvent);
    Timer timer;
    timer.elapse = elapse;
    timer.due = elapsed_ + elapse;
    timer.order = nextOrder_++;
    timer.proc = proc ? std::make_shared<const platform::TIMERPROC>(std::move(proc)) : nullptr;
    timers_[{hwnd, id}] = std::move(timer);
    return id;
}

bool VirtualClockBackend::KillTimer(platform::HWND hwnd, uint32_t idEvent) {
    return timers_.erase({hwnd, idEvent}) != 0;
}

uint32_t VirtualClockBackend::GetTickCount() {
    return startTick_ + static_cast<uint32_t>(elapsed_);
}

void VirtualClockBackend::PresentRect(platform::HWND hwnd, const gfx::Rect& rect) {
    Win32Backend::PresentRect(hwnd, rect);
    ++presents_;
}

}  // namespace win32test
