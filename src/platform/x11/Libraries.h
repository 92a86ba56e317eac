#pragma once
// Libraries loaded at run time on Linux. A name of the desktop's kind ("PASSWORD.CPL",
// "MPR.DLL") is taken in lower case with ".so" for its extension, in the same directory:
// <system directory>/password.so and mpr.so. Back-slashes count as path separators, so a
// directory with one appended still works. The two password entry points are C functions:
//   int VerifyScreenSavePwd(uint32_t hwnd);
//   int PwdChangePasswordA(const char* passwordSet, uint32_t hwnd, uint32_t, uint32_t);
// and come back as platform::EntryPoint; other names are not looked up.

#include <filesystem>
#include <map>
#include <string>

#include "platform/platform.h"

namespace platform::x11 {

// $VELLAMOR_SYSTEM_DIR when it is an absolute folder, or /usr/lib/vellamor-autumn/, always
// ending in '/'.
std::string SystemDirectory();

// The file a library name stands for, as described above.
std::filesystem::path LinuxLibraryPath(const std::string& path);

class LibraryTable {
  public:
    LibraryTable() = default;
    LibraryTable(const LibraryTable&) = delete;
    LibraryTable& operator=(const LibraryTable&) = delete;
    ~LibraryTable();

    // 0 when the library cannot be loaded.
    HMODULE Load(const std::string& path);
    // Empty when the module is unknown, the name is not one of the two, or it is missing.
    EntryPoint Lookup(HMODULE module, const std::string& name);
    bool Free(HMODULE module);

  private:
    std::map<HMODULE, void*> open_;
    HMODULE nextModule_ = 1;
};

}  // namespace platform::x11
