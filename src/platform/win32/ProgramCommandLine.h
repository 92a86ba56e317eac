#pragma once
// The program's raw command line as Windows hands it over, for the host's own splitting.

#include <string>

namespace platform::win32 {

std::string ProgramCommandLine();

}  // namespace platform::win32
