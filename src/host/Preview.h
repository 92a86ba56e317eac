#pragma once
// The preview: five leaf icons drifting from right to left over black, either inside the
// window the desktop passes (ParentWindow) or in a stand-alone 152 x 112 pop-up. It uses its
// own window class and message loop and nothing of the framework.

#include <array>
#include <cstdint>

#include "gfx/Canvas.h"
#include "gfx/Rect.h"
#include "platform/platform.h"

namespace host {

inline constexpr const char* kPreviewClass = "TavrinPreviewClass";
inline constexpr const char* kPreviewTitle = "TavrinSaver";
// The icons move in this area whatever the size of the window.
inline constexpr int32_t kPreviewAreaWidth = 152;
inline constexpr int32_t kPreviewAreaHeight = 112;
inline constexpr uint32_t kPreviewTimerId = 1;
inline constexpr uint32_t kPreviewTimerPeriod = 100;
inline constexpr int kPreviewIconCount = 5;
// How often an embedded preview looks whether its parent window still exists.
inline constexpr uint32_t kParentWatchPeriod = 250;

struct IconPosition {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const IconPosition&, const IconPosition&) = default;
};

// The preview's process-wide state; icon i (1..5) is at index i - 1.
struct PreviewState {
    std::array<platform::HICON, kPreviewIconCount> PreviewIcon{};
    std::array<IconPosition, kPreviewIconCount> IconPos{};
    gfx::Rect previewRect;      // the size given to the window at creation
    platform::HWND window = 0;  // the preview window, once created
    uint32_t parentWatch = 0;   // the thread timer of an embedded preview's parent watch
};
PreviewState& Preview();

// The class the preview window is registered with.
platform::WNDCLASS PreviewWindowClass(bool standalone);

// Creates the preview window and runs its message loop until the window is closed or
// destroyed. Returns at once, silently, when the class or the window cannot be made.
void RunPreview(bool standalone);
platform::LRESULT PreviewWndProc(platform::HWND window, platform::UINT message,
                                 platform::WPARAM wParam, platform::LPARAM lParam);
void PreviewTimerProc(platform::HWND window, platform::UINT message, uint32_t timerId,
                      uint32_t time);
// Ends an embedded preview whose parent is gone. A parent whose program is killed vanishes
// without destroying its children through their program, and with it go the preview window's
// own timer and messages; this thread timer still ticks and ends the message loop.
void WatchParent(platform::HWND, platform::UINT message, uint32_t timerId, uint32_t time);
// Draws every icon where it is, then moves it left by 2i + 3; one that leaves the area on the
// left comes back at x = 152 at a new random height.
void PaintPreview(platform::HWND window, gfx::Canvas& dc);

}  // namespace host
