#include "AboutPicture.h"

#include <numbers>
#include <string_view>

#include "Lcg.h"
#include "LeafRenderer.h"
#include "Palette.h"
#include "PixelFont.h"
#include "Quantizer.h"
#include "ValueNoise.h"

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kScatteredLeaves = 16;

std::vector<uint8_t> AllInks() {
    std::vector<uint8_t> inks = LeafInks();
    inks.insert(inks.end(), SceneryInks().begin(), SceneryInks().end());
    return inks;
}

const Quantizer& AboutQuantizer() {
    static const Quantizer quantizer(LeafPalette(), AllInks());
    return quantizer;
}

// Dusk over a forest floor: dark green, lighter towards the bottom, with soft mottling.
void PaintGround(IndexedImage& picture) {
    const ValueNoise noise(0xAB0E7U);
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const float t = static_cast<float>(y) / static_cast<float>(picture.Height());
            const float mottle =
                noise.Fractal(static_cast<float>(x) / 22.0F, static_cast<float>(y) / 22.0F, 3);
            const Rgb colour = Scale(Mix({12, 38, 18}, {34, 78, 30}, t), 0.8F + 0.4F * mottle);
            picture.Set(x, y, AboutQuantizer().Nearest(colour));
        }
    }
}

void PaintLeafAt(IndexedImage& picture, LeafKind kind, const LeafPose& pose, int32_t x, int32_t y,
                 int32_t size) {
    const LeafDrawing& drawing = DrawingOf(kind);
    const LeafPicture leaf =
        RenderLeaf(drawing, pose, FitToFrame(drawing, pose, size, size, true), size, size);
    for (int32_t ly = 0; ly < size; ++ly) {
        for (int32_t lx = 0; lx < size; ++lx) {
            if (leaf.Covers(lx, ly)) {
                picture.Set(x + lx, y + ly, AboutQuantizer().Nearest(leaf.ColourAt(lx, ly)));
            }
        }
    }
}

// Leaves on a jittered 4 x 4 grid below the first title line, so they cover the ground evenly.
void ScatterLeaves(IndexedImage& picture) {
    Lcg random(20261106U);
    for (int i = 0; i < kScatteredLeaves; ++i) {
        const auto kind = static_cast<LeafKind>((i * 3) % 5);
        // Two statements: the order of the draws is the order written.
        const float steepness = random.Range(0.55F, 1.0F);
        const float tilt = steepness * (random.Unit() < 0.2F ? -1.0F : 1.0F);
        const LeafPose pose{random.Range(0.0F, 2.0F * kPi), tilt, random.Range(0.0F, kPi)};
        const auto size = static_cast<int32_t>(random.Range(46.0F, 80.0F));
        const int column = (i * 7) % 4;
        const int row = i / 4;
        const auto x =
            static_cast<int32_t>(static_cast<float>(column * 60 - 18) + random.Range(0.0F, 24.0F));
        const auto y =
            static_cast<int32_t>(static_cast<float>(34 + row * 50) + random.Range(0.0F, 20.0F));
        PaintLeafAt(picture, kind, pose, x, y, size);
    }
}

// Text in warm cream with a dark rim and a drop shadow, centred on the picture.
void PaintTitleLine(IndexedImage& picture, std::string_view text, int32_t scale, int32_t top) {
    const TextMask mask = SetText(text, scale);
    const int32_t left = (picture.Width() - mask.width) / 2;
    const uint8_t rim = AboutQuantizer().Nearest({40, 18, 8});
    const uint8_t shadow = AboutQuantizer().Nearest({10, 22, 12});
    const int32_t rimWidth = scale >= 4 ? 2 : 1;
    for (int32_t y = 0; y < mask.height; ++y) {
        for (int32_t x = 0; x < mask.width; ++x) {
            if (mask.Inked(x, y)) {
                picture.FillRect(left + x - rimWidth + 3, top + y - rimWidth + 3, 2 * rimWidth + 1,
                                 2 * rimWidth + 1, shadow);
            }
        }
    }
    for (int32_t y = 0; y < mask.height; ++y) {
        for (int32_t x = 0; x < mask.width; ++x) {
            if (mask.Inked(x, y)) {
                picture.FillRect(left + x - rimWidth, top + y - rimWidth, 2 * rimWidth + 1,
                                 2 * rimWidth + 1, rim);
            }
        }
    }
    for (int32_t y = 0; y < mask.height; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(7 * scale);
        const uint8_t ink = AboutQuantizer().Nearest(Mix({255, 236, 160}, {240, 150, 40}, t));
        for (int32_t x = 0; x < mask.width; ++x) {
            if (mask.Inked(x, y)) {
                picture.Set(left + x, top + y, ink);
            }
        }
    }
}

}  // namespace

IndexedImage PaintAboutPicturePixels() {
    IndexedImage picture(kAboutWidth, kAboutHeight, kBlackIndex);
    PaintGround(picture);
    ScatterLeaves(picture);
    PaintTitleLine(picture, "Vellamor", 4, 16);
    PaintTitleLine(picture, "Autumn", 5, 62);
    PaintTitleLine(picture, "a screensaver", 2, 216);
    return picture;
}

}  // namespace assetpaint
