#include "platform/x11/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>

#include <pwd.h>
#include <unistd.h>

namespace platform::x11 {
namespace {

constexpr const char* kDesktopKey = "control panel\\desktop";

std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

RegValue ParseValue(const std::string& text) {
    uint32_t number = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        return {RegValueKind::Other, 0};
    }
    return {RegValueKind::Dword, number};
}

// $HOME, or without it the user's home from the password database; empty when neither names
// an absolute folder.
std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    return home != nullptr && home[0] == '/' ? std::filesystem::path(home)
                                             : std::filesystem::path();
}

}  // namespace

// Never a relative path, which would read a file of whatever folder the program was started in.
std::filesystem::path SettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const std::filesystem::path home = HomeFolder();
        if (home.empty()) {
            return {};
        }
        base = home / ".config";
    }
    return base / "vellamor-autumn" / "settings";
}

RegValue ReadSetting(const std::filesystem::path& file, const std::string& keyPath,
                     const std::string& valueName) {
    if (Folded(keyPath) != kDesktopKey) {
        return {};
    }
    std::ifstream input(file);
    std::string line;
    std::string wanted = Folded(valueName);
    while (std::getline(input, line)) {
        std::string trimmed = Trimmed(line);
        size_t equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || equals == std::string::npos) {
            continue;
        }
        if (Folded(Trimmed(trimmed.substr(0, equals))) == wanted) {
            return ParseValue(Trimmed(trimmed.substr(equals + 1)));
        }
    }
    return {};
}

}  // namespace platform::x11
