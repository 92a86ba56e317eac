#pragma once
// The message timers of a backend that keeps its own: which are set, when each is due next
// (in the backend's milliseconds), and which one is being dispatched (a timer whose tick is
// running gives no second tick until it returns).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/platform.h"

namespace platform {

struct DueTimer {
    HWND hwnd = 0;
    uint32_t id = 0;
};

class TimerTable {
  public:
    // Sets or resets a timer: its next tick is due `elapse` ms after now; 0 gives no ticks.
    // For hwnd 0 the table picks a fresh id. Returns the id.
    uint32_t Set(HWND hwnd, uint32_t id, uint32_t elapse, TIMERPROC proc, uint64_t now);
    bool Kill(HWND hwnd, uint32_t id);
    void KillAllOf(HWND hwnd);
    size_t Count() const { return timers_.size(); }

    // The earliest due timer that is not being dispatched, due at or before now; its next
    // tick becomes due one interval after now, as the platform does. With a tolerance, ticks
    // are held back until WakeTime(tolerance), and a tick taken at most `tolerance` ms late
    // keeps its timer's pace instead: the next is due one interval after this one was, unless
    // that time has passed too.
    std::optional<DueTimer> TakeDue(uint64_t now, uint64_t tolerance = 0);
    // When the next tick can come, ignoring timers being dispatched.
    std::optional<uint64_t> NextDue() const;
    // When to wake for the next ticks if each may come up to `tolerance` ms late: the last due
    // time within `tolerance` of the next, so that ticks due close together come in one wake.
    std::optional<uint64_t> WakeTime(uint64_t tolerance) const;

    // Marks the timer as dispatching and hands out its procedure (null when it has none), kept
    // alive for the dispatch even if the timer is killed meanwhile. Returns false for a timer
    // that no longer exists.
    bool BeginDispatch(const DueTimer& timer, std::shared_ptr<const TIMERPROC>& proc,
                       uint64_t& serial);
    // Ends the dispatch of that timer, unless it was killed (and perhaps set anew) meanwhile.
    void EndDispatch(const DueTimer& timer, uint64_t serial);

  private:
    struct Entry {
        uint32_t elapse = 0;
        uint64_t due = 0;
        uint64_t serial = 0;  // order of creation; tells a timer from a later one of the same id
        bool dispatching = false;
        std::shared_ptr<const TIMERPROC> proc;
    };
    using Key = std::pair<HWND, uint32_t>;

    bool IsCandidate(const Entry& entry) const { return entry.elapse != 0 && !entry.dispatching; }

    std::map<Key, Entry> timers_;
    uint64_t nextSerial_ = 1;
    uint32_t nextThreadId_ = 1;
};

// Dispatches a WM_TIMER taken from the table: to the timer's procedure if it has one, else to
// the window's through windowProc. Nothing happens for a timer killed since it was taken; a
// timer killed by its own tick ends cleanly.
void DispatchTimerMessage(TimerTable& timers, const MSG& msg, uint32_t tickCount,
                          const std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>& windowProc);

}  // namespace platform
