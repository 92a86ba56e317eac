#include "sprites/TempBitmap.h"

#include <algorithm>
#include <memory>

namespace sprites {

namespace {

std::unique_ptr<gfx::Bitmap> tempBitmap;
int32_t liveFrames = 0;

}  // namespace

gfx::Bitmap* TempBitmap() {
    return tempBitmap.get();
}

void GrowTempBitmap(int32_t width, int32_t height) {
    if (tempBitmap != nullptr && (tempBitmap->Width() < width || tempBitmap->Height() < height)) {
        tempBitmap->SetSize(std::max(tempBitmap->Width(), width),
                            std::max(tempBitmap->Height(), height));
    }
}

int32_t LiveFrameCount() {
    return liveFrames;
}

TempBitmapShare::TempBitmapShare() {
    if (liveFrames == 0) {
        tempBitmap = std::make_unique<gfx::Bitmap>();
    }
    ++liveFrames;
}

TempBitmapShare::~TempBitmapShare() {
    if (--liveFrames == 0) {
        tempBitmap.reset();
    }
}

}  // namespace sprites
