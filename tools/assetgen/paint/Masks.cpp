#include "Masks.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "DistanceField.h"
#include "Palette.h"
#include "base/Exceptions.h"

namespace assetpaint {

namespace {

constexpr uint8_t kInside = 1;
constexpr float kSmallestMargin = 2.0F;
constexpr float kLargestMargin = 90.0F;

PixelBox BoxOf(const IndexedImage& mask) {
    PixelBox box{mask.Width(), mask.Height(), -1, -1};
    for (int32_t y = 0; y < mask.Height(); ++y) {
        for (int32_t x = 0; x < mask.Width(); ++x) {
            if (mask.At(x, y) == kInside) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

IndexedImage Grow(const IndexedImage& shape, const std::vector<float>& distances, float margin) {
    IndexedImage grown(shape.Width(), shape.Height(), 0);
    const float limit = margin * margin;
    for (int32_t y = 0; y < shape.Height(); ++y) {
        for (int32_t x = 0; x < shape.Width(); ++x) {
            if (distances[static_cast<size_t>(y * shape.Width() + x)] <= limit) {
                grown.Set(x, y, kInside);
            }
        }
    }
    return grown;
}

// Stretches the shape's bounding box onto the target box (nearest pixel).
IndexedImage FitToBox(const IndexedImage& shape, const PixelBox& target) {
    const PixelBox from = BoxOf(shape);
    IndexedImage fitted(shape.Width(), shape.Height(), 0);
    const float sx = static_cast<float>(from.right - from.left + 1) /
                     static_cast<float>(target.right - target.left + 1);
    const float sy = static_cast<float>(from.bottom - from.top + 1) /
                     static_cast<float>(target.bottom - target.top + 1);
    for (int32_t y = target.top; y <= target.bottom; ++y) {
        const auto fy =
            from.top + static_cast<int32_t>((static_cast<float>(y - target.top) + 0.5F) * sy);
        for (int32_t x = target.left; x <= target.right; ++x) {
            const auto fx =
                from.left + static_cast<int32_t>((static_cast<float>(x - target.left) + 0.5F) * sx);
            if (shape.At(std::min(fx, from.right), std::min(fy, from.bottom)) == kInside) {
                fitted.Set(x, y, kInside);
            }
        }
    }
    return fitted;
}

// The margin whose grown, fitted shape comes nearest to the wanted count (the count grows
// with the margin, so halving the interval finds it).
IndexedImage BestFit(const IndexedImage& shape, const MaskTarget& target) {
    const std::vector<float> distances =
        SquaredDistances(shape.Pixels(), shape.Width(), shape.Height());
    float low = kSmallestMargin;
    float high = kLargestMargin;
    for (int step = 0; step < 24; ++step) {
        const float middle = 0.5F * (low + high);
        const size_t count = FitToBox(Grow(shape, distances, middle), target.box).Count(kInside);
        (count < target.blackPixels ? low : high) = middle;
    }
    return FitToBox(Grow(shape, distances, 0.5F * (low + high)), target.box);
}

}  // namespace

const std::array<MaskTarget, 3>& MaskTargets() {
    static const std::array<MaskTarget, 3> targets = {{
        {92098, {85, 0, 503, 392}},
        {114757, {142, 7, 455, 387}},
        {122015, {20, 73, 577, 326}},
    }};
    return targets;
}

IndexedImage LogoShape(const IndexedStrip& logos, size_t frameIndex) {
    if (frameIndex >= logos.frames.size()) {
        throw base::EListError("LogoShape: no logo frame " + std::to_string(frameIndex));
    }
    const FrameEntry& frame = logos.frames[frameIndex];
    IndexedImage shape(kMaskWidth, kMaskHeight, 0);
    const int32_t left = (kMaskWidth - frame.width) / 2;
    const int32_t top = (kMaskHeight - frame.height) / 2;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            if (logos.pixels.At(frame.x + x, frame.y + y) != kTileGreenIndex) {
                shape.Set(left + x, top + y, kInside);
            }
        }
    }
    return shape;
}

IndexedImage PaintMaskPixels(const IndexedStrip& logos, size_t frameIndex) {
    if (frameIndex >= MaskTargets().size()) {
        throw base::EListError("PaintMaskPixels: no mask for logo frame " +
                               std::to_string(frameIndex));
    }
    const MaskTarget& target = MaskTargets()[frameIndex];
    IndexedImage mask = BestFit(LogoShape(logos, frameIndex), target);
    AdjustInkCount(mask, kInside, target.blackPixels,
                   {[](uint8_t index) { return index != kInside; }, target.box});
    return mask;
}

}  // namespace assetpaint
