#include "AssetPaint.h"

#include "AboutPicture.h"
#include "LogoStrip.h"
#include "Masks.h"
#include "Tile.h"
#include "base/Exceptions.h"

namespace assetpaint {

namespace {

StripBitmap ToStripBitmap(const IndexedStrip& strip, const Palette& colours) {
    return {ToBitmap(strip.pixels, colours), strip.frames};
}

// Pads a short table (the 16 colours of an icon) to 256 entries of a unique filler.
Palette FullTable(const Palette& colours) {
    Palette table = colours;
    for (uint32_t i = static_cast<uint32_t>(table.size()); i < 256; ++i) {
        table.push_back(gfx::MakePixel(static_cast<uint8_t>(i), 1, 2));
    }
    return table;
}

}  // namespace

gfx::Bitmap ToBitmap(const IndexedImage& picture, const Palette& colours) {
    gfx::Bitmap bitmap(picture.Width(), picture.Height());
    for (int32_t y = 0; y < picture.Height(); ++y) {
        gfx::Pixel* row = bitmap.ColourRow(y);
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const uint8_t index = picture.At(x, y);
            if (index >= colours.size()) {
                throw base::EInvalidGraphic("ToBitmap: index " + std::to_string(index) +
                                            " beyond the colour table");
            }
            row[x] = colours[index];
        }
    }
    bitmap.SetStoredForm(8, colours);
    return bitmap;
}

gfx::Bitmap ToMaskBitmap(const IndexedImage& mask) {
    gfx::Bitmap bitmap(mask.Width(), mask.Height(), gfx::PixelFormat::Mono);
    for (int32_t y = 0; y < mask.Height(); ++y) {
        for (int32_t x = 0; x < mask.Width(); ++x) {
            bitmap.SetPixel(x, y, mask.At(x, y) != 0 ? gfx::kBlack : gfx::kWhite);
        }
    }
    bitmap.SetStoredForm(1, {gfx::kWhite, gfx::kBlack});
    return bitmap;
}

gfx::Bitmap IconBitmap(const IconImage& icon) {
    return ToBitmap(icon.pixels, FullTable(icon.colours));
}

StripBitmap PaintLeafStrip() {
    return ToStripBitmap(PaintLeafStripPixels(), LeafPalette());
}

StripBitmap PaintLogoStrip() {
    return ToStripBitmap(PaintLogoStripPixels(), LogoPalette());
}

gfx::Bitmap PaintTile() {
    return ToBitmap(PaintTilePixels(), LogoPalette());
}

std::array<gfx::Bitmap, 3> PaintMasks() {
    const IndexedStrip logos = PaintLogoStripPixels();
    return {ToMaskBitmap(PaintMaskPixels(logos, 0)), ToMaskBitmap(PaintMaskPixels(logos, 1)),
            ToMaskBitmap(PaintMaskPixels(logos, 2))};
}

std::vector<IconPicture> PaintLeafIcons() {
    return PaintLeafIconImages();
}

IconPicture PaintMainIcon() {
    return PaintMainIconImage();
}

gfx::Bitmap PaintAboutPicture() {
    return ToBitmap(PaintAboutPicturePixels(), LeafPalette());
}

}  // namespace assetpaint
