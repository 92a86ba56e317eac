#include "platform/win32/EntryPoints.h"

#include "base/Exceptions.h"

namespace platform::win32 {
namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(::HWND);
using PwdChangePasswordAFn = DWORD(WINAPI*)(LPCSTR, ::HWND, DWORD, LPVOID);

enum class ArgumentKind : uint8_t { Word, Text };

void RequireArguments(const std::string& name, const std::vector<EntryArgument>& arguments,
                      const std::vector<ArgumentKind>& kinds) {
    if (arguments.size() != kinds.size()) {
        throw base::Exception(name + " takes " + std::to_string(kinds.size()) + " arguments, not " +
                              std::to_string(arguments.size()));
    }
    for (size_t i = 0; i < kinds.size(); ++i) {
        bool isText = std::holds_alternative<std::string>(arguments[i]);
        if (isText != (kinds[i] == ArgumentKind::Text)) {
            throw base::Exception(name + ": argument " + std::to_string(i + 1) + " must be " +
                                  (kinds[i] == ArgumentKind::Text ? "a text" : "a 32-bit word"));
        }
    }
}

void RequireLoaded(const std::string& name, const std::shared_ptr<const bool>& loaded) {
    if (!*loaded) {
        throw base::Exception(name + " was called after its library was unloaded");
    }
}

// The system's own casts between function pointer types go through the generic function type.
template <typename Fn>
Fn EntryAs(FARPROC address) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

EntryPoint VerifyScreenSavePwd(FARPROC address, std::shared_ptr<const bool> loaded) {
    auto entry = EntryAs<VerifyScreenSavePwdFn>(address);
    return [entry, loaded](const std::vector<EntryArgument>& arguments) -> uint32_t {
        const std::string name = "VerifyScreenSavePwd";
        RequireLoaded(name, loaded);
        RequireArguments(name, arguments, {ArgumentKind::Word});
        return static_cast<uint32_t>(entry(ToNative(std::get<uint32_t>(arguments[0]))));
    };
}

// The fourth argument is a pointer; a 32-bit word can stand for none but the null pointer.
EntryPoint PwdChangePasswordA(FARPROC address, std::shared_ptr<const bool> loaded) {
    auto entry = EntryAs<PwdChangePasswordAFn>(address);
    return [entry, loaded](const std::vector<EntryArgument>& arguments) -> uint32_t {
        const std::string name = "PwdChangePasswordA";
        RequireLoaded(name, loaded);
        RequireArguments(
            name, arguments,
            {ArgumentKind::Text, ArgumentKind::Word, ArgumentKind::Word, ArgumentKind::Word});
        if (std::get<uint32_t>(arguments[3]) != 0) {
            throw base::Exception(name + ": argument 4 is a pointer and can only be 0");
        }
        const std::string& passwordSet = std::get<std::string>(arguments[0]);
        return static_cast<uint32_t>(entry(passwordSet.c_str(),
                                           ToNative(std::get<uint32_t>(arguments[1])),
                                           std::get<uint32_t>(arguments[2]), nullptr));
    };
}

}  // namespace

EntryPoint WrapEntryPoint(FARPROC address, const std::string& name,
                          std::shared_ptr<const bool> loaded) {
    if (address == nullptr) {
        return {};
    }
    if (name == "VerifyScreenSavePwd") {
        return VerifyScreenSavePwd(address, std::move(loaded));
    }
    if (name == "PwdChangePasswordA") {
        return PwdChangePasswordA(address, std::move(loaded));
    }
    throw base::Exception("GetProcAddress: the arguments of entry point \"" + name +
                          "\" are not known, so it cannot be called");
}

}  // namespace platform::win32
