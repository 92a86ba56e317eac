#include "scene/StageBackground.h"

#include "gfx/Raster.h"

namespace scene {

void TileBitmap(gfx::Bitmap& dest, const gfx::Bitmap& tile) {
    const int32_t w = tile.Width();
    const int32_t h = tile.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    for (int32_t c = 0; c <= (dest.Width() + w - 1) / w; ++c) {
        for (int32_t r = 0; r <= (dest.Height() + h - 1) / h; ++r) {
            gfx::BitBlt(dest.GetCanvas(), c * w, r * h, w, h, &tile.GetCanvas(), 0, 0,
                        gfx::Rop::SrcCopy);
        }
    }
}

bool IsOnMask(const gfx::Bitmap& mask, int32_t screenWidth, int32_t screenHeight, int32_t x,
              int32_t y) {
    const int32_t mx = x - screenWidth / 2 + mask.Width() / 2;
    const int32_t my = y - screenHeight / 2 + mask.Height() / 2;
    return mask.GetPixel(mx, my) == gfx::kBlack;
}

}  // namespace scene
