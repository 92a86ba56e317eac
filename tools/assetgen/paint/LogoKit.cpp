#include "LogoKit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "LeafRenderer.h"
#include "Palette.h"

namespace assetpaint {

const Quantizer& LogoQuantizer() {
    static const Quantizer quantizer(LogoPalette(), LogoInks());
    return quantizer;
}

float DistanceToOutline(const Polyline& polygon, Vec2 p) {
    float best = std::numeric_limits<float>::max();
    for (size_t i = 0; i < polygon.size(); ++i) {
        best = std::min(best, DistanceToSegment(p, polygon[i], polygon[(i + 1) % polygon.size()]));
    }
    return best;
}

float RoundedBoxDistance(Vec2 p, const Bounds& box, float radius) {
    const float cx = (box.left + box.right) * 0.5F;
    const float cy = (box.top + box.bottom) * 0.5F;
    const float qx = std::fabs(p.x - cx) - ((box.right - box.left) * 0.5F - radius);
    const float qy = std::fabs(p.y - cy) - ((box.bottom - box.top) * 0.5F - radius);
    const float outside = std::hypot(std::max(qx, 0.0F), std::max(qy, 0.0F));
    return outside + std::min(std::max(qx, qy), 0.0F) - radius;
}

void PaintPixels(IndexedImage& picture, const PixelPaint& paint) {
    const Quantizer& quantizer = LogoQuantizer();
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            Rgb colour;
            if (paint(x, y, colour)) {
                picture.Set(x, y, quantizer.Nearest(colour));
            }
        }
    }
}

void DrawTextMask(IndexedImage& picture, const TextMask& text, int32_t x, int32_t y,
                  const std::function<Rgb(int32_t, int32_t)>& colour) {
    const Quantizer& quantizer = LogoQuantizer();
    for (int32_t ty = 0; ty < text.height; ++ty) {
        for (int32_t tx = 0; tx < text.width; ++tx) {
            if (text.Inked(tx, ty)) {
                picture.Set(x + tx, y + ty, quantizer.Nearest(colour(tx, ty)));
            }
        }
    }
}

void DrawTextHalo(IndexedImage& picture, const TextMask& text, int32_t x, int32_t y, int32_t radius,
                  uint8_t index) {
    for (int32_t ty = 0; ty < text.height; ++ty) {
        for (int32_t tx = 0; tx < text.width; ++tx) {
            if (text.Inked(tx, ty)) {
                picture.FillRect(x + tx - radius, y + ty - radius, 2 * radius + 1, 2 * radius + 1,
                                 index);
            }
        }
    }
}

void DrawLeaf(IndexedImage& picture, LeafKind kind, const LeafPose& pose, int32_t x, int32_t y,
              int32_t width, int32_t height) {
    const LeafDrawing& drawing = DrawingOf(kind);
    const Affine toPixels = FitToFrame(drawing, pose, width, height, true);
    const LeafPicture leaf = RenderLeaf(drawing, pose, toPixels, width, height);
    const Quantizer& quantizer = LogoQuantizer();
    for (int32_t ly = 0; ly < height; ++ly) {
        for (int32_t lx = 0; lx < width; ++lx) {
            if (leaf.Covers(lx, ly)) {
                picture.Set(x + lx, y + ly, quantizer.Nearest(leaf.ColourAt(lx, ly)));
            }
        }
    }
}

}  // namespace assetpaint
