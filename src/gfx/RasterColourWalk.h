#pragma once
// The row walk of a block transfer onto a colour bitmap: brings each source row into the
// destination's column order (as it is, or mirrored or stretched) and hands whole
// rows to the row kernel chosen for the operation and the source's kind.

#include "gfx/Canvas.h"
#include "gfx/Pixel.h"
#include "gfx/RasterKernels.h"

namespace gfx::raster {

void RunColourBlit(const BlitPlan& plan, Rop rop);

// The mask plan with SrcAnd and then the image plan with SrcPaint, row by row: both plans
// write the same destination pixels, and neither source is the destination.
void RunMaskedColourBlit(const BlitPlan& maskPlan, const BlitPlan& imagePlan);

}  // namespace gfx::raster
