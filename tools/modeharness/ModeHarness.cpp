// Runs the whole program once on the headless backend, for the memory checkers: the command
// line given (none, /c, /s, /p <handle>, /q, /a <handle>) with scripted input that ends its
// mode after a few hundred milliseconds of virtual time. The word HANDLE in the arguments
// stands for the handle of a stand-in for the desktop's settings window.

#include <iostream>
#include <string>
#include <vector>

#include "app/SaverProgram.h"
#include "assets/Assets.h"
#include "host/CommandLine.h"
#include "host/Startup.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

using platform::headless::HeadlessBackend;

constexpr uint64_t kEndAfter = 400;
constexpr const char* kChangePasswordLibrary = "C:\\WINDOWS\\SYSTEM\\MPR.DLL";

void SetUpSystem(HeadlessBackend& backend) {
    gfx::Bitmap desktop(640, 480);
    desktop.Fill(gfx::MakePixel(20, 60, 120));
    backend.SetDesktopPicture(desktop);
    for (const platform::Icon& icon : assets::ProgramIcons()) {
        backend.AddIcon(icon);
    }
    backend.AddLibrary(kChangePasswordLibrary,
                       {{"PwdChangePasswordA", [](const auto&) { return 0u; }}});
}

// Each mode's window as it is found by the end of the script.
void CloseWindowOf(const char* className, const char* title) {
    const platform::HWND window = platform::FindWindowA(className, title);
    if (window != 0) {
        platform::PostMessageA(window, platform::WM_CLOSE, 0, 0);
    }
}

// Ends whichever mode runs: a key for the saver, a close request for the dialogs and the
// stand-alone preview, the settings window's end for the embedded preview.
void ScriptTheEnd(HeadlessBackend& backend, platform::HWND settings) {
    backend.Schedule(kEndAfter, [&backend, settings] {
        const platform::HWND saver = platform::FindWindowA(nullptr, "Vellamor Autumn");
        if (saver != 0) {
            backend.InjectKeyDown(saver, 'Q');
        }
        CloseWindowOf("TfrmAbout", nullptr);
        CloseWindowOf("TavrinPreviewClass", nullptr);
        if (platform::IsWindow(settings)) {
            platform::DestroyWindow(settings);
        }
    });
}

std::vector<std::string> Arguments(int argc, char** argv, platform::HWND settings) {
    std::vector<std::string> arguments{"vellamor.scr"};
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        arguments.push_back(argument == "HANDLE" ? std::to_string(settings) : argument);
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    HeadlessBackend backend;
    SetUpSystem(backend);
    const platform::HWND settings =
        backend.AddForeignWindow("#32770", "Display Properties", {0, 0, 400, 300});
    ScriptTheEnd(backend, settings);
    app::RunSaverProgram(host::CommandLine::FromArguments(Arguments(argc, argv, settings)),
                         [&backend](int code) {
                             std::cout << "mode ended after " << backend.Now()
                                       << " ms with exit code " << code << std::endl;
                             if (backend.Now() > kEndAfter + 1000) {
                                 host::EndProcess(3);
                             }
                         });
}
