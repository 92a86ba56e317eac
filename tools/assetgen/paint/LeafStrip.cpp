#include "LeafStrip.h"

#include "LeafRenderer.h"
#include "Palette.h"
#include "Quantizer.h"

namespace assetpaint {

namespace {

constexpr int kPositions = 16;

void PaintFrame(IndexedImage& strip, const FrameEntry& frame, int leafNumber, int position,
                const Quantizer& inks) {
    const LeafDrawing& drawing = DrawingOf(KindOfLeaf(leafNumber));
    const LeafPose nominal = TumblePose(drawing.kind, MomentOfPosition(position));
    const LeafPose pose = FitPoseToFrame(drawing, nominal, frame.width, frame.height);
    const Affine toPixels = FitToFrame(drawing, pose, frame.width, frame.height, false);
    const LeafPicture leaf = RenderLeaf(drawing, pose, toPixels, frame.width, frame.height);
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            const uint8_t index =
                leaf.Covers(x, y) ? inks.Nearest(leaf.ColourAt(x, y)) : kLeafBlueIndex;
            strip.Set(frame.x + x, frame.y + y, index);
        }
    }
}

}  // namespace

int MomentOfPosition(int position) {
    if (position == kPositions - 1) {
        return 0;
    }
    return position == 0 ? kPositions - 1 : position;
}

IndexedStrip PaintLeafStripPixels() {
    IndexedStrip strip;
    strip.frames = LeafFrameTable();
    strip.pixels = IndexedImage(StripWidth(strip.frames), StripHeight(strip.frames), kWhiteIndex);
    const Quantizer inks(LeafPalette(), LeafInks());
    for (size_t i = 0; i < strip.frames.size(); ++i) {
        const int leafNumber = static_cast<int>(i) / kPositions + 1;
        const int position = static_cast<int>(i) % kPositions;
        PaintFrame(strip.pixels, strip.frames[i], leafNumber, position, inks);
    }
    return strip;
}

}  // namespace assetpaint
