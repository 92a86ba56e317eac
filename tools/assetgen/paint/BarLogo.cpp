#include <algorithm>
#include <cmath>

#include "LogoKit.h"
#include "Logos.h"
#include "Palette.h"

namespace assetpaint {

namespace {

constexpr float kPointDepth = 72.0F;
constexpr float kFrameWidth = 13.0F;
constexpr float kTrimWidth = 4.0F;

struct Plate {
    Bounds outer;
    float ribbonTop;
    float ribbonBottom;
};

Rgb GoldFrame(float depth, float slope) {
    // depth runs 0 at the outside to 1 at the inside of the frame band.
    const float bevel = depth < 0.5F ? -slope : slope;
    const Rgb base = Mix({215, 160, 30}, {245, 205, 80}, 0.5F + 0.5F * std::sin(depth * 3.14159F));
    return bevel > 0.0F ? Mix(base, {255, 245, 190}, 0.55F * bevel)
                        : Mix(base, {120, 70, 8}, -0.6F * bevel);
}

// The plate is a long hexagon with pointed ends; negative inside (distance to the nearest
// side line, which is exact inside and close enough just outside).
float HexagonDistance(const Bounds& outer, Vec2 p) {
    const float middle = (outer.top + outer.bottom) * 0.5F;
    const float halfHeight = (outer.bottom - outer.top) * 0.5F;
    const float slant = std::hypot(kPointDepth, halfHeight);
    const float dy = std::fabs(p.y - middle);
    const float fromLeft = p.x - outer.left;
    const float fromRight = outer.right - p.x;
    const float left = (kPointDepth * dy - halfHeight * fromLeft) / slant;
    const float right = (kPointDepth * dy - halfHeight * fromRight) / slant;
    return std::max({dy - halfHeight, left, right});
}

// Light comes from the upper left: the top-left half of the band faces it.
float Slope(const Plate& plate, Vec2 p) {
    const float nx = (p.x - (plate.outer.left + plate.outer.right) * 0.5F) /
                     (plate.outer.right - plate.outer.left);
    const float ny = (p.y - (plate.outer.top + plate.outer.bottom) * 0.5F) /
                     (plate.outer.bottom - plate.outer.top);
    return std::clamp(-(nx * 0.6F + ny * 0.8F) * 3.0F, -1.0F, 1.0F);
}

Rgb Ribbon(const Plate& plate, Vec2 p) {
    const float t = (p.y - plate.ribbonTop) / (plate.ribbonBottom - plate.ribbonTop);
    if (t < kTrimWidth / (plate.ribbonBottom - plate.ribbonTop) ||
        t > 1.0F - kTrimWidth / (plate.ribbonBottom - plate.ribbonTop)) {
        return {240, 190, 60};
    }
    const float fold = std::sin(t * 3.14159F);
    return Mix({120, 14, 12}, {205, 38, 28}, fold);
}

bool PlatePixel(const Plate& plate, Vec2 p, Rgb& colour, bool& black) {
    black = false;
    const float edge = HexagonDistance(plate.outer, p);
    if (edge > 0.0F) {
        return false;
    }
    if (edge > -kFrameWidth) {
        colour = GoldFrame(-edge / kFrameWidth, Slope(plate, p));
        return true;
    }
    if (p.y >= plate.ribbonTop && p.y < plate.ribbonBottom) {
        colour = Ribbon(plate, p);
        return true;
    }
    black = true;
    return true;
}

void DrawTitle(IndexedImage& frame, const Plate& plate) {
    const TextMask title = SetText("Vellamor Autumn", 4);
    const auto x = (frame.Width() - title.width) / 2;
    const auto y = static_cast<int32_t>((plate.ribbonTop + plate.ribbonBottom) * 0.5F) - 7 * 4 / 2;
    DrawTextHalo(frame, title, x + 2, y + 2, 0, LogoQuantizer().Nearest({70, 8, 6}));
    DrawTextMask(frame, title, x, y, [](int32_t, int32_t ty) {
        return Mix(Rgb{255, 238, 150}, Rgb{225, 160, 30}, static_cast<float>(ty) / 28.0F);
    });
}

}  // namespace

void PaintBar(IndexedImage& frame) {
    const float width = static_cast<float>(frame.Width());
    const float height = static_cast<float>(frame.Height());
    const Plate plate{
        {3.0F, 3.0F, width - 3.0F, height - 3.0F}, height * 0.5F - 30.0F, height * 0.5F + 30.0F};
    for (int32_t y = 0; y < frame.Height(); ++y) {
        for (int32_t x = 0; x < frame.Width(); ++x) {
            Rgb colour;
            bool black = false;
            if (PlatePixel(plate, {static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F},
                           colour, black)) {
                frame.Set(x, y, black ? kBlackIndex : LogoQuantizer().Nearest(colour));
            }
        }
    }
    DrawTitle(frame, plate);
}

}  // namespace assetpaint
