#include <cmath>
#include <numbers>

#include "LogoKit.h"
#include "Logos.h"
#include "Palette.h"

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kPoints = 5;
constexpr float kInnerRatio = 0.47F;
const Vec2 kLight{-0.6F, -0.8F};

struct Star {
    Vec2 centre;
    float radius;
    Polyline outline;  // tip, inner corner, tip, ... clockwise from the top
};

Star MakeStar(float width, float height) {
    // The star's height is R (1 + cos 36 degrees); centre it in the frame.
    const float radius = std::min(width / (2.0F * std::sin(2.0F * kPi / 5.0F)),
                                  height / (1.0F + std::cos(kPi / 5.0F))) -
                         6.0F;
    const float top = (height - radius * (1.0F + std::cos(kPi / 5.0F))) * 0.5F;
    Star star{{width * 0.5F, top + radius}, radius, {}};
    for (int i = 0; i < 2 * kPoints; ++i) {
        const float angle = kPi * static_cast<float>(i) / kPoints;
        const float r = (i % 2 == 0) ? radius : radius * kInnerRatio;
        star.outline.push_back(
            {star.centre.x + r * std::sin(angle), star.centre.y - r * std::cos(angle)});
    }
    return star;
}

bool Inside(const Polyline& polygon, Vec2 p) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec2 a = polygon[i];
        const Vec2 b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

// Each arm is a ridge from the centre to its tip; its two facets face away from the ridge.
float FacetLight(const Star& star, Vec2 p) {
    const Vec2 d = p - star.centre;
    float angle = std::atan2(d.x, -d.y);
    if (angle < 0.0F) {
        angle += 2.0F * kPi;
    }
    const float armWidth = 2.0F * kPi / kPoints;
    const float arm = std::round(angle / armWidth);
    const float ridge = arm * armWidth;
    const float side = angle - ridge >= 0.0F ? 1.0F : -1.0F;
    const Vec2 normal{side * std::cos(ridge), side * std::sin(ridge)};
    return normal.x * kLight.x + normal.y * kLight.y;
}

Rgb StarColour(const Star& star, Vec2 p) {
    const Rgb deep{185, 115, 10};
    const Rgb gold{235, 180, 35};
    const Rgb shine{255, 240, 170};
    const float light = FacetLight(star, p);
    Rgb colour = light > 0.0F ? Mix(gold, shine, light * 0.8F) : Mix(gold, deep, -light * 0.9F);
    const float rim = DistanceToOutline(star.outline, p);
    if (rim < 3.5F) {
        colour = Mix(colour, {110, 62, 6}, 0.75F);
    } else if (rim < 6.0F) {
        colour = Mix(colour, shine, 0.3F);
    }
    return colour;
}

Polyline Shifted(const Polyline& polygon, Vec2 by) {
    Polyline moved;
    for (const Vec2 p : polygon) {
        moved.push_back(p + by);
    }
    return moved;
}

}  // namespace

void PaintStar(IndexedImage& frame) {
    const Star star =
        MakeStar(static_cast<float>(frame.Width()), static_cast<float>(frame.Height()));
    const Polyline shadow = Shifted(star.outline, {5.0F, 6.0F});
    PaintPixels(frame, [&](int32_t x, int32_t y, Rgb& colour) {
        const Vec2 p{static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F};
        if (Inside(star.outline, p)) {
            colour = StarColour(star, p);
            return true;
        }
        if (Inside(shadow, p)) {
            colour = {8, 70, 8};
            return true;
        }
        return false;
    });
}

}  // namespace assetpaint
