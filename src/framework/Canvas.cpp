#include "framework/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "gfx/Raster.h"

namespace framework {
namespace {

// The coordinates an extent covers along one axis, [first, end): a negative extent reaches
// left of (or above) the origin, the origin included. Worked out wide, and cut to what a
// rectangle holds: the drawing accepts any origin and extent.
std::pair<int32_t, int32_t> CoveredSpan(int32_t origin, int32_t extent) {
    const int64_t first = extent >= 0 ? origin : int64_t{origin} + extent + 1;
    const int64_t end = extent >= 0 ? int64_t{origin} + extent : int64_t{origin} + 1;
    const auto cut = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {cut(first), cut(end)};
}

gfx::Rect CoveredRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    const auto [left, right] = CoveredSpan(x, width);
    const auto [top, bottom] = CoveredSpan(y, height);
    return {left, top, right, bottom};
}

}  // namespace

TCanvas::TCanvas(gfx::Bitmap& surface, PresentFunction present)
    : gfx::Canvas(surface), present_(std::move(present)) {}

void TCanvas::BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const gfx::Canvas* source,
                     int32_t sourceX, int32_t sourceY, gfx::Rop rop) {
    gfx::BitBlt(*this, x, y, width, height, source, sourceX, sourceY, rop);
    Changed(CoveredRect(x, y, width, height));
}

void TCanvas::StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height,
                         const gfx::Canvas* source, int32_t sourceX, int32_t sourceY,
                         int32_t sourceWidth, int32_t sourceHeight, gfx::Rop rop) {
    gfx::StretchBlt(*this, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                    rop);
    Changed(CoveredRect(x, y, width, height));
}

void TCanvas::CopyRect(const gfx::Rect& dest, const gfx::Canvas& source,
                       const gfx::Rect& sourceRect) {
    gfx::Canvas::CopyRect(dest, source, sourceRect);
    Changed(CoveredRect(dest.left, dest.top, dest.Width(), dest.Height()));
}

void TCanvas::Draw(int32_t x, int32_t y, const gfx::Bitmap& source) {
    gfx::Canvas::Draw(x, y, source);
    Changed(CoveredRect(x, y, source.Width(), source.Height()));
}

void TCanvas::FillRect(const gfx::Rect& rect, TColor color) {
    gfx::Rect surface{0, 0, Target().Width(), Target().Height()};
    gfx::Rect area = gfx::IntersectRect(gfx::IntersectRect(rect, ClipBox()), surface);
    Target().FillRect(area, ColorToPixel(color));
    Changed(area);
}

void TCanvas::Changed(const gfx::Rect& rect) {
    gfx::Rect shown = gfx::IntersectRect(rect, ClipBox());
    if (!shown.IsEmpty() && present_) {
        present_(shown);
    }
}

}  // namespace framework
