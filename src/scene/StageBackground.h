#pragma once
// The background operations that need no sprite: tiling a bitmap and testing a screen point
// against a logo mask centred on the screen.

#include <cstdint>

#include "gfx/Bitmap.h"

namespace scene {

// Fills dest with copies of tile aligned to dest's top-left corner (one more column and row
// than needed; they are clipped). An empty tile leaves dest as it is.
void TileBitmap(gfx::Bitmap& dest, const gfx::Bitmap& tile);

// Whether the screen point (x, y) lies on a black pixel of mask placed centred on the screen;
// a point outside the mask is not on it.
bool IsOnMask(const gfx::Bitmap& mask, int32_t screenWidth, int32_t screenHeight, int32_t x,
              int32_t y);

}  // namespace scene
