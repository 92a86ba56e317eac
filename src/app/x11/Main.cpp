// The Linux program: the saver, its preview and its About dialog on X11. Started by a
// screensaver daemon, it draws into the daemon's window (XSCREENSAVER_WINDOW or -window-id).

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/SaverProgram.h"
#include "assets/Assets.h"
#include "base/Exceptions.h"
#include "platform/x11/DaemonWindow.h"
#include "platform/x11/X11Backend.h"

namespace {

platform::x11::X11Options OptionsFor(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    platform::x11::X11Options options;
    options.daemonWindow =
        platform::x11::DaemonWindowFrom(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<platform::x11::X11Backend> backend;
    try {
        backend.emplace(OptionsFor(argc, argv));
    } catch (const base::Exception& error) {
        std::fprintf(stderr, "vellamor-autumn: %s\n", error.what());
        return 1;
    }
    for (platform::Icon& icon : assets::ProgramIcons()) {
        backend->AddIcon(std::move(icon));
    }
    app::RunSaverProgram(host::CommandLine::FromArgv(argc, argv));
}
