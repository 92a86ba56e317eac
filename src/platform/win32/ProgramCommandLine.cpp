#include "platform/win32/ProgramCommandLine.h"

#include "platform/win32/Win32Native.h"

namespace platform::win32 {

std::string ProgramCommandLine() {
    const char* line = ::GetCommandLineA();
    return line != nullptr ? std::string(line) : std::string();
}

}  // namespace platform::win32
