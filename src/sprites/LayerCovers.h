#pragma once
// What each layer of an area composed from the bottom up need not draw: the pixels that the
// layers above it give their own colours whatever lies beneath (see gfx::CoveredRows).

#include <cstdint>
#include <vector>

#include "gfx/CoveredRows.h"
#include "sprites/VSprite.h"

namespace sprites {

// A sprite drawn with its top-left corner at (x, y) of the composed bitmap.
struct Layer {
    TVSprite* sprite;
    int32_t x;
    int32_t y;
};

class LayerCovers {
  public:
    // For layers drawn in this order, bottom first, onto `height` rows.
    void Measure(const std::vector<Layer>& layers, int32_t height);
    // The pixels that layers `first` on cover; for first = the layer count, none.
    const gfx::CoveredRows& From(size_t first) const { return covers_[first]; }

  private:
    std::vector<gfx::CoveredRows> covers_;  // kept, so their rows are reused from area to area
};

}  // namespace sprites
