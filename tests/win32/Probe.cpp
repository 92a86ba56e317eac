// A stand-in for the desktop's settings dialog, whose preview area holds a saver's preview: a
// visible pop-up titled "Probe parent" at (100, 100), 200 x 150, on the Win32 backend, that
// runs until its program is ended from outside.
#include <iostream>

#include "platform/platform.h"
#include "platform/win32/Win32Backend.h"

int main() {
    using namespace platform;
    try {
        win32::Win32Backend backend;
        RegisterClassA(WNDCLASS{0, DefWindowProcA, CursorShape::Arrow, gfx::kWhite, "ProbeParent"});
        if (CreateWindowExA(0, "ProbeParent", "Probe parent", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                            150, 0) == 0) {
            return 3;
        }
        MSG msg;
        while (GetMessageA(msg)) {
            DispatchMessageA(msg);
        }
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "probe: " << failure.what() << "\n";
        return 2;
    }
}
