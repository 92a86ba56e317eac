#pragma once
// What the Win32 backend keeps about classes, windows, timers, icons and libraries.

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/Win32Native.h"

namespace platform::win32 {

struct ClassRecord {
    std::string name;
    std::shared_ptr<const WNDPROC> proc;
    std::optional<gfx::Pixel> background;
    HBRUSH brush = nullptr;  // the system's copy of the background, owned here
};

struct WindowRecord {
    std::shared_ptr<const WNDPROC> proc;
    std::optional<gfx::Pixel> background;
    gfx::Bitmap surface;
    // Between BeginPaint and EndPaint: the system's paint record and the area being painted.
    bool painting = false;
    ::PAINTSTRUCT paint{};
    gfx::Rect paintArea;
};

// The surface follows the client area's size; growing keeps the pixels already drawn.
void FitSurface(WindowRecord& record, HWND hwnd);

struct TimerEntry {
    std::shared_ptr<const TIMERPROC> proc;  // none: the tick goes to the window's procedure
    uint32_t elapse = 0;                    // 0: the timer exists but gives no ticks
};

struct IconRecord {
    ::HICON native = nullptr;
    Icon pictures;
};

struct LibraryRecord {
    ::HMODULE native = nullptr;
    std::shared_ptr<bool> loaded;  // shared with the entry points handed out
};

}  // namespace platform::win32
