#include "Quantizer.h"

#include <limits>

#include "base/Exceptions.h"

namespace assetpaint {

namespace {

int Level(float channel) {
    return ClampChannel(channel) >> 2;
}

int Centre(int level) {
    return level * 4 + 2;
}

}  // namespace

Quantizer::Quantizer(const Palette& palette, const std::vector<uint8_t>& inks)
    : colours_(palette), inks_(inks) {
    if (inks_.empty()) {
        throw base::EInvalidGraphic("Quantizer: no inks to paint with");
    }
    for (const uint8_t ink : inks_) {
        if (ink >= colours_.size()) {
            throw base::EInvalidGraphic("Quantizer: ink beyond the colour table");
        }
    }
    cube_.resize(static_cast<size_t>(kLevels * kLevels * kLevels));
    size_t cell = 0;
    for (int red = 0; red < kLevels; ++red) {
        for (int green = 0; green < kLevels; ++green) {
            for (int blue = 0; blue < kLevels; ++blue) {
                cube_[cell++] = Search(Centre(red), Centre(green), Centre(blue));
            }
        }
    }
}

uint8_t Quantizer::Nearest(const Rgb& colour) const {
    const int cell = (Level(colour.r) * kLevels + Level(colour.g)) * kLevels + Level(colour.b);
    return cube_[static_cast<size_t>(cell)];
}

uint8_t Quantizer::Search(int red, int green, int blue) const {
    // Weighted distance: the eye tells greens apart best and blues least.
    int best = std::numeric_limits<int>::max();
    uint8_t bestInk = inks_.front();
    for (const uint8_t ink : inks_) {
        const gfx::Pixel c = colours_[ink];
        const int dr = gfx::RedOf(c) - red;
        const int dg = gfx::GreenOf(c) - green;
        const int db = gfx::BlueOf(c) - blue;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < best) {
            best = distance;
            bestInk = ink;
        }
    }
    return bestInk;
}

}  // namespace assetpaint
