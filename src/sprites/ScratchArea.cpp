#include "sprites/ScratchArea.h"

#include "sprites/TempBitmap.h"

namespace sprites {

gfx::Bitmap* ScratchFor(int32_t width, int32_t height) {
    GrowTempBitmap(width, height);
    return TempBitmap();
}

}  // namespace sprites
