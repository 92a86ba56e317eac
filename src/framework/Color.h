#pragma once
// Colour values at the toolkit's interface: TColor holds red in the low byte, then green, then
// blue. gfx pixels are 0x00RRGGBB; the two converters below are the only place where one turns
// into the other.

#include <cstdint>

#include "gfx/Pixel.h"

namespace framework {

using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clGray = 0x808080;
// "No colour": a value outside the 24 colour bits, never equal to a pixel's colour.
inline constexpr TColor clNone = 0x1FFFFFFF;

// The pixel of a colour; bits above the 24 colour bits are dropped.
inline constexpr gfx::Pixel ColorToPixel(TColor color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

inline constexpr TColor PixelToColor(gfx::Pixel pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

}  // namespace framework
