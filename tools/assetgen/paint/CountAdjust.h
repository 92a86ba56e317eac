#pragma once
// Brings the number of pixels of one index in a picture to an exact count by moving the edge
// of that index's areas a pixel at a time: corners and lone pixels first, spread evenly, so
// the shapes keep their look.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "IndexedImage.h"

namespace assetpaint {

struct PixelBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // inclusive
    int32_t bottom = 0;  // inclusive
};

struct AdjustRules {
    // Which other indices the ink may spread into and give pixels back to.
    std::function<bool(uint8_t)> exchangeable;
    // Pixels outside the box are never touched, and each border line of the box keeps at
    // least one ink pixel, so a shape that spans the box keeps spanning it.
    PixelBox limit;
};

// Fails with base::EInvalidGraphic when the count cannot be reached.
void AdjustInkCount(IndexedImage& picture, uint8_t ink, size_t target, const AdjustRules& rules);

}  // namespace assetpaint
