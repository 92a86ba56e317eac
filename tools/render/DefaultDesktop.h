#pragma once
// A desktop picture for renders without one: a calm gradient with a few windows on it.

#include <cstdint>

#include "gfx/Bitmap.h"

namespace render {

gfx::Bitmap PaintDefaultDesktop(int32_t width, int32_t height);

}  // namespace render
