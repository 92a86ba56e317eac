#pragma once
// The X headers, included after platform.h. Xlib's macros None, CursorShape and Bool would clash
// with CursorShape::None and other code's names; they go (kXNone stands for None, int for Bool).

#include "platform/platform.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#undef None
#undef CursorShape
#undef Bool

namespace platform::x11 {

inline constexpr unsigned long kXNone = 0;

}  // namespace platform::x11
