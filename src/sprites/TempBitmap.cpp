#include "sprites/TempBitmap.h"

#include <memory>

namespace sprites {

namespace {

std::unique_ptr<gfx::Bitmap> tempBitmap;
int32_t liveFrames = 0;

}  // namespace

gfx::Bitmap* TempBitmap() {
    return tempBitmap.get();
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
