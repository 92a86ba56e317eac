#pragma once
// The windows of the headless backend: the program's own, each with its surface, and stand-ins
// for other programs' windows, which have a procedure of the test's making and no surface.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"
#include "platform/PaintState.h"
#include "platform/platform.h"

namespace platform::headless {

struct HeadlessWindow {
    HWND hwnd = 0;
    std::string className;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    HWND parent = 0;
    HWND owner = 0;    // top-level windows only
    gfx::Rect bounds;  // in the parent's client coordinates, or the screen's for top-level
    bool visible = false;
    bool enabled = true;
    bool topmost = false;
    bool foreign = false;     // a window of another program
    bool destroying = false;  // WM_DESTROY has been sent
    std::optional<gfx::Pixel> background;
    std::shared_ptr<const WNDPROC> proc;
    std::unique_ptr<gfx::Bitmap> surface;  // client area; none for foreign windows
    PaintState paint;
};

class WindowTable {
  public:
    bool AddClass(const WNDCLASS& windowClass);
    const WNDCLASS* FindClass(const std::string& className) const;

    HeadlessWindow& Add(std::unique_ptr<HeadlessWindow> window);
    void Remove(HWND hwnd);
    HWND NewHandle() { return nextHandle_ += 2; }
    HeadlessWindow* Find(HWND hwnd);
    const HeadlessWindow* Find(HWND hwnd) const;
    std::vector<HWND> ChildrenOf(HWND hwnd) const;
    // Top-level windows only; a null className or title matches any. Oldest first.
    HWND FindTopLevel(const char* className, const char* title) const;
    // The first visible window with an area waiting for WM_PAINT, or 0.
    HWND FirstInvalid() const;
    // Visible itself and, for a child, its parents too.
    bool IsShown(const HeadlessWindow& window) const;
    // Outer rectangle in screen coordinates.
    gfx::Rect ScreenRect(const HeadlessWindow& window) const;

  private:
    std::map<std::string, WNDCLASS> classes_;
    std::map<HWND, std::unique_ptr<HeadlessWindow>> windows_;
    HWND nextHandle_ = 0x00010000;
};

}  // namespace platform::headless
