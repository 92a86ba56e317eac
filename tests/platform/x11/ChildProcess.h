#pragma once
// A program started by a test (the X11 backend's and the Linux program's tests): its own arguments
// and extra environment, its standard output read line by line, a hard time limit (SIGALRM after
// the given seconds), and SIGKILL when the object goes while it still runs, so nothing outlives the
// test.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace platform::x11::testing {

class ChildProcess {
  public:
    // arguments[0] is the program's path; environment holds "NAME=value" entries added to ours;
    // a limit of 0 is none. A quiet program's standard error goes to /dev/null.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, unsigned limitSeconds,
                 bool quiet = false);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // The exit code once it has ended within the time (128 + signal when a signal ended it).
    std::optional<int> WaitForExit(int timeoutMs);
    bool Running();
    void Signal(int signalNumber) const;
    // One line of its standard output without the newline; nullopt on timeout or end of output.
    std::optional<std::string> ReadLine(int timeoutMs);

  private:
    bool Reap(int options);

    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    std::optional<int> exitCode_;
};

}  // namespace platform::x11::testing
