#pragma once
// Rectangles in pixels: left and top inclusive, right and bottom exclusive.

#include <algorithm>
#include <cstdint>

namespace gfx {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect RectFromSize(int32_t x, int32_t y, int32_t width, int32_t height) {
    return {x, y, x + width, y + height};
}

// The common part of two rectangles; empty rectangles come out as all zero.
inline Rect IntersectRect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

inline bool RectsIntersect(const Rect& a, const Rect& b) {
    return !IntersectRect(a, b).IsEmpty();
}

inline bool PointInRect(const Rect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace gfx
