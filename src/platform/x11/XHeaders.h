#pragma once
// The X headers, included after platform.h. Xlib's None macro would swallow CursorShape::None,
// so it is replaced by kXNone; nothing else of the headers is renamed.

#include "platform/platform.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#undef None

namespace platform::x11 {

inline constexpr unsigned long kXNone = 0;

}  // namespace platform::x11
