#include "gfx/MaskedSpans.h"

#include <algorithm>

namespace gfx {

namespace {

bool LeavesDestination(const Bitmap& mask, const Bitmap& image, int32_t x, int32_t y) {
    return mask.GetPixel(x, y) == kWhite && image.GetPixel(x, y) == kBlack;
}

// Scanned from both ends inward, so a row costs its transparent margins only.
ColumnRange SpanOfRow(const Bitmap& mask, const Bitmap& image, const Rect& area, int32_t y) {
    ColumnRange span{area.left, area.right};
    while (!span.Empty() && LeavesDestination(mask, image, span.begin, y)) {
        ++span.begin;
    }
    while (!span.Empty() && LeavesDestination(mask, image, span.end - 1, y)) {
        --span.end;
    }
    return span;
}

}  // namespace

MaskedSpans MaskedSpans::Measure(const Bitmap& mask, const Bitmap& image, const Rect& area) {
    MaskedSpans spans;
    spans.area_ = area;
    spans.mask_ = mask.Stamp();
    spans.image_ = image.Stamp();
    spans.rows_.reserve(static_cast<size_t>(std::max(area.Height(), 0)));
    for (int32_t y = area.top; y < area.bottom; ++y) {
        spans.rows_.push_back(SpanOfRow(mask, image, area, y));
    }
    return spans;
}

bool MaskedSpans::Current(const Bitmap& mask, const Bitmap& image) const {
    return mask.Stamp() == mask_ && image.Stamp() == image_;
}

}  // namespace gfx
