#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "base/Exceptions.h"

namespace platform::x11::testing {
namespace {

std::string ReadDisplayNumber(int fd) {
    std::string text;
    for (int waited = 0; waited < 10000 && text.find('\n') == std::string::npos;) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, 100) <= 0) {
            waited += 100;
            continue;
        }
        char buffer[32];
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
    size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(0, end);
}

[[noreturn]] void RunServer(const std::string& program, int fd, int width, int height) {
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDERR_FILENO);
    dup2(devNull, STDOUT_FILENO);
    std::string fdText = std::to_string(fd);
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<const char*> args = {
        program.c_str(), "-displayfd", fdText.c_str(), "-screen",  "0",
        screen.c_str(),  "-nolisten",  "tcp",          "-noreset", nullptr};
    execv(program.c_str(), const_cast<char* const*>(args.data()));
    _exit(127);
}

// Asks the server to end, and kills it when it has not within a few seconds: Xvfb can sleep
// through SIGTERM until its next timer (the screen saver's, ten minutes) when the signal
// reaches another of its threads.
void EndServer(pid_t pid) {
    kill(pid, SIGTERM);
    for (int waited = 0; waited < 3000; waited += 10) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

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

XvfbServer::XvfbServer(int width, int height) {
    std::optional<std::string> program = Find();
    int fds[2];
    if (!program || pipe(fds) != 0) {
        throw base::Exception("Xvfb cannot be started");
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        RunServer(*program, fds[1], width, height);
    }
    close(fds[1]);
    std::string number = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        // The destructor will not run for a constructor that throws: end the server here.
        if (pid_ > 0) {
            EndServer(pid_);
        }
        throw base::Exception("Xvfb did not report its display");
    }
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        EndServer(pid_);
    }
}

}  // namespace platform::x11::testing
