#pragma once
// Where a masked picture can change what it is plotted on. A masked plot gives
// (dest AND mask colour) OR image; where the mask bit is 1 (white) and the image pixel black,
// that is (dest AND white) OR black, the destination pixel as it was. Each row of a masked
// picture thus has a span, from its first to its last pixel with a 0 mask bit or a coloured
// image pixel, outside which a plot with white for bit 1 may skip the row: for a leaf, a
// little under half of its rectangle.

#include <cstdint>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/ColumnRange.h"
#include "gfx/Rect.h"

namespace gfx {

class MaskedSpans {
  public:
    MaskedSpans() = default;
    // The spans of each row of `area` in both bitmaps (which have one size), measured from
    // their pixels as they are now. The area may reach past the bitmaps: pixels outside them
    // count as inside the span and never as opaque.
    static MaskedSpans Measure(const Bitmap& mask, const Bitmap& image, const Rect& area);

    // Measured from these two bitmaps, whose pixels have not changed since.
    bool Current(const Bitmap& mask, const Bitmap& image) const;
    // The same, and measured over this area.
    bool Describe(const Bitmap& mask, const Bitmap& image, const Rect& area) const {
        return area == area_ && Current(mask, image);
    }
    const Rect& Area() const { return area_; }
    // The span of row y of the area, in the bitmaps' columns.
    ColumnRange Row(int32_t y) const { return rows_[static_cast<size_t>(y - area_.top)]; }
    // The spans of all the area's rows, its top row's first.
    const ColumnRange* Rows() const { return rows_.data(); }
    // The widest run of row y with 0 mask bits (black), in the bitmaps' columns: a plot with
    // black for bit 0 gives the image's own pixels there, whatever it is plotted on.
    ColumnRange OpaqueRun(int32_t y) const { return opaque_[static_cast<size_t>(y - area_.top)]; }

  private:
    Rect area_;
    PixelStamp mask_;
    PixelStamp image_;
    std::vector<ColumnRange> rows_;
    std::vector<ColumnRange> opaque_;
};

}  // namespace gfx
