#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace platform {
namespace {

using headless::HeadlessBackend;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// A thread timer whose ticks append `name` and the tick count to `log`.
uint32_t LoggingTimer(std::vector<std::string>& log, const std::string& name, uint32_t elapse) {
    return SetTimer(0, 0, elapse, [&log, name](HWND, UINT, uint32_t, uint32_t time) {
        log.push_back(name + "@" + std::to_string(time));
    });
}

// Timers due at the same moment tick in the order they were set ("slow" before "fast" at 500).
TEST(HeadlessTimerTest, TicksComeInDueOrderAndRepeatFromTheirLastTick) {
    HeadlessBackend backend;
    std::vector<std::string> log;
    LoggingTimer(log, "slow", 250);
    LoggingTimer(log, "fast", 100);
    EXPECT_TRUE(backend.RunFor(500));
    std::vector<std::string> expected = {"fast@100", "fast@200", "slow@250", "fast@300",
                                         "fast@400", "slow@500", "fast@500"};
    EXPECT_EQ(log, expected);
}

TEST(HeadlessTimerTest, AClockThatJumpsGivesOneTickNotACatchUp) {
    HeadlessBackend backend;
    std::vector<std::string> log;
    LoggingTimer(log, "t", 100);
    backend.AdvanceClock(1000);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(msg));
    DispatchMessageA(msg);
    EXPECT_FALSE(PeekMessageA(msg));
    EXPECT_EQ(log, (std::vector<std::string>{"t@1000"}));
}

// A timer of interval zero never ticks and is nothing to wait for: a loop that has nothing else
// coming fails, naming the reason, rather than hanging the test.
TEST(HeadlessTimerTest, IntervalZeroGivesNoTicksAndALoopThatCanOnlyWaitForeverFails) {
    HeadlessBackend backend;
    MSG msg;
    auto getMessage = [&msg] { GetMessageA(msg); };
    EXPECT_THAT(getMessage, ThrowsMessage<base::Exception>(HasSubstr("wait forever")));
    int ticks = 0;
    ASSERT_NE(SetTimer(0, 0, 0, [&ticks](HWND, UINT, uint32_t, uint32_t) { ++ticks; }), 0u);
    EXPECT_TRUE(backend.RunFor(60000));
    EXPECT_EQ(ticks, 0);
    EXPECT_THAT(getMessage, ThrowsMessage<base::Exception>(HasSubstr("wait forever")));
}

TEST(HeadlessTimerTest, ATimerKilledAndSetAgainInsideItsTickKeepsTicking) {
    HeadlessBackend backend;
    HWND hwnd = backend.AddForeignWindow("X", "x", {0, 0, 1, 1});
    std::vector<uint32_t> times;
    TIMERPROC proc = [&](HWND window, UINT, uint32_t id, uint32_t time) {
        times.push_back(time);
        KillTimer(window, id);
        if (times.size() < 3) {
            SetTimer(window, id, 30, proc);
        }
    };
    SetTimer(hwnd, 7, 30, proc);
    backend.RunFor(1000);
    EXPECT_EQ(times, (std::vector<uint32_t>{30, 60, 90}));
}

TEST(HeadlessTimerTest, TheTickCounterStartsWhereTheTestSaysAndWrapsAtTwoToThe32) {
    HeadlessBackend backend;
    backend.SetTickCount(0xFFFFFF00u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    std::vector<uint32_t> times;
    SetTimer(0, 0, 0x80, [&](HWND, UINT, uint32_t, uint32_t time) { times.push_back(time); });
    backend.RunFor(0x300);
    EXPECT_EQ(times, (std::vector<uint32_t>{0xFFFFFF80u, 0x0u, 0x80u, 0x100u, 0x180u, 0x200u}));
    EXPECT_EQ(GetTickCount(), 0x200u);
    // Differences taken in 32 bits stay right across the wrap.
    EXPECT_EQ(GetTickCount() - 0xFFFFFF00u, 0x300u);
}

}  // namespace
}  // namespace platform
