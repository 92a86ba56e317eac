#pragma once
// The groups through which the shuffled row kernels read a stretched row (see ShuffleGroup and
// WideShuffleGroup): worked out once for a transfer from where each destination pixel reads.

#include <cstdint>
#include <vector>

#include "gfx/RasterRowKernels.h"

namespace gfx::raster {

// Where a stretched row reads: destination pixel j takes span pixel places[j], the span being
// spanCount source pixels from source column `first` on, in mask rows of maskBytes bytes.
struct StretchedSpan {
    int32_t first = 0;
    int32_t spanCount = 0;
    const std::vector<int32_t>& places;
    int32_t maskBytes = 0;
};

// The groups of a row, or none when it is shorter than a group, its span shorter than the
// pixels a group takes, or a group's pixels read places too far apart for one group; no
// sixteen-pixel groups either where a mask row is shorter than the word they read.
std::vector<ShuffleGroup> ShuffleGroupsOf(const StretchedSpan& span);
std::vector<WideShuffleGroup> WideShuffleGroupsOf(const StretchedSpan& span);

}  // namespace gfx::raster
