#include "LogoStrip.h"

#include "CountAdjust.h"
#include "Logos.h"
#include "Palette.h"

namespace assetpaint {

namespace {

using Painter = void (*)(IndexedImage&);

IndexedImage PaintFrame(const FrameEntry& frame, Painter painter) {
    IndexedImage picture(frame.width, frame.height, kTileGreenIndex);
    painter(picture);
    return picture;
}

PixelBox Whole(const IndexedImage& picture) {
    return {0, 0, picture.Width() - 1, picture.Height() - 1};
}

}  // namespace

IndexedStrip PaintLogoStripPixels() {
    IndexedStrip strip;
    strip.frames = LogoFrameTable();
    strip.pixels = IndexedImage(StripWidth(strip.frames), StripHeight(strip.frames), kWhiteIndex);

    const IndexedImage star = PaintFrame(strip.frames[0], PaintStar);
    IndexedImage label = PaintFrame(strip.frames[1], PaintLabel);
    // The label's black rim and shadow border the green surround: move that edge.
    AdjustInkCount(label, kBlackIndex, kLabelBlackPixels,
                   {[](uint8_t index) { return index == kTileGreenIndex; }, Whole(label)});
    IndexedImage bar = PaintFrame(strip.frames[2], PaintBar);
    // The bar's black windows lie inside its frame: move their edge into the frame and ribbon.
    AdjustInkCount(bar, kBlackIndex, kBarBlackPixels,
                   {[](uint8_t index) { return index != kTileGreenIndex; }, Whole(bar)});

    strip.pixels.Paste(star, strip.frames[0].x, strip.frames[0].y);
    strip.pixels.Paste(label, strip.frames[1].x, strip.frames[1].y);
    strip.pixels.Paste(bar, strip.frames[2].x, strip.frames[2].y);
    return strip;
}

}  // namespace assetpaint
