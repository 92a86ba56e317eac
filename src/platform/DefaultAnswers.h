#pragma once
// What DefWindowProcA does alike in the backends that keep their own windows (headless and
// X11), through the backend's own operations: WM_CLOSE destroys the window, WM_PAINT validates
// it, Alt+F4 asks to close, SC_CLOSE closes, and a session may always end; and the erase of a
// window's surface with its class' brush. The other system commands are each backend's own.

#include <optional>

#include "gfx/Bitmap.h"
#include "platform/Backend.h"
#include "platform/PaintState.h"

namespace platform {

// WM_ERASEBKGND for a window whose client area is `surface`: fills the area of the paint in
// progress (or the whole client area) with the class' brush; 0 when there is no brush.
LRESULT EraseBackground(const PaintState& paint, const gfx::Rect& client, gfx::Bitmap* surface,
                        const std::optional<gfx::Pixel>& brush);

// The answer to `message`, or none for a message this leaves to the backend.
std::optional<LRESULT> DefaultAnswer(Backend& backend, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);

}  // namespace platform
