#pragma once
// Plane geometry for the painters: points, 2 x 2 maps, polygons filled by scanlines (even-odd,
// pixel centres) and distances to segments.

#include <cstdint>
#include <functional>
#include <vector>

namespace assetpaint {

struct Vec2 {
    float x = 0.0F;
    float y = 0.0F;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
    return {a.x * s, a.y * s};
}

using Polyline = std::vector<Vec2>;

// A linear map x' = a x + b y, y' = c x + d y, then a shift.
struct Affine {
    float a = 1.0F;
    float b = 0.0F;
    float c = 0.0F;
    float d = 1.0F;
    float dx = 0.0F;
    float dy = 0.0F;

    Vec2 Apply(Vec2 p) const { return {a * p.x + b * p.y + dx, c * p.x + d * p.y + dy}; }
    float Determinant() const { return a * d - b * c; }
    // Fails with base::EInvalidGraphic for a map that flattens the plane.
    Affine Inverse() const;
};

Affine Rotation(float angle);
Affine Compose(const Affine& outer, const Affine& inner);

struct Bounds {
    float left = 0.0F;
    float top = 0.0F;
    float right = 0.0F;
    float bottom = 0.0F;
};

Bounds BoundsOf(const std::vector<Polyline>& shapes);
Polyline Transform(const Polyline& points, const Affine& map);

// Calls plot(x, y) for every pixel of a width x height area whose centre lies inside the
// closed polygon (even-odd rule).
void FillPolygon(const Polyline& polygon, int32_t width, int32_t height,
                 const std::function<void(int32_t, int32_t)>& plot);

float DistanceToSegment(Vec2 p, Vec2 a, Vec2 b);

}  // namespace assetpaint
