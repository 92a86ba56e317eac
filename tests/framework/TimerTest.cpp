#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace framework {
namespace {

class TimerTest : public ::testing::Test {
  protected:
    // The tick times of a timer, recorded by its OnTimer.
    void Record(TTimer& timer) {
        timer.OnTimer = [this](TComponent&) { ticks_.push_back(platform::GetTickCount()); };
    }

    platform::headless::HeadlessBackend backend_;
    TComponent owner_{nullptr};
    std::vector<uint32_t> ticks_;
};

// A new timer is enabled and ticks every second, but not while its owner is being designed;
// the owner's design mode reaches the timers made during it too.
TEST_F(TimerTest, ANewTimerTicksEverySecondOutsideDesignMode) {
    auto* timer = NewComponent<TTimer>(owner_);
    Record(*timer);
    backend_.RunFor(3500);
    EXPECT_EQ(ticks_, (std::vector<uint32_t>{1000, 2000, 3000}));
    owner_.SetDesigning(true);
    Record(*NewComponent<TTimer>(owner_));
    backend_.RunFor(5000);
    EXPECT_EQ(ticks_.size(), 3u);
    owner_.SetDesigning(false);
    backend_.RunFor(1000);
    EXPECT_EQ(ticks_, (std::vector<uint32_t>{1000, 2000, 3000, 9500, 9500}));
}

// Disabled or at interval 0 a timer has no platform timer; enabling it or giving it another
// interval starts a full period, the same interval again does not.
TEST_F(TimerTest, StoppingAndChangingTheIntervalRestartTheFullPeriod) {
    auto* timer = NewComponent<TTimer>(owner_);
    timer->SetInterval(100);
    Record(*timer);
    backend_.RunFor(250);
    timer->SetEnabled(false);
    backend_.RunFor(500);
    EXPECT_EQ(backend_.TimerCount(), 0u);
    timer->SetEnabled(true);
    backend_.RunFor(60);
    timer->SetInterval(100);  // unchanged: the period keeps running
    backend_.RunFor(90);
    timer->SetInterval(0);
    EXPECT_EQ(backend_.TimerCount(), 0u);
    backend_.RunFor(10000);
    timer->SetInterval(40);
    backend_.RunFor(60);
    timer->SetInterval(30);  // from now on every 30 ms
    backend_.RunFor(70);
    EXPECT_EQ(ticks_, (std::vector<uint32_t>{100, 200, 850, 10940, 10990, 11020}));
}

TEST_F(TimerTest, ATickMayDestroyTheTimersOwner) {
    auto* sprite = NewComponent<TComponent>(owner_);
    auto* timer = NewComponent<TTimer>(*sprite);
    timer->SetInterval(50);
    int ticks = 0;
    timer->OnTimer = [&](TComponent& sender) {
        ++ticks;
        owner_.DestroyComponent(sender.Owner());  // the timer goes with its owner
    };
    backend_.RunFor(500);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(owner_.ComponentCount(), 0);
    EXPECT_EQ(backend_.TimerCount(), 0u);
}

TEST_F(TimerTest, ATickMayChangeItsOwnIntervalAndEnabledFlag) {
    auto* timer = NewComponent<TTimer>(owner_);
    timer->SetInterval(10);
    timer->OnTimer = [this, timer](TComponent&) {
        ticks_.push_back(platform::GetTickCount());
        timer->SetInterval(timer->Interval() * 2);
        if (ticks_.size() == 3) {
            timer->SetEnabled(false);
        }
    };
    backend_.RunFor(1000);
    EXPECT_EQ(ticks_, (std::vector<uint32_t>{10, 30, 70}));
}

// A backend that refuses new timers when told to, as a system that has run out of them does.
class RefusingTimersBackend : public platform::headless::HeadlessBackend {
  public:
    uint32_t SetTimer(platform::HWND hwnd, uint32_t idEvent, uint32_t elapse,
                      platform::TIMERPROC proc) override {
        return refuse ? 0 : HeadlessBackend::SetTimer(hwnd, idEvent, elapse, std::move(proc));
    }
    bool refuse = false;
};

// A timer the system refused is off, so that enabling it again starts it once the system
// has timers again.
TEST(TimerRefusedTest, IsLeftOffAndStartsWhenEnabledAgain) {
    RefusingTimersBackend backend;
    TComponent owner(nullptr);
    auto* timer = NewComponent<TTimer>(owner);
    int ticks = 0;
    timer->OnTimer = [&](TComponent&) { ++ticks; };
    timer->SetEnabled(false);
    backend.refuse = true;
    EXPECT_THROW(timer->SetEnabled(true), base::Exception);
    EXPECT_FALSE(timer->Enabled());
    backend.refuse = false;
    timer->SetEnabled(true);
    backend.RunFor(1500);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace framework
