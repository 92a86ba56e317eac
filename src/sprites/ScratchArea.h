#pragma once
// Access to the frame unit's scratch bitmap for composing an area: it is grown on demand to
// hold the area whole, and, as everywhere, never shrunk while frames exist.

#include <cstdint>

#include "gfx/Bitmap.h"

namespace sprites {

// The scratch bitmap grown to at least width x height, or null while no frame exists.
gfx::Bitmap* ScratchFor(int32_t width, int32_t height);

}  // namespace sprites
