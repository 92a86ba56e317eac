#pragma once
// One picture of several snapshots, scaled down side by side in rows.

#include <vector>

#include "gfx/Bitmap.h"

namespace render {

// thumbWidth is the width of each scaled snapshot; the height keeps the aspect.
gfx::Bitmap MakeContactSheet(const std::vector<gfx::Bitmap>& snapshots, int32_t thumbWidth,
                             int32_t columns);

}  // namespace render
