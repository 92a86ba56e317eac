// The saver started with /s on a private screen: its window, its leaves, and what ends it.
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "ProgramFixture.h"

namespace app::x11::testing {
namespace {

class SaverModeTest : public ProgramFixture {
  protected:
    // Moves the real pointer (XTest, through the saver's grab).
    void MovePointer(int x, int y) const {
        ASSERT_EQ(RunTool("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y)), 0);
    }
    void RequireXdotool() const {
        if (!HaveTool("xdotool")) {
            GTEST_SKIP() << "xdotool is not installed (Debian package xdotool): input test skipped";
        }
    }
};

TEST_F(SaverModeTest, TitledWindowCoversTheScreenAndLeavesLand) {
    const std::vector<uint32_t> desktop = Probe().Capture(Probe().Root());
    ChildProcess& saver = StartProgram({"/s"});
    ::Window window = WaitForSaverWindow();
    ASSERT_NE(window, 0u) << "no mapped top-level window titled \"" << kSaverTitle << "\"";
    EXPECT_EQ(Probe().NetName(window), kSaverTitle);
    WindowGeometry root = Probe().Geometry(Probe().Root());
    EXPECT_EQ(Probe().Geometry(window), root);

    // The saver first shows the desktop as it was, then leaves fall onto it: more and more
    // of the screen differs from the picture.
    const size_t screenPixels = desktop.size();
    size_t changed = screenPixels;
    auto differ = [&] {
        return changed = CountDifferent(desktop, Probe().Capture(Probe().Root()));
    };
    EXPECT_TRUE(WaitUntil([&] { return differ() < screenPixels / 100; }, 1000))
        << changed << " of " << screenPixels << " pixels differ as the saver comes up";
    EXPECT_TRUE(WaitUntil([&] { return differ() > screenPixels / 20; }, 12000))
        << "only " << changed << " of " << screenPixels << " pixels differ from the desktop";
    EXPECT_TRUE(saver.Running());
}

// The window coming up under the resting pointer is the first pointer report; it only takes the
// reference. Back at the same spot nothing happens; one pixel away ends the saver.
TEST_F(SaverModeTest, FirstPointerReportTakesTheReferenceOnePixelAwayEndsIt) {
    RequireXdotool();
    MovePointer(200, 150);
    ChildProcess& saver = StartProgram({"/s"});
    ASSERT_NE(WaitForSaverWindow(), 0u);
    EXPECT_FALSE(saver.WaitForExit(700)) << "the first pointer report ended the saver";
    MovePointer(200, 150);
    EXPECT_FALSE(saver.WaitForExit(300)) << "a motion to the reference point ended the saver";
    MovePointer(201, 150);
    EXPECT_EQ(saver.WaitForExit(3000), 0);
}

// A key ends it. The settings and password library of the user who runs the tests (here: the
// password turned on, and a library that refuses every try) do not reach the saver under test.
TEST_F(SaverModeTest, AKeyEndsItWhateverTheUsersOwnSettings) {
    RequireXdotool();
    // Set in the test's own environment, which the programs inherit, as a user's would be.
    struct UsersSetting {
        UsersSetting(const char* variable, const char* value) : name(variable) {
            if (const char* before = std::getenv(name)) {
                previous = before;
            }
            setenv(name, value, 1);
        }
        ~UsersSetting() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }
        const char* name;
        std::optional<std::string> previous;
    } config("XDG_CONFIG_HOME", VA_USERS_CONFIG), library("VELLAMOR_SYSTEM_DIR", VA_USERS_LIBRARY);
    ChildProcess& saver = StartProgram({"/s"});
    ASSERT_NE(WaitForSaverWindow(), 0u);
    EXPECT_FALSE(saver.WaitForExit(300));
    ASSERT_EQ(RunTool("xdotool key a"), 0);
    EXPECT_EQ(saver.WaitForExit(3000), 0) << "the key did not end it, or the user's password "
                                             "library was asked";
}

// Another program may destroy any window on the display: the saver's going ends the saver, as
// the daemon's window going does (its timers drew on into the freed surface before).
TEST_F(SaverModeTest, ItsWindowDestroyedByAnotherProgramEndsIt) {
    ChildProcess& saver = StartProgram({"/s"});
    ::Window window = WaitForSaverWindow();
    ASSERT_NE(window, 0u);
    EXPECT_FALSE(saver.WaitForExit(500));
    Probe().DestroyWindow(window);
    EXPECT_EQ(saver.WaitForExit(3000), 0);
}

TEST_F(SaverModeTest, ASecondSaverEndsAtOnceWithoutAWindow) {
    ChildProcess& first = StartProgram({"/s"});
    ASSERT_NE(WaitForSaverWindow(), 0u);
    Probe().WatchMaps();
    ChildProcess& second = StartProgram({"/s"});
    EXPECT_EQ(second.WaitForExit(3000), 0);
    EXPECT_EQ(Probe().MapsSeen(), 0) << "the second saver mapped a window";
    EXPECT_EQ(Probe().TopLevelsTitled(kSaverTitle).size(), 1u);
    EXPECT_TRUE(first.Running());
}

}  // namespace
}  // namespace app::x11::testing
