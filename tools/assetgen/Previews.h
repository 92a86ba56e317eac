#pragma once
// Pictures for the docs: the leaf frames laid out one leaf a row over the tile green (blue
// shown as transparent, as on screen), and the icons enlarged on a light sheet.

#include <vector>

#include "paint/AssetPaint.h"

namespace assetpaint {

gfx::Bitmap LeafPreview(const StripBitmap& leaves);
gfx::Bitmap IconSheet(const std::vector<IconPicture>& icons);

}  // namespace assetpaint
