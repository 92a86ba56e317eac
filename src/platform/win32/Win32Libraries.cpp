// Libraries loaded at run time by the Win32 backend. Module handles of 64-bit Windows do not
// fit in 32 bits, so the program gets small numbers of our own for them.
#include "platform/win32/EntryPoints.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {

HMODULE Win32Backend::LoadLibraryA(const std::string& path) {
    ::HMODULE native = ::LoadLibraryA(path.c_str());
    if (native == nullptr) {
        return 0;
    }
    auto library = std::make_unique<LibraryRecord>();
    library->native = native;
    library->loaded = std::make_shared<bool>(true);
    HMODULE module = nextModule_++;
    libraries_[module] = std::move(library);
    return module;
}

EntryPoint Win32Backend::GetProcAddress(HMODULE module, const std::string& name) {
    auto it = libraries_.find(module);
    if (it == libraries_.end()) {
        return {};
    }
    FARPROC address = ::GetProcAddress(it->second->native, name.c_str());
    return WrapEntryPoint(address, name, it->second->loaded);
}

bool Win32Backend::FreeLibrary(HMODULE module) {
    auto it = libraries_.find(module);
    if (it == libraries_.end()) {
        return false;
    }
    *it->second->loaded = false;
    bool freed = ::FreeLibrary(it->second->native) != 0;
    libraries_.erase(it);
    return freed;
}

}  // namespace platform::win32
