#include "ProgramFixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace app::x11::testing {
namespace {

// No program of these tests may run longer than this, whatever goes wrong.
constexpr unsigned kProgramLimitSeconds = 30;

}  // namespace

void ProgramFixture::SetUp() {
    if (!platform::x11::testing::XvfbServer::Find()) {
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb): program tests skipped";
    }
    char folder[] = "/tmp/va-program-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr) << "cannot make the programs' own folders";
    ownFolders_ = folder;
    std::filesystem::create_directories(ownFolders_ / "config");
    std::filesystem::create_directories(ownFolders_ / "system");
    server_ = std::make_unique<platform::x11::testing::XvfbServer>(kScreenWidth, kScreenHeight);
    probe_ = std::make_unique<XProbe>(server_->DisplayName());
    probe_->PaintDesktop();
}

void ProgramFixture::TearDown() {
    programs_.clear();  // kills what still runs
    probe_.reset();
    server_.reset();
    if (!ownFolders_.empty()) {
        std::filesystem::remove_all(ownFolders_);
    }
}

ChildProcess& ProgramFixture::StartProgram(const std::vector<std::string>& arguments,
                                           const std::vector<std::string>& environment) {
    std::vector<std::string> argv{VA_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return Start(argv, environment);
}

ChildProcess& ProgramFixture::StartCompanion(int answer) {
    return Start({VA_X11_COMPANION, std::to_string(answer)}, {});
}

ChildProcess& ProgramFixture::Start(const std::vector<std::string>& argv,
                                    const std::vector<std::string>& environment) {
    // The caller's entries come last and so win.
    std::vector<std::string> env{"DISPLAY=" + server_->DisplayName(),
                                 "XDG_CONFIG_HOME=" + (ownFolders_ / "config").string(),
                                 "VELLAMOR_SYSTEM_DIR=" + (ownFolders_ / "system").string() + "/"};
    env.insert(env.end(), environment.begin(), environment.end());
    programs_.push_back(std::make_unique<ChildProcess>(argv, env, kProgramLimitSeconds));
    return *programs_.back();
}

int ProgramFixture::RunTool(const std::string& commandLine) const {
    std::string command =
        "DISPLAY=" + server_->DisplayName() + " " + commandLine + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

::Window ProgramFixture::WaitForSaverWindow(int timeoutMs) {
    std::vector<::Window> windows;
    WaitUntil(
        [&] {
            windows = probe_->TopLevelsTitled(kSaverTitle);
            return !windows.empty();
        },
        timeoutMs);
    return windows.empty() ? 0 : windows.front();
}

bool ProgramFixture::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool ProgramFixture::HaveTool(const char* name) {
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

}  // namespace app::x11::testing
