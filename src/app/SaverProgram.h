#pragma once
// The whole program on whatever backend is current: the host's start-up with the saver window
// and the About dialog wired in. Each platform's entry point installs its backend and calls
// this.

#include "host/CommandLine.h"

namespace app {

// Runs the mode the command line asks for to its end; returns the exit code (0). The caller
// ends the process at once with host::EndProcess.
int RunSaverProgram(const host::CommandLine& commandLine);

}  // namespace app
