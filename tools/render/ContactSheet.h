#pragma once
// One picture of several snapshots, scaled down side by side in rows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/Bitmap.h"

namespace render {

// A snapshot scaled to fit a square of `side` pixels (at least 1), keeping its aspect as far
// as whole pixels can; each pixel is the average of the pixels under it.
gfx::Bitmap MakeThumbnail(const gfx::Bitmap& shot, int32_t side);

// The thumbnails a contact sheet shows of a run of any length: at most `limit` (at least 2),
// each a MakeThumbnail of `side`, of every Stride()-th snapshot from the first on. When one
// more would pass the limit, every second one kept goes and the stride doubles.
class SheetThumbnails {
  public:
    SheetThumbnails(size_t limit, int32_t side);

    void Offer(const gfx::Bitmap& shot);
    const std::vector<gfx::Bitmap>& Kept() const { return kept_; }
    // Every how many snapshots one is kept.
    size_t Stride() const { return stride_; }

  private:
    size_t limit_;
    int32_t side_;
    size_t offered_ = 0;
    size_t stride_ = 1;
    std::vector<gfx::Bitmap> kept_;
};

// The thumbnails, all of the first one's size, in rows of `columns`; empty without any.
gfx::Bitmap MakeContactSheet(const std::vector<gfx::Bitmap>& thumbnails, int32_t columns);

}  // namespace render
