#pragma once
// One shared memory segment (MIT-SHM) that the X server has attached: images in it are sent by
// naming the segment, not by copying their pixels through the connection.

#include <cstddef>
#include <optional>

#include "platform/x11/XHeaders.h"

namespace platform::x11 {

// A segment of `bytes` made, mapped here and attached by the server; none where the system
// refuses the segment or the server cannot attach it (a display on another machine). The
// segment is already marked for removal: it goes when both sides have let it go.
std::optional<XShmSegmentInfo> AttachSharedSegment(Display* display, size_t bytes);

// The server lets the segment go once it has done the requests sent before, and so does this
// program.
void DetachSharedSegment(Display* display, XShmSegmentInfo& segment);

}  // namespace platform::x11
