#pragma once
// The 256-entry colour tables of the stored pictures. Every table holds 256 distinct colours;
// the indices the scene and the frame masks depend on are fixed here.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "Rgb.h"
#include "gfx/Pixel.h"

namespace assetpaint {

using Palette = std::vector<gfx::Pixel>;

inline constexpr uint8_t kBlackIndex = 0;
inline constexpr uint8_t kWhiteIndex = 255;
// The transparent pure blue inside the leaf frames.
inline constexpr uint8_t kLeafBlueIndex = 252;
// The dark green of the background tile and the logo surround.
inline constexpr uint8_t kTileGreenIndex = 218;
inline constexpr uint8_t kTileGreyIndex = 219;
inline constexpr uint8_t kTileMossIndex = 220;

inline constexpr gfx::Pixel kLeafBlue = gfx::MakePixel(0, 0, 255);
inline constexpr gfx::Pixel kTileGreen = gfx::MakePixel(0, 127, 0);
inline constexpr gfx::Pixel kTileGrey = gfx::MakePixel(128, 128, 128);
inline constexpr gfx::Pixel kTileMoss = gfx::MakePixel(85, 95, 85);

// Fills a table entry by entry; a colour already present is nudged until it is new.
class PaletteBuilder {
  public:
    PaletteBuilder();
    void Place(uint8_t index, gfx::Pixel colour);
    // Fills the next free entries with count colours running through the keys evenly; returns
    // the indices used.
    std::vector<uint8_t> AddRamp(std::initializer_list<Rgb> keys, int count);
    int FreeEntries() const;
    // Fails with base::EInvalidGraphic while an entry is still free.
    Palette Finish() const;

  private:
    gfx::Pixel Unique(gfx::Pixel colour) const;
    bool Holds(gfx::Pixel colour) const;
    uint8_t NextFree() const;

    std::vector<gfx::Pixel> colours_;
    std::vector<bool> used_;
};

// The leaf strip's table (also used by the leaf icons and the About picture) and the indices
// of its autumn ramps, the only colours a leaf is painted with.
const Palette& LeafPalette();
const std::vector<uint8_t>& LeafInks();
// Dark greens, greys and creams of the leaf table, for scenery around the leaves.
const std::vector<uint8_t>& SceneryInks();

// The table of the logo strip and the background tile, with the indices of its painting
// colours (every entry but black, the tile green, white and the two tile flecks).
const Palette& LogoPalette();
const std::vector<uint8_t>& LogoInks();

// The sixteen colours of the standard 4-bit display table, for the 16-colour icons.
const Palette& Vga16Palette();

}  // namespace assetpaint
