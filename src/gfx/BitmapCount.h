#pragma once
// How many gfx::Bitmap objects exist in the process: a cheap live counter for the resource
// accounting of long runs (a count that keeps growing is a leak).

#include <cstdint>

namespace gfx {

int64_t LiveBitmapCount();

}  // namespace gfx
