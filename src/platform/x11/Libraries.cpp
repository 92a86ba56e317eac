#include "platform/x11/Libraries.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "base/Exceptions.h"

namespace platform::x11 {
namespace {

using VerifyFunction = int (*)(uint32_t);
using ChangeFunction = int (*)(const char*, uint32_t, uint32_t, uint32_t);

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

uint32_t WordArgument(const std::vector<EntryArgument>& arguments, size_t index,
                      const std::string& entry) {
    const auto* word = std::get_if<uint32_t>(&arguments[index]);
    if (word == nullptr) {
        throw base::Exception(entry + ": argument " + std::to_string(index + 1) +
                              " must be a number, not a text");
    }
    return *word;
}

void CheckCount(const std::vector<EntryArgument>& arguments, size_t count,
                const std::string& entry) {
    if (arguments.size() != count) {
        throw base::Exception(entry + " takes " + std::to_string(count) + " arguments, not " +
                              std::to_string(arguments.size()));
    }
}

EntryPoint WrapVerify(VerifyFunction function) {
    return [function](const std::vector<EntryArgument>& arguments) {
        CheckCount(arguments, 1, "VerifyScreenSavePwd");
        return static_cast<uint32_t>(function(WordArgument(arguments, 0, "VerifyScreenSavePwd")));
    };
}

EntryPoint WrapChange(ChangeFunction function) {
    return [function](const std::vector<EntryArgument>& arguments) {
        const std::string entry = "PwdChangePasswordA";
        CheckCount(arguments, 4, entry);
        const auto* passwordSet = std::get_if<std::string>(&arguments[0]);
        if (passwordSet == nullptr) {
            throw base::Exception(entry + ": argument 1 must be a text");
        }
        return static_cast<uint32_t>(
            function(passwordSet->c_str(), WordArgument(arguments, 1, entry),
                     WordArgument(arguments, 2, entry), WordArgument(arguments, 3, entry)));
    };
}

// dlsym hands out a data pointer; the function's type is fixed by the entry point's name.
template <typename Function>
Function AsFunction(void* symbol) {
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

}  // namespace

std::string SystemDirectory() {
    // Only an absolute folder is taken: a relative one would load the password library from
    // wherever the saver was started, or (".") by a bare name from the library search path.
    const char* configured = std::getenv("VELLAMOR_SYSTEM_DIR");
    std::string directory =
        configured != nullptr && configured[0] == '/' ? configured : "/usr/lib/vellamor-autumn/";
    if (directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

std::filesystem::path LinuxLibraryPath(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::filesystem::path file = std::filesystem::path(slashed).lexically_normal();
    std::string name = Lowered(file.filename().string());
    std::filesystem::path renamed = std::filesystem::path(name).replace_extension(".so");
    return file.parent_path() / renamed;
}

LibraryTable::~LibraryTable() {
    for (auto& [module, handle] : open_) {
        dlclose(handle);
    }
}

HMODULE LibraryTable::Load(const std::string& path) {
    void* handle = dlopen(LinuxLibraryPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return 0;
    }
    HMODULE module = nextModule_++;
    open_[module] = handle;
    return module;
}

EntryPoint LibraryTable::Lookup(HMODULE module, const std::string& name) {
    auto it = open_.find(module);
    if (it == open_.end()) {
        return {};
    }
    void* symbol = dlsym(it->second, name.c_str());
    if (symbol == nullptr) {
        return {};
    }
    if (name == "VerifyScreenSavePwd") {
        return WrapVerify(AsFunction<VerifyFunction>(symbol));
    }
    if (name == "PwdChangePasswordA") {
        return WrapChange(AsFunction<ChangeFunction>(symbol));
    }
    return {};
}

bool LibraryTable::Free(HMODULE module) {
    auto it = open_.find(module);
    if (it == open_.end()) {
        return false;
    }
    dlclose(it->second);
    open_.erase(it);
    return true;
}

}  // namespace platform::x11
