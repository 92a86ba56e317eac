#pragma once
// The two procedures the system calls: the window-class procedure of every class the program
// registers, and the timer procedure of every timer it sets. Both pass into the current
// Win32Backend and never let an exception out into the system.

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Native.h"

namespace platform::win32 {

class Win32Callbacks {
  public:
    static void Install(Win32Backend* backend) { backend_ = backend; }
    static Win32Backend* Installed() { return backend_; }

    static ::LRESULT CALLBACK WindowProc(::HWND hwnd, ::UINT message, ::WPARAM wParam,
                                         ::LPARAM lParam);
    static void CALLBACK TimerProc(::HWND hwnd, ::UINT message, ::UINT_PTR id, DWORD time);

  private:
    static inline Win32Backend* backend_ = nullptr;
};

}  // namespace platform::win32
