#include "platform/headless/VirtualClock.h"

namespace platform::headless {

void VirtualClock::AdvanceTo(uint64_t moment) {
    if (moment > now_) {
        now_ = moment;
    }
}

void VirtualClock::Schedule(uint64_t delay, std::function<void()> action) {
    actions_.emplace(std::make_pair(now_ + delay, scheduled_++), std::move(action));
}

std::optional<uint64_t> VirtualClock::NextActionTime() const {
    if (actions_.empty()) {
        return std::nullopt;
    }
    return actions_.begin()->first.first;
}

// An action may schedule further actions; those that are already due run in this call too.
void VirtualClock::RunDueActions() {
    while (!actions_.empty() && actions_.begin()->first.first <= now_) {
        std::function<void()> action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

}  // namespace platform::headless
