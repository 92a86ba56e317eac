#pragma once
// TTimer: a message timer. While Enabled with an Interval above 0 (and not in design mode) it
// calls OnTimer every Interval milliseconds; an Interval of 0 gives no ticks. Changing
// Interval or Enabled starts the period anew. OnTimer may destroy the timer, or its owner.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Events.h"

namespace framework {

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

    std::string ClassName() const override { return "TTimer"; }

  protected:
    void DesigningChanged() override { UpdateTimer(); }

  private:
    void UpdateTimer();
    void StopTimer();
    void Timer();

    uint32_t interval_ = 1000;
    bool enabled_ = true;
    uint32_t timerId_ = 0;
    // Shared with the platform timer's procedure, which outlives this object if OnTimer
    // destroys it; false from the destructor on.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace framework
