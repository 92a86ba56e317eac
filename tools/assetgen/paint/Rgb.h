#pragma once
// Colours in floating point while painting (0..255 a channel), turned into palette indices at
// the end so that every stored picture holds only exact palette colours.

#include <algorithm>
#include <cstdint>

#include "gfx/Pixel.h"

namespace assetpaint {

struct Rgb {
    float r = 0.0F;
    float g = 0.0F;
    float b = 0.0F;
};

inline Rgb Mix(const Rgb& a, const Rgb& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Rgb Scale(const Rgb& c, float factor) {
    return {c.r * factor, c.g * factor, c.b * factor};
}

inline uint8_t ClampChannel(float value) {
    return static_cast<uint8_t>(std::clamp(value + 0.5F, 0.0F, 255.0F));
}

inline gfx::Pixel ToPixel(const Rgb& c) {
    return gfx::MakePixel(ClampChannel(c.r), ClampChannel(c.g), ClampChannel(c.b));
}

}  // namespace assetpaint
