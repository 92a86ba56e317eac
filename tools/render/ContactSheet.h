#pragma once
// One picture of several snapshots, scaled down side by side in rows.

#include <vector>

#include "gfx/Bitmap.h"

namespace render {

// A snapshot scaled down to `width` (at least 1), its height keeping the aspect; each pixel is
// the average of the pixels under it.
gfx::Bitmap MakeThumbnail(const gfx::Bitmap& shot, int32_t width);

// The thumbnails, all of the first one's size, in rows of `columns`; empty without any.
gfx::Bitmap MakeContactSheet(const std::vector<gfx::Bitmap>& thumbnails, int32_t columns);

}  // namespace render
