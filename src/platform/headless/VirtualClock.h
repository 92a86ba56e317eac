#pragma once
// The headless backend's time: a millisecond clock that moves only when a test or a waiting
// message loop moves it, the tick counter derived from it, and actions a test schedules for
// given moments (scripted input, a quit request).

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace platform::headless {

class VirtualClock {
  public:
    // Milliseconds since the backend was made; never wraps.
    uint64_t Now() const { return now_; }
    // The 32-bit tick counter, wrapping at 2^32.
    uint32_t TickCount() const { return static_cast<uint32_t>(tickBase_ + now_); }
    // Makes the tick counter read `ticks` now; it counts on from there.
    void SetTickCount(uint32_t ticks) { tickBase_ = ticks - static_cast<uint32_t>(now_); }
    // Moves the clock forward to `moment`; an earlier moment leaves it where it is.
    void AdvanceTo(uint64_t moment);

    // Runs `action` once the clock has reached now + delay and the loop looks for messages.
    void Schedule(uint64_t delay, std::function<void()> action);
    std::optional<uint64_t> NextActionTime() const;
    // Runs every action that is due, in the order of their moments, then of scheduling.
    void RunDueActions();

  private:
    uint64_t now_ = 0;
    uint32_t tickBase_ = 0;
    uint64_t scheduled_ = 0;  // scheduling order among actions of one moment
    std::map<std::pair<uint64_t, uint64_t>, std::function<void()>> actions_;
};

}  // namespace platform::headless
