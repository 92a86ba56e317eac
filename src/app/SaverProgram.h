#pragma once
// The whole program on whatever backend is current: the host's start-up with the saver window
// and the About dialog wired in. Each platform's entry point installs its backend and calls
// this.

#include <functional>

#include "host/CommandLine.h"

namespace app {

// Runs the mode the command line asks for to its end, then ends the process at once with exit
// code 0 while the application and its windows are still alive: nothing is destroyed one by
// one and no window's destruction handler runs. A mode that cannot start (a window the system
// will not make, a damaged description) shows the user nothing: the process ends the same way
// with the fault on the standard error and exit code 1.
// `lastWords`, if given, is called with the exit code just before the end (a test harness
// reports there); it may end the process itself.
[[noreturn]] void RunSaverProgram(const host::CommandLine& commandLine,
                                  const std::function<void(int exitCode)>& lastWords = {});

}  // namespace app
