#pragma once
// Block transfers in the platform's words. The source is converted to the destination's kind
// first (see Canvas), then combined by the raster operation. Every copy clips to both bitmaps
// and to the destination's clip box: pixels whose source or destination falls outside are not
// touched. A copy within one bitmap gives the result of copying from a snapshot of the source.

#include <cstdint>

#include "gfx/Canvas.h"

namespace gfx {

class MaskedSpans;

// source may be null for the operations that read none (DstInvert, Blackness).
void BitBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height, const Canvas* source,
            int32_t sourceX, int32_t sourceY, Rop rop);

// Nearest-pixel stretch. A negative extent mirrors: destination origin x0 with extent -w
// covers columns x0 - w + 1 .. x0; rows likewise; the same holds for the source.
void StretchBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                const Canvas* source, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                int32_t sourceHeight, Rop rop);

// A masked plot in one call: mask onto dest with SrcAnd, then image onto dest with SrcPaint,
// both with this placement; the pixels are those of the two StretchBlt calls. When both map
// onto the same destination pixels and neither is dest, each destination row is combined with
// the mask and then with the image while it is in the cache: one pass over it instead of two.
// Given the spans of the two pictures (MaskedSpans), measured over an area that holds the
// source rectangle and still describing them, a plot whose bit 1 is white leaves out each
// row's part outside its span, where it would not change the destination.
void MaskedStretchBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                      const Canvas& mask, const Canvas& image, int32_t sourceX, int32_t sourceY,
                      int32_t sourceWidth, int32_t sourceHeight,
                      const MaskedSpans* spans = nullptr);

}  // namespace gfx
