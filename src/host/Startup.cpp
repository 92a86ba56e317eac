#include "host/Startup.h"

#include <cstdio>
#include <cstdlib>

#include "base/Random.h"
#include "host/Password.h"
#include "host/Preview.h"
#include "host/SaverMode.h"

namespace host {
namespace {

template <typename Runner, typename... Args>
void RunIfGiven(const Runner& runner, Args&&... args) {
    if (runner) {
        runner(std::forward<Args>(args)...);
    }
}

void RunSaver(const ModeRunners& runners) {
    if (SaverAlreadyRunning()) {
        return;
    }
    RunIfGiven(runners.setApplicationTitle, std::string(kSaverTitle));
    if (CompanionVetoesStart()) {
        return;
    }
    RunIfGiven(runners.saverWindow);
    if (CallerWindow() != 0) {
        platform::SetForegroundWindow(CallerWindow());
    }
}

}  // namespace

ModeRunners::ModeRunners() : preview(RunPreview), changePassword(ChangePassword) {}

bool SaverAlreadyRunning() {
    return platform::FindWindowA(nullptr, kSaverTitle) != 0;
}

bool CompanionVetoesStart() {
    const platform::HWND companion = platform::FindWindowA(kCompanionClass, kCompanionTitle);
    return companion != 0 && platform::SendMessageA(companion, kCompanionQuery, 0, 0) != 0;
}

void DispatchSaverMode(const ModeRunners& runners) {
    switch (SaverMode()) {
        case smAbout:
        case smConfigure:
            RunIfGiven(runners.aboutDialog);
            break;
        case smSaver:
            RunSaver(runners);
            break;
        case smPreview:
            if (ParentWindow() != 0) {
                RunIfGiven(runners.preview, false);
            }
            break;
        case smTestPreview:
            RunIfGiven(runners.preview, true);
            break;
        case smChangePassword:
            if (ParentWindow() != 0) {
                RunIfGiven(runners.changePassword);
            }
            break;
    }
}

int RunStartup(const CommandLine& commandLine, const ModeRunners& runners) {
    ParseCommandLine(commandLine);
    base::Randomize();
    DispatchSaverMode(runners);
    return 0;
}

void EndProcess(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace host
