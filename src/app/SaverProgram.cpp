#include "app/SaverProgram.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "assets/Assets.h"
#include "framework/Application.h"
#include "host/About.h"
#include "host/Password.h"
#include "host/Startup.h"
#include "scene/MainForm.h"

namespace app {

namespace {

// The host finds a running saver by its window's title, which the scene gives it.
static_assert(std::string_view(host::kSaverTitle) == scene::kSaverCaption);

// A mode that fails gives back what it took from the desktop before the process ends: the
// saver's announcement that it runs (here), the input of the window that owns the About
// dialog (host::RunAboutDialog).
void RunSaverWindow(framework::TApplication& application) {
    try {
        auto* form = application.CreateForm<scene::TfrmMain>(
            assets::MainFormDescription(),
            [](platform::HWND parent) { return host::VerifyPassword(parent); });
        form->Show();
        application.Run();
    } catch (...) {
        scene::AnnounceSaverRunning(false);
        throw;
    }
}

}  // namespace

void RunSaverProgram(const host::CommandLine& commandLine,
                     const std::function<void(int exitCode)>& lastWords) {
    framework::TApplication application;
    host::ModeRunners runners;
    runners.setApplicationTitle = [&](const std::string& title) { application.SetTitle(title); };
    runners.saverWindow = [&] { RunSaverWindow(application); };
    runners.aboutDialog = [&] {
        host::RunAboutDialog(application, assets::AboutFormDescription());
    };
    int exitCode = 1;
    try {
        exitCode = host::RunStartup(commandLine, runners);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellamor-autumn: %s\n", error.what());
    }
    // Here, not in the caller: the application must still be alive when the process ends.
    if (lastWords) {
        lastWords(exitCode);
    }
    host::EndProcess(exitCode);
}

}  // namespace app
