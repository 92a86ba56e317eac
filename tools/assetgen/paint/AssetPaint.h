#pragma once
// Every picture of the saver, painted the same way on every run, as gfx bitmaps ready to be
// stored: the 8-bit pictures carry their 256-entry table and the masks their white/black
// table as their stored form, so gfx::WriteBmp(bitmap) writes them exactly.

#include <array>
#include <vector>

#include "FrameTable.h"
#include "Icons.h"
#include "IndexedImage.h"
#include "Palette.h"
#include "gfx/Bitmap.h"

namespace assetpaint {

struct StripBitmap {
    gfx::Bitmap bitmap;
    FrameTable frames;
};

// The 80 leaf frames, 10085 x 217, 8 bits a pixel.
StripBitmap PaintLeafStrip();
// "ster", "etiket" and "bar", 1122 x 350, 8 bits a pixel.
StripBitmap PaintLogoStrip();
// The 100 x 100 background tile, 8 bits a pixel.
gfx::Bitmap PaintTile();
// The star, label and bar masks, 600 x 400 monochrome (black = the logo's area).
std::array<gfx::Bitmap, 3> PaintMasks();
// The five leaf icons (leaf 1 to 5) and the main icon.
std::vector<IconPicture> PaintLeafIcons();
IconPicture PaintMainIcon();
// The About dialog's 224 x 242 picture, 8 bits a pixel.
gfx::Bitmap PaintAboutPicture();

// An indexed picture as a colour bitmap whose stored form is 8 bits with the table; an index
// beyond the table fails with base::EInvalidGraphic.
gfx::Bitmap ToBitmap(const IndexedImage& picture, const Palette& colours);
// A 0/1 picture as a monochrome bitmap, 1 black, stored with entry 0 white and entry 1 black.
gfx::Bitmap ToMaskBitmap(const IndexedImage& mask);
// An icon form as a colour bitmap (transparent pixels black), stored as 8 bits.
gfx::Bitmap IconBitmap(const IconImage& icon);

}  // namespace assetpaint
