#pragma once
// The frame unit's one process-wide scratch bitmap. It exists exactly while frames exist: the
// first frame creates it empty, every frame grows it to fit twice its own size, and the last
// frame to go frees it. The sprite box and the scene compose in it.

#include <cstdint>

#include "gfx/Bitmap.h"

namespace sprites {

// The scratch bitmap, or null while no frame exists.
gfx::Bitmap* TempBitmap();

// Grows the scratch bitmap, if there is one, to at least width x height, in one step (each
// step makes a new buffer and copies the old one).
void GrowTempBitmap(int32_t width, int32_t height);

// How many frames exist in the process.
int32_t LiveFrameCount();

// One frame's share of the scratch bitmap: counts the frame while it lives.
class TempBitmapShare {
  public:
    TempBitmapShare();
    TempBitmapShare(const TempBitmapShare&) = delete;
    TempBitmapShare& operator=(const TempBitmapShare&) = delete;
    ~TempBitmapShare();
};

}  // namespace sprites
