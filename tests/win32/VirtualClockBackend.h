#pragma once
// The Win32 backend with the saver's time in the test's hands: the tick counter is a virtual
// clock and the message timers are kept here; every other call (windows, painting, presenting
// through GDI) is the product's own. GetMessageA hands out the system's messages first; only
// when none waits does it take the timer due next, move the clock to its due time and return
// its WM_TIMER, so timers keep their order below every other message and no real time is spent
// waiting. A timer is due again one interval after it ticked; one whose tick still runs gets no
// second; an interval of 0 gives no ticks.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "platform/win32/Win32Backend.h"

namespace win32test {

class VirtualClockBackend : public platform::win32::Win32Backend {
  public:
    // Told the saver time (ms since the backend was made) whenever a timer is taken.
    using ClockObserver = std::function<void(uint64_t saverMs)>;

    VirtualClockBackend();

    void SetClockObserver(ClockObserver observer) { observer_ = std::move(observer); }
    uint64_t SaverMilliseconds() const { return elapsed_; }
    uint64_t TimerTicks() const { return ticks_; }
    // Presents handed to the system.
    uint64_t Presents() const { return presents_; }

    bool GetMessageA(platform::MSG& msg) override;
    platform::LRESULT DispatchMessageA(const platform::MSG& msg) override;
    uint32_t SetTimer(platform::HWND hwnd, uint32_t idEvent, uint32_t elapse,
                      platform::TIMERPROC proc) override;
    bool KillTimer(platform::HWND hwnd, uint32_t idEvent) override;
    uint32_t GetTickCount() override;
    void PresentRect(platform::HWND hwnd, const gfx::Rect& rect) override;

  private:
    using TimerKey = std::pair<platform::HWND, uint32_t>;
    struct Timer {
        uint32_t elapse = 0;
        uint64_t due = 0;
        uint64_t order = 0;  // ties between timers due at once go in the order they were set
        std::shared_ptr<const platform::TIMERPROC> proc;
    };

    // The timer due first that is not ticking now, or timers_.end().
    std::map<TimerKey, Timer>::iterator NextDue();
    void TakeTimer(std::map<TimerKey, Timer>::iterator timer, platform::MSG& msg);
    void Tick(const TimerKey& key, uint32_t time);

    uint32_t startTick_;
    uint64_t elapsed_ = 0;
    uint64_t ticks_ = 0;
    uint64_t presents_ = 0;
    uint64_t nextOrder_ = 0;
    uint32_t nextThreadTimer_ = 1;
    std::map<TimerKey, Timer> timers_;
    std::set<TimerKey> ticking_;
    ClockObserver observer_;
};

}  // namespace win32test
