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
    SetAt(4, 0);  // interval zero: never due, nothing to wake for
    EXPECT_EQ(table_.NextDue(), 100u);
    EXPECT_EQ(table_.WakeTime(0), 100u);
    EXPECT_EQ(table_.WakeTime(10), 106u) << "the first waits 6 ms for the second";
    EXPECT_EQ(table_.WakeTime(17), 117u);

    // At the wake time both come, in due order; the third, alone, is woken for on time.
    EXPECT_EQ(table_.TakeDue(106)->id, 1u);
    EXPECT_EQ(table_.TakeDue(106)->id, 2u);
    EXPECT_EQ(table_.TakeDue(106), std::nullopt);
    EXPECT_EQ(table_.WakeTime(10), 117u);
}

// A loop that wakes when WakeTime says and takes what is due: a fast timer held back for a
// slower one keeps its own pace, and neither gives more ticks than its interval allows.
TEST_F(TimerTableTest, TicksHeldBackForOthersKeepTheirTimersPace) {
    SetAt(1, 16);
    SetAt(2, 25);
    int ticks[3] = {0, 0, 0};
    int wakes = 0;
    for (uint64_t now = *table_.WakeTime(10); now < 1000; now = *table_.WakeTime(10)) {
        ++wakes;
        while (std::optional<DueTimer> due = table_.TakeDue(now, 10)) {
            ++ticks[due->id];
        }
    }
    EXPECT_NEAR(ticks[1], 1000 / 16, 1) << "the 16 ms timer lost its pace";
    EXPECT_NEAR(ticks[2], 1000 / 25, 1);
    EXPECT_LT(wakes, ticks[1] + ticks[2]) << "no two ticks came in one wake";

    // A tick later than the tolerance starts the count afresh from when it came.
    SetAt(3, 100, 1000);
    table_.Kill(kWindow, 1);
    table_.Kill(kWindow, 2);
    EXPECT_EQ(table_.TakeDue(1150, 10)->id, 3u);
    EXPECT_EQ(table_.NextDue(), 1250u);
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
