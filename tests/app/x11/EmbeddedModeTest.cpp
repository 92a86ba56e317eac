// The program inside a window the test made: the preview (/p <id>) and daemon mode
// (XSCREENSAVER_WINDOW).
#include <signal.h>

#include <array>
#include <cstdio>

#include "ProgramFixture.h"

namespace app::x11::testing {
namespace {

class EmbeddedModeTest : public ProgramFixture {
  protected:
    ::Window ChildOfClass(::Window parent, const std::string& className) {
        for (::Window child : Probe().Children(parent)) {
            if (Probe().ClassName(child) == className) {
                return child;
            }
        }
        return 0;
    }
};

TEST_F(EmbeddedModeTest, PreviewLivesInTheGivenWindowAndEndsWithIt) {
    ::Window host = Probe().MakeWindow(Probe().Root(), 200, 150, 0x000000);
    ChildProcess& preview = StartProgram({"/p", std::to_string(host)});
    ::Window child = 0;
    ASSERT_TRUE(
        WaitUntil([&] { return (child = ChildOfClass(host, "TavrinPreviewClass")) != 0; }, 5000))
        << "no child window of class TavrinPreviewClass in the host window";
    const WindowGeometry inside = Probe().Geometry(child);  // the host's whole client area
    EXPECT_EQ((std::array{inside.x, inside.y, inside.width, inside.height}),
              (std::array{0, 0, 200, 150}));
    EXPECT_TRUE(preview.Running());
    Probe().DestroyWindow(host);
    EXPECT_EQ(preview.WaitForExit(3000), 0);
}

// How the daemon names its window: in the environment (decimal) or after -window-id (hex).
enum class DaemonIdPassing { Environment, CommandLine };

class DaemonModeTest : public ProgramFixture,
                       public ::testing::WithParamInterface<DaemonIdPassing> {
  protected:
    ChildProcess& StartInDaemonWindow(::Window daemon) {
        if (GetParam() == DaemonIdPassing::Environment) {
            return StartProgram({"-root"}, {"XSCREENSAVER_WINDOW=" + std::to_string(daemon)});
        }
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx", daemon);
        return StartProgram({"-root", "-window-id", hex});
    }
};

TEST_P(DaemonModeTest, DaemonWindowIsDrawnIntoAndSigtermEndsIt) {
    ::Window daemon = Probe().MakeWindow(Probe().Root(), 320, 240, 0x000000);
    const std::vector<uint32_t> empty = Probe().Capture(daemon);
    ChildProcess& saver = StartInDaemonWindow(daemon);
    size_t changed = 0;
    auto differ = [&] { return changed = CountDifferent(empty, Probe().Capture(daemon)); };
    EXPECT_TRUE(WaitUntil([&] { return differ() > empty.size() / 50; }, 12000))
        << "only " << changed << " of " << empty.size() << " pixels of the daemon's window changed";
    EXPECT_TRUE(Probe().TopLevelsTitled(kSaverTitle).empty()) << "daemon mode made its own window";
    ASSERT_TRUE(saver.Running());
    saver.Signal(SIGTERM);
    EXPECT_EQ(saver.WaitForExit(2000), 0);
}

INSTANTIATE_TEST_SUITE_P(BothWays, DaemonModeTest,
                         ::testing::Values(DaemonIdPassing::Environment,
                                           DaemonIdPassing::CommandLine));

}  // namespace
}  // namespace app::x11::testing
