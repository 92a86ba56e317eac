// The program's own icons for the Win32 backend: ExtractIconA on the program's file. A handle
// given to the program is the icon's index plus one, so that 0 stays "none".
#include "platform/win32/IconPictures.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
namespace {

std::string OwnFileName() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

}  // namespace

// ExtractIconA answers 1 for a file that is no program and 0 for an index past the last icon.
HICON Win32Backend::ExtractIconA(uint32_t index) {
    if (index == 0xFFFFFFFFu) {
        return 0;  // asks the system for the number of icons, and has no handle of its own
    }
    HICON handle = index + 1;
    if (icons_.count(handle) != 0) {
        return handle;
    }
    ::HICON native = ::ExtractIconA(::GetModuleHandleA(nullptr), OwnFileName().c_str(), index);
    if (native == nullptr || reinterpret_cast<uintptr_t>(native) == 1) {
        return 0;
    }
    auto record = std::make_unique<IconRecord>();
    record->native = native;
    try {
        record->pictures = ReadIconPictures(native);
    } catch (...) {
        ::DestroyIcon(native);
        throw;
    }
    icons_[handle] = std::move(record);
    return handle;
}

const Icon* Win32Backend::IconPictures(HICON icon) {
    auto it = icons_.find(icon);
    return it == icons_.end() ? nullptr : &it->second->pictures;
}

}  // namespace platform::win32
