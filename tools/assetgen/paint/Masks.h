#pragma once
// The three logo masks: 600 x 400, 1 where the logo's area is (drawn black), 0 elsewhere.
// Each is the logo's shape, centred as on the screen, grown by a margin, fitted to the mask's
// stored bounding box and trimmed to its stored pixel count.

#include <array>
#include <cstddef>

#include "CountAdjust.h"
#include "IndexedImage.h"
#include "LeafStrip.h"

namespace assetpaint {

inline constexpr int32_t kMaskWidth = 600;
inline constexpr int32_t kMaskHeight = 400;

struct MaskTarget {
    size_t blackPixels;
    PixelBox box;  // the black area's bounding box, inclusive
};

// The targets of the star, label and bar masks, in the logo strip's frame order.
const std::array<MaskTarget, 3>& MaskTargets();

// The logo frame's shape (every pixel not the surround green), centred in a mask.
IndexedImage LogoShape(const IndexedStrip& logos, size_t frameIndex);
// The mask of one logo frame (0, 1 or 2); another index fails with base::EListError.
IndexedImage PaintMaskPixels(const IndexedStrip& logos, size_t frameIndex);

}  // namespace assetpaint
