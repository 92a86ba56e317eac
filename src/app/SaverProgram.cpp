#include "app/SaverProgram.h"

#include "assets/Assets.h"
#include "framework/Application.h"
#include "host/About.h"
#include "host/Password.h"
#include "host/Startup.h"
#include "scene/MainForm.h"

namespace app {

namespace {

void RunSaverWindow(framework::TApplication& application) {
    auto* form = application.CreateForm<scene::TfrmMain>(
        assets::MainFormDescription(),
        [](platform::HWND parent) { return host::VerifyPassword(parent); });
    form->Show();
    application.Run();
}

void RunAbout(framework::TApplication& application) {
    auto* dialog = application.CreateForm<host::TfrmAbout>(assets::AboutFormDescription());
    dialog->Show();
    application.Run();
}

}  // namespace

int RunSaverProgram(const host::CommandLine& commandLine) {
    framework::TApplication application;
    host::ModeRunners runners;
    runners.setApplicationTitle = [&](const std::string& title) { application.SetTitle(title); };
    runners.saverWindow = [&] { RunSaverWindow(application); };
    runners.aboutDialog = [&] { RunAbout(application); };
    return host::RunStartup(commandLine, runners);
}

}  // namespace app
