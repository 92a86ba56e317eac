#include "framework/Timer.h"

#include "base/Exceptions.h"
#include "platform/platform.h"

namespace framework {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    *alive_ = false;
    StopTimer();
}

void TTimer::SetInterval(uint32_t interval) {
    if (interval != interval_) {
        interval_ = interval;
        UpdateTimer();
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        UpdateTimer();
    }
}

void TTimer::StopTimer() {
    if (timerId_ != 0 && platform::HasBackend()) {
        platform::KillTimer(0, timerId_);
        timerId_ = 0;
    }
}

void TTimer::UpdateTimer() {
    StopTimer();
    if (interval_ == 0 || !enabled_ || IsDesigning()) {
        return;
    }
    std::shared_ptr<bool> alive = alive_;
    timerId_ = platform::SetTimer(
        0, 0, interval_, [this, alive](platform::HWND, platform::UINT, uint32_t, uint32_t) {
            if (*alive) {
                Timer();
            }
        });
    if (timerId_ == 0) {
        enabled_ = false;  // so that enabling it again asks the system again
        throw base::Exception("Not enough timers available");
    }
}

// The handler runs from a copy, so that it survives if it destroys this timer.
void TTimer::Timer() {
    if (OnTimer) {
        TNotifyEvent handler = OnTimer;
        handler(*this);
    }
}

}  // namespace framework
