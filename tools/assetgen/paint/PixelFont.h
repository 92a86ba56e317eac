#pragma once
// The saver's own pixel font: 5 x 7 capitals, lower case with descenders (a 5 x 9 cell),
// digits and a little punctuation. Text is scaled up by whole pixels, with the steps of
// diagonal strokes filled in so that large text keeps clean hard edges.

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetpaint {

// A one-bit picture of set text: 1 where ink is.
struct TextMask {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bits;

    bool Inked(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               bits[static_cast<size_t>(y * width + x)] != 0;
    }
};

inline constexpr int32_t kGlyphWidth = 5;
inline constexpr int32_t kGlyphHeight = 9;  // 7 rows to the baseline, 2 below it
inline constexpr int32_t kGlyphAdvance = 6;

// The cell rows of a glyph, top first, bit 4 the leftmost column; fails with
// base::EConvertError for a character the font lacks.
std::vector<uint8_t> GlyphRows(char character);

// The text set at whole-pixel scale 1 to 64 (anything else fails with base::EConvertError),
// as wide as its glyphs and scale * 9 rows high.
TextMask SetText(std::string_view text, int32_t scale);

}  // namespace assetpaint
