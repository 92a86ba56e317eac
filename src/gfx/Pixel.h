#pragma once
// Pixel values: 0x00RRGGBB in a 32-bit word, the layout screens use.

#include <cstdint>

namespace gfx {

using Pixel = uint32_t;

inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;
inline constexpr Pixel kColourBits = 0xFFFFFF;
// What a read outside a bitmap gives: no pixel.
inline constexpr Pixel kNoPixel = 0xFFFFFFFF;

inline constexpr Pixel MakePixel(uint8_t red, uint8_t green, uint8_t blue) {
    return (Pixel{red} << 16) | (Pixel{green} << 8) | Pixel{blue};
}
inline constexpr uint8_t RedOf(Pixel p) {
    return static_cast<uint8_t>(p >> 16);
}
inline constexpr uint8_t GreenOf(Pixel p) {
    return static_cast<uint8_t>(p >> 8);
}
inline constexpr uint8_t BlueOf(Pixel p) {
    return static_cast<uint8_t>(p);
}

}  // namespace gfx
