#pragma once
// SIGTERM turned into something the message loop can wait for: the handler writes one byte
// into a pipe whose reading end the loop polls next to the X connection. The previous handler
// comes back when the pipe goes.

#include <csignal>

namespace platform::x11 {

class SignalPipe {
  public:
    SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;
    ~SignalPipe();

    int ReadFd() const { return readFd_; }
    // Empties the pipe; true when a signal came since the last call.
    bool TakeSignal();

  private:
    int readFd_ = -1;
    int writeFd_ = -1;
    struct sigaction previous_ {};
};

}  // namespace platform::x11
