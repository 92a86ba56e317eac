#include "IconPainter.h"

#include "Quantizer.h"
#include "base/Exceptions.h"

namespace assetpaint {

namespace {

// A 4 x 4 ordered-dither matrix, so the 16-colour icons mix their few colours evenly.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::vector<uint8_t> AllEntries(size_t count) {
    std::vector<uint8_t> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back(static_cast<uint8_t>(i));
    }
    return entries;
}

IconImage Quantize(const LeafPicture& picture, const Palette& colours, const Quantizer& inks,
                   int bitsPerPixel, float dither) {
    IconImage icon{bitsPerPixel, colours, IndexedImage(kIconSize, kIconSize, kBlackIndex),
                   IndexedImage(kIconSize, kIconSize, 1)};
    for (int32_t y = 0; y < kIconSize; ++y) {
        for (int32_t x = 0; x < kIconSize; ++x) {
            if (!picture.Covers(x, y)) {
                continue;
            }
            const float offset = dither * (static_cast<float>(kBayer[y % 4][x % 4]) / 15.0F - 0.5F);
            const Rgb c = picture.ColourAt(x, y);
            icon.pixels.Set(x, y, inks.Nearest({c.r + offset, c.g + offset, c.b + offset}));
            icon.mask.Set(x, y, 0);
        }
    }
    return icon;
}

}  // namespace

IconPicture MakeIcon(const LeafPicture& picture) {
    if (picture.width != kIconSize || picture.height != kIconSize) {
        throw base::EInvalidGraphic("MakeIcon: an icon must be 32 x 32");
    }
    static const Quantizer vga(Vga16Palette(), AllEntries(Vga16Palette().size()));
    static const Quantizer leafInks(LeafPalette(), LeafInks());
    return {Quantize(picture, Vga16Palette(), vga, 4, 60.0F),
            Quantize(picture, LeafPalette(), leafInks, 8, 0.0F)};
}

void Overlay(LeafPicture& target, const LeafPicture& source, int32_t x, int32_t y) {
    for (int32_t sy = 0; sy < source.height; ++sy) {
        for (int32_t sx = 0; sx < source.width; ++sx) {
            const int32_t tx = x + sx;
            const int32_t ty = y + sy;
            if (source.Covers(sx, sy) && tx >= 0 && ty >= 0 && tx < target.width &&
                ty < target.height) {
                const auto at = static_cast<size_t>(ty * target.width + tx);
                target.colours[at] = source.ColourAt(sx, sy);
                target.cover[at] = 1;
            }
        }
    }
}

LeafPicture BlankIconPicture() {
    const auto pixels = static_cast<size_t>(kIconSize * kIconSize);
    return {kIconSize, kIconSize, std::vector<Rgb>(pixels), std::vector<uint8_t>(pixels, 0)};
}

}  // namespace assetpaint
