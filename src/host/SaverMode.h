#pragma once
// The run mode and the two window handles, fixed once from the command line before any window
// exists and read by the rest of the host afterwards.

#include <cstdint>

#include "host/CommandLine.h"
#include "platform/platform.h"

namespace host {

enum TSaverMode : int32_t {
    smAbout = 1,           // no argument: the About dialog without owner
    smConfigure = 2,       // "C": the About dialog owned by the caller's window
    smSaver = 3,           // any other key: the full-screen saver
    smPreview = 4,         // "P" and a handle: the preview inside that window
    smTestPreview = 5,     // "Q": the preview in a stand-alone window
    smChangePassword = 6,  // "A" and a handle: the password-change dialog
};

TSaverMode SaverMode();
// The handle given as second argument in modes 4 and 6; 0 otherwise.
platform::HWND ParentWindow();
// The window in the foreground at start in modes 2 and 3; 0 otherwise.
platform::HWND CallerWindow();

// Sets the three values from the command line (the caller's window from the foreground).
void ParseCommandLine(const CommandLine& commandLine);
// Sets ParentWindow from argument 2; 0 when it is not a handle number.
void ReadParentWindow(const CommandLine& commandLine);

// The mode key of argument 1: its letters a-z upper-cased and its first character dropped.
std::string ModeKey(const std::string& argument);

// Replaces the three values outright, for code that is run without a command line.
void SetStartupValues(TSaverMode mode, platform::HWND parentWindow, platform::HWND callerWindow);

}  // namespace host
