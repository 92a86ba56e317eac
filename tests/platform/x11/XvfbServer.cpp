#include "XvfbServer.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "base/Exceptions.h"

namespace platform::x11::testing {

std::optional<std::string> XvfbServer::Find() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path == nullptr ? "/usr/bin:/bin" : path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        std::filesystem::path candidate = std::filesystem::path(folder) / "Xvfb";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

// The server writes its display number to its standard output.
XvfbServer::XvfbServer(int width, int height) {
    std::optional<std::string> program = Find();
    if (!program) {
        throw base::Exception("Xvfb cannot be started");
    }
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_.emplace(std::vector<std::string>{*program, "-displayfd", "1", "-screen", "0", screen,
                                             "-nolisten", "tcp", "-noreset"},
                    std::vector<std::string>{}, 0, true);
    std::optional<std::string> number = server_->ReadLine(10000);
    if (!number || number->empty()) {
        throw base::Exception("Xvfb did not report its display");  // killed as server_ goes
    }
    display_ = ":" + *number;
}

// Xvfb can sleep through SIGTERM until its next timer (the screen saver's, ten minutes) when
// the signal reaches another of its threads: what has not ended in a few seconds is killed.
XvfbServer::~XvfbServer() {
    server_->Signal(SIGTERM);
    server_->WaitForExit(3000);
}

}  // namespace platform::x11::testing
