#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/Random.h"
#include "host/SaverMode.h"
#include "host/Startup.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

// Runners that only write down what was asked of them.
class StartupTest : public ::testing::Test {
  protected:
    StartupTest() {
        runners_.saverWindow = [this] { calls_.push_back("saver"); };
        runners_.aboutDialog = [this] { calls_.push_back("about"); };
        runners_.preview = [this](bool standalone) {
            calls_.push_back(standalone ? "preview standalone" : "preview embedded");
        };
        runners_.changePassword = [this] { calls_.push_back("change password"); };
        runners_.setApplicationTitle = [this](const std::string& title) {
            calls_.push_back("title " + title);
        };
        desk_ = backend_.AddForeignWindow("Desk", "Display", {0, 0, 400, 300});
        platform::SetForegroundWindow(desk_);
    }

    int Run(const std::string& arguments) {
        calls_.clear();
        return RunStartup(CommandLine::FromRaw("va.scr " + arguments), runners_);
    }

    platform::headless::HeadlessBackend backend_;
    ModeRunners runners_;
    std::vector<std::string> calls_;
    platform::HWND desk_ = 0;
};

using Calls = std::vector<std::string>;

// Each mode runs exactly its own runner (configure shows the About dialog too); a zero
// handle runs nothing.
TEST_F(StartupTest, EachCommandLineRunsExactlyItsModesRunner) {
    const Calls saver{"title Vellamor Autumn", "saver"};
    const std::vector<std::pair<const char*, Calls>> cases = {
        {"", {"about"}},
        {"/c", {"about"}},
        {"/s", saver},
        {"/p 4660", {"preview embedded"}},
        {"/q 4660", {"preview standalone"}},
        {"/a 4660", {"change password"}},
        {"/p 0", {}},
        {"/a 0", {}},
    };
    for (const auto& [line, calls] : cases) {
        EXPECT_EQ(Run(line), 0) << line;
        EXPECT_EQ(calls_, calls) << line;
    }
}

TEST_F(StartupTest, ASecondSaverEndsAtOnce) {
    backend_.AddForeignWindow("TfrmMain", kSaverTitle, {0, 0, 1024, 768});
    EXPECT_EQ(Run("/s"), 0);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Run("/p 4660"), 0) << "only saver mode is single-instance";
    EXPECT_EQ(calls_, Calls{"preview embedded"});
}

// Only the companion of both its class and its title is asked.
TEST_F(StartupTest, TheCompanionIsAskedWithItsMessageAndItsNonZeroReplyVetoes) {
    std::vector<platform::MSG> asked;
    platform::LRESULT reply = 1;
    auto record = [&](platform::HWND hwnd, platform::UINT message, platform::WPARAM wParam,
                      platform::LPARAM lParam) {
        asked.push_back({hwnd, message, wParam, lParam, 0});
        return reply;
    };
    backend_.AddForeignWindow(kCompanionClass, "Other", {0, 0, 10, 10}, record);
    backend_.AddForeignWindow("Other", kCompanionTitle, {0, 0, 10, 10}, record);
    const platform::HWND companion =
        backend_.AddForeignWindow(kCompanionClass, kCompanionTitle, {0, 0, 10, 10}, record);
    Run("/s");
    EXPECT_EQ(calls_, Calls{"title Vellamor Autumn"}) << "the veto ends before any window";
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].hwnd, companion);
    EXPECT_EQ(asked[0].message, 1127u);
    EXPECT_EQ(asked[0].wParam, 0u);
    EXPECT_EQ(asked[0].lParam, 0);
    reply = 0;
    Run("/s");
    EXPECT_EQ(calls_, (Calls{"title Vellamor Autumn", "saver"}));
}

// The window in front when the saver was started comes back to the front after it, if there
// was one.
TEST_F(StartupTest, TheCallerWindowIsBroughtBackAfterTheSaver) {
    const platform::HWND other = backend_.AddForeignWindow("Other", "Other", {0, 0, 10, 10});
    runners_.saverWindow = [&] { platform::SetForegroundWindow(other); };
    Run("/s");
    EXPECT_EQ(CallerWindow(), desk_);
    EXPECT_EQ(platform::GetForegroundWindow(), desk_);
    platform::DestroyWindow(desk_);
    ASSERT_EQ(platform::GetForegroundWindow(), 0u);
    Run("/s");
    EXPECT_EQ(platform::GetForegroundWindow(), other);
}

TEST_F(StartupTest, TheRandomGeneratorIsSeededFromTheTimeOfDay) {
    constexpr uint32_t kMillisecondsADay = 24u * 60u * 60u * 1000u;
    base::SetRandSeed(0xFFFFFFFFu);
    Run("/p 0");
    EXPECT_LT(base::RandSeed(), kMillisecondsADay);
}

// Nothing is destroyed one by one at the end: no destructor runs, so it prints nothing.
TEST(EndProcessTest, EndsAtOnceWithTheExitCodeAndNoDestruction) {
    struct Noisy {
        ~Noisy() { std::fputs("destroyed", stderr); }
    };
    EXPECT_EXIT(
        {
            Noisy window;
            EndProcess(0);
        },
        ::testing::ExitedWithCode(0), "^$");
    EXPECT_EXIT(EndProcess(3), ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace host
