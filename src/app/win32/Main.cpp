// The Windows program, a screensaver file (.scr): the saver, its preview, its About dialog and
// the password change, on the real Win32 interfaces.

#include "app/SaverProgram.h"
#include "platform/win32/ProgramCommandLine.h"
#include "platform/win32/Win32Backend.h"

int main() {
    platform::win32::Win32Backend backend;
    const host::CommandLine commandLine =
        host::CommandLine::FromRaw(platform::win32::ProgramCommandLine());
    app::RunSaverProgram(commandLine);
}
