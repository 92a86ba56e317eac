#include "Tile.h"

#include "Palette.h"

namespace assetpaint {

IndexedImage PaintTilePixels() {
    IndexedImage tile(kTileSize, kTileSize, kTileGreenIndex);
    // A few flecks, like grit on felt: three grey, two of greyish moss.
    tile.Set(23, 41, kTileGreyIndex);
    tile.Set(67, 12, kTileGreyIndex);
    tile.Set(81, 77, kTileGreyIndex);
    tile.Set(45, 88, kTileMossIndex);
    tile.Set(9, 15, kTileMossIndex);
    return tile;
}

}  // namespace assetpaint
