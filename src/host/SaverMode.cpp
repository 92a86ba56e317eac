#include "host/SaverMode.h"

#include "base/Name.h"
#include "host/HandleNumber.h"

namespace host {
namespace {

struct StartupValues {
    TSaverMode saverMode = smAbout;
    platform::HWND parentWindow = 0;
    platform::HWND callerWindow = 0;
};

StartupValues values;

void SelectMode(const CommandLine& commandLine) {
    const std::string key = ModeKey(commandLine.Argument(1));
    const bool hasHandle = commandLine.Count() >= 2;
    if (key == "C") {
        values.saverMode = smConfigure;
        values.callerWindow = platform::GetForegroundWindow();
    } else if (key == "A" && hasHandle) {
        values.saverMode = smChangePassword;
        ReadParentWindow(commandLine);
    } else if (key == "P" && hasHandle) {
        values.saverMode = smPreview;
        ReadParentWindow(commandLine);
    } else if (key == "Q") {
        values.saverMode = smTestPreview;
    } else {
        values.saverMode = smSaver;
        values.callerWindow = platform::GetForegroundWindow();
    }
}

}  // namespace

TSaverMode SaverMode() {
    return values.saverMode;
}

platform::HWND ParentWindow() {
    return values.parentWindow;
}

platform::HWND CallerWindow() {
    return values.callerWindow;
}

std::string ModeKey(const std::string& argument) {
    return argument.empty() ? std::string()
                            : base::UpperCaseAZ(std::string_view(argument).substr(1));
}

void ParseCommandLine(const CommandLine& commandLine) {
    values = StartupValues{};
    if (commandLine.Count() == 0) {
        values.saverMode = smAbout;
        return;
    }
    SelectMode(commandLine);
}

void ReadParentWindow(const CommandLine& commandLine) {
    values.parentWindow = ParseHandleNumber(commandLine.Argument(2)).value_or(0);
}

void SetStartupValues(TSaverMode mode, platform::HWND parentWindow, platform::HWND callerWindow) {
    values = StartupValues{mode, parentWindow, callerWindow};
}

}  // namespace host
