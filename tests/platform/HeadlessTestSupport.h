#pragma once
// Helpers for the platform tests: a window class that records what reaches its procedure.

#include <string>
#include <vector>

#include "platform/headless/HeadlessBackend.h"

namespace platform::testing {

struct Received {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Registers class "Recorder" whose procedure appends every message to `log` and then gives it
// the default handling.
inline void RegisterRecorder(std::vector<Received>& log) {
    WNDCLASS windowClass;
    windowClass.lpszClassName = "Recorder";
    windowClass.lpfnWndProc = [&log](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        log.push_back({hwnd, message, wParam, lParam});
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    RegisterClassA(windowClass);
}

inline std::vector<UINT> MessagesOf(const std::vector<Received>& log, UINT wanted) {
    std::vector<UINT> found;
    for (const Received& item : log) {
        if (item.message == wanted) {
            found.push_back(item.message);
        }
    }
    return found;
}

}  // namespace platform::testing
