#pragma once
// The program's icons: 32 x 32 pictures in a 16-colour and a 256-colour form, each with its
// AND mask (1 where the icon is transparent), and their .ico file form.

#include <cstdint>
#include <vector>

#include "IndexedImage.h"
#include "Palette.h"

namespace assetpaint {

inline constexpr int32_t kIconSize = 32;

struct IconImage {
    int bitsPerPixel = 8;  // 4 or 8
    Palette colours;       // 16 or 256 entries
    IndexedImage pixels;   // colour indices; 0 (black) where transparent
    IndexedImage mask;     // 1 where transparent
};

struct IconPicture {
    IconImage colours16;
    IconImage colours256;
};

// The five leaf icons of the preview, leaf 1 to 5 of the strip (one per kind).
std::vector<IconPicture> PaintLeafIconImages();
// The main icon: a little cluster of leaves.
IconPicture PaintMainIconImage();

// An icon file with both forms (4-bit first, then 8-bit). Images of another size, depth or
// table size fail with base::EInvalidGraphic.
std::vector<uint8_t> EncodeIco(const IconPicture& icon);

}  // namespace assetpaint
