#pragma once
// One frame of a frame list, prepared for the transparent blue as the stored lists are, and a
// destination shaped like the sprite box's scratch bitmap: what a sprite's plot works on.

#include <cstdint>

#include "BenchPictures.h"
#include "gfx/Bitmap.h"
#include "sprites/FrameList.h"

namespace bench {

class FrameFixture {
  public:
    // The frame stands second in its strip, at X = 141, so its mask bits start inside a byte
    // as most frames of the stored lists do.
    FrameFixture(const Shape& opaque, int32_t width, int32_t height);

    const sprites::TFrame& Frame() const { return list_.Items(1); }
    // (2 W - 1) x (2 H - 1), filled with a background picture.
    gfx::Canvas& Destination() { return destination_.GetCanvas(); }
    // The list's strips, for plotting the frame's rectangle of them directly.
    const gfx::Canvas& MaskCanvas() { return list_.Mask().GetCanvas(); }
    const gfx::Canvas& ImageCanvas() { return list_.ImageCanvas(); }
    // Opaque pixels of the frame, as a check that the mask was prepared.
    int64_t OpaqueCount() const;

  private:
    void PaintStrip(const Shape& opaque, int32_t x0, int32_t width, int32_t height);

    sprites::TFrameList list_;
    gfx::Bitmap destination_;
};

}  // namespace bench
