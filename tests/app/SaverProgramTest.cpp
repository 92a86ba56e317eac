// The program's end on the headless backend: the process ends at once, with the mode's windows
// still alive, and a mode that cannot start ends it without a crash. Each case runs the
// program in a child process, since the program ends its process.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/SaverProgram.h"
#include "platform/headless/HeadlessBackend.h"

namespace app {
namespace {

using platform::HWND;

// Tells the standard error of every window destroyed, and can refuse to make one class.
class WatchingBackend : public platform::headless::HeadlessBackend {
  public:
    explicit WatchingBackend(std::string refusedClass = {})
        : refusedClass_(std::move(refusedClass)) {}

    HWND CreateWindowExA(uint32_t exStyle, const std::string& className, const std::string& title,
                         uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                         HWND parent, platform::WNDPROC proc) override {
        if (className == refusedClass_) {
            return 0;
        }
        return HeadlessBackend::CreateWindowExA(exStyle, className, title, style, x, y, width,
                                                height, parent, std::move(proc));
    }
    bool DestroyWindow(HWND hwnd) override {
        std::fputs("window destroyed\n", stderr);
        return HeadlessBackend::DestroyWindow(hwnd);
    }

  private:
    std::string refusedClass_;
};

// Runs the program with the arguments on a backend refusing `refusedClass`, with a key pressed
// in the window titled `title` `after` milliseconds in.
void RunPressingAKey(const std::vector<std::string>& arguments, const char* title, uint64_t after,
                     const std::string& refusedClass = {}) {
    WatchingBackend backend(refusedClass);
    backend.Schedule(after, [&backend, title] {
        backend.InjectKeyDown(platform::FindWindowA(nullptr, title), platform::VK_ESCAPE);
    });
    std::vector<const char*> argv{"VellamorAutumn.scr"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    RunSaverProgram(host::CommandLine::FromArgv(static_cast<int>(argv.size()), argv.data()));
}

TEST(SaverProgramTest, TheSaverAndTheAboutDialogEndTheProcessWithTheirWindowsAlive) {
    EXPECT_EXIT(RunPressingAKey({"/s"}, "Vellamor Autumn", 3000), ::testing::ExitedWithCode(0),
                "^$");
    EXPECT_EXIT(RunPressingAKey({}, "Over...", 500), ::testing::ExitedWithCode(0), "^$");
}

TEST(SaverProgramTest, AWindowThatCannotBeMadeEndsTheProgramWithTheFaultAndNoCrash) {
    EXPECT_EXIT(RunPressingAKey({"/s"}, "Vellamor Autumn", 3000, "TfrmMain"),
                ::testing::ExitedWithCode(1), "Error creating window of class TfrmMain");
}

// Runs the program with the arguments and a failure of its loop `after` milliseconds in; its
// last words tell what `state` reads then.
void RunFailingAfter(platform::headless::HeadlessBackend& backend, const char* argument,
                     uint64_t after, const std::function<void()>& state) {
    backend.Schedule(after, [] { throw std::runtime_error("the message queue is gone"); });
    const char* argv[] = {"VellamorAutumn.scr", argument};
    RunSaverProgram(host::CommandLine::FromArgv(2, argv), [&state](int) { state(); });
}

void FailTheAboutDialogOfTheSettings() {
    platform::headless::HeadlessBackend backend;
    const HWND settings = backend.AddForeignWindow("Desk", "Display", {0, 0, 400, 300});
    platform::SetForegroundWindow(settings);
    RunFailingAfter(backend, "/c", 500, [settings] {
        std::fprintf(stderr, "settings enabled: %d\n", platform::IsWindowEnabled(settings) ? 1 : 0);
    });
}

void FailTheSaver() {
    platform::headless::HeadlessBackend backend;
    RunFailingAfter(backend, "/s", 3000, [] {
        uint32_t running = 2;
        platform::SystemParametersInfoA(platform::SPI_SCREENSAVERRUNNING, 0, &running, 0);
        std::fprintf(stderr, "saver running: %u\n", running);
    });
}

// A mode whose loop fails ends the program with the fault, having given back what it took from
// the desktop: the input of the window that owns the About dialog, the saver's announcement.
TEST(SaverProgramTest, AModeThatFailsGivesBackWhatItTookFromTheDesktop) {
    EXPECT_EXIT(FailTheAboutDialogOfTheSettings(), ::testing::ExitedWithCode(1),
                "the message queue is gone\nsettings enabled: 1");
    EXPECT_EXIT(FailTheSaver(), ::testing::ExitedWithCode(1),
                "the message queue is gone\nsaver running: 0");
}

}  // namespace
}  // namespace app
