#include "RedrawStage.h"

#include <stdexcept>
#include <string>

#include "sprites/SpriteBox.h"
#include "sprites/ThreeD.h"

namespace bench {

namespace {

constexpr int32_t kScreenWidth = 1920;
constexpr int32_t kScreenHeight = 1080;
constexpr uint32_t kSeed = 4711;

// Frames of the stored list and where each lies relative to the area's corner: the large
// leaves of the fifth kind and a few smaller ones, each reaching over most of the area.
struct LeafPlace {
    const char* frame;
    int32_t dx, dy;
};
constexpr LeafPlace kLeaves[] = {
    {"blad5_02", -30, -25}, {"blad3_02", 20, -10}, {"blad5_08", -10, 30}, {"blad4_04", 35, 25},
    {"blad5_14", 0, 0},     {"blad3_30", -40, 10}, {"blad5_20", 25, -35}, {"blad1_02", 10, 40},
};

}  // namespace

RedrawStage::RedrawStage()
    : rig_(kScreenWidth, kScreenHeight, 0, kSeed),
      area_(gfx::RectFromSize(850, 430, kAreaWidth, kAreaHeight)) {
    // Shown without running the message loop: the stage holds the desktop picture and no
    // timer fires, so the leaves placed here are the only ones.
    rig_.Form().Show();
    for (const LeafPlace& leaf : kLeaves) {
        PlaceLeaf(leaf.frame, leaf.dx, leaf.dy);
    }
    Redraw();
    if (CoveredPercent() == 0) {
        throw std::logic_error("the leaves of the redraw benchmark do not show in its area");
    }
}

void RedrawStage::PlaceLeaf(const char* frameName, int32_t dx, int32_t dy) {
    sprites::TSprite& prototype = *rig_.Form().spriteBladeren;
    const int32_t index = prototype.FrameList().IndexOf(frameName);
    if (index < 0) {
        throw std::logic_error(std::string("the stored leaf list has no frame ") + frameName);
    }
    sprites::TSprite& leaf = sprites::TSprite::CreateCopy(prototype);
    leaf.MoveTo(area_.left + dx, area_.top + dy, 0, index, true);
    leaves_.push_back(&leaf);
}

double RedrawStage::LayersPlotted() const {
    int64_t plotted = 0;
    for (const sprites::TSprite* leaf : leaves_) {
        const gfx::Rect cut = gfx::IntersectRect(leaf->GetBoundsRect(), area_);
        plotted += cut.IsEmpty() ? 0 : int64_t{cut.Width()} * cut.Height();
    }
    return static_cast<double>(plotted) / (double{kAreaWidth} * kAreaHeight);
}

void RedrawStage::Redraw() {
    rig_.Form().sbStage->RedrawArea(area_, sprites::kScreenZ);
    rig_.Backend().ClearPresented();
}

int32_t RedrawStage::CoveredPercent() const {
    const gfx::Bitmap& screen = rig_.Form().Canvas().Target();
    const gfx::Bitmap& background = *rig_.Form().sbStage->Picture().Graphic();
    int64_t covered = 0;
    for (int32_t y = area_.top; y < area_.bottom; ++y) {
        for (int32_t x = area_.left; x < area_.right; ++x) {
            covered += screen.GetPixel(x, y) != background.GetPixel(x, y) ? 1 : 0;
        }
    }
    return static_cast<int32_t>(covered * 100 / (int64_t{kAreaWidth} * kAreaHeight));
}

}  // namespace bench
