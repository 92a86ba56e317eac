#include "BenchPictures.h"

#include <cmath>
#include <numbers>
#include <random>

namespace bench {

namespace {

// Half the leaf's width at u (0 at the stem, 1 at the tip), in units of its length.
double LeafHalfWidth(double u) {
    const double body = 0.34 * std::pow(std::sin(std::numbers::pi * u), 0.7);
    const double teeth = 1.0 + 0.09 * std::sin(u * 46.0);
    return body * teeth;
}

bool InsideLeaf(double u, double v) {
    if (u < 0.0) {
        return u > -0.12 && std::fabs(v) < 0.012;  // the stem
    }
    return u <= 1.0 && std::fabs(v) <= LeafHalfWidth(u);
}

}  // namespace

Shape LeafShape(int32_t width, int32_t height) {
    Shape shape(static_cast<size_t>(width) * static_cast<size_t>(height));
    const double angle = 0.6;  // about 34 degrees from the frame's diagonal
    const double length = 0.86 * std::hypot(width, height) * 0.72;
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            // Leaf coordinates: u along the midrib from the stem, v across it.
            const double px = (x - 0.12 * width) / length;
            const double py = (y - 0.80 * height) / length;
            const double u = px * cosA - py * sinA;
            const double v = px * sinA + py * cosA;
            shape[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                InsideLeaf(u, v);
        }
    }
    return shape;
}

Shape NoiseShape(int32_t width, int32_t height, uint32_t seed) {
    std::mt19937 random(seed);
    Shape shape(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < shape.size(); ++i) {
        shape[i] = (random() & 1) != 0;
    }
    return shape;
}

gfx::Pixel LeafColour(int32_t x, int32_t y) {
    const auto red = static_cast<uint8_t>(150 + (x * 7 + y * 3) % 100);
    const auto green = static_cast<uint8_t>(40 + (x * 5 + y * 11) % 90);
    return gfx::MakePixel(red, green, 8);
}

}  // namespace bench
