#include "platform/TimerTable.h"

#include <algorithm>

namespace platform {

uint32_t TimerTable::Set(HWND hwnd, uint32_t id, uint32_t elapse, TIMERPROC proc, uint64_t now) {
    if (hwnd == 0) {
        id = nextThreadId_++;
    }
    auto [it, added] = timers_.try_emplace({hwnd, id});
    Entry& entry = it->second;
    if (added) {
        entry.serial = nextSerial_++;
    }
    entry.elapse = elapse;
    entry.due = now + elapse;
    entry.proc = proc ? std::make_shared<const TIMERPROC>(std::move(proc)) : nullptr;
    return id;
}

bool TimerTable::Kill(HWND hwnd, uint32_t id) {
    return timers_.erase({hwnd, id}) != 0;
}

void TimerTable::KillAllOf(HWND hwnd) {
    std::erase_if(timers_, [hwnd](const auto& item) { return item.first.first == hwnd; });
}

std::optional<DueTimer> TimerTable::TakeDue(uint64_t now, uint64_t tolerance) {
    if (tolerance != 0) {  // held back until the last tick due within the tolerance
        std::optional<uint64_t> wake = WakeTime(tolerance);
        if (!wake || *wake > now) {
            return std::nullopt;
        }
    }
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Entry& entry = it->second;
        if (!IsCandidate(entry) || entry.due > now) {
            continue;
        }
        if (best == timers_.end() || entry.due < best->second.due ||
            (entry.due == best->second.due && entry.serial < best->second.serial)) {
            best = it;
        }
    }
    if (best == timers_.end()) {
        return std::nullopt;
    }
    Entry& taken = best->second;
    const uint64_t paced = taken.due + taken.elapse;
    taken.due = now - taken.due <= tolerance && paced > now ? paced : now + taken.elapse;
    return DueTimer{best->first.first, best->first.second};
}

std::optional<uint64_t> TimerTable::NextDue() const {
    std::optional<uint64_t> next;
    for (const auto& [key, entry] : timers_) {
        if (IsCandidate(entry) && (!next || entry.due < *next)) {
            next = entry.due;
        }
    }
    return next;
}

std::optional<uint64_t> TimerTable::WakeTime(uint64_t tolerance) const {
    std::optional<uint64_t> next = NextDue();
    if (!next) {
        return std::nullopt;
    }
    uint64_t wake = *next;
    for (const auto& [key, entry] : timers_) {
        if (IsCandidate(entry) && entry.due <= *next + tolerance) {
            wake = std::max(wake, entry.due);
        }
    }
    return wake;
}

bool TimerTable::BeginDispatch(const DueTimer& timer, std::shared_ptr<const TIMERPROC>& proc,
                               uint64_t& serial) {
    auto it = timers_.find({timer.hwnd, timer.id});
    if (it == timers_.end()) {
        return false;
    }
    it->second.dispatching = true;
    proc = it->second.proc;
    serial = it->second.serial;
    return true;
}

void TimerTable::EndDispatch(const DueTimer& timer, uint64_t serial) {
    auto it = timers_.find({timer.hwnd, timer.id});
    if (it != timers_.end() && it->second.serial == serial) {
        it->second.dispatching = false;
    }
}

void DispatchTimerMessage(TimerTable& timers, const MSG& msg, uint32_t tickCount,
                          const std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>& windowProc) {
    DueTimer timer{msg.hwnd, msg.wParam};
    std::shared_ptr<const TIMERPROC> proc;
    uint64_t serial = 0;
    if (!timers.BeginDispatch(timer, proc, serial)) {
        return;
    }
    try {
        if (proc && *proc) {
            (*proc)(msg.hwnd, WM_TIMER, msg.wParam, tickCount);
        } else if (msg.hwnd != 0) {
            windowProc(msg.hwnd, WM_TIMER, msg.wParam, 0);
        }
    } catch (...) {
        timers.EndDispatch(timer, serial);
        throw;
    }
    timers.EndDispatch(timer, serial);
}

}  // namespace platform
