#pragma once
// The main window's form description: the saver form TfrmMain with its event bindings, then
// its components in stored order: the sprite box sbStage, the hidden images bmpBack,
// imgMaskStar, imgMaskEtiket and imgMaskBar, the timer timerNextLeaf, the sprites spriteLogos
// and spriteBladeren, and the timer timerBuildBackground.

#include <array>

#include "framework/FormDescription.h"
#include "gfx/Bitmap.h"
#include "paint/AssetPaint.h"

namespace assetgen {

struct MainFormPictures {
    assetpaint::StripBitmap leaves;
    assetpaint::StripBitmap logos;
    gfx::Bitmap tile;
    std::array<gfx::Bitmap, 3> masks;  // star, label, bar
};

MainFormPictures PaintMainFormPictures();

framework::ObjectDescription MainFormDescription(const MainFormPictures& pictures);

// A picture property's data: the class name "TBitmap" as a short string, then the payload.
framework::ByteBlock PictureData(const gfx::Bitmap& picture);

}  // namespace assetgen
