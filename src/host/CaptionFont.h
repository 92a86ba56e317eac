#pragma once
// A small built-in pixel font for control captions: 5 x 7 capitals, digits and the full stop,
// drawn one pixel per dot. Lower-case letters are drawn as capitals; a character the font lacks
// is drawn as an empty box, so that a caption never fails to draw.

#include <cstdint>
#include <string_view>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"

namespace host {

inline constexpr int32_t kCaptionGlyphWidth = 5;
inline constexpr int32_t kCaptionGlyphHeight = 7;
inline constexpr int32_t kCaptionGlyphAdvance = 6;

int32_t CaptionTextWidth(std::string_view text);
// Draws the text with its top-left corner at (x, y), touching only the pixels inside clip.
void DrawCaptionText(gfx::Bitmap& target, const gfx::Rect& clip, int32_t x, int32_t y,
                     std::string_view text, gfx::Pixel colour);

}  // namespace host
