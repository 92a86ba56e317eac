#pragma once
// AVX2 builds of the colour-destination row kernels, for processors that have it. Only built
// on x86-64 Linux (this file's .cpp is compiled with -mavx2); RasterRowKernels picks them.

#include "gfx/RasterRowKernels.h"

namespace gfx::raster::avx2 {

// Null for the operations these kernels do not cover.
ColourRowKernel ColourRowKernelFor(Rop rop);
MonoRowKernel MonoRowKernelFor(Rop rop);
ColourRowKernel ReversedColourRowKernelFor(Rop rop);
GatherRowKernel GatherRowKernelFor(Rop rop);
MaskedMonoRowsKernel MaskedMonoRowsKernelFor();
MaskedColourRowKernel MaskedColourRowKernelFor();
MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor();
ShuffledMaskedRowsKernel ShuffledMaskedRowsKernelFor();
// The row copy by the string move, whether or not SrcCopy takes it on this processor.
ColourRowKernel StringCopyRowKernel();

}  // namespace gfx::raster::avx2
