#pragma once
// The strip of the 80 leaf frames in palette indices.

#include "FrameTable.h"
#include "IndexedImage.h"

namespace assetpaint {

struct IndexedStrip {
    IndexedImage pixels;
    FrameTable frames;
};

// The moment of the tumble cycle a strip position shows: the wind sequences play position
// 15 first, then 1 to 14, then 0.
int MomentOfPosition(int position);

IndexedStrip PaintLeafStripPixels();

}  // namespace assetpaint
