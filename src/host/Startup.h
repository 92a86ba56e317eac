#pragma once
// The program's start: read the command line, seed the random generator, run the one mode it
// asks for. The modes that need the saver window or the About dialog are handed in, so that
// this layer depends on neither and tests can put recorders in their place.

#include <functional>
#include <string>

#include "host/CommandLine.h"
#include "platform/platform.h"

namespace host {

// The saver window's title, which is also the single-instance marker of saver mode.
inline constexpr const char* kSaverTitle = "Vellamor Autumn";
// The companion program's window, asked before a saver starts; a non-zero reply vetoes it.
inline constexpr const char* kCompanionClass = "TfrmStartScreensaver";
inline constexpr const char* kCompanionTitle = "StartScreensaver";
inline constexpr platform::UINT kCompanionQuery = platform::WM_USER + 103;

struct ModeRunners {
    // Starts with the host's own preview and password change; the rest stays empty.
    ModeRunners();

    // Creates the saver window as the main window, shows it and runs the message loop until
    // the saver quits.
    std::function<void()> saverWindow;
    // Creates the About dialog as the main window, shows it and runs the message loop until
    // it closes (modes 1 and 2; CallerWindow tells which).
    std::function<void()> aboutDialog;
    // The preview, embedded (false) or stand-alone (true), and the password change.
    std::function<void(bool standalone)> preview;
    std::function<void()> changePassword;
    // Names the application, whose title captions the framework's error boxes. Optional.
    std::function<void(const std::string&)> setApplicationTitle;
};

// Parses the command line, seeds the random generator and runs the chosen mode to its end.
// Returns the process's exit code, always 0; the caller ends the process with EndProcess.
// An empty runner is skipped. Exceptions from a runner are not caught here.
int RunStartup(const CommandLine& commandLine, const ModeRunners& runners);

// Runs the mode already chosen (SaverMode, ParentWindow, CallerWindow).
void DispatchSaverMode(const ModeRunners& runners);

// True when a window titled kSaverTitle exists: a saver is already running.
bool SaverAlreadyRunning();
// True when the companion window exists and answers the query with a non-zero value.
bool CompanionVetoesStart();

// Ends the process at once with the exit code: no window or object is destroyed one by one.
[[noreturn]] void EndProcess(int exitCode);

}  // namespace host
