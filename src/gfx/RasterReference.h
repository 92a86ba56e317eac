#pragma once
// A plain per-pixel StretchBlt that states the transfer rules as directly as possible. The
// tests hold the planned, row-wise transfer against it.

#include <cstdint>

#include "gfx/Canvas.h"

namespace gfx {

void StretchBltReference(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                         const Canvas* source, int32_t sourceX, int32_t sourceY,
                         int32_t sourceWidth, int32_t sourceHeight, Rop rop);

}  // namespace gfx
