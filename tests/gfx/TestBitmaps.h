#pragma once
// Helpers of the gfx tests: bitmaps from text rows, random bitmaps, pixel comparison, and
// transfers held against the per-pixel reference.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"

namespace gfx::test {

// Mono rows as "0"/"1" digits; colour rows as hex RRGGBB values separated by blanks.
Bitmap MonoFromRows(const std::vector<std::string>& rows);
Bitmap ColourFromRows(const std::vector<std::string>& rows);

// A bitmap of random pixels drawn from a small palette (so colour keys hit sometimes).
Bitmap RandomBitmap(std::mt19937& random, int32_t width, int32_t height, PixelFormat format);

// Empty when both have the same size, kind and pixels; else the first difference.
std::string Difference(const Bitmap& expected, const Bitmap& actual);

struct Transfer {
    int32_t x, y, w, h, sx, sy, sw, sh;
    Rop rop;
};

// Makes the transfer with StretchBlt (or BitBlt) and with the reference on a copy of dest that
// has its colours; the difference between the two, empty if none. A null source is dest itself.
std::string DifferenceFromReference(Bitmap& dest, const Bitmap* source, const Transfer& t,
                                    bool bitBlt = false);

std::vector<uint8_t> ReadFile(const std::string& path);
std::string DataPath(const std::string& relative);

}  // namespace gfx::test
