#pragma once
// AVX-512 builds of the masked row kernels (the plots of the saver's leaves: forward, mirrored
// and stretched) and of the parts of stretched rows, for processors that have AVX-512 F, BW, VBMI
// and BITALG. Built where the AVX2 kernels are (this file's .cpp is compiled for those extensions);
// RasterRowKernels picks them, and the AVX2 kernels serve for every other kind.

#include "gfx/RasterRowKernels.h"

namespace gfx::raster::avx512 {

MaskedMonoRowsKernel MaskedMonoRowsKernelFor();
MaskedMonoRowsKernel ReversedMaskedMonoRowsKernelFor();
WideShuffledMaskedRowsKernel WideShuffledMaskedRowsKernelFor();
ShuffledPartsKernel ShuffledPartsKernelFor();
MaskedPartsKernel MaskedPartsKernelFor();

}  // namespace gfx::raster::avx512
