#include "gfx/MaskedSpans.h"

#include <algorithm>

namespace gfx {

namespace {

bool LeavesDestination(const RowPixels& mask, const RowPixels& image, int32_t x) {
    return mask.At(x) == kWhite && image.At(x) == kBlack;
}

// Scanned from both ends inward, so a row costs its transparent margins only.
ColumnRange SpanOfRow(const Bitmap& mask, const Bitmap& image, const Rect& area, int32_t y) {
    const RowPixels maskRow(mask, y);
    const RowPixels imageRow(image, y);
    ColumnRange span{area.left, area.right};
    while (!span.Empty() && LeavesDestination(maskRow, imageRow, span.begin)) {
        ++span.begin;
    }
    while (!span.Empty() && LeavesDestination(maskRow, imageRow, span.end - 1)) {
        --span.end;
    }
    return span;
}

// Only the span can hold opaque pixels: outside it every mask bit is 1.
ColumnRange OpaqueRunOfRow(const Bitmap& mask, ColumnRange span, int32_t y) {
    // Pixels outside the mask bitmap (a frame may reach past it) never count as opaque.
    if (y < 0 || y >= mask.Height()) {
        return {};
    }
    span = {std::max(span.begin, 0), std::min(span.end, mask.Width())};
    const RowPixels maskRow(mask, y);
    ColumnRange widest;
    for (int32_t x = span.begin; x < span.end;) {
        if (maskRow.At(x) != kBlack) {
            ++x;
            continue;
        }
        const int32_t begin = x;
        while (x < span.end && maskRow.At(x) == kBlack) {
            ++x;
        }
        if (x - begin > widest.Width()) {
            widest = {begin, x};
        }
    }
    return widest;
}

}  // namespace

MaskedSpans MaskedSpans::Measure(const Bitmap& mask, const Bitmap& image, const Rect& area) {
    MaskedSpans spans;
    spans.area_ = area;
    spans.mask_ = mask.Stamp();
    spans.image_ = image.Stamp();
    spans.rows_.reserve(static_cast<size_t>(std::max(area.Height(), 0)));
    spans.opaque_.reserve(spans.rows_.capacity());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        spans.rows_.push_back(SpanOfRow(mask, image, area, y));
        spans.opaque_.push_back(OpaqueRunOfRow(mask, spans.rows_.back(), y));
    }
    return spans;
}

bool MaskedSpans::Current(const Bitmap& mask, const Bitmap& image) const {
    return mask.Stamp() == mask_ && image.Stamp() == image_;
}

}  // namespace gfx
