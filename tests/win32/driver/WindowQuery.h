#pragma once
// What the driver learns about windows through the window system: top-level windows of any
// program, their class, title, bounds and styles, children, and pixels on the screen.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace driver {

struct WindowFacts {
    HWND hwnd = nullptr;
    std::string className;
    std::string title;
    RECT bounds{};  // screen coordinates
    LONG style = 0;
    LONG exStyle = 0;
    bool visible = false;
    DWORD processId = 0;

    bool Topmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    int Width() const { return bounds.right - bounds.left; }
    int Height() const { return bounds.bottom - bounds.top; }
};

WindowFacts FactsOf(HWND hwnd);
std::vector<WindowFacts> TopLevelWindows();
// The first top-level window of the process (0: any) with that title (and class, when given).
std::optional<WindowFacts> FindTopLevel(DWORD processId, const std::string& title,
                                        const std::string& className = {});

// Polls `condition` every few milliseconds, pumping the driver's own messages, until it holds or
// the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Waits for a top-level window as FindTopLevel finds it.
std::optional<WindowFacts> WaitForTopLevel(DWORD processId, const std::string& title,
                                           DWORD timeoutMs, const std::string& className = {});

// A pixel of a window's client area (nullptr: of the screen) as it is shown now, 0x00RRGGBB.
uint32_t ShownPixel(HWND hwnd, int x, int y);

}  // namespace driver
