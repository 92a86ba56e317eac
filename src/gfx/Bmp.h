#pragma once
// BMP files: read uncompressed 1, 4, 8, 24 and 32 bits a pixel, bottom-up and top-down; write
// 1, 8, 24 and 32 bits. The reader treats its input as hostile: any fault is an
// base::EInvalidGraphic whose message names it, raised before anything is allocated for it.
//
// A 1-bit picture whose colour table holds exactly black and white reads as a monochrome
// bitmap; every other picture reads as a colour bitmap. Every picture keeps its depth and
// 1- and 8-bit pictures their colour table (Bitmap::SetStoredForm), so that writing a read
// picture again gives the same bytes; a 4-bit picture is kept as 8 bits with its 16 colours.
// At most kMaxBmpPixels pixels are read, so a small hostile file cannot ask for gigabytes.

#include <cstdint>
#include <span>
#include <vector>

#include "base/MemoryStream.h"
#include "gfx/Bitmap.h"

namespace gfx {

inline constexpr int32_t kMaxBmpDimension = kMaxBitmapDimension;  // a file's side fits a bitmap
inline constexpr int64_t kMaxBmpPixels = int64_t{1} << 26;

Bitmap ReadBmp(std::span<const uint8_t> file);

// depth 0 writes the stored form the bitmap was read with, else 1 for monochrome and 32 for
// colour. An 8- or 1-bit write maps every pixel to the nearest entry of the colour table: the
// stored one, else black and white for 1 bit, else for 8 bits the picture's own colours when
// there are at most 256 (padded to 256 entries), else a uniform 8-8-4 table.
std::vector<uint8_t> WriteBmp(const Bitmap& bitmap, int depth = 0);

// The bitmap stream payload: a 32-bit byte count N, then an N-byte BMP file; N = 0 stands for
// an empty bitmap. Reading replaces the bitmap's content.
void ReadBitmapPayload(base::MemoryStream& stream, Bitmap& bitmap);
void WriteBitmapPayload(base::MemoryStream& stream, const Bitmap& bitmap);

}  // namespace gfx
