#include "LeafRenderer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ValueNoise.h"
#include "base/Exceptions.h"

namespace assetpaint {

namespace {

// The back of a leaf is duller and paler, its warm colour turned towards a light brown grey.
Rgb BackSide(const Rgb& front) {
    const float light = (0.3F * front.r + 0.59F * front.g + 0.11F * front.b) * 1.15F;
    return Scale(Mix(front, {light, light * 0.86F, light * 0.62F}, 0.38F), 1.06F);
}

// Everything one leaf picture is painted from.
struct Canvas {
    const LeafDrawing& drawing;
    const LeafPose& pose;
    const Affine& toPixels;
    Affine toLeaf;
    int32_t width;
    int32_t height;
    float sizeScale;
    std::vector<uint8_t> blade;
    std::vector<float> edgeDistance;
    std::vector<float> vein;
    std::vector<float> stem;

    size_t At(int32_t x, int32_t y) const { return static_cast<size_t>(y * width + x); }
};

void FillBlade(Canvas& c) {
    c.blade.assign(static_cast<size_t>(c.width * c.height), 0);
    FillPolygon(Transform(c.drawing.outline, c.toPixels), c.width, c.height,
                [&c](int32_t x, int32_t y) { c.blade[c.At(x, y)] = 1; });
}

// Chamfer distance (in pixels) from every blade pixel to the nearest pixel outside it.
void MeasureEdgeDistance(Canvas& c) {
    constexpr float kFar = 1e6F;
    c.edgeDistance.assign(c.blade.size(), 0.0F);
    auto dist = [&c](int32_t x, int32_t y) {
        return (x < 0 || y < 0 || x >= c.width || y >= c.height) ? 0.0F
                                                                 : c.edgeDistance[c.At(x, y)];
    };
    for (int32_t y = 0; y < c.height; ++y) {
        for (int32_t x = 0; x < c.width; ++x) {
            if (c.blade[c.At(x, y)] == 0) {
                continue;
            }
            float d = std::min(dist(x - 1, y), dist(x, y - 1)) + 1.0F;
            d = std::min({d, dist(x - 1, y - 1) + 1.41F, dist(x + 1, y - 1) + 1.41F, kFar});
            c.edgeDistance[c.At(x, y)] = d;
        }
    }
    for (int32_t y = c.height - 1; y >= 0; --y) {
        for (int32_t x = c.width - 1; x >= 0; --x) {
            float& d = c.edgeDistance[c.At(x, y)];
            if (d > 0.0F) {
                d = std::min({d, dist(x + 1, y) + 1.0F, dist(x, y + 1) + 1.0F,
                              dist(x + 1, y + 1) + 1.41F, dist(x - 1, y + 1) + 1.41F});
            }
        }
    }
}

// Adds a line of the given width (pixels) to a strength buffer, soft inside its last pixel.
void StrokeLine(Canvas& c, std::vector<float>& buffer, const Polyline& path, float startWidth,
                float endWidth) {
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const float along = static_cast<float>(i) / static_cast<float>(path.size() - 1);
        const float half = 0.5F * (startWidth + (endWidth - startWidth) * along);
        const Vec2 a = path[i];
        const Vec2 b = path[i + 1];
        const auto left = static_cast<int32_t>(std::floor(std::min(a.x, b.x) - half - 1.0F));
        const auto right = static_cast<int32_t>(std::ceil(std::max(a.x, b.x) + half + 1.0F));
        const auto top = static_cast<int32_t>(std::floor(std::min(a.y, b.y) - half - 1.0F));
        const auto bottom = static_cast<int32_t>(std::ceil(std::max(a.y, b.y) + half + 1.0F));
        for (int32_t y = std::max(top, 0); y <= std::min(bottom, c.height - 1); ++y) {
            for (int32_t x = std::max(left, 0); x <= std::min(right, c.width - 1); ++x) {
                const Vec2 centre{static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F};
                const float strength =
                    std::clamp(half + 0.5F - DistanceToSegment(centre, a, b), 0.0F, 1.0F);
                buffer[c.At(x, y)] = std::max(buffer[c.At(x, y)], strength);
            }
        }
    }
}

void DrawVeinsAndStem(Canvas& c) {
    c.vein.assign(c.blade.size(), 0.0F);
    c.stem.assign(c.blade.size(), 0.0F);
    for (const Vein& v : c.drawing.veins) {
        const float w = std::max(0.8F, v.width * c.sizeScale);
        StrokeLine(c, c.vein, Transform(v.path, c.toPixels), w, std::max(0.7F, w * 0.45F));
    }
    const float stemWidth = std::max(1.6F, c.drawing.stemWidth * c.sizeScale);
    StrokeLine(c, c.stem, Transform(c.drawing.stem, c.toPixels), stemWidth, stemWidth * 0.7F);
}

// Light from the upper left falls on a blade folded along its midrib.
float FoldShade(const Canvas& c, const Vec2& leaf) {
    const float slope = leaf.x >= 0.0F ? -1.0F : 1.0F;
    // Gradients map with the transposed inverse of the leaf-to-pixel map.
    const float gx = c.toLeaf.a * slope;
    const float gy = c.toLeaf.b * slope;
    const float length = std::hypot(gx, gy);
    if (length < 1e-6F) {
        return 1.0F;
    }
    const float facing = (gx * -0.6F + gy * -0.8F) / length;
    return 1.0F + 0.11F * facing;
}

Rgb BladeColour(const Canvas& c, const ValueNoise& noise, int32_t x, int32_t y) {
    const Vec2 centre{static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F};
    const Vec2 leaf = c.toLeaf.Apply(centre);
    const size_t at = c.At(x, y);
    LeafSample sample;
    sample.leaf = leaf;
    sample.inside = c.edgeDistance[at] / (60.0F * c.sizeScale);
    sample.patches = noise.Fractal(leaf.x * 3.5F + 7.0F, leaf.y * 3.5F + 3.0F, 3);
    sample.grain = noise.Fractal(leaf.x * 38.0F, leaf.y * 38.0F, 2);
    Rgb colour = c.drawing.colour(sample);
    float veinStrength = c.drawing.veinStrength;
    Rgb veinColour = c.drawing.veinColour;
    if (c.pose.ShowsBack()) {
        colour = BackSide(colour);
        veinColour = Mix(colour, {250, 236, 200}, 0.45F);
        veinStrength = 0.75F;
    }
    colour = Mix(colour, veinColour, c.vein[at] * veinStrength);
    float shade = FoldShade(c, leaf) * (0.93F + 0.14F * sample.grain);
    shade *= 1.0F + 0.08F * (0.5F - centre.x / static_cast<float>(c.width)) +
             0.08F * (0.5F - centre.y / static_cast<float>(c.height));
    if (c.edgeDistance[at] < 1.5F) {
        shade *= 0.72F;
    } else if (c.edgeDistance[at] < 2.5F) {
        shade *= 0.9F;
    }
    return Scale(colour, shade);
}

Rgb StemColour(const Canvas& c, int32_t x, int32_t y) {
    const float light = 0.8F + 0.35F * c.stem[c.At(x, y)];
    return Scale(c.drawing.stemColour, light);
}

}  // namespace

LeafPicture RenderLeaf(const LeafDrawing& drawing, const LeafPose& pose, const Affine& toPixels,
                       int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        throw base::EInvalidGraphic("RenderLeaf: bad frame size " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
    const float sizeScale =
        std::clamp(std::sqrt(static_cast<float>(width * height)) / 140.0F, 0.25F, 1.6F);
    Canvas c{drawing, pose, toPixels, toPixels.Inverse(), width, height, sizeScale, {}, {}, {}, {}};
    FillBlade(c);
    MeasureEdgeDistance(c);
    DrawVeinsAndStem(c);
    const ValueNoise noise(0x1EAF0000U + static_cast<uint32_t>(drawing.kind));
    LeafPicture picture{width, height, std::vector<Rgb>(c.blade.size()),
                        std::vector<uint8_t>(c.blade.size(), 0)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = c.At(x, y);
            if (c.blade[at] != 0) {
                picture.colours[at] = BladeColour(c, noise, x, y);
                picture.cover[at] = 1;
            } else if (c.stem[at] >= 0.5F) {
                picture.colours[at] = StemColour(c, x, y);
                picture.cover[at] = 1;
            }
        }
    }
    return picture;
}

}  // namespace assetpaint
