#pragma once
// The About dialog's 224 x 242 picture: the title over autumn leaves, in the leaf palette.

#include "IndexedImage.h"

namespace assetpaint {

inline constexpr int32_t kAboutWidth = 224;
inline constexpr int32_t kAboutHeight = 242;

IndexedImage PaintAboutPicturePixels();

}  // namespace assetpaint
