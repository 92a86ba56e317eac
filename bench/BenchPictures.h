#pragma once
// The pictures the benchmarks plot: which pixels of a frame are opaque, and their colours.

#include <cstdint>
#include <vector>

#include "gfx/Pixel.h"

namespace bench {

// Opaque pixels, row by row, width * height entries.
using Shape = std::vector<bool>;

// A serrated leaf on a stem, lying diagonally in the frame like a tumbling leaf: about half of
// the pixels opaque, in long runs with ragged edges.
Shape LeafShape(int32_t width, int32_t height);

// Every pixel opaque or not at random, half and half: the worst case for run-based tricks.
Shape NoiseShape(int32_t width, int32_t height, uint32_t seed);

// An autumn colour for an opaque pixel (never the transparent blue).
gfx::Pixel LeafColour(int32_t x, int32_t y);

}  // namespace bench
