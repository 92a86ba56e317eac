#pragma once
// The saver's own stage at 1920 x 1080 on the headless backend (the embedded main form, shown,
// its stage holding the desktop picture) with 8 leaves of the stored leaf list lying over one
// 220 x 215 area, overlapping each other: what the sprite box recomposes when a leaf moves
// through a pile of others.

#include <cstdint>
#include <vector>

#include "SaverRig.h"
#include "gfx/Rect.h"
#include "sprites/Sprite.h"

namespace bench {

class RedrawStage {
  public:
    static constexpr int32_t kAreaWidth = 220;
    static constexpr int32_t kAreaHeight = 215;
    static constexpr size_t kAreaBytes = size_t{kAreaWidth} * kAreaHeight * 4;

    RedrawStage();

    // TSpriteBox::RedrawArea of the area: background, the 8 leaves, the copy onto the form.
    void Redraw();
    // The area's pixels on the screen that differ from the bare background, in percent.
    int32_t CoveredPercent() const;
    // The leaves' rectangles cut to the area, summed, in units of the area: how many layers
    // of the area's size the leaves' plots make.
    double LayersPlotted() const;
    const gfx::Rect& Area() const { return area_; }
    reliability::SaverRig& Rig() { return rig_; }

  private:
    void PlaceLeaf(const char* frameName, int32_t dx, int32_t dy);

    std::vector<const sprites::TSprite*> leaves_;

    reliability::SaverRig rig_;
    gfx::Rect area_;
};

}  // namespace bench
