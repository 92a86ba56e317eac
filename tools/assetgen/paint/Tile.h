#pragma once
// The 100 x 100 background tile: dark green with five flecks of grey.

#include "IndexedImage.h"

namespace assetpaint {

inline constexpr int32_t kTileSize = 100;

// In the logo palette.
IndexedImage PaintTilePixels();

}  // namespace assetpaint
