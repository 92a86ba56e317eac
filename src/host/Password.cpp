#include "host/Password.h"

#include <exception>
#include <vector>

#include "host/SaverMode.h"

namespace host {
namespace {

// A library loaded for the time of one call.
// Only ever by a full path into the system directory: without a directory nothing is loaded,
// so a library of the same name elsewhere on the search path is never picked up.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const std::string& fileName) : module_(LoadFromSystemFolder(fileName)) {}
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() {
        if (module_ != 0) {
            platform::FreeLibrary(module_);
        }
    }

    bool Loaded() const { return module_ != 0; }
    platform::EntryPoint Entry(const std::string& name) const {
        return platform::GetProcAddress(module_, name);
    }

  private:
    static platform::HMODULE LoadFromSystemFolder(const std::string& fileName) {
        const std::string folder = SystemFolder();
        return folder.empty() ? 0 : platform::LoadLibraryA(folder + fileName);
    }

    platform::HMODULE module_;
};

// The pointer shown over a system dialog, and its display count put back afterwards.
class VisiblePointer {
  public:
    VisiblePointer() { platform::ShowCursor(true); }
    VisiblePointer(const VisiblePointer&) = delete;
    VisiblePointer& operator=(const VisiblePointer&) = delete;
    ~VisiblePointer() { platform::ShowCursor(false); }
};

bool AskVerifyDialog(platform::HWND parent) {
    LoadedLibrary library(kVerifyLibrary);
    if (!library.Loaded()) {
        return true;
    }
    const platform::EntryPoint verify = library.Entry(kVerifyEntry);
    if (!verify) {
        return true;
    }
    try {
        return verify({platform::EntryArgument(uint32_t{parent})}) != 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

std::string SystemFolder() {
    std::string folder = platform::GetSystemDirectoryA();
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder.push_back('\\');
    }
    return folder;
}

bool PasswordDemanded() {
    const platform::RegValue value = platform::RegReadValue(kDesktopSettingsKey, kUsePasswordValue);
    return value.kind == platform::RegValueKind::Dword && value.dword != 0;
}

bool VerifyPassword(platform::HWND parent) {
    if (!PasswordDemanded()) {
        return true;
    }
    VisiblePointer pointer;
    return AskVerifyDialog(parent);
}

void ChangePassword() {
    LoadedLibrary library(kChangeLibrary);
    if (!library.Loaded()) {
        return;
    }
    const platform::EntryPoint change = library.Entry(kChangeEntry);
    if (!change) {
        return;
    }
    const std::vector<platform::EntryArgument> arguments{
        std::string(kPasswordSetName), uint32_t{ParentWindow()}, uint32_t{0}, uint32_t{0}};
    try {
        change(arguments);
    } catch (const std::exception&) {
        // The change reports nothing, whatever the outcome.
    }
}

}  // namespace host
