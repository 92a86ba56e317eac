#pragma once
// The strip of the three logo frames in palette indices.

#include <cstddef>

#include "LeafStrip.h"

namespace assetpaint {

// The black (transparent) pixels each logo frame holds: none in "ster".
inline constexpr size_t kLabelBlackPixels = 14678;
inline constexpr size_t kBarBlackPixels = 35242;

IndexedStrip PaintLogoStripPixels();

}  // namespace assetpaint
