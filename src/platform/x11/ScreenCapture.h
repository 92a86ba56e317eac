#pragma once
// Pictures of what the screen shows, read back from the server.

#include <cstdint>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"
#include "platform/x11/Connection.h"

namespace platform::x11 {

// The area of the drawable (the root window for the screen); black where it cannot be read.
gfx::Bitmap CaptureArea(const Connection& connection, Drawable drawable, const gfx::Rect& area);

}  // namespace platform::x11
