#pragma once
// Exact squared Euclidean distances to the nearest set pixel (two passes of the lower
// envelope of parabolas), for growing a logo's shape by a margin.

#include <cstdint>
#include <vector>

namespace assetpaint {

// For a width x height grid of 0/1 values, the squared distance of every cell to the nearest
// cell with value 1 (0 on such cells); a grid without set cells gives huge values.
std::vector<float> SquaredDistances(const std::vector<uint8_t>& cells, int32_t width,
                                    int32_t height);

}  // namespace assetpaint
