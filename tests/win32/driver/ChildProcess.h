#pragma once
// A program the driver starts and watches: its exit code, with the driver's own messages
// pumped while it waits (a child window of the driver's blocks its program otherwise).

#include <windows.h>

#include <optional>
#include <string>

namespace driver {

class ChildProcess {
  public:
    // Starts `program` with the command line `arguments`; fails with std::runtime_error.
    ChildProcess(const std::string& program, const std::string& arguments);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A program still running is ended, so no test leaves one behind.
    ~ChildProcess();

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // The exit code, or nothing if the program still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // Ends the program from outside, as a task manager does: none of its code runs any more,
    // and the system takes its windows away. Returns once it has ended.
    void Kill(DWORD exitCode);
    // Waits on the process handle itself (no messages pumped): whether it ended in time.
    bool WaitForEnd(DWORD timeoutMs) const;

  private:
    PROCESS_INFORMATION info_{};
};

// The folder of the running program, with a trailing backslash.
std::string OwnFolder();

}  // namespace driver
