// The wake time of a backend's own timers: ticks due close together share one wake-up, and no
// tick is held back by more than the tolerance.
#include <gtest/gtest.h>

#include "platform/TimerTable.h"

namespace platform {
namespace {

constexpr HWND kWindow = 5;

class TimerTableTest : public ::testing::Test {
  protected:
    void SetAt(uint32_t id, uint32_t elapse, uint64_t now = 0) {
        table_.Set(kWindow, id, elapse, nullptr, now);
    }

    TimerTable table_;
};

TEST_F(TimerTableTest, TicksDueWithinTheToleranceOfTheNextShareItsWakeTime) {
    EXPECT_EQ(table_.WakeTime(10), std::nullopt) << "no timers, nothing to wake for";
    SetAt(1, 100);
    SetAt(2, 106);
    SetAt(3, 117);
    EXPECT_EQ(table_.NextDue(), 100u);
    EXPECT_EQ(table_.WakeTime(0), 100u);
    EXPECT_EQ(table_.WakeTime(10), 106u) << "the first waits 6 ms for the second";
    EXPECT_EQ(table_.WakeTime(17), 117u);

    // At the wake time both come, in due order; the third stays due at 117.
    EXPECT_EQ(table_.TakeDue(106)->id, 1u);
    EXPECT_EQ(table_.TakeDue(106)->id, 2u);
    EXPECT_EQ(table_.TakeDue(106), std::nullopt);
    EXPECT_EQ(table_.WakeTime(10), 117u);
}

TEST_F(TimerTableTest, ATimerAloneOrWithOthersFarOffIsWokenForOnTime) {
    SetAt(1, 100);
    SetAt(2, 0);  // interval zero: never due
    SetAt(3, 150);
    EXPECT_EQ(table_.WakeTime(10), 100u);
    table_.Kill(kWindow, 1);
    EXPECT_EQ(table_.WakeTime(10), 150u);
}

TEST_F(TimerTableTest, ATimerBeingDispatchedIsNothingToWakeFor) {
    SetAt(1, 100);
    SetAt(2, 105);
    std::optional<DueTimer> first = table_.TakeDue(100);
    ASSERT_TRUE(first.has_value());
    std::shared_ptr<const TIMERPROC> proc;
    uint64_t serial = 0;
    ASSERT_TRUE(table_.BeginDispatch(*first, proc, serial));
    EXPECT_EQ(table_.WakeTime(200), 105u) << "the timer in its tick is not waited for";
    table_.EndDispatch(*first, serial);
    EXPECT_EQ(table_.WakeTime(200), 200u) << "its next tick, one interval after 100";
}

}  // namespace
}  // namespace platform
