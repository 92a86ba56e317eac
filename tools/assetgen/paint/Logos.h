#pragma once
// The three logo pictures, each painted into its frame-sized picture that the caller has
// filled with the tile green.

#include "IndexedImage.h"

namespace assetpaint {

// "ster": a bevelled golden star; no black pixel.
void PaintStar(IndexedImage& frame);
// "etiket": a parchment tag with the title; black (transparent) rim, shadow and eyelet.
void PaintLabel(IndexedImage& frame);
// "bar": a gold-framed plate with a red ribbon carrying the title; black (transparent)
// windows above and below the ribbon.
void PaintBar(IndexedImage& frame);

}  // namespace assetpaint
