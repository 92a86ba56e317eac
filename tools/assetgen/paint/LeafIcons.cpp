#include <numbers>

#include "IconPainter.h"
#include "Icons.h"
#include "LeafPose.h"

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

LeafPicture PaintLeaf(LeafKind kind, const LeafPose& pose, int32_t size) {
    const LeafDrawing& drawing = DrawingOf(kind);
    return RenderLeaf(drawing, pose, FitToFrame(drawing, pose, size, size, true), size, size);
}

}  // namespace

std::vector<IconPicture> PaintLeafIconImages() {
    std::vector<IconPicture> icons;
    for (int leaf = 1; leaf <= 5; ++leaf) {
        // Each leaf leans a little to the right, stem down-left, as if just caught by the wind.
        const LeafPose pose{kPi * 0.8F, 0.92F, 0.3F};
        LeafPicture picture = BlankIconPicture();
        Overlay(picture, PaintLeaf(KindOfLeaf(leaf), pose, kIconSize), 0, 0);
        icons.push_back(MakeIcon(picture));
    }
    return icons;
}

IconPicture PaintMainIconImage() {
    LeafPicture picture = BlankIconPicture();
    Overlay(picture, PaintLeaf(LeafKind::Birch, {kPi * 0.55F, 0.9F, 0.0F}, 17), 0, 9);
    Overlay(picture, PaintLeaf(LeafKind::Oak, {kPi * 1.35F, 0.95F, 0.0F}, 19), 13, 13);
    Overlay(picture, PaintLeaf(LeafKind::Maple, {kPi * 0.95F, 1.0F, 0.0F}, 24), 5, 0);
    return MakeIcon(picture);
}

}  // namespace assetpaint
