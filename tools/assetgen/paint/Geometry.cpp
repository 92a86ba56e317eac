#include "Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Exceptions.h"

namespace assetpaint {

Affine Affine::Inverse() const {
    const float det = Determinant();
    if (std::fabs(det) < 1e-9F) {
        throw base::EInvalidGraphic("Affine: the map cannot be inverted");
    }
    Affine inverse{d / det, -b / det, -c / det, a / det, 0.0F, 0.0F};
    const Vec2 shift = inverse.Apply({dx, dy});
    inverse.dx = -shift.x;
    inverse.dy = -shift.y;
    return inverse;
}

Affine Rotation(float angle) {
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    return {cosine, -sine, sine, cosine, 0.0F, 0.0F};
}

Affine Compose(const Affine& outer, const Affine& inner) {
    Affine result{outer.a * inner.a + outer.b * inner.c,
                  outer.a * inner.b + outer.b * inner.d,
                  outer.c * inner.a + outer.d * inner.c,
                  outer.c * inner.b + outer.d * inner.d,
                  0.0F,
                  0.0F};
    const Vec2 shift = outer.Apply({inner.dx, inner.dy});
    result.dx = shift.x;
    result.dy = shift.y;
    return result;
}

Bounds BoundsOf(const std::vector<Polyline>& shapes) {
    constexpr float kBig = std::numeric_limits<float>::max();
    Bounds box{kBig, kBig, -kBig, -kBig};
    for (const Polyline& shape : shapes) {
        for (const Vec2 p : shape) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
    }
    return box;
}

Polyline Transform(const Polyline& points, const Affine& map) {
    Polyline result;
    result.reserve(points.size());
    for (const Vec2 p : points) {
        result.push_back(map.Apply(p));
    }
    return result;
}

void FillPolygon(const Polyline& polygon, int32_t width, int32_t height,
                 const std::function<void(int32_t, int32_t)>& plot) {
    std::vector<float> crossings;
    const size_t count = polygon.size();
    for (int32_t row = 0; row < height; ++row) {
        const float y = static_cast<float>(row) + 0.5F;
        crossings.clear();
        for (size_t i = 0; i < count; ++i) {
            const Vec2 a = polygon[i];
            const Vec2 b = polygon[(i + 1) % count];
            if ((a.y <= y) != (b.y <= y)) {
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const auto first = static_cast<int32_t>(std::ceil(crossings[i] - 0.5F));
            const auto last = static_cast<int32_t>(std::floor(crossings[i + 1] - 0.5F));
            for (int32_t column = std::max(first, 0); column <= std::min(last, width - 1);
                 ++column) {
                plot(column, row);
            }
        }
    }
}

float DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a;
    const Vec2 ap = p - a;
    const float length = ab.x * ab.x + ab.y * ab.y;
    const float t =
        length > 0.0F ? std::clamp((ap.x * ab.x + ap.y * ab.y) / length, 0.0F, 1.0F) : 0.0F;
    const Vec2 nearest = a + ab * t;
    return std::hypot(p.x - nearest.x, p.y - nearest.y);
}

}  // namespace assetpaint
