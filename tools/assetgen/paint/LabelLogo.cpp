#include <cmath>
#include <numbers>

#include "LogoKit.h"
#include "Logos.h"
#include "Palette.h"

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kCornerRadius = 46.0F;
constexpr float kRimWidth = 7.0F;
constexpr float kShadowOffset = 10.0F;
constexpr float kEyeletRadius = 17.0F;
constexpr float kEyeletRing = 26.0F;

struct Label {
    Bounds body;
    Vec2 eyelet;
};

Label MakeLabel(float width, float height) {
    const Bounds body{6.0F, 5.0F, width - 6.0F - kShadowOffset, height - 5.0F - kShadowOffset};
    return {body, {(body.left + body.right) * 0.5F, body.top + 42.0F}};
}

Rgb Parchment(const Label& label, Vec2 p) {
    const Rgb light{250, 240, 212};
    const Rgb warm{226, 200, 150};
    const float t = (p.y - label.body.top) / (label.body.bottom - label.body.top);
    const float vignette = std::fabs(p.x - (label.body.left + label.body.right) * 0.5F) /
                           (label.body.right - label.body.left);
    return Mix(light, warm, std::clamp(0.35F * t + 1.1F * vignette * vignette, 0.0F, 1.0F));
}

Rgb EyeletRing(const Label& label, Vec2 p) {
    const Vec2 d = p - label.eyelet;
    const float light = -(d.x * -0.6F + d.y * -0.8F) / std::max(std::hypot(d.x, d.y), 1.0F);
    return Mix({190, 130, 20}, {255, 225, 120}, 0.5F + 0.5F * light);
}

// The tag: black shadow and rim, parchment inside, a thin red border and the eyelet.
bool LabelPixel(const Label& label, Vec2 p, Rgb& colour, bool& black) {
    black = false;
    const float edge = RoundedBoxDistance(p, label.body, kCornerRadius);
    const Bounds shadowBox{label.body.left + kShadowOffset, label.body.top + kShadowOffset,
                           label.body.right + kShadowOffset, label.body.bottom + kShadowOffset};
    if (edge > 0.0F) {
        black = RoundedBoxDistance(p, shadowBox, kCornerRadius) <= 0.0F;
        return black;
    }
    const float eye = std::hypot(p.x - label.eyelet.x, p.y - label.eyelet.y);
    if (edge > -kRimWidth || eye <= kEyeletRadius) {
        black = true;
        return true;
    }
    if (eye <= kEyeletRing) {
        colour = EyeletRing(label, p);
        return true;
    }
    const float border = std::fabs(edge + 15.0F);
    colour = border < 1.6F ? Rgb{160, 30, 22} : Parchment(label, p);
    return true;
}

void DrawTitle(IndexedImage& frame, const Label& label) {
    const float centre = (label.body.left + label.body.right) * 0.5F;
    const TextMask top = SetText("Vellamor", 4);
    const TextMask bottom = SetText("Autumn", 5);
    const auto topX = static_cast<int32_t>(centre - static_cast<float>(top.width) * 0.5F);
    const auto bottomX = static_cast<int32_t>(centre - static_cast<float>(bottom.width) * 0.5F);
    const uint8_t shadow = LogoQuantizer().Nearest({205, 180, 130});
    DrawTextHalo(frame, top, topX + 2, 84 + 2, 0, shadow);
    DrawTextHalo(frame, bottom, bottomX + 2, 240 + 2, 0, shadow);
    DrawTextMask(frame, top, topX, 84, [&](int32_t, int32_t y) {
        return Mix(Rgb{175, 30, 20}, Rgb{115, 15, 12}, static_cast<float>(y) / 28.0F);
    });
    DrawTextMask(frame, bottom, bottomX, 240, [&](int32_t, int32_t y) {
        return Mix(Rgb{200, 95, 15}, Rgb{120, 50, 10}, static_cast<float>(y) / 35.0F);
    });
}

}  // namespace

void PaintLabel(IndexedImage& frame) {
    const Label label =
        MakeLabel(static_cast<float>(frame.Width()), static_cast<float>(frame.Height()));
    for (int32_t y = 0; y < frame.Height(); ++y) {
        for (int32_t x = 0; x < frame.Width(); ++x) {
            Rgb colour;
            bool black = false;
            if (LabelPixel(label, {static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F},
                           colour, black)) {
                frame.Set(x, y, black ? kBlackIndex : LogoQuantizer().Nearest(colour));
            }
        }
    }
    DrawTitle(frame, label);
    const float centre = (label.body.left + label.body.right) * 0.5F;
    DrawLeaf(frame, LeafKind::Maple, {kPi * 1.05F, 1.0F, 0.0F}, static_cast<int32_t>(centre) - 55,
             126, 110, 104);
}

}  // namespace assetpaint
