#pragma once
// The one settings value of the Linux build, kept where the desktop's registry would keep it:
// a text file ($XDG_CONFIG_HOME/vellamor-autumn/settings, by default
// ~/.config/vellamor-autumn/settings) of lines "Name=number". Lines starting with '#' and
// blank lines are skipped. The file holds the values of the key "Control Panel\desktop";
// every other key reads as absent.

#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace platform::x11 {

// Where the settings file is, from the environment; without $HOME, in the home folder the
// password database gives. Empty (no settings) when there is no absolute home folder.
std::filesystem::path SettingsPath();

// The value named (without regard to case) in the file: Dword for a decimal number that fits
// 32 bits, Other for any other text, Absent when the file or the line is missing.
RegValue ReadSetting(const std::filesystem::path& file, const std::string& keyPath,
                     const std::string& valueName);

}  // namespace platform::x11
