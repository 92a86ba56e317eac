#include "sprites/ScratchArea.h"

#include <algorithm>

#include "sprites/TempBitmap.h"

namespace sprites {

gfx::Bitmap* ScratchFor(int32_t width, int32_t height) {
    gfx::Bitmap* scratch = TempBitmap();
    if (scratch != nullptr && (scratch->Width() < width || scratch->Height() < height)) {
        scratch->SetSize(std::max(scratch->Width(), width), std::max(scratch->Height(), height));
    }
    return scratch;
}

}  // namespace sprites
