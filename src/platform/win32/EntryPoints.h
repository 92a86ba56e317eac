#pragma once
// The password entry points of the system libraries, wrapped as the program calls them: its
// arguments checked against the entry point's own, each argument converted to the system's
// type. A wrapper refuses to run once its library has been unloaded.

#include <memory>
#include <string>

#include "platform/win32/Win32Native.h"

namespace platform::win32 {

// Empty when `name` is not exported; base::Exception for an export whose arguments are not
// known here.
EntryPoint WrapEntryPoint(FARPROC address, const std::string& name,
                          std::shared_ptr<const bool> loaded);

}  // namespace platform::win32
