#pragma once
// The row walk of a block transfer onto a colour bitmap: brings each source row into the
// destination's column order (as it is, or mirrored or stretched) and hands whole
// rows to the row kernel chosen for the operation and the source's kind.

#include "gfx/Canvas.h"
#include "gfx/MaskedSpans.h"
#include "gfx/Pixel.h"
#include "gfx/RasterKernels.h"

namespace gfx::raster {

void RunColourBlit(const BlitPlan& plan, Rop rop);

// The mask plan with SrcAnd and then the same plan from the image with SrcPaint, row by row:
// neither the mask nor the image is the destination. With the sources' spans (current, or
// null), rows whose bit 1 is white run their spans only.
void RunMaskedColourBlit(const BlitPlan& maskPlan, const Bitmap& image,
                         const MaskedSpans* spans = nullptr);

}  // namespace gfx::raster
