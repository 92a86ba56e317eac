#pragma once
// The row walk of a block transfer onto a colour bitmap: brings each source row into the
// destination's column order (as it is, realigned bits, mirrored or stretched) and hands whole
// rows to the row kernel chosen for the operation and the source's kind.

#include <cstdint>
#include <vector>

#include "gfx/Canvas.h"
#include "gfx/Pixel.h"
#include "gfx/RasterKernels.h"

namespace gfx::raster {

void RunColourBlit(const BlitPlan& plan, Rop rop);

// count bits of row from bit firstBit on, moved so that the first lands in the top bit of
// out[0]. Reads only the bytes that hold those bits.
void AlignBits(const uint8_t* row, int32_t firstBit, int32_t count, uint8_t* out);

}  // namespace gfx::raster
