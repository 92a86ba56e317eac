#pragma once
// The fixture of the program's tests: a private Xvfb per test (skipped with a message when Xvfb
// is missing), the desktop painted, the test's X connection, and the real program started
// against that display with a time limit and killed at teardown. The programs read settings
// and password libraries from empty folders of the test's own, never the user's.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "XProbe.h"
#include "XvfbServer.h"

namespace app::x11::testing {

using platform::x11::testing::ChildProcess;

class ProgramFixture : public ::testing::Test {
  protected:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    static constexpr const char* kSaverTitle = "Vellamor Autumn";

    void SetUp() override;
    void TearDown() override;

    // The saver program with these arguments and extra environment entries.
    ChildProcess& StartProgram(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& environment = {});
    ChildProcess& StartCompanion(int answer);
    XProbe& Probe() { return *probe_; }
    // Runs an X tool against the test's display; its exit code.
    int RunTool(const std::string& commandLine) const;
    // The saver's full-screen window, once it is mapped (0 when none came in time).
    ::Window WaitForSaverWindow(int timeoutMs = 5000);
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);
    static bool HaveTool(const char* name);

  private:
    ChildProcess& Start(const std::vector<std::string>& argv,
                        const std::vector<std::string>& environment);

    std::filesystem::path ownFolders_;
    std::unique_ptr<platform::x11::testing::XvfbServer> server_;
    std::unique_ptr<XProbe> probe_;
    std::vector<std::unique_ptr<ChildProcess>> programs_;
};

}  // namespace app::x11::testing
