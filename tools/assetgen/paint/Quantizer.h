#pragma once
// Maps painted colours to the nearest of a chosen set of palette entries, through a lookup
// cube with 64 levels a channel, so that quantizing is fast and always the same.

#include <cstdint>
#include <vector>

#include "Palette.h"
#include "Rgb.h"

namespace assetpaint {

class Quantizer {
  public:
    // inks: the palette indices the painter may use; an empty set fails with
    // base::EInvalidGraphic, as does an index beyond the palette.
    Quantizer(const Palette& palette, const std::vector<uint8_t>& inks);
    uint8_t Nearest(const Rgb& colour) const;

  private:
    static constexpr int kLevels = 64;
    uint8_t Search(int red, int green, int blue) const;

    std::vector<gfx::Pixel> colours_;
    std::vector<uint8_t> inks_;
    std::vector<uint8_t> cube_;
};

}  // namespace assetpaint
