#pragma once
// Row kernels for colour destinations: one function per raster operation and source kind,
// looked up once per transfer and then run on whole rows. They use SSE2 where the compiler
// targets it and a plain loop elsewhere; both give the same pixels.

#include <cstdint>

#include "gfx/Canvas.h"
#include "gfx/Pixel.h"

namespace gfx::raster {

// The colours a monochrome source gives on a colour destination: for bit 0 and for bit 1.
struct MonoColours {
    Pixel zero = kBlack;
    Pixel one = kWhite;
};

// dest[i] = op(dest[i], source[i]) for i < count; source and dest do not overlap.
using ColourRowKernel = void (*)(Pixel* dest, const Pixel* source, int32_t count);
// dest[i] = op(dest[i], colour of bit i), bit i being bit 7 - i % 8 of bits[i / 8].
using MonoRowKernel = void (*)(Pixel* dest, const uint8_t* bits, int32_t count,
                               MonoColours colours);
// dest[i] = op(dest[i]) for the operations that read no source.
using NoSourceRowKernel = void (*)(Pixel* dest, int32_t count);

// SrcCopy, SrcAnd and SrcPaint; other operations fail with base::EInvalidGraphic.
ColourRowKernel ColourRowKernelFor(Rop rop);
MonoRowKernel MonoRowKernelFor(Rop rop);
// DstInvert and Blackness; other operations fail with base::EInvalidGraphic.
NoSourceRowKernel NoSourceRowKernelFor(Rop rop);

// True when the kernels were built with SSE2.
bool RowKernelsUseSse2();

}  // namespace gfx::raster
