#pragma once
// BMP files: read uncompressed 1, 4, 8, 24 and 32 bits a pixel, bottom-up and top-down; write
// 1, 8, 24 and 32 bits. The reader treats its input as hostile: any fault is an
// base::EInvalidGraphic whose message names it, raised before anything is allocated for it.
//
// A 1-bit picture whose colour table holds exactly black and white reads as a monochrome
// bitmap; every other picture reads as a colour bitmap. 1- and 8-bit pictures keep their
// colour table and depth (Bitmap::SetStoredForm), so that writing a read picture again gives
// the same bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "base/MemoryStream.h"
#include "gfx/Bitmap.h"

namespace gfx {

inline constexpr int32_t kMaxBmpDimension = 32767;

Bitmap ReadBmp(std::span<const uint8_t> file);

// depth 0 writes the stored form the bitmap was read with, else 1 for monochrome and 32 for
// colour. An 8- or 1-bit write maps every pixel to the nearest entry of the colour table.
std::vector<uint8_t> WriteBmp(const Bitmap& bitmap, int depth = 0);

// The bitmap stream payload: a 32-bit byte count N, then an N-byte BMP file; N = 0 stands for
// an empty bitmap. Reading replaces the bitmap's content.
void ReadBitmapPayload(base::MemoryStream& stream, Bitmap& bitmap);
void WriteBitmapPayload(base::MemoryStream& stream, const Bitmap& bitmap);

}  // namespace gfx
