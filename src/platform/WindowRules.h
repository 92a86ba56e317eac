#pragma once
// What the backends that keep their windows' bounds, stacking and owners themselves (headless
// and X11) answer alike: what SetWindowPos makes of a window, what GetParent answers, and which
// of a window's styles a GetWindowLongA index names.

#include <algorithm>
#include <cstdint>

#include "gfx/Rect.h"
#include "platform/platform.h"

namespace platform {

// The new corner unless SWP_NOMOVE, the new size unless SWP_NOSIZE (a negative one as 0).
inline gfx::Rect PositionedBounds(const gfx::Rect& bounds, int32_t x, int32_t y, int32_t width,
                                  int32_t height, UINT flags) {
    gfx::Rect placed = bounds;
    if ((flags & SWP_NOMOVE) == 0) {
        placed = gfx::RectFromSize(x, y, placed.Width(), placed.Height());
    }
    if ((flags & SWP_NOSIZE) == 0) {
        placed =
            gfx::RectFromSize(placed.left, placed.top, std::max(width, 0), std::max(height, 0));
    }
    return placed;
}

// The window record's style (GWL_STYLE) or extended style (GWL_EXSTYLE); null for another
// index.
template <class Window>
uint32_t* StyleOf(Window& window, int index) {
    return index == GWL_STYLE ? &window.style : index == GWL_EXSTYLE ? &window.exStyle : nullptr;
}

// HWND_TOPMOST and HWND_NOTOPMOST set or clear the window record's topmost state, which its
// extended style reports as WS_EX_TOPMOST, as on the platform; any other keeps it.
template <class Window>
void PlaceTopmost(Window& window, HWND insertAfter) {
    if (insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        return;
    }
    window.topmost = insertAfter == HWND_TOPMOST;
    window.exStyle =
        window.topmost ? window.exStyle | WS_EX_TOPMOST : window.exStyle & ~WS_EX_TOPMOST;
}

// A child's parent; a top-level pop-up's owner, as Win32 answers; else 0.
inline HWND ParentAnswer(HWND parent, HWND owner, uint32_t style) {
    const bool popup = parent == 0 && (style & WS_POPUP) != 0;
    return popup ? owner : parent;
}

}  // namespace platform
