#pragma once
// The X headers, included after platform.h. Xlib's macros None and CursorShape would swallow
// platform::CursorShape::None; they go, and kXNone stands for None.

#include "platform/platform.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#undef None
#undef CursorShape

namespace platform::x11 {

inline constexpr unsigned long kXNone = 0;

}  // namespace platform::x11
