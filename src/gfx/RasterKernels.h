#pragma once
// The pixel step of a block transfer: walks the planned rows and applies one raster operation,
// with the pixel-format variant and the operation chosen once per transfer.

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/RasterPlan.h"

namespace gfx::raster {

struct BlitPlan {
    Bitmap* dest = nullptr;
    const Bitmap* source = nullptr;  // null for the operations that read no source
    AxisMap columns;
    AxisMap rows;
    // A monochrome source on colour: [0] the destination's text colour for bit 0, [1] its
    // background colour for bit 1.
    Pixel monoColours[2] = {kBlack, kWhite};
    Pixel sourceBackground = kWhite;  // a colour source on monochrome: this colour becomes 1
    // The destination's pixels the transfer may leave (see CoveredRows), or null.
    const CoveredRows* covered = nullptr;
};

void RunBlit(const BlitPlan& plan, Rop rop);

}  // namespace gfx::raster
