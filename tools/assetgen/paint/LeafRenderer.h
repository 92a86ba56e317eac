#pragma once
// Paints one leaf drawing in one pose into a width x height picture of colours plus a cover
// flag a pixel; the edge between leaf and background is hard (a pixel is leaf or not).

#include <cstdint>
#include <vector>

#include "Geometry.h"
#include "LeafPose.h"
#include "LeafKinds.h"
#include "Rgb.h"

namespace assetpaint {

struct LeafPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgb> colours;
    std::vector<uint8_t> cover;  // 1 where the leaf is

    bool Covers(int32_t x, int32_t y) const {
        return cover[static_cast<size_t>(y * width + x)] != 0;
    }
    const Rgb& ColourAt(int32_t x, int32_t y) const {
        return colours[static_cast<size_t>(y * width + x)];
    }
};

// A size of zero or less fails with base::EInvalidGraphic.
LeafPicture RenderLeaf(const LeafDrawing& drawing, const LeafPose& pose, const Affine& toPixels,
                       int32_t width, int32_t height);

}  // namespace assetpaint
