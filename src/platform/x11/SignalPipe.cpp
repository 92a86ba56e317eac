#include "platform/x11/SignalPipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/Exceptions.h"

namespace platform::x11 {
namespace {

volatile sig_atomic_t writeEnd = -1;
// Set by the handler, so that the loop reads the pipe only when a signal came: it asks on
// every turn.
volatile sig_atomic_t signalled = 0;

void OnSignal(int /*signal*/) {
    int saved = errno;
    if (writeEnd >= 0) {
        char byte = 1;
        ssize_t written = write(writeEnd, &byte, 1);
        static_cast<void>(written);
    }
    signalled = 1;  // after the byte: a reader that sees the flag finds the byte there
    errno = saved;
}

void MakeNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

SignalPipe::SignalPipe() {
    int fds[2] = {-1, -1};
    if (pipe(fds) != 0) {
        throw base::Exception(std::string("Cannot make the signal pipe: ") + std::strerror(errno));
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    MakeNonBlocking(readFd_);
    MakeNonBlocking(writeFd_);
    writeEnd = writeFd_;
    signalled = 0;
    struct sigaction action {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previous_);
}

SignalPipe::~SignalPipe() {
    sigaction(SIGTERM, &previous_, nullptr);
    writeEnd = -1;
    close(readFd_);
    close(writeFd_);
}

bool SignalPipe::TakeSignal() {
    if (signalled == 0) {
        return false;
    }
    signalled = 0;  // before the pipe is read: a signal that comes meanwhile is seen next time
    char buffer[64];
    while (read(readFd_, buffer, sizeof buffer) > 0) {
    }
    return true;
}

}  // namespace platform::x11
