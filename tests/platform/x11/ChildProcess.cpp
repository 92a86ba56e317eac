#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "base/Exceptions.h"

namespace platform::x11::testing {
namespace {

[[noreturn]] void RunChild(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, int outputFd,
                           unsigned limitSeconds, bool quiet) {
    dup2(outputFd, STDOUT_FILENO);
    close(outputFd);
    if (quiet) {
        dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
    }
    for (const std::string& entry : environment) {
        putenv(const_cast<char*>(entry.c_str()));
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    alarm(limitSeconds);  // survives exec: the program cannot run past the limit
    execv(argv[0], argv.data());
    _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, unsigned limitSeconds,
                           bool quiet) {
    int fds[2];
    if (arguments.empty() || pipe(fds) != 0) {
        throw base::Exception("cannot start a program without arguments or a pipe");
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        RunChild(arguments, environment, fds[1], limitSeconds, quiet);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        throw base::Exception("cannot fork to start " + arguments[0]);
    }
    output_ = fds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !exitCode_) {
        kill(pid_, SIGKILL);
        Reap(0);
    }
    close(output_);
}

bool ChildProcess::Reap(int options) {
    int status = 0;
    if (waitpid(pid_, &status, options) == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return exitCode_.has_value();
}

std::optional<int> ChildProcess::WaitForExit(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!exitCode_ && !Reap(WNOHANG) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return exitCode_;
}

bool ChildProcess::Running() {
    return !exitCode_ && !Reap(WNOHANG);
}

void ChildProcess::Signal(int signalNumber) const {
    if (!exitCode_) {
        kill(pid_, signalNumber);
    }
}

std::optional<std::string> ChildProcess::ReadLine(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pending_.find('\n') == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{output_, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char buffer[256];
        ssize_t count = read(output_, buffer, sizeof buffer);
        if (count <= 0) {
            return std::nullopt;
        }
        pending_.append(buffer, static_cast<size_t>(count));
    }
    size_t end = pending_.find('\n');
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return line;
}

}  // namespace platform::x11::testing
